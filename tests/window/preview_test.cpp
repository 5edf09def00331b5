// The phone screen rebuilt from the open skin, and what the user does on and
// around it: wallpaper, main-button slots, zoom, and the headless render that
// must show the same pixels.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "by_hand.h"
#include "desktop_surface.h"
#include "document_names.h"
#include "file_list_box.h"
#include "list_cells.h"
#include "main_menu.h"
#include "object_export.h"
#include "object_replace.h"
#include "picture_box.h"
#include "preview_controller.h"
#include "preview_tab.h"
#include "report_view.h"
#include "standby_painter.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

QImage solid(int width, int height, const QColor& colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

class Preview : public ShownWindow {
 protected:
  // The demo skin with every object extracted, opened through "Apri...".
  void openDemo() {
    skin = copyDemoSkin(dir.path());
    ASSERT_FALSE(skin.isEmpty());
    SkinDocument doc;
    doc.load(skin);
    exportAllObjects(doc);
    openThroughDialog(*w, script, skin);
  }
  QString gif(int object) const {
    return QDir(dir.path()).filePath(QStringLiteral("vodafone_Gifs/%1.gif").arg(object));
  }
  const StandbyScene& scene() const { return w->preview->scene(); }
  DesktopSurface& desk() const { return *w->tabPreview->PicDesktop; }
  PreviewTab& tab() const { return *w->tabPreview; }
  int rectRow(const char* code) const { return w->doc.L_Dim.findId(QString::fromLatin1(code)); }

  QString skin;
};

TEST_F(Preview, OpeningTheDemoShowsEveryRecordAndFillsAndBindsItsFields) {
  openDemo();
  const ReportList& rects = w->doc.L_Dim;
  ASSERT_EQ(scene().outlines.size(), 12u);
  int red = 0;
  for (const Outline& o : scene().outlines) red += o.color == QColor(255, 0, 0);
  EXPECT_EQ(red, 2);
  // The analogue clock box is drawn first, the date text last.
  const int analogue = rectRow("0006");
  EXPECT_EQ(scene().outlines.front().rect.topLeft(),
            QPoint(corvela::test::cellOf(rects, analogue, D_X1).toInt(),
                   corvela::test::cellOf(rects, analogue, D_Y1).toInt()));

  const int op = rectRow("0570");
  EXPECT_EQ(desk().lblOperatore->pos(), QPoint(corvela::test::cellOf(rects, op, D_X1).toInt() + 5,
                                               corvela::test::cellOf(rects, op, D_Y1).toInt() + 5));
  EXPECT_TRUE(desk().lblOperatore->isVisible());
  const int digital = rectRow("0574");
  EXPECT_EQ(desk().lblOra->geometry().right() + 1,
            corvela::test::cellOf(rects, digital, D_X2).toInt() - 5);
  EXPECT_EQ(w->refs().P_tPosDigitale, digital);
  EXPECT_EQ(w->refs().P_tItemOperatore, w->doc.L_RGBA.findId("0595"));
  EXPECT_GT(w->refs().P_tNodeMin, 0);
  EXPECT_GT(w->refs().P_tNodeBackColor, 0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(w->txt(10 + k)->text(), corvela::test::cellOf(rects, digital, D_X1 + k));
    EXPECT_TRUE(w->txt(10 + k)->isEnabled());
  }
  EXPECT_TRUE(tab().optPos[10]->isEnabled());
  EXPECT_TRUE(tab().PicMin->isEnabled());

  // Every slot shows its object, and the soft-key bar the released row.
  for (const auto& [object, slot] : tab().Pic) {
    EXPECT_TRUE(slot->isEnabled()) << object;
    EXPECT_FALSE(slot->isBordered()) << object;
    EXPECT_EQ(slot->picture().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              QImage(gif(object)).convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << object;
  }
  EXPECT_EQ(scene().softKeys[1].image, scene().Pic.at(632).image);
  // "Digitale" after opening: the clock face is hidden but placed.
  EXPECT_FALSE(desk().PicTime->isVisible());
  EXPECT_TRUE(scene().clockFace.loaded());
}

// Opened before its extraction, a skin gets what its working folder lacks and
// keeps what is there; a picture saved there by another program shows at
// once, counts as unsaved and is what "Salva" packs.
TEST_F(Preview, APictureWrittenBeforeTheFirstFrameIsTakenAsTheWatchesStart) {
  // As at start-up: a window shown, not yet painted, opens a skin and the
  // image program writes before the first frame, when no watch is set yet.
  w.reset();
  skin = copyDemoSkin(dir.path());
  SkinDocument doc;
  doc.load(skin);
  exportAllObjects(doc);
  w = std::make_unique<frmDesktop>(script.dialogs());
  w->show();
  w->openSkinFile(skin);
  const QByteArray outside = gifBytes(6, 4);
  writeFile(gif(634), outside);
  const int button = w->doc.L_Values.findId("0634");
  ASSERT_TRUE(QTest::qWaitFor([&] { return scene().Pic.at(634).image.size() == QSize(6, 4); }));
  EXPECT_EQ(shownCell(w->doc.L_Values, button, V_Stato, &w->doc.objectFacts()), kStateToReplace);
  EXPECT_TRUE(w->isWindowModified());
  // And the watches once set see the next picture too.
  writeFile(gif(634), gifBytes(7, 5));
  EXPECT_TRUE(QTest::qWaitFor([&] { return scene().Pic.at(634).image.size() == QSize(7, 5); }));
}

TEST_F(Preview, MissingImagesAreExtractedAtOpenAndImagesSavedOutsideShowAndArePacked) {
  // A working folder that cannot be written: the skin opens all the same.
  QTemporaryDir blocked;
  writeFile(QDir(blocked.path()).filePath("vodafone_Gifs"), "a file, not a folder");
  openThroughDialog(*w, script, copyDemoSkin(blocked.path()));
  EXPECT_TRUE(w->statusText().contains(" immagini mancanti non estratte: "))
      << w->statusText().toStdString();
  EXPECT_TRUE(w->SSTab1->isTabEnabled(frmDesktop::TabObjects));
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());

  skin = copyDemoSkin(dir.path());
  QDir().mkpath(QFileInfo(gif(632)).path());
  const QByteArray kept = gifBytes(9, 7);
  writeFile(gif(632), kept);
  openThroughDialog(*w, script, skin);
  EXPECT_EQ(readFile(gif(632)), kept);
  const ReportList& objects = w->doc.L_Values;
  const int centre = objects.findId("0632");
  EXPECT_EQ(shownCell(objects, centre, V_Stato, &w->doc.objectFacts()), kStateToReplace);
  const int face = objects.findId("0630");
  EXPECT_EQ(readFile(gif(630)),
            corvela::test::objectBytes(readFile(QDir(dir.path()).filePath("vodafone.dat")), objects,
                                       face));
  EXPECT_TRUE(tab().Pic.at(630)->hasPicture());
  EXPECT_TRUE(w->statusText().contains("1 oggetto modificato fuori da Corvela: sarà salvato - "))
      << w->statusText().toStdString();
  EXPECT_TRUE(w->statusText().contains(" immagini mancanti estratte nella cartella di lavoro"));
  EXPECT_EQ(w->windowTitle(), "vodafone.ski[*] - " + windowTitleFor(1, 0, 20));
  EXPECT_TRUE(w->isWindowModified());

  // Viewed in the objects tab, then overwritten by an image program.
  const int button = objects.findId("0634");
  clickTab(*w, frmDesktop::TabObjects);
  clickRow(w->objectsPage()->L_Values, button);
  // An import of it, taken back before the image program writes.
  const QString imported = QDir(dir.path()).filePath("imported.gif");
  writeFile(imported, gifBytes(5, 5));
  w->doc.perform(QStringLiteral("importa"), [&] { importObject(w->doc, button, imported, false); });
  clickToolButton(*w, "UNDO");
  const QByteArray outside = gifBytes(6, 4);
  writeFile(gif(634), outside);
  ASSERT_TRUE(QTest::qWaitFor([&] { return scene().Pic.at(634).image.size() == QSize(6, 4); }));
  // Redone and undone again: the row as it was before the picture changed
  // is marked again, so the save packs what the preview shows.
  clickToolButton(*w, "REDO");
  clickToolButton(*w, "UNDO");
  EXPECT_EQ(tab().Pic.at(634)->picture().toImage().pixelColor(1, 1), QColor(0, 0, 200));
  EXPECT_EQ(w->objectsPage()->PicPreview->picture().size(), QSize(6, 4));
  EXPECT_EQ(shownCell(objects, button, V_Stato, &w->doc.objectFacts()), kStateToReplace);
  EXPECT_TRUE(objects.row(button).edited);

  EXPECT_TRUE(w->statusText().contains(QStringLiteral("fuori da Corvela")));
  clickToolButton(*w, "SAVE");
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_FALSE(w->statusText().contains(QStringLiteral("fuori da Corvela")));
  const QByteArray archive = readFile(QDir(dir.path()).filePath("vodafone14.dat"));
  EXPECT_EQ(corvela::test::objectBytes(archive, objects, button), outside);
  EXPECT_EQ(corvela::test::objectBytes(archive, objects, centre), kept);

  // The working folder deleted: every image comes from its archive again.
  // Then a picture written in two goes is taken only once it is whole, and
  // the save keeps every image.
  ASSERT_TRUE(QDir(QFileInfo(gif(632)).path()).removeRecursively());
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(gif(632)); }));
  EXPECT_EQ(readFile(gif(632)), kept);
  const QByteArray whole = gifBytes(7, 5);
  writeFile(gif(634), whole.left(whole.size() / 2));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->statusText().contains("in scrittura"); }));
  QTest::qWait(600);
  EXPECT_EQ(scene().Pic.at(634).image.size(), QSize(6, 4));
  writeFile(gif(634), whole);
  ASSERT_TRUE(QTest::qWaitFor([&] { return scene().Pic.at(634).image.size() == QSize(7, 5); }));
  clickToolButton(*w, "SAVE");
  EXPECT_FALSE(w->isWindowModified());
  const QByteArray again = readFile(QDir(dir.path()).filePath("vodafone14.dat"));
  EXPECT_EQ(corvela::test::objectBytes(again, objects, button), whole);
  EXPECT_EQ(corvela::test::objectBytes(again, objects, centre), kept);
}

TEST_F(Preview, BoxesGetTheCellsAsTheyStandAndOutlinesFollowTheRectangles) {
  const QString file = Fixture::write(dir.path());
  openThroughDialog(*w, script, file);
  ReportList& rects = corvela::test::byHand(w->doc).rects;
  const int row = rectRow("0570");
  corvela::test::setField(rects, row, D_X1, QStringLiteral("007"));
  corvela::test::setField(rects, row, D_Y1, QString());
  w->UpdateDesktop();
  EXPECT_EQ(w->txt(0)->text(), QStringLiteral("007"));
  EXPECT_EQ(w->txt(1)->text(), QString());

  // A moved rectangle leaves no outline behind, in a skin whose background
  // line is there and in one without it (the colour then stays).
  const QColor before = scene().background;
  corvela::test::setField(rects, row, D_X1, QStringLiteral("50"));
  corvela::test::setField(rects, row, D_Y1, QStringLiteral("60"));
  w->UpdateDesktop();
  EXPECT_EQ(scene().outlines.size(), 2u);
  for (const Outline& o : scene().outlines)
    EXPECT_NE(o.rect, QRect(QPoint(10, 20), QPoint(30, 40)));
  EXPECT_TRUE(std::any_of(scene().outlines.begin(), scene().outlines.end(), [](const Outline& o) {
    return o.rect == QRect(QPoint(30, 40), QPoint(50, 60));
  }));
  EXPECT_EQ(scene().background, before);
}

TEST_F(Preview, ASkinWithoutTheBackgroundLineKeepsTheColourButNotTheOldOutlines) {
  const QString file = QDir(dir.path()).filePath(QStringLiteral("vodafone.ski"));
  writeFile(file, "SKI1\n0 41 98\n4 10 20 30 0\n1 570 10 20 30 40\n");
  openThroughDialog(*w, script, file);
  EXPECT_EQ(scene().background, QColor(10, 20, 30));
  writeFile(file, "SKI1\n1 570 60 70 80 90\n");
  openThroughDialog(*w, script, file);
  EXPECT_EQ(scene().background, QColor(10, 20, 30));
  ASSERT_EQ(scene().outlines.size(), 1u);
  EXPECT_EQ(scene().outlines[0].rect, QRect(QPoint(60, 70), QPoint(80, 90)));
  EXPECT_EQ(desk().frame().pixelColor(10, 20), QColor(10, 20, 30));
}

TEST_F(Preview, OpeningAnotherSkinForgetsTheImagesAndColoursOfTheLastOne) {
  openDemo();
  ASSERT_TRUE(tab().Pic.at(630)->isEnabled());
  QTemporaryDir other;
  openThroughDialog(*w, script, Fixture::write(other.path()));
  for (const auto& [object, slot] : tab().Pic) {
    EXPECT_FALSE(slot->hasPicture()) << object;
    EXPECT_FALSE(slot->isEnabled()) << object;
    EXPECT_TRUE(slot->isBordered()) << object;
  }
  EXPECT_FALSE(scene().softKeys[0].loaded());
  // The fixture has no hour-hand or date colour.
  EXPECT_EQ(tab().PicOre->backColor(), QColor(Qt::black));
  EXPECT_FALSE(tab().PicTxtColor2->isEnabled());
  // The fixture's clock face 0007 is its own 12 x 10 image, not the demo's.
  EXPECT_EQ(scene().clockFace.image.size(), QSize(12, 10));
}

TEST_F(Preview, ImagesFollowTheirFilesWithinOneSkin) {
  openDemo();
  const QImage shown = scene().Pic.at(630).image;
  // Rewritten on disk: the new content shows, even at the same size.
  writeFile(gif(630), gifBytes(shown.width(), shown.height()));
  w->UpdateDesktop();
  EXPECT_EQ(scene().Pic.at(630).image.pixelColor(1, 1), QColor(0, 0, 200));
  // Another kind of picture under the GIF's name is never packed, so the
  // slot shows the object of the archive, which the save keeps.
  QImage green(shown.size(), QImage::Format_RGB32);
  green.fill(Qt::green);
  ASSERT_TRUE(green.save(gif(630), "PNG"));
  w->UpdateDesktop();
  EXPECT_EQ(scene().Pic.at(630).image.convertToFormat(QImage::Format_ARGB32),
            shown.convertToFormat(QImage::Format_ARGB32));
  // Deleted, or no longer an image: the slot shows the archive's object
  // again, which is what a save takes then.
  writeFile(gif(630), gifBytes(shown.width(), shown.height()));
  QFile::remove(gif(630));
  writeFile(gif(632), "GIF89a and nothing else");
  const QImage centre = scene().Pic.at(632).image;
  w->UpdateDesktop();
  EXPECT_EQ(scene().Pic.at(630).image.convertToFormat(QImage::Format_ARGB32),
            shown.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(scene().Pic.at(632).image, centre);
  EXPECT_TRUE(tab().Pic.at(632)->isEnabled());
}

TEST_F(Preview, RebuildsThatChangeNoBoxRaiseNoChangeAndTickingTheWallpaperRebuildsOnce) {
  writeFile(QDir(dir.path()).filePath(QStringLiteral("Sfondo.jpg")),
            QByteArray());  // sorted first, undecodable: the wallpaper stays as it was
  solid(176, 220, QColor(0, 200, 0))
      .save(QDir(dir.path()).filePath(QStringLiteral("wallpaper.jpg")));
  const QString file = Fixture::write(dir.path());
  openThroughDialog(*w, script, file);
  // The undecodable first file left no picture: the background shows.
  EXPECT_TRUE(scene().wallpaper.isNull());

  QSignalSpy changes(w->txt(0), &QLineEdit::textChanged);
  const int before = w->preview->rebuildCount();
  w->UpdateDesktop();
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(w->preview->rebuildCount(), before + 1);

  // Choosing the lower-case JPG shows it; unticking removes it at once.
  tab().FileDesktop->setListIndex(1);
  EXPECT_NEAR(scene().wallpaper.pixelColor(88, 110).green(), 200, 8);
  tab().chkWallPaper->click();
  EXPECT_TRUE(scene().wallpaper.isNull());
  EXPECT_FALSE(tab().FileDesktop->isEnabled());
  EXPECT_EQ(tab().FileDesktop->listIndex(), -1);
  // Ticking again selects the first file and shows it in the same rebuild.
  const int ticked = w->preview->rebuildCount();
  tab().chkWallPaper->click();
  EXPECT_EQ(tab().FileDesktop->listIndex(), 0);
  EXPECT_EQ(w->preview->rebuildCount(), ticked + 1);
}

TEST_F(Preview, AnotherWallpaperFolderIsListedAndItsFilesLoadFromThere) {
  openThroughDialog(*w, script, Fixture::write(dir.path()));
  QTemporaryDir pictures;
  writeFile(QDir(pictures.path()).filePath(QStringLiteral("B.GIF")), gifBytes(176, 220));
  script.folders.push_back(QString());  // cancelled: nothing changes
  tab().cmdSelImg->click();
  EXPECT_EQ(tab().FileDesktop->path(), dir.path());
  script.folders.push_back(pictures.path());
  tab().cmdSelImg->click();
  EXPECT_EQ(script.folderRequests.back(), QStringLiteral("Seleziona una directory:"));
  ASSERT_EQ(tab().FileDesktop->count(), 1);
  tab().FileDesktop->setListIndex(0);
  EXPECT_EQ(scene().wallpaper.pixelColor(1, 1), QColor(0, 0, 200));
}

TEST_F(Preview, ClickingASlotOpensItsObjectAndAnEmptyOneDoesNothing) {
  openDemo();
  PictureBox* slot = tab().Pic.at(652);
  QTest::mouseClick(slot, Qt::LeftButton, {}, slot->rect().center());
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabObjects);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), w->doc.L_Values.findId("0652"));
  EXPECT_TRUE(w->objectsPage()->cmdImport->isEnabled());

  // Left enabled by nothing: a slot of an object the skin lacks.
  clickTab(*w, frmDesktop::TabPreview);
  w->preview->Pic_Click(999);
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabPreview);
}

TEST_F(Preview, HandsStandOnTheAnalogueBoxInTheirFixedPose) {
  const QString file = QDir(dir.path()).filePath(QStringLiteral("vodafone.ski"));
  writeFile(file,
            "SKI1\n2 8 18\n2 11 12\n4 9 255 0 0 0\n4 12 0 0 255 0\n1 6 10 20 41 51\n"
            "1 574 90 60 173 80\n");
  openThroughDialog(*w, script, file);
  tab().optTime[1]->click();
  EXPECT_TRUE(desk().PicTime->isVisible());
  EXPECT_FALSE(desk().lblOra->isVisible());
  EXPECT_EQ(scene().minuteHand.p1, QPoint(25, 35));
  EXPECT_EQ(scene().minuteHand.p2, QPoint(43, 35));
  EXPECT_EQ(scene().hourHand.p2, QPoint(25, 23));
  EXPECT_TRUE(scene().minuteHand.visible);
  EXPECT_EQ(desk().frame().pixelColor(43, 35), QColor(255, 0, 0));
  EXPECT_EQ(desk().frame().pixelColor(25, 24), QColor(0, 0, 255));

  // A box at x1 = 0 places nothing; "Digitale" hides the hands.
  corvela::test::setField(corvela::test::byHand(w->doc).rects, rectRow("0006"), D_X1,
                          QStringLiteral("0"));
  w->UpdateDesktop();
  EXPECT_EQ(scene().minuteHand.p1, QPoint(25, 35));
  tab().optTime[0]->click();
  EXPECT_FALSE(scene().minuteHand.visible);
  EXPECT_TRUE(desk().lblOra->isVisible());
}

TEST_F(Preview, ZoomKeepsSkinCoordinatesAndTheStatusBarShowsThePixelUnderTheMouse) {
  openThroughDialog(*w, script, Fixture::write(dir.path()));
  tab().cboZoom->setCurrentIndex(2);
  EXPECT_EQ(desk().size(), QSize(3 * 176, 3 * 220));
  QCoreApplication::processEvents();  // the view centres the larger screen
  tab().screenView()->ensureVisible(3 * 40 + 1, 3 * 100 + 2);
  QTest::mouseMove(&desk(), QPoint(3 * 40 + 1, 3 * 100 + 2));
  EXPECT_EQ(w->coordinatesText(), QStringLiteral("40, 100"));

  // Ctrl and the wheel zoom around the pointer: the skin pixel under it stays.
  const QPoint at(3 * 40 + 1, 3 * 100 + 2);
  const QPoint before = desk().mapTo(tab().screenView()->viewport(), at);
  QWheelEvent wheel(QPointF(at), desk().mapToGlobal(QPointF(at)), {}, QPoint(0, 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&desk(), &wheel);
  EXPECT_EQ(desk().zoom(), 4);
  EXPECT_LE((desk().mapTo(tab().screenView()->viewport(), QPoint(4 * 40, 4 * 100)) - before)
                .manhattanLength(),
            4);

  // Down to 1000 x 600 the page reflows instead of scrolling as a whole.
  resizeWindow(*w, 1000, 600);
  const auto* page = qobject_cast<QScrollArea*>(w->SSTab1->currentWidget());
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(page->horizontalScrollBar()->isVisible())
      << "page " << page->viewport()->width() << " wide, needs " << tab().minimumSizeHint().width();
  EXPECT_FALSE(page->verticalScrollBar()->isVisible())
      << "page " << page->viewport()->height() << " high, needs "
      << tab().minimumSizeHint().height();

  // A zoom picked by hand stays as the window grows; Ctrl+0 takes all the
  // room at its first press, and from then on the screen follows the window.
  resizeWindow(*w, 1400, 900);
  EXPECT_EQ(desk().zoom(), 4);
  const auto fills = [&] {
    const QSize room = tab().screenView()->viewport()->size();
    EXPECT_LE(desk().width(), room.width());
    EXPECT_LE(desk().height(), room.height());
    EXPECT_TRUE(desk().width() + 176 > room.width() || desk().height() + 220 > room.height());
  };
  QTest::keyClick(w.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_GE(desk().zoom(), 2);
  fills();
  resizeWindow(*w, 1900, 1300);
  EXPECT_GE(desk().zoom(), 3);
  fills();
  // Picking from the list the very zoom shown is a pick all the same.
  const int picked = desk().zoom();
  emit tab().cboZoom->activated(picked - 1);
  resizeWindow(*w, 2600, 1800);
  EXPECT_EQ(desk().zoom(), picked);
  EXPECT_EQ(w->SB0->findChild<QLabel*>(QStringLiteral("SB0Text"))->accessibleName(),
            w->statusText());
}

TEST_F(Preview, TheWindowAndTheHeadlessRenderShowTheSamePixels) {
  openDemo();
  const QString png = QDir(dir.path()).filePath(QStringLiteral("screen.png"));
  QProcess tool;
  const auto render = [&](int scale, const QStringList& aids) {
    tool.start(QStringLiteral(CORVELA_TOOL),
               QStringList{QStringLiteral("render"), skin, png, QStringLiteral("--scale"),
                           QString::number(scale), QStringLiteral("--date"), desk().lblData->text(),
                           QStringLiteral("--time"), desk().lblOra->text()} +
                   aids);
    EXPECT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
  };
  const auto shown = [&] { return desk().grab().toImage().convertToFormat(QImage::Format_RGB32); };

  // The window rings its outlines; the same render is asked for with --halo.
  tab().cboZoom->setCurrentIndex(1);
  const QImage atTwo = render(2, {QStringLiteral("--halo")});
  ASSERT_EQ(atTwo.size(), QSize(352, 440));
  EXPECT_EQ(shown(), atTwo);

  // From 4x the window adds the pixel grid, and the checkerboard once it is
  // switched on; a plain render has none of the three aids.
  w->menu->actCheckerboard->trigger();
  tab().cboZoom->setCurrentIndex(3);
  const QImage withAids = shown();
  EXPECT_EQ(withAids, render(4, {"--halo", "--grid", "--checkerboard"}));
  const QImage plain = render(4, {});
  EXPECT_NE(withAids, plain);
  EXPECT_EQ(plain, scaleCrisp(renderStandby(desk().scene()), 4));

  // A bad option is a usage error and writes nothing.
  QFile::remove(png);
  tool.start(QStringLiteral(CORVELA_TOOL),
             {QStringLiteral("render"), skin, png, QStringLiteral("--scale"), QStringLiteral("9")});
  ASSERT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 2);
  EXPECT_FALSE(QFile::exists(png));
}

}  // namespace

namespace {

TEST_F(Preview, SwatchesColourTheScreenTheTextsAndTheirRecordsAndTheSaveWritesThem) {
  const QString file = Fixture::write(dir.path());
  openThroughDialog(*w, script, file);
  script.colours = {QColor(0, 0, 128), QColor(10, 200, 30), QColor()};
  QTest::mouseClick(tab().PicBGColor1, Qt::LeftButton);
  EXPECT_EQ(script.colourRequests.front(), QColor(200, 220, 255));  // the swatch's colour
  const int node = w->refs().P_tNodeBackColor;
  EXPECT_EQ(w->doc.T_Strutt.node(node).text, QStringLiteral("4 0 0 128 0"));
  EXPECT_TRUE(w->doc.T_Strutt.node(node).edited);
  EXPECT_FALSE(tab().chkWallPaper->isChecked());
  EXPECT_EQ(desk().frame().pixelColor(100, 150), QColor(0, 0, 128));

  QTest::mouseClick(tab().PicTxtColor1, Qt::LeftButton);
  const int row = w->doc.L_RGBA.findId("0595");
  EXPECT_EQ(corvela::test::cellsOf(w->doc.L_RGBA, row, 1, 4),
            QStringList({"10", "200", "30", "7"}));  // the transparency stays
  EXPECT_EQ(scene().operatorText.colour, QColor(10, 200, 30));
  // Cancelled: nothing changes. The fixture has no date colour: the label
  // takes the colour, the document nothing.
  QTest::mouseClick(tab().PicTxtColor1, Qt::LeftButton);
  EXPECT_EQ(corvela::test::cellOf(w->doc.L_RGBA, row, C_R), QStringLiteral("10"));
  tab().PicTxtColor2->setEnabled(true);
  script.colours = {QColor(1, 2, 3)};
  QTest::mouseClick(tab().PicTxtColor2, Qt::LeftButton);
  EXPECT_EQ(scene().dateText.colour, QColor(1, 2, 3));

  clickToolButton(*w, QStringLiteral("SAVE"));
  const QStringList lines = QString::fromLatin1(readFile(file)).split(u'\n');
  EXPECT_EQ(lines.value(3), QStringLiteral("4 0 0 128 0"));
  EXPECT_EQ(lines.value(6), QStringLiteral("4 595 10 200 30 7"));

  // The background's own colour row edited later, on the colours tab: that
  // is the user's last word on the line, shown and saved; undone, the
  // picked colour is back.
  int background = -1;
  for (int r = 0; r < w->doc.L_RGBA.rowCount(); ++r) {
    if (corvela::rowLine(w->doc.L_RGBA, r) == 3) background = r;
  }
  ASSERT_GE(background, 0);
  w->showRecord(corvela::ProblemPlace::Colours, background);
  script.colours = {QColor(0, 255, 255)};
  QTest::mouseClick(w->coloursPage()->PicColor, Qt::LeftButton);
  clickTab(*w, frmDesktop::TabPreview);
  EXPECT_EQ(desk().frame().pixelColor(100, 150), QColor(0, 255, 255));
  // The structure shows the line as it will be written.
  const corvela::SkinTreeModel* tree = w->structurePage()->T_Strutt->treeModel();
  EXPECT_EQ(tree->data(tree->indexOfNode(4), Qt::DisplayRole).toString(), "4 0 255 255 0");
  clickToolButton(*w, QStringLiteral("SAVE"));
  EXPECT_EQ(QString::fromLatin1(readFile(file)).split(u'\n').value(3),
            QStringLiteral("4 0 255 255 0"));
  clickToolButton(*w, QStringLiteral("UNDO"));
  EXPECT_EQ(desk().frame().pixelColor(100, 150), QColor(0, 0, 128));
  clickToolButton(*w, QStringLiteral("SAVE"));
  EXPECT_EQ(QString::fromLatin1(readFile(file)).split(u'\n').value(3),
            QStringLiteral("4 0 0 128 0"));

  // A group whose first line is another record keeps it, and the user hears why.
  writeFile(file, readFile(file).replace("\n4 0 0 128 0\n", "\n2 5 1\n"));
  openThroughDialog(*w, script, file);
  script.boxes.clear();
  script.colours = {QColor(9, 9, 9)};
  QTest::mouseClick(tab().PicBGColor1, Qt::LeftButton);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_TRUE(script.boxes[0].text.contains("(riga 3: \"2 5 1\") non è il colore di sfondo"))
      << script.boxes[0].text.toStdString();
  EXPECT_EQ(w->doc.T_Strutt.node(w->refs().P_tNodeBackColor).text, QStringLiteral("2 5 1"));
}

}  // namespace

namespace {

TEST_F(Preview, TheScreenFillsANewWindowAndThePointerNamesWhatItIsOver) {
  resizeWindow(*w, 1600, 1100);
  EXPECT_GE(desk().zoom(), 3) << "the screen stays small in a large window";
  openDemo();
  const int z = desk().zoom();

  // The digital clock's text is named by the rectangle that places it.
  const QPoint clock = scene().clockText.geometry.center();
  QTest::mouseMove(&desk(), clock * z + QPoint(z / 2, z / 2));
  const int clockRow = rectRow("0574");
  const QRect box(QPoint(corvela::test::cellOf(w->doc.L_Dim, clockRow, D_X1).toInt(),
                         corvela::test::cellOf(w->doc.L_Dim, clockRow, D_Y1).toInt()),
                  QPoint(corvela::test::cellOf(w->doc.L_Dim, clockRow, D_X2).toInt(),
                         corvela::test::cellOf(w->doc.L_Dim, clockRow, D_Y2).toInt()));
  // Its size in the words of the list's own columns.
  EXPECT_EQ(w->pointedText(), QStringLiteral("0574 Orologio digitale: x %1, y %2, %3 × %4")
                                  .arg(box.x())
                                  .arg(box.y())
                                  .arg(corvela::test::cellOf(w->doc.L_Dim, clockRow, D_Larghezza),
                                       corvela::test::cellOf(w->doc.L_Dim, clockRow, D_Altezza)));
  EXPECT_EQ(desk().highlight(), box);
  // Over the soft key its image is named, at its own size; a double click
  // picks its row on the objects tab.
  const QPoint key = scene().softKeys[0].geometry.center() * z;
  QTest::mouseMove(&desk(), key);
  EXPECT_TRUE(w->pointedText().startsWith(QStringLiteral("0630 Tasto sinistro rilasciato: ")))
      << w->pointedText().toStdString();
  EXPECT_TRUE(w->pointedText().endsWith(QStringLiteral("79 × 22")));
  QTest::mouseDClick(&desk(), Qt::LeftButton, {}, key);
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabObjects);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), w->doc.L_Values.findId("0630"));
  clickTab(*w, frmDesktop::TabPreview);
  QTest::mouseDClick(&desk(), Qt::LeftButton, {}, clock * z);
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabRects);
  EXPECT_EQ(w->rectsPage()->L_Dim->selectedListRow(), clockRow);
  clickTab(*w, frmDesktop::TabPreview);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&desk(), &leave);
  EXPECT_EQ(w->pointedText(), QString());
  EXPECT_FALSE(desk().highlight());
}

TEST_F(Preview, APanelTakesItsRoomFromTheScreenAndTheLayoutComesBackNextRun) {
  resizeWindow(*w, 1024, 700);
  auto* boxes = w->findChild<QScrollArea*>(QStringLiteral("PicBoxesView"));
  ASSERT_NE(boxes, nullptr);
  const int boxesWidth = boxes->width();
  const int screenWidth = tab().screenView()->width();
  w->menu->actHistory->trigger();
  QCoreApplication::processEvents();
  // The screen gives way first; the boxes never hide a column, and what
  // the page cannot keep, it scrolls.
  EXPECT_LT(tab().screenView()->width(), screenWidth);
  EXPECT_LE(boxes->width(), boxesWidth);
  EXPECT_GE(boxes->viewport()->width() + boxes->horizontalScrollBar()->maximum(),
            boxes->widget()->minimumSizeHint().width());
  const auto* page = qobject_cast<QScrollArea*>(w->SSTab1->currentWidget());
  ASSERT_NE(page, nullptr);
  EXPECT_GE(page->viewport()->width() + page->horizontalScrollBar()->maximum(),
            tab().minimumSizeHint().width());

  tab().splPreview->setSizes({300, 600});
  const QList<int> sizes = tab().splPreview->sizes();
  w->setAskBeforeClosing(false);
  w->close();
  frmDesktop next(script.dialogs());
  next.restoreLayout();
  next.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
  EXPECT_EQ(next.size(), QSize(1024, 700));
  EXPECT_TRUE(next.findChild<QDockWidget*>(QStringLiteral("dockHistory"))->isVisible());
  EXPECT_EQ(next.tabPreview->splPreview->sizes(), sizes);
  next.setAskBeforeClosing(false);
}

}  // namespace
