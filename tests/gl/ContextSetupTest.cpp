#include <gtest/gtest.h>

#include <vector>

#include "gl/OGL.h"

namespace {

// A surface that offers a fixed set of formats and records what it was asked.
class ScriptedSurface : public IGLSurface {
 public:
  int maxSamples = 0;
  bool acceptRequest = true;
  bool acceptDefault = true;
  std::vector<int> probed;
  std::vector<TPixelFormatRequest> requests;
  int multisampleSet = 0;

  bool SetPixelFormat(const TPixelFormatRequest& r) override {
    requests.push_back(r);
    return requests.size() == 1 ? acceptRequest : acceptDefault;
  }
  bool HasMultisampleFormat(int samples) override {
    probed.push_back(samples);
    return samples <= maxSamples;
  }
  void SetMultisampleFormat(int samples) override { multisampleSet = samples; }
  // Stops Init before any GL call: these tests run without a context.
  bool CreateContext(const char*& error) override {
    error = "RC must not be 0";
    return false;
  }
  void ReleaseContext() override {}
  void Swap() override {}
  bool HasSwapInterval() const override { return false; }
  void SetSwapInterval(int) override {}
  int SwapInterval() const override { return 0; }
};

std::string InitError(TOGL& gl, ScriptedSurface& surface, TPixelFormatRequest request, int samples) {
  try {
    gl.Init(&surface, request, 640, 480, samples);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(ContextSetup, MultisampleSearchHalvesUntilAFormatExists) {
  TOGL gl(0.1, 40000, 45);
  ScriptedSurface surface;
  surface.maxSamples = 4;
  EXPECT_EQ(InitError(gl, surface, TPixelFormatRequest::Default(), 8), "RC must not be 0");
  EXPECT_EQ(surface.probed, (std::vector<int>{8, 4}));
  EXPECT_EQ(surface.multisampleSet, 4);
  EXPECT_TRUE(gl.Multisample());
  EXPECT_TRUE(surface.requests.empty());
  EXPECT_FALSE(gl.Initialised());
}

TEST(ContextSetup, WithoutMultisampleFormatsTheRequestIsUsed) {
  TOGL gl(0.1, 40000, 45);
  ScriptedSurface surface;
  InitError(gl, surface, TPixelFormatRequest::Default(), 8);
  EXPECT_EQ(surface.probed, (std::vector<int>{8, 4, 2}));
  EXPECT_FALSE(gl.Multisample());
  ASSERT_EQ(surface.requests.size(), 1u);
  EXPECT_EQ(surface.requests[0].colourBits, 32);
  EXPECT_EQ(surface.requests[0].depthBits, 16);
  EXPECT_EQ(surface.requests[0].stencilBits, 0);
}

TEST(ContextSetup, AnUnmatchedRequestFallsBackToTheDefaultThenFails) {
  TOGL gl(0.1, 40000, 45);
  ScriptedSurface surface;
  TPixelFormatRequest odd = TPixelFormatRequest::Default();
  odd.depthBits = 64;
  surface.acceptRequest = false;
  EXPECT_EQ(InitError(gl, surface, odd, 0), "RC must not be 0");
  ASSERT_EQ(surface.requests.size(), 2u);
  EXPECT_EQ(surface.requests[1].depthBits, 16);

  ScriptedSurface none;
  none.acceptRequest = none.acceptDefault = false;
  EXPECT_EQ(InitError(gl, none, odd, 0), "TOGL.SetPF: PF = 0");
  EXPECT_FALSE(gl.Initialised());
}

TEST(ContextSetup, ResizeBeforeInitOnlyStoresTheSize) {
  TOGL gl(0.1, 40000, 45);
  gl.Resize(800, 0);
  EXPECT_EQ(gl.Width(), 800);
  EXPECT_EQ(gl.Height(), 1);
  EXPECT_EQ(gl.projection, IdentityMatrix());
  EXPECT_FALSE(gl.GetVSync());
  EXPECT_EQ(OGL(), &gl);
  EXPECT_FALSE(OGLReady());
}
