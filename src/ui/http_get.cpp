#include "ui/http_get.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace pondaro::ui {

namespace {

struct Body {
    std::string text;
    size_t maxBytes;
    bool tooLong = false;
};

size_t append(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<Body*>(user);
    const size_t n = size * count;
    if (body->text.size() + n > body->maxBytes) {
        body->tooLong = true;
        return 0;  // makes curl stop with a write error
    }
    body->text.append(data, n);
    return n;
}

struct MultiDeleter {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct EasyDeleter {
    void operator()(CURL* e) const { curl_easy_cleanup(e); }
};

} // namespace

std::optional<std::string> httpGet(const std::string& address, const HttpGetOptions& options) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi) return std::nullopt;

    Body body{{}, options.maxBytes};
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, address.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 3L);
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, options.timeoutMs);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, options.timeoutMs);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
#if LIBCURL_VERSION_NUM >= 0x075700
    // A name lookup still under way when the request ends is left to finish by itself
    // instead of being waited for.
    curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
#endif
    curl_easy_setopt(e, CURLOPT_USERAGENT, "PondaroGameMaker/2.0.0");
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &body);
    if (curl_multi_add_handle(multi.get(), e) != CURLM_OK) return std::nullopt;

    auto cancelled = [&] { return options.cancel && options.cancel->load(); };
    int running = 1;
    while (running && !cancelled()) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
        if (!running) break;
        curl_multi_poll(multi.get(), nullptr, 0, 30, nullptr);
    }
    if (cancelled()) {
        curl_multi_remove_handle(multi.get(), e);
        return std::nullopt;
    }

    CURLcode result = CURLE_FAILED_INIT;
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi.get(), &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == e) result = msg->data.result;
    long status = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_remove_handle(multi.get(), e);
    if (result != CURLE_OK || status != 200 || body.tooLong) return std::nullopt;
    return std::move(body.text);
}

} // namespace pondaro::ui
