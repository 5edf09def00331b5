// The pure rules: what the number boxes let in and where the hands go.
#include <gtest/gtest.h>

#include "hand_placement.h"
#include "number_keys.h"

using namespace corvela;

TEST(NumberKeys, OnlyDigitsAndBackspacePass) {
  for (int c = '0'; c <= '9'; ++c) EXPECT_EQ(OnlyNumberKeyPress(c), c);
  EXPECT_EQ(OnlyNumberKeyPress(8), 8);
  // Letters, signs, blank, Enter, the clipboard shortcuts, a non-ASCII digit.
  for (int c : std::initializer_list<int>{'a', 'Z', '-', '+', ' ', '\r', 3, 22, 24, 0x0663}) {
    EXPECT_EQ(OnlyNumberKeyPress(c), 0) << c;
  }
  EXPECT_TRUE(passesNumberKeys(u"12"));
  EXPECT_TRUE(passesNumberKeys(u""));
  EXPECT_FALSE(passesNumberKeys(u"1a"));
}

TEST(NumberKeys, ArrivingTextKeepsItsDigitsUpToTheLimit) {
  EXPECT_EQ(numberBoxText(u" 1a2-b3c4", kNumberBoxLimit), "123");
  EXPECT_EQ(numberBoxText(u"007", kNumberBoxLimit), "007");
  EXPECT_EQ(numberBoxText(u"-5", kOffsetBoxLimit), "5");
  EXPECT_EQ(numberBoxText(u"x", kNumberBoxLimit), "");
}

TEST(HandPlacement, CentreRoundsDownAndNeedsPositiveCorners) {
  const auto odd = placeHands(std::array<std::int64_t, 4>{10, 20, 41, 51}, 18, 12);
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->minute, QLine(25, 35, 43, 35));
  EXPECT_EQ(odd->hour, QLine(25, 35, 25, 23));
  const auto even = placeHands(std::array<std::int64_t, 4>{10, 20, 40, 50}, 18, 12);
  ASSERT_TRUE(even);
  EXPECT_EQ(even->minute.p1(), QPoint(25, 35));
  // Corners given right to left: floor, not truncation, of -31 / 2.
  const auto reversed = placeHands(std::array<std::int64_t, 4>{41, 51, 10, 20}, 0, 0);
  ASSERT_TRUE(reversed);
  EXPECT_EQ(reversed->hour.p1(), QPoint(25, 35));

  EXPECT_FALSE(placeHands(std::array<std::int64_t, 4>{0, 20, 40, 50}, 18, 12));
  EXPECT_FALSE(placeHands(std::array<std::int64_t, 4>{10, 20, 40, -1}, 18, 12));
  // From the boxes' texts: an empty box counts as 0, an empty length as a point.
  EXPECT_FALSE(placeHands({u"10", u"", u"40", u"50"}, u"18", u"12"));
  const auto boxes = placeHands({u"10", u"20", u"40", u"50"}, u"", u"12a");
  ASSERT_TRUE(boxes);
  EXPECT_EQ(boxes->minute, QLine(25, 35, 25, 35));
  EXPECT_EQ(boxes->hour, QLine(25, 35, 25, 23));
}
