// F12 in quarnel: the frame on the screen kept as quarnel-0001.bmp, quarnel-0002.bmp, ... in
// the working folder through the library's writeScreenshot (progress bar and all), and as a PNG
// beside it when the build writes PNG. A name already taken is never overwritten.
#pragma once

#include <string>

// Where the search for a free name starts at the next press.
extern int nextScreenshotNumber;

// The folder the screenshots go to, made at the first press; "" (the default): the working
// folder.
extern std::string screenshotFolder;

// Runs after every frame's pump: takes a screenshot when F12 went down in that pump's snapshot.
// The frame is copied from the screen into the back buffer for the writer, which is cleared
// again afterwards, so the flight goes on exactly as without it.
void takeScreenshotOnKey();

// The first free number from *next on (both names free); writes the names, in
// screenshotFolder when it is set. Returns false when
// every number up to 9999 is taken.
bool nextScreenshotNames(int* next, char* bmpName, char* pngName, int size);
