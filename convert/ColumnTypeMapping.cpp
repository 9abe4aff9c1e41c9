#include "ColumnTypeMapping.h"
