#pragma once
// The "Oggetti grafici" tab: the object list, the object viewer, the
// replacement buttons and the archive list. The form and what it shows; the
// buttons' handlers are ObjectsTab's.

#include <QString>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvela {

class FileListBox;
class GifPageView;
class PictureBox;
class ReportView;
class SkinDocument;

class ObjectsPage : public QWidget {
  Q_OBJECT
 public:
  explicit ObjectsPage(SkinDocument& doc, QWidget* parent = nullptr);

  // The size of the previewed object, shown and told to screen readers.
  void setInfoText(const QString& text);
  // The object viewer: one object's GIF, animated, or an empty page.
  void AniGIF(GifPageView* WB, PictureBox* Image, const QString& GifImage);
  void NoGIF();
  // Before any skin is shown: replacing waits for a picked object.
  void reset();
  // What a click on the list showed belongs to the skin being closed.
  void clearShown();

  ReportView* L_Values = nullptr;
  QGroupBox* fraPreviewOggetto = nullptr;
  PictureBox* PicPreview = nullptr;
  GifPageView* WB = nullptr;
  QLabel* lInfo = nullptr;
  QPushButton* cmdExportAll = nullptr;
  QPushButton* cmdImport = nullptr;
  QPushButton* cmdDefault = nullptr;
  QPushButton* cmdDefaultAll = nullptr;
  QPushButton* cmdDir = nullptr;
  QPushButton* Command2 = nullptr;
  QCheckBox* chkDim = nullptr;
  QCheckBox* chkConferma = nullptr;
  FileListBox* FileDat = nullptr;
  PictureBox* PicImport = nullptr;
};

}  // namespace corvela
