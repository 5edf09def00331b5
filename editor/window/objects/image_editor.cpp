#include "image_editor.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "program_settings.h"

namespace corvela {

namespace {

const QString kEditorKey = QStringLiteral("imageEditor");

}  // namespace

QString imageEditorCommand() {
  return programSettings().value(kEditorKey).toString();
}

void setImageEditorCommand(const QString& command) {
  programSettings().setValue(kEditorKey, command.trimmed());
}

QString openInImageEditor(const QString& file) {
  if (!QFileInfo(file).isFile())
    return QStringLiteral("Immagine non trovata nella cartella di lavoro: %1").arg(file);
  const QString command = imageEditorCommand();
  if (command.isEmpty()) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(file))) return {};
    return QStringLiteral(
               "Nessun editor di immagini predefinito per %1: indicane uno nella "
               "scheda \"Opzioni / Informazioni\".")
        .arg(file);
  }
  // The command may carry its own arguments ("gimp --new-instance"); the
  // file always comes last, as one argument whatever it holds.
  QStringList arguments = QProcess::splitCommand(command);
  const QString program = arguments.isEmpty() ? command : arguments.takeFirst();
  if (QProcess::startDetached(program, arguments << file)) return {};
  return QStringLiteral("Impossibile avviare l'editor di immagini \"%1\" per %2")
      .arg(command, file);
}

}  // namespace corvela
