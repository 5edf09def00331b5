#pragma once
// "Problemi": what `corvela-skin check` would say of the open skin, kept up
// to date after every step, outside change and save. Its list is built the
// first time it is shown, so a skin without problems costs only the check.

#include <QDockWidget>
#include <QTimer>
#include <vector>

#include "skin_problems.h"

class QLabel;
class QTreeWidget;

namespace corvela {

class ProblemsPanel : public QDockWidget {
  Q_OBJECT
 public:
  // `count` is the status bar's field, which says how many there are.
  ProblemsPanel(SkinDocument& doc, QLabel& count, QWidget* parent);

  // A skin was opened with `outcome`: its problems are checked once the
  // window has had its turn to paint, and the panel shows itself if any.
  void skinOpened(const LoadOutcome& outcome);
  // The skin changed (a step, a save, files on disk): checked again soon.
  void recheckSoon();
  // The checks, at once.
  void recheck();
  const std::vector<SkinProblem>& problems() const { return problems_; }
  // The list, built on first use.
  QTreeWidget* list();

 signals:
  void picked(ProblemPlace place, int row);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fill();
  // The message as wide as it needs, but never more than three fifths of
  // the list, so that what to do stays in sight beside it.
  void fitMessage();

  SkinDocument& doc_;
  QLabel& count_;
  SkinChecker checker_;
  QTimer soon_;
  bool showWhenFound_ = false;
  LoadOutcome loaded_;
  std::vector<SkinProblem> problems_;
  QTreeWidget* list_ = nullptr;
  int messageWidth_ = 0;  // the widest message, measured at the last fill
};

}  // namespace corvela
