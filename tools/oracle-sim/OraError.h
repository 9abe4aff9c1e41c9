#pragma once

#include <string>
#include <vector>

namespace oraclesim {

// An Oracle error raised inside the simulator: the ORA number and the values its message
// names (an identifier, a column path, lengths). The text is made only when it is reported,
// because wording and language are settings of the state file.
struct OraError {
    int number = 0;
    std::vector<std::string> args;
    // A text chosen by a test (an injected failure) replaces the standard one.
    std::string customText;
};

} // namespace oraclesim
