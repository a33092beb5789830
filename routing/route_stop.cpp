#include "routing/route_stop.h"
