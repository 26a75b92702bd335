// Starts the installer the way app/main.cpp does, with message boxes and document launches
// recorded instead of shown, and tells on stdout what it found: the program folder, the
// messages, the documents it opened and whether the main window came up. Once the window is
// up it presses the manual button and then leaves through "Abbrechen". The exit status is the
// program's own.

#include "app/global.h"
#include "app/startup.h"
#include "platform/dialogs.h"
#include "platform/folder_item.h"
#include "ui/edition.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

class ShowCounter : public QObject {
  public:
    int shows = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<Fenster1*>(watched))
            ++shows;
        return false;
    }
};

void press(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Fenster1*>(widget); window && window->isVisible())
            window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
}

} // namespace

int main(int argc, char** argv) {
    Global app(argc, argv);
    platform::testing::DialogSeam seam;
    ShowCounter counter;
    app.installEventFilter(&counter);
    QTimer::singleShot(0, &app, [] {
        press("PushButton1");
        press("btn_abbrechen");
    });

    const int status = runInstaller(app, editionSued);

    QTextStream out(stdout);
    out << "programFolder=" << platform::GetFolderItem(QString())->nativePath() << '\n';
    out << "shows=" << counter.shows << '\n';
    for (const QString& message : seam.messages)
        out << "message=" << message << '\n';
    for (const QString& document : seam.launched)
        out << "launched=" << document << '\n';
    app.removeEventFilter(&counter);
    return status;
}
