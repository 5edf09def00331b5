#include "desktop_surface.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSet>
#include <QTest>

#include "font_substitutions.h"
#include "standby_image.h"
#include "standby_painter.h"
#include "standby_scene.h"
#include "support.h"

using corvela::DesktopSurface;
using corvela::StandbyScene;
using corvela::test::pixel;
using corvela::test::render;

namespace {

QImage solidImage(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A plain white screen with no texts, so single pixels can be checked.
StandbyScene blank() {
  StandbyScene scene;
  scene.wallpaper = QImage();
  scene.operatorText.visible = scene.dateText.visible = scene.clockText.visible = false;
  return scene;
}

QColor at(const QImage& image, int x, int y) {
  return image.pixelColor(x, y);
}

TEST(StandbyPainter, StartsWithTheBuiltInPictureAndShowsTheColourOnlyWhereNoPictureIs) {
  const StandbyScene start;
  EXPECT_EQ(start.wallpaper, corvela::standbyImage());
  QSet<QRgb> colours;  // a picture, not a flat fill
  for (int y = 0; y < 220; y += 11) colours.insert(start.wallpaper.pixel(88, y));
  EXPECT_GT(colours.size(), 10);

  StandbyScene scene = blank();
  scene.background = QColor(0, 128, 0);
  scene.wallpaper = solidImage(50, 40, Qt::red);
  const QImage image = corvela::renderStandby(scene);
  EXPECT_EQ(image.size(), QSize(176, 220));
  EXPECT_EQ(at(image, 49, 39), QColor(Qt::red));
  EXPECT_EQ(at(image, 50, 39), QColor(0, 128, 0));
  EXPECT_EQ(at(image, 49, 40), QColor(0, 128, 0));
}

TEST(StandbyPainter, OutlinesCoverTheirCornersOverTheWallpaperAndLeaveTheInside) {
  StandbyScene scene = blank();
  scene.wallpaper = solidImage(176, 220, Qt::blue);
  scene.outlines.push_back({QRect(QPoint(10, 20), QPoint(41, 51)), Qt::red});
  const QImage image = corvela::renderStandby(scene);
  for (const QPoint p : {QPoint(10, 20), QPoint(41, 20), QPoint(10, 51), QPoint(41, 51),
                         QPoint(25, 20), QPoint(10, 35), QPoint(41, 35)})
    EXPECT_EQ(at(image, p.x(), p.y()), QColor(Qt::red)) << p.x() << "," << p.y();
  for (const QPoint p :
       {QPoint(11, 21), QPoint(25, 35), QPoint(9, 20), QPoint(42, 51), QPoint(10, 52)})
    EXPECT_EQ(at(image, p.x(), p.y()), QColor(Qt::blue)) << p.x() << "," << p.y();
}

TEST(StandbyPainter, TextsLieAboveOutlinesAndHandsAboveEverything) {
  StandbyScene scene = blank();
  scene.operatorText.visible = true;
  scene.operatorText.text = QStringLiteral("MMMMMMMMMM");
  scene.operatorText.colour = Qt::green;
  scene.outlines.push_back({QRect(QPoint(0, 27), QPoint(175, 27)), Qt::red});
  scene.clockFace = {QString(), solidImage(60, 60, Qt::blue), QRect(10, 60, 60, 60), true};
  scene.minuteHand = {QPoint(25, 75), QPoint(43, 75), Qt::red, false, true};
  QImage image = corvela::renderStandby(scene);
  EXPECT_EQ(at(image, 175, 27), QColor(Qt::red));
  int covered = 0;  // pixels of the outline that the letters cover
  for (int x = 7; x < 80; ++x) covered += at(image, x, 27).green() > at(image, x, 27).red();
  EXPECT_GT(covered, 5);
  EXPECT_EQ(at(image, 30, 75), QColor(Qt::blue));  // a hidden hand leaves the face alone

  scene.minuteHand.visible = true;
  image = corvela::renderStandby(scene);
  for (int x = 25; x <= 43; ++x) EXPECT_EQ(at(image, x, 75), QColor(Qt::red)) << "x " << x;
  EXPECT_EQ(at(image, 44, 75), QColor(Qt::blue));
}

TEST(StandbyPainter, LinesIncludeBothEndsWithoutGaps) {
  EXPECT_EQ(corvela::linePixels(QPoint(5, 5), QPoint(5, 5)), std::vector<QPoint>{QPoint(5, 5)});
  const std::vector<QPoint> pixels = corvela::linePixels(QPoint(20, 10), QPoint(3, 2));
  ASSERT_EQ(pixels.size(), 18u);  // one per column of the longer axis
  EXPECT_EQ(pixels.front(), QPoint(20, 10));
  EXPECT_EQ(pixels.back(), QPoint(3, 2));
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const QPoint step = pixels[i] - pixels[i - 1];
    EXPECT_EQ(step.x(), -1);
    EXPECT_TRUE(step.y() == 0 || step.y() == -1);
  }
}

TEST(DesktopSurface, ZoomShowsEverySkinPixelAsACrispSquareAndMapsTheMouseBack) {
  DesktopSurface surface;
  StandbyScene scene = blank();
  scene.outlines.push_back({QRect(QPoint(10, 20), QPoint(12, 22)), Qt::red});
  surface.showScene(scene);
  surface.setZoom(3);
  surface.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
  EXPECT_EQ(surface.size(), QSize(528, 660));

  const QImage shown = render(&surface);
  const QImage frame = corvela::renderStandby(scene);
  for (int y = 18; y < 25; ++y) {
    for (int x = 8; x < 15; ++x) {
      for (int d = 0; d < 3; ++d)
        ASSERT_EQ(pixel(shown, 3 * x + d, 3 * y + 2 - d), frame.pixelColor(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.screenPixel(QPoint(32, 62)), QPoint(10, 20));
  EXPECT_EQ(surface.screenPixel(QPoint(29, 60)), QPoint(9, 20));
  surface.setZoom(9);
  EXPECT_EQ(surface.zoom(), DesktopSurface::MaxZoom);
}

TEST(DesktopSurface, ChildrenFollowTheSceneAndLetTheMouseThrough) {
  DesktopSurface surface;
  StandbyScene scene;
  scene.operatorText.geometry.moveTo(15, 25);
  scene.operatorText.colour = Qt::blue;
  surface.showScene(scene);
  surface.setZoom(2);
  EXPECT_EQ(surface.lblOperatore->geometry(), QRect(30, 50, 316, 34));
  EXPECT_EQ(surface.lblOperatore->accessibleName(), QStringLiteral("vodafone IT"));
  EXPECT_EQ(surface.lblOperatore->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_EQ(surface.childAt(60, 60), nullptr);
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
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial Narrow"))).family(),
            QStringLiteral("Liberation Sans Narrow"));
  // Named directly, the families are the ones the substitutions reach: the
  // installed font itself, never a Windows name left for Qt to look up.
  const QStringList installed = QFontDatabase::families();
  for (const QString& name : {QStringLiteral("Tahoma"), QStringLiteral("Arial Narrow")}) {
    const QString family = name == u"Tahoma" ? corvela::frameFamily() : corvela::phoneFamily();
    EXPECT_TRUE(installed.contains(family)) << family.toStdString();
    EXPECT_EQ(QFontInfo(QFont(family)).family(), QFontInfo(QFont(name)).family());
  }
}

}  // namespace
