#include "data/scalar_specs.h"
