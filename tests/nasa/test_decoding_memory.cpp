// The decoders' shared memory: a share that fits is taken at once, one that does not
// waits until enough is given back, a picture larger than the whole budget is decoded
// alone rather than never, and every decoder takes its share.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <functional>
#include <future>
#include <optional>

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
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Held << " held, " << c.Asked << " asked of 100");
    DecodingMemory memory(100);
    std::optional<DecodingMemory::Share> held;
    if (c.Held > 0) held.emplace(memory, c.Held);
    auto asked = std::async(std::launch::async, [&memory, &c] { const DecodingMemory::Share share(memory, c.Asked); });
    // A share that waits is seen still waiting after a pause.
    if (c.Waits)
      EXPECT_EQ(asked.wait_for(200ms), std::future_status::timeout);
    else
      EXPECT_EQ(asked.wait_for(10s), std::future_status::ready);
    held.reset();
    EXPECT_EQ(asked.wait_for(10s), std::future_status::ready);
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::optional<DecodingMemory::Share> all;
    all.emplace(ProcessDecodingMemory(), kDecodingBytes);
    auto decoded = std::async(std::launch::async, c.Decode);
    EXPECT_EQ(decoded.wait_for(200ms), std::future_status::timeout);
    all.reset();
    ASSERT_EQ(decoded.wait_for(10s), std::future_status::ready);
    EXPECT_TRUE(decoded.get());
  }
}

}  // namespace
