#include "file_list_box.h"

#include "folder_files.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>

namespace corvela {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent), pattern_(QStringLiteral("*")) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  // A ctrl-click can deselect in single selection mode; there is no file to
  // load then, so no notification either.
  connect(this, &QListWidget::itemClicked, this, [this] {
    if (listIndex() >= 0) emit fileClicked();
  });
}

void FileListBox::setPattern(const QString& pattern) {
  pattern_ = pattern;
  refresh();
}

void FileListBox::setPath(const QString& folder) {
  path_ = folder;
  refresh();
}

bool FileListBox::matches(const QString& name) const {
  return matchesPattern(name, pattern_);
}

void FileListBox::refresh() {
  clear();
  addItems(matchingFiles(path_, pattern_));
  setCurrentRow(-1);
  clearSelection();
}

int FileListBox::listIndex() const {
  const QModelIndexList rows = selectionModel()->selectedIndexes();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void FileListBox::setListIndex(int index) {
  if (index == -1) {
    setCurrentRow(-1);
    clearSelection();
    return;
  }
  if (index < 0 || index >= count() || index == listIndex()) return;
  setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  scrollToItem(item(index));
  emit fileClicked();
}

QString FileListBox::fileName(int i) const {
  const QListWidgetItem* entry = item(i);
  return entry ? entry->text() : QString();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
  const int before = listIndex();
  QListWidget::keyPressEvent(event);
  const int after = listIndex();
  if (after >= 0 && after != before) emit fileClicked();
}

}  // namespace corvela
