#pragma once
#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <QTreeView>

#include "image_cache.h"
#include "object_facts.h"
#include "report_list.h"

class QSortFilterProxyModel;

namespace corvela {

// Shows one of the document's report lists as it stands and follows its
// signals, so any editor that writes into the list is seen at once.
class ReportListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int TagRole = Qt::UserRole + 1;
  static constexpr int IconNumberRole = Qt::UserRole + 2;
  // The size column's image size, a QSize, by which it sorts.
  static constexpr int SizeRole = Qt::UserRole + 3;

  // `facts`, for the object list, colour the rows the last save packed and
  // mark those the export could not reach.
  explicit ReportListModel(const ReportList& list, const ObjectFacts* facts = nullptr,
                           QObject* parent = nullptr);

  const ReportList& list() const { return list_; }
  // After the list's own columns: what each known record is ("Nome").
  int nameColumn() const { return list_.columnCount(); }
  // After it, in the object list only: the image's "Dimensioni"; -1 elsewhere.
  int sizeColumn() const;
  // The small picture of an object beside its name.
  static constexpr QSize ThumbnailSize{40, 20};

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  // The object's image in the working folder, decoded the first time a view
  // asks for its row, so nothing is decoded before a row is painted.
  std::optional<QImage> objectImage(int row) const;
  QPixmap thumbnail(const QImage& image) const;

  const ReportList& list_;
  const ObjectFacts* facts_;
  int shownRows_ = 0;  // rows announced to the views so far
  mutable ImageCache images_;
  mutable QHash<qint64, QPixmap> thumbnails_;  // by the decoded image's cacheKey
};

// A list in report style: one line per row, column widths and alignments of
// the list's columns, a hidden column where a column has width 0.
// A mouse click or a keyboard move onto a row reports the row in the
// list's own order; a click on a column header reports the column. The rows
// are shown in list order until sortByListColumn() orders them.
class ReportView : public QTreeView {
  Q_OBJECT
 public:
  explicit ReportView(const ReportList& list, const ObjectFacts* facts = nullptr,
                      QWidget* parent = nullptr);

  const ReportList& list() const { return model_->list(); }
  ReportListModel* listModel() const { return model_; }
  QSortFilterProxyModel* sortModel() const { return proxy_; }

  // Ascending textual order of `column`'s cells ("100" before "20").
  void sortByListColumn(int column);
  // -1 while the rows are shown in list order.
  int sortColumn() const;

  // Row of the list shown at `index` of this view, -1 for none.
  int listRow(const QModelIndex& index) const;
  // The view's index of a list row.
  QModelIndex viewIndex(int listRow, int column = 0) const;
  // The selected list row, -1 when none.
  int selectedListRow() const;
  void selectListRow(int listRow);
  // Selects a row shown from elsewhere (the preview, a problem): a filter
  // that hides it is cleared, since what the user acts on must be in sight.
  void revealListRow(int listRow);
  // The list row shown at a visual position (0 at the top).
  int listRowAt(int visualPosition) const;

  // Shows only the rows whose id or name holds `text`, case ignored. The
  // picked row stays picked while hidden, so what acts on it still does.
  void setFilterText(const QString& text);

 signals:
  void rowClicked(int listRow);
  // The filter box above the view is to be emptied.
  void filterCleared();
  void columnClicked(int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // A list on a tab not shown lays out its rows, and decodes the pictures
  // they measure by, only once it is shown.
  void updateGeometries() override;
  void showEvent(QShowEvent* event) override;

 private:
  void applyColumns();

  ReportListModel* model_;
  QSortFilterProxyModel* proxy_;
  bool keyboardMove_ = false;
  int hiddenPick_ = -1;  // the picked row while the filter hides it
  bool geometriesDue_ = false;
};

// `view` under its filter box ("Filtra"), to lay out where the view goes.
QWidget* filteredList(ReportView* view);

}  // namespace corvela
