#include "routing/solution.h"
