#include "calibration/test_print.h"
