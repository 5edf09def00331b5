// The window on what a downloaded skin package may hold: every open ends
// within two seconds with a message box instead of a hang or a crash, and
// "Salva" refuses what it cannot write whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "document_names.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

class HostileOpen : public ShownWindow {
 protected:
  QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
  // Opens the skin through "Apri..." and says how many boxes it showed.
  void open(const QString& name = QStringLiteral("vodafone.ski")) {
    QElapsedTimer clock;
    clock.start();
    openThroughDialog(*w, script, path(name));
    EXPECT_LT(clock.elapsed(), 2000) << name.toStdString();
  }
  std::vector<ShownBox> boxes(const QString& title) const { return script.boxesTitled(title); }
};

const QByteArray kSkin = "SKI1\n0 41 98\n4 255 255 255 0\n5 7 0 35 14\n5 8 0 35 3\n";

}  // namespace

TEST_F(HostileOpen, SkinFilesThatAreNoRegularFilesShowAnError) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("vodafone.ski")).constData(), 0600), 0);
  open();
  ASSERT_EQ(boxes("Errore:").size(), 1u);
  EXPECT_TRUE(boxes("Errore:")[0].text.contains("non è un file regolare"));
  EXPECT_FALSE(w->toolButton("SAVE")->isEnabled());

  QFile::remove(path("vodafone.ski"));
  ASSERT_TRUE(QFile::link("/dev/zero", path("vodafone.ski")));
  open();
  ASSERT_EQ(boxes("Errore:").size(), 2u);
  EXPECT_TRUE(boxes("Errore:")[1].text.contains(path("vodafone.ski")));
}

TEST_F(HostileOpen, CarriageReturnWarnsAndSaveRefuses) {
  const QByteArray text = "SKI1\n0 41 98\n4 255 255 255 0\r\n5 7 0 35 14\n";
  writeFile(path("vodafone.ski"), text);
  open();
  ASSERT_EQ(boxes("Attenzione:").size(), 1u);
  EXPECT_TRUE(boxes("Attenzione:")[0].text.contains("ritorno carrello (CR) alla riga 2"))
      << boxes("Attenzione:")[0].text.toStdString();
  clickToolButton(*w, QStringLiteral("SAVE"));
  ASSERT_EQ(boxes("Errore:").size(), 1u);
  EXPECT_EQ(readFile(path("vodafone.ski")), text);
  EXPECT_FALSE(QFileInfo::exists(path("vodafone_old.ski")));
}

TEST_F(HostileOpen, FifoAndHugeArchivesOpenAndSaveRefusesWithTheReason) {
  writeFile(path("vodafone.ski"), kSkin);
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("vodafone14.dat")).constData(), 0600), 0);
  {
    QFile huge(path("vodafone3.dat"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(3LL * 1024 * 1024 * 1024));
  }
  open();
  EXPECT_TRUE(script.boxes.empty());
  clickToolButton(*w, QStringLiteral("SAVE"));
  ASSERT_EQ(boxes("Errore:").size(), 1u);
  EXPECT_TRUE(boxes("Errore:")[0].text.contains(path("vodafone14.dat")));
  EXPECT_TRUE(boxes("Errore:")[0].text.contains("non è un file regolare"));
  EXPECT_EQ(readFile(path("vodafone.ski")), kSkin);
}

TEST_F(HostileOpen, AWorkingFolderLinkedOutsideIsRefusedWithAWarning) {
  QTemporaryDir outside;
  writeFile(QDir(outside.path()).filePath("7.gif"), gifBytes(4, 4));
  const QByteArray packed = gifBytes(3, 3);
  const QByteArray skin =
      "SKI1\n0 41 98\n4 255 255 255 0\n5 7 0 " + QByteArray::number(packed.size()) + " 14\n";
  writeFile(path("vodafone.ski"), skin);
  writeFile(path("vodafone14.dat"), packed);
  ASSERT_TRUE(QFile::link(outside.path(), path("vodafone_Gifs")));
  open();
  ASSERT_EQ(boxes("Attenzione:").size(), 1u);
  EXPECT_TRUE(boxes("Attenzione:")[0].text.contains(path("vodafone_Gifs")));
  EXPECT_EQ(shownCell(w->doc.L_Values, 0, V_Stato, &w->doc.objectFacts()), kStateToReplace);
  EXPECT_EQ(shownCell(w->doc.L_Values, 0, V_PathGif, &w->doc.objectFacts()), " ");

  // The object is packed again from its archive, which another program
  // rewrites meanwhile: its old offset now holds other bytes, and overwriting
  // must not pack them.
  const QByteArray theirs = gifBytes(5, 5);
  writeFile(path("vodafone14.dat"), theirs);
  script.answers.push_back(Dialogs::Answer::Yes);
  clickToolButton(*w, QStringLiteral("SAVE"));
  ASSERT_EQ(boxes("Errore:").size(), 1u);
  EXPECT_TRUE(boxes("Errore:")[0].text.contains("modificato da un altro programma dopo la lettura"))
      << boxes("Errore:")[0].text.toStdString();
  EXPECT_EQ(readFile(path("vodafone.ski")), skin);
  EXPECT_EQ(readFile(path("vodafone14.dat")), theirs);
}

TEST_F(HostileOpen, AnInterruptedSaveIsCompletedBeforeTheSkinIsShown) {
  // What a save stopped right after its journal leaves behind.
  writeFile(path("vodafone.ski"), "SKI1\n5 7 0 35 3\n");
  writeFile(path("vodafone.ski.corvela-tmp"), kSkin);
  writeFile(path("vodafone_old.ski.corvela-tmp"), "SKI1\n5 7 0 35 3\n");
  writeFile(path("corvela.journal"), "corvela journal 1\nvodafone_old.ski\nvodafone.ski\nend\n");
  writeFile(path("stray.dat.corvela-tmp"), "half");
  open();
  ASSERT_EQ(boxes("Attenzione:").size(), 1u);
  EXPECT_TRUE(boxes("Attenzione:")[0].text.contains("completato"));
  EXPECT_EQ(readFile(path("vodafone.ski")), kSkin);
  EXPECT_EQ(w->doc.L_Values.rowCount(), 2);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).join(' '), "vodafone.ski vodafone_old.ski");
}

TEST_F(HostileOpen, OversizedContentIsNeitherMeasuredWholeNorDecoded) {
  // A line far longer than any real one, and a GIF of a few bytes whose
  // header claims 5790x5790 pixels.
  writeFile(path("vodafone.ski"), kSkin + "3 " + QByteArray(200000, 'x') + "\n");
  QByteArray huge = gifBytes(4, 4);
  for (qsizetype at :
       {qsizetype(6), qsizetype(8), huge.indexOf('\x2C', 13) + 5, huge.indexOf('\x2C', 13) + 7}) {
    huge[at] = static_cast<char>(5790 & 0xFF);
    huge[at + 1] = static_cast<char>(5790 >> 8);
  }
  ASSERT_TRUE(QDir().mkpath(path("vodafone_Gifs")));
  writeFile(path("vodafone_Gifs/7.gif"), huge);
  open();
  clickTab(*w, 4);  // the tree laid out where it shows, the long line in view
  w->structurePage()->T_Strutt->expandAll();
  QCoreApplication::processEvents();
  const int width = w->structurePage()->T_Strutt->columnWidth(0);
  EXPECT_GT(width,
            w->structurePage()->T_Strutt->fontMetrics().horizontalAdvance("4 255 255 255 0"));
  EXPECT_LT(width, 5000);

  clickRow(w->objectsPage()->L_Values, 0);
  EXPECT_TRUE(w->statusText().contains("oggetto 0007")) << w->statusText().toStdString();
  EXPECT_TRUE(w->statusText().contains("5790x5790"));
}
