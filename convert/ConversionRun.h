#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// State shared by the window thread and the conversion worker for the life of the process.
struct ConversionRun {
    ConversionRun() = default;
    // A finished worker is joined; a running one cannot be waited for at process end (it may
    // be waiting on the window thread), so it is let go.
    ~ConversionRun();
    ConversionRun(const ConversionRun&) = delete;
    ConversionRun& operator=(const ConversionRun&) = delete;

    std::atomic<int> stopRequested{0}; // written by the window thread, read by the worker
    int tablesChecked = 0;
    std::string tablesCheckedText;
    int tablesStarted = 0;
    std::string currentTable;
    int sourceTableRejected = 0;
    int quoteTargetName = 0;

    // The worker of the latest Convert; workerRunning tells a running worker from one that
    // has finished, so that exit never touches a finished one.
    std::thread workerThread;
    std::atomic<bool> workerRunning{false};

    // What the completion message reports about the run in hand.
    int tablesConverted = 0; // row copy finished
    int tablesFailed = 0;    // started but not converted
    int rowsNotCopied = 0;   // reported and skipped
    bool stoppedEarly = false;
};

ConversionRun& TheConversionRun();

// Slot i holds the name of item i of the table list. Never shorter than 1700 slots once
// filled; it grows with longer lists so that no name is dropped.
std::vector<std::string>& TableNames();
inline constexpr std::size_t kTableNameSlots = 1700;

// Only its length is used: the number of items whose check marks the run clears at its end.
std::vector<std::string>& CheckedTables();
