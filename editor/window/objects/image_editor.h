#pragma once
// "Apri con editor di immagini": an object's working-folder GIF opened in the
// desktop's image editor, or in a command the user set in the options tab.
// When the editor saves, the working folder's watch brings the picture back.

#include <QString>

namespace corvela {

// The command kept across runs; empty means the desktop's default program.
QString imageEditorCommand();
void setImageEditorCommand(const QString& command);

// Starts the editor on `file` and returns at once; an error text for the
// user when nothing could be started, otherwise empty.
QString openInImageEditor(const QString& file);

}  // namespace corvela
