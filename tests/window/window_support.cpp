#include "window_support.h"

#include <QFileInfo>
#include <stdexcept>

#include "gifwriter.h"

namespace corvela::testing {

QByteArray gifBytes(int width, int height) {
  gifgen::IndexedImage image(width, height, {{255, 255, 255}, {0, 0, 200}});
  image.fillRect(1, 1, width - 2, height - 2, 1);
  return gifgen::encodeGif(image);
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write fixture " + path.toStdString());
  }
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QByteArray Fixture::skinText() {
  return QByteArrayLiteral(
      "SKI1\n"
      "4 1 2 3 0\n"
      "0 41 98\n"
      "4 200 220 255 0\n"
      "2 8 18\n"
      "2 11 12\n"
      "4 595 300 0 128 7\n"
      "4 9 230 0 0 0\n"
      "0 42 10\n"
      "1 570 10 20 30 40\n"
      "1 6 0 0 0 0\n"
      "1 2 180 173 196\n"
      "3 1 0 0\n"
      "5 7 0 100 0\n"
      "5 20 100 50 0\n"
      "5 3 20 30 1\n"
      "5 12 150 64 14\n"
      "5 30 1000 10 1\n");
}

QString Fixture::write(const QString& folder, const QString& name) {
  const QString skin = QDir(folder).filePath(name);
  writeFile(skin, skinText());
  const QString theme = QFileInfo(name).completeBaseName().section(u'.', 0, 0);
  // The extracted GIFs are their objects' bytes (padded past the trailer to
  // the length the skin gives), so the load sees no change made outside.
  auto padded = [](QByteArray gif, qsizetype size) {
    if (gif.size() > size) throw std::runtime_error("fixture GIF longer than its object");
    return gif + QByteArray(size - gif.size(), '\0');
  };
  const QByteArray clockFace = padded(gifBytes(12, 10), 100);
  const QByteArray packed = padded(gifBytes(8, 6), 64);
  writeFile(QDir(folder).filePath(theme + QStringLiteral(".dat")),
            clockFace + QByteArray(1900, 'a'));
  writeFile(QDir(folder).filePath(theme + QStringLiteral("1.dat")), QByteArray(1200, 'b'));
  // Longer than anything a save of this skin packs, so a rewrite shows.
  writeFile(QDir(folder).filePath(theme + QStringLiteral("14.dat")),
            QByteArray(150, 'z') + packed + QByteArray(4786, 'z'));
  writeFile(QDir(folder).filePath(QStringLiteral("readme.txt")), "no archive");
  const QDir gifs(QDir(folder).filePath(theme + QStringLiteral("_Gifs")));
  QDir().mkpath(gifs.path());
  writeFile(gifs.filePath(QStringLiteral("7.gif")), clockFace);
  writeFile(gifs.filePath(QStringLiteral("12.gif")), packed);
  writeFile(gifs.filePath(QStringLiteral("20.gif")), "GIF89a but nothing after it");
  return skin;
}

QString copyDemoSkin(const QString& folder) {
  const QDir demo(QStringLiteral(CORVELA_SOURCE_DIR "/demo"));
  if (!demo.exists(QStringLiteral("vodafone.ski"))) return {};
  for (const QString& name :
       demo.entryList({QStringLiteral("*.ski"), QStringLiteral("*.dat")}, QDir::Files)) {
    QFile::copy(demo.filePath(name), QDir(folder).filePath(name));
  }
  return QDir(folder).filePath(QStringLiteral("vodafone.ski"));
}

}  // namespace corvela::testing
