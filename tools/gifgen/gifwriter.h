#pragma once

// Paletted images and a GIF encoder on top of giflib. The demo-skin generator
// draws its artwork with this, and the tests use it to build fixtures, so the
// same bytes a phone would load can be produced without any external assets.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvela::gifgen {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An image whose pixels are indices into its own palette, which is exactly
// what a GIF frame stores. Drawing never fails: anything falling outside the
// image is clipped, so artwork code can be written without bounds checks.
class IndexedImage {
 public:
  IndexedImage(int width, int height, std::vector<Rgb> palette, std::uint8_t fillIndex = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<Rgb>& palette() const { return palette_; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }

  // Returns the index of the colour, appending it to the palette when it is
  // new. Throws std::length_error once all 256 entries are taken.
  std::uint8_t colourIndex(Rgb colour);

  std::uint8_t pixel(int x, int y) const;
  Rgb colourAt(int x, int y) const { return palette_[pixel(x, y)]; }
  void setPixel(int x, int y, std::uint8_t index);

  void fill(std::uint8_t index);
  void fillRect(int x, int y, int w, int h, std::uint8_t index);
  void drawRect(int x, int y, int w, int h, std::uint8_t index);
  void fillRoundedRect(int x, int y, int w, int h, int radius, std::uint8_t index);
  void drawLine(int x0, int y0, int x1, int y1, std::uint8_t index);
  // Circles are centred on a pixel and span 2 * radius + 1 pixels; radius 0
  // is that single pixel.
  void fillCircle(int cx, int cy, int radius, std::uint8_t index);
  // The outer disc minus the inner one; an inner radius below 0 removes
  // nothing, so the ring degenerates into a filled circle.
  void fillRing(int cx, int cy, int outerRadius, int innerRadius, std::uint8_t index);

  // Draws with the built-in 5x7 font; each glyph advances 6 * scale pixels.
  // Characters the font lacks come out as a hollow box rather than vanishing,
  // so a typo in a label is visible in the artwork.
  void drawText(int x, int y, std::string_view text, std::uint8_t index, int scale = 1);
  // Places text so that its bounding box is centred in the given rectangle.
  void drawTextCentred(int x, int y, int w, int h, std::string_view text, std::uint8_t index,
                       int scale = 1);

  static int textWidth(std::string_view text, int scale = 1);
  static int textHeight(int scale = 1) { return 7 * scale; }

 private:
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  std::vector<Rgb> palette_;
  std::vector<std::uint8_t> pixels_;
};

enum class Disposal { Unspecified = 0, Keep = 1, RestoreBackground = 2, RestorePrevious = 3 };

struct Frame {
  IndexedImage image;
  int left = 0;
  int top = 0;
  int delayCentiseconds = 10;  // only written for animations
  int transparentIndex = -1;   // -1: every pixel is opaque
  Disposal disposal = Disposal::Unspecified;
};

struct GifOptions {
  // Times an animation repeats after the first pass; 0 means forever.
  int loopCount = 0;
};

// Encodes the frames as a GIF89a. The logical screen covers every frame; the
// first frame's palette becomes the global colour table and later frames get
// a local table only when theirs differs. Two or more frames produce an
// animation with a NETSCAPE2.0 loop block and per-frame delays.
// Throws std::invalid_argument for unusable input (no frames, empty or huge
// images, palettes outside 1..256 entries, pixels pointing past the palette)
// and std::runtime_error when giflib reports a failure.
QByteArray encodeGif(const std::vector<Frame>& frames, const GifOptions& options = {});
QByteArray encodeGif(const IndexedImage& image, int transparentIndex = -1);

// Encodes and writes atomically. On failure returns false and, when given,
// fills error with a readable reason; the target is then left untouched.
bool writeGifFile(const QString& path, const std::vector<Frame>& frames,
                  const GifOptions& options = {}, QString* error = nullptr);

}  // namespace corvela::gifgen
