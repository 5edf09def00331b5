#include "problems_panel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QShowEvent>
#include <QTreeWidget>
#include <algorithm>

#include "default_set.h"

namespace corvela {

namespace {
enum Column { Line, Record, File, Message, Advice };
constexpr int kAfterOpeningMs = 200;
}  // namespace

ProblemsPanel::ProblemsPanel(SkinDocument& doc, QLabel& count, QWidget* parent)
    : QDockWidget(QStringLiteral("Problemi"), parent),
      doc_(doc),
      count_(count),
      checker_(findDefaultFolder()) {
  setObjectName(QStringLiteral("Problemi"));
  setAccessibleName(QStringLiteral("Problemi"));
  soon_.setSingleShot(true);
  connect(&soon_, &QTimer::timeout, this, &ProblemsPanel::recheck);
  connect(&doc_.history(), &DocumentHistory::changed, this, &ProblemsPanel::recheckSoon);
  count_.hide();
}

void ProblemsPanel::skinOpened(const LoadOutcome& outcome) {
  loaded_ = outcome;
  showWhenFound_ = true;
  problems_.clear();
  count_.hide();
  if (list_) list_->clear();
  if (loaded_.status == LoadStatus::NotLoaded) return;
  // The checks read every image of the skin: the screen shows first, and the
  // panel a moment after (a step meanwhile checks at once). A skin that
  // cannot be shown whole says why with its first frame.
  if (hasOpeningProblem(doc_, loaded_.status)) {
    recheck();
  } else {
    soon_.start(kAfterOpeningMs);
  }
}

void ProblemsPanel::recheckSoon() {
  if (loaded_.status != LoadStatus::NotLoaded) soon_.start(0);
}

void ProblemsPanel::recheck() {
  soon_.stop();
  // A load that failed before any line was read has nothing to check.
  if (loaded_.status == LoadStatus::NotLoaded || doc_.skinFile().isEmpty()) return;
  problems_ = checker_.check(doc_, loaded_.status, loaded_.reason, loaded_.line);
  const auto n = static_cast<int>(problems_.size());
  count_.setText(n == 1 ? QStringLiteral("1 problema") : QStringLiteral("%1 problemi").arg(n));
  count_.setVisible(n > 0);
  if (showWhenFound_ && n > 0) {
    list();
    show();
    // A few lines' height, taken from the preview: the panel points the
    // way, the tabs do the work.
    if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) {
      const int line = list()->fontMetrics().height() + 4;
      window->resizeDocks({this}, {line * std::min(n + 2, 6)}, Qt::Vertical);
    }
  }
  showWhenFound_ = false;
  if (list_ && isVisible()) fill();
}

QTreeWidget* ProblemsPanel::list() {
  if (list_) return list_;
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("lstProblemi"));
  list_->setAccessibleName(QStringLiteral("Problemi"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({QStringLiteral("Riga"), QStringLiteral("Record"), QStringLiteral("File"),
                          QStringLiteral("Problema"), QStringLiteral("Cosa fare")});
  list_->header()->setStretchLastSection(true);
  // Shown with the window the list has no width yet at its first fill.
  list_->installEventFilter(this);
  connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const auto at = static_cast<size_t>(list_->indexOfTopLevelItem(item));
    if (at >= problems_.size()) return;
    const SkinProblem& p = problems_[at];
    if (p.place != ProblemPlace::None && p.row >= 0) emit picked(p.place, p.row);
  });
  setWidget(list_);
  return list_;
}

void ProblemsPanel::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  list();
  fill();
}

void ProblemsPanel::fill() {
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(problems_.size()));
  for (const SkinProblem& p : problems_) {
    auto* item = new QTreeWidgetItem(
        {p.line < 0 ? QString() : QString::number(p.line), p.id, p.file, p.message, p.advice});
    item->setToolTip(Message, p.text());
    items << item;
  }
  list_->addTopLevelItems(items);
  for (int c : {Line, Record, File, Message}) list_->resizeColumnToContents(c);
  messageWidth_ = list_->columnWidth(Message);
  fitMessage();
}

void ProblemsPanel::fitMessage() {
  list_->setColumnWidth(Message, std::min(messageWidth_, list_->width() * 3 / 5));
}

bool ProblemsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::Resize) fitMessage();
  return QDockWidget::eventFilter(watched, event);
}

}  // namespace corvela
