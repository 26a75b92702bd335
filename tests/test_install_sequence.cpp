// The whole program, run in this process with its real windows, message boxes and folder chooser,
// installing from a generated delivery folder into a generated X-Plane folder.

#include "app/startup.h"
#include "install/modul1.h"
#include "platform/app_control.h"
#include "platform/folder_item.h"
#include "support/modal_driver.h"
#include "support/test_main.h"
#include "ui/edition.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// ---- Generated content -------------------------------------------------------------------------

QByteArray bytesFor(const QString& label, int size) {
    const QByteArray unit = label.toUtf8() + '\n';
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() < size)
        bytes += unit;
    bytes.truncate(size);
    return bytes;
}

void writeFile(const fs::path& path, const QByteArray& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The package folder "velmora1" of one edition, relative path -> contents. Both editions share
// some names (replaced by the second installation) and have some of their own (kept).
std::map<std::string, QByteArray> packageFiles(const QString& edition, int bulkFiles = 0) {
    std::map<std::string, QByteArray> files;
    const auto add = [&](const QString& path, int size) {
        files[path.toStdString()] = bytesFor(edition + QLatin1Char('/') + path, size);
    };
    add(QStringLiteral("library.txt"), 300);
    add(edition == QLatin1String("sued") ? QStringLiteral("Earth nav data/+40+010/+47+011.dsf")
                                         : QStringLiteral("Earth nav data/+50+000/+53+009.dsf"),
        40000);
    add(QStringLiteral("textures/ground.png"), 5000);
    add(QStringLiteral("textures/%1_coast.png").arg(edition), 5000);
    for (int i = 1; i <= 7; ++i)
        add(QStringLiteral("objects/house%1.obj").arg(i), 2000);
    add(QStringLiteral(".DS_Store"), 100);
    for (int i = 0; i < bulkFiles; ++i)
        add(QStringLiteral("Earth nav data/bulk/tile%1.dsf").arg(i, 3, 10, QLatin1Char('0')),
            256 * 1024);
    return files;
}

bool leftOut(const std::string& relative) {
    return fs::path(relative).filename().string().front() == '.';
}

QByteArray roadTexture(const QString& edition) {
    return bytesFor(QStringLiteral("roads_legacy ") + edition, 8000);
}

void makeDelivery(const fs::path& folder, const QString& edition, bool package, bool texture,
                  int bulkFiles = 0) {
    const fs::path extra = folder / "Scenery-Zusatzdateien";
    fs::create_directories(extra);
    if (package) {
        for (const auto& [relative, bytes] : packageFiles(edition, bulkFiles))
            writeFile(extra / "velmora1" / relative, bytes);
    }
    if (texture)
        writeFile(extra / "roads_legacy.png", roadTexture(edition));
    writeFile(folder / "Manual.pdf", "%PDF-1.4\n");
}

enum XPlanePart : unsigned {
    CustomScenery = 1,
    Resources = 2,
    DefaultScenery = 4,
    LegacyRoads = 8,
    Roads700 = 16,
    SouthInstalled = 32, // an earlier installation of the South edition in "Custom Scenery"
    FullXPlane = CustomScenery | Resources | DefaultScenery | LegacyRoads | Roads700,
};

const fs::path defaultScenery = fs::path("Resources") / "default scenery";
const fs::path installedPackage = fs::path("Custom Scenery") / "velmora1";

void makeXPlane(const fs::path& folder, unsigned parts, int bulkFiles = 0) {
    writeFile(folder / "X-Plane", "program");
    if (parts & CustomScenery)
        writeFile(folder / "Custom Scenery" / "Other Scenery" / "Earth nav data" / "+10+010.dsf",
                  bytesFor(QStringLiteral("other"), 1000));
    if (parts & Resources)
        writeFile(folder / "Resources" / "plugins" / "readme.txt", "plugins");
    if (parts & DefaultScenery)
        fs::create_directories(folder / defaultScenery);
    if (parts & LegacyRoads)
        writeFile(folder / defaultScenery / "x-plane legacy roads" / "roads.net", "legacy");
    if (parts & Roads700)
        writeFile(folder / defaultScenery / "700 roads" / "roads.net", "700");
    if (parts & SouthInstalled) {
        for (const auto& [relative, bytes] : packageFiles(QStringLiteral("sued"), bulkFiles)) {
            if (!leftOut(relative))
                writeFile(folder / installedPackage / relative, bytes);
        }
        writeFile(folder / installedPackage / "meine_notizen.txt", "the user's own file");
    }
}

// ---- Real conditions: a small disk, a file the system refuses to change ------------------------

class TmpfsMount {
  public:
    TmpfsMount(const fs::path& at, const char* size) : at_(at) {
        fs::create_directories(at);
        const std::string options = std::string("size=") + size + ",mode=0755";
        if (::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) != 0)
            error_ = std::strerror(errno);
    }
    ~TmpfsMount() {
        if (error_.empty())
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    const std::string& error() const { return error_; }

    // From now on every change below the mount point fails with "read-only file system".
    bool makeReadOnly() {
        if (::mount(nullptr, at_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0)
            return true;
        error_ = std::strerror(errno);
        ::umount2(at_.c_str(), MNT_DETACH);
        return false;
    }

  private:
    fs::path at_;
    std::string error_;
};

// ---- Before and after ------------------------------------------------------------------------

// Every entry below a folder (links to folders followed): "dir", "link:target" or "file:bytes".
using Tree = std::map<std::string, std::string>;

Tree snapshot(const fs::path& root) {
    Tree tree;
    const auto options = fs::directory_options::follow_directory_symlink;
    for (auto it = fs::recursive_directory_iterator(root, options);
         it != fs::recursive_directory_iterator(); ++it) {
        const std::string relative = it->path().lexically_relative(root).generic_string();
        if (it->is_symlink())
            tree[relative] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            tree[relative] = "dir";
        else
            tree[relative] = "file:" + readFile(it->path());
    }
    return tree;
}

void expectFile(Tree& tree, const fs::path& relative, const QByteArray& bytes) {
    for (fs::path parent = relative.parent_path(); !parent.empty(); parent = parent.parent_path())
        tree.try_emplace(parent.generic_string(), "dir");
    tree[relative.generic_string()] = "file:" + bytes.toStdString();
}

QString describeDifferences(const Tree& expected, const Tree& actual) {
    QStringList lines;
    const auto shorten = [](const std::string& value) {
        return QString::fromStdString(value.size() > 40 ? value.substr(0, 40) + "..." : value);
    };
    for (const auto& [path, value] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end())
            lines << QStringLiteral("missing: %1").arg(QString::fromStdString(path));
        else if (found->second != value)
            lines << QStringLiteral("differs: %1 (%2 instead of %3)")
                         .arg(QString::fromStdString(path), shorten(found->second), shorten(value));
    }
    for (const auto& [path, value] : actual) {
        if (!expected.count(path))
            lines << QStringLiteral("unexpected: %1").arg(QString::fromStdString(path));
    }
    return lines.join(QLatin1Char('\n'));
}

// ---- Running the program -----------------------------------------------------------------------

constexpr int stillRunning = 77;

struct Run {
    QStringList events;
    bool ended = false;
    int exitCode = 0;
    bool progressShown = false;
};

warten* visibleProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<warten*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Another start of the program in this process begins without the windows of the last one.
void closeProgramWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Starts the program as main() does, presses "Installieren" presses times (as long as the
// program runs) and, when the program is still running afterwards, ends its event loop from
// outside so that the test can tell.
Run runProgram(const EditionTexts& edition, int presses, ModalDriver& driver,
               const std::function<void()>& afterStartUp = {}) {
    platform::testing::resetQuit();
    Modul1::zielordner.reset();
    Run run;
    QTimer::singleShot(0, qApp, [&] {
        if (afterStartUp)
            afterStartUp();
        for (int i = 0; i < presses && !platform::quitRequested(); ++i) {
            auto* install =
                Fenster1::instance().findChild<QPushButton*>(QStringLiteral("btn_installieren"));
            QTest::mouseClick(install, Qt::LeftButton);
        }
        run.progressShown = visibleProgressWindow() != nullptr;
        if (!platform::quitRequested())
            QCoreApplication::exit(stillRunning);
    });
    driver.ignore([](QWidget* widget) { return qobject_cast<warten*>(widget) != nullptr; });
    driver.start();
    run.exitCode = runInstaller(static_cast<Global&>(*qApp), edition);
    driver.stop();
    run.events = driver.events();
    run.ended = platform::quitRequested();
    return run;
}

QString exact(const QString& text) {
    return QRegularExpression::anchoredPattern(QRegularExpression::escape(text));
}

QString mismatchOfEvents(const QStringList& events, const QStringList& patterns) {
    bool same = events.size() == patterns.size();
    for (qsizetype i = 0; same && i < events.size(); ++i)
        same = QRegularExpression(patterns[i]).match(events[i]).hasMatch();
    if (same)
        return {};
    return QStringLiteral("shown:\n  %1\nexpected:\n  %2")
        .arg(events.join(QStringLiteral("\n  ")), patterns.join(QStringLiteral("\n  ")));
}

const QString cancelled =
    exact(QStringLiteral("X-Plane wurde nicht ausgewählt, oder die Aktion wurde abgebrochen."));
const QString chooser = exact(ModalDriver::chooserEvent());
const QString finished = exact(QStringLiteral("Installation beendet"));
const QString notEnoughSpace =
    QStringLiteral("^Nicht genügend Speicherplatz: Die Installation benötigt (\\d+,\\d) MB, auf "
                   "dem Laufwerk von „[^“]*/%1“ sind aber nur (\\d+,\\d) MB frei\\.\n\nEs wurde "
                   "nichts installiert\\. .*erneut auf „Installieren“\\.$");

// ---- Scenarios ---------------------------------------------------------------------------------

enum class Condition {
    None,
    ExtraFilesRemovedAfterStartUp,
    SmallDiskAsCustomScenery,
    SmallDiskBehindLinkedPackage,
    RoomyDiskBehindLinkedPackage,
    ReadOnlyObjectsFolder, // the earlier installation's "objects" on a read-only disk
    FolderInPlaceOfAFile,  // the user made a folder "library.txt" in the earlier installation
};

enum Written : unsigned {
    Package = 1,
    LegacyRoadsTexture = 2,
    Roads700Texture = 4,
    Everything = Package | LegacyRoadsTexture | Roads700Texture,
};

struct Scenario {
    bool north = false; // the North installer, else the South one
    unsigned xplane = FullXPlane;
    bool package = true; // "velmora1" in the delivery
    bool texture = true; // "roads_legacy.png" in the delivery
    Condition condition = Condition::None;
    QStringList choices{QStringLiteral("xplane")}; // "xplane", "cancel", "vanishing"
    QStringList messages;                          // patterns of the chooser and messages
    unsigned written = 0;
    QString unchanged{}; // entries below this X-Plane path keep their state
    bool ended = false;
};

} // namespace

Q_DECLARE_METATYPE(Scenario)

class InstallSequenceTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { closeProgramWindows(); }

    void installation_data();
    void installation();
    void quitDuringCopy_data();
    void quitDuringCopy();
};

void InstallSequenceTest::installation_data() {
    QTest::addColumn<Scenario>("scenario");
    const QString velmoraMissing =
        exact(QStringLiteral("Benötigte Dateien nicht gefunden (Ordner 'velmora1')"));

    QTest::newRow("chooser cancelled, then a second try installs")
        << Scenario{.choices = {QStringLiteral("cancel"), QStringLiteral("xplane")},
                    .messages = {chooser, cancelled, chooser, finished},
                    .written = Everything,
                    .ended = true};
    QTest::newRow("chosen folder gone before it is tested")
        << Scenario{.choices = {QStringLiteral("vanishing")},
                    .messages = {chooser, exact(QStringLiteral("Ordner nicht gefunden."))}};
    QTest::newRow("no Custom Scenery")
        << Scenario{.xplane = FullXPlane & ~CustomScenery,
                    .messages = {chooser, exact(QStringLiteral("Kein X-Plane-Verzeichnis"))}};
    QTest::newRow("additional-files folder removed after start-up") << Scenario{
        .condition = Condition::ExtraFilesRemovedAfterStartUp,
        .messages = {chooser, exact(QStringLiteral("Benötigte Dateien nicht gefunden "
                                                   "(Ordner 'Scenery-Zusatzdateien')"))}};
    QTest::newRow("full installation")
        << Scenario{.messages = {chooser, finished}, .written = Everything, .ended = true};
    QTest::newRow("no Resources") << Scenario{
        .xplane = CustomScenery,
        .messages = {chooser, exact(QStringLiteral("Zielverzeichnis nicht gefunden: Resources")),
                     finished},
        .written = Package,
        .ended = true};
    QTest::newRow("no default scenery") << Scenario{
        .xplane = CustomScenery | Resources,
        .messages = {chooser,
                     exact(QStringLiteral("Zielverzeichnis nicht gefunden: default scenery")),
                     finished},
        .written = Package,
        .ended = true};
    QTest::newRow("only 700 roads")
        << Scenario{.xplane = CustomScenery | Resources | DefaultScenery | Roads700,
                    .messages = {chooser, finished},
                    .written = Package | Roads700Texture,
                    .ended = true};
    QTest::newRow("neither road folder")
        << Scenario{.xplane = CustomScenery | Resources | DefaultScenery,
                    .messages = {chooser, finished},
                    .written = Package,
                    .ended = true};
    QTest::newRow("no road texture") << Scenario{
        .texture = false,
        .messages = {chooser, exact(QStringLiteral("Zusatzdateien für X-Plane 8 nicht gefunden")),
                     finished},
        .written = Package,
        .ended = true};
    QTest::newRow("North installed over South") << Scenario{.north = true,
                                                            .xplane = FullXPlane | SouthInstalled,
                                                            .messages = {chooser, finished},
                                                            .written = Everything,
                                                            .ended = true};
    QTest::newRow("velmora1 missing from the delivery keeps the earlier installation")
        << Scenario{.xplane = FullXPlane | SouthInstalled,
                    .package = false,
                    .messages = {chooser, velmoraMissing}};
    QTest::newRow("not enough space")
        << Scenario{.condition = Condition::SmallDiskAsCustomScenery,
                    .messages = {chooser, notEnoughSpace.arg(QStringLiteral("Custom Scenery"))}};
    QTest::newRow("not enough space behind a linked velmora1") << Scenario{
        .condition = Condition::SmallDiskBehindLinkedPackage,
        .messages = {chooser, notEnoughSpace.arg(QStringLiteral("Custom Scenery/velmora1"))}};
    QTest::newRow("linked velmora1 on a disk with room")
        << Scenario{.condition = Condition::RoomyDiskBehindLinkedPackage,
                    .messages = {chooser, finished},
                    .written = Everything,
                    .ended = true};
    QTest::newRow("copy failures reported before the end") << Scenario{
        .north = true,
        .xplane = FullXPlane | SouthInstalled,
        .condition = Condition::ReadOnlyObjectsFolder,
        .messages = {chooser,
                     QStringLiteral("^Die Installation ist unvollständig: 7 Einträge konnten "
                                    "nicht installiert werden\\.\n"
                                    "(\nCustom Scenery/velmora1/objects/house\\d\\.obj: das "
                                    "Laufwerk ist schreibgeschützt){5}\n"
                                    "… und 2 weitere\n\nBitte prüfen Sie, ob auf dem Laufwerk "
                                    "genug Speicherplatz frei ist .*erneut\\.$"),
                     finished},
        .written = Everything,
        .unchanged = QStringLiteral("Custom Scenery/velmora1/objects"),
        .ended = true};
    QTest::newRow("a folder in the way of a file")
        << Scenario{.north = true,
                    .xplane = FullXPlane | SouthInstalled,
                    .condition = Condition::FolderInPlaceOfAFile,
                    .messages = {chooser,
                                 exact(QStringLiteral(
                                     "Die Installation ist unvollständig: 1 Eintrag konnte nicht "
                                     "installiert werden.\n\nCustom Scenery/velmora1/library.txt: "
                                     "dort liegt ein Ordner gleichen Namens\n\nBitte prüfen Sie, "
                                     "ob auf dem Laufwerk genug Speicherplatz frei ist und ob Sie "
                                     "im X-Plane-Ordner Schreibrechte haben. Starten Sie die "
                                     "Installation danach erneut.")),
                                 finished},
                    .written = Everything,
                    .unchanged = QStringLiteral("Custom Scenery/velmora1/library.txt"),
                    .ended = true};
}

void InstallSequenceTest::installation() {
    QFETCH(Scenario, scenario);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const fs::path root = temporary.path().toStdString();
    const fs::path delivery = root / "Velmora";
    const fs::path xplane = root / "X-Plane 9";
    const fs::path external = root / "Externes Laufwerk";
    const fs::path vanishing = root / "Gleich weg";
    const QString edition = scenario.north ? QStringLiteral("nord") : QStringLiteral("sued");

    makeDelivery(delivery, edition, scenario.package, scenario.texture);
    platform::testing::setProgramFolder(delivery);
    fs::create_directories(vanishing);

    std::unique_ptr<TmpfsMount> disk;
    const auto mountDisk = [&](const fs::path& at, const char* size) {
        disk = std::make_unique<TmpfsMount>(at, size);
        return disk->error().empty();
    };
    switch (scenario.condition) {
    case Condition::SmallDiskAsCustomScenery:
        if (!mountDisk(xplane / "Custom Scenery", "64k"))
            QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs (needs root): %1")
                                 .arg(QString::fromStdString(disk->error()))));
        break;
    case Condition::SmallDiskBehindLinkedPackage:
    case Condition::RoomyDiskBehindLinkedPackage: {
        const bool small = scenario.condition == Condition::SmallDiskBehindLinkedPackage;
        if (!mountDisk(external, small ? "64k" : "4m"))
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs (needs root): %1")
                                 .arg(QString::fromStdString(disk->error()))));
        break;
    }
    default:
        break;
    }
    makeXPlane(xplane, scenario.xplane);
    if (scenario.condition == Condition::SmallDiskBehindLinkedPackage ||
        scenario.condition == Condition::RoomyDiskBehindLinkedPackage)
        fs::create_directory_symlink(external, xplane / installedPackage);
    if (scenario.condition == Condition::ReadOnlyObjectsFolder) {
        // The disk hides the files below its mount point: the earlier installation's objects
        // are put onto it before it turns read-only.
        const fs::path objects = xplane / installedPackage / "objects";
        if (!mountDisk(objects, "1m"))
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs (needs root): %1")
                                 .arg(QString::fromStdString(disk->error()))));
        for (const auto& [relative, bytes] : packageFiles(QStringLiteral("sued"))) {
            if (relative.rfind("objects/", 0) == 0)
                writeFile(xplane / installedPackage / relative, bytes);
        }
        if (!disk->makeReadOnly())
            QSKIP(qPrintable(QStringLiteral("cannot make a tmpfs read-only: %1")
                                 .arg(QString::fromStdString(disk->error()))));
    }
    if (scenario.condition == Condition::FolderInPlaceOfAFile) {
        fs::remove(xplane / installedPackage / "library.txt");
        writeFile(xplane / installedPackage / "library.txt" / "eigene Datei.txt", "mine");
    }

    const Tree before = snapshot(xplane);
    ModalDriver driver;
    for (const QString& choice : scenario.choices) {
        if (choice == QLatin1String("cancel"))
            driver.answerFolder(std::nullopt);
        else if (choice == QLatin1String("vanishing"))
            driver.answerFolder(QString::fromStdString(vanishing.string()),
                                [vanishing] { fs::remove(vanishing); });
        else
            driver.answerFolder(QString::fromStdString(xplane.string()));
    }
    const auto afterStartUp = [&] {
        if (scenario.condition == Condition::ExtraFilesRemovedAfterStartUp)
            fs::remove_all(delivery / "Scenery-Zusatzdateien");
    };
    const Run run = runProgram(scenario.north ? editionNord : editionSued,
                               static_cast<int>(scenario.choices.size()), driver, afterStartUp);

    const QString eventMismatch = mismatchOfEvents(run.events, scenario.messages);
    QVERIFY2(eventMismatch.isEmpty(), qPrintable(eventMismatch));
    QCOMPARE(driver.unansweredChoosers(), 0);
    QCOMPARE(run.ended, scenario.ended);
    QCOMPARE(run.exitCode, scenario.ended ? 0 : stillRunning);
    // Only a run that got past every test shows the progress window, and such a run ends.
    QCOMPARE(run.progressShown, scenario.ended);
    if (!scenario.ended)
        QVERIFY(Fenster1::instance().isVisible());

    if (scenario.condition == Condition::SmallDiskAsCustomScenery ||
        scenario.condition == Condition::SmallDiskBehindLinkedPackage) {
        const QRegularExpressionMatch figures =
            QRegularExpression(scenario.messages[1]).match(run.events.value(1));
        const auto megabytes = [&](int i) {
            return figures.captured(i).replace(',', '.').toDouble();
        };
        QVERIFY2(megabytes(1) > megabytes(2), qPrintable(run.events.value(1)));
    }

    Tree expected = before;
    const auto installed = [&](const fs::path& relative, const QByteArray& bytes) {
        if (scenario.unchanged.isEmpty() ||
            !QString::fromStdString(relative.generic_string()).startsWith(scenario.unchanged))
            expectFile(expected, relative, bytes);
    };
    if (scenario.written & Package) {
        for (const auto& [relative, bytes] : packageFiles(edition)) {
            if (!leftOut(relative))
                installed(installedPackage / relative, bytes);
        }
    }
    if (scenario.written & LegacyRoadsTexture)
        installed(defaultScenery / "x-plane legacy roads" / "roads_legacy.png",
                  roadTexture(edition));
    if (scenario.written & Roads700Texture)
        installed(defaultScenery / "700 roads" / "roads_legacy.png", roadTexture(edition));
    const Tree after = snapshot(xplane);
    QVERIFY2(after == expected, qPrintable(describeDifferences(expected, after)));
}

enum class Interruption { QuitRequest, QuitMenuItem, ProgressWindowClosed };
Q_DECLARE_METATYPE(Interruption)

void InstallSequenceTest::quitDuringCopy_data() {
    QTest::addColumn<Interruption>("interruption");
    QTest::newRow("quit request") << Interruption::QuitRequest;
    QTest::newRow("\"Beenden\" chosen") << Interruption::QuitMenuItem;
    QTest::newRow("progress window closed") << Interruption::ProgressWindowClosed;
}

// Replacing large files of an earlier installation, interrupted as soon as the first file is
// named: every file is whole, old or new, and nothing is left under a temporary name.
void InstallSequenceTest::quitDuringCopy() {
    QFETCH(Interruption, interruption);
    constexpr int bulkFiles = 40;
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const fs::path root = temporary.path().toStdString();
    const fs::path delivery = root / "Velmora Nord";
    const fs::path xplane = root / "X-Plane 9";
    makeDelivery(delivery, QStringLiteral("nord"), true, true, bulkFiles);
    platform::testing::setProgramFolder(delivery);
    makeXPlane(xplane, FullXPlane | SouthInstalled, bulkFiles);
    const Tree before = snapshot(xplane);

    bool interrupted = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        warten* progress = visibleProgressWindow();
        if (interrupted || !progress ||
            progress->findChild<QLabel*>(QStringLiteral("StaticText2"))->text().isEmpty())
            return;
        interrupted = true;
        switch (interruption) {
        case Interruption::QuitRequest:
            platform::Quit(0);
            break;
        case Interruption::QuitMenuItem:
            Fenster1::instance()
                .menuBar()
                ->findChild<QAction*>(QStringLiteral("FileQuit"))
                ->trigger();
            break;
        case Interruption::ProgressWindowClosed:
            progress->close();
            break;
        }
    });
    watch.start();
    ModalDriver driver;
    driver.answerFolder(QString::fromStdString(xplane.string()));
    const Run run = runProgram(editionNord, 1, driver);
    watch.stop();
    QVERIFY(interrupted);
    QVERIFY(run.ended);
    QCOMPARE(run.exitCode, 0);

    const Tree after = snapshot(xplane);
    std::map<std::string, QByteArray> newFiles;
    for (const auto& [relative, bytes] : packageFiles(QStringLiteral("nord"), bulkFiles))
        newFiles[(installedPackage / relative).generic_string()] = bytes;
    for (const char* roads : {"x-plane legacy roads", "700 roads"})
        newFiles[(defaultScenery / roads / "roads_legacy.png").generic_string()] =
            roadTexture(QStringLiteral("nord"));
    int installedNew = 0;
    int bulkStillOld = 0;
    for (const auto& [path, value] : after) {
        QVERIFY2(!QString::fromStdString(path).endsWith(QLatin1String(".part")), path.c_str());
        if (value.rfind("file:", 0) != 0)
            continue;
        const auto old = before.find(path);
        if (old != before.end() && old->second == value) {
            if (path.find("/bulk/") != std::string::npos)
                ++bulkStillOld;
            continue;
        }
        const auto fresh = newFiles.find(path);
        QVERIFY2(fresh != newFiles.end() && value == "file:" + fresh->second.toStdString(),
                 qPrintable(QStringLiteral("%1 is neither the old nor the whole new file")
                                .arg(QString::fromStdString(path))));
        ++installedNew;
    }
    QVERIFY(installedNew > 0);

    if (interruption == Interruption::ProgressWindowClosed) {
        // Closing the window is no quit: it comes back and the installation completes.
        QCOMPARE(run.events, (QStringList{ModalDriver::chooserEvent(),
                                          QStringLiteral("Installation beendet")}));
        QCOMPARE(bulkStillOld, 0);
        QVERIFY(visibleProgressWindow());
        return;
    }
    // The program is ending: nothing more is copied and nothing more is said.
    QCOMPARE(run.events, QStringList{ModalDriver::chooserEvent()});
    QVERIFY2(bulkStillOld > 0, "the copy went on after the quit");
    for (const char* roads : {"x-plane legacy roads", "700 roads"})
        QVERIFY(!fs::exists(xplane / defaultScenery / roads / "roads_legacy.png"));
}

VELMORA_TEST_MAIN(InstallSequenceTest)
#include "test_install_sequence.moc"
