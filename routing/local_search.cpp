#include "routing/local_search.h"
