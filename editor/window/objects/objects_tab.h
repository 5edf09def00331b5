#pragma once
#include <optional>
// The "Oggetti grafici" tab's buttons: export, replacement from a file or the
// default set, the import folder and the "Test" fill. The edits themselves
// are the imaging operations; this class asks the user, calls them and shows
// what came of them.

#include <QObject>
#include <QSize>
#include <QString>

namespace corvela {

class ObjectsPage;
class SkinDocument;
class WindowServices;

class ObjectsTab : public QObject {
  Q_OBJECT
 public:
  ObjectsTab(ObjectsPage& page, WindowServices& window);

  void cmdExportAll_Click();
  void cmdImport_Click();
  void cmdDefault_Click();
  void cmdDefaultAll_Click();
  void cmdDir_Click();
  void Command2_Click();
  // The object list as a selection tool: a row shows its object, a header
  // sorts the list.
  void L_Values_ItemClick(int row);
  void L_Values_ColumnClick(int column);
  // "Apri con editor di immagini" on the selected object's working GIF.
  void editImage();
  // Row `changed`, when it is the picked one, shown again as it now is.
  void showPickedAgain(int changed);
  // The picked row shown again, with its file as it now is.
  void showPicked();
  // Before a skin is read: nothing of the one that was open stays shown.
  void skinClosing();
  // The archive list shows the skin's folder as it is now.
  void archivesChanged();
  // Once it is read completely: the archive list looks in its folder, and
  // the objects are listed by number, none picked.
  void skinOpened();
  // What the working folder lacks of the archives' pictures, extracted; the
  // status bar's words for how it went, empty when there was nothing to do.
  static QString extractMissingImages(SkinDocument& doc);

  // The default set the replacements take their images from.
  QString defaultFolder;
  // The folder picked with "Directory...", kept for the session; "Test"
  // fills from it where its own fixed folder does not exist.
  QString importFolder;
  // How long the export runs before it shows its progress, in milliseconds.
  int progressDelay = 500;

 private:
  // The closing calls of a replacement: the object shown, the preview
  // rebuilt unless the step did it, the keys back on the list.
  void showReplaced(int row, bool rowChanged);
  // Row `row`'s picture and size in the pane; what went wrong, in words for
  // the status bar, when the picture cannot be shown.
  std::optional<QString> showObject(int row);
  QString showObjectFailure(int number, const QString& description);
  // After an import made without the size check.
  void warnOfSize(const QString& id, QSize size);

  ObjectsPage& page_;
  WindowServices& window_;
  SkinDocument& doc_;
};

}  // namespace corvela
