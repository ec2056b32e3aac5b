#include "calibration/number_text.h"
