#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "gl/Shader.h"

namespace {

class IncludeFiles : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { folder.Write(name, text); }
  // The expanded source as lines; with `error`, expects a failure and an empty source.
  std::vector<std::string> Resolve(const std::vector<std::string>& lines, std::string* error = nullptr) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    std::string source;
    std::string message;
    bool ok = ResolveIncludes(text, folder.Path(), source, message);
    if (error) *error = message;
    EXPECT_EQ(ok, error == nullptr) << message;
    std::vector<std::string> out;
    for (size_t start = 0, end; (end = source.find("\r\n", start)) != std::string::npos; start = end + 2)
      out.push_back(source.substr(start, end - start));
    return out;
  }
  ScratchFolder folder{"include"};
};

using Lines = std::vector<std::string>;

}  // namespace

TEST(IncludeDirective, IsFoundWhateverTheCaseAndLeadingBlanks) {
  EXPECT_EQ(IncludeDirectiveName("  \xA3INCLUDE common.glsl"), "common.glsl");
  EXPECT_EQ(IncludeDirectiveName("\t\xC2\xA3include Light.GLSL\r"), "light.glsl");
  EXPECT_EQ(IncludeDirectiveName("\xA3include\tsub/a.glsl"), "sub/a.glsl");
  EXPECT_EQ(IncludeDirectiveName("#include common.glsl"), "");
  EXPECT_EQ(IncludeDirectiveName("x \xA3include common.glsl"), "");
  EXPECT_EQ(IncludeDirectiveName("\xA3include"), "");
  EXPECT_EQ(IncludeDirectiveName(""), "");
}

TEST_F(IncludeFiles, EveryDirectiveIsReplacedInOrder) {
  Write("a.glsl", "float a;\r\n");
  Write("b.glsl", "float b1;\nfloat b2;\n");
  EXPECT_EQ(Resolve({"start", "\xA3include a.glsl", "middle", "  \xA3Include B.glsl", "end"}),
            (Lines{"start", "float a;", "middle", "float b1;", "float b2;", "end"}));
}

TEST_F(IncludeFiles, NestedIncludesResolveAgainstTheFirstFilesFolder) {
  Write("sub/outer.glsl", "outer\n\xA3include inner.glsl\n");
  Write("inner.glsl", "inner\n");
  Write("sub/inner.glsl", "wrong inner\n");
  EXPECT_EQ(Resolve({"\xA3include sub/outer.glsl"}), (Lines{"outer", "inner"}));
}

TEST_F(IncludeFiles, TheSameFileMayBeIncludedTwice) {
  Write("c.glsl", "c\n");
  EXPECT_EQ(Resolve({"\xA3include c.glsl", "\xA3include c.glsl"}), (Lines{"c", "c"}));
}

TEST_F(IncludeFiles, LoopsAndMissingFilesEndWithAnError) {
  Write("self.glsl", "x\n\xA3include self.glsl\n");
  Write("ping.glsl", "\xA3include pong.glsl\n");
  Write("pong.glsl", "\xA3include ping.glsl\n");
  std::string error;
  Resolve({"\xA3include self.glsl"}, &error);
  EXPECT_NE(error.find("self.glsl"), std::string::npos);
  Resolve({"\xA3include ping.glsl"}, &error);
  EXPECT_NE(error.find("loops"), std::string::npos);
  Resolve({"ok", "\xA3include nothere.glsl"}, &error);
  EXPECT_NE(error.find("nothere.glsl"), std::string::npos);
}

TEST_F(IncludeFiles, DeepChainsAreReportedAsTooDeepNotAsLoops) {
  auto chain = [this](int length) {
    for (int i = 0; i < length; ++i)
      Write("c" + std::to_string(i) + ".glsl",
            i + 1 == length ? "end\n" : "\xA3include c" + std::to_string(i + 1) + ".glsl\n");
  };
  chain(int(kMaxIncludeDepth));
  EXPECT_EQ(Resolve({"\xA3include c0.glsl"}), (Lines{"end"}));
  chain(200);
  std::string error;
  Resolve({"\xA3include c0.glsl"}, &error);
  EXPECT_EQ(error, "include of c16.glsl nests deeper than 16 files");
  Write("ping.glsl", "\xA3include pong.glsl\n");
  Write("pong.glsl", "\xA3include ping.glsl\n");
  Resolve({"\xA3include ping.glsl"}, &error);
  EXPECT_EQ(error, "include of ping.glsl loops (it includes itself)");
}

// Fifteen files, each including the next three (or four) times, would expand 3^14 (4^14)
// times; the include count stops it.
TEST_F(IncludeFiles, FanOutStopsAtTheIncludeLimit) {
  for (int fan : {3, 4}) {
    for (int i = 0; i < 15; ++i) {
      std::string next = "\xA3include f" + std::to_string(i + 1) + ".glsl\n";
      std::string text;
      for (int k = 0; k < fan; ++k) text += next;
      Write("f" + std::to_string(i) + ".glsl", i == 14 ? "" : text);
    }
    std::string error;
    Resolve({"\xA3include f0.glsl"}, &error);
    EXPECT_NE(error.find("goes past the 256 includes"), std::string::npos) << error;
  }
}

TEST_F(IncludeFiles, SizeLimitsHoldForEachFileAndForTheExpandedSource) {
  std::string error;
  Write("big.glsl", std::string(kMaxShaderSource + 1, 'x'));
  Resolve({"\xA3include big.glsl"}, &error);
  EXPECT_EQ(error, "cannot open include file " + (folder.Path() / "big.glsl").string() + ": larger than 4 MiB");
  // Newlines double as "\r\n": three MiB of them expand past the limit.
  Write("newlines.glsl", std::string(3 << 20, '\n'));
  Resolve({"\xA3include newlines.glsl"}, &error);
  EXPECT_EQ(error, "the source with its includes is larger than 4 MiB");
  Write("three.glsl", std::string(3 << 20, 'x'));
  Write("three_more.glsl", std::string(3 << 20, 'x'));
  Resolve({"\xA3include three.glsl", "\xA3include three_more.glsl"}, &error);
  EXPECT_EQ(error, "the files included are larger than 4 MiB together");
  // Three includes per level of a 64 KiB file pass the size limit before the include limit.
  Write("leaf.glsl", std::string(64 << 10, 'x') + "\n");
  for (int i = 0; i < 5; ++i) {
    std::string next = "\xA3include " + (i == 4 ? std::string("leaf") : "g" + std::to_string(i + 1)) + ".glsl\n";
    Write("g" + std::to_string(i) + ".glsl", next + next + next);
  }
  Resolve({"\xA3include g0.glsl"}, &error);
  EXPECT_EQ(error, "the source with its includes is larger than 4 MiB");
}

TEST_F(IncludeFiles, OnlyRegularFilesAreRead) {
  folder.Fifo("fifo.glsl");
  folder.Link("zero.glsl", "/dev/zero");
  folder.Write("sub/x", "");
  std::string error;
  for (const char* name : {"fifo.glsl", "zero.glsl", "sub"}) {
    Resolve({std::string("\xA3include ") + name}, &error);
    EXPECT_EQ(error, "cannot open include file " + (folder.Path() / name).string() + ": not a regular file");
  }
}
