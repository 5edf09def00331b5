// Which loads allow saving, the messages a load shows, and "Salva" with the
// files it leaves on disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "by_hand.h"
#include "compare_panel.h"
#include "desktop_surface.h"
#include "document_names.h"
#include "list_cells.h"
#include "preview_tab.h"
#include "problems_panel.h"
#include "skin_document.h"
#include "skin_preload.h"
#include "skin_saver.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class Loading : public ShownWindow {
 protected:
  QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
  bool allTabsEnabled() const {
    for (int i = 0; i < w->SSTab1->count(); ++i) {
      if (!w->SSTab1->isTabEnabled(i)) return false;
    }
    return true;
  }
};

TEST_F(Loading, AnotherSkinNameLoadsWholeWarnsAndCannotBeSaved) {
  openThroughDialog(*w, script, Fixture::write(dir.path(), QStringLiteral("mytheme.ski")));
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Attenzione:"));
  EXPECT_EQ(script.boxes[0].text,
            QStringLiteral("Corvela permette di modificare solo la skin originale del v980!"));
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(script.boxes[0].buttons, Dialogs::Buttons::Ok);
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  EXPECT_TRUE(allTabsEnabled());
  EXPECT_EQ(w->objectsPage()->L_Values->model()->rowCount(), Fixture::objectCount);
  // Archive 14 objects of another skin are not repacked.
  const int row = w->doc.L_Values.findId("0012");
  EXPECT_EQ(w->objectsPage()->L_Values->viewIndex(row, V_Stato).data().toString(), kStateFound);
}

TEST_F(Loading, OnlyTheOperatorFileNameInAnyCaseCanBeSaved) {
  const QString skin = Fixture::write(dir.path(), QStringLiteral("VODAFONE.SKI"));
  openThroughDialog(*w, script, skin);
  EXPECT_TRUE(script.boxes.empty());
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());

  // A copy beside it has the same theme: its save would overwrite the real
  // skin's archive and backup.
  ASSERT_TRUE(QFile::copy(skin, path("VODAFONE.copy.ski")));
  const QByteArray archive = readFile(path("VODAFONE14.dat"));
  openThroughDialog(*w, script, path("VODAFONE.copy.ski"));
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Attenzione:"));
  EXPECT_TRUE(script.boxes[0].text.contains("VODAFONE14.dat"))
      << script.boxes[0].text.toStdString();
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  w->SalvaSkin();
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[1].text, script.boxes[0].text);
  EXPECT_EQ(readFile(path("VODAFONE14.dat")), archive);
  EXPECT_FALSE(QFileInfo::exists(path("VODAFONE_old.ski")));
}

TEST_F(Loading, AWrongFirstLineIsRefusedAndLeavesSavingOff) {
  writeFile(path("vodafone.ski"), "SKX1\n4 1 2 3 0\n");
  openThroughDialog(*w, script, path("vodafone.ski"));
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Errore:"));
  EXPECT_EQ(script.boxes[0].text, QStringLiteral("Formato del file skin non valido!"));
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::Critical);
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  // The closing steps still ran: the (empty) skin can be browsed.
  EXPECT_TRUE(allTabsEnabled());
  EXPECT_EQ(w->structurePage()->T_Strutt->model()->rowCount(), 0);
}

TEST_F(Loading, AWrongFirstLineOfAnotherNameShowsBothMessagesInOrder) {
  writeFile(path("other.ski"), "nope\n");
  openThroughDialog(*w, script, path("other.ski"));
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[0].text, QStringLiteral("Formato del file skin non valido!"));
  EXPECT_EQ(script.boxes[1].title, QStringLiteral("Attenzione:"));
}

TEST_F(Loading, ALoadThatStopsEarlyDisablesSavingAndSaysWhy) {
  openThroughDialog(*w, script, Fixture::write(dir.path()));
  ASSERT_TRUE(w->toolButton("SAVE")->isEnabled());

  const QString broken = path("sub/vodafone.ski");
  QDir().mkpath(path("sub"));
  writeFile(broken, "SKI1\n0 41 98\n4 200 220 255 0\nx not a record\n5 7 0 100 0\n");
  openThroughDialog(*w, script, broken);
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  // Stopped before the closing steps: the tabs stay off as InitSystem left them.
  EXPECT_FALSE(w->SSTab1->isTabEnabled(1));
  EXPECT_EQ(w->coloursPage()->L_RGBA->model()->rowCount(), 1);  // what came before the bad line
  EXPECT_EQ(w->objectsPage()->L_Values->model()->rowCount(), 0);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Errore:"));
  EXPECT_TRUE(script.boxes[0].text.contains(QStringLiteral("riga 3")))
      << script.boxes[0].text.toStdString();

  // The disabled button does nothing, and the save itself refuses.
  const QByteArray before = readFile(broken);
  w->TB0_ButtonClick(w->toolButton("SAVE"));
  EXPECT_EQ(script.boxes.size(), 1u);
  w->SalvaSkin();
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[1].title, QStringLiteral("Errore:"));
  EXPECT_EQ(readFile(broken), before);
  EXPECT_FALSE(QFileInfo::exists(path("sub/vodafone_old.ski")));
  EXPECT_FALSE(QFileInfo::exists(path("sub/vodafone14.dat")));
}

TEST_F(Loading, AnEmptyFileStopsTheLoadWithSavingOff) {
  writeFile(path("vodafone.ski"), QByteArray());
  openThroughDialog(*w, script, path("vodafone.ski"));
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());
  EXPECT_FALSE(allTabsEnabled());
  EXPECT_EQ(w->statusText(),
            QStringLiteral("Skin: ") + QDir::toNativeSeparators(path("vodafone.ski")));
  // The working folder is made before the file is read.
  EXPECT_TRUE(QFileInfo(path("vodafone_Gifs")).isDir());
}

TEST_F(Loading, SaveWritesTheSkinKeepsTheOldOneAndPacksArchive14) {
  const QString skin = Fixture::write(dir.path());
  const QByteArray original = readFile(skin);
  const QByteArray packedGif = readFile(path("vodafone_Gifs/12.gif"));
  openThroughDialog(*w, script, skin);
  ASSERT_TRUE(w->toolButton("SAVE")->isEnabled());
  // An edit made by an editor reaches the file.
  corvela::test::setField(corvela::test::byHand(w->doc).colours, 3, C_G, QStringLiteral("99"));

  // While its message waits for the user, another program may read the
  // skin: the save's lock on the folder is gone.
  bool lockedDuringMessage = true;
  script.whenShown = [&](const ShownBox&) {
    const int fd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    lockedDuringMessage = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
  };
  clickToolButton(*w, "SAVE");
  script.whenShown = nullptr;
  EXPECT_FALSE(lockedDuringMessage);
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Informazione:"));
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::Information);
  EXPECT_EQ(script.boxes[0].text, kSavedWithArchive);

  EXPECT_EQ(readFile(path("vodafone_old.ski")), original);
  const QList<QByteArray> lines = readFile(skin).split('\n');
  ASSERT_GE(lines.size(), 17);
  EXPECT_EQ(lines[7], QByteArray("4 9 230 99 0 0"));
  EXPECT_EQ(lines[16], QByteArray("5 12 0 ") + QByteArray::number(packedGif.size()) + " 14");
  EXPECT_EQ(lines[13], QByteArray("5 7 0 100 0"));
  // The archive holds exactly the packed object: the older, longer one is gone.
  EXPECT_EQ(readFile(path("vodafone14.dat")), packedGif);
  // The save paints what it packed red and leaves the document open.
  const int row = w->doc.L_Values.findId("0012");
  EXPECT_EQ(
      w->objectsPage()->L_Values->viewIndex(row, V_ID).data(Qt::ForegroundRole).value<QColor>(),
      QColor(255, 0, 0));
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());

  // A second save keeps the first save's file as the old one.
  const QByteArray firstSave = readFile(skin);
  clickToolButton(*w, "SAVE");
  EXPECT_EQ(readFile(path("vodafone_old.ski")), firstSave);
}

TEST_F(Loading, SaveAsWritesTheSkinIntoAnotherFolderAndOpensTheCopy) {
  // A sibling of the skin cannot be saved where it is; a folder of its own
  // is the way out.
  const QString skin = Fixture::write(dir.path(), QStringLiteral("vodafone.copy.ski"));
  const QByteArray original = readFile(skin);
  openThroughDialog(*w, script, skin);
  corvela::test::setField(corvela::test::byHand(w->doc).colours, 3, C_G, QStringLiteral("99"));
  auto saveAs = [&] {
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  };
  QTemporaryDir other;
  const QString copy = QDir(other.path()).filePath("vodafone.ski");
  writeFile(copy, "SKI1\n");

  script.boxes.clear();
  script.folders = {dir.path(), other.path()};
  saveAs();  // its own folder is refused
  saveAs();  // one holding a skin is asked about, and No leaves it
  ASSERT_EQ(script.boxes.size(), 2u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Errore:"));
  EXPECT_EQ(script.boxes[1].title, QStringLiteral("Domanda:"));
  EXPECT_EQ(readFile(copy), "SKI1\n");

  script.folders = {other.path()};
  script.answers = {Dialogs::Answer::Yes};
  saveAs();
  ASSERT_EQ(script.boxes.size(), 4u);
  EXPECT_EQ(script.boxes[3].title, QStringLiteral("Informazione:"))
      << script.boxes[3].text.toStdString();
  // The copy holds the edit, the skin it overwrote as the backup, the
  // archives, the working folder and the first original; the skin it came
  // from is as it was.
  EXPECT_EQ(readFile(copy).split('\n').value(7), QByteArray("4 9 230 99 0 0"));
  EXPECT_EQ(readFile(QDir(other.path()).filePath("vodafone_old.ski")), "SKI1\n");
  EXPECT_EQ(readFile(QDir(other.path()).filePath("vodafone1.dat")),
            readFile(path("vodafone1.dat")));
  EXPECT_EQ(readFile(QDir(other.path()).filePath("vodafone_Gifs/7.gif")),
            readFile(path("vodafone_Gifs/7.gif")));
  EXPECT_EQ(readFile(QDir(other.path()).filePath(".corvela/vodafone_orig.ski")), original);
  EXPECT_EQ(readFile(skin), original);
  EXPECT_EQ(w->doc.skinFile(), copy);
  EXPECT_TRUE(w->toolButton("SAVE")->isEnabled());
  EXPECT_FALSE(w->doc.isModified());
}

TEST_F(Loading, SaveAsksBeforeOverwritingWhatAnotherProgramChanged) {
  const QString skin = Fixture::write(dir.path());
  openThroughDialog(*w, script, skin);
  ASSERT_TRUE(script.boxes.empty());
  const QByteArray theirs = readFile(skin) + "2 99 1\n";
  writeFile(skin, theirs);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Domanda:"));
  EXPECT_EQ(
      script.boxes[0].text,
      QStringLiteral("vodafone.ski è stato modificato da un altro programma. Sovrascrivere?"));
  EXPECT_EQ(script.boxes[0].buttons, Dialogs::Buttons::YesNo);
  EXPECT_EQ(readFile(skin), theirs);
  EXPECT_FALSE(QFileInfo::exists(path("vodafone_old.ski")));

  // "Sì" overwrites it and keeps it as the old skin; the window's own save is
  // then no outside change.
  script.answers.push_back(Dialogs::Answer::Yes);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.size(), 3u);
  EXPECT_EQ(script.boxes[2].text, kSavedWithArchive);
  EXPECT_EQ(readFile(path("vodafone_old.ski")), theirs);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.size(), 4u);
  EXPECT_EQ(script.boxes[3].text, kSavedWithArchive);

  // An archive rewritten with its size and time kept, as a copy keeping
  // times leaves it.
  const QByteArray archive = path("vodafone14.dat").toLocal8Bit();
  struct stat before {};
  ASSERT_EQ(::stat(archive.constData(), &before), 0);
  QByteArray changed = readFile(path("vodafone14.dat"));
  changed[changed.size() - 2] = static_cast<char>(changed[changed.size() - 2] ^ 1);
  writeFile(path("vodafone14.dat"), changed);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, archive.constData(), times, 0), 0);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.size(), 5u);
  EXPECT_EQ(
      script.boxes[4].text,
      QStringLiteral("vodafone14.dat è stato modificato da un altro programma. Sovrascrivere?"));
  EXPECT_EQ(readFile(path("vodafone14.dat")), changed);
}

TEST_F(Loading, AFailedSaveIsReportedAsAnError) {
  const QString skin = Fixture::write(dir.path());
  openThroughDialog(*w, script, skin);
  // The image to pack cut short by another program after the load.
  const QString gif = path("vodafone_Gifs/12.gif");
  writeFile(gif, readFile(gif).left(30));
  const QByteArray before = readFile(skin);
  clickToolButton(*w, "SAVE");
  ASSERT_EQ(script.boxes.size(), 1u);
  EXPECT_EQ(script.boxes[0].title, QStringLiteral("Errore:"));
  EXPECT_EQ(script.boxes[0].icon, Dialogs::Icon::Critical);
  EXPECT_TRUE(script.boxes[0].text.contains(QDir::toNativeSeparators(gif)));
  EXPECT_EQ(readFile(skin), before);
}

}  // namespace

TEST_F(Loading, AMissingArchiveIsListedUnderProblemiAtOnceAndLeadsToItsObject) {
  const QString skin = Fixture::write(dir.path());
  const QByteArray archive1 = readFile(dir.filePath("vodafone1.dat"));
  QFile::remove(dir.filePath("vodafone1.dat"));
  openThroughDialog(*w, script, skin);
  // With the skin's first frame, not a moment after.
  EXPECT_TRUE(w->problemsPanel->isVisible());
  QTreeWidget* list = w->problemsPanel->list();
  const QList<QTreeWidgetItem*> found =
      list->findItems("archivio vodafone1.dat mancante: oggetti 0003, 0030", Qt::MatchExactly, 3);
  ASSERT_EQ(found.size(), 1);
  EXPECT_EQ(found[0]->text(2), "vodafone1.dat");
  const auto* count = w->SB0->findChild<QLabel*>("SB0Problems");
  EXPECT_TRUE(count->isVisible());
  EXPECT_EQ(count->text(), QStringLiteral("%1 problemi").arg(list->topLevelItemCount()));

  // The objects list filtered down to another object: the record picked
  // here is shown all the same, the filter given up.
  auto* filter = w->objectsPage()->findChild<QLineEdit*>("txtFiltra");
  ASSERT_NE(filter, nullptr);
  filter->setText("0030");
  list->scrollToItem(found[0]);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return list->viewport()->rect().contains(list->visualItemRect(found[0]).center()); }));
  const QRect line = list->visualItemRect(found[0]);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabObjects);
  EXPECT_EQ(w->objectsPage()->L_Values->selectedListRow(), w->doc.L_Values.findId("0003"));
  EXPECT_TRUE(filter->text().isEmpty());

  // Put back, the archive's problem goes as soon as the folder shows it.
  writeFile(dir.filePath("vodafone1.dat"), archive1);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return list->findItems("archivio vodafone1.dat mancante", Qt::MatchStartsWith, 3).isEmpty();
  }));
  const int before = list->topLevelItemCount();
  w->doc.perform("passo", [&] {
    corvela::test::setField(corvela::test::byHand(w->doc).rects, 0, D_X1, "500");
  });
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return list->findItems("posizione 0570 fuori dallo schermo", Qt::MatchStartsWith, 3).size() ==
           1;
  }));
  // The edited line is written as before, only with its new value: no problem.
  EXPECT_TRUE(list->findItems("il salvataggio riscrive", Qt::MatchStartsWith, 3).isEmpty());
  EXPECT_NE(list->topLevelItemCount(), before);
}

// The skin named on the command line is read while the window is built; the
// window must then show exactly what its own load shows, facts of the disk
// and problems included, and only for the file it was read for.
TEST_F(Loading, ASkinReadWhileTheWindowIsBuiltOpensAsTheWindowsOwnLoad) {
  const QString skin = Fixture::write(dir.path());
  QFile::remove(dir.filePath("vodafone1.dat"));
  writeFile(path("vodafone_Gifs/12.gif"), gifBytes(3, 3));
  struct Shown {
    QStringList states, files, problems;
    QString status, title;
    bool modified = false;
  };
  const auto shown = [](frmDesktop& window) {
    Shown s{shownColumn(window.objectsPage()->L_Values, V_Stato),
            shownColumn(window.objectsPage()->L_Values, V_PathGif),
            {},
            window.statusText(),
            window.windowTitle(),
            window.doc.isModified()};
    QTreeWidget* list = window.problemsPanel->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      s.problems << list->topLevelItem(i)->text(3);
    return s;
  };
  w->openSkinFile(skin);
  const Shown own = shown(*w);
  ASSERT_TRUE(own.modified);  // the working file changed outside
  ASSERT_TRUE(own.states.contains(kStateMissing));
  ASSERT_FALSE(own.problems.isEmpty());

  Script otherScript;
  frmDesktop other(otherScript.dialogs());
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  SkinPreload preload(skin);
  other.openSkinFile(skin, &preload);
  EXPECT_TRUE(preload.taken());
  const Shown taken = shown(other);
  EXPECT_EQ(taken.states, own.states);
  EXPECT_EQ(taken.files, own.files);
  EXPECT_EQ(taken.problems, own.problems);
  EXPECT_EQ(taken.status, own.status);
  EXPECT_EQ(taken.title, own.title);
  EXPECT_EQ(taken.modified, own.modified);
  EXPECT_EQ(otherScript.boxes.size(), script.boxes.size());
  // Edits and the save work on what was taken over.
  other.doc.perform("passo", [&] {
    corvela::test::setField(corvela::test::byHand(other.doc).rects, 0, D_X1, "7");
  });
  const QByteArray before = readFile(skin);
  EXPECT_TRUE(other.SalvaSkin());
  EXPECT_NE(readFile(skin), before);

  // Read for another file, the preload is left alone.
  ASSERT_TRUE(QDir().mkpath(path("sub")));
  const QString second = Fixture::write(path("sub"));
  SkinPreload stale(skin);
  other.openSkinFile(second, &stale);
  EXPECT_FALSE(stale.taken());
  EXPECT_EQ(other.doc.skinFile(), second);
  other.setAskBeforeClosing(false);
}

TEST_F(Loading, TheComparisonShowsTheOriginalBesideAndInPlaceAndListsWhatDiffers) {
  QImage wallpaper(176, 220, QImage::Format_RGB32);
  wallpaper.fill(QColor(0, 200, 0));
  ASSERT_TRUE(wallpaper.save(path("wallpaper.jpg")));
  openThroughDialog(*w, script, Fixture::write(dir.path()));
  clickToolButton(*w, "SAVE");  // keeps the first original
  w->doc.perform("passo", [&] {
    corvela::test::setField(corvela::test::byHand(w->doc).rects, 0, D_X1, "12");
  });
  w->findChild<QAction*>("mnuConfronta")->trigger();
  ASSERT_TRUE(w->comparePanel->isVisible());
  QTreeWidget* list = w->comparePanel->list();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(QStringList({list->topLevelItem(0)->text(0), list->topLevelItem(0)->text(2),
                         list->topLevelItem(0)->text(3), list->topLevelItem(0)->text(4)}),
            QStringList({"0570", "posizione", "10,20,30,40", "12,20,30,40"}));

  // Beside at the same zoom, and in place of the current screen while held.
  DesktopSurface* current = w->tabPreview->PicDesktop;
  EXPECT_EQ(w->comparePanel->original()->zoom(), current->zoom());
  EXPECT_EQ(outlineOf(w->comparePanel->original()->scene(), 0)->left(), 10);
  QPushButton* hold = w->comparePanel->holdButton();
  EXPECT_TRUE(QTest::qWaitFor([&] { return hold->height() > 0; }));
  QTest::mousePress(hold, Qt::LeftButton, {}, hold->rect().center());
  EXPECT_EQ(outlineOf(current->scene(), 0)->left(), 10);
  QTest::mouseRelease(hold, Qt::LeftButton, {}, hold->rect().center());
  EXPECT_EQ(outlineOf(current->scene(), 0)->left(), 12);

  // Zoomed in, the original keeps in step in room of its own that scrolls:
  // the window keeps its size on the screen.
  const QSize windowSize = w->size();
  for (int i = 0; i < 3; ++i) w->menu->actZoomIn->trigger();
  QCoreApplication::processEvents();
  EXPECT_GE(current->zoom(), 3);
  EXPECT_EQ(w->comparePanel->original()->zoom(), current->zoom());
  EXPECT_EQ(w->size(), windowSize);
  // What a window system would hold the window to.
  EXPECT_LE(w->minimumSizeHint().height(), windowSize.height());
  // Seen with or without the wallpaper as the current screen is, though
  // that is no step of the skin.
  for (int i = 0; i < 2; ++i) {
    w->tabPreview->chkWallPaper->click();
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return w->comparePanel->original()->scene().wallpaper.isNull() ==
             current->scene().wallpaper.isNull();
    })) << i;
  }
  EXPECT_FALSE(current->scene().wallpaper.isNull());

  list->scrollToItem(list->topLevelItem(0));
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return list->viewport()->rect().contains(list->visualItemRect(list->topLevelItem(0)).center());
  }));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->topLevelItem(0)).center());
  EXPECT_EQ(w->SSTab1->currentIndex(), frmDesktop::TabRects);
  EXPECT_EQ(w->rectsPage()->L_Dim->selectedListRow(), 0);

  // An image changed by another program differs as soon as the window
  // takes the change.
  writeFile(path("vodafone_Gifs/7.gif"), gifBytes(12, 10));
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->topLevelItemCount() == 2; }, 3000));
}
