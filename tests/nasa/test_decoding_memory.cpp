// The decoders' shared memory: a share that fits is taken at once, one that does not
// waits until enough is given back, and a picture larger than the whole budget is
// decoded alone rather than never.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>

#include "nasa/decoding_memory.h"

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
    // Waiting is told from taking by a pause: a share that fits is taken within it.
    EXPECT_EQ(asked.wait_for(200ms) == std::future_status::timeout, c.Waits);
    held.reset();
    EXPECT_EQ(asked.wait_for(10s), std::future_status::ready);
  }
}

}  // namespace
