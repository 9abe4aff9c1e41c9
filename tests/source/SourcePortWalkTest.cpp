#include "SourceConnection.h"
#include "TestMariaDb.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr unsigned short kFirstPort = 3306;
constexpr unsigned short kLastPort = 3309;

// Listens on ports 3306 to 3309 of one free loopback address, accepts every connection and
// drops it at once, recording the port it came to: a server that refuses everyone at the
// first packet, without any wait.
class DroppingListeners {
public:
    DroppingListeners() {
        for (int n = 200; n < 255 && m_sockets.empty(); ++n) {
            tryAddress("127.0.0." + std::to_string(n));
        }
        if (m_sockets.empty()) {
            throw std::runtime_error("no loopback address with ports 3306 to 3309 free");
        }
        m_thread = std::thread([this] { serve(); });
    }

    ~DroppingListeners() {
        m_stop = true;
        m_thread.join();
        for (const int socket : m_sockets) {
            close(socket);
        }
    }

    DroppingListeners(const DroppingListeners&) = delete;
    DroppingListeners& operator=(const DroppingListeners&) = delete;

    const std::string& address() const { return m_address; }

    std::vector<unsigned short> ports() const {
        std::lock_guard lock(m_mutex);
        return m_ports;
    }

private:
    void tryAddress(const std::string& address) {
        std::vector<int> sockets;
        for (unsigned short port = kFirstPort; port <= kLastPort; ++port) {
            const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const int on = 1;
            setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
            sockaddr_in where{};
            where.sin_family = AF_INET;
            where.sin_port = htons(port);
            inet_pton(AF_INET, address.c_str(), &where.sin_addr);
            if (bind(socket, reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0 ||
                listen(socket, 8) != 0) {
                close(socket);
                for (const int opened : sockets) {
                    close(opened);
                }
                return;
            }
            sockets.push_back(socket);
        }
        m_sockets = sockets;
        m_address = address;
    }

    void serve() {
        std::vector<pollfd> polled;
        for (const int socket : m_sockets) {
            polled.push_back({socket, POLLIN, 0});
        }
        while (!m_stop) {
            if (poll(polled.data(), polled.size(), 20) <= 0) {
                continue;
            }
            for (std::size_t i = 0; i < polled.size(); ++i) {
                if (polled[i].revents & POLLIN) {
                    const int accepted = accept(polled[i].fd, nullptr, nullptr);
                    if (accepted >= 0) {
                        close(accepted);
                        std::lock_guard lock(m_mutex);
                        m_ports.push_back(static_cast<unsigned short>(kFirstPort + i));
                    }
                }
            }
        }
    }

    std::string m_address;
    std::vector<int> m_sockets;
    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    mutable std::mutex m_mutex;
    std::vector<unsigned short> m_ports;
};

TEST(SourcePortWalk, TriesPorts3306To3309InTurnAndFailsOnceAfterTheFourth) {
    DroppingListeners listeners;
    SourceConnection connection;

    EXPECT_FALSE(
        connection.Connect(listeners.address(), TestMariaDb::kLogin, TestMariaDb::kPassword));

    EXPECT_EQ(listeners.ports(), (std::vector<unsigned short>{3306, 3307, 3308, 3309}));
}

TEST(SourcePortWalk, ReachesAServerThatListensOnPort3308Only) {
    SourceConnection connection;

    ASSERT_TRUE(
        connection.Connect(TestMariaDb::host(), TestMariaDb::kLogin, TestMariaDb::kPassword));

    ASSERT_EQ(connection.Query("SELECT @@port"), 0);
    std::optional<SourceResult> result = connection.StoreResult();
    ASSERT_TRUE(result);
    const SourceRow row = connection.FetchRow(*result);
    ASSERT_TRUE(row);
    EXPECT_STREQ(row[0], "3308");
}

} // namespace
