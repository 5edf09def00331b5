#pragma once
// The document's undo stack. Every edit runs through SkinDocument::perform,
// which records what the edit changed and pushes it as one step; the step's
// redo makes the change, the first time as every other, and its undo puts
// the recorded rows and nodes back. Each says so through changed(), so
// views rebuild from the document instead of from what they showed.

#include <QUndoCommand>
#include <QUndoStack>
#include <functional>

#include "change_recorder.h"

namespace corvela {

class DocumentHistory : public QUndoStack {
  Q_OBJECT
 public:
  using QUndoStack::QUndoStack;

  // Every row value the steps keep of `list`, before and after, so that a
  // save can hold in them the images it is about to write over.
  void forEachKeptRow(const ReportList& list, const std::function<void(ListRow&)>& visit);

 signals:
  // A step was done, undone or redone: the document changed under the views.
  void changed();
};

// One step: the rows and nodes an edit changed, before and after. Steps with
// the same non-zero merge key that follow each other fold into one (the
// keystrokes typed into one box, the moves of one drag).
class DocumentStep : public QUndoCommand {
 public:
  DocumentStep(const QString& text, DocumentChange change, quint64 mergeKey, SkinTree& tree,
               DocumentHistory& history);

  void undo() override;
  void redo() override;
  int id() const override { return mergeKey_ == 0 ? -1 : 1; }
  bool mergeWith(const QUndoCommand* other) override;
  void forEachKeptRow(const ReportList& list, const std::function<void(ListRow&)>& visit);

 private:
  DocumentChange change_;
  quint64 mergeKey_;
  SkinTree& tree_;
  DocumentHistory& history_;
};

}  // namespace corvela
