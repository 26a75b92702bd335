#include "app_control.h"

#include "dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

namespace platform {

namespace {
bool requested = false;
int requestedCode = 0;
constexpr int unhandledErrorExitCode = 1;
} // namespace

void Quit(int code) {
    if (!requested) {
        requested = true;
        requestedCode = code;
    }
    // Before the event loop runs, Qt would drop the request and, worse, make every later local
    // loop (a message box's) return at once; the flag alone carries it to runEventLoop().
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(requestedCode);
}

bool quitRequested() {
    return requested;
}

int runEventLoop() {
    if (requested)
        return requestedCode;
    const int status = QApplication::exec();
    return requested ? requestedCode : status;
}

void yieldToBackground() {
    // A turn of the event loop polls every event source; taken after each of thousands of small
    // files it costs more than copying them, while one turn a millisecond is as lively to see.
    static QElapsedTimer sinceTurn;
    if (sinceTurn.isValid() && sinceTurn.nsecsElapsed() < 1'000'000)
        return;
    QCoreApplication::processEvents();
    sinceTurn.start();
}

QSize mainScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void reportUnhandledError(const std::exception& error) {
    MsgBox(
        QStringLiteral("Ein unerwarteter Fehler ist aufgetreten. Das Programm wird beendet.\n\n%1")
            .arg(QString::fromLocal8Bit(error.what())));
    Quit(unhandledErrorExitCode);
}

void reportUnhandledError() {
    MsgBox(QStringLiteral("Ein unerwarteter Fehler ist aufgetreten. Das Programm wird beendet."));
    Quit(unhandledErrorExitCode);
}

std::function<void()> guarded(std::function<void()> handler) {
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (const std::exception& error) {
            reportUnhandledError(error);
        } catch (...) {
            reportUnhandledError();
        }
    };
}

void testing::resetQuit() {
    requested = false;
    requestedCode = 0;
}

int requestedExitCode() {
    return requestedCode;
}

} // namespace platform
