#pragma once

// The default set shipped in default/: one image per object of the demo
// skin, at that object's size, and colors.txt for the demo skin's colour
// lines. Like the demo it comes from code alone and is the same every run.

#include <QString>

#include <vector>

#include "demo_skin.h"

namespace corvela::gifgen {

// The images in ascending id ("7.gif", "12.gif", ...), then "colors.txt".
std::vector<DemoFile> buildDefaultSet();

// Writes buildDefaultSet() into directory, creating it when missing.
bool writeDefaultSet(const QString& directory, QString* error = nullptr);

}  // namespace corvela::gifgen
