#include "BenchReport.h"

#include "SourceConnection.h"

#include <malloc.h>

#include <cstring>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <ostream>
#include <sstream>

namespace {

std::int64_t statusKiB(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t keyLength = std::strlen(key);
    while (std::getline(status, line)) {
        if (line.compare(0, keyLength, key) == 0)
            return std::stoll(line.substr(keyLength + 1));
    }
    return -1;
}

double microseconds(std::chrono::nanoseconds time, std::int64_t rows) {
    return rows > 0 ? static_cast<double>(time.count()) / 1000.0 / static_cast<double>(rows) : 0.0;
}

} // namespace

std::int64_t PeakResidentKiB() {
    return statusKiB("VmHWM:");
}

std::int64_t ResidentKiB() {
    return statusKiB("VmRSS:");
}

std::chrono::nanoseconds ClockPairCost() {
    constexpr int kRounds = 200000;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::nanoseconds sink{0};
    for (int i = 0; i < kRounds; ++i) {
        const auto a = std::chrono::steady_clock::now();
        sink += std::chrono::steady_clock::now() - a;
    }
    const auto total = std::chrono::steady_clock::now() - start;
    (void)sink;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(total) / kRounds;
}

bool ReadPasswords(std::string& sourcePassword, std::string& targetPassword) {
    return static_cast<bool>(std::getline(std::cin, sourcePassword)) &&
           static_cast<bool>(std::getline(std::cin, targetPassword));
}

StoredResultSize MeasureStoredResult(const std::string& table) {
    SourceConnection& source = TheSourceConnection();
    StoredResultSize size;
    if (source.Query("SELECT * FROM " + QuoteSourceName(table)) != 0)
        return size;
    const struct mallinfo2 before = mallinfo2();
    std::optional<SourceResult> result = source.StoreResult();
    const struct mallinfo2 after = mallinfo2();
    if (!result)
        return size;
    size.heapBytes = static_cast<std::int64_t>(after.uordblks + after.hblkhd) -
                     static_cast<std::int64_t>(before.uordblks + before.hblkhd);
    while (SourceRow row = source.FetchRow(*result)) {
        ++size.rows;
        for (unsigned column = 0; column < row.fieldCount(); ++column) {
            if (row[column] != nullptr)
                size.valueBytes += static_cast<std::int64_t>(std::strlen(row[column]));
        }
    }
    source.FreeResult(*result);
    return size;
}

void WriteRowSplit(std::ostream& out, const BenchProbes& probes, std::int64_t rows,
                   std::chrono::nanoseconds wall) {
    const std::chrono::nanoseconds clock = ClockPairCost();
    const auto net = [&](const BenchPhase& phase) {
        // A timed interval holds about one clock reading of its own.
        const std::chrono::nanoseconds time = phase.time - clock / 2 * phase.calls;
        return time.count() > 0 ? time : std::chrono::nanoseconds{0};
    };
    const std::chrono::nanoseconds listing = net(probes.listFields) + net(probes.fetchField);
    const std::chrono::nanoseconds fetch = net(probes.fetchRow);
    const std::chrono::nanoseconds render = net(probes.render) + net(probes.mapType);
    const std::chrono::nanoseconds oracle =
        net(probes.oracleInsert) + net(probes.oracleCommit) + net(probes.oracleOther);
    const std::chrono::nanoseconds window = net(probes.window);
    std::int64_t allCalls = probes.listFields.calls + probes.fetchField.calls +
                            probes.fetchRow.calls + probes.render.calls + probes.mapType.calls +
                            probes.oracleInsert.calls + probes.oracleCommit.calls +
                            probes.oracleOther.calls + probes.window.calls;
    std::chrono::nanoseconds rest =
        wall - clock * allCalls - listing - fetch - render - oracle - window;
    if (rest.count() < 0)
        rest = std::chrono::nanoseconds{0};
    const std::chrono::nanoseconds own = render + rest;

    out << std::fixed << std::setprecision(1);
    out << "rows " << rows << "\n";
    out << "wall_s " << static_cast<double>(wall.count()) / 1e9 << "\n";
    out << "rows_per_s "
        << (wall.count() > 0 ? static_cast<double>(rows) * 1e9 / static_cast<double>(wall.count())
                             : 0.0)
        << "\n";
    out << "us_per_row " << microseconds(wall, rows) << "\n";
    out << "us_mysql_field_listing " << microseconds(listing, rows) << "\n";
    out << "us_mysql_fetch_row " << microseconds(fetch, rows) << "\n";
    out << "us_rendering " << microseconds(render, rows) << "\n";
    out << "us_oracle_insert " << microseconds(net(probes.oracleInsert), rows) << "\n";
    out << "us_oracle_commit " << microseconds(net(probes.oracleCommit), rows) << "\n";
    out << "us_oracle_other " << microseconds(net(probes.oracleOther), rows) << "\n";
    out << "us_window_calls " << microseconds(window, rows) << "\n";
    out << "us_statement_building_and_rest " << microseconds(rest, rows) << "\n";
    out << "own_work_percent "
        << (wall.count() > 0
                ? 100.0 * static_cast<double>(own.count()) / static_cast<double>(wall.count())
                : 0.0)
        << "\n";
    out << "window_calls " << probes.window.calls << "\n";
    out << "clock_pair_ns " << clock.count() << "\n";
}
