// The scene's own rules: where the hands go and which outline a pixel picks.
#include <gtest/gtest.h>

#include "standby_painter.h"
#include "standby_scene.h"

using namespace corvela;

namespace {

StandbyScene clockBoxes(const std::array<const char*, 4>& corners, const char* minute,
                        const char* hour) {
  StandbyScene scene;
  for (size_t k = 0; k < 4; ++k) scene.txt[14 + k].text = QString::fromLatin1(corners[k]);
  scene.txtMin.text = QString::fromLatin1(minute);
  scene.txtOra.text = QString::fromLatin1(hour);
  return scene;
}

TEST(HandPlacement, CentreRoundsDownAndNeedsPositiveCorners) {
  StandbyScene odd = clockBoxes({"10", "20", "41", "51"}, "18", "12");
  ASSERT_TRUE(placeHands(odd));
  EXPECT_EQ(QLine(odd.minuteHand.p1, odd.minuteHand.p2), QLine(25, 35, 43, 35));
  EXPECT_EQ(QLine(odd.hourHand.p1, odd.hourHand.p2), QLine(25, 35, 25, 23));
  // Corners given right to left: floor, not truncation, of -31 / 2.
  StandbyScene reversed = clockBoxes({"41", "51", "10", "20"}, "0", "0");
  ASSERT_TRUE(placeHands(reversed));
  EXPECT_EQ(reversed.hourHand.p1, QPoint(25, 35));
  // An empty length is a point; text after the number does not count.
  StandbyScene lengths = clockBoxes({"10", "20", "40", "50"}, "", "12a");
  ASSERT_TRUE(placeHands(lengths));
  EXPECT_EQ(lengths.minuteHand.p2, QPoint(25, 35));
  EXPECT_EQ(lengths.hourHand.p2, QPoint(25, 23));
  // A hostile file's huge numbers place the hands without overflowing.
  StandbyScene huge = clockBoxes({"1", "1", "99999999999999", "5"}, "99999999999999", "1");
  ASSERT_TRUE(placeHands(huge));
  EXPECT_GT(huge.minuteHand.p2.x(), huge.minuteHand.p1.x());

  StandbyScene zero = clockBoxes({"0", "20", "40", "50"}, "18", "12");
  zero.minuteHand.p1 = QPoint(3, 4);
  EXPECT_FALSE(placeHands(zero));
  EXPECT_EQ(zero.minuteHand.p1, QPoint(3, 4));
  StandbyScene empty = clockBoxes({"10", "", "40", "50"}, "18", "12");
  EXPECT_FALSE(placeHands(empty));
}

TEST(Selection, PicksTheSmallestOutlineAndIsDrawnAboveEverything) {
  StandbyScene scene;
  scene.wallpaper = QImage();
  scene.outlines = {{QRect(QPoint(0, 0), QPoint(100, 100)), Qt::black, 0},
                    {QRect(QPoint(10, 10), QPoint(20, 20)), Qt::black, 2},
                    {QRect(QPoint(10, 10), QPoint(20, 20)), Qt::black, 3}};
  EXPECT_EQ(outlineAt(scene, QPoint(50, 50)), 0);
  // Of two equal ones the one drawn last, which lies on top.
  EXPECT_EQ(outlineAt(scene, QPoint(10, 20)), 3);
  EXPECT_EQ(outlineAt(scene, QPoint(101, 50)), -1);

  const QImage plain = renderStandby(scene);
  scene.selected = 0;
  // The soft-key bar covers the outline; the selection still shows.
  scene.softKeys[0].image = QImage(100, 30, QImage::Format_RGB32);
  scene.softKeys[0].image.fill(Qt::green);
  scene.softKeys[0].geometry = QRect(0, 90, 100, 30);
  const QImage picked = renderStandby(scene);
  EXPECT_EQ(picked.pixelColor(100, 95), QColor(0, 120, 255));
  EXPECT_EQ(picked.pixelColor(101, 50), QColor(Qt::white));
  EXPECT_EQ(picked.pixelColor(50, 50), plain.pixelColor(50, 50));
  EXPECT_NE(picked.pixelColor(15, 10), QColor(0, 120, 255));
}

}  // namespace
