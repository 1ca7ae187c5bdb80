#include "data/sensor_match_data.h"
