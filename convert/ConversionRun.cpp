#include "ConversionRun.h"

ConversionRun::~ConversionRun() {
    if (!workerThread.joinable())
        return;
    if (workerRunning)
        workerThread.detach();
    else
        workerThread.join();
}

ConversionRun& TheConversionRun() {
    static ConversionRun run;
    return run;
}

std::vector<std::string>& TableNames() {
    static std::vector<std::string> names;
    return names;
}

std::vector<std::string>& CheckedTables() {
    static std::vector<std::string> tables;
    return tables;
}
