#include "main_window.h"

#include "../install/modul1.h"
#include "../platform/app_control.h"
#include "../platform/dialogs.h"
#include "../platform/folder_item.h"
#include "../platform/implicit_window.h"
#include "edition.h"
#include "menu_bar.h"
#include "static_text.h"

#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>

namespace {

constexpr QSize contentSize(537, 376);

QString instructions() {
    return QStringLiteral("1. Klicken Sie auf Installieren\n"
                          "2. Wählen Sie im folgenden Dialog den Speicherort von X-Plane aus\n");
}

QString importantNotes(const EditionTexts& texts) {
    return QStringLiteral("Wichtige Hinweise\n\n"
                          "Diese Scenery benötigt X-Plane 8.2 oder neuer. Falls Sie eine ältere "
                          "Version von X-Plane verwenden, installieren Sie bitte vorher das "
                          "aktuelle Update.\n\n") +
           QString::fromUtf8(texts.notesParagraph) + QLatin1Char(' ');
}

QPushButton* addButton(QWidget* parent, const char* name, const QRect& geometry,
                       const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setProperty("Default", false);
    button->setProperty("Cancel", false);
    return button;
}

template <class Handler> void bind(QPushButton* button, Fenster1* window, Handler handler) {
    QObject::connect(button, &QPushButton::clicked, window,
                     platform::guarded([window, handler] { (window->*handler)(); }));
}

} // namespace

Fenster1& Fenster1::instance() {
    return platform::implicitInstance<Fenster1>();
}

Fenster1::Fenster1() {
    // The menu bar sits outside the content area that the positions below refer to.
    setMenuBar(&Menü::instance());
    const EditionTexts& texts = edition();
    setWindowTitle(QString::fromUtf8(texts.title));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(contentSize);
    setCentralWidget(content);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    btn_installieren =
        addButton(content, "btn_installieren", {396, 336, 121, 20}, QStringLiteral("Installieren"));
    btn_installieren->setProperty("Default", true);
    btn_installieren->setDefault(true);
    bind(btn_installieren, this, &Fenster1::btn_installieren_Action);

    btn_abbrechen =
        addButton(content, "btn_abbrechen", {24, 336, 97, 20}, QStringLiteral("Abbrechen"));
    btn_abbrechen->setProperty("Cancel", true);
    bind(btn_abbrechen, this, &Fenster1::btn_abbrechen_Action);

    addStaticText(content, "StaticText1", {24, 14, 493, 20}, QString::fromUtf8(texts.header),
                  Qt::AlignHCenter, false);
    addStaticText(content, "StaticText3", {24, 161, 478, 63}, instructions(), Qt::AlignLeft, true);
    QLabel* notes = addStaticText(content, "StaticText6", {24, 46, 493, 90}, importantNotes(texts),
                                  Qt::AlignLeft, true);
    // The window is laid out in pixels; at 10 points on a 96 dpi screen the notes would no longer
    // fit their box and the edition paragraph would be cut off.
    QFont notesFont = notes->font();
    notesFont.setPixelSize(10);
    notes->setFont(notesFont);
    addStaticText(content, "StaticText8", {24, 274, 284, 38}, QString::fromUtf8(texts.manualHint),
                  Qt::AlignLeft, true);

    QPushButton* manual =
        addButton(content, "PushButton1", {301, 280, 140, 20}, QStringLiteral("Anleitung öffnen"));
    manual->setAutoDefault(false);
    bind(manual, this, &Fenster1::PushButton1_Action);
}

Fenster1::~Fenster1() {
    // The menu bar is the application's as well and lives as long as the program: a window that
    // goes gives it back instead of taking it along.
    if (auto* bar = dynamic_cast<Menü*>(menuWidget()))
        bar->setParent(nullptr);
}

void Fenster1::Open() {
    // Centred on the whole main screen, unbounded: a screen smaller than the window gives a
    // negative position.
    const QSize screen = platform::mainScreenSize();
    const int left = static_cast<int>((screen.width() - contentSize.width()) / 2.0);
    const int top = static_cast<int>((screen.height() - contentSize.height()) / 2.0);
    move(left, top);

    const auto extraFiles = platform::GetFolderItem(QStringLiteral("Scenery-Zusatzdateien"));
    if (!extraFiles || !extraFiles->Exists()) {
        platform::MsgBox(QStringLiteral("Benötigte Dateien nicht gefunden (Ordner "
                                        "'Scenery-Zusatzdateien')"));
        platform::Quit(0);
    }
}

void Fenster1::btn_installieren_Action() {
    Modul1::InstallAction();
}

void Fenster1::btn_abbrechen_Action() {
    platform::Quit(0);
}

void Fenster1::PushButton1_Action() {
    const std::optional<platform::FolderItem> programFolder = platform::GetFolderItem(QString());
    const platform::FolderItem manual =
        platform::require(programFolder, "no program folder").Child(QStringLiteral("Manual.pdf"));
    if (manual.Exists())
        manual.Launch();
    else
        platform::MsgBox(QStringLiteral("Anleitung nicht gefunden!"));
}

void Fenster1::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btn_installieren->click();
        return;
    case Qt::Key_Escape:
        btn_abbrechen->click();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}
