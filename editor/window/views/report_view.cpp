#include "report_view.h"

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>
#include <map>

#include "document_names.h"
#include "icon_pictures.h"
#include "object_row.h"
#include "record_rows.h"
#include "row_look.h"
#include "standby_records.h"

namespace corvela {

namespace {

constexpr int kTwipsPerPixel = 15;
// Wide enough for the longest record name, "Quadrante dell'orologio analogico".
constexpr int kNameColumnWidth = 200;
constexpr QSize kStateIconSize(16, 16);

Qt::Alignment alignmentOf(Align a) {
  switch (a) {
    case Align::Centre:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// Sorts as the list compares, and hides the rows whose id and name both
// lack the filter's text.
class RowFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  void setText(const QString& text) {
    text_ = text.trimmed();
    invalidateRowsFilter();
  }

 protected:
  // Sizes by their numbers, width first: as text "100 × 11" came before
  // "11 × 5".
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
    auto* model = static_cast<const ReportListModel*>(sourceModel());
    if (left.column() != model->sizeColumn()) {
      return QSortFilterProxyModel::lessThan(left, right);
    }
    const QSize a = left.data(ReportListModel::SizeRole).toSize();
    const QSize b = right.data(ReportListModel::SizeRole).toSize();
    if (a.isValid() != b.isValid()) return a.isValid();  // the unknown last
    return std::pair(a.width(), a.height()) < std::pair(b.width(), b.height());
  }

  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    if (text_.isEmpty()) return true;
    auto* model = static_cast<const ReportListModel*>(sourceModel());
    for (const int column : {0, model->nameColumn()}) {
      const QString shown = model->index(row, column, parent).data().toString();
      if (shown.contains(text_, Qt::CaseInsensitive)) return true;
    }
    return false;
  }

 private:
  QString text_;
};

}  // namespace

ReportListModel::ReportListModel(const ReportList& list, const ObjectFacts* facts, QObject* parent)
    : QAbstractTableModel(parent), list_(list), facts_(facts), shownRows_(list.rowCount()) {
  connect(&list_, &ReportList::listReset, this, [this] {
    beginResetModel();
    // The pictures of the skin read before are of no more use.
    images_.clear();
    thumbnails_.clear();
    shownRows_ = list_.rowCount();
    endResetModel();
  });
  connect(&list_, &ReportList::rowsAppended, this, [this](int first, int last) {
    // The list has already grown; announce exactly the rows not shown yet.
    first = std::max(first, shownRows_);
    if (last < first) return;
    beginInsertRows({}, first, last);
    shownRows_ = last + 1;
    endInsertRows();
  });
  connect(&list_, &ReportList::rowChanged, this, [this](int row) {
    if (row < 0 || row >= shownRows_) return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  });
}

int ReportListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int ReportListModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return sizeColumn() >= 0 ? sizeColumn() + 1 : nameColumn() + 1;
}

int ReportListModel::sizeColumn() const {
  return list_.name() == kListObjects ? nameColumn() + 1 : -1;
}

std::optional<QImage> ReportListModel::objectImage(int row) const {
  const QString path = facts_ ? facts_->shownPath(list_, row) : ownFile(list_.row(row));
  return images_.loadObject(list_.row(row), path);
}

QPixmap ReportListModel::thumbnail(const QImage& image) const {
  const auto found = thumbnails_.constFind(image.cacheKey());
  if (found != thumbnails_.cend()) return *found;
  // Every picture the same size, so the rows line up; a larger image is
  // made smaller, pixels kept square, and a small one is shown as it is.
  QPixmap canvas(ThumbnailSize);
  canvas.fill(Qt::transparent);
  QImage fitted = image;
  if (image.width() > ThumbnailSize.width() || image.height() > ThumbnailSize.height())
    fitted = image.scaled(ThumbnailSize, Qt::KeepAspectRatio, Qt::FastTransformation);
  QPainter painter(&canvas);
  painter.drawImage((ThumbnailSize.width() - fitted.width()) / 2,
                    (ThumbnailSize.height() - fitted.height()) / 2, fitted);
  painter.end();
  thumbnails_.insert(image.cacheKey(), canvas);
  return canvas;
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= shownRows_) return {};
  const ListRow& row = list_.row(index.row());
  const Look look = rowLook(list_, index.row(), facts_);
  const int column = index.column();
  if (column == nameColumn()) {
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
      return standby::rowName(list_, index.row());
    if (role == Qt::ForegroundRole) return lookData(look, role);
    if (role == Qt::DecorationRole && sizeColumn() >= 0) {
      const std::optional<QImage> image = objectImage(index.row());
      return image ? QVariant(thumbnail(*image)) : QVariant();
    }
    return {};
  }
  if (column == sizeColumn()) {
    if (role == Qt::ForegroundRole) return lookData(look, role);
    if (role == SizeRole) {
      const std::optional<QImage> image = objectImage(index.row());
      return image ? QVariant(image->size()) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const std::optional<QImage> image = objectImage(index.row());
    // Width first, as sizes are written everywhere else.
    return image ? QStringLiteral("%1 × %2").arg(image->width()).arg(image->height()) : QString();
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return shownCell(list_, index.row(), column, facts_);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          alignmentOf(listColumns(list_).at(static_cast<size_t>(column)).align));
    case Qt::ForegroundRole:
    case Qt::FontRole:
      return lookData(look, role);
    case Qt::DecorationRole: {
      if (column != 0) return {};
      const QVariant icon = lookData(look, role);
      // The object list's rows are as high as its pictures; the state icon
      // keeps its own size instead of stretching to theirs.
      if (sizeColumn() >= 0 && icon.canConvert<QIcon>())
        return QIcon(icon.value<QIcon>().pixmap(kStateIconSize));
      return icon;
    }
    case TagRole:
      return rowTag(row);
    case IconNumberRole:
      return look.icon;
    default:
      return {};
  }
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && section == nameColumn() && role == Qt::DisplayRole)
    return standby::kNameHeader;
  if (orientation == Qt::Horizontal && section == sizeColumn() && role == Qt::DisplayRole)
    return QStringLiteral("Dimensioni");
  if (orientation != Qt::Horizontal || section < 0 || section >= list_.columnCount()) return {};
  const ListColumn& c = listColumns(list_).at(static_cast<size_t>(section));
  if (role == Qt::DisplayRole) return c.header;
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(alignmentOf(c.align));
  return {};
}

ReportView::ReportView(const ReportList& list, const ObjectFacts* facts, QWidget* parent)
    : QTreeView(parent),
      model_(new ReportListModel(list, facts, this)),
      proxy_(new RowFilter(this)) {
  proxy_->setSourceModel(model_);
  proxy_->setDynamicSortFilter(true);
  // Plain text order, as the list compares: "100" comes before "20".
  proxy_->setSortCaseSensitivity(Qt::CaseSensitive);
  proxy_->setSortLocaleAware(false);
  setModel(proxy_);

  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setIconSize(kStateIconSize);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  QHeaderView* h = header();
  h->setStretchLastSection(false);
  h->setSectionsMovable(false);
  h->setSectionsClickable(true);
  h->setSortIndicatorShown(false);
  h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(h, &QHeaderView::sectionClicked, this, &ReportView::columnClicked);
  connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    const int row = listRow(index);
    if (row >= 0) emit rowClicked(row);
  });
  applyColumns();
  connect(proxy_, &QAbstractItemModel::modelReset, this, [this] { hiddenPick_ = -1; });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (selectionModel()->hasSelection()) hiddenPick_ = -1;
  });
}

void ReportView::setFilterText(const QString& text) {
  const int picked = selectedListRow();
  static_cast<RowFilter*>(proxy_)->setText(text);
  if (picked < 0) return;
  if (viewIndex(picked).isValid()) {
    hiddenPick_ = -1;
    if (!selectionModel()->hasSelection()) selectListRow(picked);
  } else {
    // The view moved its cursor to a neighbour the user never picked.
    selectionModel()->clearSelection();
    hiddenPick_ = picked;
  }
}

QWidget* filteredList(ReportView* view) {
  auto* box = new QLineEdit;
  box->setObjectName(QStringLiteral("txtFiltra"));
  box->setAccessibleName(QStringLiteral("Filtra"));
  box->setPlaceholderText(QStringLiteral("Filtra"));
  QObject::connect(box, &QLineEdit::textChanged, view, [box, view](const QString& text) {
    // The clear button's picture comes from the icon theme, a search that
    // the window's first frame need not wait for.
    box->setClearButtonEnabled(true);
    view->setFilterText(text);
  });
  QObject::connect(view, &ReportView::filterCleared, box, &QLineEdit::clear);
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);
  layout->addWidget(view, 1);
  return column;
}

void ReportView::applyColumns() {
  const auto& columns = listColumns(list());
  for (size_t i = 0; i < columns.size(); ++i) {
    const int c = static_cast<int>(i);
    const int width = (columns[i].widthTwips + kTwipsPerPixel / 2) / kTwipsPerPixel;
    setColumnHidden(c, width == 0);
    if (width > 0) setColumnWidth(c, width);
  }
  setColumnWidth(model_->nameColumn(), kNameColumnWidth);
  // Shown beside the id it names; the list's own columns keep their numbers.
  header()->moveSection(header()->visualIndex(model_->nameColumn()), 1);
  if (const int size = model_->sizeColumn(); size >= 0) {
    header()->moveSection(header()->visualIndex(size), 2);
    setIconSize(ReportListModel::ThumbnailSize);
    setColumnWidth(model_->nameColumn(), kNameColumnWidth + ReportListModel::ThumbnailSize.width());
  }
}

void ReportView::updateGeometries() {
  geometriesDue_ = !isVisible();
  if (!geometriesDue_) QTreeView::updateGeometries();
}

void ReportView::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  if (geometriesDue_) updateGeometries();
}

void ReportView::sortByListColumn(int column) {
  if (column < 0 || column >= model_->columnCount()) return;
  proxy_->sort(column, Qt::AscendingOrder);
  // The header shows which column orders the rows; it always sorts upwards,
  // so the indicator does not flip on a second click.
  header()->setSortIndicatorShown(true);
  header()->setSortIndicator(column, Qt::AscendingOrder);
}

int ReportView::sortColumn() const {
  return proxy_->sortColumn();
}

int ReportView::listRow(const QModelIndex& index) const {
  if (!index.isValid()) return -1;
  const QModelIndex source = proxy_->mapToSource(index);
  return source.isValid() ? source.row() : -1;
}

QModelIndex ReportView::viewIndex(int row, int column) const {
  if (row < 0 || row >= model_->rowCount()) return {};
  return proxy_->mapFromSource(model_->index(row, column));
}

int ReportView::selectedListRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? hiddenPick_ : listRow(rows.constFirst());
}

void ReportView::selectListRow(int row) {
  const QModelIndex index = viewIndex(row);
  if (!index.isValid()) return;
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

void ReportView::revealListRow(int row) {
  if (row >= 0 && row < list().rowCount() && !viewIndex(row).isValid()) emit filterCleared();
  selectListRow(row);
}

int ReportView::listRowAt(int visualPosition) const {
  return listRow(proxy_->index(visualPosition, 0));
}

void ReportView::keyPressEvent(QKeyEvent* event) {
  // Moving onto a row with the keys picks it just as a click does.
  keyboardMove_ = true;
  QTreeView::keyPressEvent(event);
  keyboardMove_ = false;
}

void ReportView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (keyboardMove_ && current.isValid() && current.row() != previous.row()) {
    const int row = listRow(current);
    if (row >= 0) emit rowClicked(row);
  }
}

}  // namespace corvela
