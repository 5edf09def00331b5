#include "gifwriter.h"

#include <gif_lib.h>

#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace corvela::gifgen {

namespace {

// Rows top to bottom, bit 4 is the leftmost column. Lower-case letters with
// descenders are lifted by a row because the cell has no room below the
// baseline; at phone resolution that reads better than clipped tails.
struct Glyph {
  char ch;
  std::array<std::uint8_t, 7> rows;
};

constexpr Glyph kFont[] = {
    {' ', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}},
    {'&', {0x0C, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0D}},
    {'\'', {0x0C, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
    {'*', {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}},
    {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'<', {0x02, 0x04, 0x08, 0x10, 0x08, 0x04, 0x02}},
    {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}},
    {'>', {0x08, 0x04, 0x02, 0x01, 0x02, 0x04, 0x08}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
    {'@', {0x0E, 0x11, 0x01, 0x0D, 0x15, 0x15, 0x0E}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E}},
    {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}},
    {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F}},
    {'e', {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}},
    {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08}},
    {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'h', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}},
    {'j', {0x02, 0x00, 0x06, 0x02, 0x02, 0x12, 0x0C}},
    {'k', {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12}},
    {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}},
    {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}},
    {'p', {0x00, 0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10}},
    {'q', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x01}},
    {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}},
    {'s', {0x00, 0x00, 0x0F, 0x10, 0x0E, 0x01, 0x1E}},
    {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}},
    {'u', {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D}},
    {'v', {0x00, 0x00, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'w', {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0A}},
    {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
    {'y', {0x00, 0x11, 0x11, 0x11, 0x0F, 0x01, 0x0E}},
    {'z', {0x00, 0x00, 0x1F, 0x02, 0x04, 0x08, 0x1F}},
};

constexpr std::array<std::uint8_t, 7> kMissingGlyph = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F};
constexpr int kGlyphAdvance = 6;

const std::array<std::uint8_t, 7>& glyphFor(char ch) {
  for (const Glyph& g : kFont) {
    if (g.ch == ch) return g.rows;
  }
  return kMissingGlyph;
}

bool inDisc(int dx, int dy, int radius) {
  // r * (r + 1) instead of r * r rounds the outline outwards by half a
  // pixel, which avoids the single-pixel nubs at the four compass points.
  return radius >= 0 && dx * dx + dy * dy <= radius * (radius + 1);
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

MapPtr makeColourMap(const std::vector<Rgb>& palette) {
  // giflib only accepts power-of-two tables; the padding entries are never
  // referenced because every pixel was checked against the real palette.
  const int size = 1 << GifBitSize(static_cast<int>(palette.size()));
  std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i)
    colours[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
  MapPtr map(GifMakeMapObject(size, colours.data()));
  if (!map) throw std::runtime_error("giflib could not allocate a colour table");
  return map;
}

std::string describeGifError(int code) {
  const char* text = GifErrorString(code);
  return text ? std::string(text) : "giflib error " + std::to_string(code);
}

int appendToByteArray(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

// Owns the giflib handle so that an exception half way through a frame still
// releases it.
class GifStream {
 public:
  explicit GifStream(QByteArray* out) {
    int error = 0;
    gif_ = EGifOpen(out, appendToByteArray, &error);
    if (!gif_) throw std::runtime_error("EGifOpen failed: " + describeGifError(error));
    EGifSetGifVersion(gif_, true);
  }
  ~GifStream() {
    if (gif_) {
      int ignored = 0;
      EGifCloseFile(gif_, &ignored);
    }
  }
  GifStream(const GifStream&) = delete;
  GifStream& operator=(const GifStream&) = delete;

  GifFileType* get() const { return gif_; }

  void check(int result, const char* step) const {
    if (result == GIF_ERROR)
      throw std::runtime_error(std::string(step) + " failed: " + describeGifError(gif_->Error));
  }

  void close() {
    int error = 0;
    GifFileType* gif = std::exchange(gif_, nullptr);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
      throw std::runtime_error("EGifCloseFile failed: " + describeGifError(error));
  }

 private:
  GifFileType* gif_ = nullptr;
};

void validate(const std::vector<Frame>& frames, const GifOptions& options) {
  if (frames.empty()) throw std::invalid_argument("a GIF needs at least one frame");
  if (options.loopCount < 0 || options.loopCount > 0xFFFF)
    throw std::invalid_argument("loop count must be within 0..65535");
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const Frame& f = frames[i];
    const std::string where = "frame " + std::to_string(i) + ": ";
    const IndexedImage& img = f.image;
    if (img.width() < 1 || img.height() < 1) throw std::invalid_argument(where + "image is empty");
    if (f.left < 0 || f.top < 0 || f.left + img.width() > 0xFFFF || f.top + img.height() > 0xFFFF)
      throw std::invalid_argument(where + "does not fit a GIF's 16-bit screen");
    const std::size_t colours = img.palette().size();
    if (colours < 1 || colours > 256)
      throw std::invalid_argument(where + "palette must hold 1..256 colours");
    if (f.transparentIndex < -1 || f.transparentIndex >= static_cast<int>(colours))
      throw std::invalid_argument(where + "transparent index is outside the palette");
    if (f.delayCentiseconds < 0 || f.delayCentiseconds > 0xFFFF)
      throw std::invalid_argument(where + "delay must be within 0..65535 centiseconds");
    const auto highest = std::max_element(img.pixels().begin(), img.pixels().end());
    if (*highest >= colours)
      throw std::invalid_argument(where + "a pixel refers past the end of the palette");
  }
}

}  // namespace

IndexedImage::IndexedImage(int width, int height, std::vector<Rgb> palette, std::uint8_t fillIndex)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      palette_(std::move(palette)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fillIndex) {
  if (palette_.size() > 256) throw std::length_error("a GIF palette holds at most 256 colours");
}

std::uint8_t IndexedImage::colourIndex(Rgb colour) {
  const auto it = std::find(palette_.begin(), palette_.end(), colour);
  if (it != palette_.end()) return static_cast<std::uint8_t>(it - palette_.begin());
  if (palette_.size() >= 256) throw std::length_error("palette is full");
  palette_.push_back(colour);
  return static_cast<std::uint8_t>(palette_.size() - 1);
}

std::uint8_t IndexedImage::pixel(int x, int y) const {
  if (!inside(x, y)) throw std::out_of_range("pixel outside the image");
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void IndexedImage::setPixel(int x, int y, std::uint8_t index) {
  if (inside(x, y))
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = index;
}

void IndexedImage::fill(std::uint8_t index) {
  std::fill(pixels_.begin(), pixels_.end(), index);
}

void IndexedImage::fillRect(int x, int y, int w, int h, std::uint8_t index) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px)
      pixels_[static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(px)] = index;
}

void IndexedImage::drawRect(int x, int y, int w, int h, std::uint8_t index) {
  if (w <= 0 || h <= 0) return;
  fillRect(x, y, w, 1, index);
  fillRect(x, y + h - 1, w, 1, index);
  fillRect(x, y, 1, h, index);
  fillRect(x + w - 1, y, 1, h, index);
}

void IndexedImage::fillRoundedRect(int x, int y, int w, int h, int radius, std::uint8_t index) {
  if (w <= 0 || h <= 0) return;
  const int r = std::clamp(radius, 0, std::min((w - 1) / 2, (h - 1) / 2));
  fillRect(x + r, y, w - 2 * r, h, index);
  fillRect(x, y + r, w, h - 2 * r, index);
  fillCircle(x + r, y + r, r, index);
  fillCircle(x + w - 1 - r, y + r, r, index);
  fillCircle(x + r, y + h - 1 - r, r, index);
  fillCircle(x + w - 1 - r, y + h - 1 - r, r, index);
}

void IndexedImage::drawLine(int x0, int y0, int x1, int y1, std::uint8_t index) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    setPixel(x0, y0, index);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void IndexedImage::fillCircle(int cx, int cy, int radius, std::uint8_t index) {
  fillRing(cx, cy, radius, -1, index);
}

void IndexedImage::fillRing(int cx, int cy, int outerRadius, int innerRadius, std::uint8_t index) {
  for (int y = cy - outerRadius; y <= cy + outerRadius; ++y)
    for (int x = cx - outerRadius; x <= cx + outerRadius; ++x)
      if (inDisc(x - cx, y - cy, outerRadius) && !inDisc(x - cx, y - cy, innerRadius))
        setPixel(x, y, index);
}

void IndexedImage::drawText(int x, int y, std::string_view text, std::uint8_t index, int scale) {
  scale = std::max(scale, 1);
  for (char ch : text) {
    const auto& rows = glyphFor(ch);
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (rows[static_cast<std::size_t>(row)] & (0x10 >> col))
          fillRect(x + col * scale, y + row * scale, scale, scale, index);
    x += kGlyphAdvance * scale;
  }
}

void IndexedImage::drawTextCentred(int x, int y, int w, int h, std::string_view text,
                                   std::uint8_t index, int scale) {
  const int tw = textWidth(text, scale);
  const int th = textHeight(std::max(scale, 1));
  drawText(x + (w - tw) / 2, y + (h - th) / 2, text, index, scale);
}

int IndexedImage::textWidth(std::string_view text, int scale) {
  scale = std::max(scale, 1);
  if (text.empty()) return 0;
  // The gap after the last glyph is not part of the text.
  return static_cast<int>(text.size()) * kGlyphAdvance * scale - scale;
}

QByteArray encodeGif(const std::vector<Frame>& frames, const GifOptions& options) {
  validate(frames, options);

  int screenWidth = 0, screenHeight = 0;
  for (const Frame& f : frames) {
    screenWidth = std::max(screenWidth, f.left + f.image.width());
    screenHeight = std::max(screenHeight, f.top + f.image.height());
  }
  const bool animated = frames.size() > 1;
  const std::vector<Rgb>& globalPalette = frames.front().image.palette();

  QByteArray out;
  GifStream gif(&out);
  {
    MapPtr globalMap = makeColourMap(globalPalette);
    gif.check(EGifPutScreenDesc(gif.get(), screenWidth, screenHeight, globalMap->BitsPerPixel, 0,
                                globalMap.get()),
              "EGifPutScreenDesc");
  }

  if (animated) {
    const GifByteType loop[3] = {1, static_cast<GifByteType>(options.loopCount & 0xFF),
                                 static_cast<GifByteType>(options.loopCount >> 8)};
    gif.check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE),
              "EGifPutExtensionLeader");
    gif.check(EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0"), "EGifPutExtensionBlock");
    gif.check(EGifPutExtensionBlock(gif.get(), 3, loop), "EGifPutExtensionBlock");
    gif.check(EGifPutExtensionTrailer(gif.get()), "EGifPutExtensionTrailer");
  }

  std::vector<GifPixelType> row;
  for (const Frame& f : frames) {
    if (animated || f.transparentIndex >= 0) {
      GraphicsControlBlock gcb{};
      gcb.DisposalMode = static_cast<int>(f.disposal);
      gcb.UserInputFlag = false;
      gcb.DelayTime = animated ? f.delayCentiseconds : 0;
      gcb.TransparentColor = f.transparentIndex >= 0 ? f.transparentIndex : NO_TRANSPARENT_COLOR;
      GifByteType extension[4];
      const auto length = EGifGCBToExtension(&gcb, extension);
      gif.check(
          EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
          "EGifPutExtension");
    }

    const IndexedImage& img = f.image;
    MapPtr localMap;
    if (img.palette() != globalPalette) localMap = makeColourMap(img.palette());
    // giflib drops the previous frame's local table without freeing it
    // when the next frame has none; release it here instead of leaking.
    if (!localMap && gif.get()->Image.ColorMap) {
      GifFreeMapObject(gif.get()->Image.ColorMap);
      gif.get()->Image.ColorMap = nullptr;
    }
    gif.check(EGifPutImageDesc(gif.get(), f.left, f.top, img.width(), img.height(), false,
                               localMap.get()),
              "EGifPutImageDesc");

    // EGifPutLine masks the pixels in place, so it gets a scratch copy.
    const auto width = static_cast<std::size_t>(img.width());
    row.resize(width);
    for (int y = 0; y < img.height(); ++y) {
      const auto begin =
          img.pixels().begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * width);
      std::copy(begin, begin + static_cast<std::ptrdiff_t>(width), row.begin());
      gif.check(EGifPutLine(gif.get(), row.data(), img.width()), "EGifPutLine");
    }
  }

  gif.close();
  return out;
}

QByteArray encodeGif(const IndexedImage& image, int transparentIndex) {
  Frame frame{image};
  frame.transparentIndex = transparentIndex;
  return encodeGif(std::vector<Frame>{frame});
}

bool writeGifFile(const QString& path, const std::vector<Frame>& frames, const GifOptions& options,
                  QString* error) {
  auto fail = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };

  QByteArray bytes;
  try {
    bytes = encodeGif(frames, options);
  } catch (const std::exception& e) {
    return fail(QString::fromUtf8(e.what()));
  }

  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
  if (file.write(bytes) != bytes.size())
    return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
  if (!file.commit())
    return fail(QStringLiteral("cannot save %1: %2").arg(path, file.errorString()));
  return true;
}

}  // namespace corvela::gifgen
