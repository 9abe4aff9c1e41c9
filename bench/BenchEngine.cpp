// Converts one MySQL table into Oracle through the engine, as a Convert would, and reports
// how fast, how much memory, and where a row's time went.
//
//   tabwright-bench-engine MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE
//
// The MySQL and then the Oracle password are read from standard input, one a line.

#include "BenchProbes.h"
#include "BenchReport.h"
#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "SourceConnection.h"
#include "TargetConnection.h"
#include "TimingWindow.h"

#include <sys/resource.h>

#include <chrono>
#include <iostream>
#include <string>

namespace {

std::int64_t rowsInCaption(const std::string& caption) {
    const std::size_t close = caption.find("] ");
    if (close == std::string::npos)
        return 0;
    return std::stoll(caption.substr(close + 2));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::cerr << "usage: " << argv[0]
                  << " MYSQL-SERVER LOGIN ORACLE-SERVICE ORACLE-USER DATABASE TABLE\n";
        return 2;
    }
    const std::string database = argv[5];
    const std::string table = argv[6];
    std::string sourcePassword;
    std::string targetPassword;
    if (!ReadPasswords(sourcePassword, targetPassword)) {
        std::cerr << "Two passwords expected on standard input, MySQL first.\n";
        return 2;
    }

    const std::int64_t residentAtStart = ResidentKiB();
    if (!TheSourceConnection().Connect(argv[1], argv[2], sourcePassword)) {
        std::cerr << "There is an error to connect with MySQL.\n";
        return 1;
    }
    try {
        TheTargetConnection().Open(argv[3], argv[4], targetPassword);
    } catch (const TargetError& error) {
        std::cerr << TargetConnection::ErrorText(error);
        return 1;
    }
    TheSourceConnection().UseDatabase(database);
    TableNames().assign(kTableNameSlots, std::string());
    TableNames()[0] = table;
    CheckedTables().assign(1, std::string());

    QuietWindow quiet(database);
    TimingWindow window(quiet);
    const std::int64_t residentBeforeRun = ResidentKiB();
    ResetProbes();
    rusage usageBefore{};
    getrusage(RUSAGE_SELF, &usageBefore);
    const auto start = std::chrono::steady_clock::now();
    if (!StartConversionWorker(window))
        return 1;
    TheConversionRun().workerThread.join();
    const auto wall = std::chrono::steady_clock::now() - start;
    const std::int64_t peak = PeakResidentKiB();
    rusage usageAfter{};
    getrusage(RUSAGE_SELF, &usageAfter);

    const std::int64_t rows = rowsInCaption(window.lastTitle);
    WriteRowSplit(std::cout, Probes(), rows,
                  std::chrono::duration_cast<std::chrono::nanoseconds>(wall));
    const auto cpu = [](const rusage& usage) {
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    };
    if (rows > 0)
        std::cout << "cpu_us_per_row "
                  << (cpu(usageAfter) - cpu(usageBefore)) / static_cast<double>(rows) << "\n";
    const OwnWorkCost own = MeasureOwnWork(table);
    if (own.rows > 0) {
        const double ownMicroseconds =
            static_cast<double>(own.time.count()) / 1000.0 / static_cast<double>(own.rows);
        std::cout << "own_work_us_per_row_measured_apart " << ownMicroseconds << "\n";
        std::cout << "own_work_percent_measured_apart "
                  << 100.0 * ownMicroseconds * static_cast<double>(rows) * 1000.0 /
                         static_cast<double>(
                             std::chrono::duration_cast<std::chrono::nanoseconds>(wall).count())
                  << "\n";
        std::cout << "statement_bytes_per_row " << own.statementBytes / own.rows << "\n";
    }
    std::cout << "field_listing_alone_us "
              << static_cast<double>(MeasureFieldListing(table, 1000).count()) / 1000.0 << "\n";
    const StoredResultSize stored = MeasureStoredResult(table);
    std::cout << "resident_at_start_kib " << residentAtStart << "\n";
    std::cout << "resident_before_run_kib " << residentBeforeRun << "\n";
    std::cout << "peak_resident_kib " << peak << "\n";
    std::cout << "stored_result_heap_bytes " << stored.heapBytes << "\n";
    std::cout << "stored_result_value_bytes " << stored.valueBytes << "\n";
    const std::int64_t limitKiB = 2 * stored.heapBytes / 1024 + 60 * 1024;
    std::cout << "peak_limit_kib " << limitKiB << "\n";
    for (const std::string& message : window.messages)
        std::cout << "message " << message << "\n";
    return window.messages.size() == 1 &&
                   window.messages.front() == "MySQL to ORACLE conversion completed successfully."
               ? 0
               : 1;
}
