#include "PixelHelpers.h"

#include <QApplication>
#include <QTest>

// One program for the display widgets; each area of them is its own test class.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& test : {MakeRasterCanvasTest(), MakeWaveScreenTest(), MakeWaveScreenMouseTest(), MakeRgbLedTest()}) {
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
