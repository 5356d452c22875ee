// The screen-sized off-screen surfaces in system memory that every plotter draws into. Both
// stay locked between frames.
#pragma once

// Creates and locks the back buffer; backBuffer and backPitch come from the lock.
void createBackBuffer();

// Creates and locks the back buffer and the layer, a second surface of the same description.
void createBackAndLayer();
