#include "skin_tree.h"

#include "change_recorder.h"

namespace corvela {

int SkinTree::addNode(TreeNode node) {
  nodes_.push_back(std::move(node));
  emit nodeAdded(nodeCount());
  return nodeCount();
}

void SkinTree::clear() {
  nodes_.clear();
  emit treeReset();
}

void SkinTree::setText(int i, const QString& text) {
  TreeNode& n = mutableNode(i);
  if (n.text == text) return;
  n.text = text;
  emit nodeChanged(i);
}

void SkinTree::setEdited(int i, bool edited) {
  TreeNode& n = mutableNode(i);
  if (n.edited == edited) return;
  n.edited = edited;
  emit nodeChanged(i);
}

void SkinTree::setStamp(int i, quint64 stamp) {
  TreeNode& n = mutableNode(i);
  n.stamp = stamp;
}

QString SkinTree::tag(int i) const {
  const TreeNode& n = node(i);
  if (n.place != NodePlace::Line) return {};
  const QString group = n.parent > 1 ? node(n.parent).text.trimmed() : QString();
  return group + u'_' + QString::number(n.position);
}

bool SkinTree::hasTag(int i, QStringView tag) const {
  const TreeNode& n = node(i);
  const qsizetype underscore = tag.lastIndexOf(u'_');
  if (n.place != NodePlace::Line || underscore < 0) return false;
  bool number = false;
  if (tag.mid(underscore + 1).toInt(&number) != n.position || !number) return false;
  const QStringView group = tag.left(underscore);
  return n.parent > 1 ? QStringView(node(n.parent).text).trimmed() == group : group.isEmpty();
}

TreeNode& SkinTree::mutableNode(int i) {
  TreeNode& n = nodes_.at(static_cast<size_t>(i - 1));
  if (recorder_) recorder_->nodeTouched(i, n);
  return n;
}

void SkinTree::restoreNode(int i, const TreeNode& node) {
  TreeNode& n = nodes_.at(static_cast<size_t>(i - 1));
  if (n == node) return;
  n = node;
  emit nodeChanged(i);
}

}  // namespace corvela
