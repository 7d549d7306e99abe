// Whether downloaded text is NASA's yearly Moon table (mooninfo_YYYY.txt) rather than
// an error page sent with status 200 or a table cut short, so that only a real table
// is kept in the text folder.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

// The most a yearly table may take (NASA's are about 1 MB); a download expects this.
inline constexpr long long kYearTableBytes = 2LL << 20;

// Calls each for every line of text (ending in LF or CRLF, without its line break;
// the break after the last line adds no empty line), without copying the text.
void ForEachTextLine(const QByteArray& text, const std::function<void(QByteArrayView line)>& each);

// True when the first line that is not blank names NASA's columns and the rows
// after it, in NASA's layout, begin in year and hold its every hour (NASA's tables
// end with the next year's first hour);
// a stray line that is not a row (one in a hundred at most) is let pass. Otherwise
// why says, in a few words for the user, what is wrong.
bool IsNasaYearTable(const QByteArray& text, int year, QString& why);
