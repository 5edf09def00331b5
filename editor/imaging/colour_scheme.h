#pragma once
// Colour rows from elsewhere: the default colour scheme (colors.txt) and the
// colour lines of another skin. Both read and check their source whole
// before they touch a row, so a bad source leaves the colours as they were.

#include <QString>
#include <QStringList>

namespace corvela {

class SkinDocument;

inline const QString kSchemeQuestion =
    QStringLiteral("Confermi il caricamento dei colori di default (marevia by Tavrin) ?");
inline const QString kSchemeNotFound = QStringLiteral("Schema colori di default, non trovato!");
inline const QString kSchemeLoaded =
    QStringLiteral("Colori di defualt (marevia by Tavrin), importati.");

struct SchemeOutcome {
  bool ok = false;
  int rows = 0;   // rows the colour list holds afterwards
  QString error;  // the text of the "Errore:" message when not ok
};

// Replaces every colour row by the lines of `file`: "ID, R, G, B,
// Trasparenza, Indice", blanks around the line and the fields ignored, empty
// lines skipped. A line without six fields, with a field that is not a
// number (ID may be "-"), or whose Indice is not a colour line of its ID (for
// "-", a colour line without ID) stops the load naming its line number.
SchemeOutcome loadColourScheme(SkinDocument& doc, const QString& file);

struct ColourImport {
  bool ok = false;
  QString error;            // the text of the "Errore:" message when not ok
  QStringList colourLines;  // the other skin's colour lines, in file order (L_Colors)
  int rows = 0;             // colour rows of the document
  int written = 0;          // rows that took a colour
};

// The k-th colour line of another skin gives R, G, B and transparency to the
// k-th colour row, whatever the ids say; lines beyond the last row are not
// written. A file that cannot be read, has more lines than a skin may, or
// holds a colour line that cannot be read changes nothing.
ColourImport importColoursFromSkin(SkinDocument& doc, const QString& skinFile);

}  // namespace corvela
