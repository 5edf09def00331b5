#include "frm_desktop.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTime>

#include "colours_tab.h"
#include "compare_panel.h"
#include "document_names.h"
#include "folder_watch.h"
#include "icon_pictures.h"
#include "layout_controller.h"
#include "main_menu.h"
#include "objects_page.h"
#include "objects_tab.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "problems_panel.h"
#include "skin_lock.h"
#include "skin_preload.h"
#include "skin_saver.h"
#include "skin_share.h"
#include "tab_status.h"
#include "window_layout.h"

namespace corvela {

namespace {

const QString kAskForSkin = QStringLiteral("Aprire un file Skin (*.ski)...");
const QString kExitQuestion = QStringLiteral("Confermi l'uscita da Corvela ?");
const QString kSaveBeforeExit = QStringLiteral("Salvare le modifiche a %1 prima di uscire?");
const QString kSaveBeforeOpening =
    QStringLiteral("Salvare le modifiche a %1 prima di aprire un'altra skin?");

}  // namespace

frmDesktop::frmDesktop(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
  if (!dialogs_) dialogs_ = std::make_unique<QtDialogs>(this);
  setObjectName(QStringLiteral("frmDesktop"));
  setWindowIcon(applicationIcon());

  buildBars();
  buildTabs();
  preview = new PreviewController(*tabPreview, *this);
  layout = new LayoutController(*tabPreview, *preview, *this);
  pages->coloursBuilt = [this](ColoursPage& page) { layout->attachColours(page); };
  folderWatch = new FolderWatch(*tabPreview, doc, this);
  connectHandlers();
  menu = new MainMenu(*this);
  buildProblemsPanel();
  connectHistory();
  resize(initialWindowSize(*this));

  // Start-up.
  title_ = windowTitleFor(CORVELA_VERSION_MAJOR, CORVELA_VERSION_MINOR, CORVELA_VERSION_PATCH);
  showTitle();
  SSTab1->setCurrentIndex(TabPreview);
  InitSystem();
  setStatusText(kAskForSkin);
}

frmDesktop::~frmDesktop() {
  // The views read the document until they are gone, and the document, a
  // member, goes before the window's child widgets would: the panels and
  // the tabs go first.
  delete comparePanel;
  delete problemsPanel;
  delete takeCentralWidget();
  // The history says it is emptied while it goes, when the window's title
  // and buttons are already half gone: nothing of the window listens then.
  doc.history().disconnect(this);
}

// ---- window events -----------------------------------------------------------

void frmDesktop::closeEvent(QCloseEvent* event) {
  if (!mayClose()) {
    event->ignore();
    return;
  }
  if (remembersLayout_) saveWindowLayout(*this, *tabPreview->splPreview);
  event->accept();
}

bool frmDesktop::mayClose() {
  if (!askBeforeClosing_) return true;
  if (doc.isModified()) return settleUnsavedChanges(Leaving::Exit);
  return dialogs_->message(kTitleQuestion, kExitQuestion, Dialogs::Icon::Question,
                           Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes;
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
  } else if (key == QLatin1StringView("UNDO")) {
    doc.history().undo();
  } else if (key == QLatin1StringView("REDO")) {
    doc.history().redo();
  }
}

void frmDesktop::SSTab1_Click(int tab) {
  pages->build(tab);
  // A skin is opened from the preview tab only, by the button, the menu and
  // its shortcut alike.
  btnLoad->setEnabled(tab == TabPreview);
  menu->setOpenAllowed(tab == TabPreview);
  if (const std::optional<QString> text = tabStatus(doc, tab)) setStatusText(*text);
}

// ---- start-up and reset ------------------------------------------------------

void frmDesktop::InitSystem() {
  pages->setAllEnabled(false);
  preview->setDateTime(QDate::currentDate().toString(QStringLiteral("d/M/yyyy")),
                       QTime::currentTime().toString(QStringLiteral("hh:mm")));
  layout->disableEditors();
  pages->reset();
}

void frmDesktop::resetPreview() {
  preview->resetForOpen();
  // What the lists' clicks showed belongs to the skin being closed.
  pages->skinClosing();
}

// ---- open and save -----------------------------------------------------------

void frmDesktop::OpenSkin() {
  if (!settleUnsavedChanges(Leaving::OpenAnother)) return;
  const std::optional<QString> file = dialogs_->openFile(
      QStringLiteral("Seleziona file .SKI..."),
      toQtFilter(QStringLiteral("Skin file (*.ski)|*.ski|Skin condivisa (*.zip)|*.zip")),
      QString());
  if (!file || file->isEmpty()) return;
  openSkinFile(*file);
}

void frmDesktop::openSkinFile(const QString& chosen) {
  openSkinFile(chosen, nullptr);
}

void frmDesktop::openSkinFile(const QString& chosen, SkinPreload* preload) {
  // A shared skin is unpacked beside its .zip and opened from there; one
  // that is refused leaves the open skin as it was.
  QString file = chosen;
  if (isZipName(chosen)) {
    const ShareOutcome unpacked = unpackSkinZip(chosen);
    if (!unpacked.ok) {
      dialogs_->error(unpacked.message);
      return;
    }
    file = unpacked.target;
  }
  // Whatever was open is gone from here on; nothing may be saved until the
  // new skin has loaded completely.
  btnSave->setEnabled(false);
  menu->actSaveAs->setEnabled(false);
  doc.P_SkinVodafone = false;
  folderWatch->stop();
  InitSystem();
  resetPreview();
  layout->resetEditors();
  QStringList status = {QStringLiteral("Skin: ") +
                        QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())};
  setStatusText(status.first());

  const LoadOutcome outcome = preload && !preload->taken() && preload->file() == file
                                  ? preload->takeInto(doc)
                                  : doc.load(file);
  // An interrupted save put right, a working folder not used, a carriage
  // return that cut the file short: each could otherwise go unnoticed.
  for (const QString& warning : outcome.warnings) dialogs_->warning(warning);

  if (!doc.P_sPath.isEmpty()) dialogs_->setStartFolder(doc.P_sPath);
  preview->showSkinFolder();
  pages->treeLoaded();

  if (outcome.status == LoadStatus::BadMagic) dialogs_->error(kBadFormatMessage);

  outsideNote_ = outcome.outside.note();
  if (!outsideNote_.isEmpty()) status << outsideNote_;
  if (outcome.closingSteps()) {
    if (const QString note = ObjectsTab::extractMissingImages(doc); !note.isEmpty()) status << note;
    pages->listsLoaded();
    pages->setAllEnabled(true);
    layout->showOpenedSkin();
    if (outcome.nameWarning) dialogs_->warning(kOtherSkinMessage);
    // Said at once: otherwise the save is simply not there.
    if (doc.P_SkinVodafone && !doc.isOperatorFile()) dialogs_->warning(doc.saveRefusal());
    if (remembersSkins_) menu->rememberSkin(file);
  } else {
    // The document keeps what was read before the load stopped; the user is
    // told so, since a partly shown skin looks like a whole one.
    dialogs_->error(QStringLiteral("Caricamento della skin interrotto: %1.").arg(outcome.reason));
  }
  btnSave->setEnabled(doc.canSave());
  // Also the way to give a sibling of the skin (vodafone.copy.ski) a folder
  // of its own.
  menu->actSaveAs->setEnabled(doc.loadedCompletely() && doc.P_SkinVodafone);
  doc.history().clear();
  folderWatch->watchSkin(outcome.outside.seen);
  showTitle();
  setStatusText(status.join(QStringLiteral(" - ")));
  problemsPanel->skinOpened(outcome);
  if (comparePanel->isVisible()) comparePanel->refresh();
}

void frmDesktop::takeOutsideChanges(const std::vector<int>& rows, bool wallpaper) {
  const OutsideChanges changes = markOutsideChanges(doc, rows);
  if (changes.marked > 0) doc.setOutsideChanges(true);
  QStringList status;
  if (const QString note = changes.note(); !note.isEmpty()) {
    outsideNote_ = note;
    status << note;
  }
  if (changes.restored > 0) {
    // What the preview shows comes from the working folder.
    if (const QString note = ObjectsTab::extractMissingImages(doc); !note.isEmpty()) status << note;
    folderWatch->rememberFiles();
  }
  if (wallpaper) preview->FileDesktop_Click();
  UpdateDesktop();
  // The object viewer shows the file anew, whether or not it was marked.
  pages->showPickedObjectAgain();
  if (!status.isEmpty()) setStatusText(status.join(QStringLiteral(" - ")));
  showTitle();
  problemsPanel->recheckSoon();
  // What a working file holds now may be what tells the skin from its
  // original.
  if (comparePanel->isVisible()) comparePanel->refresh();
}

bool frmDesktop::settleUnsavedChanges(Leaving why) {
  if (!doc.isModified()) return true;
  const QString& question = why == Leaving::Exit ? kSaveBeforeExit : kSaveBeforeOpening;
  const Dialogs::Answer answer =
      dialogs_->message(kTitleQuestion, question.arg(QFileInfo(doc.skinFile()).fileName()),
                        Dialogs::Icon::Question, Dialogs::Buttons::SaveDiscardCancel);
  if (answer == Dialogs::Answer::Save) return SalvaSkin();
  return answer == Dialogs::Answer::Discard;
}

bool frmDesktop::SalvaSkin() {
  // Checked under the lock, so that no save slips in between the check and
  // ours; let go while the user thinks, so that the question never keeps
  // another program waiting.
  SkinLock lock;
  if (doc.canSave()) {
    QString error;
    if (!lock.take(doc.P_sPath, &error)) {
      dialogs_->error(error + QStringLiteral(".\nNessun file è stato modificato."));
      return false;
    }
    if (const std::optional<QString> changed = doc.changedOnDisk()) {
      lock.release();
      if (!dialogs_->question(
              QStringLiteral("%1 è stato modificato da un altro programma. Sovrascrivere?")
                  .arg(QFileInfo(*changed).fileName()))) {
        return false;
      }
    }
  }
  // Read-only media, or a folder of someone else's: said before anything is
  // tried, with the way out.
  if (doc.canSave()) {
    if (const std::optional<QString> why = unwritableFolderMessage(doc.P_sPath)) {
      lock.release();
      if (dialogs_->question(
              *why +
              QStringLiteral("\nSalvarla in un'altra cartella con \"Salva con nome...\"?"))) {
        return SalvaConNome();
      }
      return false;
    }
  }
  // The document itself refuses a skin that may not be written, and says
  // why; it takes the lock again for the save.
  const SaveOutcome outcome = corvela::SalvaSkin(doc);
  // Done: the message below waits for the user, other programs need not.
  lock.release();
  // The save rewrote working-folder files itself: no change from outside.
  folderWatch->rememberFiles();
  if (outcome.kind == SaveOutcome::Saved && !outsideNote_.isEmpty()) {
    // "... saranno salvati" would now be untrue.
    QStringList status = statusText().split(QStringLiteral(" - "));
    status.removeAll(outsideNote_);
    setStatusText(status.join(QStringLiteral(" - ")));
    outsideNote_.clear();
  }
  showTitle();
  // The first save keeps the first original, which sizes are checked against.
  problemsPanel->recheckSoon();
  if (comparePanel->isVisible()) comparePanel->refresh();
  dialogs_->report(outcome.title, outcome.message);
  return outcome.kind == SaveOutcome::Saved;
}

bool frmDesktop::SalvaConNome() {
  const QString folder =
      dialogs_->browseFolder(QStringLiteral("Salva con nome: cartella della copia della skin"));
  if (folder.isEmpty()) return false;
  if (const std::optional<QString> refused = saveAsRefusal(doc, folder)) {
    dialogs_->error(*refused);
    return false;
  }
  if (const QString other = skinIn(folder); !other.isEmpty()) {
    if (!dialogs_->question(QStringLiteral("La cartella %1 contiene già una skin (%2). Salvare "
                                           "comunque la skin aperta come vodafone.ski?")
                                .arg(folder, other))) {
      return false;
    }
  }
  const SaveOutcome outcome = saveSkinAs(doc, folder);
  folderWatch->rememberFiles();
  showTitle();
  dialogs_->report(outcome.title, outcome.message);
  if (outcome.kind != SaveOutcome::Saved) return false;
  openSkinFile(doc.skinFile());
  return true;
}

void frmDesktop::UpdateDesktop() {
  preview->UpdateDesktop();
}

}  // namespace corvela
