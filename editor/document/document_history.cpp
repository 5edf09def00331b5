#include "document_history.h"

namespace corvela {

DocumentStep::DocumentStep(const QString& text, DocumentChange change, quint64 mergeKey,
                           SkinTree& tree, DocumentHistory& history)
    : QUndoCommand(text),
      change_(std::move(change)),
      mergeKey_(mergeKey),
      tree_(tree),
      history_(history) {}

void DocumentStep::undo() {
  change_.before.apply(tree_);
  emit history_.changed();
}

void DocumentStep::redo() {
  change_.after.apply(tree_);
  emit history_.changed();
}

void DocumentStep::forEachKeptRow(const ReportList& list,
                                  const std::function<void(ListRow&)>& visit) {
  for (DocumentDelta* delta : {&change_.before, &change_.after}) {
    for (DocumentDelta::List& l : delta->lists) {
      if (l.list != &list) continue;
      for (ListRow& row : l.rows) visit(row);
    }
    for (DocumentDelta::Row& r : delta->rows) {
      if (r.list == &list) visit(r.value);
    }
  }
}

void DocumentHistory::forEachKeptRow(const ReportList& list,
                                     const std::function<void(ListRow&)>& visit) {
  for (int i = 0; i < count(); ++i) {
    // Every step on this stack is a DocumentStep, pushed by perform(); the
    // stack hands its own steps out as const only.
    auto* step = static_cast<DocumentStep*>(const_cast<QUndoCommand*>(command(i)));
    step->forEachKeptRow(list, visit);
  }
}

bool DocumentStep::mergeWith(const QUndoCommand* other) {
  const auto* later = static_cast<const DocumentStep*>(other);
  if (later->mergeKey_ != mergeKey_) return false;
  return change_.absorb(later->change_);
}

}  // namespace corvela
