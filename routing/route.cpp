#include "routing/route.h"
