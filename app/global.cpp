#include "global.h"

Global::Global(int& argc, char** argv) : QApplication(argc, argv) {}
