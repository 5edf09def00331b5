#pragma once
#include <QString>
#include <QStringList>

namespace corvela::cli {

// `corvela-skin render SKIN PNG [options]`: the standby screen as the window
// shows it right after opening the skin. Needs a GUI application object
// (fonts), which main() creates for this command only.
QString renderHelp();
int renderCommand(const QStringList& args);

}  // namespace corvela::cli
