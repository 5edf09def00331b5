#pragma once
// Every change of a skin's layout as one step of its history, named for its
// record as the lists name it. The window and `corvela-skin edit` change a
// layout only through these, so their steps read alike. Consecutive steps
// with the same non-zero `mergeKey` fold into one (the keys typed into one
// box, the moves of one drag).

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

#include "clock_edits.h"
#include "position_edits.h"

namespace corvela {

class SkinDocument;

// "Posizione: <name>": the four boxes of a rectangle, as typed.
bool changePosition(SkinDocument& doc, int row, const std::array<QString, 4>& corners,
                    quint64 mergeKey = 0);
// "Posizione: <name>": one rectangle moved by `offset` pixels.
bool nudgeRectangle(SkinDocument& doc, int row, MoveDirection direction, QStringView offset);
// "Spostamento": the ticked rectangles moved together. A rectangle that
// stops the move with an exception leaves those moved before it moved, as
// one step, and the exception goes on.
bool moveTicked(SkinDocument& doc, const MoveTargets& ticked, MoveDirection direction,
                QStringView offset);
// "Trasparenza: <name>".
TransparencyEdit changeTransparency(SkinDocument& doc, int row, QStringView text,
                                    quint64 mergeKey = 0);
// "Lunghezza lancetta minuti" or "... ore".
bool changeHandLength(SkinDocument& doc, int node, Hand hand, QStringView text,
                      quint64 mergeKey = 0);
// "Colore: <name>" of a hand's colour row.
bool changeHandColour(SkinDocument& doc, int row, std::int32_t colour);

}  // namespace corvela
