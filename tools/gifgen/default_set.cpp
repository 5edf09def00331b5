#include "default_set.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QStringList>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "gifwriter.h"

namespace corvela::gifgen {

namespace {

// The default look: deep red plates with a silver rim, light text.
constexpr Rgb kKey{255, 0, 255};
constexpr Rgb kPlate{128, 0, 16};
constexpr Rgb kRim{200, 200, 208};
constexpr Rgb kLabel{255, 255, 255};

// The demo's kind-5 lines with the size of the image each one points at.
std::map<int, QSize> demoObjectSizes(const std::vector<DemoFile>& demo) {
  std::map<QString, const QByteArray*> archives;
  for (const DemoFile& f : demo) archives[f.name] = &f.bytes;
  std::map<int, QSize> sizes;
  const QStringList lines = QString::fromLatin1(demo.front().bytes).split(u'\n');
  for (const QString& line : lines) {
    if (!line.startsWith(QStringLiteral("5 "))) continue;
    const QStringList f = line.split(u' ');
    const int archive = f[4].toInt();
    const QString name = archive == 0 ? QStringLiteral("vodafone.dat")
                                      : QStringLiteral("vodafone%1.dat").arg(archive);
    QByteArray object = archives.at(name)->mid(f[2].toLongLong(), f[3].toLongLong());
    QBuffer buffer(&object);
    const QSize size = QImageReader(&buffer, "gif").size();
    if (!size.isValid())
      throw std::runtime_error("demo object " + f[1].toStdString() + " unreadable");
    sizes[f[1].toInt()] = size;
  }
  return sizes;
}

QByteArray defaultImage(int id, QSize size) {
  IndexedImage img(size.width(), size.height(), {kKey});
  const std::uint8_t plate = img.colourIndex(kPlate);
  const std::uint8_t rim = img.colourIndex(kRim);
  const std::uint8_t label = img.colourIndex(kLabel);
  const int w = size.width();
  const int h = size.height();
  const int radius = std::min({4, w / 4, h / 4});
  img.fillRoundedRect(0, 0, w, h, radius, rim);
  if (w > 2 && h > 2) img.fillRoundedRect(1, 1, w - 2, h - 2, std::max(0, radius - 1), plate);
  const std::string text = std::to_string(id);
  const int scale =
      w >= IndexedImage::textWidth(text, 2) + 4 && h >= IndexedImage::textHeight(2) + 4 ? 2 : 1;
  if (w >= IndexedImage::textWidth(text, scale) + 2 && h >= IndexedImage::textHeight(scale) + 2) {
    img.drawTextCentred(0, 0, w, h, text, label, scale);
  }
  return encodeGif(img, 0);
}

// The default scheme keeps each colour line's place and transparency and
// gives the texts, hands and background the colours of the default plates.
QString colourOf(const QString& id, int r, int g, int b) {
  static const std::map<QString, Rgb> fixed{
      {QStringLiteral("-"), kPlate},
      {QStringLiteral("595"), kLabel},
      {QStringLiteral("579"), kRim},
      {QStringLiteral("9"), Rgb{255, 200, 0}},
      {QStringLiteral("12"), Rgb{255, 255, 255}},
  };
  Rgb c{static_cast<std::uint8_t>(std::max(r, 96)), static_cast<std::uint8_t>(g * 3 / 4),
        static_cast<std::uint8_t>(b / 2)};
  if (auto it = fixed.find(id); it != fixed.end()) c = it->second;
  return QStringLiteral("%1, %2, %3").arg(c.r).arg(c.g).arg(c.b);
}

QByteArray colourScheme(const std::vector<DemoFile>& demo) {
  QString out;
  bool firstWithoutId = true;
  const QStringList lines = QString::fromLatin1(demo.front().bytes).split(u'\n');
  for (qsizetype k = 1; k < lines.size(); ++k) {
    if (!lines[k].startsWith(QStringLiteral("4 "))) continue;
    QStringList f = lines[k].split(u' ');
    if (f.size() == 5) f.insert(1, QStringLiteral("-"));
    // Only the first line without id is the background; the others keep
    // a colour of their own.
    const bool background = f[1] == u'-' && firstWithoutId;
    if (f[1] == u'-') firstWithoutId = false;
    const QString key = f[1] == u'-' && !background ? QStringLiteral("other") : f[1];
    // The id as the lists show it ("0595"): the preview and the edits look
    // a colour up by that text.
    const QString id =
        f[1] == u'-' ? f[1] : QStringLiteral("%1").arg(f[1].toLongLong(), 4, 10, QLatin1Char('0'));
    out += QStringLiteral("%1, %2, %3, %4\n")
               .arg(id, colourOf(key, f[2].toInt(), f[3].toInt(), f[4].toInt()), f[5])
               .arg(k, 4, 10, QLatin1Char('0'));
  }
  return out.toLatin1();
}

}  // namespace

std::vector<DemoFile> buildDefaultSet() {
  const std::vector<DemoFile> demo = buildDemoSkin();
  std::vector<DemoFile> out;
  for (const auto& [id, size] : demoObjectSizes(demo)) {
    out.push_back({QStringLiteral("%1.gif").arg(id), defaultImage(id, size)});
  }
  out.push_back({QStringLiteral("colors.txt"), colourScheme(demo)});
  return out;
}

bool writeDefaultSet(const QString& directory, QString* error) {
  try {
    return writeFiles(directory, buildDefaultSet(), error);
  } catch (const std::exception& e) {
    if (error) *error = QString::fromUtf8(e.what());
    return false;
  }
}

}  // namespace corvela::gifgen
