#include <gtest/gtest.h>

#include <filesystem>

#include "GLTestContext.h"
#include "MessageRecorder.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

const char* kVertex = "#version 130\nin vec3 attr0;\nvoid main() { gl_Position = vec4(attr0, 1.0); }\n";
const char* kFragment = "#version 130\nout vec4 c;\nvoid main() { c = vec4(1.0); }\n";

class ShaderFiles : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { folder.Write(name, text); }
  fs::path Base(const std::string& name) const { return folder.Path() / name; }
  ScratchFolder folder{"shader"};
  GLTestContext ctx;
  MessageRecorder messages;
};

}  // namespace

TEST_F(ShaderFiles, ABasePathWithAnExtensionLoadsBothStages) {
  Write("x.vglsl", kVertex);
  Write("x.fglsl", kFragment);
  TGLSL_Program program;
  program.Load(Base("x.glsl"));
  EXPECT_TRUE(program.Linked());
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(program.VertexStage().FilePath().filename(), "x.vglsl");
}

TEST_F(ShaderFiles, MissingFilesGiveOneShaderErrorNamingBoth) {
  Write("only.vglsl", kVertex);
  TGLSL_Program program;
  program.Load(Base("only"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Shader Error");
  EXPECT_EQ(messages.messages[0].text,
            "Shader(s) do not exist. \r" + Base("only.vglsl").string() + "\r" + Base("only.fglsl").string());
  EXPECT_FALSE(program.Linked());
  EXPECT_EQ(program.UniformLocation("ModelMatrix"), -1);
}

TEST_F(ShaderFiles, CompileErrorsListOnlyTheFailingStage) {
  Write("bad.vglsl", "#version 130\nvoid main() { gl_Position = nonsense; }\n");
  Write("bad.fglsl", kFragment);
  TGLSL_Program program;
  program.Load(Base("bad"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Shader Error");
  EXPECT_EQ(messages.messages[0].text.rfind("VS (bad.vglsl):\r", 0), 0u) << messages.messages[0].text;
  EXPECT_EQ(messages.messages[0].text.find("FS ("), std::string::npos);
  EXPECT_FALSE(program.Linked());
}

TEST_F(ShaderFiles, LinkErrorsAreReportedAsProgramErrors) {
  Write("link.vglsl",
        "#version 130\nin vec3 attr0;\nvoid helper();\nvoid main() { helper(); gl_Position = vec4(attr0, 1.0); }\n");
  Write("link.fglsl", kFragment);
  TGLSL_Program program;
  program.Load(Base("link"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].text.rfind("Program: ", 0), 0u) << messages.messages[0].text;
}

TEST_F(ShaderFiles, BrokenIncludesAreShaderErrorsNotCrashes) {
  Write("inc.vglsl", "#version 130\n\xA3include loop.glsl\nvoid main() {}\n");
  Write("loop.glsl", "\xA3include loop.glsl\n");
  Write("inc.fglsl", "#version 130\n\xA3include missing.glsl\nvoid main() {}\n");
  TGLSL_Program program;
  program.Load(Base("inc"));
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& text = messages.messages[0].text;
  EXPECT_NE(text.find("VS (inc.vglsl):\r"), std::string::npos) << text;
  EXPECT_NE(text.find("loop.glsl"), std::string::npos);
  EXPECT_NE(text.find("FS (inc.fglsl):\r"), std::string::npos);
  EXPECT_NE(text.find("missing.glsl"), std::string::npos);
}

TEST_F(ShaderFiles, FifosDevicesAndFanOutAreShaderErrorsAndLoadingGoesOn) {
  fs::path fifo = folder.Fifo("hostile.vglsl");
  fs::path zero = folder.Link("hostile.fglsl", "/dev/zero");
  TGLSL_Program hostile;
  hostile.Load(Base("hostile"));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Shader Error");
  EXPECT_EQ(messages.messages[0].text, "VS (hostile.vglsl):\rcannot open " + fifo.string() +
                                           ": not a regular file\rFS (hostile.fglsl):\rcannot open " + zero.string() +
                                           ": not a regular file\r");
  EXPECT_FALSE(hostile.Linked());

  for (int i = 0; i < 15; ++i) {
    std::string next = "\xA3include f" + std::to_string(i + 1) + ".glsl\n";
    Write("f" + std::to_string(i) + ".glsl", i == 14 ? "" : next + next + next);
  }
  Write("fan.vglsl", "#version 130\n\xA3include f0.glsl\nvoid main() {}\n");
  Write("fan.fglsl", kFragment);
  TGLSL_Program fan;
  fan.Load(Base("fan"));
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text.rfind("VS (fan.vglsl):\rinclude of f", 0), 0u) << messages.messages[1].text;
  EXPECT_NE(messages.messages[1].text.find("256 includes"), std::string::npos);

  Write("x.vglsl", kVertex);
  Write("x.fglsl", kFragment);
  TGLSL_Program good;
  good.Load(Base("x"));
  EXPECT_TRUE(good.Linked());
  EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(ShaderFiles, SamplersAreBoundUpToTheFirstGap) {
  Write("s.vglsl",
        "#version 130\nin vec3 attr0;\nin vec2 attr1;\nout vec2 uv;\n"
        "void main() { uv = attr1; gl_Position = vec4(attr0, 1.0); }\n");
  Write("s.fglsl",
        "#version 130\nin vec2 uv;\nout vec4 c;\nuniform sampler2D tex0, tex1, tex3;\n"
        "void main() { c = texture(tex0, uv) + texture(tex1, uv) + texture(tex3, uv); }\n");
  TGLSL_Program program;
  program.Load(Base("s"));
  ASSERT_TRUE(program.Linked());
  program.Use();
  EXPECT_EQ(program.SamplerCount(), 2);
  GLint unit = -1;
  glGetUniformiv(program.Name(), program.UniformLocation("tex1"), &unit);
  EXPECT_EQ(unit, 1);
  EXPECT_EQ(glGetAttribLocation(program.Name(), "attr1"), 1);
  EXPECT_EQ(ctx.Error(), static_cast<GLenum>(GL_NO_ERROR));
}
