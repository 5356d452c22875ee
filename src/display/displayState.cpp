#include "display/displayState.h"

DisplayState display;
