// The decoders' shared memory: a share that fits is taken at once, one that does not
// waits until enough is given back, a picture larger than the whole budget is decoded
// alone rather than never, and every decoder takes its share.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <deque>
#include <functional>
#include <future>
#include <optional>
#include <vector>

#include "nasa/decoding_memory.h"
#include "nasa/image_decode.h"
#include "support/test_images.h"

namespace {

using namespace std::chrono_literals;

TEST(DecodingMemory, AShareWaitsUntilItFitsOrIsAlone) {
  const struct {
    long long Held, Asked;
    bool Waits;
  } cases[] = {{60, 40, false}, {60, 41, true}, {0, 150, false}, {150, 1, true}, {100, 100, true}};
  // Each case has its own memory; all are asked at once, so that one pause serves them all.
  // Held is declared last so that it goes first: the thread Asked waits for can then end.
  struct Run {
    DecodingMemory Memory{100};
    std::future<void> Asked;
    std::optional<DecodingMemory::Share> Held;
  };
  std::deque<Run> runs;
  for (const auto& c : cases) {
    Run& run = runs.emplace_back();
    if (c.Held > 0) run.Held.emplace(run.Memory, c.Held);
    run.Asked = std::async(std::launch::async, [&memory = run.Memory, asked = c.Asked] {
      const DecodingMemory::Share share(memory, asked);
    });
  }
  // A share that waits is seen still waiting after a pause.
  const auto paused = std::chrono::steady_clock::now() + 200ms;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(testing::Message() << c.Held << " held, " << c.Asked << " asked of 100");
    if (c.Waits)
      EXPECT_EQ(runs[i].Asked.wait_until(paused), std::future_status::timeout);
    else
      EXPECT_EQ(runs[i].Asked.wait_for(10s), std::future_status::ready);
  }
  for (std::size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(testing::Message() << cases[i].Held << " held, " << cases[i].Asked << " asked of 100");
    runs[i].Held.reset();
    EXPECT_EQ(runs[i].Asked.wait_for(10s), std::future_status::ready);
  }
}

// Every decoder takes its share: while the process's whole budget is held, each waits.
TEST(DecodingMemory, EveryDecoderWaitsForItsShare) {
  const QByteArray jpeg = MakeJpeg(16, 16, 75, JpegLayout::Progressive);
  const QByteArray tiff = MakeTiffRgb8(16, 16);
  const struct {
    const char* Name;
    std::function<bool()> Decode;
  } cases[] = {{"DecodeJpeg", [&] { QImage image; return DecodeJpeg(jpeg, image).Ok; }},
               {"CheckJpeg", [&] { return CheckJpeg(jpeg).Ok; }},
               {"DecodeTiff", [&] { QImage image; return DecodeTiff(tiff, image).Ok; }}};
  // The whole budget is held while all three decode, so that one pause serves them all.
  std::optional<DecodingMemory::Share> all;
  all.emplace(ProcessDecodingMemory(), kDecodingBytes);
  std::vector<std::future<bool>> decoded;
  for (const auto& c : cases) decoded.push_back(std::async(std::launch::async, c.Decode));
  const auto paused = std::chrono::steady_clock::now() + 200ms;
  for (std::size_t i = 0; i < decoded.size(); ++i)
    EXPECT_EQ(decoded[i].wait_until(paused), std::future_status::timeout) << cases[i].Name;
  all.reset();
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    ASSERT_EQ(decoded[i].wait_for(10s), std::future_status::ready) << cases[i].Name;
    EXPECT_TRUE(decoded[i].get()) << cases[i].Name;
  }
}

}  // namespace
