#include "nasa/curl_library.h"

#include <dlfcn.h>

namespace {

// libcurl's name since 7.16 (7.x and 8.x alike), in Debian's package libcurl4.
constexpr const char* kLibcurl = "libcurl.so.4";

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// False at the first function the library lacks, with dlerror telling which.
bool FindAll(void* library, CurlLibrary& c) {
  return Find(library, "curl_global_init", c.GlobalInit) && Find(library, "curl_easy_init", c.EasyInit) &&
         Find(library, "curl_easy_cleanup", c.EasyCleanup) && Find(library, "curl_easy_setopt", c.EasySetopt) &&
         Find(library, "curl_easy_getinfo", c.EasyGetinfo) && Find(library, "curl_easy_strerror", c.EasyStrerror) &&
         Find(library, "curl_multi_init", c.MultiInit) && Find(library, "curl_multi_cleanup", c.MultiCleanup) &&
         Find(library, "curl_multi_add_handle", c.MultiAddHandle) &&
         Find(library, "curl_multi_remove_handle", c.MultiRemoveHandle) &&
         Find(library, "curl_multi_perform", c.MultiPerform) && Find(library, "curl_multi_poll", c.MultiPoll) &&
         Find(library, "curl_multi_info_read", c.MultiInfoRead) && Find(library, "curl_share_init", c.ShareInit) &&
         Find(library, "curl_share_cleanup", c.ShareCleanup) && Find(library, "curl_share_setopt", c.ShareSetopt);
}

// curl_global_init must come before any other call, once, and is not thread-safe.
CurlLibrary SetUp(CurlLibrary curl) {
  if (!curl.Failure.empty()) return curl;
  const CURLcode code = curl.GlobalInit(CURL_GLOBAL_DEFAULT);
  if (code != CURLE_OK) curl.Failure = std::string("cannot set up ") + kLibcurl + ": " + curl.EasyStrerror(code);
  return curl;
}

}  // namespace

CurlLibrary OpenCurlLibrary(const char* fileName) {
  CurlLibrary curl;
  void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (library && FindAll(library, curl)) return curl;
  const char* why = dlerror();
  CurlLibrary failed;
  failed.Failure = std::string("cannot load ") + fileName + ": " + (why ? why : "a function is missing");
  if (library) dlclose(library);
  return failed;
}

const CurlLibrary& Libcurl() {
  // Never destroyed: a Downloader's connection pool may be cleaned up after the
  // destructors of function-local statics have run.
  static const CurlLibrary* const curl = new CurlLibrary(SetUp(OpenCurlLibrary(kLibcurl)));
  return *curl;
}
