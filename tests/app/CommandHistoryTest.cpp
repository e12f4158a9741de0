#include <gtest/gtest.h>

#include "app/CommandHistory.h"

TEST(CommandHistory, WalksBackToTheOldestAndForwardPastTheNewest) {
  TCommandHistory history;
  EXPECT_EQ(history.Older(), "");
  EXPECT_EQ(history.Newer(), "");
  for (const char* line : {"a", "b", "", "b", "c"}) history.Add(line);
  EXPECT_EQ(history.Size(), 3u);  // no empty line, no repeat of the newest
  EXPECT_EQ(history.Older(), "c");
  EXPECT_EQ(history.Older(), "b");
  EXPECT_EQ(history.Older(), "a");
  EXPECT_EQ(history.Older(), "a");
  EXPECT_EQ(history.Newer(), "b");
  EXPECT_EQ(history.Newer(), "c");
  EXPECT_EQ(history.Newer(), "");
  EXPECT_EQ(history.Newer(), "");
  // Entering a line, even an old one again, starts the walk at the newest.
  history.Older();
  history.Older();
  history.Add("b");
  EXPECT_EQ(history.Older(), "b");
  EXPECT_EQ(history.Older(), "c");
}

TEST(CommandHistory, KeepsOnlyTheNewestLines) {
  TCommandHistory history;
  for (size_t i = 0; i < TCommandHistory::kMaxLines + 10; ++i) history.Add(std::to_string(i));
  EXPECT_EQ(history.Size(), TCommandHistory::kMaxLines);
  std::string oldest;
  for (size_t i = 0; i < TCommandHistory::kMaxLines + 5; ++i) oldest = history.Older();
  EXPECT_EQ(oldest, "10");
}
