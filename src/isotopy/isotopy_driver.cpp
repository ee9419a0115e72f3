#include "isotopy/isotopy_driver.h"
