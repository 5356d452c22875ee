#include "display/eightBitSetup.h"

#include "window/fatalError.h"

// Placeholder until the 8-bit set-up is written: nothing can open an 8-bit display yet, so
// the restore after minimising never reaches this. It links, and it ends loudly if reached.
void openDisplay8Bit() {
    fatalError("8-bit display not available");
}
