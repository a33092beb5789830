#include "problem/instance_generator.h"
