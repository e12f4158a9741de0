#include <gtest/gtest.h>

#include "shell/KeyMap.h"

namespace {

TEST(KeyMapTest, GivesTheVirtualKeysTheGuiTests) {
  const std::pair<int, int> keys[] = {
      {Qt::Key_Backspace, 8}, {Qt::Key_Shift, 16},  {Qt::Key_End, 35},    {Qt::Key_Home, 36},
      {Qt::Key_Left, 37},     {Qt::Key_Up, 38},     {Qt::Key_Right, 39},  {Qt::Key_Down, 40},
      {Qt::Key_Delete, 46},   {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_F1, 112},
      {Qt::Key_A, 'A'},       {Qt::Key_Z, 'Z'},     {Qt::Key_0, '0'},     {Qt::Key_9, '9'},
  };
  for (auto [qtKey, code] : keys) EXPECT_EQ(VirtualKey(qtKey, Qt::NoModifier), code) << qtKey;
}

TEST(KeyMapTest, ShiftedSymbolsGiveTheirUnshiftedKey) {
  EXPECT_EQ(VirtualKey(Qt::Key_Exclam, Qt::ShiftModifier), '1');
  EXPECT_EQ(VirtualKey(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
  EXPECT_EQ(VirtualKey(Qt::Key_Underscore, Qt::ShiftModifier), VirtualKey(Qt::Key_Minus, Qt::NoModifier));
  EXPECT_EQ(VirtualKey(Qt::Key_Colon, Qt::ShiftModifier), 186);
}

TEST(KeyMapTest, KeypadHasItsOwnCodes) {
  EXPECT_EQ(VirtualKey(Qt::Key_0, Qt::KeypadModifier), 96);
  EXPECT_EQ(VirtualKey(Qt::Key_7, Qt::KeypadModifier), 103);
  EXPECT_EQ(VirtualKey(Qt::Key_Plus, Qt::KeypadModifier), 107);
  // Keypad arrows (NumLock off) are the ordinary arrows.
  EXPECT_EQ(VirtualKey(Qt::Key_Left, Qt::KeypadModifier), 37);
}

TEST(KeyMapTest, UnknownKeysGiveNoCode) {
  EXPECT_EQ(VirtualKey(Qt::Key_VolumeUp, Qt::NoModifier), 0);
  EXPECT_EQ(VirtualKey(Qt::Key_unknown, Qt::NoModifier), 0);
}

TEST(KeyMapTest, ControlLettersBecomeControlCodes) {
  EXPECT_EQ(CharCodes(Qt::Key_C, Qt::ControlModifier, u"c"), u"\x03");
  EXPECT_EQ(CharCodes(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, u"V"), u"\x16");
  EXPECT_EQ(CharCodes(Qt::Key_X, Qt::ControlModifier, u""), u"\x18");
  EXPECT_EQ(CharCodes(Qt::Key_A, Qt::ShiftModifier, u"A"), u"A");
  EXPECT_EQ(CharCodes(Qt::Key_E, Qt::NoModifier, u"\u00e9"), u"\u00e9");
  EXPECT_EQ(CharCodes(Qt::Key_Shift, Qt::ShiftModifier, u""), u"");
  EXPECT_EQ(CharCodes(Qt::Key_Delete, Qt::NoModifier, u"\x7f"), u"");
}

}  // namespace
