#pragma once
// What the numeric boxes of the "Preview skin" tab let in: the position and
// transparency boxes, the hand lengths and the move offset.

#include <QString>
#include <QStringView>

namespace corvela {

// How many characters each kind of box holds.
inline constexpr int kNumberBoxLimit = 3;  // txt, txtMin, txtOra
inline constexpr int kOffsetBoxLimit = 1;  // txtOffSet

// The key filter of every numeric box: `KeyAscii` itself for a digit or
// backspace (8), 0 (the key is discarded) for anything else.
int OnlyNumberKeyPress(int KeyAscii);

// Whether a key's text may reach a box: every character passes the filter.
// Keys without text (arrows, Delete, Home) are not filtered.
bool passesNumberKeys(QStringView typed);

// Text that reaches a box other than by typing (paste, drop, input method):
// its digits only, cut to `limit` characters, so a box never holds anything
// the keyboard could not have put there.
QString numberBoxText(QStringView text, int limit);

}  // namespace corvela
