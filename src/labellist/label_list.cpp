#include "labellist/label_list.h"
