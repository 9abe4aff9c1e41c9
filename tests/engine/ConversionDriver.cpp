// Runs a conversion without the window: every window call is written to standard output.
//
//   conversion-driver MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE...
//
// The MySQL password and then the Oracle password are read from standard input, one a line,
// so that neither shows in the process list or the environment.

#include "ConsoleWindow.h"
#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "SourceConnection.h"
#include "TargetConnection.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// Typed at a terminal, a password is not echoed.
bool readPassword(const char* prompt, std::string& password) {
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        std::cerr << prompt << std::flush;
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    const bool read = static_cast<bool>(std::getline(std::cin, password));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::cerr << '\n';
    }
    if (!read)
        return false;
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::cerr << "usage: " << argv[0]
                  << " MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE...\n"
                     "The MySQL and the Oracle password are read from standard input, one a "
                     "line.\n";
        return 2;
    }
    const std::string server = argv[1];
    const std::string login = argv[2];
    const std::string service = argv[3];
    const std::string user = argv[4];
    const std::string database = argv[5];
    std::vector<std::string> tables(argv + 6, argv + argc);

    std::string sourcePassword;
    std::string targetPassword;
    if (!readPassword("MySQL password: ", sourcePassword) ||
        !readPassword("Oracle password: ", targetPassword)) {
        std::cerr << "Two passwords expected on standard input, MySQL first.\n";
        return 2;
    }

    SourceConnection& source = TheSourceConnection();
    if (!source.Connect(server, login, sourcePassword)) {
        std::cerr << "There is an error to connect with MySQL.\n";
        return 1;
    }
    try {
        TheTargetConnection().Open(service, user, targetPassword);
    } catch (const TargetError& error) {
        std::cerr << TargetConnection::ErrorText(error);
        return 1;
    }
    source.UseDatabase(database);

    // As the selection page leaves it after Select All: the given tables, all checked.
    std::vector<std::string>& names = TableNames();
    names.assign(std::max(kTableNameSlots, tables.size()), std::string());
    std::copy(tables.begin(), tables.end(), names.begin());
    CheckedTables() = tables;

    ConsoleWindow window(tables, database, &std::cout);
    window.setKeepLines(false);
    if (!StartConversionWorker(window))
        return 1;
    TheConversionRun().workerThread.join();
    return 0;
}
