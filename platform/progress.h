#pragma once

#include <QString>

class QWidget;

namespace platform {

// How the copy reaches the progress window: the user interface registers a function that
// returns the open progress window, creating it when none is open. The window's file-name line
// is the label named "StaticText2".
using ProgressWindowAccessor = QWidget& (*)();
void bindProgressWindow(ProgressWindowAccessor accessor);

// Brings the progress window up (creating it when needed).
void showProgressWindow();

// Names the file just copied. Drawing a label costs far more than copying a small file, so the
// name is drawn at most every 30 ms; flushProgressName() draws the newest one at once.
void showProgressName(const QString& name);
void flushProgressName();

// The text the progress window shows right now (empty when there is none).
QString progressText();

} // namespace platform
