#include "reps/enumerate_homomorphisms.h"
