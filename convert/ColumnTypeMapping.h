#pragma once

#include <cstdint>
#include <string>

// The Oracle column type text for a MySQL column's type code, display length and
// character-set number.
std::string MapColumnType(int typeCode, std::uint32_t length, std::uint32_t charsetNumber);
