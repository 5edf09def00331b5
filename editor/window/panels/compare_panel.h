#pragma once
// "Confronta con l'originale": the screen of the skin's first original beside
// the current one, at the same zoom, and the records that differ. Built the
// first time it is shown; while shown it follows every step.

#include <QDockWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "image_cache.h"
#include "skin_compare.h"
#include "skin_document.h"
#include "standby_scene.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace corvela {

class DesktopSurface;

class ComparePanel : public QDockWidget {
  Q_OBJECT
 public:
  // `current` is the window's screen; `analogue` says which clock it shows.
  ComparePanel(SkinDocument& doc, DesktopSurface& current, std::function<bool()> analogue,
               QWidget* parent);

  // Reads the original again and shows what differs, if shown.
  void refresh();
  // The controls, built on first use.
  QTreeWidget* list();
  DesktopSurface* original() { return original_; }
  QPushButton* holdButton() { return hold_; }
  const std::vector<RecordDifference>& differences() const { return differences_; }

 signals:
  void picked(ProblemPlace place, int row);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  // The images the screen shows, cut from the original's archives into a
  // scratch folder: the working folder holds only the current ones.
  void extractShownImages(const QString& packedArchive);
  void holdOriginal(bool held);

  SkinDocument& doc_;
  DesktopSurface& current_;
  std::function<bool()> analogue_;
  QTimer soon_;
  SkinDocument originalDoc_;
  bool hasOriginal_ = false;
  std::unique_ptr<QTemporaryDir> scratch_;
  ImageCache images_;
  StandbyScene originalScene_;
  StandbyScene heldBack_;
  bool held_ = false;
  // The current screen's view the original was last drawn with.
  qint64 shownWallpaper_ = 0;
  bool shownAnalogue_ = false;
  std::vector<RecordDifference> differences_;
  QWidget* body_ = nullptr;
  DesktopSurface* original_ = nullptr;
  // The original at the main screen's zoom, scrolled rather than making
  // the panel, and with it the window, taller than the screen.
  QScrollArea* originalArea_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* hold_ = nullptr;
  QTreeWidget* list_ = nullptr;
};

}  // namespace corvela
