#include "global.h"
#include "startup.h"

#include "../ui/edition.h"

// VELMORA_EDITION names the edition texts this installer is built with.
int main(int argc, char** argv) {
    Global app(argc, argv);
    return runInstaller(app, VELMORA_EDITION);
}
