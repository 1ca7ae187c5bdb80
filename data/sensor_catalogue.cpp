#include "data/sensor_catalogue.h"
