// The pieces under the window: the real message boxes, the filter
// conversion, the drawn pictures and the program started from a shell.
#include <gtest/gtest.h>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

#include "dialogs.h"
#include "icon_pictures.h"
#include "window_support.h"

using namespace corvela;
using namespace corvela::testing;

namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString defaultButton;
  QStringList buttons;
};

// Shows a box through the real dialogs, reads it while it is open and
// presses `press` (a button's text) or Escape when `press` is empty.
SeenBox showAndAnswer(const QString& title, Dialogs::Icon icon, Dialogs::Buttons buttons,
                      const QString& press, Dialogs::Answer* answer,
                      const QString& text = QStringLiteral("Testo")) {
  SeenBox seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
    for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
    if (press.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == press) b->click();
    }
  });
  QtDialogs dialogs(nullptr);
  *answer = dialogs.message(title, text, icon, buttons);
  return seen;
}

TEST(QtDialogsTest, QuestionsDefaultToNoAndOnlyYesSaysYes) {
  Dialogs::Answer answer{};
  SeenBox seen = showAndAnswer(QStringLiteral("Domanda:"), Dialogs::Icon::Question,
                               Dialogs::Buttons::YesNo, QStringLiteral("&Sì"), &answer);
  EXPECT_EQ(seen.title, QStringLiteral("Domanda:"));
  EXPECT_EQ(seen.text, QStringLiteral("Testo"));
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.defaultButton, QStringLiteral("&No"));
  EXPECT_EQ(seen.buttons.size(), 2);
  EXPECT_EQ(answer, Dialogs::Answer::Yes);

  seen = showAndAnswer(QStringLiteral("Domanda:"), Dialogs::Icon::Question, Dialogs::Buttons::YesNo,
                       QString(), &answer);
  EXPECT_EQ(answer, Dialogs::Answer::No);  // Escape
}

TEST(QtDialogsTest, BoxesCarryTheirIconAndAnUntitledBoxShowsTheProgramName) {
  Dialogs::Answer answer{};
  struct Case {
    Dialogs::Icon icon;
    QMessageBox::Icon shown;
  };
  for (const Case c : {Case{Dialogs::Icon::Critical, QMessageBox::Critical},
                       Case{Dialogs::Icon::Exclamation, QMessageBox::Warning},
                       Case{Dialogs::Icon::Information, QMessageBox::Information},
                       Case{Dialogs::Icon::None, QMessageBox::NoIcon}}) {
    const SeenBox seen = showAndAnswer(QStringLiteral("Errore:"), c.icon, Dialogs::Buttons::Ok,
                                       QStringLiteral("OK"), &answer);
    EXPECT_EQ(seen.icon, c.shown);
    EXPECT_EQ(seen.buttons.size(), 1);
    EXPECT_EQ(answer, Dialogs::Answer::Ok);
  }
  const SeenBox untitled = showAndAnswer(QString(), Dialogs::Icon::None, Dialogs::Buttons::Ok,
                                         QStringLiteral("OK"), &answer);
  EXPECT_EQ(untitled.title, QStringLiteral("Corvela"));
  // Text from a file shows its control codes instead of passing them on.
  const SeenBox quoting =
      showAndAnswer(QString(), Dialogs::Icon::None, Dialogs::Buttons::Ok, QStringLiteral("OK"),
                    &answer, QStringLiteral("a\x1B[2J\nx\ry"));
  EXPECT_EQ(quoting.text, QStringLiteral("a\\x1B[2J\nx\ny"));
}

TEST(FilterTest, PipeFiltersBecomeQtFilters) {
  EXPECT_EQ(toQtFilter(QStringLiteral("Skin file (*.ski)|*.ski")),
            QStringLiteral("Skin file (*.ski)"));
  EXPECT_EQ(toQtFilter(QStringLiteral("GIF Image (*.gif)|*.gif")),
            QStringLiteral("GIF Image (*.gif)"));
  EXPECT_EQ(toQtFilter(QStringLiteral("Immagini|*.jpg;*.gif")),
            QStringLiteral("Immagini (*.jpg *.gif)"));
  EXPECT_EQ(toQtFilter(QStringLiteral("Skin (*.ski)|*.ski|Tutti|*.*")),
            QStringLiteral("Skin (*.ski);;Tutti (*.*)"));
}

QImage pictureImage(const QIcon& icon, int size, QIcon::Mode mode = QIcon::Normal) {
  return icon.pixmap(QSize(size, size), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 128;
  }
  return n;
}

TEST(PicturesTest, EveryListPictureIsDrawnReadableAndDistinct) {
  std::set<QByteArray> seen;
  for (int n : {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
    const QIcon icon = iconListPicture(n);
    ASSERT_FALSE(icon.isNull()) << n;
    const QImage small = pictureImage(icon, 16);
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_GT(opaquePixels(small), 40) << "picture " << n << " is too faint at 16 px";
    const QByteArray bits(reinterpret_cast<const char*>(small.constBits()), small.sizeInBytes());
    EXPECT_TRUE(seen.insert(bits).second) << "picture " << n << " repeats another";
    // Drawn, not scaled up: a larger size holds proportionally more detail.
    EXPECT_GT(opaquePixels(pictureImage(icon, 32)), 3 * opaquePixels(small));
  }
  EXPECT_TRUE(iconListPicture(0).isNull());
  EXPECT_TRUE(iconListPicture(15).isNull());
}

TEST(PicturesTest, ToolBarPicturesExistAndGreyOutWhenDisabled) {
  std::set<QByteArray> seen;
  for (int n : {1, 5, 6}) {
    const QIcon icon = iconButtonPicture(n);
    ASSERT_FALSE(icon.isNull()) << n;
    const QImage normal = pictureImage(icon, 20);
    seen.insert(
        QByteArray(reinterpret_cast<const char*>(normal.constBits()), normal.sizeInBytes()));
    const QImage disabled = pictureImage(icon, 20, QIcon::Disabled);
    bool grey = true;
    for (int y = 0; y < disabled.height(); ++y) {
      for (int x = 0; x < disabled.width(); ++x) {
        const QColor c = QColor::fromRgba(disabled.pixel(x, y));
        if (c.alpha() > 0 && (qAbs(c.red() - c.green()) > 2 || qAbs(c.green() - c.blue()) > 2))
          grey = false;
      }
    }
    EXPECT_TRUE(grey) << "disabled picture " << n << " keeps its colours";
  }
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_TRUE(iconButtonPicture(2).isNull());
}

TEST(QtTranslationTest, QtsOwnDialogsSpeakItalian) {
  if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                         QStringLiteral("/qtbase_it.qm")))
    GTEST_SKIP() << "Qt's Italian translation is not installed (qt6-translations-l10n)";
  // The test program loads it as the editor does; the colour picker's own
  // buttons and labels come out in Italian.
  QColorDialog dialog;
  const auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Copia"));
}

// The installed program, started as a user's shell would start it.
QProcess* startProgram(const QStringList& args) {
  auto* p = new QProcess;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  p->setProcessEnvironment(env);
  p->start(QStringLiteral(CORVELA_PROGRAM), args);
  return p;
}

TEST(ProgramTest, OpensTheSkinGivenOnTheCommandLineAndSavesAPicture) {
  QTemporaryDir dir;
  const QString skin = Fixture::write(dir.path(), QStringLiteral("mytheme.ski"));
  const QString shot = QDir(dir.path()).filePath(QStringLiteral("shot.png"));
  std::unique_ptr<QProcess> p(startProgram({QStringLiteral("--screenshot"), shot, skin}));
  ASSERT_TRUE(p->waitForFinished(60000)) << "the program waited for someone";
  EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p->exitCode(), 0);
  // The skin was opened: its name check spoke, and nobody was asked to exit.
  const QString err = QString::fromUtf8(p->readAllStandardError());
  EXPECT_TRUE(err.contains(
      QStringLiteral("Corvela permette di modificare solo la skin originale del v980!")))
      << err.toStdString();
  EXPECT_FALSE(err.contains(QStringLiteral("Confermi l'uscita")));
  // A run that only takes pictures is no skin the user opened.
  QFile settings(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Corvela/Corvela.conf"));
  if (settings.open(QIODevice::ReadOnly)) {
    EXPECT_FALSE(settings.readAll().contains("mytheme.ski"));
  }
  const QImage picture(shot);
  ASSERT_FALSE(picture.isNull());
  EXPECT_GE(picture.width(), 800);
  EXPECT_GE(picture.height(), 500);
}

TEST(ProgramTest, HelpAndVersionPrintWithoutAnyDisplay) {
  for (const char* arg : {"--help", "--version"}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No platform plugin could start here: the window's application would abort.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORVELA_PROGRAM), {QString::fromLatin1(arg)});
    ASSERT_TRUE(p.waitForFinished(30000)) << arg;
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << arg;
    EXPECT_EQ(p.exitCode(), 0) << arg << p.readAllStandardError().toStdString();
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(std::string_view(arg) == "--help" ? QStringLiteral("--screenshot")
                                                               : QStringLiteral("1.0.20")))
        << arg << out.toStdString();
  }
}

TEST(ProgramTest, WritesOnePicturePerTab) {
  QTemporaryDir dir;
  const QString skin = Fixture::write(dir.path());
  const QString out = QDir(dir.path()).filePath(QStringLiteral("shots"));
  std::unique_ptr<QProcess> p(startProgram({QStringLiteral("--screenshots"), out, skin}));
  ASSERT_TRUE(p->waitForFinished(60000));
  EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  std::set<QByteArray> distinct;
  for (int tab = 0; tab < 6; ++tab) {
    const QImage picture(QDir(out).filePath(QStringLiteral("tab-%1.png").arg(tab)));
    ASSERT_FALSE(picture.isNull()) << tab;
    distinct.insert(
        QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
  }
  EXPECT_EQ(distinct.size(), 6u);
}

}  // namespace
