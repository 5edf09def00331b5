#pragma once
#include <QObject>
#include <QString>
#include <vector>

namespace corvela {

// The root ("SKI1"), a group header line (kind '0') or any other line.
enum class NodePlace { Root, Group, Line };

struct TreeNode {
  QString text;
  NodePlace place = NodePlace::Line;
  QChar kind;           // the line's first character as read: its record kind
  bool edited = false;  // the text was edited: the save takes it over
  int parent = 0;       // number of the parent node; 0 for the root
  int position = 0;     // a line's place in its group, from 1
  quint64 stamp = 0;    // when it was edited (nextEditStamp), 0 as read
  friend bool operator==(const TreeNode&, const TreeNode&) = default;
};

class ChangeRecorder;

// The structure tree: one node per skin line in file order, so node i
// (counted from 1) stands for line i - 1.
class SkinTree : public QObject {
  Q_OBJECT
 public:
  int nodeCount() const { return static_cast<int>(nodes_.size()); }
  // Nodes are numbered from 1.
  const TreeNode& node(int i) const { return nodes_.at(static_cast<size_t>(i - 1)); }

  int addNode(TreeNode node);
  void reserve(int count) { nodes_.reserve(static_cast<size_t>(count)); }
  // A line's tag: its group header's text, an underscore and its place in
  // the group ("0 41 98_2"); empty for the root and the group headers.
  // Made when asked for, since most lines are never asked.
  QString tag(int i) const;
  bool hasTag(int i, QStringView tag) const;
  void clear();
  void setText(int i, const QString& text);
  void setEdited(int i, bool edited);
  void setStamp(int i, quint64 stamp);
  // Undo and redo: a node put back as recorded.
  void restoreNode(int i, const TreeNode& node);
  // The nodes another document read, taken over by a load that announces
  // them itself.
  void takeNodes(SkinTree& read) { nodes_.swap(read.nodes_); }
  // While set, every node is handed to `recorder` before its first change.
  void setRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }

 signals:
  void treeReset();
  void nodeAdded(int node);
  void nodeChanged(int node);

 private:
  TreeNode& mutableNode(int i);

  std::vector<TreeNode> nodes_;
  ChangeRecorder* recorder_ = nullptr;
};

}  // namespace corvela
