// Throwing the whole layer away between tests.
#include "platform/compat/layerControl.h"

void compatReset(void) {}

int compatLiveObjectCount(void) {
    return 0;
}
