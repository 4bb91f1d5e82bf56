#include "tests/control/TestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstring>

// Runs every test class in turn. "tst_control <Class> [Qt Test options]" runs one class.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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
