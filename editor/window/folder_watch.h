#pragma once
// Modders keep an image program open beside the editor. While a skin is
// open its working folder and wallpaper are watched, so a picture saved
// there shows at once and is packed by the next save, like an import. A
// picture is taken only once its program has finished writing it; a
// picture deleted, or the whole folder, is a fact of the files too.

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <vector>

#include "safe_read.h"

namespace corvela {

class PreviewTab;
class SkinDocument;

class FolderWatch : public QObject {
  Q_OBJECT
 public:
  // The wallpaper is the one the preview tab shows.
  FolderWatch(PreviewTab& tab, SkinDocument& doc, QObject* parent = nullptr);

  // Watches the open skin's working folder and wallpaper from their state
  // now, or for the files in `seen` from their state then; what was watched
  // before is forgotten.
  void watchSkin(const QHash<QString, PathStat>& seen = {});
  void stop();
  // The files as they stand now count as seen: what the editor itself has
  // just written is no change from outside. Those in `seen` count as they
  // stood then.
  void rememberFiles(const QHash<QString, PathStat>& seen = {});
  // The wallpaper the preview shows now, once the user picked another.
  void followWallpaper();

 signals:
  // Working-folder GIFs of the object rows `rows` (written whole, arrived
  // or gone), or the wallpaper, changed outside the editor.
  void changedOutside(const std::vector<int>& rows, bool wallpaper);
  // Working-folder GIFs still being written (names): not taken yet.
  void beingWritten(const QStringList& files);
  // An archive the skin names came, went or was rewritten outside the
  // editor.
  void archivesChanged();

 private:
  using Stamp = PathStat;
  // The folder's GIFs as they stand, or as `seen` says for those in it.
  QHash<QString, Stamp> scan(const QHash<QString, Stamp>& seen = {}) const;
  static Stamp stampOf(const QString& file);
  // The archives the skin names, as they stand.
  QHash<QString, Stamp> archiveStamps() const;
  void watchFiles();
  // Asking the system to watch every picture takes longer than anything
  // the first frame shows: until the window has been painted once, the
  // watches wait, and a look afterwards catches what changed meanwhile.
  bool waitsForFirstFrame();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void watchAfterFirstFrame();
  // Once a burst of notifications is over: what changed, handled once.
  void settle();

  PreviewTab& tab_;
  SkinDocument& doc_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  QString folder_;
  QHash<QString, Stamp> stamps_;
  QHash<QString, Stamp> archives_;
  // Changed files as the last look found them: taken when the next look
  // finds them the same and whole.
  QHash<QString, Stamp> pending_;
  QString wallpaper_;
  Stamp wallpaperStamp_;
  bool watchesDue_ = false;
};

}  // namespace corvela
