// Whether downloaded text is NASA's yearly Moon table (mooninfo_YYYY.txt) rather than
// an error page sent with status 200 or a table cut short, so that only a real table
// is kept in the text folder.
#pragma once

#include <QString>
#include <QStringList>

// True when the first line that is not blank names NASA's columns and the rows
// after it, in NASA's layout, hold every hour of the table's year; a stray line
// that is not a row (one in a hundred at most) is let pass. Otherwise why says,
// in a few words for the user, what is wrong.
bool IsNasaYearTable(const QStringList& lines, QString& why);
