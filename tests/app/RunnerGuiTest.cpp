// The headless runner end to end: a data folder with its own interface script, an event
// file of clicks, wheel turns and keys, and the callbacks' prints read from its output.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const char kButtonScript[] = R"lua(
function FROMAPP_FPSCOUNTER() end
function Init()
  local b = qgui_create(TYPE_ELEMENT)
  qgui_set(b, PROP_X, 100) qgui_set(b, PROP_Y, 100) qgui_set(b, PROP_W, 80) qgui_set(b, PROP_H, 40)
  qgui_setcallback(b, CALLBACK_MOUSEDOWN, "qgui_setkeyboardfocus(%id)")
  qgui_setcallback(b, CALLBACK_MOUSECLICK, "print('click %b %x %y')")
  qgui_setcallback(b, CALLBACK_MOUSEDBLCLICK, "print('double %b')")
  qgui_setcallback(b, CALLBACK_MOUSEWHEEL, "print('wheel %delta')")
  qgui_setcallback(b, CALLBACK_KEYPRESS, "print('focused press %k')")
  qgui_setcallback(desktop, CALLBACK_KEYDOWN, "print('keydown %k')")
  qgui_setcallback(desktop, CALLBACK_KEYPRESS, "print('press %k')")
  qgui_setcallback(desktop, CALLBACK_MOUSECLICK, "print('desktop click')")
end
)lua";

const char kEvents[] = R"lua(
0 move 120 120     # before the first frame: the GUI is not there yet
0 down 0 120 120
0 up 0 120 120
1 move 120 120
1 down 0 120 120
1 up 0 120 120
2 down 0 120 120
2 up 0 120 120
3 wheel -120 120 120
4 keydown 72
4 char 104
4 keyup 72
5 keydown 73
5 keydown 73       # auto-repeat: one more down, one press
5 keyup 73
)lua";

struct Result {
  int status;
  std::string output;
};

Result RunHeadless(const std::string& arguments) {
  std::string command = std::string(ZQ_TEST_BIN_DIR) + "/zqgpu-headless " + arguments + " 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get())) output.append(buffer.data(), n);
  int status = pclose(pipe.release());
  return {WEXITSTATUS(status), output};
}

// The lines of `output` that the test's callbacks printed, in order.
std::vector<std::string> Printed(const std::string& output) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = output.substr(start, end - start);
    for (const char* word : {"click", "double", "wheel", "keydown", "press", "bye", "desktop"})
      if (line.rfind(word, 0) == 0 || line.rfind(std::string("focused ") + word, 0) == 0) {
        lines.push_back(line);
        break;
      }
  }
  return lines;
}

class RunnerGuiTest : public ::testing::Test {
 protected:
  RunnerGuiTest() {
    for (const char* shared : {"shaders", "fonts"})
      fs::create_directory_symlink(fs::path(ZQ_TEST_BIN_DIR) / shared, folder.Path() / shared);
  }
  std::string Arguments(const std::string& more) {
    return "--data " + folder.Path().string() + " --models 0 --size 320x240 " + more;
  }

  ScratchFolder folder{"runner-gui"};
};

}  // namespace

TEST_F(RunnerGuiTest, EventsClickDoubleClickTurnTheWheelAndPressKeys) {
  folder.Write("lua/menu.lua", kButtonScript);
  fs::path events = folder.Write("events.txt", kEvents);
  Result r = RunHeadless(Arguments("--frames 8 --events " + events.string()));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Printed(r.output),
            (std::vector<std::string>{"click 0 20 20", "double 0", "wheel -120", "keydown 72", "focused press 72",
                                      "press 72", "keydown 73", "keydown 73", "focused press 73", "press 73"}))
      << r.output;
}

TEST_F(RunnerGuiTest, TheErrorWindowsCloseCommandEndsTheRunAtOnce) {
  folder.Write("lua/menu.lua", "function Init() print('bye') qgui_debug(1) end");
  Result r = RunHeadless(Arguments("--frames 50 --stats"));
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(Printed(r.output), (std::vector<std::string>{"bye"}));
  EXPECT_EQ(r.output.find("frames="), std::string::npos) << r.output;
}
