#include "edit_command.h"

namespace corvela::cli {

// The image and colour edits of the "Oggetti grafici" and "Colori" tabs.
std::vector<EditOption> imagingEditOptions() {
  return {};
}

}  // namespace corvela::cli
