#include "raster/pixelOps.h"

#include "raster/pixelFormats.h"
#include "record/displayState.h"

PixelOps pixelOps;

void selectPixelOps() {
    switch (display.pixelMode) {
    case pixelModePalettized:
        pixelOps =
            PixelOps{plotBack8,     plotLayer8,     plotFront8, peekBack8,   peekLayer8,
                     fillRectBack8, fillRectLayer8, frameRect8, blitSprite8, blitSpriteClipped8};
        break;
    case pixelModeTrueColour24:
        pixelOps = PixelOps{
            plotBack24,     plotLayer24,     plotFront24, peekBack24,   peekLayer24,
            fillRectBack24, fillRectLayer24, frameRect24, blitSprite24, blitSpriteClippedNothing};
        break;
    case pixelModeTrueColour32:
        pixelOps = PixelOps{
            plotBack32,     plotLayer32,     plotFront32, peekBack32,   peekLayer32,
            fillRectBack32, fillRectLayer32, frameRect32, blitSprite32, blitSpriteClippedNothing};
        break;
    default:
        return;
    }
    plotScreen = bindPlotScreen;
}
