// libcurl, opened at the first transfer instead of linked: loading it and the thirty
// or so libraries it pulls in cost the window's start about 10 ms before main, and
// nothing is downloaded before the window has painted.
#pragma once

#include <curl/curl.h>

#include <string>

// The libcurl functions the downloader calls, found in a loaded library by name.
struct CurlLibrary {
  decltype(&curl_global_init) GlobalInit = nullptr;
  decltype(&curl_easy_init) EasyInit = nullptr;
  decltype(&curl_easy_cleanup) EasyCleanup = nullptr;
  decltype(&curl_easy_setopt) EasySetopt = nullptr;
  decltype(&curl_easy_getinfo) EasyGetinfo = nullptr;
  decltype(&curl_easy_strerror) EasyStrerror = nullptr;
  decltype(&curl_multi_init) MultiInit = nullptr;
  decltype(&curl_multi_cleanup) MultiCleanup = nullptr;
  decltype(&curl_multi_add_handle) MultiAddHandle = nullptr;
  decltype(&curl_multi_remove_handle) MultiRemoveHandle = nullptr;
  decltype(&curl_multi_perform) MultiPerform = nullptr;
  decltype(&curl_multi_poll) MultiPoll = nullptr;
  decltype(&curl_multi_info_read) MultiInfoRead = nullptr;
  decltype(&curl_share_init) ShareInit = nullptr;
  decltype(&curl_share_cleanup) ShareCleanup = nullptr;
  decltype(&curl_share_setopt) ShareSetopt = nullptr;
  // Why the library cannot be used, naming it; empty when it can.
  std::string Failure;
};

// Opens fileName (searched for as dlopen searches) and finds the functions, without
// libcurl's global set-up. The library stays loaded for the rest of the process.
CurlLibrary OpenCurlLibrary(const char* fileName);

// The process's libcurl, opened and set up (curl_global_init) by the first call from
// whichever thread, and only then.
const CurlLibrary& Libcurl();
