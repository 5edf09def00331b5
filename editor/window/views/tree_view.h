#pragma once
#include <QAbstractItemModel>
#include <QTreeView>
#include <functional>
#include <vector>

#include "skin_tree.h"

namespace corvela {

// Shows the structure tree as it stands and follows its signals.
class SkinTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  static constexpr int TagRole = Qt::UserRole + 1;
  static constexpr int NodeRole = Qt::UserRole + 2;     // node number, from 1
  static constexpr int PictureRole = Qt::UserRole + 3;  // icon list number

  explicit SkinTreeModel(const SkinTree& tree, QObject* parent = nullptr);

  const SkinTree& tree() const { return tree_; }
  // Shows each line node as `text` gives it rather than as read or typed:
  // the line a save would write, with its record's edits.
  void showLinesAs(std::function<QString(int node)> text);
  // Line node `node`'s text may read otherwise now.
  void lineChanged(int node);
  // The model index of node number `node` (from 1).
  QModelIndex indexOfNode(int node) const;
  int nodeOf(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void rebuild();
  void addNode(int node);

  const SkinTree& tree_;
  std::function<QString(int node)> lineText_;
  // children_[n] lists the node numbers under node n; children_[0] holds the
  // top level (the root node).
  std::vector<std::vector<int>> children_;
  std::vector<int> rowInParent_;  // by node number
  std::vector<int> parentOf_;     // by node number, 0 for top level
};

// The structure tree in the window. A click on a node, or a keyboard move
// onto one, reports its number.
class SkinTreeView : public QTreeView {
  Q_OBJECT
 public:
  explicit SkinTreeView(const SkinTree& tree, QWidget* parent = nullptr);

  SkinTreeModel* treeModel() const { return model_; }
  int currentNode() const;
  void selectNode(int node);

 signals:
  void nodeClicked(int node);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void showEvent(QShowEvent* event) override;

 private:
  // A line is measured up to this many characters, and the column grows no
  // wider than this: enough for any real line, and a hostile one costs no
  // more than that.
  static constexpr int kMeasuredChars = 256;
  static constexpr int kMaxColumnWidth = 4000;
  static constexpr int kTextMargin = 12;
  // Grows the column to fit the node's text, as far as the cap allows.
  void widen(const QModelIndex& index);
  // Every node measured anew; while the view is hidden, only when it shows:
  // the tab is not the one a skin opens on, and measuring 1500 lines costs
  // the first paint of the window.
  void measureAll();

  SkinTreeModel* model_;
  bool keyboardMove_ = false;
  int widest_ = 0;
  bool measured_ = false;
};

}  // namespace corvela
