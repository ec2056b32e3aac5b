#include "print/recording_surface.h"
