#include "data/calibration_data.h"
