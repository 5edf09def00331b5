#pragma once

namespace corvela {

// The editor's forms name Windows fonts ("Tahoma" for frames, "Arial Narrow"
// on the phone screen). Maps them onto metric-compatible free fonts
// once per process; later calls do nothing. Call before any widget picks its
// font.
void installFontSubstitutions();

}  // namespace corvela
