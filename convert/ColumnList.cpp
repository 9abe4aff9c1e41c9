#include "ConversionEngine.h"
