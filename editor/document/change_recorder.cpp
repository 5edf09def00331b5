#include "change_recorder.h"

#include <algorithm>

namespace corvela {

void DocumentDelta::apply(SkinTree& tree) const {
  for (const List& l : lists) l.list->replaceRows(l.rows);
  for (const Row& r : rows) r.list->restoreRow(r.row, r.value);
  for (const Node& n : nodes) tree.restoreNode(n.node, n.value);
}

bool DocumentChange::absorb(const DocumentChange& later) {
  if (!before.lists.empty() || !later.before.lists.empty()) return false;
  for (size_t i = 0; i < later.after.rows.size(); ++i) {
    const DocumentDelta::Row& next = later.after.rows[i];
    auto same = [&](const DocumentDelta::Row& r) {
      return r.list == next.list && r.row == next.row;
    };
    if (auto known = std::find_if(after.rows.begin(), after.rows.end(), same);
        known != after.rows.end()) {
      known->value = next.value;
    } else {
      before.rows.push_back(later.before.rows[i]);
      after.rows.push_back(next);
    }
  }
  for (size_t i = 0; i < later.after.nodes.size(); ++i) {
    const DocumentDelta::Node& next = later.after.nodes[i];
    auto same = [&](const DocumentDelta::Node& n) { return n.node == next.node; };
    if (auto known = std::find_if(after.nodes.begin(), after.nodes.end(), same);
        known != after.nodes.end()) {
      known->value = next.value;
    } else {
      before.nodes.push_back(later.before.nodes[i]);
      after.nodes.push_back(next);
    }
  }
  return true;
}

bool ChangeRecorder::wholeList(const ReportList* list) const {
  return std::any_of(before_.lists.begin(), before_.lists.end(),
                     [list](const DocumentDelta::List& l) { return l.list == list; });
}

void ChangeRecorder::rowTouched(ReportList& list, int row, const ListRow& value) {
  if (wholeList(&list)) return;
  for (const DocumentDelta::Row& r : before_.rows) {
    if (r.list == &list && r.row == row) return;
  }
  before_.rows.push_back({&list, row, value});
}

void ChangeRecorder::listReplaced(ReportList& list, const std::vector<ListRow>& rows) {
  if (wholeList(&list)) return;
  // Rows changed earlier in the same edit go back as they were first.
  DocumentDelta::List whole{&list, rows};
  auto& single = before_.rows;
  for (auto r = single.begin(); r != single.end();) {
    if (r->list != &list) {
      ++r;
      continue;
    }
    whole.rows.at(static_cast<size_t>(r->row)) = r->value;
    r = single.erase(r);
  }
  before_.lists.push_back(std::move(whole));
}

void ChangeRecorder::nodeTouched(int node, const TreeNode& value) {
  for (const DocumentDelta::Node& n : before_.nodes) {
    if (n.node == node) return;
  }
  before_.nodes.push_back({node, value});
}

DocumentChange ChangeRecorder::finish(const SkinTree& tree) const {
  DocumentChange change;
  for (const DocumentDelta::List& l : before_.lists) {
    std::vector<ListRow> now;
    now.reserve(static_cast<size_t>(l.list->rowCount()));
    for (int r = 0; r < l.list->rowCount(); ++r) now.push_back(l.list->row(r));
    if (now == l.rows) continue;
    change.before.lists.push_back(l);
    change.after.lists.push_back({l.list, std::move(now)});
  }
  for (const DocumentDelta::Row& r : before_.rows) {
    const ListRow& now = r.list->row(r.row);
    if (now == r.value) continue;
    change.before.rows.push_back(r);
    change.after.rows.push_back({r.list, r.row, now});
  }
  for (const DocumentDelta::Node& n : before_.nodes) {
    const TreeNode& now = tree.node(n.node);
    if (now == n.value) continue;
    change.before.nodes.push_back(n);
    change.after.nodes.push_back({n.node, now});
  }
  return change;
}

}  // namespace corvela
