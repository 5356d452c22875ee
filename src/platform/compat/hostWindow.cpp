#include "platform/hostWindow.h"

#include "platform/compat/directDrawObjects.h"

void chooseHostWindow(const HostWindowOptions& options) {
    if (activeHost.takeWindowOptions) {
        activeHost.takeWindowOptions(&options);
    }
}

void tellHostScreenChanges(const HostRect* rects, int count) {
    declareScreenChanges(rects, count);
}
