// layout in a build without Qt: there are no reading fonts to measure with.
#include <iostream>

#include "ToolCommands.h"

int RunLayout(const ToolArguments&) {
    std::cerr << "vellumwise-tool layout: this build has no Qt, so it cannot measure the "
                 "reading window's fonts\n";
    return kExitUsage;
}
