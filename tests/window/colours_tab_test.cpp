// The "Colori" tab driven as a user does: the two swatches, the default
// scheme, the colours of another skin; and the shipped default set end to end.
#include <QListWidget>

#include "colour_scheme.h"
#include "imaging_tabs_support.h"
#include "picture_box.h"
#include "skin_saver.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class ColoursTabTest : public TabsTest {
 protected:
  int colourRow(const QString& id) const { return w->doc.L_RGBA.findId(id); }
  QStringList colourCells(const QString& id) const { return cells(w->doc.L_RGBA, colourRow(id)); }
};

TEST_F(ColoursTabTest, PicColorSetsRgbKeepsTransparencyAndPicCCReusesTheColour) {
  open(frmDesktop::TabColours);
  // Before any choice the last colour is black.
  clickRow(w->coloursPage()->L_RGBA, colourRow("0009"));
  click(w->coloursPage()->PicCC);
  EXPECT_EQ(colourCells("0009"), QStringList({"0009", "0", "0", "0", "0", "0007"}));

  clickRow(w->coloursPage()->L_RGBA, colourRow("0595"));
  const QColor shownBefore = w->coloursPage()->PicColor->backColor();
  script.colours = {QColor(10, 20, 30)};
  click(w->coloursPage()->PicColor);
  ASSERT_EQ(script.colourRequests.size(), 1u);
  EXPECT_EQ(script.colourRequests[0], shownBefore);
  EXPECT_EQ(colourCells("0595"), QStringList({"0595", "10", "20", "30", "7", "0006"}));
  EXPECT_EQ(w->coloursPage()->PicCC->backColor(), QColor(10, 20, 30));
  EXPECT_TRUE(w->doc.L_RGBA.row(colourRow("0595")).edited);

  clickRow(w->coloursPage()->L_RGBA, colourRow("0009"));
  click(w->coloursPage()->PicCC);
  EXPECT_EQ(colourCells("0009"), QStringList({"0009", "10", "20", "30", "0", "0007"}));

  // A cancelled dialog changes nothing, not even the swatch.
  const QColor swatch = w->coloursPage()->PicColor->backColor();
  click(w->coloursPage()->PicColor);
  EXPECT_EQ(w->coloursPage()->PicColor->backColor(), swatch);
  EXPECT_EQ(colourCells("0009"), QStringList({"0009", "10", "20", "30", "0", "0007"}));
}

TEST_F(ColoursTabTest, TheDefaultSchemeAsksNeedsItsFileAndReplacesEveryRow) {
  open(frmDesktop::TabColours);
  const int rows = w->doc.L_RGBA.rowCount();
  click(w->coloursPage()->cmdLoadColors);  // answered No
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text, kSchemeQuestion);
  script.answers = {Dialogs::Answer::Yes};
  click(w->coloursPage()->cmdLoadColors);
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[2].title, kTitleError);
  EXPECT_EQ(script.boxes[2].text, "Schema colori di default, non trovato!");
  EXPECT_EQ(w->doc.L_RGBA.rowCount(), rows);

  QDir().mkpath(path("Set"));
  writeFile(path("Set/colors.txt"), "  9 ,0,0,255,0,0007 \n\n-, 10, 20, 30, 5, 0003\n");
  w->coloursTab()->defaultFolder = path("Set");
  script.answers = {Dialogs::Answer::Yes};
  click(w->coloursPage()->cmdLoadColors);
  ASSERT_EQ(script.boxes.size(), 5u);
  EXPECT_EQ(script.boxes[4].title, kTitleInfo);
  EXPECT_EQ(script.boxes[4].text, "Colori di defualt (marevia by Tavrin), importati.");
  ASSERT_EQ(w->doc.L_RGBA.rowCount(), 2);
  EXPECT_EQ(cells(w->doc.L_RGBA, 0), QStringList({"9", "0", "0", "255", "0", "0007"}));
  EXPECT_EQ(cells(w->doc.L_RGBA, 1), QStringList({"-", "10", "20", "30", "5", "0003"}));
  const QModelIndex first = w->coloursPage()->L_RGBA->viewIndex(0);
  EXPECT_EQ(first.data(ReportListModel::TagRole).toString(), "Colore di default");
  EXPECT_EQ(first.data(ReportListModel::IconNumberRole).toInt(), IconColour);
  EXPECT_EQ(first.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
  EXPECT_EQ(w->coloursPage()->L_RGBA->viewIndex(1).data(ReportListModel::IconNumberRole).toInt(),
            IconNone);
}

TEST_F(ColoursTabTest, ColoursOfAnotherSkinAreAskedForAndCountedInTheClosingBox) {
  open(frmDesktop::TabColours);
  click(w->coloursPage()->Command1);  // cancelled: nothing happens
  EXPECT_TRUE(script.boxes.empty());
  ASSERT_EQ(script.fileRequests.size(), 2u);
  EXPECT_EQ(script.fileRequests[1].title, "Importa da altra skin...");
  EXPECT_EQ(script.fileRequests[1].filter, "*.ski");

  writeFile(path("other.ski"),
            "SKI1\n4 5 5 5 0\n4 6 6 6 0\n4 7 7 7 7 0\n4 8 8 8 0\n4 9 9 9 0\n4 1 1 1 1\n");
  script.files.push_back(path("other.ski"));
  click(w->coloursPage()->Command1);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QString());
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::None);
  EXPECT_EQ(script.boxes[0].text, "4 - 6");
  EXPECT_EQ(w->coloursPage()->L_Colors->count(), 6);
  EXPECT_EQ(colourCells("0595"), QStringList({"0595", "7", "7", "7", "0", "0006"}));
  // A step like any other: the window asks before the colours could go, and
  // "Annulla" gives the skin's own back.
  EXPECT_TRUE(w->isWindowModified());
  EXPECT_EQ(w->doc.history().undoText(), "Colori da altra skin");
  clickToolButton(*w, "UNDO");
  EXPECT_NE(colourCells("0595"), QStringList({"0595", "7", "7", "7", "0", "0006"}));
  EXPECT_FALSE(w->isWindowModified());
}

TEST_F(ColoursTabTest, TheShippedSetReplacesTheDemoSkinAndTheSaveWritesIt) {
  const QString skin = copyDemoSkin(dir.path());
  ASSERT_FALSE(skin.isEmpty());
  open(frmDesktop::TabObjects, skin);
  const QString set = QStringLiteral(CORVELA_SOURCE_DIR "/default");
  w->objectsTab()->defaultFolder = w->coloursTab()->defaultFolder = set;
  script.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Yes};
  click(w->objectsPage()->cmdDefaultAll);
  clickTab(*w, frmDesktop::TabColours);
  click(w->coloursPage()->cmdLoadColors);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.back().text, kSavedWithArchive);

  const QList<QByteArray> lines = readFile(skin).split('\n');
  const QByteArray archive = readFile(path("vodafone14.dat"));
  int packed = 0;
  for (const QByteArray& line : lines) {
    const QList<QByteArray> f = line.split(' ');
    if (f[0] != "5") continue;
    ASSERT_EQ(f[4], "14") << line.toStdString();
    EXPECT_EQ(archive.mid(f[2].toInt(), f[3].toInt()), readFile(set + "/" + f[1] + ".gif"))
        << line.toStdString();
    ++packed;
  }
  EXPECT_EQ(packed, w->doc.L_Values.rowCount());
  EXPECT_EQ(lines[2], "4 128 0 16 0");  // the scheme's background
}

}  // namespace
