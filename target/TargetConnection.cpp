#include "TargetConnection.h"
