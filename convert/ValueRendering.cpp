#include "ValueRendering.h"
