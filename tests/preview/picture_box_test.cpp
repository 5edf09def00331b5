#include "picture_box.h"

#include "support.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using corvela::PictureBox;
using corvela::test::pixel;
using corvela::test::render;
using corvela::test::solid;

namespace {

// Coordinates inside a one-pixel border.
constexpr int kBorder = 1;

class PictureBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    box.setFixedSize(40, 30);
    box.setBackColor(Qt::blue);
  }

  QColor inside(const QImage& image, int x, int y) const {
    return pixel(image, x + kBorder, y + kBorder);
  }

  PictureBox box;
};

TEST_F(PictureBoxTest, RectangleFillsInsideAndOutlinesBothCornersInclusive) {
  box.drawRect(QRect(QPoint(2, 3), QPoint(10, 8)), Qt::yellow, Qt::red);
  const QImage image = render(&box);

  for (const QPoint corner : {QPoint(2, 3), QPoint(10, 3), QPoint(2, 8), QPoint(10, 8)})
    EXPECT_EQ(inside(image, corner.x(), corner.y()), QColor(Qt::red))
        << corner.x() << "," << corner.y();
  EXPECT_EQ(inside(image, 6, 3), QColor(Qt::red));  // top edge
  EXPECT_EQ(inside(image, 2, 5), QColor(Qt::red));  // left edge
  EXPECT_EQ(inside(image, 3, 4), QColor(Qt::yellow));
  EXPECT_EQ(inside(image, 9, 7), QColor(Qt::yellow));
  // Nothing spills beyond the given corners.
  EXPECT_EQ(inside(image, 11, 8), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 10, 9), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 1, 3), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 2, 2), QColor(Qt::blue));
}

TEST_F(PictureBoxTest, CornersInReverseOrderGiveTheSameRectangle) {
  box.drawRect(QRect(QPoint(10, 8), QPoint(2, 3)), QColor(), Qt::green);
  const QImage image = render(&box);
  EXPECT_EQ(inside(image, 2, 3), QColor(Qt::green));
  EXPECT_EQ(inside(image, 10, 8), QColor(Qt::green));
  // No fill colour: the inside keeps the background.
  EXPECT_EQ(inside(image, 5, 5), QColor(Qt::blue));
}

TEST_F(PictureBoxTest, ZeroSizedRectangleDrawsExactlyOnePixel) {
  box.drawRect(QRect(QPoint(0, 0), QPoint(0, 0)), Qt::green, Qt::green);
  const QImage image = render(&box);
  EXPECT_EQ(inside(image, 0, 0), QColor(Qt::green));
  EXPECT_EQ(inside(image, 1, 0), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 0, 1), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 1, 1), QColor(Qt::blue));
}

TEST_F(PictureBoxTest, LayersAreBackgroundThenPictureThenDrawing) {
  box.setPicture(solid(20, 10, Qt::magenta));
  box.drawRect(QRect(QPoint(15, 5), QPoint(25, 12)), Qt::yellow, Qt::yellow);
  QImage image = render(&box);

  EXPECT_EQ(inside(image, 0, 0), QColor(Qt::magenta));  // picture at the top-left inside the border
  EXPECT_EQ(inside(image, 19, 0), QColor(Qt::magenta));
  EXPECT_EQ(inside(image, 0, 9), QColor(Qt::magenta));
  EXPECT_EQ(inside(image, 20, 0), QColor(Qt::blue));  // background beside the picture
  EXPECT_EQ(inside(image, 0, 10), QColor(Qt::blue));
  EXPECT_EQ(inside(image, 16, 6), QColor(Qt::yellow));  // drawing over the picture
  EXPECT_NE(pixel(image, 0, 0), QColor(Qt::magenta));   // the border is not painted over

  box.clearDrawing();
  image = render(&box);
  EXPECT_EQ(inside(image, 16, 6), QColor(Qt::magenta));
  EXPECT_EQ(inside(image, 22, 11), QColor(Qt::blue));

  box.clearPicture();
  EXPECT_FALSE(box.hasPicture());
  EXPECT_EQ(inside(render(&box), 0, 0), QColor(Qt::blue));
}

TEST_F(PictureBoxTest, BorderCanBeRemovedAndTheContentMovesToTheEdge) {
  box.setPicture(solid(20, 10, Qt::magenta));
  ASSERT_TRUE(box.isBordered());
  EXPECT_NE(pixel(render(&box), 0, 0), QColor(Qt::magenta));

  box.setBordered(false);
  EXPECT_FALSE(box.isBordered());
  const QImage image = render(&box);
  EXPECT_EQ(pixel(image, 0, 0), QColor(Qt::magenta));
  EXPECT_EQ(pixel(image, 39, 29), QColor(Qt::blue));  // no frame left in the far corner either

  box.setBordered(true);
  EXPECT_TRUE(box.isBordered());
  EXPECT_NE(pixel(render(&box), 39, 29), QColor(Qt::blue));
}

TEST(PictureBoxAutoSize, BoxFitsItsPictureInsideTheBorder) {
  PictureBox box;
  box.setAutoSize(true);
  box.setPicture(solid(30, 12, Qt::red));
  EXPECT_EQ(box.size(), QSize(32, 14));

  box.setBordered(false);
  EXPECT_EQ(box.size(), QSize(30, 12));

  box.setPicture(solid(7, 5, Qt::red));
  EXPECT_EQ(box.size(), QSize(7, 5));

  // Clearing keeps the last size, as there is nothing to fit.
  box.clearPicture();
  EXPECT_EQ(box.size(), QSize(7, 5));
}

TEST(PictureBoxAutoSize, WithoutAutoSizeTheBoxKeepsItsSize) {
  PictureBox box;
  box.setFixedSize(79, 22);
  box.setPicture(solid(120, 40, Qt::red));
  EXPECT_EQ(box.size(), QSize(79, 22));
}

TEST(PictureBoxClick, LeftClickEmitsOnlyWhileEnabled) {
  PictureBox box;
  box.setFixedSize(40, 30);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  QSignalSpy clicked(&box, &PictureBox::clicked);

  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicked.count(), 1);

  QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicked.count(), 1);

  // Pressed inside, released outside: no click.
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(60, 10));
  EXPECT_EQ(clicked.count(), 1);

  box.setEnabled(false);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicked.count(), 1);

  box.setEnabled(true);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicked.count(), 2);
}

}  // namespace
