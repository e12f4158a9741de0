#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "gl/Shader.h"

namespace {

class IncludeFiles : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { folder.Write(name, text); }
  std::vector<std::string> Resolve(std::vector<std::string> lines, std::string* error = nullptr) {
    std::string message;
    bool ok = ResolveIncludes(lines, folder.Path(), message);
    if (error) *error = message;
    EXPECT_EQ(ok, error == nullptr) << message;
    return lines;
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
