#include "demo_skin.h"

#include "gifwriter.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace corvela::gifgen {

namespace {

constexpr int kMaxSkinLines = 1501;

// Index 0 of every transparent image; magenta never appears in the artwork,
// so a viewer that ignores transparency makes the mistake obvious.
constexpr Rgb kKey{255, 0, 255};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{40, 40, 48};
constexpr Rgb kRed{230, 0, 0};
constexpr Rgb kDarkRed{150, 0, 0};
constexpr Rgb kPaleRed{255, 110, 110};
constexpr Rgb kGrey{150, 150, 150};
constexpr Rgb kLightGrey{205, 205, 205};
constexpr Rgb kMidGrey{110, 110, 110};
constexpr Rgb kGreen{40, 170, 60};
constexpr Rgb kAmber{240, 170, 0};
constexpr Rgb kYellow{255, 220, 40};
constexpr Rgb kBlue{30, 80, 200};
constexpr Rgb kSky{200, 220, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kCrimson{170, 0, 60};

// Integer geometry only: the demo must come out byte-identical on every
// machine, and libm's sin/cos are not guaranteed to round alike everywhere.
struct Dir {
  int dx;
  int dy;
};
// Unit vectors in thousandths, clockwise from twelve o'clock.
constexpr std::array<Dir, 12> kHours = {{{0, -1000},
                                         {500, -866},
                                         {866, -500},
                                         {1000, 0},
                                         {866, 500},
                                         {500, 866},
                                         {0, 1000},
                                         {-500, 866},
                                         {-866, 500},
                                         {-1000, 0},
                                         {-866, -500},
                                         {-500, -866}}};
constexpr std::array<Dir, 8> kOctants = {{{0, -1000},
                                          {707, -707},
                                          {1000, 0},
                                          {707, 707},
                                          {0, 1000},
                                          {-707, 707},
                                          {-1000, 0},
                                          {-707, -707}}};

int roundDiv(int n, int d) {
  return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

int along(int centre, int radius, int unitThousandths) {
  return centre + roundDiv(radius * unitThousandths, 1000);
}

std::uint8_t ink(IndexedImage& img, Rgb colour) {
  return img.colourIndex(colour);
}

IndexedImage transparentCanvas(int w, int h) {
  return IndexedImage(w, h, {kKey});
}

IndexedImage opaqueCanvas(int w, int h, Rgb background) {
  return IndexedImage(w, h, {background});
}

QByteArray transparentGif(const IndexedImage& img) {
  return encodeGif(img, 0);
}

QByteArray opaqueGif(const IndexedImage& img) {
  return encodeGif(img);
}

void thickLine(IndexedImage& img, int x0, int y0, int x1, int y1, int radius, std::uint8_t index) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = steps ? x0 + roundDiv((x1 - x0) * i, steps) : x0;
    const int y = steps ? y0 + roundDiv((y1 - y0) * i, steps) : y0;
    img.fillCircle(x, y, radius, index);
  }
}

void fillTriangle(IndexedImage& img, int ax, int ay, int bx, int by, int cx, int cy,
                  std::uint8_t index) {
  auto edge = [](int px, int py, int qx, int qy, int x, int y) {
    return (qx - px) * (y - py) - (qy - py) * (x - px);
  };
  const int area = edge(ax, ay, bx, by, cx, cy);
  if (area == 0) return;
  for (int y = std::min({ay, by, cy}); y <= std::max({ay, by, cy}); ++y) {
    for (int x = std::min({ax, bx, cx}); x <= std::max({ax, bx, cx}); ++x) {
      const int e0 = edge(ax, ay, bx, by, x, y);
      const int e1 = edge(bx, by, cx, cy, x, y);
      const int e2 = edge(cx, cy, ax, ay, x, y);
      const bool inside =
          area > 0 ? (e0 >= 0 && e1 >= 0 && e2 >= 0) : (e0 <= 0 && e1 <= 0 && e2 <= 0);
      if (inside) img.setPixel(x, y, index);
    }
  }
}

// Ring pixels for which keep(dx, dy) holds; arcs, smiles and sound waves.
template <typename Keep>
void ringPart(IndexedImage& img, int cx, int cy, int outer, int inner, std::uint8_t index,
              Keep keep) {
  for (int dy = -outer; dy <= outer; ++dy)
    for (int dx = -outer; dx <= outer; ++dx) {
      const int d2 = dx * dx + dy * dy;
      if (d2 <= outer * (outer + 1) && (inner < 0 || d2 > inner * (inner + 1)) && keep(dx, dy))
        img.setPixel(cx + dx, cy + dy, index);
    }
}

// --- soft-key bar ---------------------------------------------------------

enum class KeyState { Released, Pressed, Disabled };

IndexedImage softKey(int width, std::string_view label, KeyState state) {
  IndexedImage img = transparentCanvas(width, 22);
  Rgb border = kDarkRed, body = kRed, text = kWhite;
  if (state == KeyState::Pressed) {
    border = kRed;
    body = kWhite;
    text = kRed;
  } else if (state == KeyState::Disabled) {
    // Greyed out, yet still legible: a caption the user cannot read is no
    // use as a picture of a key that is only unavailable.
    border = kGrey;
    body = kLightGrey;
    text = kMidGrey;
  }
  img.fillRoundedRect(0, 0, width, 22, 6, ink(img, border));
  img.fillRoundedRect(1, 1, width - 2, 20, 5, ink(img, body));
  if (state == KeyState::Released) img.fillRect(6, 2, width - 12, 1, ink(img, kPaleRed));
  img.drawTextCentred(0, 0, width, 22, label, ink(img, text));
  return img;
}

IndexedImage centreKey(KeyState state) {
  IndexedImage img = softKey(21, "", state);
  const Rgb mark = state == KeyState::Released ? kWhite : state == KeyState::Pressed ? kRed : kGrey;
  img.fillRing(10, 11, 5, 3, ink(img, mark));
  img.fillCircle(10, 11, 1, ink(img, mark));
  return img;
}

// The extra slot after the released keys: a key of the same family that
// offers more, three dots on the red plate.
IndexedImage barSlot() {
  IndexedImage img = softKey(20, "", KeyState::Released);
  const std::uint8_t dot = ink(img, kWhite);
  for (int x : {5, 10, 15}) img.fillRect(x - 1, 10, 2, 2, dot);
  return img;
}

enum class Arrow { Up, Down, Left, Right };

IndexedImage navArrow(Arrow arrow, bool pressed) {
  const bool vertical = arrow == Arrow::Up || arrow == Arrow::Down;
  IndexedImage img = transparentCanvas(vertical ? 11 : 5, vertical ? 5 : 10);
  const std::uint8_t c = ink(img, pressed ? kRed : kMidGrey);
  switch (arrow) {
    case Arrow::Up:
      fillTriangle(img, 5, 0, 0, 4, 10, 4, c);
      break;
    case Arrow::Down:
      fillTriangle(img, 0, 0, 10, 0, 5, 4, c);
      break;
    case Arrow::Left:
      fillTriangle(img, 0, 4, 4, 0, 4, 9, c);
      fillTriangle(img, 0, 5, 4, 0, 4, 9, c);
      break;
    case Arrow::Right:
      fillTriangle(img, 0, 0, 4, 4, 0, 9, c);
      fillTriangle(img, 0, 0, 4, 5, 0, 9, c);
      break;
  }
  return img;
}

// --- idle screen ------------------------------------------------------------

IndexedImage clockFace() {
  constexpr int c = 39;
  IndexedImage img = transparentCanvas(80, 80);
  img.fillCircle(c, c, 39, ink(img, kInk));
  img.fillCircle(c, c, 36, ink(img, kWhite));
  img.fillRing(c, c, 36, 34, ink(img, kLightGrey));
  for (std::size_t h = 0; h < kHours.size(); ++h) {
    const Dir d = kHours[h];
    if (h % 3 == 0) {
      thickLine(img, along(c, 27, d.dx), along(c, 27, d.dy), along(c, 33, d.dx), along(c, 33, d.dy),
                1, ink(img, kInk));
    } else {
      img.drawLine(along(c, 30, d.dx), along(c, 30, d.dy), along(c, 33, d.dx), along(c, 33, d.dy),
                   ink(img, kMidGrey));
    }
  }
  // Numerals only where no hand of the preview's fixed pose (twelve and
  // three o'clock) would strike them through.
  const std::uint8_t numerals = ink(img, kNavy);
  img.drawTextCentred(c - 10, c - 23, 21, 9, "12", numerals);
  img.drawTextCentred(c - 4, c + 14, 9, 9, "6", numerals);
  img.fillCircle(c, c, 2, ink(img, kRed));
  return img;
}

IndexedImage battery(int level, bool charging) {
  IndexedImage img = transparentCanvas(17, 9);
  img.drawRect(0, 0, 15, 9, ink(img, kInk));
  img.fillRect(15, 2, 2, 5, ink(img, kInk));
  const std::uint8_t fill = ink(img, level <= 1 ? kRed : kGreen);
  for (int i = 0; i < level; ++i) img.fillRect(2 + i * 3, 2, 2, 5, fill);
  if (charging) {
    const std::uint8_t bolt = ink(img, kAmber);
    img.drawLine(9, 1, 5, 4, bolt);
    img.drawLine(5, 4, 10, 4, bolt);
    img.drawLine(10, 4, 6, 7, bolt);
  }
  return img;
}

IndexedImage signal(int level) {
  IndexedImage img = transparentCanvas(15, 10);
  for (int i = 0; i < 5; ++i) {
    const int h = 2 + 2 * i;
    img.fillRect(i * 3, 10 - h, 2, h, ink(img, i < level ? kInk : kLightGrey));
  }
  return img;
}

IndexedImage envelope(Rgb paper, char badge, bool unread) {
  const int badgeWidth = badge ? 6 : 0;
  IndexedImage img = transparentCanvas(13 + badgeWidth, 9);
  img.fillRect(0, 0, 13, 9, ink(img, paper));
  img.drawRect(0, 0, 13, 9, ink(img, kInk));
  img.drawLine(0, 0, 6, 5, ink(img, kInk));
  img.drawLine(12, 0, 6, 5, ink(img, kInk));
  if (unread) img.fillCircle(11, 1, 1, ink(img, kRed));
  if (badge) img.drawText(14, 1, std::string_view(&badge, 1), ink(img, kRed));
  return img;
}

IndexedImage letterBadge(std::string_view text, Rgb body) {
  const int w = IndexedImage::textWidth(text) + 4;
  IndexedImage img = transparentCanvas(std::max(w, 11), 11);
  img.fillRoundedRect(0, 0, img.width(), 11, 2, ink(img, body));
  img.drawTextCentred(0, 0, img.width(), 11, text, ink(img, kWhite));
  return img;
}

void handset(IndexedImage& img, int x0, int y0, int x1, int y1, int thickness, std::uint8_t c) {
  thickLine(img, x0, y0, x1, y1, thickness, c);
  img.fillCircle(x0, y0, thickness + 2, c);
  img.fillCircle(x1, y1, thickness + 2, c);
}

void speaker(IndexedImage& img, int x, int y, std::uint8_t c) {
  img.fillRect(x, y + 3, 3, 5, c);
  fillTriangle(img, x + 2, y + 5, x + 6, y, x + 6, y + 10, c);
}

IndexedImage statusIcon(int which) {
  IndexedImage img = transparentCanvas(16, 12);
  const std::uint8_t dark = ink(img, kInk);
  switch (which) {
    case 0:  // alarm set
      img.fillCircle(8, 5, 5, dark);
      img.fillRect(3, 5, 11, 4, dark);
      img.fillRect(1, 8, 15, 2, dark);
      img.fillCircle(8, 10, 1, dark);
      break;
    case 1:  // silent
      speaker(img, 1, 1, dark);
      img.drawLine(9, 3, 14, 8, ink(img, kRed));
      img.drawLine(14, 3, 9, 8, ink(img, kRed));
      break;
    case 2:  // keypad locked
    case 3:  // secure connection
      ringPart(img, 8, 5, 4, 2, dark, [](int, int dy) { return dy <= 0; });
      img.fillRect(3, 5, 11, 7, ink(img, which == 2 ? kInk : kGreen));
      img.fillRect(8, 7, 1, 3, ink(img, kWhite));
      break;
    case 4:  // missed call
      handset(img, 3, 3, 10, 10, 1, dark);
      thickLine(img, 11, 1, 15, 5, 0, ink(img, kRed));
      fillTriangle(img, 15, 1, 15, 5, 11, 5, ink(img, kRed));
      break;
    case 5:  // calls diverted
      img.fillRect(1, 8, 10, 2, dark);
      img.fillRect(9, 3, 2, 6, dark);
      fillTriangle(img, 10, 0, 6, 4, 14, 4, dark);
      break;
    case 6:  // bluetooth
      img.drawLine(7, 0, 7, 11, ink(img, kBlue));
      img.drawLine(7, 0, 10, 3, ink(img, kBlue));
      img.drawLine(10, 3, 4, 8, ink(img, kBlue));
      img.drawLine(7, 11, 10, 8, ink(img, kBlue));
      img.drawLine(10, 8, 4, 3, ink(img, kBlue));
      break;
    case 7:  // headset
      ringPart(img, 8, 7, 6, 5, dark, [](int, int dy) { return dy <= 0; });
      img.fillRect(1, 6, 3, 5, dark);
      img.fillRect(12, 6, 3, 5, dark);
      break;
    case 8:  // voicemail
      img.fillRing(4, 6, 3, 1, dark);
      img.fillRing(11, 6, 3, 1, dark);
      img.fillRect(4, 9, 8, 1, dark);
      break;
    case 9:  // vibrate
      img.drawRect(5, 0, 6, 12, dark);
      img.drawLine(2, 2, 2, 9, dark);
      img.drawLine(13, 2, 13, 9, dark);
      img.drawLine(0, 4, 0, 7, dark);
      img.drawLine(15, 4, 15, 7, dark);
      break;
    case 10:  // java application running
      img.fillRect(3, 6, 8, 5, ink(img, kAmber));
      img.fillRing(12, 8, 2, 0, ink(img, kAmber));
      img.drawLine(5, 1, 5, 4, dark);
      img.drawLine(8, 0, 8, 4, dark);
      break;
    case 11:  // infrared
      img.fillCircle(3, 6, 2, ink(img, kRed));
      ringPart(img, 3, 6, 6, 5, dark, [](int dx, int) { return dx > 2; });
      ringPart(img, 3, 6, 10, 9, dark, [](int dx, int) { return dx > 5; });
      break;
    case 12:  // usb
      img.drawLine(2, 6, 13, 6, dark);
      fillTriangle(img, 15, 6, 12, 3, 12, 9, dark);
      img.drawLine(5, 6, 8, 2, dark);
      img.drawLine(8, 2, 10, 2, dark);
      img.drawLine(7, 6, 9, 10, dark);
      img.fillRect(9, 9, 2, 2, dark);
      img.fillCircle(2, 6, 1, dark);
      break;
    case 13:  // hands-free speaker
      speaker(img, 1, 1, dark);
      ringPart(img, 7, 6, 4, 3, dark, [](int dx, int) { return dx > 1; });
      ringPart(img, 7, 6, 7, 6, dark, [](int dx, int) { return dx > 3; });
      break;
    case 14:  // microphone muted
      img.fillRoundedRect(6, 0, 5, 8, 2, dark);
      img.drawLine(8, 8, 8, 11, dark);
      img.drawLine(5, 11, 11, 11, dark);
      img.drawLine(2, 0, 14, 11, ink(img, kRed));
      break;
    case 15:  // memory full
      img.fillRect(3, 0, 10, 12, ink(img, kRed));
      fillTriangle(img, 10, 0, 12, 0, 12, 2, 0);
      img.drawText(6, 3, "!", ink(img, kWhite));
      break;
    case 16:  // timer running
      fillTriangle(img, 3, 0, 12, 0, 7, 5, dark);
      fillTriangle(img, 7, 6, 3, 11, 12, 11, dark);
      break;
    case 17:  // calendar reminder
      img.fillRect(1, 0, 14, 12, ink(img, kWhite));
      img.drawRect(1, 0, 14, 12, dark);
      img.fillRect(1, 0, 14, 3, ink(img, kRed));
      for (int y = 5; y < 11; y += 2)
        for (int x = 3; x < 14; x += 3) img.setPixel(x, y, dark);
      break;
    default:
      throw std::logic_error("no such status icon");
  }
  return img;
}
constexpr int kStatusIconCount = 18;

// --- clock and calendar ----------------------------------------------------

IndexedImage segmentDigit(int digit) {
  // Segments a..g as bits 0..6.
  static constexpr std::array<std::uint8_t, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                             0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  struct Box {
    int x, y, w, h;
  };
  static constexpr std::array<Box, 7> kBoxes = {{{2, 0, 11, 3},
                                                 {12, 2, 3, 8},
                                                 {12, 10, 3, 8},
                                                 {2, 17, 11, 3},
                                                 {0, 10, 3, 8},
                                                 {0, 2, 3, 8},
                                                 {2, 9, 11, 2}}};
  IndexedImage img = transparentCanvas(15, 20);
  const std::uint8_t lit = ink(img, kNavy);
  for (std::size_t s = 0; s < kBoxes.size(); ++s)
    if (kSegments[static_cast<std::size_t>(digit)] & (1u << s))
      img.fillRoundedRect(kBoxes[s].x, kBoxes[s].y, kBoxes[s].w, kBoxes[s].h, 1, lit);
  return img;
}

IndexedImage textImage(int w, int h, std::string_view text, Rgb colour, int scale = 1) {
  IndexedImage img = transparentCanvas(w, h);
  img.drawTextCentred(0, 0, w, h, text, ink(img, colour), scale);
  return img;
}

IndexedImage keypadKey(std::string_view label, bool pressed) {
  IndexedImage img = transparentCanvas(30, 18);
  img.fillRoundedRect(0, 0, 30, 18, 4, ink(img, pressed ? kDarkRed : kGrey));
  img.fillRoundedRect(1, 1, 28, 16, 3, ink(img, pressed ? kRed : kLightGrey));
  img.drawTextCentred(0, 0, 30, 18, label, ink(img, pressed ? kWhite : kInk), 2);
  return img;
}

// --- menus -----------------------------------------------------------------

struct Inks {
  std::uint8_t line;
  std::uint8_t fill;
  std::uint8_t accent;
  std::uint8_t background;  // for cut-outs, so they show the tile behind
};

void menuPictogram(IndexedImage& img, int which, Inks k) {
  switch (which) {
    case 0:  // messages
      img.fillRect(6, 11, 28, 18, k.fill);
      img.drawRect(6, 11, 28, 18, k.line);
      thickLine(img, 7, 12, 20, 21, 0, k.line);
      thickLine(img, 32, 12, 20, 21, 0, k.line);
      img.fillCircle(31, 11, 3, k.accent);
      break;
    case 1:  // contacts
      img.fillCircle(20, 13, 6, k.line);
      img.fillCircle(20, 13, 4, k.fill);
      img.fillRoundedRect(9, 21, 23, 14, 6, k.line);
      img.fillRoundedRect(11, 23, 19, 12, 5, k.accent);
      break;
    case 2:  // calls
      handset(img, 11, 11, 28, 28, 2, k.line);
      img.fillCircle(11, 11, 2, k.accent);
      img.fillCircle(28, 28, 2, k.accent);
      break;
    case 3:  // camera
      img.fillRect(12, 9, 8, 5, k.line);
      img.fillRoundedRect(6, 13, 28, 18, 3, k.line);
      img.fillRing(20, 22, 7, 4, k.fill);
      img.fillCircle(20, 22, 3, k.accent);
      img.fillRect(28, 15, 3, 2, k.accent);
      break;
    case 4:  // games
      img.fillRoundedRect(5, 13, 30, 15, 7, k.line);
      img.fillRect(10, 19, 7, 3, k.fill);
      img.fillRect(12, 17, 3, 7, k.fill);
      img.fillCircle(25, 18, 2, k.accent);
      img.fillCircle(29, 22, 2, k.accent);
      break;
    case 5:  // settings
      for (const Dir d : kOctants)
        img.fillCircle(along(20, 12, d.dx), along(20, 12, d.dy), 3, k.line);
      img.fillCircle(20, 20, 11, k.line);
      img.fillCircle(20, 20, 5, k.fill);
      img.fillCircle(20, 20, 2, k.accent);
      break;
    case 6:  // music
      img.fillCircle(12, 28, 4, k.line);
      img.fillCircle(27, 25, 4, k.line);
      img.fillRect(15, 10, 2, 18, k.line);
      img.fillRect(30, 7, 2, 18, k.line);
      thickLine(img, 16, 10, 30, 7, 1, k.accent);
      break;
    case 7:  // internet
      img.fillCircle(20, 20, 14, k.fill);
      img.fillRing(20, 20, 14, 12, k.line);
      ringPart(img, 20, 20, 14, -1, k.line, [](int dx, int dy) {
        const int e = 4 * dx * dx + dy * dy;
        return e >= 12 * 12 && e <= 14 * 14;
      });
      img.fillRect(6, 20, 29, 1, k.line);
      img.fillRect(20, 6, 1, 29, k.line);
      img.fillRect(9, 13, 23, 1, k.accent);
      img.fillRect(9, 27, 23, 1, k.accent);
      break;
    case 8:  // organiser
      img.fillRect(7, 8, 26, 26, k.fill);
      img.drawRect(7, 8, 26, 26, k.line);
      img.fillRect(7, 8, 26, 6, k.accent);
      for (int y = 17; y < 32; y += 4)
        for (int x = 10; x < 31; x += 5) img.fillRect(x, y, 2, 2, k.line);
      break;
    case 9:  // tools
      thickLine(img, 10, 30, 23, 17, 2, k.line);
      img.fillRing(27, 13, 8, 3, k.line);
      fillTriangle(img, 27, 13, 36, 4, 36, 13, k.background);
      img.fillCircle(10, 30, 1, k.accent);
      break;
    case 10:  // alarm clock
      img.fillCircle(11, 9, 4, k.accent);
      img.fillCircle(29, 9, 4, k.accent);
      img.fillCircle(20, 21, 12, k.line);
      img.fillCircle(20, 21, 10, k.fill);
      img.drawLine(20, 21, 20, 13, k.line);
      img.drawLine(20, 21, 26, 21, k.line);
      thickLine(img, 12, 31, 10, 34, 1, k.line);
      thickLine(img, 28, 31, 30, 34, 1, k.line);
      break;
    case 11:  // operator portal
      img.fillCircle(20, 20, 15, k.accent);
      img.fillRing(20, 20, 15, 13, k.line);
      img.drawTextCentred(0, 0, 40, 40, "live", k.fill);
      break;
    default:
      throw std::logic_error("no such menu");
  }
}

constexpr std::array<std::string_view, 12> kMenuTitles = {
    "Messaggi", "Rubrica",  "Chiamate", "Fotocamera", "Giochi",  "Impostazioni",
    "Musica",   "Internet", "Agenda",   "Strumenti",  "Sveglia", "Vodafone live!"};

IndexedImage menuIcon(int which, bool selected) {
  IndexedImage img = transparentCanvas(40, 40);
  if (selected) {
    img.fillRoundedRect(0, 0, 40, 40, 7, ink(img, kDarkRed));
    img.fillRoundedRect(2, 2, 36, 36, 6, ink(img, kRed));
    menuPictogram(img, which,
                  {ink(img, kWhite), ink(img, kPaleRed), ink(img, kYellow), ink(img, kRed)});
  } else {
    menuPictogram(img, which, {ink(img, kInk), ink(img, kWhite), ink(img, kRed), 0});
  }
  return img;
}

IndexedImage checkBox(bool radio, bool checked, bool enabled) {
  IndexedImage img = transparentCanvas(11, 11);
  const std::uint8_t frame = ink(img, enabled ? kInk : kGrey);
  const std::uint8_t mark = ink(img, enabled ? kRed : kGrey);
  if (radio) {
    img.fillCircle(5, 5, 5, frame);
    img.fillCircle(5, 5, 4, ink(img, kWhite));
    if (checked) img.fillCircle(5, 5, 2, mark);
  } else {
    img.fillRect(0, 0, 11, 11, ink(img, kWhite));
    img.drawRect(0, 0, 11, 11, frame);
    if (checked) {
      thickLine(img, 2, 5, 4, 8, 0, mark);
      thickLine(img, 4, 8, 8, 2, 0, mark);
    }
  }
  return img;
}

IndexedImage titleBar() {
  IndexedImage img = opaqueCanvas(176, 18, kDarkRed);
  for (int y = 0; y < 18; ++y) {
    const int shade = 150 + (18 - y) * 5;
    img.fillRect(0, y, 176, 1, ink(img, Rgb{static_cast<std::uint8_t>(shade), 0, 0}));
  }
  img.fillRect(0, 17, 176, 1, ink(img, kBlack));
  return img;
}

IndexedImage popupCorner(int corner) {
  IndexedImage img = transparentCanvas(6, 6);
  const int cx = corner % 2 == 0 ? 5 : 0;
  const int cy = corner < 2 ? 5 : 0;
  img.fillCircle(cx, cy, 5, ink(img, kInk));
  img.fillCircle(cx, cy, 4, ink(img, kWhite));
  return img;
}

IndexedImage popupSymbol(char symbol, Rgb colour) {
  IndexedImage img = transparentCanvas(24, 24);
  img.fillCircle(11, 11, 11, ink(img, colour));
  img.drawTextCentred(0, 0, 23, 23, std::string_view(&symbol, 1), ink(img, kWhite), 2);
  return img;
}

// --- extras ------------------------------------------------------------------

IndexedImage emoticon(int mood, Rgb skin) {
  IndexedImage img = transparentCanvas(15, 15);
  const std::uint8_t line = ink(img, kInk);
  img.fillCircle(7, 7, 7, line);
  img.fillCircle(7, 7, 6, ink(img, skin));
  auto smile = [&](std::uint8_t c) {
    ringPart(img, 7, 7, 4, 3, c, [](int, int dy) { return dy >= 2; });
  };
  switch (mood) {
    case 0:  // happy
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      smile(line);
      break;
    case 1:  // sad
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      ringPart(img, 7, 13, 4, 3, line, [](int, int dy) { return dy <= -2; });
      break;
    case 2:  // wink
      img.fillRect(4, 5, 3, 1, line);
      img.fillRect(9, 4, 2, 2, line);
      smile(line);
      break;
    case 3:  // surprised
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      img.fillRing(7, 10, 2, 0, line);
      break;
    case 4:  // laughing
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      ringPart(img, 7, 8, 4, -1, line, [](int, int dy) { return dy >= 1; });
      break;
    case 5:  // angry
      img.drawLine(3, 3, 6, 5, line);
      img.drawLine(11, 3, 8, 5, line);
      img.fillRect(4, 10, 7, 1, line);
      break;
    case 6:  // sunglasses
      img.fillRect(2, 4, 11, 1, line);
      img.fillRect(3, 4, 4, 3, line);
      img.fillRect(8, 4, 4, 3, line);
      smile(line);
      break;
    case 7:  // tongue out
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      smile(line);
      img.fillCircle(8, 11, 1, ink(img, kRed));
      break;
    case 8:  // kiss
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      img.fillCircle(7, 10, 1, ink(img, kRed));
      break;
    case 9:  // puzzled
      img.fillRect(4, 4, 2, 2, line);
      img.fillRect(9, 4, 2, 2, line);
      img.drawLine(4, 11, 6, 9, line);
      img.drawLine(6, 9, 8, 11, line);
      img.drawLine(8, 11, 10, 9, line);
      break;
    default:
      throw std::logic_error("no such mood");
  }
  return img;
}

IndexedImage appIcon(int shape, Rgb colour) {
  IndexedImage img = transparentCanvas(16, 16);
  const std::uint8_t c = ink(img, colour);
  const std::uint8_t edge = ink(img, kInk);
  switch (shape) {
    case 0:
      img.fillRect(2, 2, 12, 12, c);
      img.drawRect(2, 2, 12, 12, edge);
      break;
    case 1:
      img.fillCircle(7, 7, 6, edge);
      img.fillCircle(7, 7, 5, c);
      break;
    case 2:
      fillTriangle(img, 7, 1, 1, 13, 14, 13, edge);
      fillTriangle(img, 7, 4, 3, 12, 12, 12, c);
      break;
    case 3:
      fillTriangle(img, 7, 0, 0, 7, 14, 7, c);
      fillTriangle(img, 0, 8, 14, 8, 7, 15, c);
      break;
    case 4:
      img.fillRect(6, 1, 4, 14, c);
      img.fillRect(1, 6, 14, 4, c);
      break;
    case 5:
      img.fillRing(7, 7, 7, 3, c);
      img.fillCircle(7, 7, 1, edge);
      break;
    case 6:  // house
      fillTriangle(img, 7, 1, 0, 7, 15, 7, c);
      img.fillRect(2, 7, 12, 8, c);
      img.fillRect(6, 10, 4, 5, edge);
      break;
    case 7:  // note card
      img.fillRect(2, 1, 11, 14, ink(img, kWhite));
      img.drawRect(2, 1, 11, 14, edge);
      for (int y = 4; y < 13; y += 3) img.fillRect(4, y, 7, 1, c);
      break;
    default:
      throw std::logic_error("no such shape");
  }
  return img;
}

IndexedImage profileIcon(int profile, bool selected) {
  IndexedImage img = selected ? opaqueCanvas(16, 16, kRed) : transparentCanvas(16, 16);
  const std::uint8_t c = ink(img, selected ? kWhite : kInk);
  switch (profile) {
    case 0:  // normal
      speaker(img, 1, 3, c);
      ringPart(img, 7, 8, 4, 3, c, [](int dx, int) { return dx > 1; });
      break;
    case 1:  // silent
      speaker(img, 1, 3, c);
      img.drawLine(10, 5, 14, 11, c);
      img.drawLine(14, 5, 10, 11, c);
      break;
    case 2:  // meeting
      img.fillCircle(5, 5, 3, c);
      img.fillCircle(11, 5, 3, c);
      img.fillRect(1, 10, 14, 5, c);
      break;
    case 3:  // outdoor
      speaker(img, 1, 3, c);
      ringPart(img, 7, 8, 4, 3, c, [](int dx, int) { return dx > 1; });
      ringPart(img, 7, 8, 7, 6, c, [](int dx, int) { return dx > 3; });
      break;
    case 4:  // car
      img.fillRoundedRect(1, 6, 14, 6, 2, c);
      img.fillRect(4, 3, 8, 4, c);
      img.fillCircle(4, 12, 2, ink(img, kBlack));
      img.fillCircle(11, 12, 2, ink(img, kBlack));
      break;
    case 5:  // headset
      ringPart(img, 8, 9, 6, 5, c, [](int, int dy) { return dy <= 0; });
      img.fillRect(1, 8, 3, 6, c);
      img.fillRect(12, 8, 3, 6, c);
      break;
    default:
      throw std::logic_error("no such profile");
  }
  return img;
}

Rgb blend(Rgb from, Rgb to, int step, int steps) {
  auto mix = [&](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(a + roundDiv((b - a) * step, steps));
  };
  return {mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b)};
}

// The wallpaper the demo opens with: a pale sky where the operator and date
// texts sit, so both stay legible, deepening towards green hills above the
// soft-key bar. The clock area in the middle is left calm.
IndexedImage wallpaper() {
  constexpr int kWidth = 176, kHeight = 220;
  IndexedImage img = opaqueCanvas(kWidth, kHeight, kWhite);
  const Rgb zenith{236, 244, 255}, horizon{120, 176, 236};
  for (int y = 0; y < kHeight; y += 4)
    img.fillRect(0, y, kWidth, 4, ink(img, blend(zenith, horizon, y, kHeight)));

  const Rgb sunlight{255, 236, 150};
  img.fillCircle(150, 92, 15, ink(img, sunlight));
  img.fillCircle(150, 92, 11, ink(img, kYellow));

  const std::uint8_t cloud = ink(img, kWhite);
  for (auto [x, y, r] : {std::array{18, 84, 7},
                         {28, 80, 9},
                         {39, 85, 7},
                         {128, 140, 6},
                         {138, 137, 8},
                         {148, 141, 5}})
    img.fillCircle(x, y, r, cloud);
  img.fillRect(18, 85, 22, 7, cloud);
  img.fillRect(128, 141, 21, 6, cloud);

  // Hills as huge circles whose tops just show.
  img.fillCircle(30, 300, 142, ink(img, Rgb{120, 190, 90}));
  img.fillCircle(170, 320, 150, ink(img, Rgb{80, 160, 70}));
  img.fillCircle(80, 350, 170, ink(img, Rgb{50, 130, 60}));

  // A lone tree on the far hill.
  const std::uint8_t trunk = ink(img, Rgb{110, 70, 40});
  img.fillRect(140, 160, 3, 12, trunk);
  img.fillCircle(141, 156, 7, ink(img, Rgb{30, 100, 45}));
  return img;
}

IndexedImage wallpaperRings() {
  IndexedImage img = opaqueCanvas(176, 220, kWhite);
  const std::array<Rgb, 4> tones = {Rgb{255, 235, 235}, Rgb{255, 200, 200}, Rgb{250, 150, 150},
                                    Rgb{230, 90, 90}};
  for (int r = 150; r > 0; r -= 15)
    img.fillCircle(88, 110, r, ink(img, tones[static_cast<std::size_t>(r / 15) % tones.size()]));
  return img;
}

IndexedImage splashLogo() {
  IndexedImage img = opaqueCanvas(120, 60, kWhite);
  img.fillCircle(22, 29, 20, ink(img, kRed));
  img.fillCircle(24, 26, 7, ink(img, kWhite));
  img.drawText(48, 23, "vodafone", ink(img, kRed), 1);
  img.drawText(48, 35, "Italia", ink(img, kGrey), 1);
  return img;
}

std::vector<Frame> spinner() {
  std::vector<Frame> frames;
  for (int f = 0; f < 8; ++f) {
    IndexedImage img(15, 15, {kKey, kRed, Rgb{240, 90, 90}, Rgb{245, 160, 160}, kLightGrey});
    for (int dot = 0; dot < 8; ++dot) {
      const int age = (f - dot + 8) % 8;
      const auto shade = static_cast<std::uint8_t>(std::min(age, 3) + 1);
      const Dir d = kOctants[static_cast<std::size_t>(dot)];
      img.fillCircle(along(7, 5, d.dx), along(7, 5, d.dy), 1, shade);
    }
    Frame frame{img};
    frame.delayCentiseconds = 10;
    frame.transparentIndex = 0;
    frame.disposal = Disposal::RestoreBackground;
    frames.push_back(std::move(frame));
  }
  return frames;
}

// --- assembling the skin -----------------------------------------------------

std::string archiveFileName(int archive) {
  return archive == 0 ? std::string("vodafone.dat") : "vodafone" + std::to_string(archive) + ".dat";
}

class SkinBuilder {
 public:
  SkinBuilder() { lines_.emplace_back("SKI1"); }

  void group(int a, int b) { add("0 " + std::to_string(a) + " " + std::to_string(b)); }
  void rect(int id, int x1, int y1, int x2, int y2) {
    add("1 " + std::to_string(id) + " " + coords(x1, y1, x2, y2));
  }
  void rect(int x1, int y1, int x2, int y2) { add("1 " + coords(x1, y1, x2, y2)); }
  void setting(int key, int value) {
    add("2 " + std::to_string(key) + " " + std::to_string(value));
  }
  void colour(int id, Rgb c, int transparency = 0) {
    add("4 " + std::to_string(id) + " " + rgbt(c, transparency));
  }
  void colour(Rgb c, int transparency = 0) { add("4 " + rgbt(c, transparency)); }
  void opaque(int kind, std::string_view fields) {
    add(std::to_string(kind) + " " + std::string(fields));
  }

  void object(int id, int archive, const QByteArray& gif) {
    if (!objectIds_.insert(id).second)
      throw std::logic_error("object id " + std::to_string(id) + " used twice");
    QByteArray& data = archives_[archive];
    add("5 " + std::to_string(id) + " " + std::to_string(data.size()) + " " +
        std::to_string(gif.size()) + " " + std::to_string(archive));
    data.append(gif);
  }

  // Bytes no line points at, as left behind by tools that edit archives in
  // place.
  void unreferenced(int archive, const QByteArray& bytes) { archives_[archive].append(bytes); }

  std::vector<DemoFile> files() const {
    if (static_cast<int>(lines_.size()) > kMaxSkinLines)
      throw std::logic_error("demo skin has more lines than a phone accepts");
    std::string text;
    for (const std::string& l : lines_) text += l + '\n';
    std::vector<DemoFile> out;
    out.push_back({QStringLiteral("vodafone.ski"), QByteArray::fromStdString(text)});
    for (const auto& [number, data] : archives_)
      out.push_back({QString::fromStdString(archiveFileName(number)), data});
    return out;
  }

 private:
  void add(std::string line) { lines_.push_back(std::move(line)); }
  static std::string coords(int x1, int y1, int x2, int y2) {
    return std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
           std::to_string(y2);
  }
  static std::string rgbt(Rgb c, int t) {
    return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b) + " " +
           std::to_string(t);
  }

  std::vector<std::string> lines_;
  std::map<int, QByteArray> archives_;
  std::set<int> objectIds_;
};

void screenSetup(SkinBuilder& s) {
  s.group(41, 98);
  s.colour(kSky);           // screen background: must stay first in this group
  s.setting(8, 28);         // minute hand: reaches the quarter marks
  s.setting(11, 14);        // hour hand: stops short of the 12
  s.colour(595, kNavy);     // operator name
  s.colour(579, kCrimson);  // date: unlike the operator at a glance
  s.colour(9, kRed);        // minute hand
  s.colour(12, kInk);       // hour hand
  s.colour(596, kWhite);
  s.colour(580, kMidGrey);
  s.colour(600, kRed);
  s.colour(601, Rgb{255, 255, 255}, 128);
  s.colour(602, kBlack);
  s.colour(kInk);
  s.colour(Rgb{255, 240, 200}, 0);
  s.setting(5, 1);
  s.setting(3, 0);
  s.opaque(3, "1 0 0");
  s.opaque(6, "0 1");
}

void idleScreen(SkinBuilder& s) {
  s.group(42, 10);
  s.rect(572, 0, 0, 175, 12);  // status bar
  s.rect(570, 2, 14, 173, 32);
  // The date box is tall enough for its text to clear the outline.
  s.rect(571, 2, 35, 173, 56);
  // One clock place for both kinds: the digital time sits in the middle of
  // the face's box, where the dial hides its outline when the face shows.
  s.rect(574, 68, 95, 106, 115);
  s.rect(6, 48, 65, 127, 144);
  s.rect(573, 2, 160, 173, 176);  // ticker
  s.rect(2, 180, 173, 196);
  s.opaque(7, "1 2");
  s.object(7, 0, transparentGif(clockFace()));

  int id = 100;
  for (int level = 0; level <= 4; ++level) s.object(id++, 0, transparentGif(battery(level, false)));
  s.object(id++, 0, transparentGif(battery(2, true)));
  id = 110;
  for (int level = 0; level <= 5; ++level) s.object(id++, 0, transparentGif(signal(level)));
  s.opaque(8, "0 0 1");
  id = 120;
  s.object(id++, 0, transparentGif(envelope(kWhite, 0, false)));
  s.object(id++, 0, transparentGif(envelope(kWhite, 0, true)));
  s.object(id++, 0, transparentGif(envelope(kSky, 'M', false)));
  s.object(id++, 0, transparentGif(envelope(kYellow, '@', false)));
  s.object(id++, 0, transparentGif(envelope(kWhite, '!', true)));
  id = 130;
  for (int icon = 0; icon < kStatusIconCount; ++icon)
    s.object(id++, 0, transparentGif(statusIcon(icon)));
  for (std::string_view text : {"R", "G", "E", "3G", "H", "L1", "L2"})
    s.object(id++, 0, transparentGif(letterBadge(text, text.size() == 1 ? kBlue : kGreen)));
}

void softKeyBar(SkinBuilder& s) {
  s.group(43, 20);
  s.rect(575, 0, 198, 78, 219);
  s.rect(576, 79, 198, 99, 219);
  // 79 + 21 + 77 columns is one more than the screen has, so the centre and
  // right keys share a column.
  s.rect(577, 99, 198, 175, 219);
  s.rect(562, 84, 199, 94, 203);
  s.rect(563, 84, 214, 94, 218);
  s.rect(564, 80, 204, 84, 213);
  s.rect(565, 94, 204, 98, 213);
  s.rect(566, 84, 199, 94, 203);
  s.rect(567, 84, 214, 94, 218);
  s.rect(568, 80, 204, 84, 213);
  s.rect(569, 94, 204, 98, 213);
  s.opaque(9, "1 0");
  s.object(630, 0, transparentGif(softKey(79, "Menu", KeyState::Released)));
  s.object(631, 0, transparentGif(softKey(79, "Menu", KeyState::Pressed)));
  s.object(632, 0, transparentGif(centreKey(KeyState::Released)));
  s.object(633, 0, transparentGif(centreKey(KeyState::Pressed)));
  s.object(634, 0, transparentGif(softKey(77, "Rubrica", KeyState::Released)));
  s.object(635, 0, transparentGif(softKey(77, "Rubrica", KeyState::Pressed)));
  s.object(652, 0, transparentGif(softKey(79, "Menu", KeyState::Disabled)));
  s.object(674, 0, transparentGif(centreKey(KeyState::Disabled)));
  s.object(664, 0, transparentGif(softKey(77, "Rubrica", KeyState::Disabled)));
  s.object(675, 0, transparentGif(barSlot()));
  int id = 636;
  for (bool pressed : {false, true})
    for (Arrow a : {Arrow::Up, Arrow::Down, Arrow::Left, Arrow::Right})
      s.object(id++, 0, transparentGif(navArrow(a, pressed)));
}

void clockAndCalendar(SkinBuilder& s) {
  s.group(44, 30);
  s.rect(578, 90, 82, 173, 92);
  s.setting(14, 2);
  int id = 200;
  for (int d = 0; d <= 9; ++d) s.object(id++, 1, transparentGif(segmentDigit(d)));
  {
    IndexedImage colon = transparentCanvas(7, 20);
    colon.fillRect(2, 5, 3, 3, ink(colon, kNavy));
    colon.fillRect(2, 12, 3, 3, ink(colon, kNavy));
    s.object(id++, 1, transparentGif(colon));
  }
  s.object(id++, 1, transparentGif(textImage(13, 9, "AM", kNavy)));
  s.object(id++, 1, transparentGif(textImage(13, 9, "PM", kNavy)));

  id = 220;
  for (std::string_view c : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ":", "/", "."})
    s.object(id++, 1, transparentGif(textImage(6, 9, c, kInk)));
  id = 240;
  for (std::string_view day : {"Lun", "Mar", "Mer", "Gio", "Ven", "Sab", "Dom"})
    s.object(id++, 1, transparentGif(textImage(20, 9, day, kInk)));
  s.opaque(3, "2 1 0");
  id = 250;
  for (std::string_view month :
       {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Set", "Ott", "Nov", "Dic"})
    s.object(id++, 1, transparentGif(textImage(20, 9, month, kInk)));
  id = 270;
  for (char d = '0'; d <= '9'; ++d)
    s.object(id++, 1, transparentGif(textImage(12, 16, std::string_view(&d, 1), kInk, 2)));

  s.group(45, 31);
  s.rect(580, 13, 60, 162, 160);  // dialler pad
  id = 300;
  for (std::string_view key : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "0", "#"}) {
    s.object(id++, 1, transparentGif(keypadKey(key, false)));
    s.object(id++, 1, transparentGif(keypadKey(key, true)));
  }
  s.opaque(6, "1 1");
}

void menus(SkinBuilder& s) {
  s.group(46, 40);
  s.rect(581, 0, 13, 175, 30);   // title
  s.rect(582, 4, 34, 171, 194);  // menu grid
  s.setting(20, 3);
  s.setting(21, 4);
  int id = 400;
  for (int menu = 0; menu < static_cast<int>(kMenuTitles.size()); ++menu) {
    s.object(id++, 2, transparentGif(menuIcon(menu, false)));
    s.object(id++, 2, transparentGif(menuIcon(menu, true)));
    if (menu == 5)  // a slot an older build of the archive left behind
      s.unreferenced(2, QByteArray("\0\0\0\0\0\0", 6));
  }
  id = 430;
  for (std::string_view title : kMenuTitles)
    s.object(id++, 2, transparentGif(textImage(120, 11, title, kWhite)));
  s.opaque(7, "2 0");

  s.group(47, 41);
  s.rect(583, 2, 34, 173, 49);     // list row
  s.rect(584, 170, 34, 174, 194);  // scroll bar
  s.colour(603, kPaleRed);
  id = 450;
  for (bool radio : {false, true}) {
    s.object(id++, 2, transparentGif(checkBox(radio, false, true)));
    s.object(id++, 2, transparentGif(checkBox(radio, true, true)));
    s.object(id++, 2, transparentGif(checkBox(radio, true, false)));
  }
  id = 460;
  {
    IndexedImage track = opaqueCanvas(5, 120, kLightGrey);
    track.drawRect(0, 0, 5, 120, ink(track, kGrey));
    s.object(id++, 2, opaqueGif(track));
    IndexedImage thumb = transparentCanvas(5, 20);
    thumb.fillRoundedRect(0, 0, 5, 20, 2, ink(thumb, kRed));
    s.object(id++, 2, transparentGif(thumb));
    s.object(id++, 2, transparentGif(navArrow(Arrow::Up, true)));
    s.object(id++, 2, transparentGif(navArrow(Arrow::Down, true)));
  }
  {
    IndexedImage highlight = transparentCanvas(172, 16);
    highlight.fillRoundedRect(0, 0, 172, 16, 3, ink(highlight, kRed));
    highlight.fillRect(3, 1, 166, 1, ink(highlight, kPaleRed));
    s.object(470, 2, transparentGif(highlight));
    s.object(471, 2, opaqueGif(titleBar()));
  }
  s.opaque(8, "1 4 0");

  s.group(48, 42);
  s.rect(585, 10, 60, 165, 150);  // pop-up
  id = 480;
  for (int corner = 0; corner < 4; ++corner) s.object(id++, 2, transparentGif(popupCorner(corner)));
  {
    IndexedImage horizontal = opaqueCanvas(8, 6, kWhite);
    horizontal.fillRect(0, 0, 8, 1, ink(horizontal, kInk));
    s.object(id++, 2, opaqueGif(horizontal));
    IndexedImage vertical = opaqueCanvas(6, 8, kWhite);
    vertical.fillRect(0, 0, 1, 8, ink(vertical, kInk));
    s.object(id++, 2, opaqueGif(vertical));
    s.object(id++, 2, opaqueGif(opaqueCanvas(8, 8, kWhite)));
  }
  s.object(id++, 2, transparentGif(popupSymbol('i', kBlue)));
  s.object(id++, 2, transparentGif(popupSymbol('!', kAmber)));
  s.object(id++, 2, transparentGif(popupSymbol('?', kGreen)));
  s.object(id++, 2, transparentGif(popupSymbol('x', kRed)));
  s.opaque(9, "2 5");
}

void extras(SkinBuilder& s) {
  s.group(49, 50);
  s.rect(586, 2, 34, 173, 194);
  const std::array<Rgb, 8> palette = {kRed,  kGreen,           kBlue,           kAmber, kNavy,
                                      kGrey, Rgb{140, 0, 160}, Rgb{0, 150, 150}};
  int id = 700;
  for (Rgb skin : {kYellow, Rgb{255, 170, 60}})
    for (int mood = 0; mood < 10; ++mood) s.object(id++, 3, transparentGif(emoticon(mood, skin)));
  s.opaque(3, "3 2 1");
  id = 720;
  for (int shape = 0; shape < 8; ++shape) {
    for (Rgb colour : palette) s.object(id++, 3, transparentGif(appIcon(shape, colour)));
    if (shape == 3)  // a complete image whose line was deleted long ago
      s.unreferenced(3, transparentGif(appIcon(0, kBlack)));
  }
  s.group(50, 51);
  s.rect(587, 20, 40, 155, 180);
  id = 800;
  for (int profile = 0; profile < 6; ++profile) {
    s.object(id++, 3, transparentGif(profileIcon(profile, false)));
    s.object(id++, 3, transparentGif(profileIcon(profile, true)));
  }
  s.opaque(7, "3 1");
}

void largeArtwork(SkinBuilder& s) {
  s.group(51, 60);
  s.rect(0, 0, 175, 219);
  s.rect(588, 28, 80, 147, 139);
  s.rect(589, 80, 140, 94, 154);  // busy indicator
  s.object(900, 14, opaqueGif(wallpaper()));
  s.object(901, 14, opaqueGif(wallpaperRings()));
  s.object(902, 14, opaqueGif(splashLogo()));
  s.object(903, 14, encodeGif(spinner()));
  s.object(904, 14, transparentGif(textImage(132, 20, "Arrivederci", kRed, 2)));
  {
    IndexedImage big = battery(4, true);
    IndexedImage scaled = transparentCanvas(big.width() * 3, big.height() * 3);
    for (int y = 0; y < big.height(); ++y)
      for (int x = 0; x < big.width(); ++x)
        scaled.fillRect(x * 3, y * 3, 3, 3, ink(scaled, big.colourAt(x, y)));
    s.object(905, 14, transparentGif(scaled));
  }
  s.object(906, 14, transparentGif(textImage(100, 11, "Nessun servizio", kInk)));
  s.object(907, 14, transparentGif(letterBadge("SOS", kRed)));
  {
    IndexedImage mail = transparentCanvas(48, 32);
    mail.fillRect(0, 0, 48, 32, ink(mail, kWhite));
    mail.drawRect(0, 0, 48, 32, ink(mail, kInk));
    thickLine(mail, 1, 1, 24, 18, 0, ink(mail, kInk));
    thickLine(mail, 46, 1, 24, 18, 0, ink(mail, kInk));
    mail.fillCircle(42, 6, 4, ink(mail, kRed));
    s.object(908, 14, transparentGif(mail));
  }
  s.object(909, 14, transparentGif(textImage(60, 24, "12:00", kNavy, 2)));
  s.opaque(9, "3 0 1");
}

}  // namespace

std::vector<DemoFile> buildDemoSkin() {
  SkinBuilder skin;
  screenSetup(skin);
  idleScreen(skin);
  softKeyBar(skin);
  clockAndCalendar(skin);
  menus(skin);
  extras(skin);
  largeArtwork(skin);
  std::vector<DemoFile> files = skin.files();
  // Beside the skin, where the window looks for the wallpaper it opens with.
  files.push_back({QStringLiteral("sfondo.gif"), opaqueGif(wallpaper())});
  return files;
}

bool writeFiles(const QString& directory, const std::vector<DemoFile>& files, QString* error) {
  auto fail = [error](const QString& reason) {
    if (error) *error = reason;
    return false;
  };
  if (!QDir().mkpath(directory)) return fail(QStringLiteral("cannot create %1").arg(directory));
  const QDir dir(directory);
  for (const DemoFile& f : files) {
    QSaveFile out(dir.filePath(f.name));
    if (!out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size() || !out.commit())
      return fail(QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString()));
  }
  return true;
}

bool writeDemoSkin(const QString& directory, QString* error) {
  try {
    return writeFiles(directory, buildDemoSkin(), error);
  } catch (const std::exception& e) {
    if (error) *error = QString::fromUtf8(e.what());
    return false;
  }
}

}  // namespace corvela::gifgen
