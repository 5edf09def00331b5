// What the packages put beside the programs: a manual page that documents
// exactly what the tool accepts, metadata the platform's validators pass, and
// a shell completion that offers the tool's own commands and the skin's ids.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <map>
#include <set>

#include "cli_support.h"

namespace {

using namespace corvela::clitest;
using Names = std::set<QString>;

QString readText(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return QString::fromUtf8(f.readAll());
}

// Every long option named in a text.
Names longOptions(const QString& text) {
  static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
  Names found;
  for (const auto& m : option.globalMatch(text)) found.insert(m.captured());
  return found;
}

// The exit statuses of a "0 ...; 1 ...; 2 ..." sentence.
Names statuses(const QString& text) {
  static const QRegularExpression status(QStringLiteral("(?:^|; |: )(\\d) "));
  Names found;
  for (const auto& m : status.globalMatch(text)) found.insert(m.captured(1));
  return found;
}

struct Manual {
  Names commands;
  std::map<QString, QString> text;  // "" for the general options, else the command
  Names exitStatuses;
};

// The manual page's options section, one subsection per command and its exit
// statuses, with the roff escapes that hide option names taken out.
Manual readManual(const QString& path) {
  static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
  Manual manual;
  QString section;
  QString* into = nullptr;
  for (QString line : readText(path).split(u'\n')) {
    line.replace(QStringLiteral("\\-"), QStringLiteral("-")).remove(font);
    if (line.startsWith(QStringLiteral(".SH "))) {
      section = line.mid(4).trimmed();
      into = section == QStringLiteral("OPTIONS") ? &manual.text[QString()] : nullptr;
    } else if (line.startsWith(QStringLiteral(".SS ")) && section == QStringLiteral("COMMANDS")) {
      const QString command = line.mid(4).trimmed();
      manual.commands.insert(command);
      into = &manual.text[command];
    } else if (section == QStringLiteral("EXIT STATUS") && line.startsWith(QStringLiteral(".B "))) {
      manual.exitStatuses.insert(line.mid(3).trimmed());
    } else if (into) {
      *into += line + u'\n';
    }
  }
  return manual;
}

TEST(Packaging, TheManualPageListsTheCommandsOptionsAndStatusesOfTheHelp) {
  const Manual manual =
      readManual(QStringLiteral(CORVELA_SOURCE_DIR "/packaging/corvela-skin.1.in"));
  const ToolRun usage = runTool({QStringLiteral("--help")});
  ASSERT_EQ(usage.exit, 0);

  Names commands;
  const QString list =
      usage.out.section(QStringLiteral("Comandi:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
  for (const QString& line : list.split(u'\n', Qt::SkipEmptyParts))
    commands.insert(line.trimmed().section(u' ', 0, 0));
  EXPECT_EQ(manual.commands, commands);
  EXPECT_GE(commands.size(), 9u);

  EXPECT_EQ(longOptions(manual.text.at(QString())), longOptions(usage.out));
  // --help is everyone's and documented once; some helps name it in passing.
  const auto own = [](const QString& text) {
    Names options = longOptions(text);
    options.erase(QStringLiteral("--help"));
    return options;
  };
  for (const QString& command : commands) {
    const ToolRun help = runTool({command, QStringLiteral("--help")});
    EXPECT_EQ(help.exit, 0) << command.toStdString();
    const auto documented = manual.text.find(command);
    ASSERT_NE(documented, manual.text.end()) << command.toStdString();
    EXPECT_EQ(own(documented->second), own(help.out)) << command.toStdString();
  }
  EXPECT_EQ(manual.exitStatuses,
            statuses(usage.out.section(QStringLiteral("Stato di uscita: "), 1).simplified()));
}

TEST(Packaging, TheAppStreamMetadataPassesItsValidatorAndShowsTheReadmePictures) {
  const QString metainfo = QStringLiteral(CORVELA_METAINFO);
  Names shown;
  static const QRegularExpression image(QStringLiteral("<image>[^<]*/([^/<]+)</image>"));
  for (const auto& m : image.globalMatch(readText(metainfo))) shown.insert(m.captured(1));
  const QDir docs(QStringLiteral(CORVELA_SOURCE_DIR "/docs"));
  const QStringList pictures = docs.entryList({QStringLiteral("tab-*.png")});
  EXPECT_EQ(shown, Names(pictures.begin(), pictures.end()));

  const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
  if (validator.isEmpty()) GTEST_SKIP() << "appstreamcli is not installed (package appstream)";
  const ToolRun run = runProgram(validator, {"validate", "--no-net", metainfo});
  EXPECT_EQ(run.exit, 0) << run.out.toStdString() << run.err.toStdString();
}

TEST(Packaging, TheDesktopEntryPassesItsValidator) {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty())
    GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
  const ToolRun run = runProgram(
      validator, {QStringLiteral(CORVELA_SOURCE_DIR "/editor/window/resources/corvela.desktop")});
  EXPECT_EQ(run.exit, 0) << run.out.toStdString() << run.err.toStdString();
  EXPECT_EQ(run.out + run.err, QString());
}

TEST(Packaging, BashCompletionOffersCommandsOptionsSkinsAndTheSkinsIds) {
  const QString bash = QStandardPaths::findExecutable(QStringLiteral("bash"));
  if (bash.isEmpty()) GTEST_SKIP() << "bash is not installed";
  Folder f;
  completeSkin().writeTo(f);
  f.write(QStringLiteral("notes.txt"), "not a skin");
  // What Tab offers at the end of `line`, typed in the skin's folder.
  const auto offered = [&](const QString& line) {
    const ToolRun run =
        runProgram(bash,
                   {"-c",
                    "source \"$0\"; COMP_LINE=$1; COMP_POINT=${#1}; read -ra COMP_WORDS <<<\"$1\"; "
                    "_corvela_skin; printf '%s\\n' \"${COMPREPLY[@]}\"",
                    QStringLiteral(CORVELA_SOURCE_DIR "/packaging/corvela-skin.bash"), line},
                   f.path());
    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    const QStringList words = run.out.split(u'\n', Qt::SkipEmptyParts);
    return Names(words.begin(), words.end());
  };

  EXPECT_EQ(offered("corvela-skin edit "), Names{"vodafone.ski"});
  EXPECT_EQ(offered("corvela-skin e"), (Names{"edit", "export", "extract"}));
  f.write(QStringLiteral("shared.zip"), "PK");
  EXPECT_EQ(offered("corvela-skin unpack "), Names{"shared.zip"});
  EXPECT_EQ(offered("corvela-skin render vodafone.ski --c"), (Names{"--checkerboard", "--clock"}));
  EXPECT_EQ(offered("corvela-skin edit vodafone.ski --hand-"),
            (Names{"--hand-colour", "--hand-length"}));

  Names ids;
  for (const auto& [id, row] : rowsById(runTool({"objects", f.file("vodafone.ski")}).out))
    ids.insert(id);
  ASSERT_FALSE(ids.empty());
  Names assigned;
  for (const QString& id : ids) assigned.insert(id + u'=');
  EXPECT_EQ(offered("corvela-skin edit vodafone.ski --dry-run --replace "), assigned);
  ids.insert(QStringLiteral("all"));
  EXPECT_EQ(offered("corvela-skin edit vodafone.ski --default "), ids);
}

}  // namespace
