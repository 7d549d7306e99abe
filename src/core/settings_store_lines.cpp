#include "core/settings_store_lines.h"

#include <QList>

namespace {

// Where group's lines run in lines: [first, end), or none (first < 0).
struct GroupSpan {
  qsizetype First = -1;
  qsizetype End = -1;
};

bool IsGroupHeader(const QByteArray& line) { return line.trimmed().startsWith('['); }

GroupSpan FindGroup(const QList<QByteArray>& lines, const QByteArray& group) {
  GroupSpan span;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!IsGroupHeader(lines[i])) continue;
    if (span.First >= 0) return {span.First, i};
    if (lines[i].trimmed() == '[' + group + ']') span.First = i + 1;
  }
  if (span.First >= 0) span.End = lines.size();
  return span;
}

bool IsLineOf(const QByteArray& line, const QByteArray& key) {
  const qsizetype equals = line.indexOf('=');
  return equals > 0 && line.left(equals).trimmed() == key;
}

}  // namespace

bool HasIniKey(const QByteArray& file, const QByteArray& group, const QByteArray& key) {
  const QList<QByteArray> lines = file.split('\n');
  const GroupSpan span = FindGroup(lines, group);
  for (qsizetype i = span.First; i >= 0 && i < span.End; ++i)
    if (IsLineOf(lines[i], key)) return true;
  return false;
}

QByteArray SetIniLines(const QByteArray& file, const QByteArray& group, const std::vector<IniLine>& keyLines) {
  QList<QByteArray> lines = file.split('\n');
  const bool endsInNewline = file.isEmpty() || file.endsWith('\n');
  if (endsInNewline) lines.removeLast();  // the empty piece after the last line break
  GroupSpan span = FindGroup(lines, group);
  if (span.First < 0) {
    lines << '[' + group + ']';
    span = {lines.size(), lines.size()};
  }
  // A group's last key line, so that added keys go before any blank lines that part it from the next group.
  qsizetype insertAt = span.First;
  for (qsizetype i = span.First; i < span.End; ++i)
    if (!lines[i].trimmed().isEmpty()) insertAt = i + 1;
  for (const auto& [key, line] : keyLines) {
    const bool crlf = insertAt > 0 && lines[insertAt - 1].endsWith('\r');
    bool found = false;
    for (qsizetype i = span.First; i < span.End; ++i) {
      if (!IsLineOf(lines[i], key)) continue;
      lines[i] = lines[i].endsWith('\r') ? line + '\r' : line;
      found = true;
    }
    if (found) continue;
    lines.insert(insertAt++, crlf ? line + '\r' : line);
    ++span.End;
  }
  QByteArray joined = lines.join('\n');
  if (endsInNewline || !joined.isEmpty()) joined += '\n';
  return joined;
}
