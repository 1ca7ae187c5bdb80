#include "data/fd_linearity_data.h"
