#include "tree_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <map>

#include "icon_pictures.h"
#include "row_look.h"

namespace corvela {

SkinTreeModel::SkinTreeModel(const SkinTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
  rebuild();
  connect(&tree_, &SkinTree::treeReset, this, [this] {
    beginResetModel();
    rebuild();
    endResetModel();
  });
  connect(&tree_, &SkinTree::nodeAdded, this, [this](int node) {
    const int parentNode = tree_.node(node).parent;
    if (parentNode < 0 || parentNode >= node) return;  // a parent always comes first
    const int row = static_cast<int>(children_[static_cast<size_t>(parentNode)].size());
    beginInsertRows(parentNode == 0 ? QModelIndex() : indexOfNode(parentNode), row, row);
    addNode(node);
    endInsertRows();
  });
  connect(&tree_, &SkinTree::nodeChanged, this, [this](int node) {
    const QModelIndex i = indexOfNode(node);
    if (i.isValid()) emit dataChanged(i, i);
  });
}

void SkinTreeModel::rebuild() {
  children_.assign(1, {});
  rowInParent_.assign(1, -1);
  parentOf_.assign(1, 0);
  for (int n = 1; n <= tree_.nodeCount(); ++n) addNode(n);
}

void SkinTreeModel::addNode(int node) {
  const int parentNode = tree_.node(node).parent;
  const auto size = static_cast<size_t>(node) + 1;
  if (children_.size() < size) {
    children_.resize(size);
    rowInParent_.resize(size, -1);
    parentOf_.resize(size, 0);
  }
  auto& siblings = children_[static_cast<size_t>(parentNode)];
  rowInParent_[static_cast<size_t>(node)] = static_cast<int>(siblings.size());
  parentOf_[static_cast<size_t>(node)] = parentNode;
  siblings.push_back(node);
}

QModelIndex SkinTreeModel::indexOfNode(int node) const {
  if (node < 1 || static_cast<size_t>(node) >= rowInParent_.size()) return {};
  return createIndex(rowInParent_[static_cast<size_t>(node)], 0, static_cast<quintptr>(node));
}

int SkinTreeModel::nodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<int>(index.internalId()) : 0;
}

QModelIndex SkinTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  const int parentNode = nodeOf(parent);
  if (static_cast<size_t>(parentNode) >= children_.size()) return {};
  const auto& siblings = children_[static_cast<size_t>(parentNode)];
  if (static_cast<size_t>(row) >= siblings.size()) return {};
  return createIndex(row, 0, static_cast<quintptr>(siblings[static_cast<size_t>(row)]));
}

QModelIndex SkinTreeModel::parent(const QModelIndex& child) const {
  const int node = nodeOf(child);
  if (node < 1 || static_cast<size_t>(node) >= parentOf_.size()) return {};
  return indexOfNode(parentOf_[static_cast<size_t>(node)]);
}

int SkinTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const int node = nodeOf(parent);
  if (static_cast<size_t>(node) >= children_.size()) return 0;
  return static_cast<int>(children_[static_cast<size_t>(node)].size());
}

void SkinTreeModel::showLinesAs(std::function<QString(int node)> text) {
  lineText_ = std::move(text);
  if (!children_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void SkinTreeModel::lineChanged(int node) {
  const QModelIndex at = indexOfNode(node);
  if (at.isValid()) emit dataChanged(at, at, {Qt::DisplayRole});
}

int SkinTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

QVariant SkinTreeModel::data(const QModelIndex& index, int role) const {
  const int node = nodeOf(index);
  if (node < 1 || node > tree_.nodeCount()) return {};
  const TreeNode& n = tree_.node(node);
  const Look look = nodeLook(n);
  switch (role) {
    case Qt::DisplayRole:
      return lineText_ && n.place == NodePlace::Line ? lineText_(node) : n.text;
    case Qt::ToolTipRole:
      return n.place == NodePlace::Line ? tree_.tag(node) : n.text;
    case Qt::DecorationRole:
    case Qt::ForegroundRole:
    case Qt::FontRole:
      return lookData(look, role);
    case TagRole:
      return tree_.tag(node);
    case NodeRole:
      return node;
    case PictureRole:
      return look.icon;
    default:
      return {};
  }
}

SkinTreeView::SkinTreeView(const SkinTree& tree, QWidget* parent)
    : QTreeView(parent), model_(new SkinTreeModel(tree, this)) {
  setModel(model_);
  setHeaderHidden(true);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(16, 16));
  // Measuring to contents lays out every line's whole text at each insert:
  // a skin of very long lines froze the window for seconds. The width is
  // kept here instead, each node measured once and only up to a cap.
  header()->setSectionResizeMode(QHeaderView::Interactive);
  header()->setStretchLastSection(false);
  connect(model_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex& parentIndex, int first, int last) {
            for (int row = first; row <= last; ++row) widen(model_->index(row, 0, parentIndex));
          });
  connect(model_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& from, const QModelIndex&) { widen(from); });
  connect(model_, &QAbstractItemModel::modelReset, this, &SkinTreeView::measureAll);
  measureAll();
  connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    const int node = model_->nodeOf(index);
    if (node > 0) emit nodeClicked(node);
  });
  // The root is opened as soon as it arrives, so the groups are in view.
  connect(model_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex& parentIndex, int first, int) {
            if (!parentIndex.isValid() && first == 0) expand(model_->index(0, 0));
          });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    if (model_->rowCount() > 0) expand(model_->index(0, 0));
  });
}

void SkinTreeView::measureAll() {
  widest_ = 0;
  measured_ = isVisible();
  if (!measured_) return;
  for (int node = 1; node <= model_->tree().nodeCount(); ++node) widen(model_->indexOfNode(node));
}

void SkinTreeView::showEvent(QShowEvent* event) {
  if (!measured_) measureAll();
  QTreeView::showEvent(event);
}

void SkinTreeView::widen(const QModelIndex& index) {
  if (!measured_) return;  // measured whole when it shows
  const int node = model_->nodeOf(index);
  if (node < 1 || node > model_->tree().nodeCount()) return;
  int depth = 1;
  for (int p = model_->tree().node(node).parent; p > 0 && depth <= node;
       p = model_->tree().node(p).parent) {
    ++depth;
  }
  // As shown: a colour or rectangle line as the save will write it, which
  // may be longer than the line as read.
  const QString text = index.data(Qt::DisplayRole).toString();
  int width = depth * indentation();
  if (text.size() <= kMeasuredChars) {
    // Measured as the view draws it, its margins included.
    width += sizeHintForIndex(index).width();
  } else {
    QFont font = this->font();
    font.setBold(nodeLook(model_->tree().node(node)).bold);
    width += iconSize().width() + kTextMargin +
             QFontMetrics(font).horizontalAdvance(text.left(kMeasuredChars));
  }
  const int capped = std::min(width, kMaxColumnWidth);
  if (capped <= widest_) return;
  widest_ = capped;
  setColumnWidth(0, widest_);
}

int SkinTreeView::currentNode() const {
  return model_->nodeOf(currentIndex());
}

void SkinTreeView::selectNode(int node) {
  const QModelIndex i = model_->indexOfNode(node);
  if (!i.isValid()) return;
  setCurrentIndex(i);
  scrollTo(i);
}

void SkinTreeView::keyPressEvent(QKeyEvent* event) {
  keyboardMove_ = true;
  QTreeView::keyPressEvent(event);
  keyboardMove_ = false;
}

void SkinTreeView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (keyboardMove_ && current.isValid() && current != previous) {
    const int node = model_->nodeOf(current);
    if (node > 0) emit nodeClicked(node);
  }
}

}  // namespace corvela
