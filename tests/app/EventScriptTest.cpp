#include <gtest/gtest.h>

#include "headless/EventScript.h"
#include "headless/Runner.h"

using Kind = TScriptedEvent::Kind;

TEST(EventScript, ParsesEveryKindWithItsNumbers) {
  std::vector<std::string> errors;
  auto events = ParseEventScript(
      "# a comment line\n"
      "0 move 10 20\n"
      "1 down 0 11 21   # trailing comment\n"
      "1 up 2 12 22\r\n"
      "\n"
      "3 wheel -120 5 6\n"
      "4 keydown 37\n"
      "4 keyup 37\n"
      "5 char 233\n",
      errors);
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[0].kind, Kind::MouseMove);
  EXPECT_EQ(events[0].x, 10);
  EXPECT_EQ(events[0].y, 20);
  EXPECT_EQ(events[1].kind, Kind::MouseDown);
  EXPECT_EQ(events[1].frame, 1);
  EXPECT_EQ(events[1].a, 0);
  EXPECT_EQ(events[2].a, 2);
  EXPECT_EQ(events[3].kind, Kind::Wheel);
  EXPECT_EQ(events[3].a, -120);
  EXPECT_EQ(events[5].kind, Kind::KeyUp);
  EXPECT_EQ(events[6].kind, Kind::Char);
  EXPECT_EQ(events[6].a, 233);
}

TEST(EventScript, BadLinesAreReportedByNumberAndSkipped) {
  std::vector<std::string> errors;
  auto events = ParseEventScript(
      "x move 1 2\n"
      "-1 move 1 2\n"
      "2 jump 1\n"
      "3 down 0 1\n"
      "4 move 1 2 3\n"
      "5 keydown 65\n"
      "6\n",
      errors);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].a, 65);
  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[0], "line 1: expected a frame number");
  EXPECT_EQ(errors[2], "line 3: unknown event 'jump'");
  EXPECT_EQ(errors[3], "line 4: down takes 3 numbers");
  EXPECT_EQ(errors[4], "line 5: unexpected '3'");
  EXPECT_EQ(errors[5], "line 7: expected an event name");
}

TEST(EventScript, NumbersOutOfTheirRangeAreRefusedNamingTheRange) {
  std::vector<std::string> errors;
  auto events = ParseEventScript(
      "100000001 move 1 2\n"
      "99999999999999999999 move 1 2\n"
      "1 move 65537 0\n"
      "1 down 3 0 0\n"
      "1 wheel 120001 0 0\n"
      "1 char 65536\n"
      "1 keydown 1e3\n"
      "100000000 move -65536 65536\n",
      errors);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].frame, 100000000);
  EXPECT_EQ(events[0].x, -65536);
  ASSERT_EQ(errors.size(), 7u);
  EXPECT_EQ(errors[0], "line 1: frame '100000001' is out of range (0 to 100000000)");
  EXPECT_EQ(errors[1], "line 2: frame '99999999999999999999' is out of range (0 to 100000000)");
  EXPECT_EQ(errors[2], "line 3: move: x '65537' is out of range (-65536 to 65536)");
  EXPECT_EQ(errors[3], "line 4: down: button '3' is out of range (0 to 2)");
  EXPECT_EQ(errors[4], "line 5: wheel: delta '120001' is out of range (-120000 to 120000)");
  EXPECT_EQ(errors[5], "line 6: char: code '65536' is out of range (0 to 65535)");
  EXPECT_EQ(errors[6], "line 7: keydown: code '1e3' is not a whole number");
}

TEST(EventScript, HugeTokensAreQuotedShortAndManyBadLinesSummed) {
  std::vector<std::string> errors;
  ParseEventScript("0 move 1 2 " + std::string(1 << 20, '\x01') + "\n", errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "line 1: unexpected '" + std::string(32, '?') + "'... (1048576 bytes)");

  errors.clear();
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += "bad\n";
  ParseEventScript(lines, errors);
  ASSERT_EQ(errors.size(), 21u);
  EXPECT_EQ(errors[19], "line 20: expected a frame number");
  EXPECT_EQ(errors[20], "980 more lines with errors");
}

TEST(FrameStats, SummariesUseSortedFrameTimes) {
  std::vector<double> ms;
  for (int i = 100; i >= 1; --i) ms.push_back(i);
  TFrameStats s = SummariseFrameTimes(ms, 2.0);
  EXPECT_EQ(s.frames, 100);
  EXPECT_EQ(s.minMs, 1);
  EXPECT_EQ(s.medianMs, 50);
  EXPECT_EQ(s.p99Ms, 99);
  EXPECT_EQ(s.fps, 50);
  EXPECT_EQ(FormatStats(s), "frames=100 min_ms=1.000 median_ms=50.000 p99_ms=99.000 fps=50.0");
  EXPECT_EQ(SummariseFrameTimes({}, 0).frames, 0);
  EXPECT_EQ(SummariseFrameTimes({7}, 0.007).p99Ms, 7);
}
