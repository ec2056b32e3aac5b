// Resource ids shared by the resource script and the program.
#pragma once

#define QUILLET_ICON 1
