#pragma once

#include "OraError.h"

#include <string>

namespace oraclesim {

struct MessageStyle {
    bool wording23ai = false;
    bool german = false;
};

// "ORA-NNNNN: text" as Oracle words it, possibly over several lines, without the final
// newline that OCIErrorGet adds.
std::string formatOraError(const OraError& error, const MessageStyle& style);

} // namespace oraclesim
