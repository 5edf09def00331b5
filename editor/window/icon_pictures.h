#pragma once
#include <QIcon>
#include <QVariant>

#include "row_look.h"

namespace corvela {

// The pictures of the tree and the lists, by their number in the shared
// icon list (1 to 14). A number without a picture gives a null icon.
QIcon iconListPicture(int number);
// The same picture, drawn once per program run: views ask for it per cell.
const QIcon& iconListIcon(int number);

// What a row's look answers for the colour, font and picture roles of a
// view; nothing for any other role.
QVariant lookData(const Look& look, int role);

// The tool bar's pictures: 1 open, 5 save, 6 exit.
QIcon iconButtonPicture(int number);

// The program's own icon (window and desktop entry).
QIcon applicationIcon();

}  // namespace corvela
