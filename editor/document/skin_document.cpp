#include "skin_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <array>
#include <cstring>
#include <exception>
#include <new>
#include <utility>

#include "document_edits.h"
#include "document_names.h"
#include "folder_guard.h"
#include "object_archive.h"
#include "object_row.h"
#include "path_helpers.h"
#include "safe_write.h"
#include "save_journal.h"
#include "skin_line.h"
#include "skin_lock.h"
#include "text_number.h"

namespace corvela {

namespace {

// The lists and the tree announce a load once, when it is over however it
// ends, instead of row by row while it runs: a 1500-line skin then costs
// each view one reset.
class AnnouncedWhenLoaded {
 public:
  AnnouncedWhenLoaded(SkinDocument::Records records, ObjectFacts& facts)
      : records_(records), facts_(facts) {
    quiet(true);
  }
  ~AnnouncedWhenLoaded() {
    quiet(false);
    for (ReportList* list : {&records_.objects, &records_.colours, &records_.rects})
      emit list->listReset();
    emit records_.tree.treeReset();
  }
  AnnouncedWhenLoaded(const AnnouncedWhenLoaded&) = delete;
  AnnouncedWhenLoaded& operator=(const AnnouncedWhenLoaded&) = delete;

 private:
  void quiet(bool on) {
    for (QObject* part : std::initializer_list<QObject*>{&records_.objects, &records_.colours,
                                                         &records_.rects, &records_.tree, &facts_})
      part->blockSignals(on);
  }
  SkinDocument::Records records_;
  ObjectFacts& facts_;
};

LoadOutcome stopped(LoadStatus status, QString reason, int line = -1) {
  LoadOutcome o;
  o.status = status;
  o.reason = std::move(reason);
  o.line = line;
  return o;
}

// The first line's "SKI1", in any case.
bool hasMagic(QByteArrayView text) {
  constexpr char kMagic[] = "SKI1";
  if (text.size() < 4) return false;
  for (int i = 0; i < 4; ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kMagic[i]) return false;
  }
  return true;
}

}  // namespace

bool isOperatorTheme(const QString& theme) {
  return theme.compare(kOperatorTheme, Qt::CaseInsensitive) == 0;
}

SkinDocument::SkinDocument() : history_(std::make_unique<DocumentHistory>()) {
  // A fact found or ended changes what its row shows, as an edit would.
  QObject::connect(&facts_, &ObjectFacts::rowChanged, &objects_, &ReportList::rowChanged);
  objects_.setOverlay(&facts_);
}

const ReportList& SkinDocument::list(const QString& name) const {
  if (name == kListObjects) return objects_;
  return name == kListColours ? colours_ : rects_;
}

SkinDocument::Records SkinDocument::records() {
  Q_ASSERT_X(performing_ > 0 || diskWrites_ > 0, "SkinDocument::records",
             "a change that no step records and no look at the disk explains");
  return allRecords();
}

bool SkinDocument::perform(const QString& text, const std::function<void()>& edit,
                           quint64 mergeKey) {
  if (performing_ > 0) {
    edit();
    return false;
  }
  ChangeRecorder recorder;
  auto attach = [this](ChangeRecorder* r) {
    for (ReportList* list : {&objects_, &colours_, &rects_}) list->setRecorder(r);
    tree_.setRecorder(r);
  };
  std::exception_ptr failure;
  DocumentChange change;
  {
    // The edit runs unheard and is taken back: the step's first redo makes
    // the change, so the views hear of a step done as of one redone, once.
    const QSignalBlocker objects(objects_), colours(colours_), rects(rects_), tree(tree_);
    attach(&recorder);
    ++performing_;
    try {
      edit();
    } catch (...) {
      failure = std::current_exception();
    }
    --performing_;
    attach(nullptr);
    change = recorder.finish(tree_);
    change.before.apply(tree_);
  }
  const bool changed = !change.empty();
  if (changed)
    history_->push(new DocumentStep(text, std::move(change), mergeKey, tree_, *history_));
  if (failure) std::rethrow_exception(failure);
  return changed;
}

LoadOutcome SkinDocument::load(const QString& file, LockAccess access) {
  const AnnouncedWhenLoaded announced(allRecords(), facts_);
  try {
    return loadFile(file, access);
  } catch (const std::bad_alloc&) {
    // Whatever was parsed so far stays, as after any early stop.
    status_ = LoadStatus::Unreadable;
    return stopped(status_, QStringLiteral("memoria insufficiente per leggere %1").arg(file));
  }
}

void SkinDocument::takeLoaded(SkinDocument& read) {
  const AnnouncedWhenLoaded announced(allRecords(), facts_);
  // Every field a load sets, and only those: the history is this
  // document's own, and a load begins it anew.
  history_->clear();
  lines_.swap(read.lines_);
  objects_.takeRows(read.objects_);
  colours_.takeRows(read.colours_);
  rects_.takeRows(read.rects_);
  tree_.takeNodes(read.tree_);
  facts_.takeFacts(read.facts_);
  P_MaxValues = std::exchange(read.P_MaxValues, 0);
  P_sPath = std::exchange(read.P_sPath, {});
  P_sTheme = std::exchange(read.P_sTheme, {});
  P_sTarget = std::exchange(read.P_sTarget, {});
  P_SkinVodafone = std::exchange(read.P_SkinVodafone, false);
  extracted_ = std::exchange(read.extracted_, {});
  claimedGifs_ = std::exchange(read.claimedGifs_, {});
  madeWorkingFolder_ = std::exchange(read.madeWorkingFolder_, false);
  status_ = std::exchange(read.status_, LoadStatus::NotLoaded);
  skinFile_ = std::exchange(read.skinFile_, {});
  crLine_ = std::exchange(read.crLine_, -1);
  tail_ = std::exchange(read.tail_, {});
  outsideChanges_ = std::exchange(read.outsideChanges_, false);
  parts_ = std::exchange(read.parts_, {});
  onDisk_ = std::exchange(read.onDisk_, {});
}

LoadOutcome SkinDocument::peek(const QString& file, const QString& theme, const QString& folder) {
  const AnnouncedWhenLoaded announced(allRecords(), facts_);
  P_SkinVodafone = false;
  outsideChanges_ = false;
  extracted_.clear();
  Place place = placeOf(file);
  if (!theme.isEmpty()) place.theme = theme;
  if (!folder.isEmpty()) place.folder = folder;
  place.target = workingFolder(place.folder, place.theme);
  moveTo(place);
  QString error;
  try {
    const std::optional<QByteArray> bytes = readRegularFile(skinFile_, &error, kMaxSkinFileBytes);
    if (bytes) return parse(*bytes);
  } catch (const std::bad_alloc&) {
    error = QStringLiteral("memoria insufficiente");
  }
  clearLines();
  status_ = LoadStatus::Unreadable;
  return stopped(status_, QStringLiteral("file %1 non leggibile: %2").arg(skinFile_, error));
}

LoadOutcome SkinDocument::loadFile(const QString& file, LockAccess access) {
  QStringList warnings;
  madeWorkingFolder_ = false;
  P_SkinVodafone = false;
  status_ = LoadStatus::NotLoaded;
  outsideChanges_ = false;
  extracted_.clear();
  moveTo(placeOf(file));
  const QString folder = P_sPath;

  // Held until everything is read, so that no other process's save is
  // completed, undone or seen half done.
  SkinLock lock;
  QString error;
  const bool reading = access == LockAccess::Read;
  // A reader completes an interrupted save too, rather than read half of it;
  // that only renames and removes, so it still creates nothing.
  if (!lock.take(folder, &error, kLockWaitMs, access) ||
      (reading && interruptedSavePending(folder) &&
       !lock.take(folder, &error, kLockWaitMs, LockAccess::Recover))) {
    clearLines();
    status_ = LoadStatus::Unreadable;
    return stopped(status_, error);
  }
  // Before anything of the folder is read: the skin and its archive must be
  // a matching pair again.
  bool settled = true;
  const std::optional<QString> note = recoverInterruptedSave(folder, &settled);
  if (!settled) {
    clearLines();
    status_ = LoadStatus::HalfSaved;
    return stopped(status_, *note);
  }
  if (note) warnings << *note;
  // A working folder that is a link leading out of the skin's folder is
  // neither read nor written; the export refuses it too.
  if (std::optional<QString> refused = workingFolderReason(P_sTarget, P_sPath)) {
    warnings << *refused;
  } else {
    // A folder we cannot create (read-only media) must not keep the user from
    // browsing the skin: every object then simply reads as not found.
    madeWorkingFolder_ = !reading && !QFileInfo(P_sTarget).isDir() && QDir().mkdir(P_sTarget);
    // What an interrupted export left behind goes, unless only reading.
    for (const QString& name : usableFiles(P_sTarget, P_sPath)) {
      if (name.endsWith(kTempSuffix)) {
        if (!reading) removeFile(joinPath(P_sTarget, name), nullptr);
      } else {
        extracted_.insert(name);
      }
    }
  }

  const std::optional<QByteArray> bytes = readRegularFile(skinFile_, &error, kMaxSkinFileBytes);
  LoadOutcome outcome;
  if (!bytes) {
    clearLines();
    status_ = LoadStatus::Unreadable;
    outcome = stopped(status_, QStringLiteral("file %1 non leggibile: %2").arg(skinFile_, error));
  } else {
    outcome = parse(*bytes);
    if (outcome.closingSteps()) {
      outcome.outside = markOutsideChanges(*this, rowsShowingWorkingFiles(*this), !reading);
      outsideChanges_ = outcome.outside.marked > 0;
    }
    // Only a skin that was read has a state on disk to keep: one refused for
    // its size must not be read whole for its digest after all.
    recordDisk();
  }
  const QStringList ours = diskFiles() << joinPath(P_sPath, backupFileName(P_sTheme));
  for (const QString& path : ours) {
    if (std::optional<QString> clash = nameClash(P_sPath, QFileInfo(path).fileName())) {
      warnings << *clash;
    }
  }
  outcome.warnings = warnings + outcome.warnings;
  return outcome;
}

SkinDocument::Place SkinDocument::placeOf(const QString& file) {
  const QFileInfo given(file);
  const QFileInfo info(pathInAnyCase(given.absolutePath(), given.fileName()));
  // Taken from the file system's own idea of the path: on a system whose
  // separator is '/', a backslash is an ordinary character of a folder name
  // and must not send the working folder or the archives elsewhere.
  const QString folder = QDir::toNativeSeparators(info.absolutePath());
  return {info.absoluteFilePath(), folder, info.baseName(), workingFolder(folder, info.baseName()),
          DiskStamp()};
}

void SkinDocument::moveTo(const Place& place) {
  skinFile_ = place.file;
  P_sPath = place.folder;
  P_sTheme = place.theme;
  P_sTarget = place.target;
  onDisk_ = place.onDisk;
}

void SkinDocument::dropUnusedWorkingFolder() {
  // rmdir takes only an empty folder: whatever a command put in it stays.
  if (madeWorkingFolder_ && QDir().rmdir(P_sTarget)) madeWorkingFolder_ = false;
}

void SkinDocument::recordDisk() {
  onDisk_.record(diskFiles());
}

std::vector<long long> SkinDocument::namedArchives() const {
  std::vector<long long> named;
  QSet<long long> seen;
  for (int r = 0; r < objects_.rowCount(); ++r) {
    const std::optional<long long> n = archiveNumber(objects_.row(r));
    if (n && !seen.contains(*n)) {
      seen.insert(*n);
      named.push_back(*n);
    }
  }
  return named;
}

QStringList SkinDocument::diskFiles() const {
  QStringList files{skinFile_, archivePath(P_sPath, P_sTheme, kPackedArchive)};
  for (const long long n : namedArchives()) {
    if (n != kPackedArchive) files << archivePath(P_sPath, P_sTheme, n);
  }
  return files;
}

bool SkinDocument::isOperatorFile() const {
  return QFileInfo(skinFile_).fileName().compare(kOperatorTheme + QStringLiteral(".ski"),
                                                 Qt::CaseInsensitive) == 0;
}

QString SkinDocument::saveRefusal() const {
  if (!P_SkinVodafone) return kOtherSkinMessage;
  return kSiblingSkinMessage.arg(QFileInfo(skinFile_).fileName(),
                                 archiveFileName(P_sTheme, kPackedArchive),
                                 backupFileName(P_sTheme));
}

void SkinDocument::clearLines() {
  history_->clear();
  P_SkinVodafone = false;
  facts_.clear();
  objects_.clear();
  colours_.clear();
  rects_.clear();
  tree_.clear();
  lines_.clear();
  P_MaxValues = 0;
  crLine_ = -1;
  tail_.clear();
  claimedGifs_.clear();
}

LoadOutcome SkinDocument::parse(const QByteArray& bytes) {
  clearLines();
  if (bytes.isEmpty()) {
    status_ = LoadStatus::EmptyFile;
    return stopped(status_, QStringLiteral("il file è vuoto"));
  }
  // A carriage return ends the readable part of a skin file. The user is
  // told, and the save refuses, so that the lines after it are not lost.
  const qsizetype cr = bytes.indexOf('\r');
  const QByteArrayView readable = QByteArrayView(bytes).first(cr < 0 ? bytes.size() : cr);
  QStringList warnings;
  if (cr >= 0) {
    crLine_ = static_cast<int>(std::min<qsizetype>(readable.count('\n'), kMaxSkinLines));
    warnings << QStringLiteral(
                    "Il file %1 contiene un ritorno carrello (CR) alla riga %2: quello che segue "
                    "non è stato letto.")
                    .arg(skinFile_.isEmpty() ? QStringLiteral("skin") : skinFile_)
                    .arg(crLine_);
  }

  LoadOutcome outcome;
  if (!hasMagic(readable)) {
    status_ = LoadStatus::BadMagic;
    outcome = stopped(status_, kBadFormatMessage, 0);
  } else {
    tree_.addNode({QStringLiteral("SKI1"), NodePlace::Root, QChar(u'S'), false, 0, 0});
    // Each line made straight from the file's bytes (Latin-1); what follows
    // the last line feed is no line.
    const char* data = readable.data();
    lines_.reserve(static_cast<size_t>(std::min<qsizetype>(readable.count('\n'), kMaxSkinLines)));
    int count = 0;
    qsizetype start = 0;
    while (const void* feed =
               std::memchr(data + start, '\n', static_cast<size_t>(readable.size() - start))) {
      const qsizetype end = static_cast<const char*>(feed) - data;
      if (count == kMaxSkinLines) {
        status_ = LoadStatus::TooManyLines;
        outcome = stopped(status_, QStringLiteral("il file ha più di %1 righe").arg(kMaxSkinLines),
                          kMaxSkinLines);
        outcome.warnings = warnings;
        return outcome;
      }
      lines_.push_back(QString::fromLatin1(data + start, end - start));
      ++count;
      start = end + 1;
    }
    P_MaxValues = count;
    // After a carriage return nothing is kept: the save refuses instead.
    if (cr < 0) tail_ = readable.sliced(start).toByteArray();
    reserveRows(count);
    outcome = parseLines(count);
    status_ = outcome.status;
  }

  if (outcome.closingSteps()) {
    if (!isOperatorTheme(P_sTheme)) {
      outcome.nameWarning = true;
    } else {
      P_SkinVodafone = true;
    }
  }
  outcome.warnings = warnings;
  return outcome;
}

void SkinDocument::reserveRows(int lineCount) {
  // Sized once: a full skin would otherwise grow the tree and each list a
  // dozen times over.
  int objects = 0, colours = 0, rects = 0;
  for (int k = 1; k < lineCount; ++k) {
    const QString& line = lines_[static_cast<size_t>(k)];
    if (line.isEmpty()) continue;
    if (line[0] == u'5') ++objects;
    if (line[0] == u'4') ++colours;
    if (line[0] == u'1') ++rects;
  }
  tree_.reserve(lineCount);
  objects_.reserve(objects);
  colours_.reserve(colours);
  rects_.reserve(rects);
}

LoadOutcome SkinDocument::parseLines(int lineCount) {
  int group = 1;  // the root until the first group header
  int position = 0;
  for (int k = 1; k < lineCount; ++k) {
    const QString& line = lines_[static_cast<size_t>(k)];
    const QChar c = line.isEmpty() ? QChar() : line[0];
    if (c == u'0') {
      group = tree_.addNode({line, NodePlace::Group, c, false, 1, 0});
      position = 0;
      continue;
    }
    ++position;
    tree_.addNode({line, NodePlace::Line, c, false, group, position});
    if (c < u'0' || c > u'9') {
      return stopped(LoadStatus::BadLine,
                     line.isEmpty() ? QStringLiteral("riga %1 vuota").arg(k)
                                    : QStringLiteral("riga %1 non inizia con una cifra").arg(k),
                     k);
    }
    if (c != u'1' && c != u'4' && c != u'5') continue;
    const std::optional<RecordView> r = splitRecordLine(line);
    if (!r) {
      return stopped(LoadStatus::BadLine, QStringLiteral("riga %1 con meno di cinque campi").arg(k),
                     k);
    }
    if (c == u'5') {
      addObjectRow(k, *r);
    } else if (c == u'4') {
      addColourRow(k, line.trimmed(), *r);
    } else {
      addRectRow(k, line.trimmed(), *r);
    }
  }
  LoadOutcome done;
  done.status = LoadStatus::Complete;
  return done;
}

void SkinDocument::addObjectRow(int line, const RecordView& r) {
  ListRow row;
  ObjectRecord& o = row.record.emplace<ObjectRecord>();
  o.id = Field::read(listId(r.id));
  o.line = line;
  o.home = {Field::read(r.values[2]), Field::read(r.values[0]), Field::read(r.values[1])};
  o.archive = o.home.archive;
  o.offset = o.home.offset;
  o.size = o.home.size;
  // Names are made only when the working folder has files to match.
  const QString gif = extracted_.isEmpty() ? QString() : objectGifName(r.id);
  const int at = objects_.rowCount();
  if (!gif.isEmpty() && extracted_.contains(gif) && !claimedGifs_.contains(gif)) {
    claimedGifs_.insert(gif);
    facts_.setFile(at, ObjectState::Found, joinPath(P_sTarget, gif));
  } else {
    facts_.setFile(at, ObjectState::Missing, QString());
  }
  // Objects already in the packed archive are packed anew by every save.
  if (o.home.archive.value() == kPackedArchive && isOperatorTheme(P_sTheme)) {
    P_SkinVodafone = true;
    setObjectState(row, ObjectState::ToReplace);
  }
  objects_.appendRow(std::move(row));
}

namespace {
std::optional<Field> idField(QStringView id) {
  if (id == kNoId) return std::nullopt;
  return Field::read(listId(id));
}
}  // namespace

void SkinDocument::addColourRow(int line, const QString& trimmed, const RecordView& r) {
  const std::array<QStringView, 4>& v = r.values;
  ListRow row;
  ColourRecord& c = row.record.emplace<ColourRecord>();
  c.id = idField(r.id);
  c.line = line;
  c.rgb = {Field::read(v[0]), Field::read(v[1]), Field::read(v[2])};
  c.transparency = Field::read(v[3]);
  c.source = trimmed;
  colours_.appendRow(std::move(row));
}

void SkinDocument::addRectRow(int line, const QString& trimmed, const RecordView& r) {
  const std::array<QStringView, 4>& v = r.values;
  ListRow row;
  RectRecord& d = row.record.emplace<RectRecord>();
  d.id = idField(r.id);
  d.line = line;
  d.corners = {Field::read(v[0]), Field::read(v[1]), Field::read(v[2]), Field::read(v[3])};
  d.source = trimmed;
  rects_.appendRow(std::move(row));
}

}  // namespace corvela
