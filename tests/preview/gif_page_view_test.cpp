#include "gif_page_view.h"
#include "object_viewer.h"

#include "gifwriter.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QMovie>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using corvela::aniGifPage;
using corvela::GifPageView;
using corvela::noGifPage;
using corvela::test::pixel;
using corvela::test::render;

namespace gif = corvela::gifgen;

namespace {

const QColor kFirst(200, 30, 30);
const QColor kSecond(30, 30, 200);

// A 12 x 9 animation of two solid frames.
QString writeTwoFrameGif(const QString& folder) {
  const std::vector<gif::Rgb> palette{{200, 30, 30}, {30, 30, 200}};
  std::vector<gif::Frame> frames;
  frames.push_back(gif::Frame{gif::IndexedImage(12, 9, palette, 0)});
  frames.push_back(gif::Frame{gif::IndexedImage(12, 9, palette, 1)});
  for (gif::Frame& frame : frames) frame.delayCentiseconds = 5;
  const QString path = QDir(folder).filePath(QStringLiteral("595.gif"));
  QString error;
  if (!gif::writeGifFile(path, frames, {}, &error)) ADD_FAILURE() << error.toStdString();
  return path;
}

TEST(ObjectViewerPages, AreBuiltByPlainConcatenation) {
  EXPECT_EQ(aniGifPage(QStringLiteral("e:\\skin\\razr v980\\vodafone_gifs\\595.gif")),
            QStringLiteral(
                "about:<html><body leftMargin=0 topMargin=0 marginheight=0 marginwidth=0 scroll=no>"
                "<img src=\"e:\\skin\\razr v980\\vodafone_gifs\\595.gif\"></img></body></html>"));
  EXPECT_EQ(noGifPage(),
            QStringLiteral(
                "about:<html><body leftMargin=0 topMargin=0 marginheight=0 marginwidth=0 scroll=no>"
                "</body></html>"));
}

TEST(ObjectViewerPages, PathIsNeitherEscapedNorTrimmed) {
  const QString path = QStringLiteral(" /tmp/a b/say \"hi\" & <x>.gif ");
  const QString page = aniGifPage(path);
  EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"") + path + QStringLiteral("\"></img>")));
  EXPECT_EQ(GifPageView::imageSource(page), path);
}

TEST(ObjectViewerPages, ImageSourceIsFoundOnlyInAnImageTag) {
  EXPECT_TRUE(GifPageView::imageSource(noGifPage()).isEmpty());
  EXPECT_TRUE(
      GifPageView::imageSource(QStringLiteral("about:<html>src=\"x.gif\"</html>")).isEmpty());
  EXPECT_EQ(GifPageView::imageSource(QStringLiteral("about:<IMG SRC=\"Y.GIF\">")),
            QStringLiteral("Y.GIF"));
  EXPECT_EQ(GifPageView::imageSource(QStringLiteral("<img src=\"1.gif\"><img src=\"2.gif\">")),
            QStringLiteral("1.gif"));
}

class GifPageViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    // Blanks in the folder name, as in the skins' usual locations.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("razr v980")));
    gifFolder = QDir(folder.path()).filePath(QStringLiteral("razr v980"));
    view.resize(60, 40);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  }

  bool pageIsBlank() const {
    const QImage image = render(const_cast<GifPageView*>(&view));
    for (const QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(11, 8), QPoint(59, 39)}) {
      if (pixel(image, p.x(), p.y()) != QColor(Qt::white)) return false;
    }
    return true;
  }

  QTemporaryDir folder;
  QString gifFolder;
  GifPageView view;
};

TEST_F(GifPageViewTest, ShowsTheAnimationInTheTopLeftCornerAtItsOwnSize) {
  EXPECT_EQ(view.objectName(), QStringLiteral("WB"));
  const QString path = writeTwoFrameGif(gifFolder);
  const QString page = aniGifPage(path);
  view.Navigate(page);

  EXPECT_EQ(view.LocationURL(), page);
  EXPECT_EQ(view.imagePath(), path);
  ASSERT_NE(view.movie(), nullptr);
  EXPECT_EQ(view.movie()->frameCount(), 2);
  EXPECT_EQ(view.movie()->state(), QMovie::Running);

  QImage image = render(&view);
  const QColor first = pixel(image, 0, 0);
  EXPECT_TRUE(first == kFirst || first == kSecond) << first.name().toStdString();
  EXPECT_EQ(pixel(image, 11, 8), first);
  EXPECT_EQ(pixel(image, 12, 0), QColor(Qt::white));
  EXPECT_EQ(pixel(image, 0, 9), QColor(Qt::white));

  // The page follows the animation to its other frame.
  const QColor other = first == kFirst ? kSecond : kFirst;
  bool changed = false;
  for (int i = 0; i < 40 && !changed; ++i) {
    QTest::qWait(25);
    changed = pixel(render(&view), 0, 0) == other;
  }
  EXPECT_TRUE(changed);
}

TEST_F(GifPageViewTest, EmptyPageReplacesTheImage) {
  view.Navigate(aniGifPage(writeTwoFrameGif(gifFolder)));
  ASSERT_NE(view.movie(), nullptr);

  view.Navigate(noGifPage());
  EXPECT_EQ(view.movie(), nullptr);
  EXPECT_TRUE(view.imagePath().isEmpty());
  EXPECT_EQ(view.LocationURL(), noGifPage());
  EXPECT_TRUE(pageIsBlank());
}

TEST_F(GifPageViewTest, MissingImageShowsAnEmptyPage) {
  const QString path = QDir(gifFolder).filePath(QStringLiteral("nowhere.gif"));
  view.Navigate(aniGifPage(path));
  EXPECT_EQ(view.movie(), nullptr);
  EXPECT_EQ(view.imagePath(), path);
  EXPECT_TRUE(pageIsBlank());
}

TEST_F(GifPageViewTest, UndecodableImageShowsAnEmptyPage) {
  const QString path = QDir(gifFolder).filePath(QStringLiteral("broken.gif"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("GIF89a but not really an image");
  file.close();

  view.Navigate(aniGifPage(writeTwoFrameGif(gifFolder)));
  view.Navigate(aniGifPage(path));
  EXPECT_EQ(view.movie(), nullptr);
  EXPECT_TRUE(pageIsBlank());
}

}  // namespace
