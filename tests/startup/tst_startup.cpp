// The installer's start, its menu bar, its main window in both editions and every way out,
// started in this process over a delivery folder in a temporary folder.

#include "start_support.h"
#include "support/test_main.h"

#include "platform/dialogs.h"
#include "ui/menu_bar.h"

#include <QAction>
#include <QEventLoop>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <utility>

using namespace startup_support;

namespace {

const QString extraFilesName = QStringLiteral("Scenery-Zusatzdateien");
const QString missingFolderMessage =
    QStringLiteral("Benötigte Dateien nicht gefunden (Ordner 'Scenery-Zusatzdateien')");
const QString manualMissingMessage = QStringLiteral("Anleitung nicht gefunden!");

const EditionTexts& editionNamed(const QString& name) {
    return name == QLatin1String("nord") ? editionNord : editionSued;
}

// The texts as the user reads them, written out in full for each edition.
struct ShownTexts {
    QString title;
    QString header;
    QString notes;
    QString manualHint;
};

const QString instructions =
    QStringLiteral("1. Klicken Sie auf Installieren\n"
                   "2. Wählen Sie im folgenden Dialog den Speicherort von X-Plane aus\n");

const QString notesStart =
    QStringLiteral("Wichtige Hinweise\n\nDiese Scenery benötigt X-Plane 8.2 oder neuer. Falls Sie "
                   "eine ältere Version von X-Plane verwenden, installieren Sie bitte vorher das "
                   "aktuelle Update.\n\n");

ShownTexts shownTexts(const QString& edition) {
    if (edition == QLatin1String("nord"))
        return {QStringLiteral("Installation der Velmora Nord für X-Plane"),
                QStringLiteral("Hiermit installieren Sie die Velmora Nord für X-Plane"),
                notesStart + QStringLiteral("Wenn Sie zusätzlich die optional erhältliche Velmora "
                                            "Süd nutzen wollen, beachten Sie bitte, dass Velmora "
                                            "Süd vor Velmora Nord installiert werden muss. "),
                QStringLiteral(
                    "Klicken Sie hier, um ein PDF der Anleitung zur Velmora Nord zu öffnen:")};
    return {
        QStringLiteral("Installation der Velmora Süd für X-Plane"),
        QStringLiteral("Hiermit installieren Sie die Velmora Süd für X-Plane"),
        notesStart + QStringLiteral("Wenn Sie zusätzlich die optional erhältliche Velmora Nord "
                                    "nutzen wollen, beachten Sie bitte, dass Velmora Nord nach "
                                    "Velmora Süd installiert werden muss. "),
        QStringLiteral("Klicken Sie hier, um ein PDF der Anleitung zur Velmora Süd zu öffnen:")};
}

// Where a key typed by the user goes: the focused control of the window, or the window.
QWidget* keyTarget(QWidget* window) {
    QWidget* focus = QApplication::focusWidget();
    return focus && focus->window() == window ? focus : window;
}

// The menu tree as the user walks it: each menu, followed by its items.
QList<std::pair<QString, QAction*>> walkMenuTree(QMenuBar* bar) {
    QList<std::pair<QString, QAction*>> entries;
    for (QAction* menuAction : bar->actions()) {
        entries.append({QString(), menuAction});
        if (QMenu* menu = menuAction->menu()) {
            for (QAction* item : menu->actions())
                entries.append({menuAction->objectName(), item});
        }
    }
    return entries;
}

// Restores the working directory when a test has moved it.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const QString& path) : previous_(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(previous_); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    QString previous_;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { quietOffscreenSizeHints(); }
    void init();
    void cleanup();

    void menuBarIsTheApplicationsBeforeTheWindowTakesIt();
    void menuBarOutlivesTheMainWindow();
    void menuEntries_data();
    void menuEntries();

    void window_data();
    void window();
    void controls_data();
    void controls();
    void controlsLieInCreationOrder();

    void startChecksForExtraFiles_data();
    void startChecksForExtraFiles();
    void manualButton_data();
    void manualButton();
    void waysOut_data();
    void waysOut();
    void returnPressesInstall_data();
    void returnPressesInstall();
    void errorInHandlerIsReportedAndEnds();
    void quitBeforeTheEventLoopLeavesLaterDialogsAlone();

  private:
    Fenster1* start(const EditionTexts& edition = editionSued);
    bool activate(Fenster1* window);

    std::unique_ptr<Delivery> delivery_;
    std::unique_ptr<platform::testing::DialogSeam> seam_;
};

void StartupTest::init() {
    platform::testing::resetQuit();
    seam_ = std::make_unique<platform::testing::DialogSeam>();
    delivery_ = std::make_unique<Delivery>();
    QVERIFY(delivery_->isValid());
    QVERIFY(delivery_->addFolder(extraFilesName));
}

void StartupTest::cleanup() {
    deleteMainWindows();
    delivery_.reset();
    seam_.reset();
    platform::testing::resetQuit();
}

Fenster1* StartupTest::start(const EditionTexts& edition) {
    startUp(application(), edition);
    return mainWindow();
}

bool StartupTest::activate(Fenster1* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void StartupTest::menuBarIsTheApplicationsBeforeTheWindowTakesIt() {
    QMenuBar* const bar = &Menü::instance();
    QCOMPARE(static_cast<QMenuBar*>(&Menü::instance()), bar);

    // Catches the moment the window takes the bar: the application must hold it already.
    struct AttachWatch : QObject {
        int attaches = 0;
        bool heldByApplication = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::ParentChange &&
                qobject_cast<Fenster1*>(static_cast<QWidget*>(watched)->window())) {
                ++attaches;
                heldByApplication = application().MenuBar() == watched;
            }
            return false;
        }
    } attach;
    bar->installEventFilter(&attach);
    application().setMenuBar(nullptr); // forget earlier start-ups in this process
    ShowWatch shown;

    Fenster1* window = start();
    bar->removeEventFilter(&attach);

    QVERIFY(window);
    QCOMPARE(attach.attaches, 1);
    QVERIFY(attach.heldByApplication);
    QCOMPARE(application().MenuBar(), bar);
    QCOMPARE(window->menuBar(), bar);
    QCOMPARE(static_cast<QMenuBar*>(&Menü::instance()), bar);

    // Shown once, with its menu bar and already in its final place.
    QCOMPARE(shown.shows, 1);
    QCOMPARE(shown.menuWhenShown.data(), static_cast<QWidget*>(bar));
    QCOMPARE(shown.positionWhenShown, window->pos());
    QVERIFY(window->isVisible());
    QVERIFY(bar->isVisible());
    QVERIFY(!platform::quitRequested());
    QVERIFY(seam_->messages.isEmpty());
}

void StartupTest::menuBarOutlivesTheMainWindow() {
    Fenster1* first = start();
    QVERIFY(first);
    QMenuBar* const bar = first->menuBar();
    delete first;

    QCOMPARE(application().MenuBar(), bar);
    QCOMPARE(static_cast<QMenuBar*>(&Menü::instance()), bar);
    QCOMPARE(bar->actions().size(), 2);

    Fenster1* second = start();
    QVERIFY(second);
    QCOMPARE(second->menuBar(), bar);
    QVERIFY(bar->isVisible());
}

void StartupTest::menuEntries_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu"); // empty: a menu of the bar itself
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("autoEnable");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<bool>("quitItem");

    const QString none;
    const QString file = QStringLiteral("UntitledMenu2");
    const QString edit = QStringLiteral("UntitledMenu0");
    // Ctrl stands for the Command key on macOS.
    QTest::newRow("Ablage") << 1 << file << none << "Ablage" << QKeySequence() << false << false
                            << false;
    QTest::newRow("Beenden") << 2 << "FileQuit" << file << "Beenden"
                             << QKeySequence(Qt::CTRL | Qt::Key_Q) << true << false << true;
    QTest::newRow("Bearbeiten") << 3 << edit << none << "Bearbeiten" << QKeySequence() << false
                                << false << false;
    QTest::newRow("Undo") << 4 << "EditUndo" << edit << "Undo" << QKeySequence(Qt::CTRL | Qt::Key_Z)
                          << false << false << false;
    QTest::newRow("separator") << 5 << "UntitledMenu1" << edit << "" << QKeySequence() << false
                               << true << false;
    QTest::newRow("Ausschneiden") << 6 << "EditCut" << edit << "Ausschneiden"
                                  << QKeySequence(Qt::CTRL | Qt::Key_X) << false << false << false;
    QTest::newRow("Kopieren") << 7 << "EditCopy" << edit << "Kopieren"
                              << QKeySequence(Qt::CTRL | Qt::Key_C) << false << false << false;
    QTest::newRow("Einfügen") << 8 << "EditPaste" << edit << "Einfügen"
                              << QKeySequence(Qt::CTRL | Qt::Key_V) << false << false << false;
    QTest::newRow("Löschen") << 9 << "EditClear" << edit << "Löschen" << QKeySequence() << false
                             << false << false;
}

void StartupTest::menuEntries() {
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, autoEnable);
    QFETCH(bool, separator);
    QFETCH(bool, quitItem);

    const auto entries = walkMenuTree(&Menü::instance());
    QCOMPARE(entries.size(), 9);
    const auto& [parent, entry] = entries.at(position - 1);

    QCOMPARE(entry->objectName(), name);
    QCOMPARE(parent, menu);
    QCOMPARE(entry->menu() != nullptr, menu.isEmpty());
    QCOMPARE(entry->isSeparator(), separator);
    if (!separator)
        QCOMPARE(entry->text(), text);
    QCOMPARE(entry->shortcut(), shortcut);
    QCOMPARE(entry->property("AutoEnable").toBool(), autoEnable);
    QCOMPARE(entry->menuRole() == QAction::QuitRole, quitItem);
    // Menus always open; of the items only the automatically enabled ones can be chosen.
    if (!separator)
        QCOMPARE(entry->isEnabled(), menu.isEmpty() || autoEnable);
}

void StartupTest::window_data() {
    QTest::addColumn<QString>("edition");
    QTest::newRow("Süd") << "sued";
    QTest::newRow("Nord") << "nord";
}

void StartupTest::window() {
    QFETCH(QString, edition);

    Fenster1* window = start(editionNamed(edition));
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), shownTexts(edition).title);
    QCOMPARE(window->centralWidget()->size(), QSize(537, 376));

    // Neither resizable nor zoomable; it can be minimised and closed.
    const QSize size = window->size();
    window->resize(size + QSize(200, 100));
    QCOMPARE(window->size(), size);
    QCOMPARE(window->minimumSize(), size);
    QCOMPARE(window->maximumSize(), size);
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
}

void StartupTest::controls_data() {
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment"); // horizontal alignment of a static text
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<int>("pixelSize"); // 0: the system font's own size
    QTest::addColumn<bool>("defaultButton");
    QTest::addColumn<bool>("cancelButton");

    const int left = Qt::AlignLeft;
    const int centred = Qt::AlignHCenter;
    for (const QString& edition : {QStringLiteral("sued"), QStringLiteral("nord")}) {
        const ShownTexts texts = shownTexts(edition);
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::addRow("%s %s", qPrintable(edition), name) << edition << name;
        };
        row("btn_installieren") << QRect(396, 336, 121, 20) << "Installieren" << 0 << false << 0
                                << true << false;
        row("btn_abbrechen") << QRect(24, 336, 97, 20) << "Abbrechen" << 0 << false << 0 << false
                             << true;
        row("StaticText1") << QRect(24, 14, 493, 20) << texts.header << centred << false << 0
                           << false << false;
        row("StaticText3") << QRect(24, 161, 478, 63) << instructions << left << true << 0 << false
                           << false;
        row("StaticText6") << QRect(24, 46, 493, 90) << texts.notes << left << true << 10 << false
                           << false;
        row("StaticText8") << QRect(24, 274, 284, 38) << texts.manualHint << left << true << 0
                           << false << false;
        row("PushButton1") << QRect(301, 280, 140, 20) << "Anleitung öffnen" << 0 << false << 0
                           << false << false;
    }
}

void StartupTest::controls() {
    QFETCH(QString, edition);
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(bool, multiLine);
    QFETCH(int, pixelSize);
    QFETCH(bool, defaultButton);
    QFETCH(bool, cancelButton);

    Fenster1* window = start(editionNamed(edition));
    QVERIFY(window);
    auto* control = window->centralWidget()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(control);

    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    QVERIFY(control->toolTip().isEmpty());

    const QFont system = QApplication::font();
    const QFont font = control->font();
    QCOMPARE(font.family(), system.family());
    if (pixelSize)
        QCOMPARE(font.pixelSize(), pixelSize);
    else
        QCOMPARE(font, system);
    QVERIFY(!font.bold());
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());

    // Every text is readable in full within its box.
    const int flags = alignment | (multiLine ? int(Qt::TextWordWrap) : 0);
    const QRect needed = QFontMetrics(font).boundingRect(
        QRect(0, 0, geometry.width(), 10 * geometry.height()), flags, text);
    QVERIFY2(needed.width() <= geometry.width() && needed.height() <= geometry.height(),
             qPrintable(QStringLiteral("needs %1x%2").arg(needed.width()).arg(needed.height())));

    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->property("Default").toBool(), defaultButton);
        QCOMPARE(button->isDefault(), defaultButton);
        QCOMPARE(button->property("Cancel").toBool(), cancelButton);
    } else {
        auto* label = qobject_cast<QLabel*>(control);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(label->wordWrap(), multiLine);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
}

void StartupTest::controlsLieInCreationOrder() {
    Fenster1* window = start();
    QVERIFY(window);
    QStringList names;
    for (QObject* child : window->centralWidget()->children()) {
        if (child->isWidgetType())
            names << child->objectName();
    }
    QCOMPARE(names, QStringList({"btn_installieren", "btn_abbrechen", "StaticText1", "StaticText3",
                                 "StaticText6", "StaticText8", "PushButton1"}));
    // The manual button overlaps the end of the hint and, created later, lies on top of it.
    QCOMPARE(window->centralWidget()->childAt(304, 290)->objectName(),
             QStringLiteral("PushButton1"));
}

void StartupTest::startChecksForExtraFiles_data() {
    QTest::addColumn<QString>("extraFiles");
    QTest::addColumn<bool>("opens");
    QTest::newRow("folder") << "folder" << true;
    QTest::newRow("file of that name") << "file" << true;
    QTest::newRow("link to a folder") << "link" << true;
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("only in the working directory") << "elsewhere" << false;
}

void StartupTest::startChecksForExtraFiles() {
    QFETCH(QString, extraFiles);
    QFETCH(bool, opens);

    QVERIFY(QDir(delivery_->filePath(extraFilesName)).removeRecursively());
    if (extraFiles == QLatin1String("folder")) {
        QVERIFY(delivery_->addFolder(extraFilesName));
    } else if (extraFiles == QLatin1String("file")) {
        QVERIFY(delivery_->addFile(extraFilesName));
    } else if (extraFiles == QLatin1String("link")) {
        QVERIFY(delivery_->addFolder(QStringLiteral("content")));
        QVERIFY(QFile::link(delivery_->filePath(QStringLiteral("content")),
                            delivery_->filePath(extraFilesName)));
    }
    QTemporaryDir elsewhere;
    QVERIFY(QDir(elsewhere.path()).mkpath(extraFilesName));
    WorkingDirectory cwd(extraFiles == QLatin1String("elsewhere") ? elsewhere.path()
                                                                  : QDir::currentPath());
    ShowWatch shown;

    Fenster1* window = start();
    QVERIFY(window);

    if (opens) {
        QVERIFY(seam_->messages.isEmpty());
        QVERIFY(!platform::quitRequested());
        QCOMPARE(shown.shows, 1);
        QVERIFY(window->isVisible());
        return;
    }
    QCOMPARE(seam_->messages, QStringList{missingFolderMessage});
    QVERIFY(platform::quitRequested());
    QCOMPARE(platform::requestedExitCode(), 0);
    QCOMPARE(shown.shows, 0);
    QVERIFY(!window->isVisible());
    // The event loop does not run: the program ends at once, with code 0.
    QCOMPARE(platform::runEventLoop(), 0);
    QCOMPARE(shown.shows, 0);
}

void StartupTest::manualButton_data() {
    QTest::addColumn<QList<bool>>("presentAtPress");
    QTest::newRow("present") << QList<bool>{true, true};
    QTest::newRow("missing") << QList<bool>{false, false};
    QTest::newRow("delivered after the first press") << QList<bool>{false, true};
}

void StartupTest::manualButton() {
    QFETCH(QList<bool>, presentAtPress);

    Fenster1* window = start();
    QVERIFY(window);
    auto* button = window->findChild<QPushButton*>(QStringLiteral("PushButton1"));
    QVERIFY(button);
    const QString manual = delivery_->filePath(QStringLiteral("Manual.pdf"));

    QStringList messages;
    QStringList launched;
    for (const bool present : presentAtPress) {
        if (present && !QFile::exists(manual))
            QVERIFY(delivery_->addFile(QStringLiteral("Manual.pdf"), "%PDF-1.4\n"));
        QTest::mouseClick(button, Qt::LeftButton);
        if (present)
            launched << manual;
        else
            messages << manualMissingMessage;
    }
    QCOMPARE(seam_->messages, messages);
    QCOMPARE(seam_->launched, launched);
    QVERIFY(window->isVisible());
    QVERIFY(!platform::quitRequested());
}

void StartupTest::waysOut_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("pressesCancel");
    QTest::newRow("Abbrechen clicked") << "click" << true;
    QTest::newRow("Escape") << "escape" << true;
    QTest::newRow("Ctrl+Q") << "ctrl+q" << false;
    QTest::newRow("Beenden chosen") << "menu" << false;
}

void StartupTest::waysOut() {
    QFETCH(QString, way);
    QFETCH(bool, pressesCancel);

    Fenster1* window = start();
    QVERIFY(window);
    QVERIFY(activate(window));
    auto* install = window->findChild<QPushButton*>(QStringLiteral("btn_installieren"));
    auto* cancel = window->findChild<QPushButton*>(QStringLiteral("btn_abbrechen"));
    QSignalSpy installs(install, &QPushButton::clicked);
    QSignalSpy cancels(cancel, &QPushButton::clicked);

    if (way == QLatin1String("click")) {
        QTest::mouseClick(cancel, Qt::LeftButton);
    } else if (way == QLatin1String("escape")) {
        QTest::keyClick(keyTarget(window), Qt::Key_Escape);
    } else if (way == QLatin1String("ctrl+q")) {
        // Nothing of the window takes Ctrl+Q: only the menu item's shortcut can end the program.
        QTest::keyClick(keyTarget(window), Qt::Key_Q, Qt::ControlModifier);
    } else {
        auto* quit = window->menuBar()->findChild<QAction*>(QStringLiteral("FileQuit"));
        QVERIFY(quit);
        quit->trigger();
    }

    QVERIFY(platform::quitRequested());
    QCOMPARE(platform::requestedExitCode(), 0);
    QCOMPARE(cancels.size(), pressesCancel ? 1 : 0);
    QCOMPARE(installs.size(), 0);
    QVERIFY(seam_->messages.isEmpty());
    QVERIFY(seam_->launched.isEmpty());
}

void StartupTest::returnPressesInstall_data() {
    QTest::addColumn<QString>("focus"); // empty: wherever the window puts it
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << "" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter on the keypad") << "" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Return, Abbrechen focused")
        << "btn_abbrechen" << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Return, manual button focused")
        << "PushButton1" << int(Qt::Key_Return) << int(Qt::NoModifier);
}

void StartupTest::returnPressesInstall() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    Fenster1* window = start();
    QVERIFY(window);
    QVERIFY(activate(window));
    if (!focus.isEmpty()) {
        auto* control = window->findChild<QWidget*>(focus);
        QVERIFY(control);
        control->setFocus();
        QCOMPARE(QApplication::focusWidget(), control);
    }
    QSignalSpy installs(window->findChild<QPushButton*>(QStringLiteral("btn_installieren")),
                        &QPushButton::clicked);
    QSignalSpy cancels(window->findChild<QPushButton*>(QStringLiteral("btn_abbrechen")),
                       &QPushButton::clicked);
    QSignalSpy manuals(window->findChild<QPushButton*>(QStringLiteral("PushButton1")),
                       &QPushButton::clicked);

    QTest::keyClick(keyTarget(window), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(installs.size(), 1);
    QCOMPARE(cancels.size(), 0);
    QCOMPARE(manuals.size(), 0);
    QVERIFY(!platform::quitRequested());
}

void StartupTest::errorInHandlerIsReportedAndEnds() {
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, &button, platform::guarded([] {
        throw platform::NullObjectException("no program folder");
    }));

    button.click(); // the exception must not reach Qt

    QCOMPARE(seam_->messages.size(), 1);
    QVERIFY2(seam_->messages.front().startsWith(
                 QStringLiteral("Ein unerwarteter Fehler ist aufgetreten.")),
             qPrintable(seam_->messages.front()));
    QVERIFY(platform::quitRequested());
}

void StartupTest::quitBeforeTheEventLoopLeavesLaterDialogsAlone() {
    platform::Quit(0);
    QVERIFY(platform::quitRequested());

    // A message box shown after that (an error report, say) must still wait for the user.
    QEventLoop dialogLoop;
    QTimer::singleShot(0, &dialogLoop, [&dialogLoop] { dialogLoop.exit(7); });
    QCOMPARE(dialogLoop.exec(), 7);
    QCOMPARE(platform::runEventLoop(), 0);
}

VELMORA_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
