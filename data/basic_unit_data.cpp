#include "data/basic_unit_data.h"
