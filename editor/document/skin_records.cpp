#include "skin_records.h"

#include "text_number.h"

namespace corvela {

namespace {
// The form QString::number gives: an optional minus, no leading zero, and
// few enough digits that the value is not saturated.
bool isPlainForm(QStringView text) {
  qsizetype i = 0;
  if (i < text.size() && text[i] == u'-') ++i;
  const qsizetype digits = text.size() - i;
  if (digits < 1 || digits > 18) return false;
  if (text[i] == u'0' && (digits > 1 || i > 0)) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
  }
  return true;
}
}  // namespace

Field Field::read(QStringView text) {
  Field f(numericValue(text));
  if (!isPlainForm(text)) {
    f.kept_ = true;
    f.text_ = text.toString();
  }
  return f;
}

}  // namespace corvela
