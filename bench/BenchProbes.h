#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Time spent in the calls the row copy makes, gathered by link-time wrappers
// (BenchProbes.cpp) so that the product code carries no timing of its own. Written by the
// conversion worker only and read after it has been joined.
struct BenchPhase {
    std::int64_t calls = 0;
    std::chrono::nanoseconds time{0};
};

struct BenchProbes {
    BenchPhase listFields;   // SourceConnection::ListFields: one server round trip a row
    BenchPhase fetchField;   // SourceConnection::FetchField
    BenchPhase fetchRow;     // SourceConnection::FetchRow
    BenchPhase render;       // RenderColumnValue, once a column
    BenchPhase mapType;      // MapColumnType
    BenchPhase oracleInsert; // TargetConnection::Execute of an INSERT
    BenchPhase oracleCommit; // TargetConnection::Execute of COMMIT
    BenchPhase oracleOther;  // every other statement (existence query, DROP, CREATE)
    BenchPhase window;       // every ConversionWindow call, measured by TimingWindow
};

BenchProbes& Probes();
void ResetProbes();

// Adds the time since construction to a phase when it goes out of scope.
class PhaseTimer {
public:
    explicit PhaseTimer(BenchPhase& phase)
        : m_phase(phase), m_start(std::chrono::steady_clock::now()) {}
    ~PhaseTimer() {
        m_phase.time += std::chrono::steady_clock::now() - m_start;
        ++m_phase.calls;
    }
    PhaseTimer(const PhaseTimer&) = delete;
    PhaseTimer& operator=(const PhaseTimer&) = delete;

private:
    BenchPhase& m_phase;
    std::chrono::steady_clock::time_point m_start;
};

// The program's own work for every row of the table, measured apart from the run and
// without the probes: type texts, literals and the INSERT statement around them.
struct OwnWorkCost {
    std::int64_t rows = 0;
    std::chrono::nanoseconds time{0};
    std::int64_t statementBytes = 0;
};
OwnWorkCost MeasureOwnWork(const std::string& table);

// One field listing of the table on the current source connection, on average.
std::chrono::nanoseconds MeasureFieldListing(const std::string& table, int rounds);
