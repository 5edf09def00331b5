#pragma once
// The one way an image is decoded. A GIF of a few dozen bytes can claim
// millions of pixels, and each decode would cost that much memory, so the
// size its header gives is read first and a large image is never decoded.
// (Includes QtGui: only for the libraries that link it.)

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace corvela {

// Far above anything the handset's screen shows.
inline constexpr int kMaxImageSide = 2048;

// Why an image of `size` (as its header gives it) is not decoded, or nothing.
std::optional<QString> imageSizeProblem(QSize size);

// Why the GIF in `bytes` is not whole, or nothing. Qt shows a cut file as
// far as it goes without a word, so every frame is decoded to its end and
// the trailer must follow: only then does the file hold what an image
// program meant to write.
std::optional<QString> wholeGifProblem(const QByteArray& bytes);

// The image in `bytes` (`format` "gif", or empty to tell by the content),
// or nothing with the reason in words for the user. A GIF must be whole.
std::optional<QImage> decodeImage(const QByteArray& bytes, const char* format = nullptr,
                                  QString* why = nullptr);

// The image in a regular file: FIFOs and devices are refused without
// blocking on them. `why` gets the reason only; the caller names the file.
// `format` as for decodeImage.
std::optional<QImage> decodeImageFile(const QString& path, QString* why = nullptr,
                                      const char* format = nullptr);

}  // namespace corvela
