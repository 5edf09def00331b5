#pragma once

#include <QString>

namespace corvela {

// The editor's forms name Windows fonts ("Tahoma" for frames, "Arial Narrow"
// on the phone screen). Maps them onto metric-compatible free fonts
// once per process; later calls do nothing. Call before any widget picks its
// font.
void installFontSubstitutions();

// The family a frame's text is set in: Tahoma where it is installed, else
// the first of its substitutes that is. Named directly, an installed family
// spares Qt a fontconfig search for a missing one and its fallbacks, which
// costs more than the font itself. Needs the application's font database.
QString frameFamily();
// The phone screen's family, Arial Narrow, found the same way.
QString phoneFamily();

// Makes the frames' font the program's own, so that the bars, the menus and
// every page share one font: looked up once and its glyphs drawn once, not
// once more for the pages alone. Installs the substitutions first.
void useFrameFont();

}  // namespace corvela
