#include <ferzola/LineSeparator.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>

#include <memory>

using ferzola::LineSeparator;

namespace {

// Counts resize events so a test can tell "nothing happened" from "the same
// values were computed again".
class ResizeCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) ++count;
    return QObject::eventFilter(watched, event);
  }
};

class SeparatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = std::make_unique<QWidget>();
    parent->resize(800, 200);
    separator = new LineSeparator(parent.get());
    separator->setObjectName(QStringLiteral("LineSeparator1"));
    parent->show();
    QCoreApplication::processEvents();
  }

  // Expected pixels are derived from the dpi here, not from the widget's
  // own conversion, so a wrong twips-per-pixel factor is caught.
  int pixelsY(int twips) const { return qRound(twips * separator->logicalDpiY() / 1440.0); }
  int pixelsX(int twips) const { return qRound(twips * separator->logicalDpiX() / 1440.0); }

  std::unique_ptr<QWidget> parent;
  LineSeparator* separator = nullptr;
};

TEST_F(SeparatorTest, TwipsGeometryFixesHeightAndSpansLines) {
  separator->setTwipsGeometry(0, 360, 9435, 45);

  EXPECT_EQ(separator->twipsWidth(), 9435);
  EXPECT_EQ(separator->twipsHeight(), 50);
  EXPECT_EQ(separator->twipsTop(), 360);
  EXPECT_EQ(separator->line01(), QLine(0, 0, 9435, 0));
  EXPECT_EQ(separator->line02(), QLine(0, 10, 9435, 10));
  EXPECT_EQ(separator->geometry(), QRect(0, pixelsY(360), pixelsX(9435), pixelsY(50)));
  if (separator->logicalDpiY() == 96) {
    EXPECT_EQ(separator->height(), 3);
  }
  EXPECT_EQ(separator->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

  // Whatever height is asked for, the control snaps back.
  separator->setTwipsGeometry(0, 360, 9435, 1500);
  EXPECT_EQ(separator->twipsHeight(), 50);
  EXPECT_EQ(separator->height(), pixelsY(50));
}

TEST_F(SeparatorTest, RepeatedResizeChangesNothing) {
  separator->setTwipsGeometry(0, 360, 9435, 45);
  const QRect geometry = separator->geometry();
  const QLine line01 = separator->line01();
  const QLine line02 = separator->line02();

  ResizeCounter counter;
  separator->installEventFilter(&counter);
  separator->setTwipsGeometry(0, 360, 9435, 45);
  separator->setTwipsGeometry(0, 360, 9435, 50);

  EXPECT_EQ(counter.count, 0);
  EXPECT_EQ(separator->geometry(), geometry);
  EXPECT_EQ(separator->line01(), line01);
  EXPECT_EQ(separator->line02(), line02);
  EXPECT_EQ(separator->twipsWidth(), 9435);
  EXPECT_EQ(separator->twipsHeight(), 50);
}

TEST_F(SeparatorTest, ZeroWidthGivesZeroLengthLines) {
  separator->setTwipsGeometry(0, 360, 9435, 45);
  separator->setTwipsGeometry(0, 360, 0, 45);

  EXPECT_EQ(separator->width(), 0);
  EXPECT_EQ(separator->line01(), QLine(0, 0, 0, 0));
  EXPECT_EQ(separator->line02(), QLine(0, 10, 0, 10));
  EXPECT_EQ(separator->twipsHeight(), 50);
}

TEST_F(SeparatorTest, PixelResizesFromLayoutsFollow) {
  separator->resize(200, 40);
  EXPECT_EQ(separator->height(), pixelsY(50));
  EXPECT_EQ(separator->twipsWidth(), qRound(200 * 1440.0 / separator->logicalDpiX()));
  EXPECT_EQ(separator->line01().x2(), separator->twipsWidth());
  EXPECT_EQ(separator->line02().x2(), separator->twipsWidth());

  auto* layout = new QVBoxLayout(parent.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(separator);
  layout->addStretch();
  parent->resize(333, 300);
  QCoreApplication::processEvents();
  EXPECT_EQ(separator->width(), 333);
  EXPECT_EQ(separator->height(), pixelsY(50));
  EXPECT_EQ(separator->line01().x2(), qRound(333 * 1440.0 / separator->logicalDpiX()));
}

TEST(SeparatorHidden, LinesFollowBeforeFirstShow) {
  QWidget parent;
  LineSeparator separator(&parent);
  separator.setTwipsGeometry(0, 360, 9435, 45);
  EXPECT_EQ(separator.line01(), QLine(0, 0, 9435, 0));
  EXPECT_EQ(separator.line02(), QLine(0, 10, 9435, 10));
  EXPECT_EQ(separator.twipsHeight(), 50);
}

TEST_F(SeparatorTest, PaintsEtchedLinesFromPalette) {
  separator->setTwipsGeometry(0, 360, 9435, 45);
  const int lightRow = pixelsY(10);
  ASSERT_GT(lightRow, 0);
  ASSERT_LT(lightRow, separator->height());

  const auto checkRows = [&](const QColor& dark, const QColor& light) {
    const QImage image = separator->grab().toImage();
    ASSERT_EQ(image.width(), separator->width());
    for (int x : {0, image.width() / 2, image.width() - 1}) {
      EXPECT_EQ(image.pixelColor(x, 0).rgb(), dark.rgb()) << "x=" << x;
      EXPECT_EQ(image.pixelColor(x, lightRow).rgb(), light.rgb()) << "x=" << x;
    }
  };

  const QPalette palette = separator->palette();
  ASSERT_NE(palette.color(QPalette::Dark).rgb(), palette.color(QPalette::Light).rgb());
  checkRows(palette.color(QPalette::Dark), palette.color(QPalette::Light));

  // A theme change must show on the next paint.
  QPalette themed = palette;
  themed.setColor(QPalette::Dark, QColor(200, 10, 10));
  themed.setColor(QPalette::Light, QColor(10, 200, 10));
  separator->setPalette(themed);
  checkRows(QColor(200, 10, 10), QColor(10, 200, 10));
}

TEST(SeparatorResources, InterfaceIdBlobsMatchGuidLayout) {
  // Length 16, then Data1, Data2, Data3 little-endian and Data4 as written.
  const QByteArray iid = QByteArray::fromHex(
      "10000000"
      "3588d2d0"
      "705e"
      "d611"
      "8b590040954548a6");
  const QByteArray srciid = QByteArray::fromHex(
      "10000000"
      "3788d2d0"
      "705e"
      "d611"
      "8b590040954548a6");
  EXPECT_EQ(ferzola::interfaceIdResource(), iid);
  EXPECT_EQ(ferzola::eventInterfaceIdResource(), srciid);
  EXPECT_EQ(ferzola::interfaceIdResource().size(), 20);
}

TEST(SeparatorFactory, CreatesOnlyForItsProgId) {
  QWidget parent;
  QWidget* created = ferzola::createByProgId(QStringLiteral("Ferzola.LineSeparator"), &parent);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->parentWidget(), &parent);
  EXPECT_NE(qobject_cast<LineSeparator*>(created), nullptr);

  EXPECT_EQ(ferzola::createByProgId(QStringLiteral("Ferzola.Other"), &parent), nullptr);
  EXPECT_EQ(ferzola::createByProgId(QString(), &parent), nullptr);
  EXPECT_EQ(parent.findChildren<LineSeparator*>().size(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs the binary at build time, outside ctest's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
