#include "search/dump_files.h"
