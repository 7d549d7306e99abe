#include "nasa/answer_header.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The line without its line break (LF or CRLF).
std::string_view Content(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

bool IsStatusLine(std::string_view line) {
  line = Content(line);
  if (!line.starts_with("HTTP/") || line.size() < 6 || !IsDigit(line[5])) return false;
  line.remove_prefix(6);
  if (line.starts_with('.')) {
    if (line.size() < 2 || !IsDigit(line[1])) return false;
    line.remove_prefix(2);
  }
  if (line.size() < 4 || line[0] != ' ' || !IsDigit(line[1]) || !IsDigit(line[2]) || !IsDigit(line[3])) return false;
  return line.size() == 4 || line[4] == ' ';
}

QString AnswerHeader::Refusal(std::string_view line, bool bodyStarted) {
  Bytes += static_cast<long long>(line.size());
  if (Bytes > MaxBytes) return QStringLiteral("answer header too large");
  if (AnswerStarts && !bodyStarted && !IsStatusLine(line)) return QStringLiteral("bad answer");
  AnswerStarts = Content(line).empty();
  return {};
}
