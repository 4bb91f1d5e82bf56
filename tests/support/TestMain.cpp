#include "tests/support/TestRegistry.h"

#ifdef TINTARO_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif
#include <QTest>

#include <cstring>

// Runs every registered test class in turn. "<program> <Class> [Qt Test options]" runs one class.
int main(int argc, char** argv)
{
    Application app(argc, argv);
    const char* only = nullptr;
    if (argc > 1 && argv[1][0] != '-') {
        only = argv[1];
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    int failed = 0;
    bool ran = false;
    for (const auto& make : testregistry::factories()) {
        const auto test = make();
        if (only && std::strcmp(test->metaObject()->className(), only) != 0)
            continue;
        ran = true;
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return ran ? failed : 1;
}
