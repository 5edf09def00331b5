// corvela-skin check: every planted problem is reported once, on its line,
// and nothing else is.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli_support.h"
#include "gifwriter.h"

using namespace corvela::clitest;

namespace {

// The line of `problems` that starts with `prefix`; fails when there is not
// exactly one.
QString lineStarting(const QStringList& problems, const QString& prefix) {
  const QStringList found =
      problems.filter(QRegularExpression("^" + QRegularExpression::escape(prefix)));
  EXPECT_EQ(found.size(), 1) << prefix.toStdString() << " in\n"
                             << problems.join('\n').toStdString();
  return found.value(0);
}

qsizetype indexStarting(const QStringList& lines, const QString& start) {
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].startsWith(start)) return i;
  }
  return -1;
}

QStringList problemsOf(const ToolRun& r) {
  QStringList l = r.out.split(u'\n');
  if (!l.isEmpty() && l.back().isEmpty()) l.removeLast();
  return l;
}

}  // namespace

TEST(Check, CompleteSkinHasNoProblemAndCheckWritesNothing) {
  Folder f;
  completeSkin().writeTo(f);
  ASSERT_EQ(runTool({"objects", f.file("vodafone.ski")}).exit, 0);  // makes the working folder
  const auto before = f.snapshot();
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(f.snapshot(), before);
}

TEST(Check, ArchiveObjectDuplicateAndRectangleProblems) {
  Folder f;
  SkinFixture skin = completeSkin();
  const int firstNew = static_cast<int>(skin.lines.size());
  QByteArray& a3 = skin.archives[3];
  const QByteArray png("\x89PNG\r\n\x1A\n", 8);
  const QByteArray broken = "GIF89a" + QByteArray(20, '\xFF');
  const qsizetype end = a3.size() + png.size() + broken.size();
  // 700: reaches ten bytes past the end of archive 3.
  skin.lines << QStringLiteral("5 700 %1 35 3").arg(end - 25);
  // 701 and 702: archive 5 does not exist.
  skin.lines << "5 701 0 35 5"
             << "5 702 35 35 5";
  // 703: not a GIF at all; 704: a GIF signature over a broken body.
  skin.lines << QStringLiteral("5 703 %1 %2 3").arg(a3.size()).arg(png.size());
  a3 += png;
  skin.lines << QStringLiteral("5 704 %1 %2 3").arg(a3.size()).arg(broken.size());
  a3 += broken;
  ASSERT_EQ(a3.size(), end);
  // 705: no byte at all.
  skin.lines << "5 705 0 0 3";
  // The same id twice in each name space; 7 in all three is no problem.
  skin.lines << QStringLiteral("5 652 0 %1 0").arg(skin.objects.at(652).size()) << "4 595 1 1 1 0"
             << "1 0570 1 1 2 2"
             << "4 7 1 2 3 0"
             << "1 7 1 1 2 2";
  // 706: a few bytes that claim a picture too large to decode.
  const QByteArray huge = claimingGif(5790);
  skin.lines << QStringLiteral("5 706 %1 %2 0").arg(skin.archives[0].size()).arg(huge.size());
  skin.archives[0] += huge;
  // Past the right edge, above the top, and turned inside out (kept as typed).
  skin.lines << "1 900 170 10 176 20"
             << "1 901 0 -1 5 5"
             << "1 902 50 60 40 70";
  // Colour components the preview can only clamp.
  skin.lines << "4 903 300 -5 abc 0";
  skin.writeTo(f);

  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  const QStringList p = problemsOf(r);
  const auto at = [&](int k) { return QStringLiteral("riga %1: ").arg(firstNew + k); };
  EXPECT_TRUE(lineStarting(p, at(0) + "oggetto 0700 oltre la fine dell'archivio vodafone3.dat")
                  .contains("ne ha"));
  EXPECT_EQ(lineStarting(p, at(1)), at(1) + "archivio vodafone5.dat mancante: oggetti 0701, 0702");
  EXPECT_TRUE(lineStarting(p, at(3) + "oggetto 0703 in vodafone3.dat: non è un'immagine GIF")
                  .contains("89 50 4E 47"));
  lineStarting(p, at(4) + "oggetto 0704 in vodafone3.dat: immagine GIF non decodificabile");
  lineStarting(p, at(5) + "oggetto 0705 vuoto");
  const qsizetype firstObject = indexStarting(completeSkin().lines, "5 652 ");
  lineStarting(p,
               at(6) + QStringLiteral("oggetto 0652 ripetuto (già alla riga %1)").arg(firstObject));
  lineStarting(p, at(7) + "colore 0595 ripetuto (già alla riga 5)");
  lineStarting(p, at(8) + "posizione 0570 ripetuta (già alla riga 10)");
  lineStarting(p, at(11) +
                      "oggetto 0706 in vodafone.dat: immagine di 5790x5790 pixel, oltre il "
                      "limite di 2048x2048");
  lineStarting(p, at(12) + "posizione 0900 fuori dallo schermo 176×220 (170,10,176,20)");
  lineStarting(p, at(13) + "posizione 0901 fuori dallo schermo 176×220 (0,-1,5,5)");
  lineStarting(p, at(14) + "posizione 0902 con gli angoli invertiti (50,60,40,70)");
  for (const char* component : {"rosso \"300\"", "verde \"-5\"", "blu \"abc\""}) {
    lineStarting(p, at(15) + "colore 0903: il " + component + " non è un numero da 0 a 255");
  }
  EXPECT_EQ(p.size(), 15) << p.join('\n').toStdString();
}

TEST(Check, RecordsThePreviewNeeds) {
  Folder f;
  SkinFixture skin = completeSkin();
  auto drop = [&](const QString& start) {
    const qsizetype i = indexStarting(skin.lines, start);
    ASSERT_GE(i, 0) << start.toStdString();
    skin.lines.removeAt(i);
  };
  drop("2 8 ");
  drop("4 579 ");
  drop("1 6 ");
  drop("1 574 ");
  drop("5 7 ");
  // The background line is no colour line any more, the hour hand no length.
  skin.lines[2] = "2 5 1";
  skin.lines[indexStarting(skin.lines, "2 11 ")] = "2 11 999";
  skin.writeTo(f);
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(
      problemsOf(r),
      (QStringList{
          "riga 2: la prima riga del gruppo \"0 41 98\" non è il colore di sfondo (4 R G B T)",
          "manca la lunghezza della lancetta dei minuti (riga \"2 8 \")",
          "riga 3: lunghezza della lancetta delle ore \"999\": non è un numero di pixel da 0 a 220",
          "manca il colore 0579 (testo della data)",
          "manca la posizione 0574 (orologio digitale)",
          "manca la posizione 0006 (orologio analogico)",
          "manca l'oggetto 0007 (quadrante dell'orologio analogico)",
      }));

  // Without the group the background has nowhere to be.
  skin.lines[1] = "0 41 99";
  skin.writeTo(f);
  EXPECT_TRUE(problemsOf(runTool({"check", f.file("vodafone.ski")}))
                  .contains("manca il colore di sfondo: non c'è il gruppo \"0 41 98\""));
}

TEST(Check, WorkingFilesAreJudgedAsTheSaveJudgesThem) {
  Folder f;
  completeSkin().writeTo(f);
  const QString ski = f.file("vodafone.ski");
  ASSERT_EQ(runTool({"extract", ski}).exit, 0);
  // 0635 lies in the packed archive, so every save packs its file again:
  // cut short after a sound header, the save refuses it and check says so.
  f.write("vodafone_Gifs/635.gif", f.read("vodafone_Gifs/635.gif").left(20));
  // 0630 is not packed: a PNG of another size under its name is never shown
  // or packed, so the object keeps its archive's size and is no problem.
  QImage other(20, 20, QImage::Format_RGB32);
  other.fill(Qt::green);
  ASSERT_TRUE(other.save(f.file("vodafone_Gifs/630.gif"), "PNG"));
  const ToolRun r = runTool({"check", ski});
  EXPECT_EQ(r.exit, 1);
  const QStringList problems = problemsOf(r);
  ASSERT_EQ(problems.size(), 1) << problems.join('\n').toStdString();
  EXPECT_TRUE(problems[0].contains("oggetto 0635: il salvataggio non può usare " +
                                   f.file("vodafone_Gifs/635.gif")))
      << problems[0].toStdString();
  EXPECT_EQ(runTool({"save", ski}).exit, 1);

  // A link leading out of the skin's folder is never read, whatever it shows.
  QTemporaryDir outside;
  const QString elsewhere = outside.filePath("mine.gif");
  ASSERT_TRUE(QFile::copy(f.file("vodafone_Gifs/7.gif"), elsewhere));
  ASSERT_TRUE(QFile::remove(f.file("vodafone_Gifs/7.gif")));
  ASSERT_TRUE(QFile::link(elsewhere, f.file("vodafone_Gifs/7.gif")));
  const QStringList linked = problemsOf(runTool({"check", ski}));
  EXPECT_EQ(linked
                .filter("oggetto 0007: " + f.file("vodafone_Gifs/7.gif") +
                        " è un collegamento che porta fuori")
                .size(),
            1)
      << linked.join('\n').toStdString();

  // Beyond the largest picture drawn, a file is neither shown nor saved: it
  // is named as such, not measured against the object it does not replace.
  f.write("vodafone_Gifs/630.gif",
          corvela::gifgen::encodeGif(corvela::gifgen::IndexedImage(2100, 30, {{0, 0, 0}})));
  const QStringList large = problemsOf(runTool({"check", ski}));
  EXPECT_EQ(large.filter("oggetto 0630").size(), 1) << large.join('\n').toStdString();
  EXPECT_EQ(large
                .filter("oggetto 0630: " + f.file("vodafone_Gifs/630.gif") +
                        " è di 2100 × 30 pixel, oltre 2048 × 2048")
                .size(),
            1)
      << large.join('\n').toStdString();
}

TEST(Check, StoppedLoadIsReportedWithItsLine) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.lines.insert(12, "4 1 2 3");
  skin.writeTo(f);
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err, "");
  // Records after the stop are not reported missing: the stop is the news.
  EXPECT_EQ(problemsOf(r),
            (QStringList{"riga 12: caricamento interrotto (riga 12 con meno di cinque "
                         "campi): le righe seguenti non sono lette"}));
}

TEST(Check, FormatErrorIsAUsageError) {
  Folder f;
  f.writeSkin({"GIF89a"});
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "corvela-skin: " + f.file("vodafone.ski") + ": Formato del file skin non valido!\n");
}

TEST(Check, TextTheReaderLeavesOut) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.writeTo(f);
  const QByteArray complete = f.read("vodafone.ski");
  f.write("vodafone.ski", complete + "4 1 2 3 4");
  const QString unread = QStringLiteral(
                             "riga %1: testo dopo l'ultimo a capo: non viene letto (il salvataggio "
                             "lo lascia com'è)")
                             .arg(skin.lines.size());
  EXPECT_EQ(problemsOf(runTool({"check", f.file("vodafone.ski")})), QStringList{unread});

  // CR LF line ends: nothing but the magic line's text is read, so every
  // record the preview needs is missing as well.
  QByteArray crlf = complete;
  crlf.replace("\n", "\r\n");
  f.write("vodafone.ski", crlf);
  const ToolRun r = runTool({"check", f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(problemsOf(r).value(0),
            "riga 0: ritorno carrello (CR): da qui alla fine il file non viene letto; le righe "
            "devono finire con il solo LF");
}

TEST(Diff, OneLinePerChangedRecordAndNothingWritten) {
  Folder f;
  SkinFixture skin = completeSkin();
  skin.writeTo(f);
  f.write("new.gif", tinyGif(99, 35, QSize(22, 79)));
  ASSERT_EQ(
      runTool({"edit", f.file("vodafone.ski"), "--replace", "630=new.gif", "--colour", "595=1,2,3",
               "--rect", "570=1,2,3,4", "--background", "9,9,9", "--hand-length", "hour=40"},
              f.path())
          .exit,
      0);
  // A skin of its own, with one record less and one more.
  skin.lines.removeAll("1 571 5 36 170 56");
  skin.lines << "4 777 1 1 1 0";
  skin.writeTo(f, "other.ski");
  f.write("cr.ski", f.read("other.ski").replace("\n4 777", "\r\n4 777"));
  const auto before = f.snapshot();
  const ToolRun r = runTool({"diff", f.file(".corvela/vodafone_orig.ski"), f.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1) << r.err.toStdString();
  EXPECT_EQ(
      table(r.out),
      (QList<QStringList>{{"ID", "Nome", "Cosa", "Prima", "Dopo"},
                          {"0630", "Tasto sinistro rilasciato", "immagine",
                           "79 × 22, 54 byte (vodafone.dat)", "22 × 79, 35 byte (vodafone14.dat)"},
                          {"-", "Colore di sfondo", "colore", "255,255,255,0", "9,9,9,0"},
                          {"0595", "Testo dell'operatore", "colore", "0,0,128,0", "1,2,3,0"},
                          {"0570", "Testo dell'operatore", "posizione", "5,15,170,35", "1,2,3,4"},
                          {"-", "Lancetta delle ore", "lunghezza", "20", "40"}}));
  const ToolRun other =
      runTool({"diff", f.file(".corvela/vodafone_orig.ski"), f.file("other.ski")});
  EXPECT_EQ(other.exit, 1);
  EXPECT_EQ(
      table(other.out).mid(1),
      (QList<QStringList>{{"0777", "", "colore", "assente", "1,1,1,0"},
                          {"0571", "Testo della data", "posizione", "5,36,170,56", "assente"}}));
  EXPECT_EQ(runTool({"diff", f.file("other.ski"), f.file("other.ski")}).out,
            "ID\tNome\tCosa\tPrima\tDopo\n");
  EXPECT_EQ(runTool({"diff", f.file("other.ski"), f.file("other.ski")}).exit, 0);
  EXPECT_EQ(runTool({"diff", f.file("nowhere.ski"), f.file("other.ski")}).exit, 2);
  // Another save cut short is neither completed nor undone by a diff, but said.
  f.write(".corvela/corvela.journal", "corvela journal 3\nend\n");
  const ToolRun pending = runTool({"diff", f.file("other.ski"), f.file("cr.ski")});
  EXPECT_EQ(pending.err.count("salvataggio interrotto"), 1) << pending.err.toStdString();
  EXPECT_TRUE(f.exists(".corvela/corvela.journal"));
  QFile::remove(f.file(".corvela/corvela.journal"));
  // What a carriage return hides lists as gone, and the reason is said.
  const ToolRun cr = runTool({"diff", f.file("other.ski"), f.file("cr.ski")});
  EXPECT_EQ(table(cr.out).value(1).value(4), "assente");
  EXPECT_TRUE(cr.err.contains(f.file("cr.ski") + " contiene un ritorno carrello"))
      << cr.err.toStdString();
  EXPECT_EQ(f.snapshot(), before);
}

TEST(Diff, RecordsDifferOnlyWhereTheSkinsDo) {
  Folder before, after;
  SkinFixture skin = completeSkin();
  // A colour without an id late in the background's group: taking away a
  // line with an id before it changes nothing of it.
  skin.lines.insert(indexStarting(skin.lines, "4 12 ") + 1, "4 7 7 7 0");
  skin.writeTo(before);
  skin.lines.removeAt(indexStarting(skin.lines, "4 579 "));
  skin.writeTo(after);
  const ToolRun removed =
      runTool({"diff", before.file("vodafone.ski"), after.file("vodafone.ski")});
  EXPECT_EQ(removed.exit, 1);
  EXPECT_EQ(removed.out.count(u'\n'), 2) << removed.out.toStdString();
  EXPECT_TRUE(removed.out.contains("0579\t")) << removed.out.toStdString();

  completeSkin().writeTo(before);
  completeSkin().writeTo(after);
  // Cut short under its objects: the skin is the same, its images are not.
  const QByteArray a3 = before.read("vodafone3.dat");
  before.write("vodafone3.dat", a3.left(a3.size() / 2));
  const ToolRun r = runTool({"diff", before.file("vodafone.ski"), after.file("vodafone.ski")});
  EXPECT_EQ(r.exit, 1);
  const QList<QStringList> rows = table(r.out);
  ASSERT_GE(rows.size(), 2);
  for (qsizetype i = 1; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].value(2), "immagine");
    EXPECT_TRUE(rows[i].value(3).startsWith("non leggibile (vodafone3.dat)"));
  }
  // Gone altogether, beside the skin's other archives: as different.
  before.write("vodafone3.dat", a3);
  ASSERT_TRUE(QFile::remove(after.file("vodafone3.dat")));
  const ToolRun gone = runTool({"diff", before.file("vodafone.ski"), after.file("vodafone.ski")});
  EXPECT_EQ(gone.exit, 1);
  const QList<QStringList> goneRows = table(gone.out);
  EXPECT_GE(goneRows.size(), rows.size()) << gone.out.toStdString();
  for (qsizetype i = 1; i < goneRows.size(); ++i)
    EXPECT_EQ(goneRows[i].value(4), "non leggibile (vodafone3.dat)");
}
