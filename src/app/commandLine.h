// What the process entry hands to appMain: the command line without the program's name.
#pragma once

// Skips a leading quoted name up to and including its closing quote (nothing at all when the
// quote is never closed), or else everything up to the first space; then any spaces.
const char* skipProgramName(const char* commandLine);
