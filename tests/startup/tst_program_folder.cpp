// The installer finds its files beside itself, wherever it is started from: a probe built from
// the program's own start-up is copied into a delivery folder and started from another working
// directory.

#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ProgramFolderTest : public QObject {
    Q_OBJECT

  private slots:
    void startedFromElsewhere_data();
    void startedFromElsewhere();
};

namespace {

bool makeFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0;
}

} // namespace

void ProgramFolderTest::startedFromElsewhere_data() {
    QTest::addColumn<bool>("delivered"); // the files beside the program, or in the working dir
    QTest::newRow("files beside the program") << true;
    QTest::newRow("files only in the working directory") << false;
}

void ProgramFolderTest::startedFromElsewhere() {
    QFETCH(bool, delivered);

    QTemporaryDir delivery;
    QTemporaryDir workingDirectory;
    QVERIFY(delivery.isValid() && workingDirectory.isValid());
    const QString program = delivery.filePath(QStringLiteral("installer"));
    QVERIFY(QFile::copy(QStringLiteral(STARTUP_PROBE), program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
    const QString filesAt = delivered ? delivery.path() : workingDirectory.path();
    QVERIFY(QDir(filesAt).mkpath(QStringLiteral("Scenery-Zusatzdateien")));
    QVERIFY(makeFile(QDir(filesAt).filePath(QStringLiteral("Manual.pdf"))));

    QProcess probe;
    probe.setWorkingDirectory(workingDirectory.path());
    probe.start(program, {});
    QVERIFY2(probe.waitForFinished(60000), "the probe did not end");
    const QString err = QString::fromLocal8Bit(probe.readAllStandardError());
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QVERIFY2(probe.exitCode() == 0, qPrintable(err));

    const QStringList report = QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n');
    QStringList expected{QStringLiteral("programFolder=") + QDir(delivery.path()).canonicalPath()};
    if (delivered) {
        expected << QStringLiteral("shows=1")
                 << QStringLiteral("launched=") + QDir(delivery.path()).canonicalPath() +
                        QStringLiteral("/Manual.pdf");
    } else {
        expected << QStringLiteral("shows=0")
                 << QStringLiteral("message=Benötigte Dateien nicht gefunden (Ordner "
                                   "'Scenery-Zusatzdateien')");
    }
    expected << QString();
    QCOMPARE(report, expected);
}

VELMORA_TEST_MAIN(ProgramFolderTest)
#include "tst_program_folder.moc"
