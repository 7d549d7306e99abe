#include "core/number_text.h"

#include <QRegularExpression>
#include <cstdio>

QString FormatFixed(long double v, int decimals, const QLocale& locale) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Lf", decimals, v);
  QString text = QString::fromLatin1(buf);
  if (text.startsWith('-') && !text.contains(QRegularExpression("[1-9]"))) text.remove(0, 1);
  return text.replace('.', locale.decimalPoint());
}
