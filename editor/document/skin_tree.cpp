#include "skin_tree.h"

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
  TreeNode& n = nodes_.at(static_cast<size_t>(i - 1));
  if (n.text == text) return;
  n.text = text;
  emit nodeChanged(i);
}

void SkinTree::setColour(int i, Rgb colour) {
  TreeNode& n = nodes_.at(static_cast<size_t>(i - 1));
  if (n.colour == colour) return;
  n.colour = colour;
  emit nodeChanged(i);
}

}  // namespace corvela
