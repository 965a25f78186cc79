#include "sources/CUrlReader.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <utility>

namespace linkrake {

namespace {

using Clock = std::chrono::steady_clock;

// Only the schemes a page can come from; file:, dict:, gopher: and the rest stay closed,
// for the address and for every redirect.
constexpr const char* kAllowedProtocols = "http,https,ftp";

// What the callbacks learn during one perform.
struct Transfer {
    std::string body;
    std::size_t limit = 0;
    std::chrono::milliseconds stallTimeout{0};
    Clock::time_point lastActivity = Clock::now();
    CURL* handle = nullptr;
    bool overLimit = false;
    bool outOfMemory = false;
    bool stalled = false;
    // The final response has begun: its headers are complete or its first byte arrived.
    // Until then a failure means the address did not open.
    bool opened = false;
    bool locationSeen = false;
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    transfer.lastActivity = Clock::now();
    if (startsWithNoCase(line, "HTTP/")) {
        transfer.locationSeen = false;
    } else if (startsWithNoCase(line, "Location:")) {
        transfer.locationSeen = true;
    } else if (line == "\r\n" || line == "\n") {
        long status = 0;
        curl_easy_getinfo(transfer.handle, CURLINFO_RESPONSE_CODE, &status);
        // A redirect that libcurl follows, or an interim 1xx, is not yet the page.
        const bool followed = status >= 300 && status < 400 && transfer.locationSeen;
        if (status >= 200 && !followed) {
            transfer.opened = true;
        }
    }
    return size * count;
}

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t length = size * count;
    transfer.lastActivity = Clock::now();
    transfer.opened = true;
    // Counted here because libcurl's own size limit misses bodies of unannounced length
    // and whatever a compressed body grows to.
    if (length > transfer.limit - transfer.body.size()) {
        transfer.overLimit = true;
        return 0;
    }
    try {
        transfer.body.append(data, length);
    } catch (...) {
        transfer.outOfMemory = true;
        return 0;
    }
    return length;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(user);
    if (Clock::now() - transfer.lastActivity > transfer.stallTimeout) {
        transfer.stalled = true;
        return 1;
    }
    return 0;
}

std::string describe(std::chrono::milliseconds span) {
    if (span.count() % 1000 == 0) {
        return std::to_string(span.count() / 1000) + " s";
    }
    return std::to_string(span.count()) + " ms";
}

// Sets options one after another and keeps the first refusal.
class OptionSetter {
public:
    explicit OptionSetter(CURL* handle) : m_handle(handle) {}

    template <class Value>
    OptionSetter& operator()(CURLoption option, Value value) {
        if (m_code == CURLE_OK) {
            m_code = curl_easy_setopt(m_handle, option, value);
        }
        return *this;
    }

    CURLcode code() const { return m_code; }

private:
    CURL* m_handle;
    CURLcode m_code = CURLE_OK;
};

DownloadResult failed(std::string_view failure, std::string reason) {
    DownloadResult result;
    result.failure = failure;
    result.reason = std::move(reason);
    return result;
}

DownloadResult outcome(CURLcode code, Transfer& transfer, const UrlReaderLimits& limits) {
    if (code == CURLE_OK) {
        DownloadResult result;
        result.ok = true;
        result.page = std::move(transfer.body);
        return result;
    }
    if (transfer.overLimit || code == CURLE_FILESIZE_EXCEEDED) {
        return failed(CUrlReader::kUnableToReadData,
                      "The page is larger than the limit of " +
                          std::to_string(limits.maxPageBytes) + " bytes.");
    }
    if (transfer.outOfMemory || code == CURLE_OUT_OF_MEMORY) {
        return failed(CUrlReader::kUnableToAllocateMemory, "Not enough memory for the page.");
    }
    const std::string_view failure =
        transfer.opened ? CUrlReader::kUnableToReadData : CUrlReader::kUnableToOpenUrl;
    if (transfer.stalled) {
        return failed(failure, "No data arrived for " + describe(limits.stallTimeout) + ".");
    }
    std::string reason = transfer.errorBuffer[0] != '\0' ? std::string(transfer.errorBuffer)
                                                         : std::string(curl_easy_strerror(code));
    return failed(failure, std::move(reason));
}

}  // namespace

CUrlReader::CUrlReader(UrlReaderLimits limits) : m_limits(limits) {
    OpenSession();
}

CUrlReader::~CUrlReader() = default;

bool CUrlReader::OpenSession() {
    m_hSession.reset(curl_easy_init());
    if (!m_hSession) {
        m_strSessionFailure = "libcurl could not start a session.";
        return false;
    }
    OptionSetter set(m_hSession.get());
    // The proxy is left to libcurl, which takes it from http_proxy, https_proxy and no_proxy.
    set(CURLOPT_USERAGENT, kAgent.data());
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_PROTOCOLS_STR, kAllowedProtocols);
    set(CURLOPT_REDIR_PROTOCOLS_STR, kAllowedProtocols);
    set(CURLOPT_FOLLOWLOCATION, 1L);
    set(CURLOPT_MAXREDIRS, kMaxRedirects);
    set(CURLOPT_SSL_VERIFYPEER, 1L);
    set(CURLOPT_SSL_VERIFYHOST, 2L);
    set(CURLOPT_PROXY_SSL_VERIFYPEER, 1L);
    set(CURLOPT_PROXY_SSL_VERIFYHOST, 2L);
    set(CURLOPT_ACCEPT_ENCODING, "");
    set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_limits.connectTimeout.count()));
    const auto stallSeconds = std::max<long long>(1, (m_limits.stallTimeout.count() + 999) / 1000);
    set(CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(stallSeconds));
    set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxPageBytes));
    set(CURLOPT_NOPROGRESS, 0L);
    if (set.code() != CURLE_OK) {
        // A session without its safety options must not fetch anything.
        m_strSessionFailure = std::string("libcurl refused a session option: ") +
                              curl_easy_strerror(set.code());
        m_hSession.reset();
        return false;
    }
    m_strSessionFailure.clear();
    return true;
}

bool CUrlReader::OpenUrl(const std::string& address) {
    curl_slist* headers = nullptr;
    for (const char* header : {"Cache-Control: no-cache", "Pragma: no-cache"}) {
        curl_slist* longer = curl_slist_append(headers, header);
        if (!longer) {
            curl_slist_free_all(headers);
            return false;
        }
        headers = longer;
    }
    m_hUrl.reset(headers);
    OptionSetter set(m_hSession.get());
    set(CURLOPT_HTTPHEADER, m_hUrl.get())(CURLOPT_URL, address.c_str());
    return set.code() == CURLE_OK;
}

void CUrlReader::CloseHandles() {
    m_hSession.reset();
    m_hUrl.reset();
}

DownloadResult CUrlReader::Download(std::string address) {
    struct Closer {
        CUrlReader& reader;
        ~Closer() { reader.CloseHandles(); }
    } closer{*this};

    if (!m_hSession && !OpenSession()) {
        return failed(kUnableToOpenUrl, m_strSessionFailure);
    }
    if (address.find('\0') != std::string::npos) {
        return failed(kUnableToOpenUrl, "The address contains a NUL byte.");
    }
    if (!OpenUrl(address)) {
        return failed(kUnableToOpenUrl, "libcurl did not take the address.");
    }

    Transfer transfer;
    transfer.limit = m_limits.maxPageBytes;
    transfer.stallTimeout = m_limits.stallTimeout;
    transfer.handle = m_hSession.get();
    OptionSetter set(m_hSession.get());
    set(CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    set(CURLOPT_HEADERFUNCTION, &onHeader);
    set(CURLOPT_HEADERDATA, &transfer);
    set(CURLOPT_WRITEFUNCTION, &onBody);
    set(CURLOPT_WRITEDATA, &transfer);
    set(CURLOPT_XFERINFOFUNCTION, &onProgress);
    set(CURLOPT_XFERINFODATA, &transfer);
    if (set.code() != CURLE_OK) {
        return failed(kUnableToOpenUrl, curl_easy_strerror(set.code()));
    }
    transfer.lastActivity = Clock::now();
    return outcome(curl_easy_perform(m_hSession.get()), transfer, m_limits);
}

}  // namespace linkrake
