#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace linkrake {

// What one download brought back. A failure never stands in the page's place:
// `ok` tells them apart, so a page that happens to read "Unable to read data" is still a page.
struct DownloadResult {
    bool ok = false;
    std::string page;     // every byte of the body (NUL bytes too) when ok
    std::string failure;  // one of the reader's three failure texts when not ok
    std::string reason;   // what went wrong, readable by a person; empty when ok
};

// Bounds that keep a download from hanging or eating memory. The defaults suit a person
// waiting at the window; tests shorten them.
struct UrlReaderLimits {
    std::chrono::milliseconds connectTimeout{30'000};  // resolving, connecting, TLS handshake
    std::chrono::milliseconds stallTimeout{60'000};    // longest wait for the next byte
    std::size_t maxPageBytes = std::size_t{64} << 20;  // decoded body size that fails the read
};

// Fetches one page by its address over HTTP, HTTPS or FTP through libcurl: synchronous, with
// the user's proxy settings from the environment, never from a cache, redirects followed.
// Every libcurl handle and buffer is released before Download returns, whatever the outcome.
class CUrlReader {
public:
    static constexpr std::string_view kAgent = "Microsoft Internet Explorer";
    static constexpr std::string_view kUnableToOpenUrl = "Unable to open URL";
    static constexpr std::string_view kUnableToAllocateMemory = "Unable to allocate memory";
    static constexpr std::string_view kUnableToReadData = "Unable to read data";
    static constexpr long kMaxRedirects = 10;

    explicit CUrlReader(UrlReaderLimits limits = {});
    virtual ~CUrlReader();

    CUrlReader(const CUrlReader&) = delete;
    CUrlReader& operator=(const CUrlReader&) = delete;

    // The address goes to libcurl as given: the caller completes it first.
    // A reader may download again; each call opens what the previous one closed.
    DownloadResult Download(std::string address);

private:
    struct EasyCleanup {
        void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    };
    struct ListFree {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    bool OpenSession();
    bool OpenUrl(const std::string& address);
    void CloseHandles();

    UrlReaderLimits m_limits;
    std::unique_ptr<CURL, EasyCleanup> m_hSession;   // options shared by every address
    std::unique_ptr<curl_slist, ListFree> m_hUrl;    // request headers of the opened address
    std::string m_strSessionFailure;                 // why OpenSession failed, if it did
};

}  // namespace linkrake
