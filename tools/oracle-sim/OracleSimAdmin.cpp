// oracle-sim-admin: sets up and reads an Oracle simulator state file from scripts.
// Passwords and statements are read from standard input, never from the arguments.
#include "OracleSimState.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* kUsage = R"(usage: oracle-sim-admin STATE COMMAND [ARGS]
  create                                   new empty state file
  add-service NAME [HOST [PORT]]           a service (Easy Connect host and port)
  add-account SERVICE USER [other-schemas] password from the first line of stdin
  account-status SERVICE USER open|expiring|expired|locked
  fail session|file N ORA [TEXT]           fail the Nth statement with ORA-N
  clear-failures
  unavailable on|off                       ORA-01034 at logon
  wording classic|23ai
  german on|off
  identifier-limit BYTES
  delay MILLISECONDS
  exec USER                                run the statement on stdin, committed, unrecorded
  tables | columns OWNER TABLE | constraints OWNER TABLE | rows OWNER TABLE
  statements | logons | sessions
)";

std::string field(const std::optional<std::string>& value) {
    return value ? *value : "\\N";
}

std::string readLine() {
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string& path = args[0];
    const std::string& command = args[1];
    auto need = [&](std::size_t count) {
        if (args.size() < count + 2) {
            std::cerr << kUsage;
            std::exit(2);
        }
    };
    if (command == "create") {
        OracleSimState::create(path);
        return 0;
    }
    OracleSimState state = OracleSimState::open(path);
    if (command == "add-service") {
        need(1);
        state.addService(args[2], args.size() > 3 ? args[3] : "localhost",
                         args.size() > 4 ? std::stoi(args[4]) : 1521);
    } else if (command == "add-account") {
        need(2);
        state.addAccount(args[2], args[3], readLine(),
                         args.size() > 4 && args[4] == "other-schemas");
    } else if (command == "account-status") {
        need(3);
        using S = OracleSimState::AccountStatus;
        const std::string& s = args[4];
        state.setAccountStatus(args[2], args[3],
                               s == "expiring"  ? S::Expiring
                               : s == "expired" ? S::Expired
                               : s == "locked"  ? S::Locked
                                                : S::Open);
    } else if (command == "fail") {
        need(3);
        state.failStatement(args[2] == "file" ? OracleSimState::FailScope::File
                                              : OracleSimState::FailScope::Session,
                            std::stoi(args[3]), std::stoi(args[4]),
                            args.size() > 5 ? args[5] : std::string());
    } else if (command == "clear-failures") {
        state.clearFailures();
    } else if (command == "unavailable") {
        need(1);
        state.setUnavailable(args[2] == "on");
    } else if (command == "wording") {
        need(1);
        state.setWording(args[2] == "23ai" ? OracleSimState::Wording::Oracle23ai
                                           : OracleSimState::Wording::Classic);
    } else if (command == "german") {
        need(1);
        state.setGermanMessages(args[2] == "on");
    } else if (command == "identifier-limit") {
        need(1);
        state.setIdentifierLimit(std::stoi(args[2]));
    } else if (command == "delay") {
        need(1);
        state.setStatementDelay(std::chrono::milliseconds(std::stoll(args[2])));
    } else if (command == "exec") {
        need(1);
        std::string statement((std::istreambuf_iterator<char>(std::cin)),
                              std::istreambuf_iterator<char>());
        while (!statement.empty() && (statement.back() == '\n' || statement.back() == '\r'))
            statement.pop_back();
        if (auto error = state.executeAs(args[2], statement)) {
            std::cout << *error << "\n";
            return 1;
        }
    } else if (command == "tables") {
        for (const auto& table : state.tables())
            std::cout << table.owner << "\t" << table.name << "\n";
    } else if (command == "columns") {
        need(2);
        for (const auto& column : state.columns(args[2], args[3]))
            std::cout << column.name << "\t" << column.type << "\n";
    } else if (command == "constraints") {
        need(2);
        for (const auto& constraint : state.constraints(args[2], args[3])) {
            std::cout << constraint.name << "\t" << (constraint.primary ? "PRIMARY KEY" : "UNIQUE");
            for (const auto& column : constraint.columns)
                std::cout << "\t" << column;
            std::cout << "\n";
        }
    } else if (command == "rows") {
        need(2);
        for (const auto& row : state.rows(args[2], args[3])) {
            for (std::size_t i = 0; i < row.size(); ++i)
                std::cout << (i ? "\t" : "") << field(row[i]);
            std::cout << "\n";
        }
    } else if (command == "statements") {
        for (const auto& s : state.statements())
            std::cout << s.seq << "\t" << s.sessionId << "\t" << s.sessionSeq << "\t" << s.user
                      << "\t" << s.text << "\t" << (s.ora ? s.message : std::string("OK")) << "\n";
    } else if (command == "logons") {
        for (const auto& l : state.logons())
            std::cout << l.connect << "\t" << l.user << "\t"
                      << (l.sessionId ? std::to_string(*l.sessionId) : "\\N") << "\t"
                      << (l.ora ? l.message : std::string("OK")) << "\n";
    } else if (command == "sessions") {
        for (const auto& s : state.sessions())
            std::cout << s.id << "\t" << s.service << "\t" << s.user << "\t" << s.pid << "\t"
                      << (s.threaded ? "threaded" : "unthreaded") << "\t" << s.charset << "\t"
                      << (s.ended ? "ended" : "open") << "\n";
    } else {
        std::cerr << kUsage;
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "oracle-sim-admin: " << error.what() << "\n";
        return 1;
    }
}
