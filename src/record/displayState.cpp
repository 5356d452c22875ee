#include "record/displayState.h"

DisplayState display;
