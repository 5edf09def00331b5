#pragma once
// Everything a modder should fix before a skin goes to the phone, as values
// that `corvela-skin check` prints and the window lists. Only reads: the
// archives are opened but nothing is written.

#include <QDateTime>
#include <QSize>
#include <QString>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "skin_document.h"

namespace corvela {

// Where a problem's record is shown, so that the window can pick it.
enum class ProblemPlace { None, Objects, Colours, Rects, Tree };

struct SkinProblem {
  long long line = -1;  // counted like the "Indice" column; -1 for none
  ProblemPlace place = ProblemPlace::None;
  int row = -1;     // the list row, or tree node, the problem is about
  QString id;       // the record's id as the lists show it, or empty
  QString file;     // the file to blame, as the user knows it
  QString message;  // what is wrong, without the line
  QString advice;   // what to do about it
  // "riga N: " and the message, as check prints it.
  QString text() const;
};

// "79 × 22", width first.
QString sizeText(QSize size);

// Where an object's size should come from: the same object in the skin's
// first original or, before the first save kept one, in the default set.
struct ExpectedSize {
  QSize size;
  QString source;  // "nel primo originale (.corvela/vodafone_orig.ski)"
};

// The words for an object whose image is not the size it should be, shared
// by the check, the command line's replacement and the window's import.
QString sizeDifference(const QString& id, QSize actual, const ExpectedSize& expected);

// Whether the skin as loaded has a problem the user must not miss at
// opening: a load that stopped early, or an archive its objects name that
// cannot be read. Cheap enough to ask before the first frame: it opens each
// archive once and reads no image.
bool hasOpeningProblem(const SkinDocument& doc, LoadStatus status);

// Reads the first original of the open skin into `original` without
// writing anything; false when there is none or it does not read whole.
// `packedArchive` gets the copy of the packed archive it goes with.
bool peekFirstOriginal(const SkinDocument& doc, SkinDocument& original, QString* packedArchive);

// Runs the checks and keeps what they learnt of images between runs, keyed
// by each file's size and time, so that a check after every step reads
// only what changed.
class SkinChecker {
 public:
  // `defaultFolder`: the default set, empty when there is none.
  explicit SkinChecker(QString defaultFolder);

  // In the order check prints them:
  // - a carriage return or text after the last line feed, which the reader
  //   leaves out;
  // - the load stopping early, and where;
  // - lines the save would write back with other text;
  // - archives that are missing or unreadable;
  // - objects outside their archive, empty, or whose bytes are not a GIF the
  //   image reader can decode;
  // - images whose size differs from the one expected;
  // - ids used twice among the objects, the colours or the rectangles (three
  //   separate name spaces);
  // - rectangles off the screen or inside out;
  // - records the preview looks for and does not find (only after a complete
  //   load: after an early stop they would all be noise).
  std::vector<SkinProblem> check(const SkinDocument& doc, LoadStatus status,
                                 const QString& stopReason = QString(), int stopLine = -1);

  // The size object `id` of the skin should have, or nothing when neither
  // the first original nor the default set has it.
  std::optional<ExpectedSize> expectedSize(const SkinDocument& doc, const QString& id);
  // The size of the image the object's row shows now: its "Path GIF" file,
  // else its bytes in the archive; read from the header only.
  std::optional<QSize> currentSize(const SkinDocument& doc, int row);
  // The size of the object the row's archive place holds.
  std::optional<QSize> archivedSize(const SkinDocument& doc, int row);

 private:
  struct Stamp {
    long long size = -1;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp stampOf(const QString& path);
  // What an archived object turned out to be: its problem or its size.
  struct ArchivedObject {
    std::optional<QString> problem;
    QSize size;
  };
  using ObjectKey = std::tuple<QString, long long, long long>;  // archive, offset, bytes
  struct FileSize {
    Stamp stamp;
    std::optional<QSize> size;
  };
  std::optional<QSize> fileSize(const QString& path);
  // Why the save would refuse to pack `path`, or nothing.
  std::optional<QString> packingRefusal(const QString& path, const QString& skinFolder);
  void checkObjects(const SkinDocument& doc, std::vector<SkinProblem>& problems);
  // The first original's object sizes, read again only when its files change.
  const std::map<QString, QSize>* originalSizes(const SkinDocument& doc, QString* file);

  QString defaultFolder_;
  std::map<QString, Stamp> archiveStamps_;
  std::map<ObjectKey, std::pair<Stamp, ArchivedObject>> objects_;
  std::map<QString, FileSize> files_;
  std::map<QString, std::pair<Stamp, std::optional<QString>>> packable_;
  QString originalKey_;
  Stamp originalStamp_, originalArchiveStamp_;
  std::map<QString, QSize> originalSizes_;
  bool hasOriginal_ = false;
  bool originalFresh_ = false;
};

}  // namespace corvela
