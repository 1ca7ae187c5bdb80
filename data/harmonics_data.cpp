#include "data/harmonics_data.h"
