// Where batched quads split into draw calls, on the recording renderer, which follows
// the GL object's rule.
#include <gtest/gtest.h>

#include "RecordingRenderer.h"

namespace {

constexpr GLuint kPageA = 50, kPageB = 51;

void Quad(RecordingRenderer& r) { r.DrawQuad(0, 0, 8, 8, 0, 0, 1, 1); }

// The batch each recorded quad went into.
std::vector<int> Batches(const RecordingRenderer& r) {
  std::vector<int> batches;
  for (const auto& q : r.quads) batches.push_back(q.batch);
  return batches;
}

}  // namespace

TEST(QuadBatch, QuadsOfOnePageWithChangingSettingsShareOneDraw) {
  RecordingRenderer r;
  r.BindTexture(0, kPageA);
  for (int i = 0; i < 100; ++i) {
    r.SetColour(i / 100.0f, 1, 1, 1);
    r.SetQuadType(i % 2 ? QT_DistanceText : QT_CoverageText);
    r.BindTexture(0, kPageA);  // as every glyph binds its page again
    Quad(r);
  }
  EXPECT_EQ(r.Flushes(), 0);
  r.FlushQuads();
  EXPECT_EQ(r.Flushes(), 1);
  r.FlushQuads();
  EXPECT_EQ(r.Flushes(), 1) << "nothing pending, nothing drawn";
}

TEST(QuadBatch, ATextureOrClipChangeSplitsTheBatchExactlyThere) {
  RecordingRenderer r;
  r.BindTexture(0, kPageA);
  Quad(r);
  Quad(r);
  r.BindTexture(0, kPageB);  // split
  Quad(r);
  r.EnableScissor(true);  // split
  Quad(r);
  r.SetScissor(0, 0, 10, 10);  // split: clipping is on
  Quad(r);
  r.SetScissor(0, 0, 10, 10);  // the same rectangle
  Quad(r);
  r.SetBlend(false);  // split
  Quad(r);
  r.BindTexture(3, kPageA);  // another unit: split
  Quad(r);
  r.Clear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(Batches(r), (std::vector<int>{0, 0, 1, 2, 3, 3, 4, 5}));
  EXPECT_EQ(r.Flushes(), 6);

  RecordingRenderer unclipped;
  Quad(unclipped);
  unclipped.SetScissor(0, 0, 10, 10);  // clipping is off: the quads do not depend on it
  Quad(unclipped);
  EXPECT_EQ(Batches(unclipped), (std::vector<int>{0, 0}));
}

TEST(QuadBatch, FillsBetweenTextOfOnePageShareItsBatch) {
  RecordingRenderer r;
  r.BindTexture(0, kPageA);
  Quad(r);
  r.BindTexture(0, r.whiteTexture);  // a fill samples nothing
  Quad(r);
  r.BindTexture(0, kPageA);
  Quad(r);
  r.BindTexture(0, r.whiteTexture);
  Quad(r);
  r.BindTexture(0, kPageB);  // other text: split
  Quad(r);
  EXPECT_EQ(Batches(r), (std::vector<int>{0, 0, 0, 0, 1}));
  EXPECT_EQ(r.quads[1].texture, r.whiteTexture) << "the quad keeps the texture its caller bound";
}

TEST(QuadBatch, OtherDrawsAndTextureChangesDrawThePendingQuadsFirst) {
  RecordingRenderer r;
  r.BindTexture(0, kPageA);
  Quad(r);
  r.QuadBindShader();  // program and matrices
  Quad(r);
  r.QuadBindVBO();
  Quad(r);
  r.CreateTexture(2, 2, GL_RGBA, GL_RGBA, nullptr, false, false);  // binds on unit 0
  Quad(r);
  r.UpdateTexture(kPageA, 2, 2, GL_RGBA, nullptr);
  Quad(r);
  r.DeleteTexture(kPageA);
  Quad(r);
  r.DeleteTexture(kPageB);  // used by nothing pending
  Quad(r);
  r.Swap();
  EXPECT_EQ(Batches(r), (std::vector<int>{0, 1, 2, 3, 4, 5, 5}));
  EXPECT_EQ(r.Flushes(), 6);
}
