#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace corvela {

// Real objects weigh a few kilobytes; a file far beyond that is no object
// of a standby screen, and packing it would bloat the archive for nothing.
inline constexpr long long kMaxObjectBytes = 1024 * 1024;

// Why an object file of `size` bytes is refused, with its size, or nothing.
std::optional<QString> objectSizeProblem(long long size);

// The picture `bytes` hold when they begin with a GIF signature and decode
// whole as an image no larger than an image may be; otherwise nothing, and
// `why` says which it was.
std::optional<QImage> decodeGif(const QByteArray& bytes, QString* why = nullptr);
bool isDecodableGif(const QByteArray& bytes, QString* why = nullptr);

// The bytes of a GIF the save may pack, or nothing with the reason. A file
// that is empty, not a regular file, not a whole decodable image, larger
// than an object may be, or reached through a link leading out of the
// skin's folder would show as garbage on the phone, or pack someone else's
// file.
std::optional<QByteArray> readGifToPack(const QString& gif, const QString& skinFolder,
                                        QString* why);

// The same verdict from the file's header alone, for telling at a load which working files may be
// the user's change: reading and decoding every one would stall the load. The save still reads the
// file whole with readGifToPack.
bool looksLikeGifToPack(const QString& gif, const QString& skinFolder, QString* why);

}  // namespace corvela
