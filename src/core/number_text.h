// Numbers as the panel and the pictures print them.
#pragma once

#include <QLocale>
#include <QString>

// v with `decimals` fixed decimals and the locale's decimal separator ("0.00"): no
// thousands grouping, and no minus sign on a value that rounds to zero.
QString FormatFixed(long double v, int decimals, const QLocale& locale = QLocale());

// The degree sign.
inline const QString kDegree = QStringLiteral("\u00B0");
