#pragma once
// What one edit of the document changed, as the rows and nodes were before
// and after it. An edit records itself: while a recorder is attached, the
// lists and the tree hand it each row or node before its first change, so
// an edit needs to know nothing of undo, and every path into the lists (the
// window's handlers, the command-line tool, the batch operations) is
// covered alike.

#include <vector>

#include "report_list.h"
#include "skin_tree.h"

namespace corvela {

struct DocumentDelta {
  struct Row {
    ReportList* list;
    int row;
    ListRow value;
  };
  struct Node {
    int node;
    TreeNode value;
  };
  struct List {
    ReportList* list;
    std::vector<ListRow> rows;
  };
  // Whole lists first, then single rows and nodes.
  std::vector<List> lists;
  std::vector<Row> rows;
  std::vector<Node> nodes;

  bool empty() const { return lists.empty() && rows.empty() && nodes.empty(); }
  // Puts every recorded row, list and node back into `tree` and the lists.
  void apply(SkinTree& tree) const;
};

struct DocumentChange {
  DocumentDelta before;
  DocumentDelta after;
  bool empty() const { return after.empty(); }
  // A later change of the same rows folded into this one: the earliest
  // before and the latest after of each. Whole-list changes do not fold.
  bool absorb(const DocumentChange& later);
};

class ChangeRecorder {
 public:
  // Called by the lists and the tree before they change a row or node, or
  // replace a list wholesale.
  void rowTouched(ReportList& list, int row, const ListRow& value);
  void listReplaced(ReportList& list, const std::vector<ListRow>& rows);
  void nodeTouched(int node, const TreeNode& value);

  // The recorded rows and nodes as they are now, without those that came
  // back to what they were.
  DocumentChange finish(const SkinTree& tree) const;

 private:
  bool wholeList(const ReportList* list) const;

  DocumentDelta before_;
};

}  // namespace corvela
