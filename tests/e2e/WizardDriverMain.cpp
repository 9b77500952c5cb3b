// The project's UI driver: walks the install wizard of a program by its
// buttons and saves each page, for `make run` and the benchmarks.
//   wizard_driver "<command line>" [screens folder ending in a backslash]
#include "WizardWalk.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: wizard_driver \"<command line>\" [screens folder\\]\n");
        return 2;
    }
    WalkResult walk = WalkInstallWizard(argv[1], "Chimebox Setup", argc > 2 ? argv[2] : "");
    if (!walk.walked) {
        std::fprintf(stderr, "wizard_driver: %s\n", walk.failure.c_str());
        return 1;
    }
    std::printf("%s\n", walk.completionText.c_str());
    return walk.exitCode == 0 ? 0 : 1;
}
