#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace linkrake::test {

// A real HTTP(S) server on 127.0.0.1 with a port of its own choosing, run in a thread for
// the length of one test. Routes are added before start().
class LocalServer {
public:
    LocalServer();
    LocalServer(std::unique_ptr<httplib::Server> server, std::string scheme);
    ~LocalServer();

    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    httplib::Server& routes() { return *m_server; }
    void start();
    int port() const { return m_port; }
    std::string url(std::string_view path) const;

    // For handlers that play a server gone silent: blocks until the test ends (at most 10 s),
    // so that stopping the server never waits on them for long.
    void holdUntilReleased();

private:
    void release();

    std::unique_ptr<httplib::Server> m_server;
    std::string m_scheme;
    int m_port = -1;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_isReleased = false;
};

// A port on 127.0.0.1 that nothing listens on.
int closedPort();

// Takes away the proxy settings the test's environment may have, so that requests to
// 127.0.0.1 go straight to the test's own server.
void clearProxyEnvironment();

}  // namespace linkrake::test
