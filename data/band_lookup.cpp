#include "data/band_lookup.h"
