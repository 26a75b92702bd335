#include "progress.h"

#include "folder_item.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

constexpr qint64 drawIntervalMs = 30;

ProgressWindowAccessor accessor = nullptr;
QString pendingName;
bool pending = false;
QElapsedTimer sinceDrawn;
QPointer<QWidget> drawnWindow;

QWidget& progressWindow() {
    if (!accessor)
        throw NullObjectException("no progress window");
    return accessor();
}

QLabel& nameLine(QWidget& window) {
    auto* line = window.findChild<QLabel*>(QStringLiteral("StaticText2"));
    if (!line)
        throw NullObjectException("progress window without its file-name line");
    return *line;
}

void draw(QWidget& window) {
    nameLine(window).setText(pendingName);
    window.repaint();
    pending = false;
    sinceDrawn.start();
    drawnWindow = &window;
}

} // namespace

void bindProgressWindow(ProgressWindowAccessor a) {
    accessor = a;
}

void showProgressWindow() {
    QWidget& window = progressWindow();
    window.show();
    window.raise();
    sinceDrawn.invalidate();
}

void showProgressName(const QString& name) {
    // Look for the window on every file, so that one the user closed comes back at once. While
    // the window drawn last is still open it is the one the accessor would find.
    QWidget& window =
        drawnWindow && drawnWindow->isVisible() ? *drawnWindow.data() : progressWindow();
    pendingName = name;
    pending = true;
    const bool newWindow = drawnWindow != &window;
    if (newWindow || !sinceDrawn.isValid() || sinceDrawn.elapsed() >= drawIntervalMs)
        draw(window);
}

void flushProgressName() {
    if (pending)
        draw(progressWindow());
}

QString progressText() {
    if (!accessor)
        return {};
    return nameLine(accessor()).text();
}

} // namespace platform
