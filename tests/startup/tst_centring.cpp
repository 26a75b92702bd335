// Where the main window opens. Each row needs its own main screen, which Qt's offscreen platform
// takes only from a configuration file: CTest runs every row as an entry of its own, with a
// matching screen.

#include "start_support.h"
#include "support/test_main.h"

#include "platform/dialogs.h"

#include <QTest>

using namespace startup_support;

class CentringTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { quietOffscreenSizeHints(); }
    void centredOnMainScreen_data();
    void centredOnMainScreen();
};

void CentringTest::centredOnMainScreen_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QList<int>>("lefts"); // half a pixel may be dropped or taken
    QTest::addColumn<int>("top");
    QTest::newRow("1024x768") << QSize(1024, 768) << QList<int>{243, 244} << 196;
    // Nothing keeps the window on a screen that is too small for it.
    QTest::newRow("smaller") << QSize(500, 300) << QList<int>{-18, -19} << -38;
}

void CentringTest::centredOnMainScreen() {
    QFETCH(QSize, screen);
    QFETCH(QList<int>, lefts);
    QFETCH(int, top);
    QCOMPARE(platform::mainScreenSize(), screen);

    platform::testing::resetQuit();
    platform::testing::DialogSeam seam;
    Delivery delivery;
    QVERIFY(delivery.addFolder(QStringLiteral("Scenery-Zusatzdateien")));
    ShowWatch shown;

    startUp(application(), editionSued);
    Fenster1* window = mainWindow();
    QVERIFY(window);

    QVERIFY(window->isVisible());
    QCOMPARE(shown.shows, 1);
    QCOMPARE(shown.positionWhenShown, window->pos());
    QVERIFY2(lefts.contains(window->x()), qPrintable(QString::number(window->x())));
    QCOMPARE(window->y(), top);
    QCOMPARE(window->geometry().topLeft(), window->pos()); // no frame margins on this screen
    deleteMainWindows();
}

VELMORA_TEST_MAIN(CentringTest)
#include "tst_centring.moc"
