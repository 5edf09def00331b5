#include "edit_command.h"

namespace corvela::cli {

// The position, move and clock edits of the "Preview skin" tab.
std::vector<EditOption> layoutEditOptions() {
  return {};
}

}  // namespace corvela::cli
