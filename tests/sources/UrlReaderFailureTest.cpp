#include "Compress.h"
#include "support/LocalServer.h"
#include "SelfSignedCert.h"
#include "sources/CUrlReader.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace linkrake {
namespace {

using namespace std::chrono_literals;
using test::LocalServer;

// A listening socket whose queue is full: the kernel drops further connection attempts, so a
// connect to it neither succeeds nor is refused.
class FullListener {
public:
    FullListener() {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_listener < 0 ||
            ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 0) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("no listening socket on 127.0.0.1");
        }
        m_port = ntohs(address.sin_port);
        // Fill the queue until an attempt no longer completes.
        for (int i = 0; i < 16; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            m_fillers.push_back(filler);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            pollfd wait{filler, POLLOUT, 0};
            if (::poll(&wait, 1, 100) == 0) {
                return;
            }
        }
        throw std::runtime_error("the listening queue did not fill up");
    }
    ~FullListener() {
        for (int fd : m_fillers) {
            ::close(fd);
        }
        ::close(m_listener);
    }
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;

    int port() const { return m_port; }

private:
    int m_listener = -1;
    int m_port = 0;
    std::vector<int> m_fillers;
};

// Sends the headers and the first bytes of a body that announces more, then either hangs up
// or goes silent.
void sendPartOfBody(httplib::Response& response, std::size_t sent, LocalServer* holdOn) {
    response.set_content_provider(
        1000, "application/octet-stream",
        [sent, holdOn](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset == 0 && sent > 0) {
                sink.write(std::string(sent, 'x').data(), sent);
                return true;
            }
            if (holdOn) {
                holdOn->holdUntilReleased();
            }
            return false;
        });
}

TEST(UrlReaderFailureTest, EachFailureEndsSoonWithItsText) {
    test::clearProxyEnvironment();
    LocalServer server;
    httplib::Server& routes = server.routes();
    routes.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/loop");
    });
    routes.Get("/to-file", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/passwd");
    });
    routes.Get("/dropped", [](const httplib::Request&, httplib::Response& response) {
        sendPartOfBody(response, 400, nullptr);
    });
    routes.Get("/stalls", [&server](const httplib::Request&, httplib::Response& response) {
        sendPartOfBody(response, 400, &server);
    });
    routes.Get("/headers-only", [&server](const httplib::Request&, httplib::Response& response) {
        sendPartOfBody(response, 0, &server);
    });
    routes.Get("/silent", [&server](const httplib::Request&, httplib::Response& response) {
        server.holdUntilReleased();
        response.set_content("too late", "text/plain");
    });
    const std::string big(150'000, 'b');
    routes.Get("/announced-big", [&big](const httplib::Request&, httplib::Response& response) {
        response.set_content(big, "application/octet-stream");
    });
    routes.Get("/chunked-big", [&big](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "application/octet-stream", [&big](std::size_t offset, httplib::DataSink& sink) {
                const std::size_t piece = std::min<std::size_t>(10'000, big.size() - offset);
                sink.write(big.data() + offset, piece);
                if (offset + piece == big.size()) {
                    sink.done();
                }
                return true;
            });
    });
    // Two kilobytes on the wire, two mebibytes once decoded.
    const std::string bomb = test::compress(std::string(2 << 20, '\0'), test::Wrapping::Gzip);
    routes.Get("/bomb", [&bomb](const httplib::Request&, httplib::Response& response) {
        response.set_header("Content-Encoding", "gzip");
        response.set_content(bomb, "application/octet-stream");
    });
    server.start();

    const test::SelfSignedCert cert = test::makeSelfSignedCert();
    LocalServer tls(std::make_unique<httplib::SSLServer>(cert.cert.get(), cert.key.get()), "https");
    tls.routes().Get("/page", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("an untrusted page", "text/plain");
    });
    tls.start();
    const FullListener full;

    const UrlReaderLimits quick{500ms, 300ms, 100'000};
    const UrlReaderLimits slowToStall{300ms, 5000ms, 100'000};
    const std::string closed = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/";
    const std::string unanswered = "http://127.0.0.1:" + std::to_string(full.port()) + "/";
    struct Case {
        const char* name;
        std::string address;
        UrlReaderLimits limits;
        std::string_view failure;
        std::string reasonPart;
    };
    const std::vector<Case> cases = {
        {"closed port", closed, quick, CUrlReader::kUnableToOpenUrl, "connect"},
        {"connect never completes", unanswered, slowToStall, CUrlReader::kUnableToOpenUrl,
         "Timeout"},
        {"server never answers", server.url("/silent"), quick, CUrlReader::kUnableToOpenUrl,
         "No data arrived for 300 ms"},
        {"redirect loop", server.url("/loop"), quick, CUrlReader::kUnableToOpenUrl, "redirect"},
        {"redirect to a file", server.url("/to-file"), quick, CUrlReader::kUnableToOpenUrl,
         "file"},
        {"file address", "file:///etc/passwd", quick, CUrlReader::kUnableToOpenUrl, "file"},
        {"gopher address", "gopher" + server.url("/").substr(4), quick,
         CUrlReader::kUnableToOpenUrl, "gopher"},
        {"empty address", "", quick, CUrlReader::kUnableToOpenUrl, ""},
        {"scheme alone", "http://", quick, CUrlReader::kUnableToOpenUrl, ""},
        {"address with a NUL", std::string("http://127.0.0.1\0.evil/", 23), quick,
         CUrlReader::kUnableToOpenUrl, "NUL"},
        {"untrusted certificate", tls.url("/page"), quick, CUrlReader::kUnableToOpenUrl,
         "certificate"},
        {"connection dropped", server.url("/dropped"), quick, CUrlReader::kUnableToReadData,
         "closed"},
        {"server stalls mid-body", server.url("/stalls"), quick, CUrlReader::kUnableToReadData,
         "No data arrived for 300 ms"},
        {"silence after the headers", server.url("/headers-only"), quick,
         CUrlReader::kUnableToReadData, "No data arrived for 300 ms"},
        {"announced body over the limit", server.url("/announced-big"), quick,
         CUrlReader::kUnableToReadData, "100000 bytes"},
        {"unannounced body over the limit", server.url("/chunked-big"), quick,
         CUrlReader::kUnableToReadData, "100000 bytes"},
        {"compressed body over the limit", server.url("/bomb"), quick,
         CUrlReader::kUnableToReadData, "100000 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUrlReader reader(c.limits);
        const auto started = std::chrono::steady_clock::now();
        const DownloadResult result = reader.Download(c.address);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_TRUE(result.page.empty());
        EXPECT_FALSE(result.reason.empty());
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << result.reason;
    }
}

TEST(UrlReaderFailureTest, ABodyAtTheLimitIsStillAPage) {
    test::clearProxyEnvironment();
    LocalServer server;
    const std::string page(4096, 'p');
    server.routes().Get("/page", [&page](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, "application/octet-stream");
    });
    server.start();

    for (std::size_t limit : {page.size(), page.size() - 1}) {
        SCOPED_TRACE(limit);
        CUrlReader reader(UrlReaderLimits{500ms, 300ms, limit});
        const DownloadResult result = reader.Download(server.url("/page"));
        EXPECT_EQ(result.ok, limit >= page.size()) << result.reason;
        EXPECT_EQ(result.page, result.ok ? page : std::string());
    }
}

}  // namespace
}  // namespace linkrake
