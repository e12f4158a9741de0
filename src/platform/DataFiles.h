#pragma once
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

// The folder that stands for the executable's folder: data folders (shaders, GMs,
// fonts, interface, lua) live below it. Defaults to /proc/self/exe's folder.
const std::filesystem::path& ExeFolder();
void SetExeFolder(std::filesystem::path folder);

// Turns a data name as the system writes it ("\shaders\quad120", "GMs\x.gmz") into a
// path: "\" becomes "/", an absolute "/..." name stays as it is, anything else is
// joined with ExeFolder(). Where the exact path does not exist, each component is
// matched ignoring case, so names may be spelled in any case.
std::filesystem::path DataPath(std::string_view name);

// Resolves `path` component by component ignoring case; returns it unchanged when no match.
std::filesystem::path FindIgnoringCase(const std::filesystem::path& path);

// While one lives, FindIgnoringCase lists each folder once and answers from that listing:
// a start-up that looks for thousands of missing palettes lists the GMs folder once, not
// once per model. Files created meanwhile may be missed, so hold one only for a start-up.
class TFolderListings {
 public:
  TFolderListings();
  ~TFolderListings();
  TFolderListings(const TFolderListings&) = delete;
  TFolderListings& operator=(const TFolderListings&) = delete;
};
// Folders FindIgnoringCase has listed since the program started.
size_t FolderListingCount();

// The most any data file may hold unless its reader sets a lower limit.
constexpr size_t kMaxDataFile = size_t(256) << 20;

enum class TFileRead { Read, Missing, Refused };
// Reads the whole of the regular file at `path` (links followed). Anything else (a folder,
// a device, a FIFO) is refused without waiting on it, as is a file over `limit` bytes;
// `reason` then says why, without the path. A file that is not there is Missing.
TFileRead ReadRegularFile(const std::filesystem::path& path, std::string& bytes, size_t limit, std::string& reason);
// A size in the largest unit it is a whole number of, for messages: "4 MiB".
std::string SizeText(size_t bytes);

// Opens a data file for binary reading; null when it cannot be opened. The caller owns it.
// The default opener reads through ReadRegularFile (kMaxDataFile) and writes a refusal
// to the console; a missing file is silent.
using DataFileOpener = std::function<std::unique_ptr<std::istream>(std::string_view name)>;
std::unique_ptr<std::istream> OpenDataFile(std::string_view name);
// Replaces the opener hook; an empty one restores the default. Returns the previous one.
DataFileOpener SetDataFileOpener(DataFileOpener opener);

// Reads a whole data file of at most `limit` bytes; false when it cannot be opened or is longer.
bool ReadDataFile(std::string_view name, std::string& bytes, size_t limit = kMaxDataFile);
