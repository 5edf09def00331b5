// The pure rules: what the number boxes let in.
#include <gtest/gtest.h>

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
