// The progress window as the copy uses it: a user who closes it while files are copied gets it
// back at the next file.

#include "install/modul1.h"
#include "platform/app_control.h"
#include "platform/folder_item.h"
#include "platform/progress.h"
#include "support/test_main.h"
#include "support/tree.h"
#include "ui/progress_window.h"
#include "ui/windows.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

using platform::FolderItem;

namespace {

QList<warten*> openProgressWindows() {
    QList<warten*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<warten*>(widget); window && window->isVisible())
            open << window;
    }
    return open;
}

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { bindWindows(); }
    void closedDuringCopyComesBackAtNextFile();
};

void ProgressWindowTest::closedDuringCopyComesBackAtNextFile() {
    tree::Tree tree;
    QCOMPARE(tree.build({"quelle/velmora1/a.dds=1", "quelle/velmora1/b.dds=2",
                         "quelle/velmora1/c.dds=3", "ziel/"},
                        tree::sourceTime),
             QString());
    const FolderItem source(tree / "quelle/velmora1");
    QStringList order; // the names in the order the copy takes them
    for (int i = 1; i <= source.Count(); ++i)
        order << source.Item(i).Name();

    platform::showProgressWindow();
    QCOMPARE(openProgressWindows().size(), 1);
    QPointer<warten> first = openProgressWindows().front();

    // The close button, pressed in the copy's first yield, after its first file.
    QString shownWhenClosed;
    QTimer::singleShot(0, qApp, [&] {
        shownWhenClosed = first->findChild<QLabel*>(QStringLiteral("StaticText2"))->text();
        first->close();
    });
    const Modul1::CopyReport report = Modul1::CopyFileOrFolder(source, FolderItem(tree / "ziel"));
    QVERIFY(report.ok());
    QCOMPARE(shownWhenClosed, order.front());

    // Nothing but the copy has asked for the window since it was closed.
    const QList<warten*> open = openProgressWindows();
    QCOMPARE(open.size(), 1);
    QVERIFY(open.front() != first.data());
    QVERIFY(!first || !first->isVisible());
    warten* again = open.front();
    QCOMPARE(again->windowTitle(), QStringLiteral("Kopiervorgang"));
    QVERIFY(again->isModal());
    QCOMPARE(again->findChild<QLabel*>(QStringLiteral("StaticText1"))->text(),
             QStringLiteral("Kopiervorgang läuft ..."));
    QCOMPARE(again->findChild<QLabel*>(QStringLiteral("StaticText2"))->text(), order.back());
    delete again;
}

VELMORA_TEST_MAIN(ProgressWindowTest)
#include "test_progress_window.moc"
