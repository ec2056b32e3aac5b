#include "about/about_text.h"
