// Any bytes as a GIF: the walk that proves every frame whole before an image
// is packed reads hostile files from the working folder and from imports,
// and must never read outside its input, crash, or run away with time or
// memory, whatever sizes and frame counts the bytes claim.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  (void)corvela::wholeGifProblem(bytes);
  return 0;
}
