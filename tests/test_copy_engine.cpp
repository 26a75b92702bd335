// The recursive copy against real folder trees: what lands in the destination, what stays, and
// what is reported as not copied. Trees are written as lines (support/tree.h); the source lies
// under "quelle", the destination under "ziel".

#include "install/modul1.h"
#include "platform/app_control.h"
#include "platform/folder_item.h"
#include "platform/progress.h"
#include "support/test_main.h"
#include "support/tree.h"
#include "ui/progress_window.h"
#include "ui/windows.h"

#include <QLabel>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using platform::FolderItem;

namespace {

QString errorName(std::error_code reason) {
    static const std::pair<int, const char*> names[] = {
        {EISDIR, "EISDIR"}, {ENOTDIR, "ENOTDIR"},       {ELOOP, "ELOOP"},   {EINVAL, "EINVAL"},
        {ENOSPC, "ENOSPC"}, {ENXIO, "ENXIO"},           {ENOENT, "ENOENT"}, {EPERM, "EPERM"},
        {EACCES, "EACCES"}, {EOPNOTSUPP, "EOPNOTSUPP"},
    };
    for (const auto& [value, name] : names) {
        if (reason == std::error_condition(value, std::generic_category()))
            return QString::fromLatin1(name);
    }
    return QString::fromStdString(reason.message());
}

QStringList failureLines(const Modul1::CopyReport& report, const fs::path& root) {
    QStringList lines;
    for (const Modul1::CopyFailure& failure : report.firstFailures())
        lines << QString::fromStdString(failure.path.lexically_relative(root).string()) +
                     QStringLiteral(": ") + errorName(failure.reason);
    lines.sort();
    return lines;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The progress window of the test before, with its last name, must not answer for this one.
void closeProgressWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<warten*>(widget))
            delete widget;
    }
}

void addTreeColumns() {
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("destination");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("into");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("failures");
}

// Builds the row's trees (the tmpfs, when given, is mounted on "ziel" first), copies, and
// compares the top-level folders that the expected lines name, the failures, and the times.
// afterCopy looks at the tree before the test's own locks are cleared.
void runTreeRow(const QString& tmpfsSize = {},
                const std::function<void(const tree::Tree&)>& afterCopy = {}) {
    QFETCH(QStringList, source);
    QFETCH(QStringList, destination);
    QFETCH(QString, what);
    QFETCH(QString, into);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, failures);

    tree::Tree tree;
    QVERIFY(tree.valid());
    if ((source + destination).join(u'\n').contains(QStringLiteral("| immutable"))) {
        if (const QString why = tree::immutableUnsupported(tree.root()); !why.isEmpty())
            QSKIP(qPrintable(why));
    }
    if (!tmpfsSize.isEmpty()) {
        if (const QString why = tree.mountTmpfs("ziel", tmpfsSize.toStdString()); !why.isEmpty())
            QSKIP(qPrintable(why + QStringLiteral(" (mounting needs root)")));
    }
    QCOMPARE(tree.build(source, tree::sourceTime), QString());
    QCOMPARE(tree.build(destination, tree::destinationTime), QString());

    const Modul1::CopyReport report = Modul1::CopyFileOrFolder(
        FolderItem(tree / what.toStdString()), FolderItem(tree / into.toStdString()));
    if (afterCopy)
        afterCopy(tree);
    tree.releaseAll();
    if (QTest::currentTestFailed())
        return;

    QSet<QString> compared;
    for (const QString& line : expected)
        compared.insert(tree::parse(line).path.empty()
                            ? QString()
                            : QString::fromStdString(*fs::path(tree::parse(line).path).begin()));
    QStringList leftOut;
    for (const auto& entry : fs::directory_iterator(tree.root())) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (!compared.contains(name))
            leftOut << name;
    }
    QStringList sortedExpected = expected;
    sortedExpected.sort();
    QCOMPARE(tree.list(leftOut), sortedExpected);
    QCOMPARE(failureLines(report, tree.root()), failures);
    QCOMPARE(report.failureCount(), static_cast<std::size_t>(failures.size()));

    // A file the copy wrote carries its source's time, one it left alone its own.
    for (auto it = fs::recursive_directory_iterator(tree.root()); it != fs::end(it); ++it) {
        if (leftOut.contains(QString::fromStdString(
                it->path().lexically_relative(tree.root()).begin()->string()))) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || it->is_symlink())
            continue;
        const timespec time = tree::modificationTime(it->path());
        QVERIFY2(sameTime(time, tree::sourceTime) || sameTime(time, tree::destinationTime),
                 qPrintable(QString::fromStdString(it->path().string())));
    }
}

} // namespace

class CopyEngineTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { bindWindows(); }
    void init() {
        platform::testing::resetQuit();
        closeProgressWindows();
        platform::showProgressWindow();
        // As in the program, where the event loop has run before a copy starts.
        QVERIFY(QTest::qWaitForWindowExposed(&warten::instance()));
    }
    void cleanupTestCase() { closeProgressWindows(); }

    void mergesIntoExistingTree_data();
    void mergesIntoExistingTree() { runTreeRow(); }
    void emptyFolder_data();
    void emptyFolder();
    void dotRule_data();
    void dotRule() { runTreeRow(); }
    void lockedEntries_data();
    void lockedEntries();
    void progressLineNamesLastCopiedFile_data();
    void progressLineNamesLastCopiedFile();
    void countReadBeforeEveryPass_data();
    void countReadBeforeEveryPass();
    void linkLoop_data();
    void linkLoop() { runTreeRow(); }
    void folderAndFileInEachOthersPlace_data();
    void folderAndFileInEachOthersPlace() { runTreeRow(); }
    void failedCopyKeepsOldFile_data();
    void failedCopyKeepsOldFile();
};

void CopyEngineTest::mergesIntoExistingTree_data() {
    addTreeColumns();
    QTest::newRow("replaces files, keeps extra entries, reuses subfolders")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/tiles/b.txt=neu",
                       "quelle/velmora1/tiles/deep/c.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt=alt", "ziel/velmora1/mine.txt=eigen",
                       "ziel/velmora1/tiles/b.txt=alt", "ziel/velmora1/tiles/own/d.txt=eigen"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/",
                       "ziel/velmora1/",
                       "ziel/velmora1/a.txt=neu",
                       "ziel/velmora1/mine.txt=eigen",
                       "ziel/velmora1/tiles/",
                       "ziel/velmora1/tiles/b.txt=neu",
                       "ziel/velmora1/tiles/deep/",
                       "ziel/velmora1/tiles/deep/c.txt=neu",
                       "ziel/velmora1/tiles/own/",
                       "ziel/velmora1/tiles/own/d.txt=eigen"}
        << QStringList{};
    QTest::newRow("nothing there yet")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/tiles/b.txt=neu"}
        << QStringList{"ziel/"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu", "ziel/velmora1/tiles/",
                       "ziel/velmora1/tiles/b.txt=neu"}
        << QStringList{};
    QTest::newRow("a linked package folder is used as the folder it points to")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/tiles/b.txt=neu"}
        << QStringList{"anderswo/velmora1/old.txt=alt", "ziel/velmora1->../anderswo/velmora1"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"anderswo/",
                       "anderswo/velmora1/",
                       "anderswo/velmora1/a.txt=neu",
                       "anderswo/velmora1/old.txt=alt",
                       "anderswo/velmora1/tiles/",
                       "anderswo/velmora1/tiles/b.txt=neu",
                       "ziel/",
                       "ziel/velmora1->../anderswo/velmora1"}
        << QStringList{};
    QTest::newRow("a link where a file goes is replaced itself, never written through")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/b.txt=neu"}
        << QStringList{"anderswo/fremd.txt=fremd", "ziel/velmora1/a.txt->../../anderswo/fremd.txt",
                       "ziel/velmora1/b.txt->nirgendwo"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"anderswo/",      "anderswo/fremd.txt=fremd", "ziel/",
                       "ziel/velmora1/", "ziel/velmora1/a.txt=neu",  "ziel/velmora1/b.txt=neu"}
        << QStringList{};
    QTest::newRow("a file source replaces the file of its name")
        << QStringList{"quelle/roads_legacy.png=neu"}
        << QStringList{"ziel/roads_legacy.png=alt", "ziel/other.png=eigen"}
        << "quelle/roads_legacy.png"
        << "ziel" << QStringList{"ziel/", "ziel/other.png=eigen", "ziel/roads_legacy.png=neu"}
        << QStringList{};
}

void CopyEngineTest::emptyFolder_data() {
    addTreeColumns();
    QTest::newRow("the mirror folder is made")
        << QStringList{"quelle/velmora1/"} << QStringList{"ziel/"} << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/"} << QStringList{};
    QTest::newRow("an existing mirror folder is left as it is")
        << QStringList{"quelle/velmora1/"} << QStringList{"ziel/velmora1/mine.txt=eigen"}
        << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/mine.txt=eigen"}
        << QStringList{};
}

void CopyEngineTest::emptyFolder() {
    runTreeRow();
    QCOMPARE(platform::progressText(), QString());
}

void CopyEngineTest::dotRule_data() {
    addTreeColumns();
    QTest::newRow("dot files are left out and their namesakes removed")
        << QStringList{"quelle/velmora1/.DS_Store=neu", "quelle/velmora1/a.txt=neu"}
        << QStringList{"ziel/velmora1/.DS_Store=alt", "ziel/velmora1/.eigen=eigen"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/.eigen=eigen",
                       "ziel/velmora1/a.txt=neu"}
        << QStringList{};
    QTest::newRow("a locked namesake is unlocked and removed")
        << QStringList{"quelle/velmora1/.DS_Store=neu"}
        << QStringList{"ziel/velmora1/.DS_Store=alt | immutable"} << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/"} << QStringList{};
    QTest::newRow("a linked namesake is removed, not what it points to")
        << QStringList{"quelle/velmora1/.DS_Store=neu"}
        << QStringList{"anderswo/fremd=fremd | readonly",
                       "ziel/velmora1/.DS_Store->../../anderswo/fremd"}
        << "quelle/velmora1"
        << "ziel" << QStringList{"anderswo/", "anderswo/fremd=fremd", "ziel/", "ziel/velmora1/"}
        << QStringList{};
    QTest::newRow("a dot-named folder is copied with its tree")
        << QStringList{"quelle/velmora1/.cache/x.txt=neu", "quelle/velmora1/.cache/.y=neu",
                       "quelle/velmora1/.cache/sub/.z=neu"}
        << QStringList{"ziel/"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/.cache/",
                       "ziel/velmora1/.cache/sub/", "ziel/velmora1/.cache/x.txt=neu"}
        << QStringList{};
    QTest::newRow("a folder of the user's in a dot file's place stays")
        << QStringList{"quelle/velmora1/.git=neu"} << QStringList{"ziel/velmora1/.git/config=eigen"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/.git/",
                       "ziel/velmora1/.git/config=eigen"}
        << QStringList{};
    QTest::newRow("a file source with a dot name only removes its namesake")
        << QStringList{"quelle/.env=neu"} << QStringList{"ziel/.env=alt", "ziel/keep.txt=eigen"}
        << "quelle/.env"
        << "ziel" << QStringList{"ziel/", "ziel/keep.txt=eigen"} << QStringList{};
}

void CopyEngineTest::lockedEntries_data() {
    addTreeColumns();
    QTest::newRow("a read-only file in the way")
        << QStringList{"quelle/velmora1/a.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt=alt | readonly"} << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu"}
        << QStringList{};
    QTest::newRow("an immutable file in the way")
        << QStringList{"quelle/velmora1/a.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt=alt | immutable"} << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu"}
        << QStringList{};
    QTest::newRow("a read-only receiving folder")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/ | readonly"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu",
                       "ziel/velmora1/b.txt=neu"}
        << QStringList{};
    // Refuses even the administrator: the first file copied into it would fail if the lock
    // were cleared only after the copy.
    QTest::newRow("an immutable receiving folder")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/old.txt=alt", "ziel/velmora1/ | immutable"}
        << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu",
                       "ziel/velmora1/b.txt=neu", "ziel/velmora1/old.txt=alt"}
        << QStringList{};
    QTest::newRow("an immutable subfolder that receives only folders")
        << QStringList{"quelle/velmora1/tiles/deep/c.txt=neu"}
        << QStringList{"ziel/velmora1/tiles/ | immutable"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/tiles/",
                       "ziel/velmora1/tiles/deep/", "ziel/velmora1/tiles/deep/c.txt=neu"}
        << QStringList{};
    QTest::newRow("an immutable destination of a file source")
        << QStringList{"quelle/roads_legacy.png=neu"} << QStringList{"ziel/ | immutable"}
        << "quelle/roads_legacy.png"
        << "ziel" << QStringList{"ziel/", "ziel/roads_legacy.png=neu"} << QStringList{};
}

void CopyEngineTest::lockedEntries() {
    QFETCH(QString, into);
    // Nothing that the copy wrote into or put in place is left locked.
    runTreeRow({}, [&](const tree::Tree& tree) {
        const fs::path top = tree / into.toStdString();
        QVERIFY(!FolderItem(top).Locked());
        for (const auto& entry : fs::recursive_directory_iterator(top))
            QVERIFY2(!FolderItem(entry.path()).Locked(), entry.path().c_str());
    });
}

void CopyEngineTest::progressLineNamesLastCopiedFile_data() {
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QString>("what");
    QTest::newRow("files, folders and dot files mixed")
        << QStringList{"quelle/velmora1/a.txt=1",         "quelle/velmora1/.hidden=2",
                       "quelle/velmora1/sub/b.txt=3",     "quelle/velmora1/sub/.x=4",
                       "quelle/velmora1/sub/deeper/",     "quelle/velmora1/c.txt=5",
                       "quelle/velmora1/.dotdir/d.txt=6", "quelle/velmora1/zz/"}
        << "quelle/velmora1";
    QTest::newRow("only dot files")
        << QStringList{"quelle/velmora1/.a=1", "quelle/velmora1/.b=2"} << "quelle/velmora1";
    QTest::newRow("a file source")
        << QStringList{"quelle/roads_legacy.png=1"} << "quelle/roads_legacy.png";
}

namespace {

// The names the copy should show, in the order the file layer numbers the entries.
void copiedNames(const FolderItem& item, QStringList& names) {
    if (!item.Directory()) {
        if (!item.Name().startsWith(u'.'))
            names << item.Name();
        return;
    }
    for (int i = 1; i <= item.Count(); ++i)
        copiedNames(item.Item(i), names);
}

// Records every text drawn in the progress window's name line.
class DrawnNames : public QObject {
  public:
    QStringList names;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == u"StaticText2") {
            if (auto* label = qobject_cast<QLabel*>(watched); label && !label->text().isEmpty())
                names << label->text();
        }
        return false;
    }
};

} // namespace

void CopyEngineTest::progressLineNamesLastCopiedFile() {
    QFETCH(QStringList, source);
    QFETCH(QString, what);
    tree::Tree tree;
    QCOMPARE(tree.build(source + QStringList{"ziel/"}, tree::sourceTime), QString());
    const FolderItem sourceItem(tree / what.toStdString());
    QStringList expected;
    copiedNames(sourceItem, expected);

    DrawnNames drawn;
    qApp->installEventFilter(&drawn);
    const Modul1::CopyReport report =
        Modul1::CopyFileOrFolder(sourceItem, FolderItem(tree / "ziel"));
    qApp->removeEventFilter(&drawn);

    QVERIFY(report.ok());
    QCOMPARE(platform::progressText(), expected.isEmpty() ? QString() : expected.back());
    for (const QString& name : drawn.names)
        QVERIFY2(expected.contains(name), qPrintable(name));
    QCOMPARE(drawn.names.isEmpty(), expected.isEmpty());
}

void CopyEngineTest::countReadBeforeEveryPass_data() {
    QTest::addColumn<bool>("settled");
    QTest::newRow("a folder just written") << false;
    // Once a folder's time stamp is older than the clock's grain, the cached listing is trusted
    // until the stamp changes.
    QTest::newRow("a folder that has settled") << true;
}

void CopyEngineTest::countReadBeforeEveryPass() {
    QFETCH(bool, settled);
    tree::Tree tree;
    QCOMPARE(tree.build({"quelle/velmora1/a.txt=1", "quelle/velmora1/b.txt=2", "ziel/"},
                        tree::sourceTime),
             QString());
    if (settled)
        QTest::qWait(120);

    // Runs in the first yield of the copy, after its first entry.
    bool added = false;
    QTimer::singleShot(0, qApp, [&] {
        added = true;
        QCOMPARE(tree.build({"quelle/velmora1/later.txt=3", "quelle/velmora1/later/inner.txt=4"},
                            tree::sourceTime),
                 QString());
    });
    const Modul1::CopyReport report =
        Modul1::CopyFileOrFolder(FolderItem(tree / "quelle/velmora1"), FolderItem(tree / "ziel"));

    QVERIFY(added);
    QVERIFY(report.ok());
    QCOMPARE(tree.list({"quelle"}),
             (QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=1",
                          "ziel/velmora1/b.txt=2", "ziel/velmora1/later.txt=3",
                          "ziel/velmora1/later/", "ziel/velmora1/later/inner.txt=4"}));
}

void CopyEngineTest::linkLoop_data() {
    addTreeColumns();
    QTest::newRow("a link to a folder above")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/sub/b.txt=neu",
                       "quelle/velmora1/sub/up->.."}
        << QStringList{"ziel/"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu", "ziel/velmora1/sub/",
                       "ziel/velmora1/sub/b.txt=neu"}
        << QStringList{"quelle/velmora1/sub/up: ELOOP"};
    QTest::newRow("a link to its own folder")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/self->."}
        << QStringList{"ziel/"} << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=neu"}
        << QStringList{"quelle/velmora1/self: ELOOP"};
    QTest::newRow("a folder copied into itself")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/inner/"} << QStringList{}
        << "quelle/velmora1"
        << "quelle/velmora1/inner"
        << QStringList{"quelle/",
                       "quelle/velmora1/",
                       "quelle/velmora1/a.txt=neu",
                       "quelle/velmora1/inner/",
                       "quelle/velmora1/inner/velmora1/",
                       "quelle/velmora1/inner/velmora1/a.txt=neu"}
        << QStringList{"quelle/velmora1/inner: EINVAL"};
    QTest::newRow("a destination that links back into the source")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/sub/b.txt=neu"}
        << QStringList{"ziel->quelle/velmora1/sub"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"quelle/",
                       "quelle/velmora1/",
                       "quelle/velmora1/a.txt=neu",
                       "quelle/velmora1/sub/",
                       "quelle/velmora1/sub/b.txt=neu",
                       "quelle/velmora1/sub/velmora1/",
                       "quelle/velmora1/sub/velmora1/a.txt=neu",
                       "ziel->quelle/velmora1/sub"}
        << QStringList{"quelle/velmora1/sub: EINVAL"};
}

void CopyEngineTest::folderAndFileInEachOthersPlace_data() {
    addTreeColumns();
    QTest::newRow("a folder where a file goes")
        << QStringList{"quelle/velmora1/a.txt=neu", "quelle/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt/mine.txt=eigen"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt/",
                       "ziel/velmora1/a.txt/mine.txt=eigen", "ziel/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt: EISDIR"};
    QTest::newRow("a file where a folder goes")
        << QStringList{"quelle/velmora1/tiles/b.txt=neu", "quelle/velmora1/c.txt=neu"}
        << QStringList{"ziel/velmora1/tiles=eigen"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/c.txt=neu",
                       "ziel/velmora1/tiles=eigen"}
        << QStringList{"ziel/velmora1/tiles: ENOTDIR"};
    QTest::newRow("a link to nowhere where a folder goes")
        << QStringList{"quelle/velmora1/a.txt=neu"} << QStringList{"ziel/velmora1->../weg"}
        << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1->../weg"}
        << QStringList{"ziel/velmora1: ENOENT"};
    QTest::newRow("a folder where a file source goes")
        << QStringList{"quelle/roads_legacy.png=neu"} << QStringList{"ziel/roads_legacy.png/"}
        << "quelle/roads_legacy.png"
        << "ziel" << QStringList{"ziel/", "ziel/roads_legacy.png/"}
        << QStringList{"ziel/roads_legacy.png: EISDIR"};
}

void CopyEngineTest::failedCopyKeepsOldFile_data() {
    addTreeColumns();
    QTest::addColumn<QString>("tmpfs");
    QTest::newRow("a full disk under an old file")
        << QStringList{"quelle/velmora1/big.bin=@300k", "quelle/velmora1/small.txt=neu"}
        << QStringList{"ziel/velmora1/big.bin=alt"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/big.bin=alt",
                       "ziel/velmora1/small.txt=neu"}
        << QStringList{"ziel/velmora1/big.bin: ENOSPC"} << "64k";
    QTest::newRow("a full disk with nothing there before")
        << QStringList{"quelle/velmora1/big.bin=@300k"} << QStringList{"ziel/velmora1/"}
        << "quelle/velmora1"
        << "ziel" << QStringList{"ziel/", "ziel/velmora1/"}
        << QStringList{"ziel/velmora1/big.bin: ENOSPC"} << "64k";
    QTest::newRow("a source that cannot be opened")
        << QStringList{"quelle/velmora1/a.txt|socket", "quelle/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/a.txt=alt"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/a.txt=alt",
                       "ziel/velmora1/b.txt=neu"}
        << QStringList{"quelle/velmora1/a.txt: ENXIO"} << "";
    // Reading a pipe would wait for a writer for ever.
    QTest::newRow("a pipe among the source files")
        << QStringList{"quelle/velmora1/p|fifo", "quelle/velmora1/b.txt=neu"}
        << QStringList{"ziel/velmora1/p=alt"} << "quelle/velmora1"
        << "ziel"
        << QStringList{"ziel/", "ziel/velmora1/", "ziel/velmora1/b.txt=neu", "ziel/velmora1/p=alt"}
        << QStringList{"quelle/velmora1/p: EOPNOTSUPP"} << "";
}

void CopyEngineTest::failedCopyKeepsOldFile() {
    QFETCH(QString, tmpfs);
    runTreeRow(tmpfs);
}

VELMORA_TEST_MAIN(CopyEngineTest)
#include "test_copy_engine.moc"
