#include "folder_watch.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QWindow>
#include <iterator>

#include "document_names.h"
#include "file_list_box.h"
#include "folder_guard.h"
#include "gif_check.h"
#include "image_decode.h"
#include "object_archive.h"
#include "preview_tab.h"
#include "record_rows.h"
#include "skin_document.h"
#include "working_mirror.h"

namespace corvela {

namespace {
// Image programs save in several writes, and a batch export touches many
// files: one look once the folder has been quiet this long.
constexpr int kQuietMilliseconds = 250;
}  // namespace

FolderWatch::FolderWatch(PreviewTab& tab, SkinDocument& doc, QObject* parent)
    : QObject(parent), tab_(tab), doc_(doc) {
  settle_.setSingleShot(true);
  settle_.setInterval(kQuietMilliseconds);
  connect(&settle_, &QTimer::timeout, this, &FolderWatch::settle);
  auto restart = [this] { settle_.start(); };
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, restart);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, restart);
  connect(tab_.FileDesktop, &FileListBox::fileClicked, this, &FolderWatch::followWallpaper);
}

void FolderWatch::stop() {
  settle_.stop();
  if (watchesDue_) {
    if (QWindow* handle = tab_.window()->windowHandle()) handle->removeEventFilter(this);
    watchesDue_ = false;
  }
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  folder_.clear();
  stamps_.clear();
  archives_.clear();
  pending_.clear();
  wallpaper_.clear();
  wallpaperStamp_ = {};
}

void FolderWatch::watchSkin(const QHash<QString, PathStat>& seen) {
  stop();
  // Watched even while it is missing: the folder may come (back) later.
  if (!doc_.P_sTarget.isEmpty() && !workingFolderReason(doc_.P_sTarget, doc_.P_sPath))
    folder_ = doc_.P_sTarget;
  // What the load compared counts as it was then: a file changed since is
  // a change, and is not asked about twice.
  rememberFiles(seen);
  followWallpaper();
}

void FolderWatch::rememberFiles(const QHash<QString, Stamp>& seen) {
  stamps_ = scan(seen);
  archives_ = archiveStamps();
  pending_.clear();
  wallpaperStamp_ = stampOf(wallpaper_);
  watchFiles();
}

void FolderWatch::followWallpaper() {
  const PreviewTab& p = tab_;
  const int index = p.FileDesktop->listIndex();
  QString file;
  if (!folder_.isEmpty() && p.chkWallPaper->isChecked() && index >= 0)
    file = QDir(p.FileDesktop->path()).filePath(p.FileDesktop->fileName(index));
  if (file == wallpaper_) return;
  if (!wallpaper_.isEmpty() && watcher_.files().contains(wallpaper_))
    watcher_.removePath(wallpaper_);
  wallpaper_ = file;
  wallpaperStamp_ = stampOf(file);
  watchFiles();
}

QHash<QString, FolderWatch::Stamp> FolderWatch::archiveStamps() const {
  QHash<QString, Stamp> stamps;
  if (doc_.P_sPath.isEmpty()) return stamps;
  for (const long long n : doc_.namedArchives()) {
    const QString archive = archivePath(doc_.P_sPath, doc_.P_sTheme, n);
    stamps.insert(archive, pathStat(archive));
  }
  return stamps;
}

FolderWatch::Stamp FolderWatch::stampOf(const QString& file) {
  if (file.isEmpty()) return {};
  return pathStat(file);
}

QHash<QString, FolderWatch::Stamp> FolderWatch::scan(const QHash<QString, Stamp>& seen) const {
  QHash<QString, Stamp> stamps;
  if (folder_.isEmpty()) return stamps;
  // Unsorted: the stamps are looked up by name, never listed. The suffix is
  // compared here: a name filter costs a pattern match for every file.
  QDirIterator it(folder_, QDir::Files | QDir::NoDotAndDotDot);
  while (it.hasNext()) {
    it.next();
    if (!it.fileName().endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) continue;
    const auto known = seen.constFind(it.fileName());
    stamps.insert(it.fileName(), known != seen.cend() ? *known : pathStat(it.filePath()));
  }
  return stamps;
}

bool FolderWatch::waitsForFirstFrame() {
  if (watchesDue_) return true;
  QWidget* window = tab_.window();
  QWindow* handle = window->windowHandle();
  // A window never shown has no frame to wait for.
  if (!window->isVisible() || !handle || handle->isExposed()) return false;
  watchesDue_ = true;
  handle->installEventFilter(this);
  // A window shown but never exposed (minimised, on another desktop) is
  // watched all the same, a moment later.
  QTimer::singleShot(1000, this, &FolderWatch::watchAfterFirstFrame);
  return true;
}

bool FolderWatch::eventFilter(QObject* watched, QEvent* event) {
  // The expose is painted once this filter returns; the watches follow in
  // the next turn of the event loop, after the frame.
  if (event->type() == QEvent::Expose && watchesDue_)
    QTimer::singleShot(0, this, &FolderWatch::watchAfterFirstFrame);
  return QObject::eventFilter(watched, event);
}

void FolderWatch::watchAfterFirstFrame() {
  if (QWindow* handle = tab_.window()->windowHandle()) handle->removeEventFilter(this);
  if (!watchesDue_) return;
  watchesDue_ = false;
  watchFiles();
  settle_.start();
}

// A file replaced by a rename loses its watch, so the set is renewed after
// every look; the folder's own watch sees files that arrive.
void FolderWatch::watchFiles() {
  if (waitsForFirstFrame()) return;
  QStringList wanted;
  if (!folder_.isEmpty()) {
    // The skin's folder shows the working folder deleted, replaced or made
    // anew; a folder's own watch ends with the folder.
    if (QFileInfo(doc_.P_sPath).isDir()) wanted << doc_.P_sPath;
    if (QFileInfo(folder_).isDir()) wanted << folder_;
    const QDir dir(folder_);
    for (auto it = stamps_.cbegin(); it != stamps_.cend(); ++it) wanted << dir.filePath(it.key());
  }
  if (!wallpaper_.isEmpty() && QFileInfo::exists(wallpaper_)) wanted << wallpaper_;
  // The skin's folder shows an archive arriving or going, its own watch
  // the archive rewritten.
  if (!archives_.isEmpty() && !wanted.contains(doc_.P_sPath) && QFileInfo(doc_.P_sPath).isDir())
    wanted << doc_.P_sPath;
  for (auto it = archives_.cbegin(); it != archives_.cend(); ++it) {
    if (it.value().exists) wanted << it.key();
  }
  const QStringList watched = watcher_.files() + watcher_.directories();
  const QSet<QString> have(watched.cbegin(), watched.cend());
  QStringList missing;
  for (const QString& path : wanted) {
    if (!have.contains(path)) missing << path;
  }
  if (!missing.isEmpty()) watcher_.addPaths(missing);
}

namespace {
// Whether the file now holds a whole picture, or its program is still
// writing it. What is no GIF at all, or too large to be an object, is left
// to the verdict of markOutsideChanges.
bool readsWhole(const QString& file) {
  const PathStat st = pathStat(file);
  if (st.size == 0) return false;
  if (st.size > kMaxObjectBytes) return true;
  const std::optional<QByteArray> bytes = readRegularFile(file, nullptr, kMaxObjectBytes);
  if (!bytes) return true;
  return !bytes->startsWith("GIF8") || !wholeGifProblem(*bytes);
}
}  // namespace

void FolderWatch::settle() {
  // The archives matter even where no working folder may be used.
  if (const QHash<QString, Stamp> archives = archiveStamps(); archives != archives_) {
    archives_ = archives;
    watchFiles();
    emit archivesChanged();
  }
  if (folder_.isEmpty() && wallpaper_.isEmpty()) return;
  const QHash<QString, Stamp> now = scan();
  QSet<QString> changed;
  QStringList writing;
  QHash<QString, Stamp> next = now;
  for (auto it = stamps_.cbegin(); it != stamps_.cend(); ++it) {
    if (!now.contains(it.key())) changed.insert(it.key());
  }
  for (auto it = pending_.begin(); it != pending_.end();) {
    it = now.contains(it.key()) ? std::next(it) : pending_.erase(it);
  }
  const QDir dir(folder_);
  for (auto it = now.cbegin(); it != now.cend(); ++it) {
    const QString& name = it.key();
    const auto known = stamps_.constFind(name);
    if (known != stamps_.cend() && known.value() == it.value()) continue;
    // Image programs write in several goes: a file is taken once it stood
    // still between two looks and reads whole. Until then the object stays
    // as it was, and the file counts as unseen.
    const bool still = pending_.contains(name) && pending_.value(name) == it.value();
    if (!still || !readsWhole(dir.filePath(name))) {
      if (known != stamps_.cend()) {
        next.insert(name, known.value());
      } else {
        next.remove(name);
      }
      // One that stood still and is still cut short waits for its next
      // write, which the watch reports.
      if (still) {
        pending_.remove(name);
        next.insert(name, it.value());
      } else {
        pending_.insert(name, it.value());
      }
      writing << dir.filePath(name);
      continue;
    }
    pending_.remove(name);
    changed.insert(name);
  }
  stamps_ = next;
  const Stamp wallpaper = stampOf(wallpaper_);
  const bool wallpaperChanged = !wallpaper_.isEmpty() && wallpaper != wallpaperStamp_;
  wallpaperStamp_ = wallpaper;
  watchFiles();
  if (!pending_.isEmpty()) settle_.start();
  if (!writing.isEmpty()) emit beingWritten(writing);
  if (changed.isEmpty() && !wallpaperChanged) return;

  std::vector<int> rows;
  const ReportList& list = doc_.L_Values;
  for (int r = 0; r < list.rowCount(); ++r) {
    const QString gif = objectGifPath(doc_.P_sTarget, rowId(list.row(r)));
    if (changed.contains(QFileInfo(gif).fileName())) rows.push_back(r);
  }
  emit changedOutside(rows, wallpaperChanged);
}

}  // namespace corvela
