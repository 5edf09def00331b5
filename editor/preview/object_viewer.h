#pragma once

// The object viewer is handed whole pages as "about:" addresses. The texts are
// built by plain concatenation: the path goes between the quotes exactly as
// given, blanks and all, because that is what the viewer is expected to load.

#include <QString>

namespace corvela {

// A page showing gifImage in its top-left corner, margins and scroll bars off.
QString aniGifPage(const QString& gifImage);

// The same page without an image.
QString noGifPage();

}  // namespace corvela
