#include "gif_check.h"

#include <QDir>
#include <QFileInfo>

#include "folder_guard.h"
#include "image_decode.h"
#include "safe_read.h"

namespace corvela {

namespace {
QString hexBytes(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.left(6).toHex(' ').toUpper());
}

bool liesInside(const QString& path, const QString& folder) {
  const QString base = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  return file.startsWith(base + u'/');
}
}  // namespace

bool isDecodableGif(const QByteArray& bytes, QString* why) {
  if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")) {
    if (why) *why = QStringLiteral("non è un'immagine GIF (inizia con %1)").arg(hexBytes(bytes));
    return false;
  }
  return decodeImage(bytes, "gif", why).has_value();
}

std::optional<QByteArray> readGifToPack(const QString& gif, const QString& skinFolder,
                                        QString* why) {
  const QFileInfo info(gif);
  // A file of the skin's folder must stay there once its links are
  // followed; a replacement chosen elsewhere must be the file itself.
  if (info.isSymLink() && (!liesInside(gif, skinFolder) || !resolvesInside(gif, skinFolder))) {
    *why = QStringLiteral("è un collegamento a %1, fuori dalla cartella della skin")
               .arg(info.symLinkTarget());
    return std::nullopt;
  }
  if (liesInside(gif, skinFolder) && info.exists() && !resolvesInside(gif, skinFolder)) {
    *why = QStringLiteral("si trova, attraverso un collegamento, fuori dalla cartella della skin");
    return std::nullopt;
  }
  std::optional<QByteArray> bytes = readRegularFile(gif, why);
  if (!bytes) return std::nullopt;
  if (bytes->isEmpty()) {
    *why = QStringLiteral("il file è vuoto (0 byte)");
    return std::nullopt;
  }
  if (!isDecodableGif(*bytes, why)) return std::nullopt;
  return bytes;
}

}  // namespace corvela
