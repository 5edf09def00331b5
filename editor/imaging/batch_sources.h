#pragma once
// The two fixed sources of the batch tools. They are folders of the original
// author's Windows machine; elsewhere they cannot exist, and the tools fall
// back to a source the user picks.

#include <QString>

namespace corvela {

inline const QString kFixedColourSkin = QStringLiteral("E:\\Skin\\Razr v980\\vodafone.ski");
inline const QString kFixedTestFolder = QStringLiteral("F:\\Skin\\Moto\\Moto_gifs\\");

// The fixed skin when it exists on this machine; empty otherwise. Where '\'
// is no separator the path is an odd relative file name, never looked up.
QString fixedColourSkin();
// The fixed folder of the "Test" tool when it exists; empty otherwise.
QString fixedTestFolder();

}  // namespace corvela
