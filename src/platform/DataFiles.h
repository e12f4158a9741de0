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

// Opens a data file for binary reading; null when it cannot be opened or is no regular
// file. The caller owns it.
using DataFileOpener = std::function<std::unique_ptr<std::istream>(std::string_view name)>;
std::unique_ptr<std::istream> OpenDataFile(std::string_view name);
// Replaces the opener hook; an empty one restores the default. Returns the previous one.
DataFileOpener SetDataFileOpener(DataFileOpener opener);

// Reads a whole data file, at most `limit` bytes; false when it cannot be opened.
bool ReadDataFile(std::string_view name, std::string& bytes, size_t limit = size_t(1) << 30);
