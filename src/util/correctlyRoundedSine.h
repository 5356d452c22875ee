// Sine and cosine rounded correctly to the nearest double. The runtime libraries' own differ
// from each other by an ulp here and there (glibc's, MinGW's x87 one, the MSVC runtime's), which
// would make the scene differ between hosts; these give the same bits everywhere.
#pragma once

double correctlyRoundedSin(double x);
double correctlyRoundedCos(double x);
