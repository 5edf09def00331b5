#include "gifwriter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <stdexcept>

using namespace corvela::gifgen;

namespace {

constexpr Rgb kBack{10, 20, 30};
constexpr Rgb kFore{250, 240, 5};

IndexedImage twoColour(int w, int h) {
  return IndexedImage(w, h, {kBack, kFore});
}

long countIndex(const IndexedImage& img, std::uint8_t index) {
  return static_cast<long>(std::count(img.pixels().begin(), img.pixels().end(), index));
}

// Qt decodes GIFs without any application object; none is created here on
// purpose, so these tests also prove that fixtures can be decoded in plain
// test executables.
QImage decode(const QByteArray& bytes) {
  return QImage::fromData(bytes, "GIF");
}

void expectSameColours(const IndexedImage& expected, const QImage& actual,
                       int transparentIndex = -1) {
  ASSERT_FALSE(actual.isNull());
  ASSERT_EQ(actual.width(), expected.width());
  ASSERT_EQ(actual.height(), expected.height());
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb got = actual.pixel(x, y);
      if (expected.pixel(x, y) == transparentIndex) {
        ASSERT_EQ(qAlpha(got), 0) << "at " << x << "," << y;
        continue;
      }
      const Rgb want = expected.colourAt(x, y);
      ASSERT_EQ(qAlpha(got), 255) << "at " << x << "," << y;
      ASSERT_EQ(qRed(got), want.r) << "at " << x << "," << y;
      ASSERT_EQ(qGreen(got), want.g) << "at " << x << "," << y;
      ASSERT_EQ(qBlue(got), want.b) << "at " << x << "," << y;
    }
  }
}

}  // namespace

// --- drawing -------------------------------------------------------------------

TEST(IndexedImageDrawing, FillRectClipsWithoutWrappingIntoOtherRows) {
  IndexedImage img = twoColour(10, 4);
  img.fillRect(7, 1, 10, 2, 1);   // runs off the right edge
  img.fillRect(-5, -5, 6, 6, 1);  // only (0,0) is inside
  EXPECT_EQ(countIndex(img, 1), 3 * 2 + 1);
  EXPECT_EQ(img.pixel(0, 0), 1);
  EXPECT_EQ(img.pixel(0, 2), 0) << "a clipped row must not wrap to the next one";
  EXPECT_EQ(img.pixel(9, 2), 1);
  EXPECT_EQ(img.pixel(6, 1), 0);
}

TEST(IndexedImageDrawing, OutOfRangeAccess) {
  IndexedImage img = twoColour(3, 3);
  img.setPixel(-1, 0, 1);
  img.setPixel(3, 0, 1);
  img.setPixel(0, 3, 1);
  EXPECT_EQ(countIndex(img, 1), 0);
  EXPECT_THROW(img.pixel(3, 0), std::out_of_range);
  EXPECT_THROW(img.pixel(0, -1), std::out_of_range);
}

TEST(IndexedImageDrawing, RectOutlineLeavesInteriorAlone) {
  IndexedImage img = twoColour(8, 6);
  img.drawRect(1, 1, 5, 4, 1);
  EXPECT_EQ(countIndex(img, 1), 2 * 5 + 2 * 2);
  for (int y = 2; y <= 3; ++y)
    for (int x = 2; x <= 4; ++x) EXPECT_EQ(img.pixel(x, y), 0) << x << "," << y;
  EXPECT_EQ(img.pixel(1, 1), 1);
  EXPECT_EQ(img.pixel(5, 4), 1);
  EXPECT_EQ(img.pixel(6, 4), 0);
}

TEST(IndexedImageDrawing, LinesIncludeBothEndsAndHaveNoGaps) {
  struct Case {
    int x0, y0, x1, y1;
  };
  for (const Case c : {Case{0, 0, 9, 0}, Case{0, 0, 0, 9}, Case{0, 0, 9, 9}, Case{9, 2, 0, 6},
                       Case{3, 9, 5, 0}, Case{4, 4, 4, 4}}) {
    SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1);
    IndexedImage img = twoColour(10, 10);
    img.drawLine(c.x0, c.y0, c.x1, c.y1, 1);
    EXPECT_EQ(img.pixel(c.x0, c.y0), 1);
    EXPECT_EQ(img.pixel(c.x1, c.y1), 1);
    const int dx = std::abs(c.x1 - c.x0), dy = std::abs(c.y1 - c.y0);
    EXPECT_EQ(countIndex(img, 1), std::max(dx, dy) + 1);
    // One pixel in every column (shallow) or row (steep) between the ends.
    const bool shallow = dx >= dy;
    for (int i = 0; i <= std::max(dx, dy); ++i) {
      int hits = 0;
      for (int j = 0; j < 10; ++j) {
        const int along = std::min(shallow ? c.x0 : c.y0, shallow ? c.x1 : c.y1) + i;
        hits += shallow ? img.pixel(along, j) : img.pixel(j, along);
      }
      EXPECT_EQ(hits, 1) << "step " << i;
    }
  }
}

TEST(IndexedImageDrawing, CirclesAreSymmetricAndSpanTheirDiameter) {
  for (int r : {0, 1, 3, 6}) {
    SCOPED_TRACE(r);
    IndexedImage img = twoColour(15, 15);
    img.fillCircle(7, 7, r, 1);
    EXPECT_EQ(img.pixel(7, 7), 1);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 15; ++x) {
        ASSERT_EQ(img.pixel(x, y), img.pixel(14 - x, y));
        ASSERT_EQ(img.pixel(x, y), img.pixel(y, x));
      }
    int across = 0;
    for (int x = 0; x < 15; ++x) across += img.pixel(x, 7);
    EXPECT_EQ(across, 2 * r + 1);
    if (r >= 3) {
      EXPECT_EQ(img.pixel(7 - r, 7 - r), 0) << "the bounding square's corner is outside a circle";
    }
  }
}

TEST(IndexedImageDrawing, RingHasAHoleAndMatchesTheDiscDifference) {
  IndexedImage ring = twoColour(21, 21);
  ring.fillRing(10, 10, 8, 5, 1);
  IndexedImage outer = twoColour(21, 21), inner = twoColour(21, 21);
  outer.fillCircle(10, 10, 8, 1);
  inner.fillCircle(10, 10, 5, 1);
  EXPECT_EQ(ring.pixel(10, 10), 0);
  EXPECT_EQ(ring.pixel(10, 2), 1);
  EXPECT_EQ(countIndex(ring, 1), countIndex(outer, 1) - countIndex(inner, 1));
}

TEST(IndexedImageDrawing, RoundedRectCutsCornersOnly) {
  IndexedImage img = twoColour(20, 12);
  img.fillRoundedRect(0, 0, 20, 12, 4, 1);
  EXPECT_EQ(img.pixel(0, 0), 0);
  EXPECT_EQ(img.pixel(19, 11), 0);
  EXPECT_EQ(img.pixel(10, 0), 1);
  EXPECT_EQ(img.pixel(0, 6), 1);
  EXPECT_EQ(img.pixel(19, 6), 1);
  EXPECT_EQ(img.pixel(10, 11), 1);

  // A radius larger than the rectangle allows is reduced, never drawn
  // outside the rectangle.
  IndexedImage small = twoColour(9, 9);
  small.fillRoundedRect(3, 3, 3, 3, 10, 1);
  EXPECT_EQ(small.pixel(4, 4), 1);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x)
      if (x < 3 || x > 5 || y < 3 || y > 5) {
        EXPECT_EQ(small.pixel(x, y), 0) << x << "," << y;
      }
}

TEST(IndexedImageDrawing, TextFillsItsMeasuredBox) {
  EXPECT_EQ(IndexedImage::textWidth(""), 0);
  EXPECT_EQ(IndexedImage::textWidth("Menu"), 23);
  EXPECT_EQ(IndexedImage::textWidth("OK", 2), 22);

  // "M" touches all four sides of its cell, so its ink must fill exactly
  // the measured box at any scale.
  for (int scale : {1, 2, 3}) {
    SCOPED_TRACE(scale);
    IndexedImage img = twoColour(40, 30);
    img.drawText(5, 4, "M", 1, scale);
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        if (img.pixel(x, y)) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
          minY = std::min(minY, y);
          maxY = std::max(maxY, y);
        }
    EXPECT_EQ(minX, 5);
    EXPECT_EQ(minY, 4);
    EXPECT_EQ(maxX - minX + 1, IndexedImage::textWidth("M", scale));
    EXPECT_EQ(maxY - minY + 1, IndexedImage::textHeight(scale));
  }
}

TEST(IndexedImageDrawing, GlyphsDifferAndUnknownCharactersStayVisible) {
  auto render = [](std::string_view text) {
    IndexedImage img = twoColour(12, 7);
    img.drawText(0, 0, text, 1);
    return img.pixels();
  };
  const std::string all =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!#%&'()*+,-./:<=>?@_";
  for (std::size_t i = 0; i < all.size(); ++i) {
    const auto glyph = render(all.substr(i, 1));
    EXPECT_GT(std::count(glyph.begin(), glyph.end(), 1), 0) << all[i];
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_NE(glyph, render(all.substr(j, 1))) << all[i] << " looks like " << all[j];
  }
  const auto blank = render(" ");
  EXPECT_EQ(std::count(blank.begin(), blank.end(), 1), 0);
  const auto unknown = render("\x7f");
  EXPECT_GT(std::count(unknown.begin(), unknown.end(), 1), 0);
}

TEST(IndexedImageDrawing, CentredTextIsCentred) {
  IndexedImage img = twoColour(31, 15);
  img.drawTextCentred(0, 0, 31, 15, "OK", 1);  // 11 x 7 of ink box
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 31; ++x)
      if (img.pixel(x, y)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  EXPECT_EQ(minX, 31 - 1 - maxX);
  EXPECT_EQ(minY, 15 - 1 - maxY);
}

TEST(IndexedImagePalette, ColoursAreSharedAndLimitedTo256) {
  IndexedImage img(2, 2, {kBack});
  EXPECT_EQ(img.colourIndex(kBack), 0);
  EXPECT_EQ(img.colourIndex(kFore), 1);
  EXPECT_EQ(img.colourIndex(kFore), 1);
  EXPECT_EQ(img.palette().size(), 2u);
  for (int i = 2; i < 256; ++i) img.colourIndex(Rgb{static_cast<std::uint8_t>(i), 0, 77});
  EXPECT_EQ(img.palette().size(), 256u);
  EXPECT_EQ(img.colourIndex(kFore), 1) << "a known colour is still found in a full palette";
  EXPECT_THROW(img.colourIndex(Rgb{1, 2, 3}), std::length_error);
  EXPECT_THROW(IndexedImage(1, 1, std::vector<Rgb>(257)), std::length_error);
}

// --- encoding ------------------------------------------------------------------

TEST(GifEncoding, SingleFrameRoundTripsForEveryPaletteSize) {
  // Sizes around the powers of two exercise giflib's table padding.
  for (int colours : {1, 2, 3, 4, 5, 17, 128, 129, 256}) {
    SCOPED_TRACE(colours);
    std::vector<Rgb> palette;
    for (int i = 0; i < colours; ++i)
      palette.push_back(Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                            static_cast<std::uint8_t>((i * 37) & 0xFF)});
    IndexedImage img(37, 23, palette);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        img.setPixel(x, y, static_cast<std::uint8_t>((x * 7 + y * 3) % colours));
    const QByteArray gif = encodeGif(img);
    EXPECT_TRUE(gif.startsWith("GIF89a"));
    EXPECT_TRUE(gif.endsWith(';'));
    EXPECT_FALSE(gif.contains("NETSCAPE2.0"));
    expectSameColours(img, decode(gif));
  }
}

TEST(GifEncoding, TransparentIndexDecodesAsClear) {
  IndexedImage img(12, 9, {Rgb{255, 0, 255}, kFore, kBack});
  img.fillCircle(5, 4, 3, 1);
  img.drawRect(0, 0, 12, 9, 2);
  const QImage decoded = decode(encodeGif(img, 0));
  ASSERT_TRUE(decoded.hasAlphaChannel());
  expectSameColours(img, decoded, 0);

  // Index 2 as the transparent one instead: now the border disappears.
  expectSameColours(img, decode(encodeGif(img, 2)), 2);
}

TEST(GifEncoding, AnimationHasEveryFrameDelayAndLoop) {
  const std::vector<Rgb> colours = {
      {200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {200, 200, 0}, {0, 200, 200}};
  std::vector<Frame> frames;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    // Frame 0 shares its palette with frame 3 only, so frames 1, 2 and 4
    // need local colour tables.
    std::vector<Rgb> palette = {colours[i], kBack};
    if (i == 3) palette = frames[0].image.palette();
    IndexedImage img(9, 7, palette);
    if (i == 3) img.fill(0);
    img.setPixel(static_cast<int>(i), 3, 1);
    Frame f{img};
    f.delayCentiseconds = 5 + static_cast<int>(i) * 10;
    frames.push_back(f);
  }
  const QByteArray gif = encodeGif(frames);
  EXPECT_TRUE(gif.startsWith("GIF89a"));
  EXPECT_TRUE(gif.contains("NETSCAPE2.0"));

  QBuffer buffer;
  buffer.setData(gif);
  QImageReader reader(&buffer, "gif");
  ASSERT_TRUE(reader.supportsAnimation());
  EXPECT_EQ(reader.imageCount(), 5);
  EXPECT_EQ(reader.loopCount(), -1) << "Qt reports 'forever' as -1";
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(i);
    const QImage frame = reader.read();
    ASSERT_FALSE(frame.isNull()) << reader.errorString().toStdString();
    const Rgb fill = i == 3 ? colours[0] : colours[i];
    EXPECT_EQ(frame.pixel(8, 0), qRgb(fill.r, fill.g, fill.b));
    EXPECT_EQ(frame.pixel(static_cast<int>(i), 3), qRgb(kBack.r, kBack.g, kBack.b));
    EXPECT_EQ(reader.nextImageDelay(), frames[i].delayCentiseconds * 10);
  }
}

TEST(GifEncoding, FiniteLoopCountIsWritten) {
  std::vector<Frame> frames = {Frame{twoColour(4, 4)}, Frame{twoColour(4, 4)}};
  frames[1].image.fill(1);
  QBuffer buffer;
  buffer.setData(encodeGif(frames, GifOptions{3}));
  QImageReader reader(&buffer, "gif");
  EXPECT_EQ(reader.imageCount(), 2);
  EXPECT_EQ(reader.loopCount(), 3);
}

TEST(GifEncoding, OffsetFramesWidenTheScreen) {
  IndexedImage base = twoColour(8, 8);
  IndexedImage patch = twoColour(4, 3);
  patch.fill(1);
  Frame second{patch};
  second.left = 10;
  second.top = 6;
  const QByteArray gif = encodeGif({Frame{base}, second});

  QBuffer buffer;
  buffer.setData(gif);
  QImageReader reader(&buffer, "gif");
  EXPECT_EQ(reader.size(), QSize(14, 9));
  ASSERT_FALSE(reader.read().isNull());
  const QImage composed = reader.read();
  ASSERT_EQ(composed.size(), QSize(14, 9));
  EXPECT_EQ(composed.pixel(11, 7), qRgb(kFore.r, kFore.g, kFore.b));
  EXPECT_EQ(composed.pixel(3, 3), qRgb(kBack.r, kBack.g, kBack.b)) << "earlier frame stays";
}

TEST(GifEncoding, RejectsInputItCannotRepresent) {
  EXPECT_THROW(encodeGif(std::vector<Frame>{}), std::invalid_argument);
  EXPECT_THROW(encodeGif(IndexedImage(0, 5, {kBack})), std::invalid_argument);
  EXPECT_THROW(encodeGif(IndexedImage(3, 3, {})), std::invalid_argument);

  IndexedImage stray = twoColour(3, 3);
  stray.setPixel(1, 1, 2);  // only indices 0 and 1 exist
  EXPECT_THROW(encodeGif(stray), std::invalid_argument);

  EXPECT_THROW(encodeGif(twoColour(3, 3), 2), std::invalid_argument);
  EXPECT_THROW(encodeGif(twoColour(3, 3), -2), std::invalid_argument);

  Frame shifted{twoColour(3, 3)};
  shifted.left = -1;
  EXPECT_THROW(encodeGif({shifted}), std::invalid_argument);
  shifted.left = 0xFFFF - 2;
  EXPECT_THROW(encodeGif({shifted}), std::invalid_argument);

  Frame slow{twoColour(3, 3)};
  slow.delayCentiseconds = 70000;
  EXPECT_THROW(encodeGif({slow, slow}), std::invalid_argument);

  EXPECT_THROW(encodeGif({Frame{twoColour(2, 2)}}, GifOptions{-1}), std::invalid_argument);
}

TEST(GifFile, WritesTheEncodedBytes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  IndexedImage img = twoColour(6, 5);
  img.drawLine(0, 0, 5, 4, 1);
  const std::vector<Frame> frames = {Frame{img}};
  const QString path = dir.filePath("line.gif");

  QString error;
  ASSERT_TRUE(writeGifFile(path, frames, {}, &error)) << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray onDisk = file.readAll();
  EXPECT_EQ(onDisk, encodeGif(frames));
  expectSameColours(img, QImage(path));
}

TEST(GifFile, ReportsFailuresInsteadOfWriting) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());

  QString error;
  const QString missingFolder = dir.filePath("no/such/folder/x.gif");
  EXPECT_FALSE(writeGifFile(missingFolder, {Frame{twoColour(2, 2)}}, {}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(missingFolder));

  error.clear();
  const QString bad = dir.filePath("bad.gif");
  EXPECT_FALSE(writeGifFile(bad, {}, {}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(bad));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "no temporary file left behind";
}
