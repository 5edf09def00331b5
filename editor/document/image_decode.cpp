#include "image_decode.h"

#include <QBuffer>
#include <QImageReader>

#include "safe_read.h"

namespace corvela {

namespace {
// A second guard behind the header check, for a decoder that would still
// allocate more than the largest accepted image (four bytes a pixel).
constexpr int kAllocationLimitMb = kMaxImageSide * kMaxImageSide * 4 / (1024 * 1024) + 1;
}  // namespace

std::optional<QString> imageSizeProblem(QSize size) {
  if (!size.isValid() || size.isEmpty()) return QStringLiteral("dimensioni non leggibili");
  if (size.width() > kMaxImageSide || size.height() > kMaxImageSide) {
    return QStringLiteral("immagine di %1x%2 pixel, oltre il limite di %3x%3")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxImageSide);
  }
  return std::nullopt;
}

std::optional<QImage> decodeImage(const QByteArray& bytes, const char* format, QString* why) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
  reader.setAllocationLimit(kAllocationLimitMb);
  const QString kind =
      format ? QStringLiteral("immagine %1").arg(QString::fromLatin1(format).toUpper())
             : QStringLiteral("immagine");
  const QSize size = reader.size();
  if (!size.isValid()) {
    if (why) *why = QStringLiteral("%1 non decodificabile (dimensioni non leggibili)").arg(kind);
    return std::nullopt;
  }
  if (const std::optional<QString> problem = imageSizeProblem(size)) {
    if (why) *why = *problem;
    return std::nullopt;
  }
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    if (why) *why = QStringLiteral("%1 non decodificabile (%2)").arg(kind, reader.errorString());
    return std::nullopt;
  }
  return image;
}

std::optional<QImage> decodeImageFile(const QString& path, QString* why) {
  const std::optional<QByteArray> bytes = readRegularFile(path, why);
  if (!bytes) return std::nullopt;
  return decodeImage(*bytes, nullptr, why);
}

}  // namespace corvela
