#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "platform/Console.h"
#include "platform/DataFiles.h"
#include "platform/Text.h"

namespace fs = std::filesystem;

namespace {

// Console lines, kept while the object lives.
struct ConsoleLines {
  ConsoleLines() {
    SetConsole(std::make_unique<TVORN3_Console>([this](std::u16string_view l) { lines.push_back(ToUtf8(l)); }));
  }
  ~ConsoleLines() { SetConsole(nullptr); }
  std::vector<std::string> lines;
};

}  // namespace

TEST(ReadRegularFile, ReadsRegularFilesAndRefusesTheRestWithoutBlocking) {
  ScratchFolder folder("read");
  std::string bytes;
  std::string reason;
  EXPECT_EQ(ReadRegularFile(folder.Write("a.txt", "abc"), bytes, 3, reason), TFileRead::Read);
  EXPECT_EQ(bytes, "abc");
  EXPECT_EQ(ReadRegularFile(folder.Link("link.txt", folder.Path() / "a.txt"), bytes, 3, reason), TFileRead::Read);
  EXPECT_EQ(bytes, "abc");

  EXPECT_EQ(ReadRegularFile(folder.Path() / "a.txt", bytes, 2, reason), TFileRead::Refused);
  EXPECT_EQ(reason, "larger than 2 bytes");
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadRegularFile(folder.Path() / "none.txt", bytes, 10, reason), TFileRead::Missing);
  EXPECT_EQ(ReadRegularFile(folder.Path() / "a.txt" / "below", bytes, 10, reason), TFileRead::Missing);

  // A FIFO nobody writes to would block an open for reading for ever; /dev/zero never ends.
  for (const fs::path& path : {folder.Fifo("fifo"), folder.Link("zero", "/dev/zero"), folder.Path()}) {
    EXPECT_EQ(ReadRegularFile(path, bytes, kMaxDataFile, reason), TFileRead::Refused) << path;
    EXPECT_EQ(reason, "not a regular file");
  }
}

TEST(OpenDataFile, RefusalsGoToTheConsoleAndMissingFilesAreSilent) {
  ScratchFolder folder("open");
  folder.UseAsExeFolder();
  folder.Write("GMs/x.p16", std::string(100, 'p'));
  fs::path fifo = folder.Fifo("GMs/fifo.p16");
  ConsoleLines console;
  auto stream = OpenDataFile("gms\\X.P16");
  ASSERT_TRUE(stream);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(*stream), {}), std::string(100, 'p'));
  EXPECT_FALSE(OpenDataFile("GMs\\missing.p16"));
  EXPECT_TRUE(console.lines.empty());
  EXPECT_FALSE(OpenDataFile("GMs\\fifo.p16"));
  std::string bytes;
  EXPECT_FALSE(ReadDataFile("GMs\\x.p16", bytes, 99));
  EXPECT_EQ(console.lines, (std::vector<std::string>{"Data file refused: " + fifo.string() + ": not a regular file",
                                                     "Data file refused: GMs\\x.p16: larger than 99 bytes"}));
}

// Within a listing scope each folder is listed once; a name looked for and not found
// stays not found there, even once the file exists.
TEST(FolderListings, ListEachFolderOnceWhileOneLives) {
  ScratchFolder folder("listings");
  folder.Write("Data/Tank.gmz", "t");
  const fs::path missing = folder.Path() / "data" / "tank.p16";
  const size_t before = FolderListingCount();
  {
    TFolderListings listings;
    for (int i = 0; i < 100; ++i) {
      EXPECT_EQ(FindIgnoringCase(folder.Path() / "data" / "TANK.GMZ"), folder.Path() / "Data" / "Tank.gmz");
      EXPECT_EQ(FindIgnoringCase(missing), missing);
    }
    EXPECT_EQ(FolderListingCount() - before, 2u);
    folder.Write("Data/Tank.p16", "p");
    EXPECT_EQ(FindIgnoringCase(missing), missing);
  }
  EXPECT_EQ(FindIgnoringCase(missing), folder.Path() / "Data" / "Tank.p16");
  EXPECT_EQ(FolderListingCount() - before, 4u);
}
