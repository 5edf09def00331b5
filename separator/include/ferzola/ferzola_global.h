#pragma once

#include <QtCore/qglobal.h>

#if defined(FERZOLA_BUILD_LIBRARY)
#define FERZOLA_EXPORT Q_DECL_EXPORT
#else
#define FERZOLA_EXPORT Q_DECL_IMPORT
#endif
