#pragma once

#include "app_control.h"

#include <QApplication>
#include <QWidget>

namespace platform {

// The open window of class W, or a new one when none is open (never created yet, or closed by
// the user). A new window is created, runs its opening step W::Open() and is then shown
// unless its opening step asked the program to end.
template <class W> W& implicitInstance() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<W*>(widget); window && window->isVisible())
            return *window;
    }
    auto* window = new W;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Open();
    if (!quitRequested()) {
        window->show();
        // Without a window manager nothing else makes the new window active, and Qt matches
        // keyboard shortcuts only in the active window.
        window->activateWindow();
    }
    return *window;
}

} // namespace platform
