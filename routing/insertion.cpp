#include "routing/insertion.h"
