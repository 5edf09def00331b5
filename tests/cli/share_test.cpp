// A skin handed on: exported for the phone as a save would write it, and a
// shared .zip unpacked only when every entry is safe.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <QDir>

#include "cli_support.h"

namespace {

using namespace corvela::clitest;

struct ZipEntry {
  QString name;
  QByteArray bytes;
  zip_uint32_t mode = S_IFREG | 0644;
};

void writeZip(const QString& path, const std::vector<ZipEntry>& entries) {
  int error = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(z, nullptr);
  for (const ZipEntry& e : entries) {
    zip_source_t* s = zip_source_buffer(z, e.bytes.constData(), e.bytes.size(), 0);
    const zip_int64_t i = zip_file_add(z, e.name.toUtf8().constData(), s, 0);
    ASSERT_GE(i, 0) << e.name.toStdString();
    zip_file_set_external_attributes(z, i, 0, ZIP_OPSYS_UNIX, e.mode << 16);
  }
  ASSERT_EQ(zip_close(z), 0);
}

TEST(Share, ExportGivesWhatASaveWritesAndNothingElseLeavingTheSkinAlone) {
  Folder f;
  completeSkin().writeTo(f);
  f.write("notes.txt", "not for the phone");
  const QString skin = f.file("vodafone.ski");
  ASSERT_EQ(runTool({"extract", skin}).exit, 0);
  // A new image for an object of the packed archive: only a save puts it there.
  f.write("vodafone_Gifs/635.gif", tinyGif(99));
  const auto before = f.snapshot();
  const QByteArray packedBefore = f.read("vodafone14.dat");

  Folder out;
  ASSERT_EQ(runTool({"export", skin, out.file("phone")}).exit, 0);
  ASSERT_EQ(runTool({"export", skin, out.file("a.zip")}).exit, 0);
  ASSERT_EQ(runTool({"export", skin, out.file("b.zip")}).exit, 0);
  EXPECT_EQ(out.read("a.zip"), out.read("b.zip"));
  EXPECT_EQ(f.snapshot(), before);
  // Anything else in the destination would go to the phone too.
  out.write("full/other.txt", "x");
  EXPECT_EQ(runTool({"export", skin, out.file("full")}).exit, 1);
  // A .zip of that name that is no export of the skin is the user's.
  out.write("mine.zip", "not a zip");
  QFile::copy(out.file("a.zip"), out.file("other.zip"));
  out.write("other.zip", out.read("other.zip").replace("vodafone3.dat", "holiday3.jpg"));
  for (const char* name : {"mine.zip", "other.zip"}) {
    const QByteArray kept = out.read(name);
    const ToolRun refused = runTool({"export", skin, out.file(name)});
    EXPECT_EQ(refused.exit, 1) << name;
    EXPECT_TRUE(refused.err.contains("non è un'esportazione di questa skin")) << name;
    EXPECT_EQ(out.read(name), kept) << name;
  }

  const ToolRun unpacked = runTool({"unpack", out.file("a.zip")});
  ASSERT_EQ(unpacked.exit, 0) << unpacked.err.toStdString();
  EXPECT_EQ(unpacked.out.trimmed(), out.file("a/vodafone.ski"));
  ASSERT_EQ(runTool({"save", skin}).exit, 0);
  const QStringList phone = {"vodafone.dat", "vodafone.ski", "vodafone14.dat", "vodafone3.dat"};
  for (const QString& folder : {QStringLiteral("phone"), QStringLiteral("a")}) {
    EXPECT_EQ(QDir(out.file(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name), phone);
    for (const QString& name : phone) {
      EXPECT_EQ(out.read(folder + u'/' + name), f.read(name)) << name.toStdString();
    }
  }
  EXPECT_NE(f.read("vodafone14.dat"), packedBefore);
  // A second unpack never writes into the first one's folder.
  EXPECT_EQ(runTool({"unpack", out.file("a.zip")}).out.trimmed(), out.file("a (2)/vodafone.ski"));
}

TEST(Share, UnsafeZipsAreRefusedNamingTheEntryAndLeaveNothing) {
  Folder f;
  const QByteArray ski = "SKI1\n";
  const std::vector<std::pair<QString, std::vector<ZipEntry>>> cases = {
      {"../up.dat", {{"vodafone.ski", ski}, {"../up.dat", "x"}}},
      {"/tmp/abs.dat", {{"vodafone.ski", ski}, {"/tmp/abs.dat", "x"}}},
      {"link.dat", {{"vodafone.ski", ski}, {"link.dat", "/etc/passwd", S_IFLNK | 0777}}},
      {"fifo", {{"vodafone.ski", ski}, {"fifo", "", S_IFIFO | 0644}}},
      {"bomb.dat", {{"vodafone.ski", ski}, {"bomb.dat", QByteArray(4 << 20, '\0')}}},
      {"x/VODAFONE.SKI", {{"vodafone.ski", ski}, {"x/VODAFONE.SKI", ski}}},
      // One file on a memory card, where case does not count.
      {"VODAFONE.DAT", {{"vodafone.ski", ski}, {"vodafone.dat", "x"}, {"VODAFONE.DAT", "y"}}},
      {"a|b.dat", {{"vodafone.ski", ski}, {"a|b.dat", "x"}}},
      {"2001",
       [&] {
         std::vector<ZipEntry> many = {{"vodafone.ski", ski}};
         for (int i = 0; i < 2000; ++i) many.push_back({QString::number(i), "y"});
         return many;
       }()},
  };
  for (const auto& [entry, entries] : cases) {
    writeZip(f.file("shared.zip"), entries);
    const auto before = f.snapshot();
    const ToolRun run = runTool({"unpack", f.file("shared.zip")});
    EXPECT_EQ(run.exit, 1) << entry.toStdString();
    EXPECT_TRUE(run.err.contains(entry)) << run.err.toStdString();
    EXPECT_EQ(f.snapshot(), before) << entry.toStdString();
    EXPECT_EQ(QDir(f.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"shared.zip"});
  }
}

TEST(Share, TargetsAreTakenAsNamedAndWrittenWhole) {
  Folder f;
  completeSkin().writeTo(f);
  const QString skin = f.file("vodafone.ski");
  Folder out;
  // Inside the skin's folder an export would change it.
  for (const char* inside : {"vodafone_Gifs", "sub", "share.zip"})
    EXPECT_EQ(runTool({"export", skin, f.file(inside)}).exit, 1) << inside;
  EXPECT_FALSE(f.exists("sub") || f.exists("share.zip") || f.exists("vodafone_Gifs"));

  // An earlier export is replaced whole, and nothing is left beside it.
  ASSERT_EQ(runTool({"export", skin, out.file("phone")}).exit, 0);
  out.write("phone/vodafone14.dat", "an older archive");
  ASSERT_EQ(runTool({"export", skin, out.file("phone/")}).exit, 0);
  EXPECT_EQ(out.read("phone/vodafone14.dat"), f.read("vodafone14.dat"));
  ASSERT_EQ(runTool({"export", skin, out.file("a.zip")}).exit, 0);
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{"a.zip", "phone"}));

  // "folder/" is the folder itself: an existing one is never written into.
  QDir().mkpath(out.file("taken"));
  const ToolRun slash = runTool({"unpack", out.file("a.zip"), out.file("taken/")});
  EXPECT_EQ(slash.out.trimmed(), out.file("taken (2)/vodafone.ski"));
  EXPECT_TRUE(QDir(out.file("taken")).isEmpty());

  // The sender's bookkeeping stays behind; a file that is no .zip is an
  // unreadable file.
  std::vector<ZipEntry> entries;
  for (const QString& name : QDir(out.file("phone")).entryList(QDir::Files))
    entries.push_back({name, out.read("phone/" + name)});
  entries.push_back({".corvela/corvela.journal", "rename everything"});
  writeZip(out.file("kept.zip"), entries);
  ASSERT_EQ(runTool({"unpack", out.file("kept.zip")}).exit, 0);
  EXPECT_FALSE(out.exists("kept/.corvela"));
  out.write("text.zip", "no zip at all");
  EXPECT_EQ(runTool({"unpack", out.file("text.zip")}).exit, 2);
}

}  // namespace
