#pragma once

#include "BenchProbes.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

// Peak and current resident memory of this process, in KiB (VmHWM and VmRSS).
std::int64_t PeakResidentKiB();
std::int64_t ResidentKiB();

// What a pair of clock readings costs, so that it can be taken off the measured phases.
std::chrono::nanoseconds ClockPairCost();

// Reads the MySQL and then the Oracle password from standard input, one a line.
bool ReadPasswords(std::string& sourcePassword, std::string& targetPassword);

// Bytes held by the heap for a stored SELECT of the table on the current source connection
// (the malloc statistics before and after storing it), and the bytes of its values.
struct StoredResultSize {
    std::int64_t heapBytes = 0;
    std::int64_t valueBytes = 0;
    std::int64_t rows = 0;
};
StoredResultSize MeasureStoredResult(const std::string& table);

// Writes the per-row split of a run of the given rows and wall time as "key value" lines.
void WriteRowSplit(std::ostream& out, const BenchProbes& probes, std::int64_t rows,
                   std::chrono::nanoseconds wall);
