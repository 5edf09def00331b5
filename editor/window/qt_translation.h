#pragma once

class QCoreApplication;

namespace corvela {

// Qt's own texts (standard buttons, the colour and file dialogs, context
// menus) in Italian, so they match the rest of the program whatever the
// desktop's language. Quietly does nothing when the translation is not
// installed: English buttons are better than no program. True when loaded.
bool installQtTranslation(QCoreApplication& app);

}  // namespace corvela
