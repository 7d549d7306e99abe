// Opening libcurl by name: a library that cannot be opened, or that lacks one of the
// functions the downloader calls, is refused with the name and the loader's words.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "nasa/curl_library.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(CurlLibrary, ALibraryNotFoundIsNamedWithTheLoadersReason) {
  const CurlLibrary curl = OpenCurlLibrary("libcurl-absent.so.4");
  EXPECT_THAT(curl.Failure, StartsWith("cannot load libcurl-absent.so.4: "));
  EXPECT_THAT(curl.Failure, HasSubstr("cannot open shared object file"));
  EXPECT_EQ(curl.EasyInit, nullptr);
}

// The C library loads but has none of libcurl's functions.
TEST(CurlLibrary, ALibraryWithoutLibcurlsFunctionsIsRefused) {
  const CurlLibrary curl = OpenCurlLibrary("libc.so.6");
  EXPECT_THAT(curl.Failure, StartsWith("cannot load libc.so.6: "));
  EXPECT_THAT(curl.Failure, HasSubstr("undefined symbol: curl_global_init"));
  EXPECT_EQ(curl.GlobalInit, nullptr);
}

}  // namespace
