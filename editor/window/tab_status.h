#pragma once
// What the status bar says when a tab comes forward: the open skin, or how
// many records the tab lists.

#include <QString>
#include <optional>

namespace corvela {

class SkinDocument;

// The text for tab `tab` (WindowTab), or nothing when that tab leaves
// the status bar as it is.
std::optional<QString> tabStatus(const SkinDocument& doc, int tab);

}  // namespace corvela
