#pragma once

namespace corvela {

// The editor's forms name Windows fonts ("Tahoma" for frames, "Arial Narrow"
// on the phone screen). Maps them onto metric-compatible free fonts
// once per process; later calls do nothing. Call before any widget picks its
// font.
void installFontSubstitutions();

// Makes the frames' font the program's own, so that the bars, the menus and
// every page share one font: looked up once and its glyphs drawn once, not
// once more for the pages alone. Installs the substitutions first.
void useFrameFont();

}  // namespace corvela
