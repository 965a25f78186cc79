#include "LocalServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace linkrake::test {

LocalServer::LocalServer() : LocalServer(std::make_unique<httplib::Server>(), "http") {}

LocalServer::LocalServer(std::unique_ptr<httplib::Server> server, std::string scheme)
    : m_server(std::move(server)), m_scheme(std::move(scheme)) {}

LocalServer::~LocalServer() {
    release();
    if (m_thread.joinable()) {
        // stop() only reaches a server that has begun to listen.
        for (int i = 0; i < 500 && !m_server->is_running(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_server->stop();
        m_thread.join();
    }
}

void LocalServer::start() {
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0) {
        throw std::runtime_error("the test server could not bind to 127.0.0.1");
    }
    // The socket already listens, so requests made before the thread runs wait in its queue.
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

std::string LocalServer::url(std::string_view path) const {
    return m_scheme + "://127.0.0.1:" + std::to_string(m_port) + std::string(path);
}

void LocalServer::holdUntilReleased() {
    std::unique_lock lock(m_mutex);
    m_released.wait_for(lock, std::chrono::seconds(10), [this] { return m_isReleased; });
}

void LocalServer::release() {
    {
        std::lock_guard lock(m_mutex);
        m_isReleased = true;
    }
    m_released.notify_all();
}

int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(fd);  // bound but never listening: the port is free and refuses connections
    return ntohs(address.sin_port);
}

void clearProxyEnvironment() {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "ftp_proxy",
                             "FTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        ::unsetenv(name);
    }
}

}  // namespace linkrake::test
