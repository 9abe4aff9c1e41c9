// Servers that fail under a run: the MySQL server killed in the middle of a table, and the
// Oracle side losing its session in the middle of a run. Each run must end in bounded time
// with what was committed kept and a completion message that tells what happened.

#include "FaultFixture.h"
#include "OracleSimState.h"
#include "SourceConnection.h"
#include "TestMariaDb.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using testing::HasSubstr;

// The state letter of a process in /proc, or 'X' when it is gone.
char processState(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return 'X';
    }
    const std::size_t end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() ? line[end + 2] : 'X';
}

// Sends the signal and waits until the server has really stopped (or died): a signal arrives
// asynchronously, and a server still running for a moment would answer the next request.
void signalAndWait(pid_t pid, int signal, std::string_view states) {
    ::kill(pid, signal);
    for (int i = 0; i < 2000 && states.find(processState(pid)) == std::string_view::npos; ++i) {
        std::this_thread::sleep_for(1ms);
    }
}

// A MariaDB server of the test's own, so that killing it costs no other test its server.
class OwnMariaDb {
public:
    OwnMariaDb()
        : m_dir(std::filesystem::temp_directory_path() /
                ("tabwright-faults-" + std::to_string(getpid())) / "mariadb") {
        std::filesystem::create_directories(m_dir);
        run("start " + m_dir.string() + " 3306");
    }
    ~OwnMariaDb() { stop(); }
    OwnMariaDb(const OwnMariaDb&) = delete;
    OwnMariaDb& operator=(const OwnMariaDb&) = delete;

    void stop() {
        if (m_stopped)
            return;
        m_stopped = true;
        const std::string command =
            "bash " TABWRIGHT_MARIADB_SCRIPT " stop " + m_dir.string() + " >/dev/null";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not stop the server of %s\n", m_dir.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(m_dir.parent_path(), ignored);
    }

    std::string host() const { return firstLine(m_dir / "host"); }
    pid_t pid() const { return static_cast<pid_t>(std::stol(firstLine(m_dir / "mysqld.pid"))); }

    // Statements as root through the socket.
    void exec(const std::string& sql) const {
        const std::filesystem::path file = m_dir / "statements.sql";
        std::ofstream(file) << sql << ";\n";
        const std::string command =
            "mariadb --no-defaults --user=root --socket=" + (m_dir / "mysqld.sock").string() +
            " < " + file.string();
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("mariadb failed on: " + sql);
    }

private:
    static std::string firstLine(const std::filesystem::path& file) {
        std::ifstream in(file);
        std::string line;
        std::getline(in, line);
        return line;
    }
    static void run(const std::string& arguments) {
        const std::string command =
            "bash " TABWRIGHT_MARIADB_SCRIPT " " + arguments + " >/dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("mariadb-server.sh " + arguments + " failed");
    }

    std::filesystem::path m_dir;
    bool m_stopped = false;
};

class ServerFaultTest : public FaultFixture {
protected:
    // A shop database of fifty parts (and the tables given) on the test's own server, the
    // source connection made to it, and the run told to send the server the signal once the
    // second part is committed.
    RunOptions connectAndSignalAfterTwoParts(OwnMariaDb& server, const std::string& moreTables,
                                             int signal, std::string_view settledStates) {
        server.exec("CREATE DATABASE shop; USE shop;"
                    "CREATE TABLE parts (id INT PRIMARY KEY, name VARCHAR(20));"
                    "INSERT INTO parts SELECT seq, CONCAT('part ', seq) FROM seq_1_to_50;" +
                    moreTables +
                    "CREATE USER 'fault'@'%' IDENTIFIED BY 'fault-secret';"
                    "GRANT ALL PRIVILEGES ON *.* TO 'fault'@'%'");
        EXPECT_TRUE(TheSourceConnection().Connect(server.host(), "fault", "fault-secret"));
        TheSourceConnection().UseDatabase("shop");
        m_database = "shop";
        RunOptions options;
        options.onCall = [pid = server.pid(), signal, settledStates](ConsoleWindow&,
                                                                     const std::string& line) {
            if (line == "SetTitle Converting Table: [PARTS] 2 rows converted...")
                signalAndWait(pid, signal, settledStates);
        };
        return options;
    }
};

// The server process dies (SIGKILL) after the second row of the first table was committed:
// the rest of that table cannot be read any more, the next table cannot even be listed, and
// the run ends at once with both counted as failed. The rows committed before stay.
TEST_F(ServerFaultTest, MySqlServerKilledInTheMiddleOfATable) {
    OwnMariaDb server;
    const RunOptions options = connectAndSignalAfterTwoParts(
        server, "CREATE TABLE later (id INT); INSERT INTO later VALUES (1);", SIGKILL, "ZX");

    const auto window = convertWithin(60s, {"parts", "later"}, options);

    const std::vector<std::string> expected = {
        "parts table could not be read completely from MySQL.",
        "later table is not in expected format.",
        completionText(2, 0, 2, 0),
    };
    EXPECT_EQ(messageTexts(*window), expected);
    const std::vector<OracleRow> rows = oracleRows("PARTS");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (OracleRow{"1", "part 1"}));
    EXPECT_EQ(rows[1], (OracleRow{"2", "part 2"}));
    EXPECT_FALSE(oracleTableExists("LATER"));
    EXPECT_FALSE(window->running());
}

// The server stops answering without closing the connection (frozen, or its host cut off
// the network), after the second row of a table was committed. The copy must not wait for
// it forever: the table ends with its message once the connection's read timeout expires,
// the committed rows stay, and the run ends.
TEST_F(ServerFaultTest, MySqlServerFrozenInTheMiddleOfATable) {
    OwnMariaDb server;
    const RunOptions options = connectAndSignalAfterTwoParts(server, "", SIGSTOP, "TtZX");
    const pid_t serverPid = server.pid();
    // A hang ends the test process; the frozen server must not outlive it.
    onHang = [&server, serverPid] {
        ::kill(serverPid, SIGCONT);
        server.stop();
    };

    const auto window = convertWithin(90s, {"parts"}, options);
    ::kill(serverPid, SIGCONT);

    EXPECT_EQ(messageTexts(*window),
              (std::vector<std::string>{"parts table could not be read completely from MySQL.",
                                        completionText(1, 0, 1, 0)}));
    EXPECT_EQ(oracleRows("PARTS").size(), 2u);
}

class OracleLossTest : public FaultFixture {};

// Three tables of five rows; Oracle answers ORA-03113 "end-of-file on communication channel"
// (the simulator's fail-Nth switch) to the third row's INSERT of the second table. The first
// table stays whole, the second keeps its first two rows and is given up with one message,
// and the run goes on with the third table and says what it lost. (Oracle going away for
// good is the engine tests' case.)
TEST_F(OracleLossTest, EndOfFileOnCommunicationChannelInTheMiddleOfARun) {
    sourceSql("CREATE TABLE first_t (id INT PRIMARY KEY); CREATE TABLE second_t (id INT);"
              "CREATE TABLE third_t (id INT);"
              "INSERT INTO first_t SELECT seq FROM seq_1_to_5;"
              "INSERT INTO second_t SELECT seq FROM seq_1_to_5;"
              "INSERT INTO third_t SELECT seq FROM seq_1_to_5");
    // Per session: existence, drop, create and ten statements for the first table, then
    // existence, drop, create and two rows of the second: the third row's INSERT.
    m_sim->failStatement(OracleSimState::FailScope::Session, 13 + 3 + 4 + 1, 3113,
                         "ORA-03113: end-of-file on communication channel");

    const auto window = convertWithin(60s, {"first_t", "second_t", "third_t"});

    EXPECT_EQ(oracleRows("FIRST_T").size(), 5u);
    EXPECT_EQ(oracleRows("SECOND_T").size(), 2u);
    EXPECT_EQ(oracleRows("THIRD_T").size(), 5u);
    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_THAT(texts[0], HasSubstr("ORA-03113: end-of-file on communication channel"));
    EXPECT_EQ(texts[1], completionText(3, 2, 1, 0));
    EXPECT_FALSE(window->running());
}

} // namespace
