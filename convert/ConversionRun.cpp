#include "ConversionRun.h"

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
