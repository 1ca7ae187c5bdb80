#include "data/temperature_data.h"
