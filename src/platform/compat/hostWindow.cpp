#include "platform/hostWindow.h"

void chooseHostWindow(const HostWindowOptions& options) {
    if (activeHost.takeWindowOptions) {
        activeHost.takeWindowOptions(&options);
    }
}
