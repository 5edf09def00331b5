#pragma once
// `corvela-skin edit`: the editor's edits on a skin from a script. Each
// subsystem lists its own operations; the command applies them in the order
// given, on the same document operations the window's handlers call.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace corvela {
class SkinDocument;
}

namespace corvela::cli {

// What every operation may need besides its own value.
struct EditContext {
  bool checkSize = false;  // --check-size: a replacement must keep the image's size
};

struct EditOption {
  enum class Value { None, Required, Optional };
  QString name;  // "--rect"
  Value value = Value::Required;
  QString valueHint;  // "CODE=X1,Y1,X2,Y2", for the help
  QString help;       // one line, in Italian
  // Applies the operation to the loaded skin; the reason, in words, when the
  // operation is malformed or does not fit the skin (a usage error: nothing
  // is written).
  std::function<std::optional<QString>(SkinDocument&, const QString& value, const EditContext&)>
      apply;
};

// The position, move and clock edits.
std::vector<EditOption> layoutEditOptions();
// The image and colour edits.
std::vector<EditOption> imagingEditOptions();

// The help of `edit`, options included.
QString editHelp();
// Runs `edit` with the arguments after the command's name; the exit status.
int editCommand(const QStringList& args);

}  // namespace corvela::cli
