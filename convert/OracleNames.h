#pragma once

#include <string>
#include <string_view>
