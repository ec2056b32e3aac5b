#include "print/print_label.h"
