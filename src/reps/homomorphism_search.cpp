#include "reps/homomorphism_search.h"
