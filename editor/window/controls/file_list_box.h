#pragma once

// The file names of one folder that match a pattern, one per line, like a
// classic file list box. Patterns are wildcards such as
// "*.JPG;*.GIF"; matching ignores case because skins come from FAT media
// where "vodafone.dat" and "VODAFONE.DAT" are the same file.

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace corvela {

class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // Several wildcards separated by ';'. Re-lists the current folder.
  void setPattern(const QString& pattern);
  QString pattern() const { return pattern_; }

  // Lists the matching files of folder (names only, sorted without regard to
  // case) and leaves nothing selected.
  void setPath(const QString& folder);
  QString path() const { return path_; }

  // Reads the folder again; the selection is dropped.
  void refresh();

  // -1 when nothing is selected.
  int listIndex() const;
  // Selects entry index, or nothing for -1; other values are ignored.
  // Selecting a different entry emits fileClicked() just like a click does,
  // because callers load the file from that notification.
  void setListIndex(int index);

  // The name of entry i, empty when out of range.
  QString fileName(int i) const;

  bool matches(const QString& name) const;

 signals:
  // The user clicked an entry or moved the selection with the keyboard, or
  // setListIndex() selected another entry.
  void fileClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString pattern_;
  QString path_;
};

}  // namespace corvela
