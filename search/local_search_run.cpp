#include "search/local_search_run.h"
