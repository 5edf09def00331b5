#include "objects_tab.h"

#include <QAction>
#include <QDir>

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "batch_sources.h"
#include "default_set.h"
#include "document_names.h"
#include "frm_desktop.h"
#include "gif_page_view.h"
#include "image_decode.h"
#include "image_editor.h"
#include "object_archive.h"
#include "object_export.h"
#include "object_replace.h"
#include "path_helpers.h"
#include "picture_box.h"
#include "report_view.h"
#include "step_names.h"
#include "text_number.h"

namespace corvela {

namespace {

const QString kDefaultOneQuestion = QStringLiteral(
    "Confermi la sostituzione di questo oggetto con quello di default (marevia by Tavrin) ?");
const QString kDefaultAllQuestion = QStringLiteral(
    "Confermi la sostituzione di tutti gli oggetti con quelli di default (marevia by Tavrin) ?");
const QString kDefaultColoursReminder =
    QStringLiteral("N.B. Ricordati di caricare anche i colori di default.");

// The wait cursor for as long as a long action runs, whatever way it ends.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Platform error numbers shown for an object image that cannot be shown.
constexpr int kErrFileAccess = 75;
constexpr int kErrInvalidPicture = 481;

}  // namespace

ObjectsTab::ObjectsTab(frmDesktop& window)
    : QObject(&window), defaultFolder(findDefaultFolder()), w_(window) {
  connect(w_.cmdExportAll, &QPushButton::clicked, this, &ObjectsTab::cmdExportAll_Click);
  connect(w_.cmdImport, &QPushButton::clicked, this, &ObjectsTab::cmdImport_Click);
  connect(w_.cmdDefault, &QPushButton::clicked, this, &ObjectsTab::cmdDefault_Click);
  connect(w_.cmdDefaultAll, &QPushButton::clicked, this, &ObjectsTab::cmdDefaultAll_Click);
  connect(w_.cmdDir, &QPushButton::clicked, this, &ObjectsTab::cmdDir_Click);
  connect(w_.Command2, &QPushButton::clicked, this, &ObjectsTab::Command2_Click);
  connect(w_.L_Values, &ReportView::rowClicked, this, &ObjectsTab::L_Values_ItemClick);
  connect(w_.L_Values, &ReportView::columnClicked, this, &ObjectsTab::L_Values_ColumnClick);

  auto* edit = new QAction(QStringLiteral("Apri con editor di immagini"), w_.L_Values);
  edit->setObjectName(QStringLiteral("actEditImage"));
  connect(edit, &QAction::triggered, this, &ObjectsTab::editImage);
  w_.L_Values->addAction(edit);
  w_.L_Values->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ObjectsTab::showReplaced(int row) {
  L_Values_ItemClick(row);
  w_.UpdateDesktop();
  w_.L_Values->setFocus();
}

void ObjectsTab::cmdExportAll_Click() {
  ExportOutcome outcome;
  {
    const BusyCursor busy;
    const int count = w_.doc.L_Values.rowCount();
    QProgressDialog progress(QStringLiteral("Esportazione di %1 oggetti...").arg(count),
                             QStringLiteral("Annulla"), 0, count, &w_);
    progress.setObjectName(QStringLiteral("ExportProgress"));
    progress.setWindowTitle(kProgramName);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(progressDelay);
    outcome = exportAllObjects(
        w_.doc,
        [&](int row) {
          w_.L_Values->selectListRow(row);
          progress.setValue(row);
        },
        [&] { return progress.wasCanceled(); });
    progress.setValue(count);
  }
  if (!outcome.ok()) w_.dialogs().error(outcome.errorMessage());
  w_.UpdateDesktop();
}

void ObjectsTab::cmdImport_Click() {
  ReportView& view = *w_.L_Values;
  view.sortByListColumn(V_ID);
  const int row = view.selectedListRow();
  if (row < 0) return;
  view.scrollTo(view.viewIndex(row));

  const QString id = w_.doc.L_Values.cell(row, V_ID);
  const std::optional<QString> file = w_.dialogs().openFile(
      QStringLiteral("Importa GIF..."), toQtFilter(QStringLiteral("GIF Image (*.gif)|*.gif")),
      QString::number(numericValue(id)));
  if (!file || file->isEmpty()) return;

  ReplaceOutcome outcome;
  w_.doc.perform(stepName(QStringLiteral("importa"), id),
                 [&] { outcome = importObject(w_.doc, row, *file, w_.chkDim->isChecked()); });
  if (!outcome.image.isNull()) w_.PicImport->setPicture(QPixmap::fromImage(outcome.image));
  switch (outcome.status) {
    case ReplaceOutcome::Replaced:
      showReplaced(row);
      break;
    case ReplaceOutcome::SamePath:
      w_.dialogs().warning(kSamePathMessage);
      view.setFocus();
      break;
    case ReplaceOutcome::SizeMismatch:
      w_.dialogs().error(kSizeMismatchMessage + u'\n' + outcome.sizeMismatch());
      break;
    default:
      // A file that cannot be read or is no picture ends the import with no
      // box; the status bar says why.
      w_.setStatusText(outcome.message(*file));
      break;
  }
}

void ObjectsTab::cmdDefault_Click() {
  ReportView& view = *w_.L_Values;
  const int row = view.selectedListRow();
  if (row < 0) return;
  view.scrollTo(view.viewIndex(row));
  if (w_.chkConferma->isChecked() &&
      !w_.dialogs().question(QStringLiteral("Oggetto n° ") + w_.doc.L_Values.cell(row, V_ID) +
                             u'\r' + kDefaultOneQuestion)) {
    return;
  }
  ReplaceOutcome outcome;
  w_.doc.perform(stepName(QStringLiteral("Default"), w_.doc.L_Values.cell(row, V_ID)),
                 [&] { outcome = replaceByDefault(w_.doc, row, defaultFolder); });
  if (!outcome.replaced()) return;
  w_.PicImport->setPicture(QPixmap::fromImage(outcome.image));
  showReplaced(row);
}

void ObjectsTab::cmdDefaultAll_Click() {
  if (!w_.dialogs().question(kDefaultAllQuestion)) return;
  ReportView& view = *w_.L_Values;
  {
    const BusyCursor busy;
    w_.doc.perform(QStringLiteral("Skin di default"), [&] {
      replaceAllByDefault(w_.doc, defaultFolder, [&](int row) { view.selectListRow(row); });
    });
  }
  const int first = view.listRowAt(0);
  if (first >= 0) {
    // The object shown and the row picked are the same one again.
    view.selectListRow(first);
    L_Values_ItemClick(first);
  }
  w_.UpdateDesktop();
  w_.dialogs().information(kDefaultColoursReminder);
  view.setFocus();
}

void ObjectsTab::cmdDir_Click() {
  const QString folder =
      w_.dialogs().browseFolder(QStringLiteral("Seleziona directory di importazione:"));
  // Cancelling keeps the folder picked before.
  if (!folder.isEmpty()) importFolder = folder;
}

void ObjectsTab::Command2_Click() {
  QString folder = fixedTestFolder();
  if (folder.isEmpty() && QFileInfo(importFolder).isDir()) folder = importFolder;
  if (folder.isEmpty()) {
    w_.dialogs().error(
        QStringLiteral("La cartella delle immagini di prova %1 non esiste e non è stata scelta "
                       "un'altra cartella.\nScegline una con \"Directory...\".")
            .arg(kFixedTestFolder));
    return;
  }
  int found = 0;
  w_.doc.perform(QStringLiteral("oggetti mancanti"),
                 [&] { found = fillMissingObjects(w_.doc, folder); });
  w_.dialogs().information(QStringLiteral("Oggetti da sostituire n° %1").arg(found));
}

void ObjectsTab::showObjectFailure(int number, const QString& description) {
  // Nothing of the failed image stays on show.
  w_.PicPreview->clearPicture();
  w_.setInfoText(QStringLiteral("..."));
  w_.NoGIF();
  w_.setStatusText(QStringLiteral("Errore n° %1, %2").arg(number).arg(description));
}

void ObjectsTab::L_Values_ItemClick(int row) {
  if (row < 0 || row >= w_.doc.L_Values.rowCount()) return;
  for (QWidget* w : {static_cast<QWidget*>(w_.cmdImport), static_cast<QWidget*>(w_.cmdDefault),
                     static_cast<QWidget*>(w_.chkDim), static_cast<QWidget*>(w_.chkConferma)}) {
    w->setEnabled(true);
  }
  const QString path = w_.doc.L_Values.cell(row, V_PathGif).trimmed();
  if (!path.isEmpty() && FileExist(path)) {
    if (!QFileInfo(path).isReadable()) {
      showObjectFailure(kErrFileAccess, QStringLiteral("Errore di accesso al percorso/file"));
      return;
    }
    QString why;
    const std::optional<QImage> image = decodeImageFile(path, &why);
    if (!image) {
      showObjectFailure(kErrInvalidPicture, QStringLiteral("Immagine non valida (oggetto %1: %2)")
                                                .arg(w_.doc.L_Values.cell(row, V_ID), why));
      return;
    }
    const QPixmap picture = QPixmap::fromImage(*image);
    w_.PicPreview->setPicture(picture);
    QString info = QStringLiteral("(hxw) = %1x%2").arg(picture.height()).arg(picture.width());
    // A replacement is judged against the picture it replaces.
    if (w_.doc.L_Values.row(row).state == ObjectState::ToReplace) {
      if (const std::optional<QSize> original = originalImageSize(w_.doc, row))
        info += QStringLiteral(", originale %1x%2").arg(original->height()).arg(original->width());
    }
    w_.setInfoText(info);
    w_.AniGIF(w_.WB, w_.PicPreview, path);
  } else {
    w_.PicPreview->clearPicture();
    w_.setInfoText(QStringLiteral("..."));
    w_.NoGIF();
  }
  w_.setStatusText(QStringLiteral("Tag: ") + w_.doc.L_Values.row(row).tag);
}

void ObjectsTab::editImage() {
  const int row = w_.L_Values->selectedListRow();
  if (row < 0) return;
  // The working folder's copy, whatever "Path GIF" names: that is the file
  // the save packs from once it changed, and the one the folder's watch sees.
  const QString file = objectGifPath(w_.doc.P_sTarget, w_.doc.L_Values.cell(row, V_ID));
  const QString error = openInImageEditor(file);
  w_.setStatusText(
      error.isEmpty()
          ? QStringLiteral("Aperto nell'editor di immagini: %1").arg(QDir::toNativeSeparators(file))
          : error);
}

void ObjectsTab::L_Values_ColumnClick(int column) {
  w_.L_Values->sortByListColumn(column);
}

}  // namespace corvela
