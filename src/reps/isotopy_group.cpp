#include "reps/isotopy_group.h"
