#include "Compress.h"
#include "support/LocalServer.h"
#include "sources/CUrlReader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace linkrake {
namespace {

using test::LocalServer;

class UrlReaderTest : public ::testing::Test {
protected:
    void SetUp() override { test::clearProxyEnvironment(); }

    LocalServer server;
};

std::string longBody(std::size_t size, std::string_view ending) {
    std::string body;
    body.reserve(size);
    for (std::size_t i = 0; body.size() + ending.size() < size; ++i) {
        body += static_cast<char>('a' + i % 26);
        if (i % 80 == 79) {
            body += '\n';
        }
    }
    body.resize(size - ending.size());
    return body + std::string(ending);
}

void expectPage(const DownloadResult& result, const std::string& body) {
    EXPECT_TRUE(result.ok) << result.failure << ": " << result.reason;
    EXPECT_TRUE(result.failure.empty());
    EXPECT_TRUE(result.reason.empty());
    EXPECT_EQ(result.page.size(), body.size());
    EXPECT_TRUE(result.page == body) << "the page's bytes differ from the body sent";
}

TEST_F(UrlReaderTest, EveryByteOfTheBodyComesBack) {
    struct Case {
        const char* name;
        int status;
        const char* type;
        bool chunked;
        std::string body;
    };
    const std::vector<Case> cases = {
        {"html", 200, "text/html", false, "<html><a href=\"http://a.example/\">a</a>\n</html>\n"},
        {"crlf", 200, "text/plain", false, "one\r\ntwo\r\n\r\nthree\nfour"},
        {"nul", 200, "application/octet-stream", false, std::string("before\0after\0\0end", 17)},
        {"long", 200, "application/octet-stream", false, longBody(200'000, "--the last bytes--")},
        {"long-html", 200, "text/html", false, longBody(70'000, "</html>")},
        {"chunked", 200, "application/octet-stream", true, longBody(300'000, "--chunk end--")},
        {"empty", 200, "text/html", false, ""},
        {"missing", 404, "text/html", false, "<h1>Not here</h1>"},
    };
    for (const Case& c : cases) {
        server.routes().Get("/" + std::string(c.name), [&c](const httplib::Request&,
                                                             httplib::Response& response) {
            response.status = c.status;
            if (!c.chunked) {
                response.set_content(c.body, c.type);
                return;
            }
            response.set_chunked_content_provider(
                c.type, [&c](std::size_t offset, httplib::DataSink& sink) {
                    const std::size_t piece = std::min<std::size_t>(16'384, c.body.size() - offset);
                    sink.write(c.body.data() + offset, piece);
                    if (offset + piece == c.body.size()) {
                        sink.done();
                    }
                    return true;
                });
        });
    }
    server.start();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUrlReader reader;
        expectPage(reader.Download(server.url("/" + std::string(c.name))), c.body);
    }
}

TEST_F(UrlReaderTest, CompressedBodiesAreDecoded) {
    const std::string page = longBody(120'000, "<a href=\"http://end.example/\">end</a>\r\n");
    struct Case {
        const char* encoding;
        test::Wrapping wrapping;
    };
    const std::vector<Case> cases = {{"gzip", test::Wrapping::Gzip},
                                     {"deflate", test::Wrapping::Zlib}};
    for (const Case& c : cases) {
        const std::string sent = test::compress(page, c.wrapping);
        server.routes().Get("/" + std::string(c.encoding),
                            [sent, &c](const httplib::Request&, httplib::Response& response) {
                                response.set_header("Content-Encoding", c.encoding);
                                response.set_content(sent, "application/octet-stream");
                            });
    }
    server.start();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        CUrlReader reader;
        expectPage(reader.Download(server.url("/" + std::string(c.encoding))), page);
    }
}

TEST_F(UrlReaderTest, RedirectsLeadToTheFinalPage) {
    // /hop/N sends the reader on to /hop/N-1; /hop/0 is the page. Each redirect carries a
    // body of its own that must not end up in the page.
    server.routes().Get(R"(/hop/(\d+))", [](const httplib::Request& request,
                                            httplib::Response& response) {
        const int hops = std::stoi(request.matches[1]);
        if (hops == 0) {
            response.set_content("the final page", "text/plain");
            return;
        }
        response.status = hops % 2 == 0 ? 301 : 302;
        response.set_header("Location", "/hop/" + std::to_string(hops - 1));
        response.set_content("moved along", "text/plain");
    });
    server.start();

    for (int hops : {1, 2, static_cast<int>(CUrlReader::kMaxRedirects)}) {
        SCOPED_TRACE(hops);
        CUrlReader reader;
        expectPage(reader.Download(server.url("/hop/" + std::to_string(hops))), "the final page");
    }
    CUrlReader reader;
    const DownloadResult oneTooMany =
        reader.Download(server.url("/hop/" + std::to_string(CUrlReader::kMaxRedirects + 1)));
    EXPECT_FALSE(oneTooMany.ok);
    EXPECT_EQ(oneTooMany.failure, CUrlReader::kUnableToOpenUrl);
    EXPECT_TRUE(oneTooMany.page.empty());
}

TEST_F(UrlReaderTest, RequestAsksForAFreshCopyUnderTheAgentName) {
    std::mutex mutex;
    httplib::Headers seen;
    server.routes().Get("/page", [&](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(mutex);
        seen = request.headers;
        response.set_content("page", "text/plain");
    });
    server.start();

    CUrlReader reader;
    ASSERT_TRUE(reader.Download(server.url("/page")).ok);

    std::lock_guard lock(mutex);
    auto header = [&](const std::string& name) {
        const auto found = seen.find(name);
        return found == seen.end() ? std::string("(none)") : found->second;
    };
    EXPECT_EQ(header("User-Agent"), "Microsoft Internet Explorer");
    EXPECT_EQ(header("Cache-Control"), "no-cache");
    EXPECT_EQ(header("Pragma"), "no-cache");
    EXPECT_NE(header("Accept-Encoding").find("gzip"), std::string::npos);
}

TEST_F(UrlReaderTest, EveryDownloadAsksTheServerAgain) {
    std::atomic<int> visits{0};
    server.routes().Get("/page", [&](const httplib::Request&, httplib::Response& response) {
        response.set_header("Cache-Control", "max-age=3600");
        response.set_content("visit " + std::to_string(++visits), "text/plain");
    });
    server.start();

    CUrlReader reused;
    expectPage(reused.Download(server.url("/page")), "visit 1");
    expectPage(reused.Download(server.url("/page")), "visit 2");
    CUrlReader fresh;
    expectPage(fresh.Download(server.url("/page")), "visit 3");
    EXPECT_EQ(visits.load(), 3);
}

TEST_F(UrlReaderTest, ProxyComesFromTheEnvironment) {
    server.routes().Get("/page", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("from the server", "text/plain");
    });
    server.start();
    LocalServer proxy;
    std::mutex mutex;
    std::string proxiedTarget;
    proxy.routes().Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(mutex);
        proxiedTarget = request.target;
        response.set_content("from the proxy", "text/plain");
    });
    proxy.start();

    struct Case {
        const char* name;
        const char* noProxy;  // null: unset
        std::string expected;
    };
    const std::vector<Case> cases = {{"through the proxy", nullptr, "from the proxy"},
                                     {"proxy bypassed", "127.0.0.1", "from the server"}};
    ::setenv("http_proxy", proxy.url("").c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.noProxy) {
            ::setenv("no_proxy", c.noProxy, 1);
        } else {
            ::unsetenv("no_proxy");
        }
        CUrlReader reader;
        expectPage(reader.Download(server.url("/page")), c.expected);
    }
    std::lock_guard lock(mutex);
    EXPECT_EQ(proxiedTarget, server.url("/page"));
}

}  // namespace
}  // namespace linkrake
