// Any archive bytes and any position: the reader that cuts objects out of an
// archive file must agree with the cut of the same bytes in memory, never
// read outside the file, and never crash on offsets and sizes at the ends of
// the range.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "object_archive.h"

namespace {

using namespace corvela;

[[noreturn]] void fault(const char* what) {
  std::fprintf(stderr, "archive cut fuzz: %s\n", what);
  std::abort();
}

// In memory where the system has it, so that the file round trip costs
// little.
QString folderTemplate() {
  const QFileInfo shm(QStringLiteral("/dev/shm"));
  const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
  return base + QStringLiteral("/corvela-cut-XXXXXX");
}

long long take(const uint8_t*& data, size_t& size) {
  std::int64_t v = 0;
  const size_t n = std::min<size_t>(sizeof v, size);
  std::memcpy(&v, data, n);
  data += n;
  size -= n;
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir folder(folderTemplate());
  if (!folder.isValid()) fault("no temporary folder");
  if (size < 1) return 0;
  // The first byte says whether offset and size are taken as they come (the
  // ends of the range) or folded into the archive, where the cuts succeed.
  const uint8_t mode = *data++;
  --size;
  long long offset = take(data, size);
  long long length = take(data, size);
  const QByteArray archive(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (mode & 1) {
    const long long span = archive.size() + 2;
    offset = ((offset % span) + span) % span - 1;
    length = ((length % span) + span) % span - 1;
  }

  QFile file(folder.filePath(QStringLiteral("vodafone3.dat")));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(archive) != archive.size()) {
    fault("cannot write the archive");
  }
  file.close();

  const std::optional<QByteArray> inMemory = cutObject(archive, offset, length);
  if (inMemory.has_value() != objectFits(archive.size(), offset, length)) {
    fault("cut and fit disagree");
  }
  if (inMemory && (inMemory->size() != length || archive.mid(offset, length) != *inMemory)) {
    fault("cut in memory returns other bytes");
  }
  ArchiveReader reader(folder.path(), QStringLiteral("vodafone"));
  const ArchiveReader::Object cut = reader.cut(3, offset, length);
  if (reader.length(3) != archive.size()) fault("archive length misread");
  if (inMemory) {
    if (cut.status != ArchiveReader::Status::Ok || cut.bytes != *inMemory) {
      fault("file and memory cuts disagree");
    }
  } else if (cut.status != ArchiveReader::Status::Outside) {
    fault("a cut outside the archive was not refused");
  }
  if (reader.cut(4, 0, 0).status != ArchiveReader::Status::NoArchive) fault("missing archive read");
  return 0;
}
