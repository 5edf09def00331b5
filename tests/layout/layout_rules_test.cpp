// The pure rules: what the number boxes let in.
#include <gtest/gtest.h>

#include "number_keys.h"
#include "rect_drag.h"

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

TEST(RectDrag, EdgesAreTheOutlineAndThePixelOutsideAndResizeTheCornerHeld) {
  const QRect box(QPoint(80, 204), QPoint(84, 213));  // a soft key, five pixels wide
  EXPECT_EQ(gripAt(box, QPoint(82, 208)), GripMove);
  EXPECT_EQ(gripAt(box, QPoint(79, 208)), GripLeft);
  EXPECT_EQ(gripAt(box, QPoint(84, 208)), GripRight);
  EXPECT_EQ(gripAt(box, QPoint(85, 214)), GripRight | GripBottom);
  EXPECT_EQ(gripAt(box, QPoint(80, 204)), GripLeft | GripTop);
  EXPECT_EQ(gripAt(box, QPoint(86, 208)), GripNone);

  using Corners = std::array<std::int64_t, 4>;
  EXPECT_EQ(dragCorners({10, 20, 100, 35}, GripMove, QPoint(-3, 4)), (Corners{7, 24, 97, 39}));
  EXPECT_EQ(dragCorners({10, 20, 100, 35}, GripRight | GripTop, QPoint(5, -2)),
            (Corners{10, 18, 105, 35}));
  // A row written right to left: the left edge is its x2.
  EXPECT_EQ(dragCorners({100, 35, 10, 20}, GripLeft | GripBottom, QPoint(2, 1)),
            (Corners{100, 36, 12, 20}));
}
