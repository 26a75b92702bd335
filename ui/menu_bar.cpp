#include "menu_bar.h"

#include "../platform/app_control.h"

#include <QAction>
#include <QMenu>

namespace {

// Mirrors the entry's automatic enabling: items without it get no behaviour from the program
// and stay disabled.
QAction* addItem(QMenu* menu, const char* name, bool autoEnable, const QString& text,
                 const char* shortcut) {
    auto* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("AutoEnable", autoEnable);
    action->setEnabled(autoEnable);
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    return action;
}

QMenu* appendMenu(QMenuBar* bar, const char* name, const QString& title) {
    auto* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

Menü& Menü::instance() {
    // Held until the program ends; a main window that attaches it hands it back when it goes.
    static Menü* const one = new Menü;
    return *one;
}

Menü::Menü() {
    QMenu* file = appendMenu(this, "UntitledMenu2", QStringLiteral("Ablage"));
    QAction* quit = addItem(file, "FileQuit", true, QStringLiteral("Beenden"), "Ctrl+Q");
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, [] { platform::Quit(0); });

    QMenu* edit = appendMenu(this, "UntitledMenu0", QStringLiteral("Bearbeiten"));
    addItem(edit, "EditUndo", false, QStringLiteral("Undo"), "Ctrl+Z");
    QAction* separator = edit->addSeparator();
    separator->setObjectName(QStringLiteral("UntitledMenu1"));
    separator->setProperty("AutoEnable", false);
    addItem(edit, "EditCut", false, QStringLiteral("Ausschneiden"), "Ctrl+X");
    addItem(edit, "EditCopy", false, QStringLiteral("Kopieren"), "Ctrl+C");
    addItem(edit, "EditPaste", false, QStringLiteral("Einfügen"), "Ctrl+V");
    addItem(edit, "EditClear", false, QStringLiteral("Löschen"), "");
}
