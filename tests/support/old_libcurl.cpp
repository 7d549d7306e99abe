// A stand-in for a libcurl older than the program needs, found before the system's:
// it loads and sets up, but refuses the options it does not know, as libcurl before
// 7.85 refuses CURLOPT_PROTOCOLS_STR and CURLOPT_REDIR_PROTOCOLS_STR. A downloader
// that went on without them would reach its transfer, which this library never makes.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

namespace {
int easy, multi, share;
}

extern "C" {
CURLcode curl_global_init(long) { return CURLE_OK; }
CURL* curl_easy_init() { return &easy; }
void curl_easy_cleanup(CURL*) {}
CURLcode curl_easy_setopt(CURL*, CURLoption option, ...) {
  return option == CURLOPT_PROTOCOLS_STR || option == CURLOPT_REDIR_PROTOCOLS_STR ? CURLE_UNKNOWN_OPTION : CURLE_OK;
}
CURLcode curl_easy_getinfo(CURL*, CURLINFO, ...) { return CURLE_OK; }
const char* curl_easy_strerror(CURLcode code) {
  return code == CURLE_UNKNOWN_OPTION ? "An unknown option was passed in to libcurl" : "error";
}
CURLM* curl_multi_init() { return &multi; }
CURLMcode curl_multi_cleanup(CURLM*) { return CURLM_OK; }
CURLMcode curl_multi_add_handle(CURLM*, CURL*) { return CURLM_OK; }
CURLMcode curl_multi_remove_handle(CURLM*, CURL*) { return CURLM_OK; }
CURLMcode curl_multi_perform(CURLM*, int* running) {
  *running = 0;
  return CURLM_OK;
}
CURLMcode curl_multi_poll(CURLM*, curl_waitfd*, unsigned int, int, int*) { return CURLM_OK; }
CURLMsg* curl_multi_info_read(CURLM*, int* queued) {
  *queued = 0;
  return nullptr;
}
CURLSH* curl_share_init() { return &share; }
CURLSHcode curl_share_cleanup(CURLSH*) { return CURLSHE_OK; }
CURLSHcode curl_share_setopt(CURLSH*, CURLSHoption, ...) { return CURLSHE_OK; }
}
