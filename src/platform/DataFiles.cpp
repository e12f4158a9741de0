#include "platform/DataFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

fs::path& Folder() {
  static fs::path folder = [] {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
  }();
  return folder;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::unique_ptr<std::istream> DefaultOpener(std::string_view name) {
  // A folder reads as empty, a device as endless and a FIFO blocks the open itself.
  fs::path path = DataPath(name);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return nullptr;
  auto stream = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!stream->is_open()) return nullptr;
  return stream;
}

DataFileOpener& Opener() {
  static DataFileOpener opener = DefaultOpener;
  return opener;
}

}  // namespace

const fs::path& ExeFolder() { return Folder(); }

void SetExeFolder(fs::path folder) { Folder() = std::move(folder); }

fs::path FindIgnoringCase(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path found = path.root_path();
  for (const fs::path& part : path.relative_path()) {
    fs::path exact = found / part;
    if (fs::exists(exact, ec) || part == "." || part == "..") {
      found = exact;
      continue;
    }
    fs::path match;
    for (const auto& entry : fs::directory_iterator(found.empty() ? "." : found, ec)) {
      if (EqualIgnoringCase(entry.path().filename().string(), part.string())) {
        match = entry.path();
        break;
      }
    }
    if (match.empty()) return path;
    found = match;
  }
  return found;
}

fs::path DataPath(std::string_view name) {
  std::string unix(name);
  std::replace(unix.begin(), unix.end(), '\\', '/');
  bool absolute = !name.empty() && name.front() == '/';
  fs::path path = absolute ? fs::path(unix) : ExeFolder() / fs::path(unix).relative_path();
  return FindIgnoringCase(path.lexically_normal());
}

std::unique_ptr<std::istream> OpenDataFile(std::string_view name) { return Opener()(name); }

DataFileOpener SetDataFileOpener(DataFileOpener opener) {
  DataFileOpener previous = Opener();
  Opener() = opener ? std::move(opener) : DataFileOpener(DefaultOpener);
  return previous;
}

bool ReadDataFile(std::string_view name, std::string& bytes, size_t limit) {
  auto stream = OpenDataFile(name);
  if (!stream) return false;
  bytes.clear();
  char buffer[65536];
  while (bytes.size() < limit && stream->read(buffer, sizeof buffer).gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(std::min<std::streamsize>(stream->gcount(), limit - bytes.size())));
  }
  return true;
}
