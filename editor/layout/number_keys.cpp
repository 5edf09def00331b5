#include "number_keys.h"

namespace corvela {

namespace {
constexpr int kBackspace = 8;
bool isDigit(int c) {
  return c >= '0' && c <= '9';
}
}  // namespace

int OnlyNumberKeyPress(int KeyAscii) {
  return isDigit(KeyAscii) || KeyAscii == kBackspace ? KeyAscii : 0;
}

bool passesNumberKeys(QStringView typed) {
  for (QChar c : typed) {
    if (OnlyNumberKeyPress(c.unicode()) == 0) return false;
  }
  return true;
}

QString numberBoxText(QStringView text, int limit) {
  QString digits;
  for (QChar c : text) {
    if (digits.size() >= limit) break;
    if (isDigit(c.unicode())) digits += c;
  }
  return digits;
}

}  // namespace corvela
