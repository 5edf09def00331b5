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
  done_ = false;
  emit history_.changed();
  emit history_.restored();
}

void DocumentStep::redo() {
  // The push's own redo: the edit has just run and the views followed it.
  if (done_) return;
  change_.after.apply(tree_);
  done_ = true;
  emit history_.changed();
  emit history_.restored();
}

bool DocumentStep::mergeWith(const QUndoCommand* other) {
  const auto* later = static_cast<const DocumentStep*>(other);
  if (later->mergeKey_ != mergeKey_) return false;
  return change_.absorb(later->change_);
}

}  // namespace corvela
