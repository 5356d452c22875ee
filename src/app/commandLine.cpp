#include "app/commandLine.h"

const char* skipProgramName(const char* commandLine) {
    const char* rest = commandLine;
    if (*rest == '"') {
        const char* close = rest + 1;
        while (*close != '\0' && *close != '"') {
            ++close;
        }
        if (*close == '\0') {
            return commandLine;
        }
        rest = close + 1;
    } else {
        while (*rest != '\0' && *rest != ' ') {
            ++rest;
        }
    }
    while (*rest == ' ') {
        ++rest;
    }
    return rest;
}
