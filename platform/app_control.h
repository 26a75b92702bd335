#pragma once

#include <QSize>
#include <QString>

#include <exception>
#include <functional>

namespace platform {

// Asks the program to end with code. Also works before the event loop runs, where Qt would
// drop a plain quit(); the caller's handler is expected to end right after.
void Quit(int code);
bool quitRequested();
int requestedExitCode();

// Runs the event loop unless a quit was already asked for; returns the exit status.
int runEventLoop();

// Lets pending events, timers and repaints run once and returns.
void yieldToBackground();

// Width and height of the whole main screen.
QSize mainScreenSize();

// Tells the user in German that something went wrong that nothing else handled, then asks the
// program to end. An exception must never cross Qt's event loop.
void reportUnhandledError(const std::exception& error);
void reportUnhandledError();

// Wraps an event handler so that an exception ends in the report above, not in Qt.
std::function<void()> guarded(std::function<void()> handler);

namespace testing {
// Forgets an earlier quit request so that one test process can start the program many times.
void resetQuit();
} // namespace testing

} // namespace platform
