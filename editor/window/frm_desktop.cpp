#include "frm_desktop.h"

#include <ferzola/LineSeparator.h>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QToolBar>
#include <QToolButton>

#include "desktop_surface.h"
#include "document_names.h"
#include "file_list_box.h"
#include "gif_page_view.h"
#include "icon_pictures.h"
#include "object_viewer.h"
#include "path_helpers.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "report_view.h"
#include "skin_saver.h"
#include "text_number.h"
#include "tree_view.h"

namespace corvela {

namespace {

const QString kAskForSkin = QStringLiteral("Aprire un file Skin (*.ski)...");
const QString kExitQuestion = QStringLiteral("Confermi l'uscita da Corvela ?");

// Platform error numbers shown for an object image that cannot be shown.
constexpr int kErrFileAccess = 75;
constexpr int kErrInvalidPicture = 481;

int colourComponent(const QString& cell) {
  return static_cast<int>(std::clamp<std::int64_t>(roundToInteger(leadingNumber(cell)), 0, 255));
}

int coordinate(const QString& cell) {
  // Far outside any screen, yet no overflow when the drawing adds a pixel.
  return static_cast<int>(std::clamp<std::int64_t>(numericValue(cell), -100000, 100000));
}

Dialogs::Icon iconForTitle(const QString& title) {
  if (title == kTitleError) return Dialogs::Icon::Critical;
  if (title == kTitleWarning) return Dialogs::Icon::Exclamation;
  if (title == kTitleInfo) return Dialogs::Icon::Information;
  if (title == kTitleQuestion) return Dialogs::Icon::Question;
  return Dialogs::Icon::None;
}

}  // namespace

QString windowTitleFor(int major, int minor, int revision) {
  return QStringLiteral("Corvela Ver. %1.%2 (buid: %3) by Tavrin")
      .arg(major)
      .arg(minor)
      .arg(revision, 3, 10, QLatin1Char('0'));
}

frmDesktop::frmDesktop(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>(this);
  setObjectName(QStringLiteral("frmDesktop"));
  setWindowIcon(applicationIcon());

  buildToolBar();
  SB0 = new QStatusBar(this);
  SB0->setObjectName(QStringLiteral("SB0"));
  SB0->setSizeGripEnabled(true);
  // One text field that every feature overwrites; a permanent label, so
  // that no hover or tool tip can wipe it.
  statusField_ = new QLabel(SB0);
  statusField_->setObjectName(QStringLiteral("SB0Text"));
  statusField_->setAccessibleName(QStringLiteral("SB0"));
  statusField_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  SB0->addWidget(statusField_, 1);
  setStatusBar(SB0);
  buildTabs();
  connectHandlers();
  TB0->installEventFilter(this);

  // Fits a 1366 x 768 screen with its title bar and a task bar; a smaller
  // screen (or a large scale factor) gets a window no larger than itself and
  // the tabs scroll. The offscreen platform's screen is a stand-in and is
  // not a reason to shrink.
  QSize size(1280, 680);
  if (screen() && QGuiApplication::platformName() != QLatin1StringView("offscreen")) {
    size = size.boundedTo(screen()->availableGeometry().size() - QSize(0, 40));
  }
  resize(size);

  // Start-up.
  setWindowTitle(
      windowTitleFor(CORVELA_VERSION_MAJOR, CORVELA_VERSION_MINOR, CORVELA_VERSION_PATCH));
  SSTab1->setCurrentIndex(TabPreview);
  InitSystem();
  setStatusText(kAskForSkin);
}

frmDesktop::~frmDesktop() {
  // The views read the document until they are gone, and the document, a
  // member, goes before the window's child widgets would: the tabs go first.
  delete takeCentralWidget();
}

void frmDesktop::connectHandlers() {
  connect(TB0, &QToolBar::actionTriggered, this, &frmDesktop::TB0_ButtonClick);
  connect(SSTab1, &QTabWidget::currentChanged, this, &frmDesktop::SSTab1_Click);
  connect(T_Strutt, &SkinTreeView::nodeClicked, this, &frmDesktop::T_Strutt_NodeClick);
  connect(L_Values, &ReportView::rowClicked, this, &frmDesktop::L_Values_ItemClick);
  connect(L_Values, &ReportView::columnClicked, this, &frmDesktop::L_Values_ColumnClick);
  connect(L_RGBA, &ReportView::rowClicked, this, &frmDesktop::L_RGBA_ItemClick);
  connect(L_Dim, &ReportView::rowClicked, this, &frmDesktop::L_Dim_ItemClick);
}

// ---- helpers ---------------------------------------------------------------

QLineEdit* frmDesktop::txt(int index) const {
  if (index >= 0 && index < static_cast<int>(tabPreview->txt.size())) {
    return tabPreview->txt[static_cast<size_t>(index)];
  }
  return index == 50 ? txt50 : nullptr;
}

QString frmDesktop::statusText() const {
  return statusField_->text();
}

void frmDesktop::setStatusText(const QString& text) {
  statusField_->setText(text);
}

void frmDesktop::setDialogs(std::unique_ptr<Dialogs> dialogs) {
  if (dialogs) dialogs_ = std::move(dialogs);
}

QAction* frmDesktop::toolButton(const QString& key) const {
  for (QAction* a : TB0->actions()) {
    if (a->data().toString() == key) return a;
  }
  return nullptr;
}

QToolButton* frmDesktop::toolButtonWidget(const QString& key) const {
  QAction* a = toolButton(key);
  return a ? qobject_cast<QToolButton*>(TB0->widgetForAction(a)) : nullptr;
}

void frmDesktop::setAllTabsEnabled(bool enabled) {
  // A tab bar moves away from a current tab that gets disabled, so the shown
  // tab is switched off last, when there is nowhere left to move to.
  const int shown = SSTab1->currentIndex();
  for (int i = SSTab1->count() - 1; i >= 0; --i) {
    if (i != shown) SSTab1->setTabEnabled(i, enabled);
  }
  if (shown >= 0) SSTab1->setTabEnabled(shown, enabled);
}

// ---- window events -----------------------------------------------------------

void frmDesktop::closeEvent(QCloseEvent* event) {
  if (askBeforeClosing_ && dialogs_->message(kTitleQuestion, kExitQuestion, Dialogs::Icon::Question,
                                             Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
    event->ignore();
    return;
  }
  event->accept();
}

void frmDesktop::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  placeSeparator();
}

void frmDesktop::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeSeparator();
}

bool frmDesktop::eventFilter(QObject* watched, QEvent* event) {
  if (watched == TB0 && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    placeSeparator();
  }
  return QMainWindow::eventFilter(watched, event);
}

// Keeps the separator right under the tool bar and across the whole window.
void frmDesktop::placeSeparator() {
  if (!LineSeparator1) return;
  const int topPixels = TB0->isVisibleTo(this) ? TB0->geometry().bottom() + 1 : 0;
  const int top = std::max(0, qRound(topPixels * LineSeparator1->twipsPerPixelY()));
  const int width = qRound(this->width() * LineSeparator1->twipsPerPixelX());
  LineSeparator1->setTwipsGeometry(0, top, width, 45);
  LineSeparator1->raise();
}

// ---- tool bar and tabs -------------------------------------------------------

void frmDesktop::TB0_ButtonClick(QAction* button) {
  // A disabled button cannot be pressed.
  if (!button || !button->isEnabled()) return;
  const QString key = button->data().toString();
  if (key == QLatin1StringView("LOAD")) {
    OpenSkin();
  } else if (key == QLatin1StringView("SAVE")) {
    SalvaSkin();
  } else if (key == QLatin1StringView("CLOSE")) {
    close();
  }
}

void frmDesktop::SSTab1_Click(int tab) {
  // A skin is opened from the preview tab only.
  btnLoad->setEnabled(tab == TabPreview);
  switch (tab) {
    case TabPreview:
      if (!doc.P_sTheme.isEmpty()) {
        setStatusText(QStringLiteral("Skin: ") + QDir::toNativeSeparators(doc.skinFile()));
      }
      break;
    case TabObjects:
      setStatusText(
          doc.L_Values.rowCount() > 0
              ? QStringLiteral("N° oggetti definiti in elenco: %1").arg(doc.L_Values.rowCount())
              : QStringLiteral("Nessun oggetto definito in elenco."));
      break;
    case TabColours:
      setStatusText(
          doc.L_RGBA.rowCount() > 0
              ? QStringLiteral("N° colori definiti in elenco: %1").arg(doc.L_RGBA.rowCount())
              : QStringLiteral("Nessun colore definito in elenco."));
      break;
    case TabStructure:
      setStatusText(QString());
      break;
    default:
      break;
  }
}

// ---- start-up and reset ------------------------------------------------------

void frmDesktop::InitSystem() {
  setAllTabsEnabled(false);

  PreviewTab& p = *tabPreview;
  DesktopSurface& desk = *p.PicDesktop;
  desk.lblData->setText(QDate::currentDate().toString(QStringLiteral("d/M/yyyy")));
  desk.lblOra->setText(QTime::currentTime().toString(QStringLiteral("hh:mm")));

  for (int i = 0; i <= 50; ++i) txt(i)->setEnabled(false);
  p.txtMin->setEnabled(false);
  p.txtOra->setEnabled(false);

  for (QCheckBox* c : p.optPos) c->setEnabled(false);
  for (QRadioButton* o : p.optTime) o->setEnabled(false);

  p.FileDesktop->hide();

  for (QWidget* w : {static_cast<QWidget*>(p.txtOffSet), static_cast<QWidget*>(p.cmdMoveUp),
                     static_cast<QWidget*>(p.cmdMoveDown), static_cast<QWidget*>(p.cmdMoveRight),
                     static_cast<QWidget*>(p.cmdMoveLeft), static_cast<QWidget*>(p.cmdUpdate),
                     static_cast<QWidget*>(cmdImport), static_cast<QWidget*>(cmdDefault)}) {
    w->setEnabled(false);
  }
  chkDim->setEnabled(false);
  chkDim->setChecked(true);
  chkConferma->setEnabled(false);
  chkConferma->setChecked(true);

  NoGIF();
}

void frmDesktop::clearReferences() {
  P_tNodeMin = P_tNodeOra = P_tNodeBackColor = 0;
  for (int* row :
       {&P_tItemOperatore, &P_tItemData, &P_tItemLineMin, &P_tItemLineOra, &P_tPosOperatore,
        &P_tPosData, &P_tPosSmartUp, &P_tPosSmartDown, &P_tPosSmartLeft, &P_tPosSmartRight,
        &P_tPosSmartUpPress, &P_tPosSmartDownPress, &P_tPosSmartLeftPress, &P_tPosSmartRightPress,
        &P_tPosDigitale, &P_tPosAnalogico}) {
    *row = -1;
  }
}

void frmDesktop::resetPreview() {
  DesktopSurface& desk = *tabPreview->PicDesktop;
  desk.clearPicture();
  desk.lblOperatore->hide();
  desk.lblData->hide();
  desk.lblOra->hide();
  desk.LineOra->hide();
  desk.LineMin->hide();
  tabPreview->optTime[0]->setChecked(true);

  // What the lists' clicks showed belongs to the skin being closed.
  PicPreview->clearPicture();
  lInfo->setText(QStringLiteral("..."));
  PicOBJ->clearDrawing();
}

void frmDesktop::resetEditors() {
  PreviewTab& p = *tabPreview;
  for (int i = 0; i <= 50; ++i) {
    txt(i)->setEnabled(false);
    txt(i)->clear();
  }
  for (QCheckBox* c : p.optPos) c->setEnabled(false);
  for (QWidget* w : {static_cast<QWidget*>(p.PicBGColor1), static_cast<QWidget*>(p.PicMin),
                     static_cast<QWidget*>(p.PicOre), static_cast<QWidget*>(p.txtMin),
                     static_cast<QWidget*>(p.txtOra)}) {
    w->setEnabled(false);
  }
  for (QWidget* w : {static_cast<QWidget*>(p.txtOffSet), static_cast<QWidget*>(p.cmdMoveUp),
                     static_cast<QWidget*>(p.cmdMoveDown), static_cast<QWidget*>(p.cmdMoveRight),
                     static_cast<QWidget*>(p.cmdMoveLeft), static_cast<QWidget*>(p.cmdUpdate)}) {
    w->setEnabled(true);
  }
}

// ---- open and save -----------------------------------------------------------

void frmDesktop::OpenSkin() {
  const std::optional<QString> file =
      dialogs_->openFile(QStringLiteral("Seleziona file .SKI..."),
                         toQtFilter(QStringLiteral("Skin file (*.ski)|*.ski")), QString());
  if (!file || file->isEmpty()) return;
  openSkinFile(*file);
}

void frmDesktop::openSkinFile(const QString& file) {
  // Whatever was open is gone from here on; nothing may be saved until the
  // new skin has loaded completely.
  btnSave->setEnabled(false);
  doc.P_SkinVodafone = false;
  InitSystem();
  clearReferences();
  resetPreview();
  resetEditors();
  setStatusText(QStringLiteral("Skin: ") +
                QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));

  const LoadOutcome outcome = doc.load(file);
  // An interrupted save put right, a working folder not used, a carriage
  // return that cut the file short: each could otherwise go unnoticed.
  for (const QString& warning : outcome.warnings) dialogs_->warning(warning);

  if (!doc.P_sPath.isEmpty()) {
    FileDat->setPath(doc.P_sPath);
    tabPreview->FileDesktop->setPath(doc.P_sPath);
  }
  T_Strutt->expand(T_Strutt->treeModel()->indexOfNode(1));

  if (outcome.status == LoadStatus::BadMagic) dialogs_->error(kBadFormatMessage);

  if (outcome.closingSteps()) {
    for (ReportView* list : {L_Values, L_RGBA, L_Dim}) {
      if (list->list().rowCount() == 0) continue;
      if (list == L_Values) list->sortByListColumn(V_ID);
      list->selectionModel()->clear();
    }
    doc.P_Load = true;
    setAllTabsEnabled(true);
    UpdateDesktop();
    doc.P_Load = false;
    if (outcome.nameWarning) dialogs_->warning(kOtherSkinMessage);
  } else {
    // The document keeps what was read before the load stopped; the user is
    // told so, since a partly shown skin looks like a whole one.
    dialogs_->error(QStringLiteral("Caricamento della skin interrotto: %1.").arg(outcome.reason));
  }
  btnSave->setEnabled(doc.canSave());
}

void frmDesktop::SalvaSkin() {
  // The document itself refuses a skin that may not be written, and says why.
  const SaveOutcome outcome = corvela::SalvaSkin(doc);
  dialogs_->message(outcome.title, outcome.message, iconForTitle(outcome.title),
                    Dialogs::Buttons::Ok);
}

void frmDesktop::UpdateDesktop() {
  // The rebuild of the phone preview from the document arrives with the
  // preview work; until then the preview keeps its start-up look.
}

// ---- object viewer -----------------------------------------------------------

void frmDesktop::AniGIF(GifPageView* view, PictureBox* /*Image*/, const QString& GifImage) {
  if (view) view->Navigate(aniGifPage(GifImage));
}

void frmDesktop::NoGIF() {
  WB->Navigate(noGifPage());
}

// ---- the tree and the lists as selection tools ---------------------------------

void frmDesktop::T_Strutt_NodeClick(int node) {
  if (node < 1 || node > doc.T_Strutt.nodeCount()) return;
  setStatusText(doc.T_Strutt.node(node).tag);
}

void frmDesktop::showObjectFailure(int number, const QString& description) {
  // Nothing of the failed image stays on show.
  PicPreview->clearPicture();
  lInfo->setText(QStringLiteral("..."));
  NoGIF();
  setStatusText(QStringLiteral("Errore n° %1, %2").arg(number).arg(description));
}

void frmDesktop::L_Values_ItemClick(int row) {
  if (row < 0 || row >= doc.L_Values.rowCount()) return;
  for (QWidget* w : {static_cast<QWidget*>(cmdImport), static_cast<QWidget*>(cmdDefault),
                     static_cast<QWidget*>(chkDim), static_cast<QWidget*>(chkConferma)}) {
    w->setEnabled(true);
  }
  const QString path = doc.L_Values.cell(row, V_PathGif).trimmed();
  if (!path.isEmpty() && FileExist(path)) {
    if (!QFileInfo(path).isReadable()) {
      showObjectFailure(kErrFileAccess, QStringLiteral("Errore di accesso al percorso/file"));
      return;
    }
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
      showObjectFailure(kErrInvalidPicture, QStringLiteral("Immagine non valida"));
      return;
    }
    const QPixmap picture = QPixmap::fromImage(image);
    PicPreview->setPicture(picture);
    lInfo->setText(QStringLiteral("(hxw) = %1x%2").arg(picture.height()).arg(picture.width()));
    AniGIF(WB, PicPreview, path);
  } else {
    PicPreview->clearPicture();
    lInfo->setText(QStringLiteral("..."));
    NoGIF();
  }
  setStatusText(QStringLiteral("Tag: ") + doc.L_Values.row(row).tag);
}

void frmDesktop::L_Values_ColumnClick(int column) {
  L_Values->sortByListColumn(column);
}

void frmDesktop::L_RGBA_ItemClick(int row) {
  const ReportList& list = doc.L_RGBA;
  if (row < 0 || row >= list.rowCount()) return;
  PicColor->setBackColor(QColor(colourComponent(list.cell(row, C_R)),
                                colourComponent(list.cell(row, C_G)),
                                colourComponent(list.cell(row, C_B))));
  // Showing the value is no edit of it.
  doc.P_Load = true;
  txt50->setText(QString::number(numericValue(list.cell(row, C_Trasparenza))));
  txt50->setEnabled(true);
  doc.P_Load = false;
  setStatusText(QStringLiteral("Indice: %1/%2").arg(row + 1).arg(list.rowCount()));
}

void frmDesktop::L_Dim_ItemClick(int row) {
  const ReportList& list = doc.L_Dim;
  if (row < 0 || row >= list.rowCount()) return;
  if (chkCls->isChecked()) PicOBJ->clearDrawing();
  const QPoint from(coordinate(list.cell(row, D_X1)), coordinate(list.cell(row, D_Y1)));
  const QPoint to(coordinate(list.cell(row, D_X2)), coordinate(list.cell(row, D_Y2)));
  PicOBJ->drawRect(QRect(from, to), QColor(0, 0, 255), QColor(0, 0, 0));
}

}  // namespace corvela
