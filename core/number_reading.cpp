#include "core/number_reading.h"
