#include "progress_window.h"

#include "../platform/implicit_window.h"
#include "busy_indicator.h"
#include "static_text.h"

#include <QKeyEvent>

warten& warten::instance() {
    return platform::implicitInstance<warten>();
}

warten::warten() {
    setWindowTitle(QStringLiteral("Kopiervorgang"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(252, 107);

    auto* indicator = new BusyIndicator(this);
    indicator->setObjectName(QStringLiteral("ChasingArrows1"));
    indicator->setGeometry(196, 36, 21, 16);
    addStaticText(this, "StaticText1", {35, 35, 149, 20}, QStringLiteral("Kopiervorgang läuft ..."),
                  Qt::AlignLeft, false);
    addStaticText(this, "StaticText2", {35, 69, 217, 20}, QString(), Qt::AlignLeft, false);
}

void warten::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
