#pragma once
#include <QString>

namespace corvela {

// The names of the document's three lists.
inline const QString kListObjects = QStringLiteral("L_Values");
inline const QString kListColours = QStringLiteral("L_RGBA");
inline const QString kListRects = QStringLiteral("L_Dim");

// Columns of the object list L_Values.
enum ValuesColumn { V_ID = 0, V_OffSet, V_NDat, V_Offset, V_Byte, V_Stato, V_PathGif, V_Indice };
// Columns of the colour list L_RGBA.
enum ColourColumn { C_ID = 0, C_R, C_G, C_B, C_Trasparenza, C_Indice };
// Columns of the rectangle list L_Dim.
enum RectColumn { D_ID = 0, D_X1, D_Y1, D_X2, D_Y2, D_Larghezza, D_Altezza, D_Indice };

// The only theme whose skin may be saved.
inline const QString kOperatorTheme = QStringLiteral("vodafone");
inline constexpr int kPackedArchive = 14;

// Message box titles.
inline const QString kTitleError = QStringLiteral("Errore:");
inline const QString kTitleWarning = QStringLiteral("Attenzione:");
inline const QString kTitleInfo = QStringLiteral("Informazione:");
inline const QString kTitleQuestion = QStringLiteral("Domanda:");

}  // namespace corvela
