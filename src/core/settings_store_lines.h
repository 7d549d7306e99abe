// The lines of an INI file as bytes: finding a key of a group and setting it by
// changing its line alone, so that every other byte (keys of other programs, text in
// any encoding, lines QSettings cannot read) stays as it was.
#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

// A key and its whole line as QSettings writes it ("GlobStep=3").
using IniLine = std::pair<QByteArray, QByteArray>;

// Whether group ("SETTINGS") of file holds key.
bool HasIniKey(const QByteArray& file, const QByteArray& group, const QByteArray& key);

// file with each key's line in group replaced by the given one; a key the group lacks
// is added at the group's end, and a group the file lacks at the file's end.
QByteArray SetIniLines(const QByteArray& file, const QByteArray& group, const std::vector<IniLine>& lines);
