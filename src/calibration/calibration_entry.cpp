#include "calibration/calibration_entry.h"
