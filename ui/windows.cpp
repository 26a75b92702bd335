#include "windows.h"

#include "../platform/progress.h"
#include "progress_window.h"

void bindWindows() {
    platform::bindProgressWindow([]() -> QWidget& { return warten::instance(); });
}
