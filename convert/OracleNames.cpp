#include "OracleNames.h"
