#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "dialogs.h"
#include "font_substitutions.h"
#include "frm_desktop.h"
#include "icon_pictures.h"
#include "qt_translation.h"
#include "skin_preload.h"
#include "skin_share.h"

namespace {

// Unattended runs have nobody to answer: every box is written to the error
// stream and answered the cautious way.
class ConsoleDialogs : public corvela::Dialogs {
 public:
  Answer message(const QString& title, const QString& text, Icon, Buttons buttons) override {
    QTextStream(stderr) << (title.isEmpty() ? corvela::kProgramName : title) << ' ' << text << '\n';
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> saveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
  QString browseFolder(const QString&) override { return {}; }
};

bool savePicture(QWidget& window, const QString& file) {
  QCoreApplication::processEvents();
  const QFileInfo info(file);
  if (!info.absoluteDir().exists()) QDir().mkpath(info.absolutePath());
  // The picture's kind follows its name (PNG when it has no known
  // suffix), so that a timing run can ask for one that costs no encoding.
  const QString suffix = info.suffix().toLower();
  const char* format = suffix == u"bmp" || suffix == u"ppm" || suffix == u"jpg" ? nullptr : "PNG";
  // The frame just painted, as the window system holds it; painting the
  // whole window once more only for the picture is the slower way.
  QPixmap frame;
  if (QScreen* screen = window.screen()) frame = screen->grabWindow(window.winId());
  if (frame.isNull() || frame.size() != window.size()) frame = window.grab();
  if (!frame.save(file, format)) {
    QTextStream(stderr) << "corvela: cannot write " << file << '\n';
    return false;
  }
  return true;
}

// Everything the command line accepts, so that --help can describe it
// without opening a window.
struct CommandLine {
  QCommandLineParser parser;
  QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                QStringLiteral("Salva un'immagine della finestra in FILE ed esce."),
                                QStringLiteral("FILE")};
  QCommandLineOption screenshots{
      QStringLiteral("screenshots"),
      QStringLiteral("Salva un'immagine di ogni scheda (tab-0.png ...) in DIR ed esce."),
      QStringLiteral("DIR")};

  CommandLine() {
    parser.setApplicationDescription(QStringLiteral("Editor della schermata di standby del v980"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(screenshot);
    parser.addOption(screenshots);
    parser.addPositionalArgument(
        QStringLiteral("skin"),
        QStringLiteral("File .ski, o .zip di una skin condivisa, da aprire."),
        QStringLiteral("[skin]"));
  }
};

void setIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("Corvela"));
  QCoreApplication::setApplicationVersion(QStringLiteral(CORVELA_VERSION_STRING));
}

// --help and --version only print: they must work from a terminal with no
// display, where creating the window's application would abort.
bool onlyPrints(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-v" || arg == "--version")
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Over a file-size limit the write must fail with its reason ("File too
  // large"), which the save reports naming the file, instead of the signal
  // killing the program halfway with no word.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif

  if (onlyPrints(argc, argv)) {
    QCoreApplication app(argc, argv);
    setIdentity();
    corvela::installQtTranslation(app);
    CommandLine line;
    line.parser.process(app);  // prints and exits
    return 0;
  }

  QApplication app(argc, argv);
  setIdentity();
  QApplication::setDesktopFileName(QStringLiteral("corvela"));
  QApplication::setWindowIcon(corvela::applicationIcon());
  corvela::useFrameFont();
  corvela::installQtTranslation(app);

  CommandLine line;
  QCommandLineParser& parser = line.parser;
  const QCommandLineOption& screenshot = line.screenshot;
  const QCommandLineOption& screenshots = line.screenshots;
  parser.process(app);

  const bool unattended = parser.isSet(screenshot) || parser.isSet(screenshots);
  const QStringList args = parser.positionalArguments();
  const QString skin = args.isEmpty() ? QString() : QFileInfo(args.constFirst()).absoluteFilePath();
  // The skin's files are read while the window is built; a shared skin is
  // unpacked first, by the window, which may have to ask about it.
  std::optional<corvela::SkinPreload> preload;
  if (!skin.isEmpty() && !corvela::isZipName(skin)) preload.emplace(skin);
  std::unique_ptr<corvela::Dialogs> dialogs;
  if (unattended) dialogs = std::make_unique<ConsoleDialogs>();
  corvela::frmDesktop window(std::move(dialogs));
  // Taking pictures leaves the user's recent skins as they were.
  window.setRemembersSkins(!unattended);
  // ...and the window's own size and panels, which would also make its
  // pictures depend on how the user last left it.
  window.setRemembersLayout(!unattended);
  if (!unattended) window.restoreLayout();
  window.show();

  // The skin is shown before the first paint, so that the window shows
  // once, with the skin, instead of empty and then again.
  if (!skin.isEmpty()) window.openSkinFile(skin, preload ? &*preload : nullptr);

  if (!unattended) return app.exec();

  // Taking pictures only: the window goes without the exit question.
  window.setAskBeforeClosing(false);
  bool ok = true;
  if (parser.isSet(screenshot)) ok = savePicture(window, parser.value(screenshot)) && ok;
  if (parser.isSet(screenshots)) {
    const QDir dir(parser.value(screenshots));
    for (int tab = 0; tab < window.SSTab1->count(); ++tab) {
      window.SSTab1->setCurrentIndex(tab);
      ok = savePicture(window, dir.filePath(QStringLiteral("tab-%1.png").arg(tab))) && ok;
    }
  }
  window.close();
  return ok ? 0 : 1;
}
