// Releasing a DirectDraw object through a reference that is cleared at the same time, so that
// no released object can be reached again.
#pragma once

template <typename Interface> inline void releaseAndForget(Interface*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}
