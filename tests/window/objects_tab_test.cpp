// The "Oggetti grafici" tab driven as a user does: export, import, the
// default set and the "Test" fill, with the files a save then leaves.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QProgressDialog>

#include "gif_page_view.h"
#include "imaging_tabs_support.h"
#include "list_cells.h"
#include "object_replace.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class ObjectsTabTest : public TabsTest {
 protected:
  void pick(const QString& id) { clickRow(w->objectsPage()->L_Values, objectRow(id)); }
  QString shown(const QString& id, int column, int role = Qt::DisplayRole) const {
    return w->objectsPage()->L_Values->viewIndex(objectRow(id), column).data(role).toString();
  }
  QStringList replacedCells(const QString& id, const QString& file) const {
    QStringList c = cells(w->doc.L_Values, objectRow(id));
    c[V_NDat] = "-";
    c[V_Offset] = "-";
    c[V_Byte] = QString::number(QFileInfo(file).size());
    c[V_Stato] = kStateToReplace;
    c[V_PathGif] = file;
    return c;
  }
};

TEST_F(ObjectsTabTest, RowsShowPictureAndSizeAndTheFilterOnlyHidesThem) {
  open(frmDesktop::TabObjects);
  ReportView* list = w->objectsPage()->L_Values;
  const int size = list->listModel()->sizeColumn();
  EXPECT_EQ(shown("0007", size), QStringLiteral("12 × 10"));
  EXPECT_EQ(shown("0003", size), QString());  // no image in the working folder
  const QModelIndex named = list->viewIndex(objectRow("0007"), list->listModel()->nameColumn());
  EXPECT_FALSE(named.data(Qt::DecorationRole).value<QPixmap>().isNull());

  // By name or id, case ignored; the picked row, hidden, is still the one
  // the buttons act on.
  pick("0012");
  auto* filter = w->objectsPage()->findChild<QLineEdit*>(QStringLiteral("txtFiltra"));
  ASSERT_NE(filter, nullptr);
  QTest::keyClicks(filter, QStringLiteral("QUADRANTE"));
  EXPECT_EQ(shownColumn(list, 0), QStringList{QStringLiteral("0007")});
  const QString file = path("eight.gif");
  writeFile(file, gifBytes(8, 6));
  script.files.push_back(file);
  click(w->objectsPage()->cmdImport);
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_Values, objectRow("0012"), V_PathGif), file);
  filter->clear();
  QTest::keyClicks(filter, QStringLiteral("001"));
  EXPECT_EQ(shownColumn(list, 0), QStringList{QStringLiteral("0012")});
  filter->clear();
  EXPECT_EQ(shownColumn(list, 0).size(), Fixture::objectCount);
  EXPECT_EQ(list->selectedListRow(), objectRow("0012"));

  // Sizes sort by their numbers, width first, the unknown last: as text
  // "12 × 10" came before "8 × 6".
  clickHeader(list, size);
  const QStringList sizes = shownColumn(list, size);
  EXPECT_LT(sizes.indexOf(QStringLiteral("8 × 6")), sizes.indexOf(QStringLiteral("12 × 10")));
  EXPECT_EQ(sizes.last(), QString());
}

TEST_F(ObjectsTabTest, ImportKeepsThePathAsOnDiskAndTheSaveReallyPacksIt) {
  open(frmDesktop::TabObjects);
  QDir().mkpath(path("New Art"));
  const QString file = path("New Art/Seven.GIF");
  writeFile(file, gifBytes(12, 10));
  pick("0007");
  const QStringList expected = replacedCells("0007", file);
  script.files.push_back(file);
  click(w->objectsPage()->cmdImport);

  ASSERT_EQ(script.fileRequests.size(), 2u);  // the skin, then the image
  EXPECT_EQ(script.fileRequests[1].presetName, "7");
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), expected);
  EXPECT_EQ(w->objectsPage()
                ->L_Values->viewIndex(objectRow("0007"), 0)
                .data(Qt::ForegroundRole)
                .value<QColor>(),
            QColor(0, 0, 255));
  EXPECT_EQ(shown("0007", 0, ReportListModel::IconNumberRole), QString::number(IconReplaced));
  EXPECT_EQ(w->objectsPage()->lInfo->text(), "(hxw) = 10x12, originale 10x12");
  EXPECT_TRUE(w->objectsPage()->L_Values->hasFocus());

  clickToolButton(*w, "SAVE");
  const QList<QByteArray> lines = readFile(path("vodafone.ski")).split('\n');
  const QList<QByteArray> f = lines[13].split(' ');  // the line of object 7
  ASSERT_EQ(f.size(), 5);
  EXPECT_EQ(f[0] + f[1] + f[4], "5714");
  EXPECT_EQ(readFile(path("vodafone14.dat")).mid(f[2].toInt(), f[3].toInt()), readFile(file));

  // Put back past the save, the row holds its old image, which no file
  // holds now: the viewer shows that one all the same.
  clickToolButton(*w, "UNDO");
  const QByteArray* held = w->doc.L_Values.row(objectRow("0007")).pinned.get();
  ASSERT_NE(held, nullptr);
  pick("0007");
  const QMovie* shownNow = w->objectsPage()->WB->movie();
  ASSERT_NE(shownNow, nullptr);
  EXPECT_EQ(shownNow->currentImage().convertToFormat(QImage::Format_ARGB32),
            QImage::fromData(*held, "GIF").convertToFormat(QImage::Format_ARGB32));
}

TEST_F(ObjectsTabTest, TheSizeCheckRefusesAnotherWidthOrHeightAndCanBeSwitchedOff) {
  open(frmDesktop::TabObjects);
  pick("0007");  // 12 x 10
  const QStringList before = cells(w->doc.L_Values, objectRow("0007"));
  // The list says which object that is, beside its number.
  EXPECT_EQ(
      w->objectsPage()
          ->L_Values
          ->viewIndex(objectRow("0007"), w->objectsPage()->L_Values->listModel()->nameColumn())
          .data()
          .toString(),
      QStringLiteral("Quadrante dell'orologio analogico"));
  for (QSize size : {QSize(13, 10), QSize(12, 11)}) {  // width or height alone
    writeFile(path("other.gif"), gifBytes(size.width(), size.height()));
    script.files.push_back(path("other.gif"));
    click(w->objectsPage()->cmdImport);
    ASSERT_EQ(script.boxes.size(), 1u);
    EXPECT_EQ(script.boxes[0].title, kTitleError);
    EXPECT_EQ(script.boxes[0].text,
              kSizeMismatchMessage +
                  QStringLiteral("\n%1×%2 invece di 12×10").arg(size.width()).arg(size.height()));
    EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), before);
    script.boxes.clear();
  }
  click(w->objectsPage()->chkDim);
  // Without the check a file that is no GIF picture, or is gone, still
  // changes nothing; the status bar says why.
  writeFile(path("broken.gif"), "GIF89a and nothing else");
  ASSERT_TRUE(QImage(12, 10, QImage::Format_RGB32).save(path("png.gif"), "PNG"));
  script.files = {path("broken.gif"), path("missing.gif"), QString(), path("png.gif")};
  for (int i = 0; i < 4; ++i) click(w->objectsPage()->cmdImport);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), before);
  EXPECT_TRUE(w->statusText().contains(path("png.gif") + ": non è un'immagine GIF"))
      << w->statusText().toStdString();
  script.files.push_back(path("other.gif"));
  click(w->objectsPage()->cmdImport);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_EQ(shown("0007", V_Stato), kStateToReplace);

  // Once a save kept the first original, a size unlike it is taken, with a word.
  clickToolButton(*w, "SAVE");
  script.boxes.clear();
  writeFile(path("tall.gif"), gifBytes(10, 12));
  script.files.push_back(path("tall.gif"));
  click(w->objectsPage()->cmdImport);
  ASSERT_EQ(script.boxesTitled(kTitleWarning).size(), 1u);
  EXPECT_EQ(script.boxes[0].text,
            "oggetto 0007: l'immagine è di 10 × 12 pixel, nel primo "
            "originale (.corvela/vodafone_orig.ski) è di 12 × 10");
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), replacedCells("0007", path("tall.gif")));
}

TEST_F(ObjectsTabTest, TheSameFileWarnsButAnotherlyCasedNameIsAnotherFile) {
  open(frmDesktop::TabObjects);
  pick("0012");
  const QString current = shown("0012", V_PathGif);
  const QStringList before = cells(w->doc.L_Values, objectRow("0012"));
  script.files.push_back(current);
  click(w->objectsPage()->cmdImport);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, kTitleWarning);
  EXPECT_EQ(script.boxes[0].text, kSamePathMessage);
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0012")), before);

  // On a case-sensitive file system 12.GIF is a file of its own.
  const QString upper = QFileInfo(current).absolutePath() + "/12.GIF";
  writeFile(upper, gifBytes(8, 6));
  script.files.push_back(upper);
  click(w->objectsPage()->cmdImport);
  EXPECT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(shown("0012", V_PathGif), upper);
}

TEST_F(ObjectsTabTest, DefaultAsksWhenToldAndTakesTheImageOfTheSet) {
  open(frmDesktop::TabObjects);
  QDir().mkpath(path("Set"));
  writeFile(path("Set/7.gif"), gifBytes(30, 20));
  w->objectsTab()->defaultFolder = path("Set");
  pick("0007");
  const QStringList expected = replacedCells("0007", path("Set/7.gif"));
  const QStringList before = cells(w->doc.L_Values, objectRow("0007"));
  click(w->objectsPage()->cmdDefault);  // answered No
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, kTitleQuestion);
  EXPECT_EQ(script.boxes[0].text,
            "Oggetto n° 0007\rConfermi la sostituzione di questo oggetto con quello di default "
            "(marevia by Tavrin) ?");
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), before);

  click(w->objectsPage()->chkConferma);
  click(w->objectsPage()->cmdDefault);
  EXPECT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0007")), expected);
  EXPECT_EQ(w->objectsPage()->lInfo->text(), "(hxw) = 20x30, originale 10x12");

  // An object the set has no image for stays as it is.
  pick("0003");
  const QStringList three = cells(w->doc.L_Values, objectRow("0003"));
  click(w->objectsPage()->cmdDefault);
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0003")), three);
}

TEST_F(ObjectsTabTest, DefaultForAllReplacesWhatTheSetHasShowsTheFirstRowAndReminds) {
  open(frmDesktop::TabObjects);
  QDir().mkpath(path("Set"));
  writeFile(path("Set/12.gif"), gifBytes(8, 6));
  writeFile(path("Set/30.gif"), gifBytes(9, 9));
  w->objectsTab()->defaultFolder = path("Set");
  script.answers = {Dialogs::Answer::Yes};
  click(w->objectsPage()->cmdDefaultAll);
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[0].text,
            "Confermi la sostituzione di tutti gli oggetti con quelli di default (marevia by "
            "Tavrin) ?");
  EXPECT_EQ(script.boxes[1].title, kTitleInfo);
  EXPECT_EQ(script.boxes[1].text, "N.B. Ricordati di caricare anche i colori di default.");
  for (const QString id : {"0003", "0007", "0012", "0020", "0030"}) {
    EXPECT_EQ(shown(id, V_PathGif).startsWith(path("Set")), id == "0012" || id == "0030")
        << id.toStdString();
  }
  // The list shows its first row, 0003, which has no image.
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(),
            w->objectsPage()->L_Values->listRowAt(0));
  EXPECT_EQ(w->objectsPage()->lInfo->text(), "...");
}

TEST_F(ObjectsTabTest, ExportShowsItsProgressAndACancelKeepsTheObjectsDone) {
  open(frmDesktop::TabObjects);
  w->objectsTab()->progressDelay = 0;
  bool busy = false;
  const auto watch =
      QObject::connect(w->objectsPage()->L_Values->selectionModel(),
                       &QItemSelectionModel::currentChanged, [&](const QModelIndex& current) {
                         busy = QApplication::overrideCursor() != nullptr;
                         auto* progress = w->findChild<QProgressDialog*>("ExportProgress");
                         if (progress && w->objectsPage()->L_Values->listRow(current) == 2) {
                           progress->findChild<QPushButton*>()->click();
                         }
                       });
  click(w->objectsPage()->cmdExportAll);
  EXPECT_TRUE(busy);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(shownCell(w->doc.L_Values, 0, V_Stato, &w->doc.objectFacts()), kStateExtracted);
  EXPECT_EQ(shownCell(w->doc.L_Values, 1, V_Stato, &w->doc.objectFacts()), kStateExtracted);
  EXPECT_EQ(shownCell(w->doc.L_Values, 2, V_Stato, &w->doc.objectFacts()), kStateMissing);
  EXPECT_FALSE(QFileInfo::exists(path("vodafone_Gifs/3.gif")));
  EXPECT_TRUE(script.boxes.empty());

  // Archives that cannot be read are told of once, at the end.
  QObject::disconnect(watch);
  QFile::remove(path("vodafone1.dat"));
  click(w->objectsPage()->cmdExportAll);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, kTitleError);
  EXPECT_TRUE(script.boxes[0].text.contains("vodafone1.dat"));
  EXPECT_EQ(shownCell(w->doc.L_Values, 2, V_Stato, &w->doc.objectFacts()), kStateMissing);
}

TEST_F(ObjectsTabTest, TestFillsFromTheFolderPickedWithDirectoryAndErrsWithoutOne) {
  open(frmDesktop::TabObjects);
  const QList<QStringList> before = {cells(w->doc.L_Values, 2), cells(w->doc.L_Values, 4)};
  click(w->objectsPage()->Command2);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, kTitleError);
  EXPECT_EQ(cells(w->doc.L_Values, 2), before[0]);

  QDir().mkpath(path("Moto"));
  writeFile(path("Moto/3.gif"), gifBytes(5, 5));
  writeFile(path("Moto/7.gif"), gifBytes(5, 5));  // 0007 has an image: not filled
  script.folders = {path("Moto"), QString()};
  click(w->objectsPage()->cmdDir);
  click(w->objectsPage()->cmdDir);  // cancelled: the folder picked before stays
  EXPECT_EQ(script.folderRequests, std::vector<QString>(2, "Seleziona directory di importazione:"));
  click(w->objectsPage()->Command2);
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[1].title, kTitleInfo);
  EXPECT_EQ(script.boxes[1].text, "Oggetti da sostituire n° 1");
  QStringList filled = before[0];
  filled[V_NDat] = "14";
  filled[V_Offset] = "-";
  filled[V_Byte] = QString::number(QFileInfo(path("Moto/3.gif")).size());
  filled[V_Stato] = kStateToReplace;
  filled[V_PathGif] = path("Moto/3.gif");
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0003")), filled);
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0030")), before[1]);
  // Exporting afterwards must not overwrite the filled row from archive 14.
  click(w->objectsPage()->cmdExportAll);
  EXPECT_EQ(cells(w->doc.L_Values, objectRow("0003")), filled);
}

}  // namespace

TEST_F(ObjectsTabTest, AnObjectOpensInTheImageEditorSetInTheOptions) {
  open(frmDesktop::TabInfo);
  // A stand-in editor that notes which file it was given.
  const QString editor = path("editor.sh");
  writeFile(editor, "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.txt\"\n");
  QFile(editor).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  w->infoPage()->txtImageEditor->setFocus();
  w->infoPage()->txtImageEditor->clear();
  QTest::keyClicks(w->infoPage()->txtImageEditor, editor);
  QTest::keyClick(w->infoPage()->txtImageEditor, Qt::Key_Return);

  clickTab(*w, frmDesktop::TabObjects);
  pick("0007");
  auto* edit = w->objectsPage()->L_Values->findChild<QAction*>(QStringLiteral("actEditImage"));
  ASSERT_NE(edit, nullptr);
  edit->trigger();
  const QString opened = path("opened.txt");
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(opened).size() > 0; }, 10000));
  EXPECT_EQ(QString::fromUtf8(readFile(opened)), path("vodafone_Gifs/7.gif"));

  // An object with no working GIF yet says so instead of starting anything.
  pick("0003");
  edit->trigger();
  EXPECT_TRUE(w->statusText().startsWith(QStringLiteral("Immagine non trovata")));
  w->infoPage()->txtImageEditor->clear();
  QTest::keyClick(w->infoPage()->txtImageEditor, Qt::Key_Return);
}
