#include <gtest/gtest.h>

#include "render/GPURenderer.h"

namespace {

TGPU_Record Record(GLuint texture, float marker = 0) {
  TGPU_Record r{};
  r[0] = marker;
  r[10] = static_cast<float>(texture);
  return r;
}

// The caller's per-texture cache, reset at the start of every frame.
struct Cache {
  int32_t list = -1;
  int32_t slot = 0;
};

}  // namespace

TEST(RendererFiling, SixteenTexturesGiveTwoLists) {
  TGPU_Renderer renderer;
  renderer.Begin(1);
  std::vector<Cache> caches(16);
  for (GLuint t = 0; t < 16; ++t) renderer.AddInstance(Record(100 + t), caches[t].list, caches[t].slot);
  ASSERT_EQ(renderer.UsedLists(), 2);
  for (int j = 0; j < 15; ++j) {
    EXPECT_EQ(renderer.List(0).Slot(j), 100u + j);
    EXPECT_EQ(caches[j].list, 0);
    EXPECT_EQ(caches[j].slot, j);
    EXPECT_FLOAT_EQ(renderer.List(0).Records()[j][10], static_cast<float>(j));
  }
  EXPECT_EQ(renderer.List(1).Slot(0), 115u);
  EXPECT_EQ(renderer.List(1).Slot(1), 0u);
  EXPECT_EQ(caches[15].list, 1);
  EXPECT_EQ(caches[15].slot, 0);
}

TEST(RendererFiling, OneTextureAThousandTimesIsOneListOfAThousand) {
  TGPU_Renderer renderer;
  renderer.Begin(1);
  Cache cache;
  for (int i = 0; i < 1000; ++i) renderer.AddInstance(Record(7, static_cast<float>(i)), cache.list, cache.slot);
  ASSERT_EQ(renderer.UsedLists(), 1);
  const TGPU_RenderList& list = renderer.List(0);
  EXPECT_EQ(list.Count(), 1000);
  EXPECT_EQ(list.Capacity(), 1000);
  EXPECT_EQ(list.Slot(0), 7u);
  EXPECT_FLOAT_EQ(list.Records()[999][0], 999);
  EXPECT_FLOAT_EQ(list.Records()[999][10], 0);
}

TEST(RendererFiling, TexturesWithoutCacheFindTheirSlotOrAFreeOne) {
  TGPU_Renderer renderer;
  renderer.Begin(1);
  Cache a, b, again;
  renderer.AddInstance(Record(5), a.list, a.slot);
  renderer.AddInstance(Record(6), b.list, b.slot);
  renderer.AddInstance(Record(5), again.list, again.slot);  // a caller without the cache
  EXPECT_EQ(again.list, 0);
  EXPECT_EQ(again.slot, 0);
  EXPECT_EQ(renderer.List(0).Count(), 3);
}

TEST(RendererFiling, LaterFramesReuseListsAndGrowInHundreds) {
  TGPU_Renderer renderer;
  renderer.Begin(1);
  std::vector<Cache> caches(101 * 15);
  for (size_t t = 0; t < caches.size(); ++t) {
    renderer.AddInstance(Record(static_cast<GLuint>(1 + t)), caches[t].list, caches[t].slot);
  }
  EXPECT_EQ(renderer.UsedLists(), 101);
  EXPECT_EQ(renderer.AllocatedLists(), 101);
  EXPECT_EQ(renderer.ListCapacity(), 200);

  renderer.Begin(1);
  EXPECT_EQ(renderer.UsedLists(), 0);
  Cache cache;
  renderer.AddInstance(Record(9999), cache.list, cache.slot);
  EXPECT_EQ(cache.list, 0);
  EXPECT_EQ(renderer.UsedLists(), 1);
  EXPECT_EQ(renderer.AllocatedLists(), 101);
  EXPECT_EQ(renderer.List(0).Count(), 1);
  EXPECT_EQ(renderer.List(0).Slot(1), 0u);
  EXPECT_EQ(renderer.List(1).Count(), 0);
  EXPECT_EQ(renderer.List(0).Capacity(), 100);  // record memory survives
}
