#include "startup.h"

#include "../platform/app_control.h"
#include "../ui/edition.h"
#include "../ui/main_window.h"
#include "../ui/menu_bar.h"
#include "../ui/windows.h"
#include "file_types.h"

void startUp(Global& app, const EditionTexts& texts) {
    createFileTypes();
    setEdition(texts);
    app.setMenuBar(&Menü::instance());
    bindWindows();
    Fenster1::instance();
}

int runInstaller(Global& app, const EditionTexts& texts) {
    try {
        startUp(app, texts);
        return platform::runEventLoop();
    } catch (const std::exception& error) {
        platform::reportUnhandledError(error);
    } catch (...) {
        platform::reportUnhandledError();
    }
    return platform::requestedExitCode();
}
