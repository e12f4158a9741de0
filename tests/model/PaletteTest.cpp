#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <sstream>

#include "model/Palette.h"
#include "model/PaletteList.h"
#include "model/PaletteStore.h"

namespace {

std::array<uint8_t, 3> Entry(const TPalette& p, int i) { return {p[3 * i], p[3 * i + 1], p[3 * i + 2]}; }

TPalette Numbered(uint32_t n) {
  TPalette p = GreyRamp();
  p[0] = static_cast<uint8_t>(n);
  p[1] = static_cast<uint8_t>(n >> 8);
  p[2] = static_cast<uint8_t>(n >> 16);
  return p;
}

}  // namespace

TEST(PaletteFile, GreyRampAndP16Widening) {
  TPalette grey = GreyRamp();
  EXPECT_EQ(Entry(grey, 200), (std::array<uint8_t, 3>{200, 200, 200}));

  std::string bytes(512, '\0');
  bytes[2] = '\x00';  // entry 1: 0xF800, pure red
  bytes[3] = '\xF8';
  bytes[4] = '\xFF';  // entry 2: 0xFFFF
  bytes[5] = '\xFF';
  std::istringstream in(bytes);
  TPalette p = GreyRamp();
  ReadPalette16(in, p);
  EXPECT_EQ(Entry(p, 1), (std::array<uint8_t, 3>{0, 0, 248}));  // blue, green, red
  EXPECT_EQ(Entry(p, 2), (std::array<uint8_t, 3>{248, 252, 248}));
  EXPECT_EQ(Entry(p, 255), (std::array<uint8_t, 3>{0, 0, 0}));
}

TEST(PaletteFile, ShortFileFillsOnlyItsEntries) {
  std::istringstream in(std::string("\xFF\xFF\x1F\x00\xAB", 5));  // two entries and half of a third
  TPalette p = GreyRamp();
  ReadPalette16(in, p);
  EXPECT_EQ(Entry(p, 0), (std::array<uint8_t, 3>{248, 252, 248}));
  EXPECT_EQ(Entry(p, 1), (std::array<uint8_t, 3>{248, 0, 0}));
  EXPECT_EQ(Entry(p, 2), (std::array<uint8_t, 3>{2, 2, 2}));
  std::istringstream empty("");
  ReadPalette16(empty, p);
  EXPECT_EQ(Entry(p, 3), (std::array<uint8_t, 3>{3, 3, 3}));
}

TEST(PaletteFile, SideColourRamp) {
  TPalette p = GreyRamp();
  ApplySideColour(p, 255, 0, 0);
  EXPECT_EQ(Entry(p, 0), (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(Entry(p, 1), (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(Entry(p, 12), (std::array<uint8_t, 3>{0, 0, 121}));
  EXPECT_EQ(Entry(p, 24), (std::array<uint8_t, 3>{0, 0, 255}));
  EXPECT_EQ(Entry(p, 25), (std::array<uint8_t, 3>{25, 25, 25}));
  ApplySideColour(p, 10, 20, 230);
  EXPECT_EQ(Entry(p, 24), (std::array<uint8_t, 3>{230, 20, 10}));
}

TEST(PaletteList, HashIsTheUninvertedCrc) {
  TPalette p = GreyRamp();
  EXPECT_EQ(TSmartPaletteList::Hash(p), ~static_cast<uint32_t>(crc32(0, p.data(), 768)));
  TPalette zero{};
  EXPECT_EQ(TSmartPaletteList::Hash(zero), 0x0A5F0BEAu);  // ~0xF5A0F415, the CRC-32 of 768 zero bytes
}

TEST(PaletteList, SharesByContentAndReleases) {
  TPaletteStore store;
  TSmartPaletteList list(store);
  TPalette a = GreyRamp();
  int32_t first = list.Acquire(a);
  EXPECT_EQ(list.Acquire(a), first);
  EXPECT_EQ(list.Entry(first).refCount, 2u);
  EXPECT_EQ(store.UsedSlots(0), 1);

  TPalette b = a;
  b[767] ^= 1;  // differs in one byte of entry 255
  int32_t second = list.Acquire(b);
  EXPECT_NE(second, first);
  EXPECT_EQ(std::memcmp(store.SlotData(list.Entry(second).slot), b.data(), 768), 0);

  list.Release(first);
  EXPECT_NE(list.Entry(first).palette, nullptr);
  list.Release(first);
  EXPECT_EQ(list.Entry(first).palette, nullptr);
  EXPECT_EQ(store.UsedSlots(0), 1);
  EXPECT_EQ(list.Count(), 2);                   // a middle entry leaves the count
  EXPECT_EQ(list.Acquire(Numbered(9)), first);  // and is reused
  // Releasing foreign or freed entries changes nothing.
  list.Release(-1);
  list.Release(99);
  EXPECT_EQ(list.Count(), 2);
}

TEST(PaletteList, ReleasingTheLastEntryLowersCountPastFreeOnes) {
  TPaletteStore store;
  TSmartPaletteList list(store);
  int32_t e0 = list.Acquire(Numbered(0));
  int32_t e1 = list.Acquire(Numbered(1));
  int32_t e2 = list.Acquire(Numbered(2));
  list.Release(e1);
  EXPECT_EQ(list.Count(), 3);
  list.Release(e2);
  EXPECT_EQ(list.Count(), 1);
  list.Release(e0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 100);
}

TEST(PaletteList, ReplaceKeepsAnEqualPalette) {
  TPaletteStore store;
  TSmartPaletteList list(store);
  TPalette a = GreyRamp();
  int32_t e = list.Acquire(a);
  EXPECT_EQ(list.Replace(e, a), e);
  EXPECT_EQ(list.Entry(e).refCount, 1u);

  TPalette red = a;
  ApplySideColour(red, 255, 0, 0);
  int32_t shared = list.Acquire(red);
  int32_t replaced = list.Replace(e, red);
  EXPECT_EQ(replaced, shared);
  EXPECT_EQ(list.Entry(shared).refCount, 2u);
  EXPECT_EQ(list.Entry(e).palette, nullptr);
}

TEST(PaletteList, CountsPastSixteenBits) {
  TPaletteStore store;
  TSmartPaletteList list(store);
  TPalette a = GreyRamp();
  int32_t e = 0;
  for (int i = 0; i < 70000; ++i) e = list.Acquire(a);
  for (int i = 0; i < 69999; ++i) list.Release(e);
  EXPECT_NE(list.Entry(e).palette, nullptr);
  list.Release(e);
  EXPECT_EQ(list.Entry(e).palette, nullptr);
}

TEST(PaletteStore, SlotsAndPages) {
  TPaletteStore store;
  EXPECT_EQ(store.SlotData(0), nullptr);
  EXPECT_EQ(store.AllocateSlot(), 0);
  EXPECT_EQ(store.AllocateSlot(), 1);
  EXPECT_EQ(store.SlotData(1) - store.SlotData(0), 768);
  store.FreeSlot(0);
  store.FreeSlot(0);
  EXPECT_EQ(store.UsedSlots(0), 1);
  EXPECT_EQ(store.AllocateSlot(), 0);
  // Slots beyond the last page are ignored.
  EXPECT_EQ(store.SlotData(TPaletteStore::kSlotsPerPage), nullptr);
  store.FreeSlot(TPaletteStore::kSlotsPerPage);
  store.MarkDirty(-5);
  EXPECT_EQ(store.PageTexture(0), 0u);
}

TEST(PaletteStore, The16385thPaletteOpensASecondPage) {
  TPaletteStore store;
  TSmartPaletteList list(store);
  int32_t last = 0;
  for (uint32_t i = 0; i < 16385; ++i) last = list.Acquire(Numbered(i));
  EXPECT_EQ(store.PageCount(), 2);
  EXPECT_EQ(list.Entry(last).slot, 16384);
  EXPECT_EQ(store.UsedSlots(1), 1);
  // A slot freed on page 0 is taken again before page 1's next one.
  list.Release(5);
  EXPECT_EQ(list.Entry(list.Acquire(Numbered(99999))).slot, 5);
}
