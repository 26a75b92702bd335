#pragma once

#include "global.h"

struct EditionTexts;

// Sets the program up in app: the file types, the menu bar, the bindings of the windows and the
// main window, whose opening check may already ask the program to end.
void startUp(Global& app, const EditionTexts& edition);

// Start-up, then the event loop until a quit request; returns the exit status. An error that
// no handler caught is reported to the user in German before the program ends.
int runInstaller(Global& app, const EditionTexts& edition);
