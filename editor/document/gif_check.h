#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace corvela {

// True when `bytes` begin with a GIF signature and decode as an image no
// larger than an image may be. On failure `why` says which it was.
bool isDecodableGif(const QByteArray& bytes, QString* why = nullptr);

// The bytes of a GIF the save may pack, or nothing with the reason. A file
// that is empty, not a regular file, not a decodable image, larger than a
// skin can be, or reached through a link leading out of the skin's folder
// would show as garbage on the phone, or pack someone else's file.
std::optional<QByteArray> readGifToPack(const QString& gif, const QString& skinFolder,
                                        QString* why);

}  // namespace corvela
