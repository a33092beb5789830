#include "routing/first_solution.h"
