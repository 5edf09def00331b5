#include "gif_check.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "folder_guard.h"
#include "image_decode.h"
#include "safe_read.h"

namespace corvela {

namespace {
// Signature, version and the logical screen's width and height.
constexpr int kHeaderBytes = 10;

QString hexBytes(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.left(6).toHex(' ').toUpper());
}

bool liesInside(const QString& path, const QString& folder) {
  const QString base = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  return file.startsWith(base + u'/');
}

bool hasSignature(const QByteArray& bytes, QString* why) {
  if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) return true;
  if (why) *why = QStringLiteral("non è un'immagine GIF (inizia con %1)").arg(hexBytes(bytes));
  return false;
}

// A file of the skin's folder must stay there once its links are followed;
// a replacement chosen elsewhere must be the file itself.
bool staysInside(const QString& gif, const QString& skinFolder, QString* why) {
  const QFileInfo info(gif);
  if (info.isSymLink() && (!liesInside(gif, skinFolder) || !resolvesInside(gif, skinFolder))) {
    *why = QStringLiteral("è un collegamento a %1, fuori dalla cartella della skin")
               .arg(info.symLinkTarget());
    return false;
  }
  if (liesInside(gif, skinFolder) && info.exists() && !resolvesInside(gif, skinFolder)) {
    *why = QStringLiteral("si trova, attraverso un collegamento, fuori dalla cartella della skin");
    return false;
  }
  return true;
}

bool sizeAllowed(long long size, QString* why) {
  if (size == 0) {
    *why = QStringLiteral("il file è vuoto (0 byte)");
    return false;
  }
  if (const std::optional<QString> problem = objectSizeProblem(size)) {
    *why = *problem;
    return false;
  }
  return true;
}
}  // namespace

std::optional<QString> objectSizeProblem(long long size) {
  if (size <= kMaxObjectBytes) return std::nullopt;
  return QStringLiteral("il file è di %1 byte, oltre il limite di %2 byte (1 MB) di un oggetto")
      .arg(size)
      .arg(kMaxObjectBytes);
}

std::optional<QImage> decodeGif(const QByteArray& bytes, QString* why) {
  if (!hasSignature(bytes, why)) return std::nullopt;
  return decodeImage(bytes, "gif", why);
}

bool isDecodableGif(const QByteArray& bytes, QString* why) {
  return decodeGif(bytes, why).has_value();
}

std::optional<QByteArray> readGifToPack(const QString& gif, const QString& skinFolder,
                                        QString* why) {
  if (!staysInside(gif, skinFolder, why)) return std::nullopt;
  const PathStat st = pathStat(gif);
  if (st.exists && st.regular && !sizeAllowed(st.size, why)) return std::nullopt;
  std::optional<QByteArray> bytes = readRegularFile(gif, why, kMaxObjectBytes);
  if (!bytes) return std::nullopt;
  // Read again by size: the file may have grown or shrunk since the look.
  if (!sizeAllowed(bytes->size(), why)) return std::nullopt;
  if (!isDecodableGif(*bytes, why)) return std::nullopt;
  return bytes;
}

bool looksLikeGifToPack(const QString& gif, const QString& skinFolder, QString* why) {
  if (!staysInside(gif, skinFolder, why)) return false;
  RegularFile file;
  if (!file.open(gif, why) || !sizeAllowed(file.size(), why)) return false;
  const std::optional<QByteArray> header =
      file.read(0, std::min<long long>(kHeaderBytes, file.size()), why);
  if (!header || !hasSignature(*header, why)) return false;
  if (header->size() < kHeaderBytes) {
    *why = QStringLiteral("immagine GIF non decodificabile (intestazione incompleta)");
    return false;
  }
  // Little-endian 16-bit width and height.
  const auto byte = [&](int i) { return static_cast<int>(static_cast<uchar>(header->at(i))); };
  const QSize size(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8);
  if (const std::optional<QString> problem = imageSizeProblem(size)) {
    *why = *problem;
    return false;
  }
  return true;
}

}  // namespace corvela
