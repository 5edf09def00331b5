// A save cut short at any point, a full disk, and hostile files in the skin's
// folder: the folder must always hold a skin with its own archive and a
// backup, and nothing outside it may be read or changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "document_names.h"
#include "list_cells.h"
#include "object_archive.h"
#include "object_row.h"
#include "path_helpers.h"
#include "safe_read.h"
#include "save_journal.h"
#include "skin_document.h"
#include "skin_fixture.h"
#include "skin_lock.h"
#include "skin_saver.h"

using namespace corvela;
using corvela::test::fakeGif;
using corvela::test::SkinFolder;

namespace {

const QStringList kOldSkin = {"SKI1", "0 41 98", "4 1 2 3 0", "5 7 0 40 14", "5 8 40 50 14"};
const QByteArray kOldBackup = "SKI1\nold backup\n";

QByteArray skinBytes(const QStringList& lines) {
  QByteArray b;
  for (const QString& l : lines) b += l.toLatin1() + '\n';
  return b;
}

// A skin whose two objects lie in the packed archive, extracted, with a
// backup from an earlier save, and object 7 replaced by a new image.
struct Replaced {
  SkinFolder f;
  SkinDocument doc;
  QByteArray newGif = fakeGif(60, 'n');
  Replaced() {
    f.writeSkin(kOldSkin);
    f.write("vodafone14.dat", fakeGif(40, 'a') + fakeGif(50, 'b'));
    f.write("vodafone_old.ski", kOldBackup);
    QDir().mkdir(f.path("vodafone_Gifs"));
    f.write("vodafone_Gifs/7.gif", fakeGif(40, 'a'));
    f.write("vodafone_Gifs/8.gif", fakeGif(50, 'b'));
    f.write("new7.gif", newGif);
    EXPECT_EQ(f.load(doc).status, LoadStatus::Complete);
    corvela::test::setField(corvela::test::byHand(doc).objects, 0, V_NDat, "-");
    corvela::test::byHand(doc).objects.setState(0, ObjectState::ToReplace);
    corvela::test::setField(corvela::test::byHand(doc).objects, 0, V_PathGif, f.path("new7.gif"));
  }
  QByteArray newArchive() const { return newGif + fakeGif(50, 'b'); }
  QStringList newSkin() const {
    return {"SKI1", "0 41 98", "4 1 2 3 0", "5 7 0 60 14", "5 8 60 50 14"};
  }
  // Nothing of a save is left half done: no temporary file, no journal.
  void expectNoLeftovers() const {
    for (const QString& e : f.entries()) {
      EXPECT_FALSE(e.contains(".corvela-tmp") || e.contains(kJournalName)) << e.toStdString();
    }
  }
};

SaveStep stopAt;
void stopHere(SaveStep step) {
  if (step == stopAt) ::raise(SIGKILL);
}

// Runs `body` in a child process and returns its exit status (or -signal).
template <typename Body>
int inChild(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

}  // namespace

QString userEdited;
const QByteArray kUserImage = fakeGif(70, 'u');
void userWritesDuringSave(SaveStep step) {
  if (step != SaveStep::SkinStaged) return;
  QFile f(userEdited);
  if (f.open(QIODevice::WriteOnly)) f.write(kUserImage);
}

TEST(SafeSave, KilledAtEveryStepTheNextOpenFindsOneGeneration) {
  // What an earlier version left at the top goes into the editor folder with
  // the same save, or stays where it was.
  const QStringList legacy = {"vodafone_orig.ski", "vodafone14_orig.dat", kLockName};
  for (int step = 0; step <= static_cast<int>(SaveStep::JournalRemoved); ++step) {
    SCOPED_TRACE(step);
    Replaced r;
    for (const QString& name : legacy) r.f.write(name, name.toLatin1());
    const int status = inChild([&] {
      stopAt = static_cast<SaveStep>(step);
      setSaveStepHook(stopHere);
      SalvaSkin(r.doc);
      return 0;
    });
    ASSERT_EQ(status, -SIGKILL);

    SkinDocument reopened;
    const LoadOutcome o = r.f.load(reopened);
    ASSERT_EQ(o.status, LoadStatus::Complete);
    r.expectNoLeftovers();
    // The working folder is of the same generation: nothing in it passes
    // for a change made outside, to be packed over the saved image.
    EXPECT_EQ(o.outside.marked, 0);
    EXPECT_EQ(r.f.read("vodafone_Gifs/8.gif"), fakeGif(50, 'b'));
    const bool done = step >= static_cast<int>(SaveStep::JournalWritten);
    if (!done) {
      EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(kOldSkin));
      EXPECT_EQ(r.f.read("vodafone14.dat"), fakeGif(40, 'a') + fakeGif(50, 'b'));
      EXPECT_EQ(r.f.read("vodafone_old.ski"), kOldBackup);
      EXPECT_EQ(r.f.read("vodafone_Gifs/7.gif"), fakeGif(40, 'a'));
    } else {
      EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(r.newSkin()));
      EXPECT_EQ(r.f.read("vodafone14.dat"), r.newArchive());
      EXPECT_EQ(r.f.read("vodafone_old.ski"), skinBytes(kOldSkin));
      EXPECT_EQ(r.f.read("vodafone_Gifs/7.gif"), r.newGif);
    }
    for (const QString& name : legacy.first(2)) {
      EXPECT_EQ(r.f.read((done ? kEditorFolderName + u'/' : QString()) + name), name.toLatin1());
    }
    for (const QString& name : legacy) EXPECT_EQ(QFileInfo::exists(r.f.path(name)), !done);
    // Every object line points at its own image once more.
    for (int row = 0; row < reopened.L_Values.rowCount(); ++row) {
      const auto bytes =
          cutObject(r.f.read("vodafone14.dat"),
                    corvela::test::cellOf(reopened.L_Values, row, V_Offset).toLongLong(),
                    corvela::test::cellOf(reopened.L_Values, row, V_Byte).toLongLong());
      ASSERT_TRUE(bytes);
      EXPECT_TRUE(bytes->startsWith("GIF89a"));
    }
  }

  // An image program writes the working file while the save runs: its file
  // is never overwritten, whether the save ends or is cut short, and counts
  // as the user's next change.
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed);
    Replaced r;
    userEdited = r.f.path("vodafone_Gifs/7.gif");
    if (killed) {
      ASSERT_EQ(inChild([&] {
                  setSaveStepHook([](SaveStep step) {
                    userWritesDuringSave(step);
                    if (step == SaveStep::SkinReplaced) ::raise(SIGKILL);
                  });
                  SalvaSkin(r.doc);
                  return 0;
                }),
                -SIGKILL);
      SkinDocument reopened;
      EXPECT_EQ(r.f.load(reopened).outside.marked, 1);
    } else {
      setSaveStepHook(userWritesDuringSave);
      const SaveOutcome o = SalvaSkin(r.doc);
      setSaveStepHook(nullptr);
      EXPECT_EQ(o.kind, SaveOutcome::Saved);
      EXPECT_TRUE(o.message.contains(userEdited)) << o.message.toStdString();
      EXPECT_TRUE(r.doc.hasOutsideChanges());
      EXPECT_EQ(shownState(r.doc, 0), ObjectState::ToReplace);
    }
    EXPECT_EQ(r.f.read("vodafone_Gifs/7.gif"), kUserImage);
    EXPECT_EQ(r.f.read("vodafone14.dat"), r.newArchive());
    r.expectNoLeftovers();
  }
}

TEST(SafeSave, AFullDiskFailsWithTheReasonAndKeepsEveryFile) {
  Replaced r;
  r.newGif = fakeGif(20000, 'n');
  r.f.write("new7.gif", r.newGif);
  const QStringList before = r.f.entries();
  SaveOutcome outcome;
  const int status = inChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{8192, 8192};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    outcome = SalvaSkin(r.doc);
    const bool honest = outcome.kind == SaveOutcome::Failed && outcome.title == kTitleError &&
                        outcome.message.contains(r.f.path("vodafone14.dat")) &&
                        outcome.message.contains("File too large");
    return honest ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(r.f.entries(), before);
  EXPECT_EQ(r.f.read("vodafone_old.ski"), kOldBackup);
  EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(kOldSkin));
}

TEST(SafeSave, RefusesToPackWhatWouldShowAsGarbage) {
  QTemporaryDir outside;
  QFile out(outside.filePath("secret.gif"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(fakeGif(40, 's'));
  out.close();
  struct Case {
    const char* what;
    std::function<void(const SkinFolder&)> make;  // makes new7.gif
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"empty", [](const SkinFolder& f) { f.write("new7.gif", ""); }, "vuoto"},
      {"not an image",
       [](const SkinFolder& f) { f.write("new7.gif", "GIF89a" + QByteArray(40, 'z')); },
       "oltre il limite"},
      {"cut short", [](const SkinFolder& f) { f.write("new7.gif", fakeGif(600, 'c').left(300)); },
       "incompleto"},
      {"a frame cut short",
       [](const SkinFolder& f) { f.write("new7.gif", fakeGif(600, 'c').chopped(3)); },
       "incompleto"},
      {"over 1 MB", [](const SkinFolder& f) { f.write("new7.gif", fakeGif(1048577, 'l')); },
       "1048577 byte"},
      {"a FIFO",
       [](const SkinFolder& f) {
         QFile::remove(f.path("new7.gif"));
         ASSERT_EQ(::mkfifo(QFile::encodeName(f.path("new7.gif")).constData(), 0600), 0);
       },
       "non è un file regolare"},
      {"a link out of the folder",
       [&](const SkinFolder& f) {
         QFile::remove(f.path("new7.gif"));
         ASSERT_TRUE(QFile::link(outside.filePath("secret.gif"), f.path("new7.gif")));
       },
       "fuori dalla cartella"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Replaced r;
    c.make(r.f);
    const QStringList before = r.f.entries();
    const SaveOutcome o = SalvaSkin(r.doc);
    EXPECT_EQ(o.kind, SaveOutcome::Failed);
    EXPECT_EQ(o.title, kTitleError);
    EXPECT_TRUE(o.message.contains(r.f.path("new7.gif"))) << o.message.toStdString();
    EXPECT_TRUE(o.message.contains(c.reason)) << o.message.toStdString();
    EXPECT_EQ(r.f.entries(), before);
  }
}

TEST(SafeSave, LinksInTheFolderAreReplacedNotWrittenThrough) {
  QTemporaryDir outside;
  for (const char* name : {"skin.ski", "archive.dat", "backup.ski"}) {
    QFile f(outside.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(name);
  }
  Replaced r;
  QFile::remove(r.f.path("vodafone14.dat"));
  QFile::remove(r.f.path("vodafone_old.ski"));
  ASSERT_TRUE(QFile::link(outside.filePath("archive.dat"), r.f.path("vodafone14.dat")));
  ASSERT_TRUE(QFile::link(outside.filePath("backup.ski"), r.f.path("vodafone_old.ski")));
  corvela::test::setField(corvela::test::byHand(r.doc).objects, 1, V_PathGif,
                          r.f.path("vodafone_Gifs/8.gif"));
  ASSERT_EQ(SalvaSkin(r.doc).kind, SaveOutcome::Saved);
  EXPECT_EQ(r.f.read("vodafone14.dat"), r.newArchive());
  EXPECT_FALSE(QFileInfo(r.f.path("vodafone14.dat")).isSymLink());
  EXPECT_FALSE(QFileInfo(r.f.path("vodafone_old.ski")).isSymLink());
  for (const char* name : {"archive.dat", "backup.ski"}) {
    QFile f(outside.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(name));
  }

  // A lock file planted as a link is neither followed nor written: the skin
  // is neither read nor saved until it is gone.
  const QString note = r.f.path(kEditorFolderName + u'/' + kLockName);
  QFile::remove(note);
  ASSERT_TRUE(QFile::link(outside.filePath("backup.ski"), note));
  SkinDocument locked;
  const LoadOutcome refused = r.f.load(locked);
  EXPECT_EQ(refused.status, LoadStatus::Unreadable);
  EXPECT_TRUE(refused.reason.contains(note)) << refused.reason.toStdString();
  const QByteArray saved = r.f.read("vodafone.ski");
  EXPECT_EQ(SalvaSkin(r.doc).kind, SaveOutcome::Failed);
  EXPECT_EQ(r.f.read("vodafone.ski"), saved);
  QFile backup(outside.filePath("backup.ski"));
  ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
  EXPECT_EQ(backup.readAll(), QByteArray("backup.ski"));

  // A working file that is a link leading out is the user's: never read,
  // and left as it is by the save, which says so; the row shows the archive.
  Replaced linked;
  QFile::remove(linked.f.path("vodafone_Gifs/7.gif"));
  QFile seven(outside.filePath("seven.gif"));
  ASSERT_TRUE(seven.open(QIODevice::WriteOnly));
  seven.write(fakeGif(30, 's'));
  seven.close();
  ASSERT_TRUE(QFile::link(seven.fileName(), linked.f.path("vodafone_Gifs/7.gif")));
  const SaveOutcome left = SalvaSkin(linked.doc);
  ASSERT_EQ(left.kind, SaveOutcome::Saved);
  EXPECT_TRUE(left.message.contains("Lasciati come sono")) << left.message.toStdString();
  EXPECT_EQ(QFileInfo(linked.f.path("vodafone_Gifs/7.gif")).symLinkTarget(), seven.fileName());
  ASSERT_TRUE(seven.open(QIODevice::ReadOnly));
  EXPECT_EQ(seven.readAll(), fakeGif(30, 's'));
  EXPECT_EQ(linked.f.read("vodafone14.dat"), linked.newArchive());
  EXPECT_EQ(shownFile(linked.doc, 0), QString());
}

TEST(SafeSave, ALoadDuringAnotherProcesssSaveWaitsForItInsteadOfUndoingIt) {
  Replaced r;
  int staged[2];
  ASSERT_EQ(::pipe(staged), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    static int signal = -1;
    signal = staged[1];
    setSaveStepHook([](SaveStep step) {
      if (step != SaveStep::SkinStaged) return;
      [[maybe_unused]] const ssize_t n = ::write(signal, "s", 1);
      ::usleep(300 * 1000);
    });
    ::_exit(SalvaSkin(r.doc).kind == SaveOutcome::Saved ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(::read(staged[0], &byte, 1), 1);
  // Every file of the save is staged and none is renamed yet. Even a reader
  // that creates nothing waits.
  SkinDocument reader;
  const LoadOutcome o = reader.load(r.f.path("vodafone.ski"), LockAccess::Read);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(staged[0]);
  ::close(staged[1]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(o.status, LoadStatus::Complete);
  EXPECT_TRUE(o.warnings.isEmpty()) << o.warnings.join(' ').toStdString();
  EXPECT_EQ(reader.lines[3], r.newSkin()[3]);
  EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(r.newSkin()));
  EXPECT_EQ(r.f.read("vodafone14.dat"), r.newArchive());
  r.expectNoLeftovers();
}

TEST(SafeSave, RecoveryRenamesOnlyTheStagedCopiesItsJournalNames) {
  struct Case {
    const char* journalLine;
    bool completed;
  };
  // A copy staged for another file, or one outside the folder, is never
  // renamed over the skin.
  for (const Case& c : {Case{"vodafone.ski/vodafone.ski.7-0a0b0c0d.corvela-tmp", true},
                        Case{"vodafone.ski/vodafone14.dat.7-0a0b0c0d.corvela-tmp", false},
                        Case{"vodafone.ski/../vodafone.ski.7-0a0b0c0d.corvela-tmp", false}}) {
    SCOPED_TRACE(c.journalLine);
    Replaced r;
    r.f.write("vodafone.ski.7-0a0b0c0d.corvela-tmp", skinBytes(r.newSkin()));
    r.f.write("vodafone14.dat.7-0a0b0c0d.corvela-tmp", skinBytes(r.newSkin()));
    // What another writer, dead before its journal, staged.
    r.f.write("vodafone.ski.9-99999999.corvela-tmp", "SKI1\nother\n");
    r.f.write(kJournalName, QByteArray("corvela journal 2\n") + c.journalLine + "\nend\n");
    // A reader completes it too, rather than read half a save.
    SkinDocument reopened;
    ASSERT_EQ(reopened.load(r.f.path("vodafone.ski"), LockAccess::Read).status,
              LoadStatus::Complete);
    EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(c.completed ? r.newSkin() : kOldSkin));
    EXPECT_EQ(r.f.read("vodafone14.dat"), fakeGif(40, 'a') + fakeGif(50, 'b'));
    r.expectNoLeftovers();
  }

  // A save of the most objects a skin holds names a working file for each.
  Replaced r;
  QDir(r.f.path(".")).mkdir(kEditorFolderName);
  r.f.write(kEditorFolderName + "/vodafone.ski.7-0a0b0c0d.corvela-tmp", skinBytes(r.newSkin()));
  r.f.write("vodafone_Gifs/7.gif.7-0a0b0c0d.corvela-tmp", r.newGif);
  const PathStat seen = pathStat(r.f.path("vodafone_Gifs/7.gif"), false);
  QByteArray journal = "corvela journal 3\nvodafone.ski/vodafone.ski.7-0a0b0c0d.corvela-tmp\n";
  for (int id = 1000; id < 2500; ++id) {
    journal +=
        QStringLiteral("vodafone_Gifs/%1.gif/%1.gif.7-0a0b0c0d.corvela-tmp/-\n").arg(id).toLatin1();
  }
  journal += QStringLiteral("vodafone_Gifs/7.gif/7.gif.7-0a0b0c0d.corvela-tmp/%1:%2\nend\n")
                 .arg(seen.size)
                 .arg(seen.modifiedNs)
                 .toLatin1();
  r.f.write(kEditorFolderName + u'/' + kJournalName, journal);
  SkinDocument reopened;
  ASSERT_EQ(r.f.load(reopened).status, LoadStatus::Complete);
  EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(r.newSkin()));
  EXPECT_EQ(r.f.read("vodafone_Gifs/7.gif"), r.newGif);
  r.expectNoLeftovers();
}

TEST(SafeSave, ARefusedRenameTakesTheSaveBackOrKeepsAHalfSavedSkinUnread) {
  // The backup's name taken by a folder: the first file of the skin cannot
  // go in place, so the save is taken back whole.
  {
    Replaced r;
    ASSERT_TRUE(QFile::remove(r.f.path("vodafone_old.ski")));
    ASSERT_TRUE(QDir().mkdir(r.f.path("vodafone_old.ski")));
    const SaveOutcome o = SalvaSkin(r.doc);
    EXPECT_EQ(o.kind, SaveOutcome::Failed);
    EXPECT_TRUE(o.message.contains("Nessun file")) << o.message.toStdString();
    EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(kOldSkin));
    EXPECT_EQ(r.f.read("vodafone14.dat"), fakeGif(40, 'a') + fakeGif(50, 'b'));
    r.expectNoLeftovers();
  }
  // A journal whose skin went in place but whose archive cannot: the skin
  // is half new, and is not read as if it were whole until that changes.
  // One whose first file cannot go in is taken back.
  for (const bool skinFirst : {true, false}) {
    SCOPED_TRACE(skinFirst);
    Replaced r;
    QDir(r.f.path(".")).mkdir(kEditorFolderName);
    r.f.write(kEditorFolderName + "/vodafone.ski.7-0a0b0c0d.corvela-tmp", skinBytes(r.newSkin()));
    r.f.write(kEditorFolderName + "/vodafone14.dat.7-0a0b0c0d.corvela-tmp", r.newArchive());
    const QByteArray skinLine = "vodafone.ski/vodafone.ski.7-0a0b0c0d.corvela-tmp\n";
    const QByteArray archiveLine = "vodafone14.dat/vodafone14.dat.7-0a0b0c0d.corvela-tmp\n";
    r.f.write(kEditorFolderName + u'/' + kJournalName,
              "corvela journal 3\n" +
                  (skinFirst ? skinLine + archiveLine : archiveLine + skinLine) + "end\n");
    const QByteArray archive = r.f.read("vodafone14.dat");
    ASSERT_TRUE(QFile::remove(r.f.path("vodafone14.dat")));
    ASSERT_TRUE(QDir().mkpath(r.f.path("vodafone14.dat/in")));
    SkinDocument reopened;
    const LoadOutcome o = reopened.load(r.f.path("vodafone.ski"), LockAccess::Read);
    if (skinFirst) {
      EXPECT_EQ(o.status, LoadStatus::HalfSaved);
      EXPECT_TRUE(o.reason.contains("non può essere completato")) << o.reason.toStdString();
      EXPECT_EQ(reopened.L_Values.rowCount(), 0);
      EXPECT_TRUE(interruptedSavePending(r.f.path(".")));
      // Once the archive's name is free again, the next open completes it.
      ASSERT_TRUE(QDir(r.f.path("vodafone14.dat")).removeRecursively());
      r.f.write("vodafone14.dat", archive);
      EXPECT_EQ(reopened.load(r.f.path("vodafone.ski"), LockAccess::Read).status,
                LoadStatus::Complete);
      EXPECT_EQ(r.f.read("vodafone14.dat"), r.newArchive());
    } else {
      EXPECT_EQ(o.status, LoadStatus::Complete);
      EXPECT_TRUE(o.warnings.join(' ').contains("annullato")) << o.warnings.join(' ').toStdString();
      EXPECT_EQ(r.f.read("vodafone.ski"), skinBytes(kOldSkin));
    }
    r.expectNoLeftovers();
  }
}

TEST(SafeSave, CarriageReturnWarnsAtLoadAndRefusesTheSave) {
  for (const QByteArray& text : {QByteArray("SKI1\n0 41 98\n4 1 2 3 0\r\n5 7 0 40 14\n"),
                                 QByteArray("SKI1\r\n0 41 98\r\n")}) {
    SkinFolder f;
    f.write("vodafone.ski", text);
    SkinDocument doc;
    const LoadOutcome o = f.load(doc);
    ASSERT_EQ(o.warnings.size(), 1);
    const int line = static_cast<int>(text.left(text.indexOf('\r')).count('\n'));
    EXPECT_TRUE(o.warnings[0].contains(QStringLiteral("alla riga %1").arg(line)))
        << o.warnings[0].toStdString();
    EXPECT_TRUE(o.warnings[0].contains(f.path("vodafone.ski")));
    const QStringList before = f.entries();
    const SaveOutcome saved = SalvaSkin(doc);
    EXPECT_NE(saved.kind, SaveOutcome::Saved);
    EXPECT_EQ(saved.title, kTitleError);
    EXPECT_EQ(f.entries(), before);
    EXPECT_EQ(f.read("vodafone.ski"), text);
  }
}

TEST(SafeSave, ObjectsAddingUpBeyondASkinsSizeAreRefused) {
  SkinFolder f;
  QStringList skin{"SKI1"};
  // Each at the largest an object may be.
  for (int id = 1; id <= 33; ++id) skin << QStringLiteral("5 %1 0 1 3").arg(id);
  f.writeSkin(skin);
  f.write("big.gif", fakeGif(1024 * 1024, 'g'));
  SkinDocument doc;
  ASSERT_EQ(f.load(doc).status, LoadStatus::Complete);
  for (int row = 0; row < 33; ++row) {
    corvela::test::byHand(doc).objects.setState(row, ObjectState::ToReplace);
    corvela::test::setField(corvela::test::byHand(doc).objects, row, V_PathGif, f.path("big.gif"));
  }
  const QStringList before = f.entries();
  const SaveOutcome o = SalvaSkin(doc);
  EXPECT_EQ(o.kind, SaveOutcome::Failed);
  EXPECT_TRUE(o.message.contains("superano il limite")) << o.message.toStdString();
  EXPECT_EQ(f.entries(), before);
}
