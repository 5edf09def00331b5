#pragma once
#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "colour_codec.h"
#include "disk_stamp.h"
#include "document_history.h"
#include "document_names.h"
#include "object_facts.h"
#include "record_rows.h"
#include "report_list.h"
#include "skin_lock.h"
#include "skin_tree.h"
#include "working_mirror.h"

namespace corvela {

struct RecordView;

enum class LoadStatus {
  NotLoaded,     // nothing opened yet
  Complete,      // every line read
  BadMagic,      // first line is not "SKI1": nothing parsed
  EmptyFile,     // zero bytes
  Unreadable,    // the file could not be read
  TooManyLines,  // more than 1501 lines
  BadLine,       // a line that is not a valid record stopped the load
  HalfSaved,     // an interrupted save could be neither completed nor undone: nothing read
};

struct LoadOutcome {
  LoadStatus status = LoadStatus::NotLoaded;
  int line = -1;             // line number where the load stopped, for BadLine
  QString reason;            // why it stopped, in words for the user
  bool nameWarning = false;  // the skin is not the operator's: show the warning
  // Each shown as an "Attenzione:" box: an interrupted save completed or
  // undone, a working folder that is not used, a carriage return that ended
  // the readable part of the file.
  QStringList warnings;
  // Working-folder GIFs changed since they were extracted or saved.
  OutsideChanges outside;
  // The closing steps (tabs, preview, name check) run after these two only.
  bool closingSteps() const {
    return status == LoadStatus::Complete || status == LoadStatus::BadMagic;
  }
};

inline const QString kBadFormatMessage = QStringLiteral("Formato del file skin non valido!");
inline const QString kOtherSkinMessage =
    QStringLiteral("Corvela permette di modificare solo la skin originale del v980!");
// For a skin of the operator's theme under another name (%1), whose save
// would write %2 and %3, the archive and backup of vodafone.ski.
inline const QString kSiblingSkinMessage = QStringLiteral(
    "Corvela può salvare solo un file di nome vodafone.ski: il salvataggio di %1 "
    "sovrascriverebbe %2 e %3, che appartengono alla skin vodafone.ski della stessa cartella.\n"
    "Per modificarla, copiala in un'altra cartella con il nome vodafone.ski.");

// The one open skin: the line table, the window-level variables and the
// lists and tree of its records. Everyone reads them; only the edit that
// perform() runs changes them, and what the disk says (the load, the folder
// watch, the export, the save) under a DiskWrite.
class SkinDocument {
  std::vector<QString> lines_;
  ReportList objects_{kListObjects, V_Indice + 1};
  ReportList colours_{kListColours, C_Indice + 1};
  ReportList rects_{kListRects, D_Indice + 1};
  SkinTree tree_;

 public:
  SkinDocument();

  // Everything of opening a skin that needs no window: finishes or undoes an
  // interrupted save, resets the document, creates the working folder, reads
  // and parses the file. The lists and the tree announce it once, at the end.
  // A load for reading only (LockAccess::Read) creates nothing in the skin's
  // folder: no working folder, no lock, no editor folder.
  LoadOutcome load(const QString& file, LockAccess access = LockAccess::Write);
  // What `read`, a document of no window, loaded, taken over as if this
  // document had loaded it itself; `read` is left empty.
  void takeLoaded(SkinDocument& read);
  // The skin as it lies, for comparing and checking only: no lock, no
  // working folder, no interrupted save put right, nothing written. The
  // archives are looked for as `theme`'s in `folder` (the file's own name
  // and folder when empty), since a kept original carries another name than
  // its skin and lies apart from the archives it shares with it.
  LoadOutcome peek(const QString& file, const QString& theme = QString(),
                   const QString& folder = QString());
  // The parse of a skin file's bytes, already in memory, into the document
  // as it stands (folder, theme and working folder as set by a load).
  LoadOutcome parse(const QByteArray& bytes);

  LoadStatus status() const { return status_; }
  // A file without one complete line (CR LF line ends, no final line feed)
  // reads as complete but would be written back empty, without even its
  // magic line, so it counts as not loaded for saving.
  bool loadedCompletely() const { return status_ == LoadStatus::Complete && P_MaxValues > 0; }
  // Saving is allowed only for a completely loaded operator skin: a load that
  // stopped early leaves a line table that must never reach the disk. And
  // only for the operator's own file name: any other file of its theme
  // (vodafone.copy.ski) shares its archive and backup names.
  bool canSave() const { return loadedCompletely() && P_SkinVodafone && isOperatorFile(); }
  bool isOperatorFile() const;
  // The archives the objects name, each once, in the order first named.
  std::vector<long long> namedArchives() const;
  // Why canSave() is false for a skin that loaded completely.
  QString saveRefusal() const;
  // The skin file as opened (its name's case as found on disk).
  const QString& skinFile() const { return skinFile_; }
  // The line at which a carriage return ended the readable part of the
  // file, or -1; a save would lose everything after it.
  int carriageReturnLine() const { return crLine_; }
  // What follows the file's last line feed: no line, so neither read nor
  // shown, but the user's all the same, and a save puts it back as it was.
  const QByteArray& unterminatedTail() const { return tail_; }
  // The first of the skin file and its archives that changed on disk since
  // the load or the last save, or nothing; recordDisk() takes them as they
  // are now. Both belong under the skin's lock.
  std::optional<QString> changedOnDisk() const { return onDisk_.firstChanged(); }
  bool unchangedOnDisk(const QString& file) const { return onDisk_.unchanged(file); }
  void recordDisk();
  // Where the document's files are: the skin file with its folder, theme and
  // working folder, and what was on disk there. A save under another name
  // moves the document to the copy first, and back when that save fails.
  struct Place {
    QString file;
    QString folder;
    QString theme;
    QString target;
    DiskStamp onDisk;
  };
  // The place of the skin file `file`, with nothing known yet of its disk.
  static Place placeOf(const QString& file);
  Place place() const { return {skinFile_, P_sPath, P_sTheme, P_sTarget, onDisk_}; }
  void moveTo(const Place& place);
  // Images changed outside the editor and marked for packing, not yet saved:
  // unsaved work like an edit, though no step to undo.
  bool hasOutsideChanges() const { return outsideChanges_; }
  void setOutsideChanges(bool changed) { outsideChanges_ = changed; }

  // Runs `edit` as one step of the undo history named `text`, unless it
  // changed nothing. An edit run from inside another belongs to the outer
  // step, so a batch is one step whatever it calls. Consecutive steps with
  // the same non-zero `mergeKey` fold into one. An exception from `edit`
  // still leaves what it changed so far as a step, then goes on. True when
  // the outermost edit changed something, and so announced it.
  bool perform(const QString& text, const std::function<void()>& edit, quint64 mergeKey = 0);
  DocumentHistory& history() { return *history_; }
  const DocumentHistory& history() const { return *history_; }
  // Unsaved work: steps since the open or the last save, or images changed
  // outside the editor.
  bool isModified() const { return !history_->isClean() || outsideChanges_; }

  QString RGBToString(std::int32_t aColor) { return corvela::RGBToString(aColor, parts_); }
  std::optional<std::int32_t> StringToRGB(QStringView s) { return corvela::StringToRGB(s, parts_); }
  const ColourParts& colourParts() const { return parts_; }

  // The line table: entry k is line k without its line feed, one entry per
  // line read (none when the first line is not a skin's). Users bound their
  // indices by its size or P_MaxValues. Only a load writes it: a save
  // writes the lines it regenerates from the records.
  const std::vector<QString>& lines = lines_;
  std::int32_t P_MaxValues = 0;
  QString P_sPath;    // skin folder, no trailing separator
  QString P_sTheme;   // file name up to its first full stop, case as found
  QString P_sTarget;  // working folder of extracted GIFs, with trailing separator
  bool P_SkinVodafone = false;

  const ReportList& L_Values = objects_;
  const ReportList& L_RGBA = colours_;
  const ReportList& L_Dim = rects_;
  const SkinTree& T_Strutt = tree_;
  // One of the three lists by its name (kListObjects, kListColours,
  // kListRects), for what treats them alike.
  const ReportList& list(const QString& name) const;

  // The records to change. The lists and the tree above are for reading;
  // these are handed out only to the edit perform() runs, so that every
  // change is a step, and while a DiskWrite stands (checked in debug builds).
  struct Records {
    ReportList& objects;
    ReportList& colours;
    ReportList& rects;
    SkinTree& tree;
  };
  Records records();
  // What the load, the folder watch, the export and the save find on disk
  // goes into the rows outside the undo history, while one of these stands.
  class DiskWrite {
   public:
    explicit DiskWrite(SkinDocument& doc) : doc_(doc) { ++doc_.diskWrites_; }
    ~DiskWrite() { --doc_.diskWrites_; }
    DiskWrite(const DiskWrite&) = delete;
    DiskWrite& operator=(const DiskWrite&) = delete;

   private:
    SkinDocument& doc_;
  };

  // Takes away the working folder the last load made, while nothing is in
  // it: a command refused after loading leaves the skin's folder as it
  // found it.
  void dropUnusedWorkingFolder();

  // What the last save and export found of the objects' files, beside the
  // rows of L_Values and outside the undo history.
  ObjectFacts& objectFacts() { return facts_; }
  const ObjectFacts& objectFacts() const { return facts_; }

 private:
  LoadOutcome loadFile(const QString& file, LockAccess access);
  // The skin file and the archives its objects name, with the packed one.
  QStringList diskFiles() const;
  // Empties the line table, the lists and the tree (each list once, since
  // every clear resets the views that show it).
  void clearLines();
  void reserveRows(int lineCount);
  LoadOutcome parseLines(int lineCount);
  void addObjectRow(int line, const RecordView& r);
  void addColourRow(int line, const QString& trimmed, const RecordView& r);
  void addRectRow(int line, const QString& trimmed, const RecordView& r);

  // Names of the visible files in the working folder, read once per load:
  // asking the file system about every object costs more than the parse.
  QSet<QString> extracted_;
  // The working files taken by the rows read so far: only the first row of
  // an id takes the file named after it.
  QSet<QString> claimedGifs_;
  bool madeWorkingFolder_ = false;
  LoadStatus status_ = LoadStatus::NotLoaded;
  QString skinFile_;
  int crLine_ = -1;
  QByteArray tail_;
  bool outsideChanges_ = false;
  std::unique_ptr<DocumentHistory> history_;
  int performing_ = 0;
  int diskWrites_ = 0;
  Records allRecords() { return {objects_, colours_, rects_, tree_}; }
  ColourParts parts_;
  DiskStamp onDisk_;
  ObjectFacts facts_;
};

bool isOperatorTheme(const QString& theme);

}  // namespace corvela
