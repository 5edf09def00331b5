#include "shown_text.h"

namespace corvela {

namespace {

bool isControl(char16_t u) {
  return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

}  // namespace

QString escapedText(QStringView text, Escape how) {
  const bool listing = how == Escape::Listing;
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (listing && u == u'\\') {
      out += QStringLiteral("\\\\");
    } else if (listing && u == u'\t') {
      out += QStringLiteral("\\t");
    } else if (listing && u == u'\n') {
      out += QStringLiteral("\\n");
    } else if (isControl(u) && u != u'\t' && u != u'\n') {
      out += QStringLiteral("\\x") + QString::number(u, 16).rightJustified(2, u'0').toUpper();
    } else {
      out += c;
    }
  }
  return out;
}

QString shortenedText(QStringView text) {
  if (text.size() <= kMaxShownChars) return text.toString();
  return text.first(kMaxShownChars).toString() + QStringLiteral("…");
}

}  // namespace corvela
