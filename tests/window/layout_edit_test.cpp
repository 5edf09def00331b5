// The "Preview skin" tab's editors driven as a user does: keys into the
// boxes, pastes, the arrow buttons, the clock options and swatches, and the
// mouse and keys on the phone screen; every edit also read back from the
// file that "Salva" writes.
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <map>

#include "desktop_surface.h"
#include "document_names.h"
#include "list_cells.h"
#include "main_menu.h"
#include "objects_tab.h"
#include "picture_box.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class LayoutEditing : public ShownWindow {
 protected:
  void open(bool demo = true) {
    skin = demo ? copyDemoSkin(dir.path()) : Fixture::write(dir.path());
    ASSERT_FALSE(skin.isEmpty());
    openThroughDialog(*w, script, skin);
    script.boxes.clear();
  }
  PreviewTab& tab() { return *w->tabPreview; }
  int rebuilds() const { return w->preview->rebuildCount(); }
  QStringList rect(const char* code) const {
    const int row = w->doc.L_Dim.findId(QString::fromLatin1(code));
    return corvela::test::cellsOf(w->doc.L_Dim, row, D_X1, 6);
  }
  static bool marked(const ReportList& list, int row) { return list.row(row).edited; }
  static void retype(QLineEdit* box, const QString& keys) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, keys);
  }
  // "Salva", then the lines of the file it wrote that begin with one of
  // `prefixes`, in file order.
  QList<QByteArray> saved(const QList<QByteArray>& prefixes) {
    script.boxes.clear();
    clickToolButton(*w, QStringLiteral("SAVE"));
    EXPECT_EQ(script.boxes.size(), 1u);
    EXPECT_TRUE(!script.boxes.empty() && script.boxes.front().title == kTitleInfo);
    QList<QByteArray> out;
    for (const QByteArray& line : readFile(skin).split('\n')) {
      for (const QByteArray& prefix : prefixes) {
        if (line.startsWith(prefix)) out << line;
      }
    }
    return out;
  }
  void mouseAt(QTest::MouseAction action, QPoint pixel) {
    const int z = tab().PicDesktop->zoom();
    const QPoint at(pixel.x() * z + z / 2, pixel.y() * z + z / 2);
    if (action == QTest::MouseMove) {
      QTest::mouseMove(tab().PicDesktop, at);
    } else {
      QTest::mouseEvent(action, tab().PicDesktop, Qt::LeftButton, {}, at);
    }
  }

  QString skin;
};

TEST_F(LayoutEditing, TypedDigitsWriteTheRowAndRebuildOncePerKey) {
  open();
  QLineEdit* y1 = w->txt(1);
  ASSERT_EQ(y1->text(), QStringLiteral("14"));
  const QStringList opened = rect("0570");
  int before = rebuilds();
  retype(y1, QStringLiteral("12"));
  EXPECT_EQ(rebuilds(), before + 2);
  EXPECT_EQ(rect("0570"), QStringList({"2", "12", "173", "32", "-", "-"}));
  EXPECT_TRUE(marked(w->doc.L_Dim, w->doc.L_Dim.findId("0570")));
  EXPECT_EQ(tab().PicDesktop->lblOperatore->y(), 17);

  // Only digits and backspace pass, three at most; Ctrl+V pastes through
  // the same filter.
  before = rebuilds();
  QApplication::clipboard()->setText(QStringLiteral("x9y"));
  QTest::keyClicks(y1, QStringLiteral("a- +"));
  QTest::keyClick(y1, Qt::Key_Return);
  QTest::keyClick(y1, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClicks(y1, QStringLiteral("345"));
  EXPECT_EQ(y1->text(), QStringLiteral("129"));
  QTest::keyClick(y1, Qt::Key_Backspace);
  EXPECT_EQ(y1->text(), QStringLiteral("12"));
  EXPECT_EQ(rebuilds(), before + 2);

  // Ctrl+A and Ctrl+C copy the text, Ctrl+X cuts it as an edit, and Ctrl+Z
  // and Ctrl+Y undo and redo the document's step: the keystrokes in the box.
  QTest::keyClick(y1, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(y1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12"));
  QTest::keyClick(y1, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(y1->text(), QString());
  EXPECT_EQ(rect("0570")[1], QString());
  EXPECT_EQ(w->doc.history().count(), 1);
  EXPECT_EQ(w->toolButton("UNDO")->toolTip(),
            QStringLiteral("Annulla: Posizione: Testo dell'operatore"));
  EXPECT_TRUE(w->isWindowModified());
  QTest::keyClick(y1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(y1->text(), QStringLiteral("14"));
  EXPECT_EQ(rect("0570"), opened);
  EXPECT_FALSE(marked(w->doc.L_Dim, w->doc.L_Dim.findId("0570")));
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_FALSE(w->toolButton("UNDO")->isEnabled());
  QTest::keyClick(y1, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(y1->text(), QString());
  EXPECT_EQ(w->doc.history().count(), 1);
  retype(y1, QStringLiteral("12"));
  // A box left empty says what the preview and the file take, 0, in the
  // step that emptied it.
  w->activateWindow();
  w->txt(0)->setFocus();
  y1->setFocus();
  const int steps = w->doc.history().count();
  QTest::keyClick(y1, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(y1, Qt::Key_Backspace);
  w->txt(0)->setFocus();
  EXPECT_EQ(y1->text(), QStringLiteral("0"));
  EXPECT_EQ(rect("0570")[1], QStringLiteral("0"));
  EXPECT_EQ(w->doc.history().count(), steps + 1);
  QTest::keyClick(y1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(y1->text(), QStringLiteral("12"));
  QTest::keyClick(y1, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(y1->text(), QStringLiteral("0"));
  retype(y1, QStringLiteral("12"));
  retype(w->txt(0), QStringLiteral("007"));
  EXPECT_EQ(rect("0570").first(), QStringLiteral("007"));
  // An assistive tool sets the text of x2 whole: an edit like typing.
  QAccessibleInterface* tool = QAccessible::queryAccessibleInterface(w->txt(2));
  ASSERT_TRUE(tool && tool->editableTextInterface());
  tool->editableTextInterface()->replaceText(0, int(w->txt(2)->text().size()),
                                             QStringLiteral("99"));
  EXPECT_EQ(rect("0570")[2], QStringLiteral("99"));
  EXPECT_EQ(saved({"1 570 "}), QList<QByteArray>{"1 570 007 12 99 32"});
}

TEST_F(LayoutEditing, ThePhoneGetsTheUnsavedEditAndItsZipOpensAsACopy) {
  open();
  retype(w->txt(1), QStringLiteral("12"));
  const QByteArray onDisk = readFile(skin);
  QTemporaryDir out;
  script.files.push_back(out.filePath("phone.zip"));
  w->menu->actExportPhone->trigger();
  ASSERT_EQ(script.boxesTitled(kTitleInfo).size(), 1u);
  EXPECT_EQ(readFile(skin), onDisk);
  EXPECT_EQ(saved({"1 570 "}), QList<QByteArray>{"1 570 2 12 173 32"});

  openThroughDialog(*w, script, out.filePath("phone.zip"));
  const QString copy = out.filePath("phone/vodafone.ski");
  EXPECT_EQ(w->doc.skinFile(), copy);
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());
  EXPECT_EQ(readFile(copy), readFile(skin));
}

TEST_F(LayoutEditing, TransparencyIsClampedAndStoredAsANumber) {
  open();
  const int before = rebuilds();
  retype(w->txt(4), QStringLiteral("300"));
  EXPECT_EQ(w->txt(4)->text(), QStringLiteral("255"));
  EXPECT_EQ(rebuilds(), before + 3);
  // The box being typed into keeps the user's spelling of the value.
  retype(w->txt(5), QStringLiteral("007"));
  EXPECT_EQ(w->txt(5)->text(), QStringLiteral("007"));
  const int operatorRow = w->doc.L_RGBA.findId("0595");
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_RGBA, operatorRow, C_Trasparenza),
            QStringLiteral("255"));
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_RGBA, w->doc.L_RGBA.findId("0579"), C_Trasparenza),
            QStringLiteral("7"));

  // txt(50) shows the clicked colour without marking it, then edits it.
  const int row = w->doc.L_RGBA.findId("0012");
  clickTab(*w, frmDesktop::TabColours);
  clickRow(w->coloursPage()->L_RGBA, row);
  EXPECT_FALSE(marked(w->doc.L_RGBA, row));
  retype(w->txt(50), QStringLiteral("42"));
  EXPECT_TRUE(marked(w->doc.L_RGBA, row));
  EXPECT_EQ(saved({"4 595 ", "4 12 "}),
            (QList<QByteArray>{"4 595 0 0 128 255", "4 12 40 40 48 42"}));
  // It keeps its own spelling too, and follows an undo of the row.
  retype(w->txt(50), QStringLiteral("007"));
  EXPECT_EQ(w->txt(50)->text(), QStringLiteral("007"));
  w->doc.history().undo();
  EXPECT_NE(corvela::test::cellOf(w->doc.L_RGBA, row, C_Trasparenza), QStringLiteral("7"));
  EXPECT_EQ(w->txt(50)->text(), corvela::test::cellOf(w->doc.L_RGBA, row, C_Trasparenza));
}

TEST_F(LayoutEditing, PastedDroppedAndComposedTextKeepsItsDigitsUpToTheLimit) {
  open();
  QLineEdit* x2 = w->txt(2);
  int before = rebuilds();
  QApplication::clipboard()->setText(QStringLiteral(" 1a2-b3c4"));
  x2->selectAll();
  x2->paste();
  EXPECT_EQ(x2->text(), QStringLiteral("123"));
  EXPECT_EQ(rect("0570")[2], QStringLiteral("123"));
  EXPECT_EQ(rebuilds(), before + 1);

  x2->selectAll();
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("9x"));
  QApplication::sendEvent(x2, &composed);
  EXPECT_EQ(x2->text(), QStringLiteral("9"));
  x2->clear();
  QMimeData dragged;
  dragged.setText(QStringLiteral("4z"));
  QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dragged, Qt::LeftButton, {});
  // The drop itself: a real drag needs a drag manager no offscreen run has.
  static_cast<QObject*>(x2)->event(&drop);
  EXPECT_EQ(x2->text(), QStringLiteral("4"));
  // The offset takes one digit.
  QApplication::clipboard()->setText(QStringLiteral("-57"));
  tab().txtOffSet->selectAll();
  tab().txtOffSet->paste();
  EXPECT_EQ(tab().txtOffSet->text(), QStringLiteral("5"));
  EXPECT_EQ(saved({"1 570 "}), QList<QByteArray>{"1 570 2 14 4 32"});
}

TEST_F(LayoutEditing, ArrowButtonsMoveTheTickedRectanglesInOneRebuild) {
  open();
  for (int target : {0, 2, 3}) {
    QCheckBox* box = tab().optPos[static_cast<size_t>(target)];
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    ASSERT_TRUE(box->isChecked()) << target;
  }
  // While the press runs, the button is off and the pointer busy.
  std::vector<std::pair<bool, bool>> during;
  QObject watching;
  QObject::connect(&w->doc.L_Dim, &ReportList::rowChanged, &watching, [&] {
    during.emplace_back(tab().cmdMoveLeft->isEnabled(), QApplication::overrideCursor() != nullptr);
  });
  retype(tab().txtOffSet, QStringLiteral("x3"));
  int before = rebuilds();
  QTest::mouseClick(tab().cmdMoveLeft, Qt::LeftButton);
  EXPECT_EQ(rebuilds(), before + 1);
  ASSERT_FALSE(during.empty());
  for (const auto& [enabled, busy] : during) EXPECT_TRUE(!enabled && busy);
  EXPECT_TRUE(tab().cmdMoveLeft->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(rect("0570"), QStringList({"-1", "14", "170", "32", "-", "-"}));
  EXPECT_EQ(w->txt(0)->text(), QStringLiteral("-1"));
  EXPECT_EQ(rect("0566").mid(0, 4), QStringList({"81", "199", "91", "203"}));

  // An empty offset moves nothing but still marks the ticked rows.
  retype(tab().txtOffSet, QString());
  QTest::keyClick(tab().txtOffSet, Qt::Key_Backspace);
  QTest::mouseClick(tab().cmdMoveDown, Qt::LeftButton);
  EXPECT_EQ(rect("0562").mid(0, 4), QStringList({"81", "199", "91", "203"}));
  EXPECT_EQ(saved({"1 570 ", "1 562 "}),
            (QList<QByteArray>{"1 570 -1 14 170 32", "1 562 81 199 91 203"}));
}

TEST_F(LayoutEditing, ClockOptionsLengthsAndSwatches) {
  // No length line is bound before a skin: a change does nothing at all.
  tab().txtMin->setText(QStringLiteral("30"));
  EXPECT_FALSE(w->preview->scene().clockFace.visible);
  open();
  QTest::mouseClick(tab().optTime[1], Qt::LeftButton);
  EXPECT_TRUE(w->preview->scene().minuteHand.visible);
  QTest::mouseClick(tab().optTime[0], Qt::LeftButton);
  EXPECT_FALSE(w->preview->scene().hourHand.visible);

  // A length shows the analogue face while "Digitale" stays chosen.
  retype(tab().txtMin, QStringLiteral("2x0"));
  const SceneHand& minute = w->preview->scene().minuteHand;
  EXPECT_TRUE(minute.visible && w->preview->scene().clockFace.visible);
  EXPECT_EQ(minute.p2.x() - minute.p1.x(), 20);
  EXPECT_TRUE(tab().optTime[0]->isChecked());

  // Cancelled: only "Analogico" was chosen. Then a colour for the minutes.
  QTest::mouseClick(tab().PicOre, Qt::LeftButton);
  EXPECT_TRUE(tab().optTime[1]->isChecked());
  EXPECT_FALSE(marked(w->doc.L_RGBA, w->doc.L_RGBA.findId("0012")));
  // By keyboard: Shift+Tab from the minutes' length reaches their swatch,
  // just before it, and Space opens the colours.
  script.colours.push_back(QColor(10, 200, 30));
  w->activateWindow();
  tab().txtMin->setFocus();
  QTest::keyClick(tab().txtMin, Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_EQ(QApplication::focusWidget(), tab().PicMin)
      << QApplication::focusWidget()->objectName().toStdString();
  QTest::keyClick(tab().PicMin, Qt::Key_Space);
  EXPECT_EQ(tab().PicMin->backColor(), QColor(10, 200, 30));
  EXPECT_EQ(w->preview->scene().minuteHand.colour, QColor(10, 200, 30));
  EXPECT_EQ(saved({"2 8 ", "4 9 "}), (QList<QByteArray>{"2 8 20", "4 9 10 200 30 0"}));
}

TEST_F(LayoutEditing, AHandWithoutColourRowIsColouredButTheSkinKeepsItsLines) {
  open(false);  // the fixture has the hour length but no colour row 0012
  const QByteArray before = readFile(skin);
  const int rebuildsBefore = rebuilds();
  script.colours.push_back(QColor(1, 2, 3));
  QTest::mouseClick(tab().PicOre, Qt::LeftButton);
  EXPECT_EQ(tab().PicOre->backColor(), QColor(1, 2, 3));
  EXPECT_EQ(w->preview->scene().hourHand.colour, QColor(1, 2, 3));
  EXPECT_EQ(rebuilds(), rebuildsBefore);
  for (int r = 0; r < w->doc.L_RGBA.rowCount(); ++r) EXPECT_FALSE(marked(w->doc.L_RGBA, r));
  EXPECT_EQ(readFile(skin), before);
}

TEST_F(LayoutEditing, RectanglesArePickedDraggedResizedAndNudgedOnTheScreen) {
  // Before any skin nothing can be picked.
  mouseAt(QTest::MousePress, QPoint(20, 20));
  QTest::keyClick(tab().PicDesktop, Qt::Key_Right);
  EXPECT_EQ(w->preview->selection(), -1);
  mouseAt(QTest::MouseRelease, QPoint(20, 20));
  open();
  for (int zoom : {1, 3}) {
    tab().cboZoom->setCurrentIndex(zoom - 1);
    // The pressed and released up keys are the same box: the top one wins.
    mouseAt(QTest::MouseClick, QPoint(86, 200));
    EXPECT_EQ(w->preview->selection(), 2) << zoom;
    mouseAt(QTest::MousePress, QPoint(20, 20));
    EXPECT_EQ(w->preview->selection(), 0);
    EXPECT_EQ(w->preview->scene().selected, 0);
    const int before = rebuilds();
    mouseAt(QTest::MouseMove, QPoint(22, 21));
    mouseAt(QTest::MouseMove, QPoint(23, 23));
    mouseAt(QTest::MouseRelease, QPoint(23, 23));
    EXPECT_EQ(rebuilds(), before + 2);
    EXPECT_EQ(rect("0570"), QStringList({"5", "17", "176", "35", "-", "-"})) << zoom;
    EXPECT_EQ(w->txt(1)->text(), QStringLiteral("17"));
    EXPECT_TRUE(w->pointedText().startsWith("0570 Testo dell'operatore: x 5, y 17"))
        << w->pointedText().toStdString();
    // Back by keys: one pixel, then the offset with Shift; both corners.
    for (int i = 0; i < 3; ++i) QTest::keyClick(tab().PicDesktop, Qt::Key_Left);
    QTest::keyClick(tab().PicDesktop, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(tab().PicDesktop, Qt::Key_Up);
    EXPECT_EQ(rect("0570").mid(0, 4), QStringList({"2", "14", "173", "32"})) << zoom;
    // The pointer stayed put: what it names is where the keys took it.
    EXPECT_TRUE(w->pointedText().startsWith("0570 Testo dell'operatore: x 2, y 14"))
        << w->pointedText().toStdString();
  }
  // The right edge: only x2 follows, and the boxes and the outline show it.
  mouseAt(QTest::MousePress, QPoint(173, 20));
  mouseAt(QTest::MouseMove, QPoint(160, 25));
  mouseAt(QTest::MouseRelease, QPoint(160, 25));
  EXPECT_EQ(rect("0570"), QStringList({"2", "14", "160", "32", "-", "-"}));
  EXPECT_EQ(w->txt(2)->text(), QStringLiteral("160"));
  EXPECT_EQ(tab().PicDesktop->frame().pixelColor(160, 20), QColor(0, 120, 255));
  // A digit on the screen goes to the first position box, which takes the focus.
  QTest::keyClick(tab().PicDesktop, Qt::Key_5);
  EXPECT_EQ(w->focusWidget(), w->txt(0));
  EXPECT_EQ(rect("0570")[0], QStringLiteral("5"));
  QTest::keyClick(tab().PicDesktop, Qt::Key_Escape);
  QTest::keyClick(tab().PicDesktop, Qt::Key_Down);
  EXPECT_EQ(w->preview->selection(), -1);
  EXPECT_EQ(saved({"1 570 "}), QList<QByteArray>{"1 570 5 14 160 32"});
}

// Every kind of edit, undone to the skin as opened and redone to the skin as
// edited: each time "Salva" must write the bytes a save without the detour
// writes. Then the unsaved-changes question on "Apri..." and on closing.
TEST_F(LayoutEditing, EveryEditUndoesAndRedoesToTheSameBytes) {
  const QString defaults = QStringLiteral(CORVELA_SOURCE_DIR "/default");
  auto openCopy = [&](const QString& name) {
    const QString folder = QDir(dir.path()).filePath(name);
    QDir().mkpath(folder);
    skin = copyDemoSkin(folder);
    openThroughDialog(*w, script, skin);
  };
  auto files = [&] {
    const QDir folder = QFileInfo(skin).dir();
    return std::pair(readFile(skin), readFile(folder.filePath(QStringLiteral("vodafone14.dat"))));
  };
  auto save = [&] {
    script.boxes.clear();
    clickToolButton(*w, QStringLiteral("SAVE"));
    EXPECT_TRUE(!script.boxes.empty() && script.boxes.back().title == kTitleInfo);
    return files();
  };
  auto edit = [&] {
    clickTab(*w, 0);
    retype(w->txt(1), QStringLiteral("19"));
    mouseAt(QTest::MousePress, QPoint(20, 22));
    mouseAt(QTest::MouseMove, QPoint(22, 23));
    mouseAt(QTest::MouseMove, QPoint(24, 25));
    mouseAt(QTest::MouseRelease, QPoint(24, 25));
    QTest::keyClick(tab().PicDesktop, Qt::Key_Right);
    for (QCheckBox* tick : tab().optPos) tick->setChecked(true);
    retype(tab().txtOffSet, QStringLiteral("3"));
    QTest::mouseClick(tab().cmdMoveLeft, Qt::LeftButton);
    retype(tab().txtMin, QStringLiteral("25"));
    script.colours.push_back(QColor(10, 200, 30));
    QTest::mouseClick(tab().PicMin, Qt::LeftButton);
    retype(w->txt(4), QStringLiteral("77"));
    clickTab(*w, 1);
    clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId(QStringLiteral("0630")));
    w->objectsPage()->chkDim->setChecked(false);
    script.files.push_back(QDir(defaults).filePath(QStringLiteral("675.gif")));
    QTest::mouseClick(w->objectsPage()->cmdImport, Qt::LeftButton);
    w->objectsTab()->defaultFolder = defaults;
    script.answers.push_back(Dialogs::Answer::Yes);
    QTest::mouseClick(w->objectsPage()->cmdDefaultAll, Qt::LeftButton);
    clickTab(*w, 0);
  };

  openCopy(QStringLiteral("opened"));
  const auto asOpened = save();
  openCopy(QStringLiteral("edited"));
  edit();
  const auto asEdited = save();
  ASSERT_NE(asEdited, asOpened);

  openCopy(QStringLiteral("undone"));
  const QImage openedFrame = tab().PicDesktop->frame();
  EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("vodafone.ski[*] - ")));
  edit();
  EXPECT_TRUE(w->isWindowModified());
  // Typed keys, a drag and the twelve ticked rectangles are one step each.
  EXPECT_EQ(w->doc.history().count(), 9);
  EXPECT_EQ(w->toolButton("UNDO")->toolTip(), QStringLiteral("Annulla: Skin di default"));
  while (w->toolButton("UNDO")->isEnabled()) clickToolButton(*w, QStringLiteral("UNDO"));
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_EQ(w->txt(1)->text(), QStringLiteral("14"));
  EXPECT_EQ(save(), asOpened);
  while (w->toolButton("REDO")->isEnabled()) clickToolButton(*w, QStringLiteral("REDO"));
  EXPECT_TRUE(w->isWindowModified());
  EXPECT_EQ(save(), asEdited);
  EXPECT_FALSE(w->isWindowModified());

  // That save packed new images and rewrote the working files: the history
  // stays, and every state saves again as it did, working folder included.
  auto working = [&](const QString& name) {
    const QDir folder(
        QDir(dir.path())
            .filePath(name + u'/' + QFileInfo(QDir::cleanPath(w->doc.P_sTarget)).fileName()));
    std::map<QString, QByteArray> gifs;
    for (const QString& f : folder.entryList(QDir::Files)) gifs[f] = readFile(folder.filePath(f));
    return gifs;
  };
  ASSERT_EQ(w->doc.history().count(), 9);
  EXPECT_EQ(w->doc.history().text(0), QStringLiteral("Posizione: Testo dell'operatore"));
  EXPECT_TRUE(w->doc.history().text(7).startsWith(QStringLiteral("Immagine: ")));
  while (w->toolButton("UNDO")->isEnabled()) clickToolButton(*w, QStringLiteral("UNDO"));
  EXPECT_TRUE(w->isWindowModified());
  EXPECT_EQ(w->txt(1)->text(), QStringLiteral("14"));
  // The soft keys below the clock show the images the save then writes.
  auto keys = [&](const QImage& frame) { return frame.copy(0, 180, frame.width(), 40); };
  EXPECT_EQ(keys(tab().PicDesktop->frame()), keys(openedFrame));
  EXPECT_EQ(save(), asOpened);
  EXPECT_EQ(working(QStringLiteral("undone")), working(QStringLiteral("opened")));
  EXPECT_FALSE(w->isWindowModified());
  while (w->toolButton("REDO")->isEnabled()) clickToolButton(*w, QStringLiteral("REDO"));
  EXPECT_NE(keys(tab().PicDesktop->frame()), keys(openedFrame));
  EXPECT_EQ(save(), asEdited);
  EXPECT_EQ(working(QStringLiteral("undone")), working(QStringLiteral("edited")));
  // Undone past the save once more: the pictures come from the history,
  // not from the files the last save wrote.
  for (int i = 0; i < 2; ++i) clickToolButton(*w, QStringLiteral("UNDO"));
  EXPECT_TRUE(w->isWindowModified());
  while (w->toolButton("UNDO")->isEnabled()) clickToolButton(*w, QStringLiteral("UNDO"));
  EXPECT_EQ(save(), asOpened);
  while (w->toolButton("REDO")->isEnabled()) clickToolButton(*w, QStringLiteral("REDO"));
  EXPECT_EQ(save(), asEdited);

  // Unsaved work: "Annulla" keeps it and asks for no file; "Salva" writes
  // it before the window closes.
  retype(w->txt(1), QStringLiteral("30"));
  const QByteArray line = "\n1 570 " + w->txt(0)->text().toLatin1() + " 30 ";
  const size_t requests = script.fileRequests.size();
  script.boxes.clear();
  script.answers.push_back(Dialogs::Answer::Cancel);
  QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].text,
            QStringLiteral("Salvare le modifiche a vodafone.ski prima di aprire un'altra skin?"));
  EXPECT_EQ(script.boxes[0].buttons, Dialogs::Buttons::SaveDiscardCancel);
  EXPECT_EQ(script.fileRequests.size(), requests);
  script.answers.push_back(Dialogs::Answer::Cancel);
  EXPECT_FALSE(w->close());
  EXPECT_EQ(script.boxes.back().text,
            QStringLiteral("Salvare le modifiche a vodafone.ski prima di uscire?"));
  EXPECT_TRUE(w->isWindowModified());
  EXPECT_FALSE(readFile(skin).contains(line));
  script.answers.push_back(Dialogs::Answer::Save);
  EXPECT_TRUE(w->close());
  EXPECT_TRUE(readFile(skin).contains(line));
}

}  // namespace
