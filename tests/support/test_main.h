#pragma once

#include "app/global.h"

#include <QTest>

// Like QTEST_MAIN, but with the program's own application class, so that tests can run the
// real start-up. Tests drive real dialogs, so the desktop's native ones are kept out.
#define VELMORA_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);                               \
        Global app(argc, argv);                                                                    \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
