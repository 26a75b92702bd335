// The room an installation asks for before it writes anything, on real folder trees.

#include "platform/file_system.h"
#include "support/test_main.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/statvfs.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// "path=size" writes a file of size bytes, "path/" makes a folder, "path=size*" writes a file
// that has a second name elsewhere.
void lay(const fs::path& root, const QStringList& entries) {
    for (const QString& entry : entries) {
        if (entry.endsWith(QLatin1Char('/'))) {
            fs::create_directories(root / entry.chopped(1).toStdString());
            continue;
        }
        const QString sizeText = entry.section(QLatin1Char('='), 1);
        const bool secondName = sizeText.endsWith(QLatin1Char('*'));
        const fs::path file = root / entry.section(QLatin1Char('='), 0, 0).toStdString();
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << std::string(
            static_cast<std::size_t>(QString(sizeText).remove(QLatin1Char('*')).toInt()), 'x');
        if (secondName)
            fs::create_hard_link(file, root.parent_path() / "second name");
    }
}

} // namespace

class SpaceNeedsTest : public QObject {
    Q_OBJECT

  private slots:
    void needed_data();
    void needed();
};

void SpaceNeedsTest::needed_data() {
    QTest::addColumn<QStringList>("package");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<int>("blocks");

    const QStringList package{QStringLiteral("a=5000"), QStringLiteral("sub/b=300")};
    // Two new folders, a in two blocks, b in one.
    QTest::newRow("into an empty folder") << package << QStringList{} << 5;
    QTest::newRow("files beginning with a dot are left out")
        << (package + QStringList{QStringLiteral(".DS_Store=9000"), QStringLiteral("sub/.x=9000")})
        << QStringList{} << 5;
    // Nothing grows; a is written beside its old self first.
    QTest::newRow("the same files again")
        << package << QStringList{QStringLiteral("pkg/a=5000"), QStringLiteral("pkg/sub/b=300")}
        << 2;
    QTest::newRow("a file that grows")
        << package << QStringList{QStringLiteral("pkg/a=1000"), QStringLiteral("pkg/sub/b=300")}
        << 1 + 2;
    // b frees four blocks only when it is replaced, perhaps after a has grown.
    QTest::newRow("a file that shrinks pays for no other")
        << package << QStringList{QStringLiteral("pkg/a=1000"), QStringLiteral("pkg/sub/b=20000")}
        << 1 + 2;
    QTest::newRow("replacing one of two names of a file frees nothing")
        << package << QStringList{QStringLiteral("pkg/a=5000*"), QStringLiteral("pkg/sub/b=300")}
        << 2 + 2;
    // The copy refuses to put a file in place of a folder.
    QTest::newRow("a folder in the way of a file")
        << package << QStringList{QStringLiteral("pkg/a/")} << 1 + 1;
}

void SpaceNeedsTest::needed() {
    QFETCH(QStringList, package);
    QFETCH(QStringList, existing);
    QFETCH(int, blocks);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const fs::path root = temporary.path().toStdString();
    lay(root / "delivery" / "pkg", package);
    fs::create_directories(root / "target");
    lay(root / "target", existing);
    struct statvfs volume {};
    QCOMPARE(::statvfs(root.c_str(), &volume), 0);

    platform::SpaceNeeds needs;
    needs.addCopy(root / "delivery" / "pkg", root / "target");
    const std::vector<platform::VolumeSpace> volumes = needs.volumes();
    QCOMPARE(volumes.size(), std::size_t(1));
    QCOMPARE(volumes[0].folder, root / "target");
    QCOMPARE(volumes[0].needed, std::uintmax_t(blocks) * volume.f_frsize);
    QVERIFY(volumes[0].available > 0);
}

VELMORA_TEST_MAIN(SpaceNeedsTest)
#include "test_space_needs.moc"
