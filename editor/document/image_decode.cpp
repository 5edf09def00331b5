#include "image_decode.h"

#include <gif_lib.h>

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "safe_read.h"

namespace corvela {

namespace {
// A second guard behind the header check, for a decoder that would still
// allocate more than the largest accepted image (four bytes a pixel).
constexpr int kAllocationLimitMb = kMaxImageSide * kMaxImageSide * 4 / (1024 * 1024) + 1;
// Every frame of an animation is decoded to prove it whole; a few bytes a
// frame can claim a full-size picture, so the pixels of all frames together
// are bounded too (far above any animation the handset plays).
constexpr long long kMaxCheckedPixels = 4LL * kMaxImageSide * kMaxImageSide;

struct MemoryInput {
  const QByteArray& bytes;
  qsizetype at = 0;
};

int readInput(GifFileType* gif, GifByteType* into, int wanted) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const qsizetype count = std::min<qsizetype>(wanted, in->bytes.size() - in->at);
  if (count <= 0) return 0;
  std::memcpy(into, in->bytes.constData() + in->at, static_cast<size_t>(count));
  in->at += count;
  return static_cast<int>(count);
}

// Why giflib stopped: the file ends too soon, or its data are not a picture.
QString brokenAt(const GifFileType* gif, int frame) {
  const QString where = frame == 0 ? QStringLiteral("prima del primo fotogramma")
                                   : QStringLiteral("al fotogramma %1").arg(frame);
  if (gif->Error == D_GIF_ERR_READ_FAILED || gif->Error == D_GIF_ERR_EOF_TOO_SOON) {
    return QStringLiteral(
               "immagine GIF non decodificabile (file incompleto: finisce %1 o prima "
               "della chiusura)")
        .arg(where);
  }
  return QStringLiteral("immagine GIF non decodificabile (dati non validi %1)").arg(where);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
}  // namespace

std::optional<QString> wholeGifProblem(const QByteArray& bytes) {
  MemoryInput input{bytes};
  int error = 0;
  const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, readInput, &error));
  if (!gif) return QStringLiteral("immagine GIF non decodificabile (intestazione incompleta)");
  if (const std::optional<QString> problem = imageSizeProblem(QSize(gif->SWidth, gif->SHeight)))
    return problem;
  std::vector<GifPixelType> line;
  long long pixels = 0;
  int frame = 0;
  GifRecordType record = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return brokenAt(gif.get(), frame);
    if (record == IMAGE_DESC_RECORD_TYPE) {
      ++frame;
      if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return brokenAt(gif.get(), frame);
      const GifImageDesc& d = gif->Image;
      if (const std::optional<QString> problem = imageSizeProblem(QSize(d.Width, d.Height)))
        return QStringLiteral("fotogramma %1: %2").arg(frame).arg(*problem);
      pixels += static_cast<long long>(d.Width) * d.Height;
      if (pixels > kMaxCheckedPixels) {
        return QStringLiteral("GIF di %1 fotogrammi, oltre il limite di %2 pixel in tutto")
            .arg(frame)
            .arg(kMaxCheckedPixels);
      }
      line.resize(static_cast<size_t>(d.Width));
      for (int y = 0; y < d.Height; ++y) {
        if (DGifGetLine(gif.get(), line.data(), d.Width) == GIF_ERROR)
          return brokenAt(gif.get(), frame);
      }
    } else if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
        return brokenAt(gif.get(), frame);
      while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return brokenAt(gif.get(), frame);
      }
    }
  } while (record != TERMINATE_RECORD_TYPE);
  if (frame == 0) return QStringLiteral("GIF senza immagini");
  return std::nullopt;
}

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
  if (bytes.startsWith("GIF8")) {
    if (const std::optional<QString> problem = wholeGifProblem(bytes)) {
      if (why) *why = *problem;
      return std::nullopt;
    }
  }
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

std::optional<QImage> decodeImageFile(const QString& path, QString* why, const char* format) {
  const std::optional<QByteArray> bytes = readRegularFile(path, why);
  if (!bytes) return std::nullopt;
  return decodeImage(*bytes, format, why);
}

}  // namespace corvela
