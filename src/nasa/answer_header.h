// What the downloader makes of the header lines libcurl hands it, answer after answer
// (interim answers, redirects and a proxy's answers included): their total size, held
// under a cap, and the first line of each answer, which must be an HTTP status line.
// libcurl takes a first line it cannot read but that starts with "HTTP" for
// "HTTP/1.0 200", which would count whatever a broken server sends as a file.
#pragma once

#include <QString>
#include <string_view>

class AnswerHeader {
 public:
  explicit AnswerHeader(long long maxBytes) : MaxBytes(maxBytes) {}

  // Takes one line, its line break included; lines that come once the body has begun
  // are trailers. Returns why the answer is refused, or an empty string.
  QString Refusal(std::string_view line, bool bodyStarted);
  // Whether the last line taken was the empty one that ends a header: libcurl counts a
  // connection closed within the header as a complete answer with no body.
  bool Ended() const { return Bytes > 0 && AnswerStarts; }

 private:
  long long MaxBytes;
  long long Bytes = 0;
  bool AnswerStarts = true;  // the next line opens an answer
};

// "HTTP/1.1 200 OK", "HTTP/1.0 404", "HTTP/2 301 ": the protocol, one space and a
// three-digit status, then the end of the line or a space and any words.
bool IsStatusLine(std::string_view line);
