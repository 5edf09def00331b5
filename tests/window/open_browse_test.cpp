// Opening a skin from "Apri..." and browsing it: the lists and the tree as
// the user reads them, and what a click on a row, a header or a node does.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <map>

#include "by_hand.h"
#include "document_names.h"
#include "file_list_box.h"
#include "gif_page_view.h"
#include "icon_pictures.h"
#include "list_cells.h"
#include "main_menu.h"
#include "object_viewer.h"
#include "picture_box.h"
#include "preview_tab.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class OpenedSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    skin = Fixture::write(dir.path());
    w = std::make_unique<frmDesktop>(script.dialogs());
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    openThroughDialog(*w, script, skin);
  }
  void TearDown() override { w->setAskBeforeClosing(false); }

  QString gif(const QString& name) const {
    return QDir(dir.path()).filePath(QStringLiteral("vodafone_Gifs/") + name);
  }
  QVariant shown(ReportView* v, int listRow, int column, int role = Qt::DisplayRole) const {
    return v->viewIndex(listRow, column).data(role);
  }

  QTemporaryDir dir;
  QString skin;
  Script script;
  std::unique_ptr<frmDesktop> w;
};

TEST_F(OpenedSkin, AsksForTheFileWithTheSkinDialogAndLoadsItWhole) {
  ASSERT_EQ(script.fileRequests.size(), 1u);
  EXPECT_EQ(script.fileRequests[0].title, QStringLiteral("Seleziona file .SKI..."));
  EXPECT_EQ(script.fileRequests[0].filter,
            QStringLiteral("Skin file (*.ski);;Skin condivisa (*.zip)"));
  EXPECT_TRUE(script.boxes.empty());  // the operator's skin, well formed
  // 20.gif differs from its object but is no picture: named, not marked.
  EXPECT_EQ(w->statusText(),
            QStringLiteral("Skin: ") + QDir::toNativeSeparators(skin) + " - " +
                QDir::toNativeSeparators(gif("20.gif")) +
                " non è una GIF valida: l'oggetto non sarà salvato con questo file (immagine di "
                "25120x29813 pixel, oltre il limite di 2048x2048)");
  EXPECT_EQ(
      shownCell(w->doc.L_Values, w->doc.L_Values.findId("0020"), V_Stato, &w->doc.objectFacts()),
      kStateFound);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(w->SSTab1->isTabEnabled(i)) << i;
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());
  EXPECT_EQ(w->objectsPage()->L_Values->model()->rowCount(), Fixture::objectCount);
  EXPECT_EQ(w->coloursPage()->L_RGBA->model()->rowCount(), Fixture::colourCount);
  EXPECT_EQ(w->rectsPage()->L_Dim->model()->rowCount(), Fixture::rectCount);
  // The archive list shows the skin folder's archives and nothing else.
  QStringList archives;
  for (int i = 0; i < w->objectsPage()->FileDat->count(); ++i)
    archives << w->objectsPage()->FileDat->fileName(i);
  EXPECT_EQ(archives, QStringList({"vodafone.dat", "vodafone1.dat", "vodafone14.dat"}));
  EXPECT_EQ(QDir(w->objectsPage()->FileDat->path()), QDir(dir.path()));
  EXPECT_EQ(QDir(w->tabPreview->FileDesktop->path()), QDir(dir.path()));
}

TEST_F(OpenedSkin, CancellingTheDialogChangesNothing) {
  const QString before = w->statusText();
  clickToolButton(*w, "LOAD");  // no file scripted: the user cancels
  EXPECT_EQ(script.fileRequests.size(), 2u);
  EXPECT_EQ(w->statusText(), before);
  EXPECT_EQ(w->doc.L_Values.rowCount(), Fixture::objectCount);
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());
}

TEST_F(OpenedSkin, ObjectListShowsColumnsStatesColoursAndIconsSortedById) {
  ReportView* v = w->objectsPage()->L_Values;
  const QStringList headers = {"ID",   "OffSet", "N° Dat",   "Offset",
                               "Byte", "Stato",  "Path GIF", "Indice"};
  for (int c = 0; c < headers.size(); ++c) {
    EXPECT_EQ(v->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
  }
  // Column widths at 15 twips a pixel; "OffSet" (width 0) is hidden.
  EXPECT_TRUE(v->isColumnHidden(V_OffSet));
  EXPECT_EQ(v->columnWidth(V_ID), 94);
  EXPECT_EQ(v->columnWidth(V_Stato), 169);
  EXPECT_EQ(v->columnWidth(V_PathGif), 529);
  EXPECT_EQ(Qt::Alignment(shown(v, 0, V_Offset, Qt::TextAlignmentRole).toInt()) &
                Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  EXPECT_EQ(
      Qt::Alignment(shown(v, 0, V_Stato, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
      Qt::AlignHCenter);

  // Shown by ID after the load; the document keeps the file's order.
  EXPECT_EQ(shownColumn(v, V_ID), QStringList({"0003", "0007", "0012", "0020", "0030"}));
  EXPECT_EQ(v->sortColumn(), V_ID);
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_Values, 0, V_ID), QStringLiteral("0007"));

  const int found = w->doc.L_Values.findId("0007");
  EXPECT_EQ(shown(v, found, V_Stato).toString(), kStateFound);
  EXPECT_EQ(shown(v, found, V_PathGif).toString(), gif("7.gif"));
  EXPECT_EQ(shown(v, found, V_Indice).toString(), QStringLiteral("0013"));
  EXPECT_EQ(shown(v, found, V_NDat).toString(), QStringLiteral("00"));
  EXPECT_EQ(shown(v, found, V_ID, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
  EXPECT_EQ(shown(v, found, 0, ReportListModel::IconNumberRole).toInt(), IconFound);
  EXPECT_FALSE(shown(v, found, 0, Qt::DecorationRole).value<QIcon>().isNull());

  const int missing = w->doc.L_Values.findId("0003");
  EXPECT_EQ(shown(v, missing, V_Stato).toString(), kStateMissing);
  EXPECT_EQ(shown(v, missing, V_PathGif).toString(), QStringLiteral(" "));
  EXPECT_EQ(shown(v, missing, V_ID, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  EXPECT_EQ(shown(v, missing, 0, ReportListModel::IconNumberRole).toInt(), IconMissing);

  const int packed = w->doc.L_Values.findId("0012");
  EXPECT_EQ(shown(v, packed, V_Stato).toString(), kStateToReplace);
  EXPECT_EQ(shown(v, packed, V_ID, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
  EXPECT_TRUE(shown(v, packed, V_ID, Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(shown(v, found, V_ID, Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(shown(v, packed, 0, ReportListModel::IconNumberRole).toInt(), IconReplaced);
  // Icons sit in the first column only.
  EXPECT_TRUE(shown(v, packed, V_Stato, Qt::DecorationRole).isNull());
}

TEST_F(OpenedSkin, ColourAndRectangleListsKeepFileOrderAndMarkRowsWithoutId) {
  EXPECT_EQ(shownColumn(w->coloursPage()->L_RGBA, C_ID), QStringList({"-", "-", "0595", "0009"}));
  EXPECT_EQ(shownColumn(w->coloursPage()->L_RGBA, C_Indice),
            QStringList({"0001", "0003", "0006", "0007"}));
  EXPECT_EQ(shownColumn(w->coloursPage()->L_RGBA, C_R), QStringList({"1", "200", "300", "230"}));
  EXPECT_EQ(w->coloursPage()->L_RGBA->columnWidth(C_Trasparenza), 141);
  EXPECT_TRUE(shown(w->coloursPage()->L_RGBA, 0, 0, Qt::DecorationRole).isNull());
  EXPECT_FALSE(shown(w->coloursPage()->L_RGBA, 2, 0, Qt::DecorationRole).isNull());

  EXPECT_EQ(shownColumn(w->rectsPage()->L_Dim, D_ID), QStringList({"0570", "0006", "-"}));
  EXPECT_EQ(shownColumn(w->rectsPage()->L_Dim, D_Larghezza), QStringList({"20", "0", "171"}));
  EXPECT_EQ(w->rectsPage()->L_Dim->columnWidth(D_X1), 59);
  EXPECT_TRUE(shown(w->rectsPage()->L_Dim, 2, 0, Qt::DecorationRole).isNull());
  // Neither list has a row selected after the load.
  EXPECT_EQ(w->coloursPage()->L_RGBA->selectedListRow(), -1);
  EXPECT_EQ(w->rectsPage()->L_Dim->selectedListRow(), -1);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), -1);
}

TEST_F(OpenedSkin, TreeShowsEveryLineWithPicturesBoldGroupsAndTags) {
  SkinTreeModel* m = w->structurePage()->T_Strutt->treeModel();
  ASSERT_EQ(m->rowCount(), 1);
  const QModelIndex root = m->index(0, 0);
  EXPECT_EQ(root.data().toString(), QStringLiteral("SKI1"));
  EXPECT_EQ(root.data(SkinTreeModel::PictureRole).toInt(), IconTreeRoot);
  EXPECT_TRUE(w->structurePage()->T_Strutt->isExpanded(root));
  // Under the root: the line before any group, then the two groups.
  ASSERT_EQ(m->rowCount(root), 3);
  EXPECT_EQ(m->index(0, 0, root).data().toString(), QStringLiteral("4 1 2 3 0"));
  EXPECT_EQ(m->index(0, 0, root).data(SkinTreeModel::TagRole).toString(), QStringLiteral("_1"));
  const QModelIndex group = m->index(1, 0, root);
  EXPECT_EQ(group.data().toString(), QStringLiteral("0 41 98"));
  EXPECT_TRUE(group.data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(group.data(SkinTreeModel::PictureRole).toInt(), IconTreeGroup);
  ASSERT_EQ(m->rowCount(group), 5);
  EXPECT_EQ(m->index(0, 0, group).data(SkinTreeModel::TagRole).toString(),
            QStringLiteral("0 41 98_1"));
  EXPECT_EQ(m->index(1, 0, group).data(SkinTreeModel::PictureRole).toInt(), IconTreeSetting);
  const QModelIndex second = m->index(2, 0, root);
  ASSERT_EQ(m->rowCount(second), 9);
  EXPECT_EQ(m->index(0, 0, second).data(SkinTreeModel::PictureRole).toInt(), IconTreeRect);
  EXPECT_EQ(m->index(3, 0, second).data(SkinTreeModel::PictureRole).toInt(), IconTreeKind3);
  EXPECT_EQ(m->index(4, 0, second).data(SkinTreeModel::PictureRole).toInt(), IconTreeObject);
  // Node i stands for line i - 1.
  EXPECT_EQ(m->indexOfNode(14).data().toString(), QStringLiteral("5 7 0 100 0"));
  EXPECT_EQ(m->nodeOf(m->indexOfNode(14)), 14);

  // Edited to longer values, a colour line shows as the save will write it,
  // and the column widens to show it whole.
  clickTab(*w, 4);
  SkinTreeView* tree = w->structurePage()->T_Strutt;
  tree->expandAll();
  w->doc.perform("passo", [&] {
    for (const ColourColumn c : {C_R, C_G, C_B})
      corvela::test::setField(corvela::test::byHand(w->doc).colours, 0, c, QStringLiteral("255"));
    corvela::test::setField(corvela::test::byHand(w->doc).colours, 0, C_Trasparenza,
                            QStringLiteral("1234567890"));
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(m->index(0, 0, root).data().toString(), QStringLiteral("4 255 255 255 1234567890"));
  EXPECT_GE(tree->columnWidth(0), static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0));
}

TEST_F(OpenedSkin, EachTabSaysWhatItHoldsAndOnlyThePreviewOpensSkins) {
  clickTab(*w, 1);
  EXPECT_EQ(w->SSTab1->currentIndex(), 1);
  EXPECT_EQ(w->statusText(), QStringLiteral("N° oggetti definiti in elenco: 5"));
  EXPECT_FALSE(w->toolButton("LOAD")->isEnabled());
  clickTab(*w, 2);
  EXPECT_EQ(w->statusText(), QStringLiteral("N° colori definiti in elenco: 4"));
  EXPECT_FALSE(w->toolButton("LOAD")->isEnabled());
  clickTab(*w, 3);
  EXPECT_EQ(w->statusText(), QStringLiteral("N° colori definiti in elenco: 4"));  // unchanged
  clickTab(*w, 4);
  EXPECT_EQ(w->statusText(), QString());
  clickTab(*w, 5);
  EXPECT_EQ(w->statusText(), QString());  // unchanged
  EXPECT_FALSE(w->toolButton("LOAD")->isEnabled());
  clickTab(*w, 0);
  EXPECT_TRUE(w->toolButton("LOAD")->isEnabled());
  EXPECT_EQ(w->statusText(), QStringLiteral("Skin: ") + QDir::toNativeSeparators(skin));
}

TEST_F(OpenedSkin, MenusReopenRecentSkinsSaveWithCtrlSAndOpenDroppedSkins) {
  // Outside the preview tab no skin is opened: not by the tool bar, the
  // menu, its shortcut, the recent skins or a drop.
  clickTab(*w, 2);
  QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(script.fileRequests.size(), 1u);
  EXPECT_FALSE(w->menu->recentMenu->isEnabled());
  {
    QMimeData skinFile;
    skinFile.setUrls({QUrl::fromLocalFile(skin)});
    QDragEnterEvent elsewhere(QPoint(50, 50), Qt::CopyAction, &skinFile, Qt::LeftButton, {});
    elsewhere.setAccepted(false);
    QCoreApplication::sendEvent(w.get(), &elsewhere);
    EXPECT_FALSE(elsewhere.isAccepted());
  }
  // Back on the preview the shortcut opens, starting in the skin's folder.
  clickTab(*w, 0);
  QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(script.fileRequests.size(), 2u);
  EXPECT_EQ(QDir(script.fileRequests[1].startFolder), QDir(dir.path()));
  clickTab(*w, 2);

  // Ctrl+S saves exactly as "Salva" does, from any widget of the window.
  w->coloursPage()->L_RGBA->setFocus();
  QTest::keyClick(w->coloursPage()->L_RGBA, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, kTitleInfo);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("vodafone_old.ski")));

  // A second skin opened by a drop goes to the top of the recent skins.
  clickTab(*w, 0);
  QTemporaryDir other;
  const QString second = Fixture::write(other.path());
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(second)});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(w.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(w.get(), &drop);
  EXPECT_EQ(w->doc.skinFile(), second);
  ASSERT_GE(w->menu->recentSkins().size(), 2);
  EXPECT_EQ(w->menu->recentSkins().mid(0, 2), QStringList({second, skin}));

  // A file that is not a skin is refused at the door.
  QMimeData text;
  text.setUrls({QUrl::fromLocalFile(dir.filePath("vodafone.dat"))});
  QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, {});
  refused.setAccepted(false);
  QCoreApplication::sendEvent(w.get(), &refused);
  EXPECT_FALSE(refused.isAccepted());

  // "Apri recenti" brings the first skin back, and Salva follows the button.
  w->menu->recentMenu->actions().at(1)->trigger();
  EXPECT_EQ(w->doc.skinFile(), skin);
  EXPECT_EQ(w->menu->actSave->isEnabled(), w->toolButton("SAVE")->isEnabled());
  w->toolButton("SAVE")->setEnabled(false);
  EXPECT_FALSE(w->menu->actSave->isEnabled());
}

TEST_F(OpenedSkin, ClickingAnObjectShowsItsImageSizeAndTag) {
  clickTab(*w, 1);
  const int row = w->doc.L_Values.findId("0007");
  clickRow(w->objectsPage()->L_Values, row);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), row);
  for (QWidget* on : {static_cast<QWidget*>(w->objectsPage()->cmdImport),
                      static_cast<QWidget*>(w->objectsPage()->cmdDefault),
                      static_cast<QWidget*>(w->objectsPage()->chkDim),
                      static_cast<QWidget*>(w->objectsPage()->chkConferma)}) {
    EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
  }
  ASSERT_TRUE(w->objectsPage()->PicPreview->hasPicture());
  EXPECT_EQ(w->objectsPage()->PicPreview->picture().size(), QSize(12, 10));
  EXPECT_EQ(w->objectsPage()->lInfo->text(), QStringLiteral("(hxw) = 10x12"));
  EXPECT_EQ(w->objectsPage()->WB->LocationURL(), aniGifPage(gif("7.gif")));
  EXPECT_EQ(w->objectsPage()->WB->imagePath(), gif("7.gif"));
  EXPECT_EQ(w->statusText(), QStringLiteral("Tag: 0 100 0"));

  // An object without its GIF empties the preview and still shows the tag.
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0003"));
  EXPECT_FALSE(w->objectsPage()->PicPreview->hasPicture());
  EXPECT_EQ(w->objectsPage()->lInfo->text(), QStringLiteral("..."));
  EXPECT_EQ(w->objectsPage()->WB->LocationURL(), noGifPage());
  EXPECT_EQ(w->statusText(), QStringLiteral("Tag: 20 30 1"));
}

TEST_F(OpenedSkin, AnUndecodableImageReportsTheFailureInsteadOfTheTag) {
  clickTab(*w, 1);
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0007"));
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0020"));
  EXPECT_TRUE(w->statusText().startsWith(QStringLiteral("Errore n° 481, ")))
      << w->statusText().toStdString();
  // Nothing of the previous object stays on show.
  EXPECT_FALSE(w->objectsPage()->PicPreview->hasPicture());
  EXPECT_EQ(w->objectsPage()->WB->LocationURL(), noGifPage());
}

TEST_F(OpenedSkin, KeyboardMovesPickObjectsLikeClicks) {
  clickTab(*w, 1);
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0003"));  // first row shown
  QTest::keyClick(w->objectsPage()->L_Values, Qt::Key_Down);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), w->doc.L_Values.findId("0007"));
  EXPECT_EQ(w->statusText(), QStringLiteral("Tag: 0 100 0"));
  EXPECT_TRUE(w->objectsPage()->PicPreview->hasPicture());
}

TEST_F(OpenedSkin, HeaderClicksSortTheObjectsByTextWithoutTouchingTheDocument) {
  clickTab(*w, 1);
  clickHeader(w->objectsPage()->L_Values, V_Offset);
  EXPECT_EQ(shownColumn(w->objectsPage()->L_Values, V_Offset),
            QStringList({"0", "100", "1000", "150", "20"}));
  // Again: still upwards, the header does not turn the order round.
  clickHeader(w->objectsPage()->L_Values, V_Offset);
  EXPECT_EQ(shownColumn(w->objectsPage()->L_Values, V_Offset),
            QStringList({"0", "100", "1000", "150", "20"}));
  clickHeader(w->objectsPage()->L_Values, V_Byte);
  EXPECT_EQ(shownColumn(w->objectsPage()->L_Values, V_Byte),
            QStringList({"10", "100", "30", "50", "64"}));
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_Values, 0, V_ID), QStringLiteral("0007"));

  // A click on a sorted row still picks the row it shows.
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0012"));
  EXPECT_EQ(w->statusText(), QStringLiteral("Tag: 150 64 14"));
}

TEST_F(OpenedSkin, ClickingAColourPaintsTheSwatchAndShowsTransparencyAndPlace) {
  clickTab(*w, 2);
  clickRow(w->coloursPage()->L_RGBA, 1);  // the background, a colour without id
  EXPECT_EQ(w->coloursPage()->PicColor->backColor(), QColor(200, 220, 255));
  EXPECT_EQ(w->txt(50)->text(), QStringLiteral("0"));
  EXPECT_TRUE(w->txt(50)->isEnabled());
  EXPECT_EQ(w->statusText(), QStringLiteral("Indice: 2/4"));

  clickRow(w->coloursPage()->L_RGBA, 2);  // red 300 counts as 255
  EXPECT_EQ(w->coloursPage()->PicColor->backColor(), QColor(255, 0, 128));
  EXPECT_EQ(w->txt(50)->text(), QStringLiteral("7"));
  EXPECT_EQ(w->statusText(), QStringLiteral("Indice: 3/4"));
  // Showing a colour is no edit of it.
  EXPECT_FALSE(w->doc.L_RGBA.row(2).edited);
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_RGBA, 2, C_Trasparenza), QStringLiteral("7"));
}

QColor pixelOf(PictureBox* box, int x, int y) {
  const QImage image = box->grab().toImage();
  const QPoint origin = box->contentsRect().topLeft();
  return image.pixelColor(origin.x() + x, origin.y() + y);
}

TEST_F(OpenedSkin, ClickingRectanglesDrawsThemAndPulituraClearsFirst) {
  clickTab(*w, 3);
  ASSERT_FALSE(w->rectsPage()->chkCls->isChecked());
  clickRow(w->rectsPage()->L_Dim, 0);  // 10,20 - 30,40
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 10, 20), QColor(Qt::black));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 30, 40), QColor(Qt::black));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 20, 30), QColor(0, 0, 255));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 31, 41), QColor(Qt::white));

  clickRow(w->rectsPage()->L_Dim, 1);  // 0,0 - 0,0: one pixel
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 0, 0), QColor(Qt::black));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 1, 1), QColor(Qt::white));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 20, 30), QColor(0, 0, 255));  // the first one stays

  QTest::mouseClick(w->rectsPage()->chkCls, Qt::LeftButton, {},
                    QPoint(8, w->rectsPage()->chkCls->height() / 2));
  ASSERT_TRUE(w->rectsPage()->chkCls->isChecked());
  clickRow(w->rectsPage()->L_Dim, 2);  // 2,180 - 173,196
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 20, 30), QColor(Qt::white));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 0, 0), QColor(Qt::white));
  EXPECT_EQ(pixelOf(w->rectsPage()->PicOBJ, 100, 190), QColor(0, 0, 255));
}

TEST_F(OpenedSkin, ClickingNodesShowsTheirTags) {
  clickTab(*w, 4);
  clickNode(w->structurePage()->T_Strutt, 4);  // first line of "0 41 98"
  EXPECT_EQ(w->statusText(), QStringLiteral("0 41 98_1"));
  clickNode(w->structurePage()->T_Strutt, 14);
  EXPECT_EQ(w->statusText(), QStringLiteral("0 42 10_5"));
  clickNode(w->structurePage()->T_Strutt, 1);  // the root has no tag
  EXPECT_EQ(w->statusText(), QString());
  clickNode(w->structurePage()->T_Strutt, 14);
  clickNode(w->structurePage()->T_Strutt, 3);  // a group neither
  EXPECT_EQ(w->statusText(), QString());
  // Moving down with the keys picks the next node like a click.
  clickNode(w->structurePage()->T_Strutt, 14);
  QTest::keyClick(w->structurePage()->T_Strutt, Qt::Key_Down);
  EXPECT_EQ(w->structurePage()->T_Strutt->currentNode(), 15);
  EXPECT_EQ(w->statusText(), QStringLiteral("0 42 10_6"));
}

TEST_F(OpenedSkin, ViewsFollowWhatEditorsWriteIntoTheDocument) {
  clickTab(*w, 2);
  corvela::test::setField(corvela::test::byHand(w->doc).colours, 2, C_R, QStringLiteral("77"));
  corvela::test::byHand(w->doc).colours.setEdited(2, true);
  EXPECT_EQ(shown(w->coloursPage()->L_RGBA, 2, C_R).toString(), QStringLiteral("77"));
  EXPECT_EQ(shown(w->coloursPage()->L_RGBA, 2, C_ID, Qt::ForegroundRole).value<QColor>(),
            QColor(0, 0, 255));
  EXPECT_TRUE(shown(w->coloursPage()->L_RGBA, 2, C_ID, Qt::FontRole).value<QFont>().bold());

  corvela::test::setField(corvela::test::byHand(w->doc).objects, 0, V_ID,
                          QStringLiteral("0001"));  // sorted view re-sorts
  EXPECT_EQ(shownColumn(w->objectsPage()->L_Values, V_ID).first(), QStringLiteral("0001"));
  corvela::test::byHand(w->doc).objects.setState(0, ObjectState::ToReplace);
  EXPECT_EQ(shown(w->objectsPage()->L_Values, 0, 0, ReportListModel::IconNumberRole).toInt(),
            IconReplaced);

  ListRow extra;
  extra.record = ColourRecord{Field::read(u"0777"), 0, {}, {}, {}};
  corvela::test::byHand(w->doc).colours.appendRow(extra);
  EXPECT_EQ(w->coloursPage()->L_RGBA->model()->rowCount(), 5);
  EXPECT_EQ(shown(w->coloursPage()->L_RGBA, 4, C_ID).toString(), QStringLiteral("0777"));

  corvela::test::byHand(w->doc).tree.setText(5, QStringLiteral("2 8 20"));
  corvela::test::byHand(w->doc).tree.setEdited(5, true);
  const QModelIndex node = w->structurePage()->T_Strutt->treeModel()->indexOfNode(5);
  EXPECT_EQ(node.data().toString(), QStringLiteral("2 8 20"));
  EXPECT_EQ(node.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));

  corvela::test::byHand(w->doc).colours.clear();
  EXPECT_EQ(w->coloursPage()->L_RGBA->model()->rowCount(), 0);
}

TEST_F(OpenedSkin, OpeningAgainReplacesEverythingAndResetsTheEditors) {
  clickTab(*w, 2);
  clickRow(w->coloursPage()->L_RGBA, 2);
  clickTab(*w, 1);
  clickRow(w->objectsPage()->L_Values, w->doc.L_Values.findId("0007"));
  clickTab(*w, 0);
  w->tabPreview->txt[3]->selectAll();
  QTest::keyClicks(w->tabPreview->txt[3], QStringLiteral("99"));
  ASSERT_TRUE(w->isWindowModified());

  script.answers.push_back(Dialogs::Answer::Discard);
  openThroughDialog(*w, script, skin);
  EXPECT_EQ(w->objectsPage()->L_Values->model()->rowCount(), Fixture::objectCount);
  EXPECT_EQ(w->structurePage()->T_Strutt->treeModel()->rowCount(
                w->structurePage()->T_Strutt->treeModel()->index(0, 0)),
            3);
  // Only the records the skin has fill their boxes again, from the file:
  // what was typed before is gone.
  const std::map<int, QString> filled{{0, "10"}, {1, "20"}, {2, "30"}, {3, "40"}, {4, "7"},
                                      {14, "0"}, {15, "0"}, {16, "0"}, {17, "0"}};
  for (int i = 0; i <= 50; ++i) {
    const auto f = filled.find(i);
    EXPECT_EQ(w->txt(i)->text(), f == filled.end() ? QString() : f->second) << i;
    EXPECT_EQ(w->txt(i)->isEnabled(), f != filled.end()) << i;
  }
  EXPECT_TRUE(w->tabPreview->txtOffSet->isEnabled());
  EXPECT_TRUE(w->tabPreview->cmdUpdate->isEnabled());
  EXPECT_TRUE(w->tabPreview->optTime[0]->isChecked());
  EXPECT_FALSE(w->objectsPage()->cmdImport->isEnabled());
  EXPECT_FALSE(w->objectsPage()->PicPreview->hasPicture());
  EXPECT_EQ(w->objectsPage()->WB->LocationURL(), noGifPage());
  EXPECT_EQ(w->refs().P_tItemData, -1);
  EXPECT_EQ(w->refs().P_tItemOperatore, w->doc.L_RGBA.findId("0595"));

  // A hand length its box did not show yet is written back in the form an
  // edit of the box writes, as part of opening: no step, no unsaved mark.
  // One the box showed already stays as read.
  writeFile(skin, Fixture::skinText().replace("2 8 18", "2 8  25 ").replace("2 11 12", "2 11  12"));
  openThroughDialog(*w, script, skin);
  EXPECT_EQ(w->doc.T_Strutt.node(5).text, QStringLiteral("2 8 25"));
  EXPECT_TRUE(w->doc.T_Strutt.node(5).edited);
  EXPECT_EQ(w->doc.T_Strutt.node(6).text, QStringLiteral("2 11  12"));
  EXPECT_FALSE(w->doc.T_Strutt.node(6).edited);
  EXPECT_FALSE(w->doc.history().canUndo());
  EXPECT_FALSE(w->isWindowModified());
}

TEST(DemoSkin, OpensWithEveryRecordInItsList) {
  QTemporaryDir dir;
  QString skin = copyDemoSkin(dir.path());
  if (skin.isEmpty()) skin = Fixture::write(dir.path());  // no demo in this checkout
  const QList<QByteArray> lines = readFile(skin).split('\n');
  int objects = 0, colours = 0, rects = 0;
  for (const QByteArray& l : lines) {
    objects += l.startsWith('5');
    colours += l.startsWith('4');
    rects += l.startsWith('1');
  }
  Script script;
  frmDesktop w(script.dialogs());
  w.show();
  openThroughDialog(w, script, skin);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_TRUE(w.toolButton("SAVE")->isEnabled());
  EXPECT_EQ(w.objectsPage()->L_Values->model()->rowCount(), objects);
  EXPECT_EQ(w.coloursPage()->L_RGBA->model()->rowCount(), colours);
  EXPECT_EQ(w.rectsPage()->L_Dim->model()->rowCount(), rects);
  const QStringList ids = shownColumn(w.objectsPage()->L_Values, V_ID);
  QStringList sorted = ids;
  sorted.sort();
  EXPECT_EQ(ids, sorted);
  EXPECT_EQ(w.structurePage()->T_Strutt->treeModel()->tree().nodeCount(),
            static_cast<int>(lines.size()) - 1);
  w.setAskBeforeClosing(false);
}

}  // namespace
