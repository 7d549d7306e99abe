// The downloader's reading of the answers' header lines: each answer opens with a
// status line (libcurl would take "HTTP/x 200" for a 200), trailers after the body
// need none, and the lines of all answers together stay under the cap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nasa/answer_header.h"

namespace {

struct Line {
  std::string Text;
  bool BodyStarted = false;
};

TEST(AnswerHeader, EachAnswerOpensWithAStatusLineUnderTheCap) {
  const struct {
    const char* Name;
    std::vector<Line> Lines;
    const char* Refusal;  // of the last line; every line before it is taken
  } cases[] = {
      {"a plain answer", {{"HTTP/1.1 200 OK\r\n"}, {"Content-Length: 5\r\n"}, {"\r\n"}}, ""},
      {"HTTP/1.0, LF only, no words", {{"HTTP/1.0 404\n"}, {"\n"}}, ""},
      {"HTTP/2 as libcurl writes it", {{"HTTP/2 301 \r\n"}, {"location: /x\r\n"}, {"\r\n"}}, ""},
      {"an interim answer, then the answer", {{"HTTP/1.1 100 Continue\r\n"}, {"\r\n"}, {"HTTP/1.1 200 OK\r\n"}}, ""},
      {"a trailer after the body", {{"HTTP/1.1 200 OK\r\n"}, {"\r\n"}, {"Checksum: 1\r\n", true}}, ""},
      {"no status line", {{"garbage\r\n"}}, "bad answer"},
      {"a version that is no number", {{"HTTP/x 200\r\n"}}, "bad answer"},
      {"a two-digit status", {{"HTTP/1.1 20 OK\r\n"}}, "bad answer"},
      {"a status run into its words", {{"HTTP/1.1 200OK\r\n"}}, "bad answer"},
      {"no status line after the interim answer", {{"HTTP/1.1 100 Continue\r\n"}, {"\r\n"}, {"X: 1\r\n"}}, "bad answer"},
      {"header lines past the cap",
       {{"HTTP/1.1 200 OK\r\n"}, {"X: " + std::string(40, 'h') + "\r\n"}, {"Y: " + std::string(40, 'h') + "\r\n"}},
       "answer header too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    AnswerHeader header(100);
    for (std::size_t i = 0; i + 1 < c.Lines.size(); ++i)
      EXPECT_EQ(header.Refusal(c.Lines[i].Text, c.Lines[i].BodyStarted), QString()) << c.Lines[i].Text;
    EXPECT_EQ(header.Refusal(c.Lines.back().Text, c.Lines.back().BodyStarted), QString(c.Refusal));
  }
}

}  // namespace
