#include "desktop_surface.h"
#include "font_substitutions.h"

#include "support.h"

#include <QFont>
#include <QFontInfo>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

using corvela::DesktopSurface;
using corvela::HandLine;
using corvela::Outline;
using corvela::test::pixel;
using corvela::test::render;
using corvela::test::solid;

namespace {

class DesktopSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
  }

  // A plain white screen with no texts, so single pixels can be checked.
  void blank() {
    surface.clearPicture();
    surface.setBackColor(Qt::white);
    surface.lblOperatore->hide();
    surface.lblData->hide();
    surface.lblOra->hide();
  }

  DesktopSurface surface;
};

TEST_F(DesktopSurfaceTest, ScreenHasThePhonesSizeAndItsElements) {
  EXPECT_EQ(surface.size(), QSize(176, 220));
  EXPECT_EQ(surface.minimumSize(), QSize(176, 220));
  EXPECT_EQ(surface.maximumSize(), QSize(176, 220));
  EXPECT_EQ(surface.objectName(), QStringLiteral("PicDesktop"));
  EXPECT_EQ(surface.accessibleName(), QStringLiteral("PicDesktop"));

  EXPECT_EQ(surface.lblOperatore->geometry(), QRect(7, 19, 158, 17));
  EXPECT_EQ(surface.lblOperatore->text(), QStringLiteral("vodafone IT"));
  EXPECT_EQ(surface.lblData->geometry(), QRect(7, 40, 158, 17));
  EXPECT_EQ(surface.lblData->text(), QStringLiteral("data"));
  EXPECT_EQ(surface.lblOra->text(), QStringLiteral("ora"));
  EXPECT_TRUE(surface.lblOra->alignment() & Qt::AlignRight);
  for (const QLabel* text : {surface.lblOperatore, surface.lblData, surface.lblOra})
    EXPECT_EQ(text->font().family(), QStringLiteral("Arial Narrow"))
        << text->objectName().toStdString();

  const QRect soft[] = {QRect(0, 198, 78, 22), QRect(77, 198, 20, 22), QRect(96, 198, 78, 22)};
  for (int i = 0; i < 3; ++i) {
    const QLabel* image = surface.Img[static_cast<std::size_t>(i)];
    EXPECT_EQ(image->geometry(), soft[i]);
    EXPECT_EQ(image->objectName(), QStringLiteral("Img(%1)").arg(i));
    EXPECT_EQ(surface.findChild<QLabel*>(QStringLiteral("Img(%1)").arg(i)), image);
  }

  EXPECT_EQ(surface.findChild<QLabel*>(QStringLiteral("lblOperatore")), surface.lblOperatore);
  EXPECT_EQ(surface.findChild<QLabel*>(QStringLiteral("PicTime")), surface.PicTime);
  EXPECT_EQ(surface.findChild<HandLine*>(QStringLiteral("LineOra")), surface.LineOra);
  EXPECT_EQ(surface.findChild<HandLine*>(QStringLiteral("LineMin")), surface.LineMin);

  EXPECT_FALSE(surface.PicTime->isVisible());
  EXPECT_FALSE(surface.LineOra->isVisible());
  EXPECT_FALSE(surface.LineMin->isVisible());
  EXPECT_TRUE(surface.lblOperatore->isVisible());
}

TEST_F(DesktopSurfaceTest, StartsWithTheBuiltInStandbyPicture) {
  ASSERT_TRUE(surface.hasPicture());
  EXPECT_EQ(surface.picture().size(), QSize(176, 220));
  EXPECT_EQ(surface.picture().toImage(), DesktopSurface::standbyImage().toImage());

  // A picture, not a flat fill: it varies from top to bottom.
  const QImage standby = DesktopSurface::standbyImage().toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < standby.height(); y += 11) colours.insert(standby.pixel(88, y));
  EXPECT_GT(colours.size(), 10);
}

TEST_F(DesktopSurfaceTest, BackgroundShowsOnlyWherePictureIsNot) {
  surface.setBackColor(QColor(0, 128, 0));
  surface.setPicture(solid(50, 40, Qt::red));
  QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 0, 0), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 49, 39), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 50, 39), QColor(0, 128, 0));
  EXPECT_EQ(pixel(image, 49, 40), QColor(0, 128, 0));
  EXPECT_EQ(pixel(image, 175, 150), QColor(0, 128, 0));

  surface.clearPicture();
  EXPECT_FALSE(surface.hasPicture());
  image = render(&surface);
  EXPECT_EQ(pixel(image, 0, 0), QColor(0, 128, 0));
  EXPECT_EQ(surface.backColor(), QColor(0, 128, 0));
}

TEST_F(DesktopSurfaceTest, OutlineCoversItsCornersAndLeavesTheInsideUnfilled) {
  blank();
  surface.drawOutline(10, 20, 41, 51, Qt::red);
  const QImage image = render(&surface);

  for (const QPoint p : {QPoint(10, 20), QPoint(41, 20), QPoint(10, 51), QPoint(41, 51),
                         QPoint(25, 20), QPoint(25, 51), QPoint(10, 35), QPoint(41, 35)})
    EXPECT_EQ(pixel(image, p.x(), p.y()), QColor(Qt::red)) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(11, 21), QPoint(25, 35), QPoint(40, 50), QPoint(9, 20),
                         QPoint(42, 51), QPoint(10, 19), QPoint(10, 52)})
    EXPECT_EQ(pixel(image, p.x(), p.y()), QColor(Qt::white)) << p.x() << "," << p.y();

  ASSERT_EQ(surface.outlines().size(), 1u);
  EXPECT_EQ(surface.outlines()[0].rect, QRect(QPoint(10, 20), QPoint(41, 51)));
  EXPECT_EQ(surface.outlines()[0].color, QColor(Qt::red));
}

TEST_F(DesktopSurfaceTest, OutlineLiesOverTheWallpaper) {
  surface.setPicture(solid(176, 220, Qt::blue));
  surface.lblOperatore->hide();
  surface.drawOutline(100, 100, 120, 110, Qt::black);
  const QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 100, 100), QColor(Qt::black));
  EXPECT_EQ(pixel(image, 110, 105), QColor(Qt::blue));
}

TEST_F(DesktopSurfaceTest, CornersGivenBackwardsDrawTheSameOutline) {
  blank();
  surface.drawOutline(41, 51, 10, 20, Qt::red);
  const QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 10, 20), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 41, 51), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 25, 35), QColor(Qt::white));
}

TEST_F(DesktopSurfaceTest, SettingTheBackgroundWipesEveryOutline) {
  blank();
  surface.drawOutline(10, 20, 41, 51, Qt::red);
  surface.drawOutline(0, 0, 175, 219, Qt::black);
  ASSERT_EQ(surface.outlines().size(), 2u);

  surface.setBackColor(Qt::white);  // even the colour it already has
  EXPECT_TRUE(surface.outlines().empty());
  const QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 10, 20), QColor(Qt::white));
  EXPECT_EQ(pixel(image, 0, 0), QColor(Qt::white));

  surface.drawOutline(1, 1, 2, 2, Qt::red);
  surface.clearOutlines();
  EXPECT_TRUE(surface.outlines().empty());
  EXPECT_EQ(pixel(render(&surface), 1, 1), QColor(Qt::white));
}

TEST_F(DesktopSurfaceTest, RedrawingAnOutlineBringsItToTheTopWithoutCopies) {
  blank();
  surface.drawOutline(10, 10, 30, 30, Qt::red);
  surface.drawOutline(10, 10, 50, 50, Qt::black);  // shares the top-left corner
  EXPECT_EQ(pixel(render(&surface), 10, 10), QColor(Qt::black));

  surface.drawOutline(10, 10, 30, 30, Qt::red);
  EXPECT_EQ(surface.outlines().size(), 2u);
  EXPECT_EQ(surface.outlines().back(),
            (Outline{QRect(QPoint(10, 10), QPoint(30, 30)), QColor(Qt::red)}));
  EXPECT_EQ(pixel(render(&surface), 10, 10), QColor(Qt::red));
}

TEST_F(DesktopSurfaceTest, TextsLieAboveTheOutlines) {
  blank();
  surface.lblOperatore->show();
  surface.lblOperatore->setAutoFillBackground(true);
  QPalette palette = surface.lblOperatore->palette();
  palette.setColor(QPalette::Window, Qt::yellow);
  surface.lblOperatore->setPalette(palette);

  // Crosses the label (7..164, 19..35) and runs out on both sides.
  surface.drawOutline(0, 25, 175, 30, Qt::red);
  const QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 3, 25), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 170, 30), QColor(Qt::red));
  // Right of the short operator name, where the label shows only its background.
  EXPECT_EQ(pixel(image, 150, 25), QColor(Qt::yellow));
  EXPECT_EQ(pixel(image, 160, 30), QColor(Qt::yellow));
}

TEST_F(DesktopSurfaceTest, HandsAreDrawnAboveTheClockFace) {
  blank();
  DesktopSurface::showImage(surface.PicTime, solid(60, 60, Qt::blue));
  surface.PicTime->move(10, 20);
  surface.PicTime->show();
  EXPECT_EQ(surface.PicTime->size(), QSize(60, 60));

  surface.LineMin->setPoints(QPoint(25, 35), QPoint(43, 35));
  surface.LineMin->setColor(Qt::red);
  surface.LineOra->setPoints(QPoint(25, 35), QPoint(25, 23));
  surface.LineOra->setColor(Qt::green);

  // Hidden hands leave the face alone.
  QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 30, 35), QColor(Qt::blue));
  EXPECT_EQ(pixel(image, 25, 30), QColor(Qt::blue));

  surface.LineMin->show();
  surface.LineOra->show();
  image = render(&surface);
  for (int x = 26; x <= 43; ++x) EXPECT_EQ(pixel(image, x, 35), QColor(Qt::red)) << "x " << x;
  EXPECT_EQ(pixel(image, 44, 35), QColor(Qt::blue));
  for (int y = 23; y <= 34; ++y) EXPECT_EQ(pixel(image, 25, y), QColor(Qt::green)) << "y " << y;
  EXPECT_EQ(pixel(image, 25, 22), QColor(Qt::blue));
  EXPECT_EQ(pixel(image, 26, 34), QColor(Qt::blue));

  surface.LineMin->hide();
  image = render(&surface);
  EXPECT_EQ(pixel(image, 30, 35), QColor(Qt::blue));
  EXPECT_EQ(pixel(image, 25, 30), QColor(Qt::green));
}

TEST_F(DesktopSurfaceTest, HandsStayAboveElementsAddedLater) {
  blank();
  surface.LineMin->setPoints(QPoint(100, 100), QPoint(120, 100));
  surface.LineMin->setColor(Qt::red);
  surface.LineMin->show();

  auto* cover = new QLabel(&surface);
  cover->setAutoFillBackground(true);
  QPalette palette = cover->palette();
  palette.setColor(QPalette::Window, Qt::yellow);
  cover->setPalette(palette);
  cover->setGeometry(90, 90, 40, 20);
  cover->show();

  const QImage image = render(&surface);
  EXPECT_EQ(pixel(image, 110, 100), QColor(Qt::red));
  EXPECT_EQ(pixel(image, 110, 101), QColor(Qt::yellow));
}

TEST_F(DesktopSurfaceTest, HandsDoNotTakeTheMouse) {
  surface.LineMin->setPoints(QPoint(0, 0), QPoint(175, 219));
  surface.LineMin->show();
  EXPECT_EQ(surface.childAt(100, 100), nullptr);
  EXPECT_EQ(surface.childAt(50, 25), surface.lblOperatore);
}

TEST(HandLine, SegmentIncludesBothEndsWithoutGaps) {
  DesktopSurface surface;
  HandLine* hand = surface.LineMin;

  hand->setPoints(QPoint(5, 5), QPoint(5, 5));
  EXPECT_EQ(hand->pixels(), std::vector<QPoint>{QPoint(5, 5)});

  hand->setPoints(QPoint(20, 10), QPoint(3, 2));
  const std::vector<QPoint> pixels = hand->pixels();
  ASSERT_EQ(pixels.size(), 18u);  // one per column of the longer axis
  EXPECT_EQ(pixels.front(), QPoint(20, 10));
  EXPECT_EQ(pixels.back(), QPoint(3, 2));
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const QPoint step = pixels[i] - pixels[i - 1];
    EXPECT_EQ(step.x(), -1);
    EXPECT_TRUE(step.y() == 0 || step.y() == -1);
  }
}

TEST(DesktopImages, ShowImageTakesThePicturesSize) {
  DesktopSurface surface;
  DesktopSurface::showImage(surface.Img[0], solid(79, 22, Qt::red));
  EXPECT_EQ(surface.Img[0]->size(), QSize(79, 22));
  EXPECT_EQ(surface.Img[0]->pos(), QPoint(0, 198));

  DesktopSurface::showImage(surface.Img[0], QPixmap());
  EXPECT_TRUE(surface.Img[0]->pixmap().isNull());
  EXPECT_EQ(surface.Img[0]->size(), QSize(79, 22));
}

TEST(Fonts, WindowsFontsMapToInstalledOnes) {
  corvela::installFontSubstitutions();
  corvela::installFontSubstitutions();
  // Qt keeps family names folded to lower case.
  const QStringList tahomaSubstitutes = QFont::substitutes(QStringLiteral("Tahoma"));
  EXPECT_EQ(tahomaSubstitutes.size(), 2);  // registered once only
  EXPECT_TRUE(tahomaSubstitutes.contains(QStringLiteral("DejaVu Sans"), Qt::CaseInsensitive));
  EXPECT_TRUE(tahomaSubstitutes.contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive));
  EXPECT_EQ(QFont::substitutes(QStringLiteral("Arial Narrow")).value(0).toLower(),
            QStringLiteral("liberation sans narrow"));

  const QString tahoma = QFontInfo(QFont(QStringLiteral("Tahoma"))).family();
  EXPECT_TRUE(tahoma == QStringLiteral("DejaVu Sans") ||
              tahoma == QStringLiteral("Liberation Sans"))
      << tahoma.toStdString();
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial Narrow"))).family(),
            QStringLiteral("Liberation Sans Narrow"));
}

}  // namespace
