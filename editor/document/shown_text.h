#pragma once
// Text that came from a file (a skin's line, a scheme's field, a file name)
// as both programs show it. Such text may hold any byte: shown raw, an ESC
// sequence, BEL or CR would drive the terminal that prints it, and one line
// of millions of characters would cost a listing hundreds of megabytes.

#include <QString>
#include <QStringView>

namespace corvela {

// Real skin lines are a few dozen characters long.
inline constexpr qsizetype kMaxShownChars = 4000;

enum class Escape {
  // Tab, line feed and backslash as \t, \n and \\ too, so that a listing's
  // columns and rows stay as they are and a cell can be read back exactly.
  Listing,
  // Line feeds and tabs kept: in a message they are the message's own.
  Message,
};
// The control codes (C0, DEL, C1) written \xHH.
QString escapedText(QStringView text, Escape how = Escape::Listing);

// Text longer than kMaxShownChars cut there, with "…" for the rest.
QString shortenedText(QStringView text);

}  // namespace corvela
