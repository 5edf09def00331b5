#include "compare_panel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "desktop_surface.h"
#include "document_names.h"
#include "object_archive.h"
#include "skin_problems.h"
#include "standby_records.h"
#include "text_number.h"

namespace corvela {

ComparePanel::ComparePanel(SkinDocument& doc, DesktopSurface& current,
                           std::function<bool()> analogue, QWidget* parent)
    : QDockWidget(QStringLiteral("Confronta con l'originale"), parent),
      doc_(doc),
      current_(current),
      analogue_(std::move(analogue)) {
  setObjectName(QStringLiteral("Confronta"));
  setAccessibleName(QStringLiteral("Confronta con l'originale"));
  // A run of keystrokes is compared once, when it is over.
  soon_.setSingleShot(true);
  soon_.setInterval(0);
  connect(&soon_, &QTimer::timeout, this, &ComparePanel::refresh);
  connect(&doc_.history(), &DocumentHistory::changed, this, [this] {
    if (isVisible()) soon_.start();
  });
  current_.installEventFilter(this);
  // The original is seen as the current screen is: with or without the
  // wallpaper, with the clock it shows. Those are no steps of the skin.
  connect(&current_, &DesktopSurface::sceneShown, this, [this] {
    if (!isVisible() || !hasOriginal_ || held_) return;
    if (current_.scene().wallpaper.cacheKey() != shownWallpaper_ || analogue_() != shownAnalogue_)
      soon_.start();
  });
}

void ComparePanel::build() {
  if (body_) return;
  body_ = new QWidget(this);
  auto* column = new QVBoxLayout(body_);
  note_ = new QLabel(body_);
  note_->setObjectName(QStringLiteral("lblConfronta"));
  note_->setWordWrap(true);
  column->addWidget(note_);
  hold_ = new QPushButton(QStringLiteral("Tieni premuto per vederlo al posto dell'attuale"), body_);
  hold_->setObjectName(QStringLiteral("cmdTieniOriginale"));
  hold_->setAccessibleName(hold_->text());
  // The mouse or the space bar held on it: the current screen comes back
  // the moment it is let go.
  connect(hold_, &QPushButton::pressed, this, [this] { holdOriginal(true); });
  connect(hold_, &QPushButton::released, this, [this] { holdOriginal(false); });
  column->addWidget(hold_);
  originalArea_ = new QScrollArea(body_);
  originalArea_->setObjectName(QStringLiteral("scrOriginale"));
  originalArea_->setFrameShape(QFrame::NoFrame);
  originalArea_->setAlignment(Qt::AlignHCenter);
  original_ = new DesktopSurface(originalArea_);
  original_->setObjectName(QStringLiteral("PicOriginale"));
  original_->setAccessibleName(QStringLiteral("PicOriginale"));
  originalArea_->setWidget(original_);
  column->addWidget(originalArea_, 1);
  list_ = new QTreeWidget(body_);
  list_->setObjectName(QStringLiteral("lstDifferenze"));
  list_->setAccessibleName(QStringLiteral("Differenze"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Nome"), QStringLiteral("Cosa"),
                          QStringLiteral("Prima"), QStringLiteral("Dopo")});
  connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const auto at = static_cast<size_t>(list_->indexOfTopLevelItem(item));
    if (at >= differences_.size()) return;
    const RecordDifference& d = differences_[at];
    if (d.row >= 0) emit picked(d.place, d.row);
  });
  column->addWidget(list_, 1);
  setWidget(body_);
}

QTreeWidget* ComparePanel::list() {
  build();
  return list_;
}

void ComparePanel::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  refresh();
  // Room for the whole original screen, taken from the preview's side.
  if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) {
    window->resizeDocks({this}, {body_->sizeHint().width()}, Qt::Horizontal);
  }
}

bool ComparePanel::eventFilter(QObject* watched, QEvent* event) {
  // The main screen's size follows its zoom: the original keeps in step.
  if (watched == &current_ && event->type() == QEvent::Resize && original_ &&
      original_->zoom() != current_.zoom()) {
    original_->setZoom(current_.zoom());
  }
  return QDockWidget::eventFilter(watched, event);
}

void ComparePanel::extractShownImages(const QString& packedArchive) {
  scratch_ = std::make_unique<QTemporaryDir>();
  images_.clear();
  if (scratch_->isValid()) showArchivedImages(originalDoc_, scratch_->path(), false, packedArchive);
}

void ComparePanel::refresh() {
  soon_.stop();
  build();
  if (held_) holdOriginal(false);
  QString packed;
  hasOriginal_ = !doc_.skinFile().isEmpty() && peekFirstOriginal(doc_, originalDoc_, &packed);
  list_->clear();
  differences_.clear();
  originalArea_->setVisible(hasOriginal_);
  hold_->setEnabled(hasOriginal_);
  if (!hasOriginal_) {
    note_->setText(
        QStringLiteral("Nessun originale da confrontare: Corvela lo conserva al primo "
                       "salvataggio della skin."));
    return;
  }
  extractShownImages(packed);
  originalScene_ = current_.scene();
  shownWallpaper_ = originalScene_.wallpaper.cacheKey();
  shownAnalogue_ = analogue_();
  rebuildScene(originalScene_, originalDoc_, images_, shownAnalogue_);
  original_->setZoom(current_.zoom());
  original_->setPaintOptions(current_.paintOptions());
  original_->showScene(originalScene_);

  differences_ = compareSkins(originalDoc_, doc_, packed);
  note_->setText(
      differences_.empty() ? QStringLiteral("La skin è uguale al suo originale.")
      : differences_.size() == 1
          ? QStringLiteral("Qui sotto l'originale; 1 record diverso.")
          : QStringLiteral("Qui sotto l'originale; %1 record diversi.").arg(differences_.size()));
  QList<QTreeWidgetItem*> items;
  for (const RecordDifference& d : differences_) {
    items << new QTreeWidgetItem({d.id, d.name, d.what, d.before, d.after});
  }
  list_->addTopLevelItems(items);
  for (int c = 0; c < 3; ++c) list_->resizeColumnToContents(c);
}

void ComparePanel::holdOriginal(bool held) {
  if (held == held_ || (held && !hasOriginal_)) return;
  held_ = held;
  if (held) {
    heldBack_ = current_.scene();
    current_.showScene(originalScene_);
  } else {
    current_.showScene(heldBack_);
  }
}

}  // namespace corvela
