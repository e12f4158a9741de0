#include "platform/DataFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <sstream>
#include <unordered_map>

#include "platform/Console.h"
#include "platform/Text.h"

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

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Lower-cased name to the first entry of that name in directory order.
using Listing = std::unordered_map<std::string, fs::path>;

struct ListingState {
  std::mutex lock;
  int holders = 0;
  size_t count = 0;
  std::map<fs::path, Listing> folders;
};

ListingState& Listings() {
  static ListingState state;
  return state;
}

Listing ListFolder(const fs::path& folder, size_t& count) {
  ++count;
  Listing listing;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, ec))
    listing.try_emplace(Lower(entry.path().filename().string()), entry.path());
  return listing;
}

// Without a listing to keep, the scan stops at the first match.
fs::path ScanFolder(const fs::path& folder, const std::string& key, size_t& count) {
  ++count;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder.empty() ? "." : folder, ec))
    if (Lower(entry.path().filename().string()) == key) return entry.path();
  return {};
}

fs::path MatchInFolder(const fs::path& folder, const fs::path& part) {
  ListingState& state = Listings();
  std::lock_guard guard(state.lock);
  const std::string key = Lower(part.string());
  if (state.holders == 0) return ScanFolder(folder, key, state.count);
  auto [cached, added] = state.folders.try_emplace(folder);
  if (added) cached->second = ListFolder(folder, state.count);
  auto it = cached->second.find(key);
  return it == cached->second.end() ? fs::path() : it->second;
}

class FileHandle {
 public:
  explicit FileHandle(const fs::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Reads to the end, or to one byte past `limit` for a file that grew after it was measured.
bool ReadAll(int fd, std::string& bytes, size_t expected, size_t limit) {
  bytes.clear();
  bytes.reserve(std::min(expected, limit) + 1);
  char buffer[65536];
  while (bytes.size() <= limit) {
    ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit + 1 - bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

void WriteRefusal(const std::string& what, const std::string& reason) {
  ConsoleWrite(ToUtf16("Data file refused: " + what + ": " + reason));
}

std::unique_ptr<std::istream> DefaultOpener(std::string_view name) {
  fs::path path = DataPath(name);
  std::string bytes;
  std::string reason;
  TFileRead read = ReadRegularFile(path, bytes, kMaxDataFile, reason);
  if (read == TFileRead::Refused) WriteRefusal(path.string(), reason);
  if (read != TFileRead::Read) return nullptr;
  return std::make_unique<std::istringstream>(std::move(bytes));
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
    fs::path match = MatchInFolder(found, part);
    if (match.empty()) return path;
    found = match;
  }
  return found;
}

TFolderListings::TFolderListings() {
  std::lock_guard guard(Listings().lock);
  ++Listings().holders;
}

TFolderListings::~TFolderListings() {
  std::lock_guard guard(Listings().lock);
  if (--Listings().holders == 0) Listings().folders.clear();
}

size_t FolderListingCount() {
  std::lock_guard guard(Listings().lock);
  return Listings().count;
}

fs::path DataPath(std::string_view name) {
  std::string unix(name);
  std::replace(unix.begin(), unix.end(), '\\', '/');
  bool absolute = !name.empty() && name.front() == '/';
  fs::path path = absolute ? fs::path(unix) : ExeFolder() / fs::path(unix).relative_path();
  return FindIgnoringCase(path.lexically_normal());
}

TFileRead ReadRegularFile(const fs::path& path, std::string& bytes, size_t limit, std::string& reason) {
  bytes.clear();
  FileHandle file(path);
  if (file.fd() < 0) {
    reason = std::strerror(errno);
    return errno == ENOENT || errno == ENOTDIR ? TFileRead::Missing : TFileRead::Refused;
  }
  struct stat status {};
  if (::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode)) {
    reason = "not a regular file";
    return TFileRead::Refused;
  }
  const auto size = static_cast<size_t>(std::max<off_t>(status.st_size, 0));
  if (size <= limit && !ReadAll(file.fd(), bytes, size, limit)) {
    reason = std::strerror(errno);
    bytes.clear();
    return TFileRead::Refused;
  }
  if (size > limit || bytes.size() > limit) {
    reason = "larger than " + SizeText(limit);
    bytes.clear();
    return TFileRead::Refused;
  }
  return TFileRead::Read;
}

std::string SizeText(size_t bytes) {
  constexpr const char* kUnits[] = {"bytes", "KiB", "MiB", "GiB"};
  size_t unit = 0;
  while (unit + 1 < std::size(kUnits) && bytes >= 1024 && bytes % 1024 == 0) {
    bytes /= 1024;
    ++unit;
  }
  return std::to_string(bytes) + " " + kUnits[unit];
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
  while (bytes.size() <= limit && stream->read(buffer, sizeof buffer).gcount() > 0)
    bytes.append(buffer, static_cast<size_t>(stream->gcount()));
  if (bytes.size() <= limit) return true;
  WriteRefusal(std::string(name), "larger than " + SizeText(limit));
  bytes.clear();
  return false;
}
