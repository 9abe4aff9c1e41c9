// The passwords never leave the program: not in its arguments or environment, not in what it
// writes to the screen (every message, a failed logon's text included), not in files, and not
// in what Oracle is sent. The conversion driver is run as a separate process with known
// passwords on its standard input, and everything it shows or leaves behind is searched.

#include "EngineFixture.h"
#include "OracleSimState.h"
#include "TestMariaDb.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

const char* const kMySqlLogin = "secret_keeper";
const char* const kMySqlPassword = "My-Pw-4711-never-shown";
const char* const kOracleUser = "KEEPER";
const char* const kOraclePassword = "Ora-Pw-0815-never-shown";

struct DriverRun {
    std::string out;
    std::string err;
    int status = -1;
    std::string procTexts; // every /proc/<pid>/cmdline and environ read while it ran
};

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the driver in the folder work, with HOME and TMPDIR inside it, writes input to its
// standard input and reads /proc while it runs.
DriverRun runDriver(const std::vector<std::string>& arguments, const std::string& input,
                    const std::filesystem::path& work) {
    std::filesystem::create_directories(work / "home");
    std::filesystem::create_directories(work / "tmp");
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "HOME=", 5) != 0 && std::strncmp(*entry, "TMPDIR=", 7) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("HOME=" + (work / "home").string());
    environment.push_back("TMPDIR=" + (work / "tmp").string());

    std::vector<char*> argv;
    std::vector<std::string> all = {TABWRIGHT_CONVERSION_DRIVER};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    posix_spawn_file_actions_addchdir_np(&actions, work.c_str());
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (spawned != 0)
        throw std::runtime_error("cannot start the conversion driver");
    if (write(in[1], input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        throw std::runtime_error("cannot write the passwords");
    close(in[1]);

    DriverRun run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0 && std::chrono::steady_clock::now() < deadline) {
        const std::string proc = "/proc/" + std::to_string(pid);
        run.procTexts += readAll(proc + "/cmdline") + "\n" + readAll(proc + "/environ") + "\n";
        if (poll(fds, 2, 5) <= 0)
            continue;
        for (pollfd& fd : fds) {
            if (fd.fd < 0 || (fd.revents & (POLLIN | POLLHUP)) == 0)
                continue;
            char buffer[4096];
            const ssize_t got = read(fd.fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(fd.fd);
                fd.fd = -1;
                --open;
            } else {
                (fd.fd == out[0] ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
            }
        }
    }
    if (open > 0)
        kill(pid, SIGKILL);
    waitpid(pid, &run.status, 0);
    for (pollfd& fd : fds) {
        if (fd.fd >= 0)
            close(fd.fd);
    }
    return run;
}

struct SecretCase {
    const char* name;
    const char* mysqlPassword;  // what the driver is given
    const char* oraclePassword; // what the driver is given
    const char* shownOnFailure; // part of the standard error text, empty when the run works
};

void PrintTo(const SecretCase& c, std::ostream* out) {
    *out << c.name;
}

class SecretsTest : public EngineFixture, public testing::WithParamInterface<SecretCase> {};

TEST_P(SecretsTest, PasswordsAppearNowhere) {
    const SecretCase& c = GetParam();
    TestMariaDb::exec(std::string("CREATE USER IF NOT EXISTS '") + kMySqlLogin +
                      "'@'%' IDENTIFIED BY '" + kMySqlPassword +
                      "'; GRANT ALL PRIVILEGES ON *.* TO '" + kMySqlLogin + "'@'%'");
    sourceSql("CREATE TABLE accounts (id INT PRIMARY KEY, owner VARCHAR(20));"
              "INSERT INTO accounts SELECT seq, CONCAT('owner ', seq) FROM seq_1_to_20");
    m_sim->addAccount("FREEPDB1", kOracleUser, kOraclePassword, true);
    // Each statement takes a moment, so that the process can be looked at while it works.
    m_sim->setStatementDelay(std::chrono::milliseconds(10));
    const std::filesystem::path work =
        std::filesystem::path(m_statePath).parent_path() / ("secrets-" + std::string(c.name));
    std::filesystem::remove_all(work);

    const DriverRun run = runDriver(
        {TestMariaDb::host(), kMySqlLogin, "FREEPDB1", kOracleUser, database(), "accounts"},
        std::string(c.mysqlPassword) + "\n" + c.oraclePassword + "\n", work);

    if (std::string(c.shownOnFailure).empty()) {
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("conversion completed successfully."), std::string::npos) << run.out;
        EXPECT_EQ(oracleRows("ACCOUNTS").size(), 20u);
    } else {
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.err.find(c.shownOnFailure), std::string::npos) << run.err;
    }
    // The process was really looked at while it ran.
    EXPECT_NE(run.procTexts.find("conversion-driver"), std::string::npos);

    const std::vector<std::string> secrets = {kMySqlPassword, kOraclePassword, c.mysqlPassword,
                                              c.oraclePassword};
    std::vector<std::pair<std::string, std::string>> places = {
        {"arguments and environment", run.procTexts},
        {"standard output (every window call and message)", run.out},
        {"standard error", run.err},
    };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(work)) {
        if (entry.is_regular_file())
            places.emplace_back(entry.path().string(), readAll(entry.path()));
    }
    for (const OracleSimState::Statement& statement : m_sim->statements())
        places.emplace_back("statement sent to Oracle", statement.text + statement.message);
    for (const OracleSimState::Logon& logon : m_sim->logons())
        places.emplace_back("logon to Oracle",
                            logon.connect + " " + logon.user + " " + logon.message);
    for (const auto& [where, text] : places) {
        for (const std::string& secret : secrets)
            EXPECT_EQ(text.find(secret), std::string::npos) << secret << " appears in " << where;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecretsTest,
    testing::Values(SecretCase{"RunThatWorks", kMySqlPassword, kOraclePassword, ""},
                    SecretCase{"OracleLogonRefused", kMySqlPassword, "Wrong-Ora-Pw-31337",
                               "ORA-01017"},
                    SecretCase{"MySqlLogonRefused", "Wrong-My-Pw-27182", kOraclePassword,
                               "There is an error to connect with MySQL."}),
    [](const testing::TestParamInfo<SecretCase>& param) { return std::string(param.param.name); });

} // namespace
