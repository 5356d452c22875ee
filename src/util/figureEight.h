// A figure of eight lying on its side across the screen, for paths driven by an angle.
#pragma once

float figureEightX(double t);
float figureEightY(double t);
