#include "SourceConnection.h"
