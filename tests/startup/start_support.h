#pragma once

// Helpers for tests that start the installer inside the test process: a delivery folder laid out
// in a temporary folder, and a record of when the main window is shown.

#include "app/global.h"
#include "app/startup.h"
#include "platform/app_control.h"
#include "platform/folder_item.h"
#include "ui/edition.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPoint>
#include <QPointer>
#include <QTemporaryDir>

#include <filesystem>

namespace startup_support {

// Qt's offscreen platform warns each time a fixed-size window is shown; the warning says nothing
// about the program and buries what does. Call from initTestCase(), after QtTest's own handler.
inline void quietOffscreenSizeHints() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
                return;
            if (previous)
                previous(type, context, message);
        });
}

inline Global& application() {
    return *static_cast<Global*>(qApp);
}

// The folder the installer is delivered in: program folder for every lookup of the program.
class Delivery {
  public:
    Delivery() { platform::testing::setProgramFolder(path().toStdString()); }
    ~Delivery() { platform::testing::setProgramFolder({}); }
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    bool addFolder(const QString& name) const { return QDir(path()).mkpath(name); }
    bool addFile(const QString& name, const QByteArray& content = "x") const {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

  private:
    QTemporaryDir dir_;
};

// The main window, shown or not; null when there is none.
inline Fenster1* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Fenster1*>(widget))
            return window;
    }
    return nullptr;
}

// Deletes every main window, so that the next start-up creates its own.
inline void deleteMainWindows() {
    while (Fenster1* window = mainWindow())
        delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Watches the application for the main window being shown and remembers what it looked like
// at that moment.
class ShowWatch : public QObject {
  public:
    ShowWatch() { qApp->installEventFilter(this); }
    ~ShowWatch() override { qApp->removeEventFilter(this); }

    int shows = 0;
    QPoint positionWhenShown;
    QPointer<QWidget> menuWhenShown;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* window = qobject_cast<Fenster1*>(watched)) {
                ++shows;
                positionWhenShown = window->pos();
                menuWhenShown = window->menuWidget();
            }
        }
        return false;
    }
};

} // namespace startup_support
