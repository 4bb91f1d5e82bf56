#include "tests/support/TestRegistry.h"
#include "transmitter/ReportDescriptor.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

// A vendor-defined device with one feature report of six data bytes and no report ids.
const Bytes transmitterDescriptor{
    0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x06,        //   Report Count (6)
    0x09, 0x00,        //   Usage (0)
    0xB2, 0x02, 0x01,  //   Feature (Data, Var, Abs, Buffered Bytes)
    0xC0,              // End Collection
};

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class TestReportDescriptor : public QObject {
    Q_OBJECT
private slots:
    void featureReportByteLength_data();
    void featureReportByteLength();
    void bitsPerReportId();
    void everyTruncationIsSafe();
    void randomBytesAreSafe();
};

void TestReportDescriptor::featureReportByteLength_data()
{
    QTest::addColumn<Bytes>("descriptor");
    QTest::addColumn<int>("length");

    QTest::newRow("transmitter, no report ids") << transmitterDescriptor << 7;
    QTest::newRow("empty") << Bytes{} << 0;

    // A keyboard: input and output reports only.
    QTest::newRow("input and output only")
        << Bytes{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,                    // Generic Desktop, Keyboard
                 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
                 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,                    // 8 modifier bits
                 0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                    // reserved byte
                 0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05,
                 0x91, 0x02,                                            // LED output bits
                 0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                    // output padding
                 0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65,
                 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0}
        << 0;

    // Feature reports 1 (4 bytes) and 2 (10 bytes) beside a 64-byte input report 3.
    QTest::newRow("several feature reports with ids")
        << Bytes{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
                 0x85, 0x01, 0x95, 0x04, 0x09, 0x01, 0xB1, 0x02,
                 0x85, 0x02, 0x95, 0x0A, 0x09, 0x02, 0xB1, 0x02,
                 0x85, 0x03, 0x95, 0x40, 0x09, 0x03, 0x81, 0x02,
                 0x85, 0x03, 0x95, 0x40, 0x09, 0x03, 0x91, 0x02, 0xC0}
        << 11;

    // Report 1 gets two features of 16 bits around a Push/Pop that switches to report 2
    // (64 bits). Pop must bring back report id 1: otherwise report 2 would hold 128 bits.
    QTest::newRow("push and pop restore the report id")
        << Bytes{0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02,
                 0xA4,                                      // Push
                 0x85, 0x02, 0x75, 0x10, 0x95, 0x04, 0xB1, 0x02,
                 0xB4,                                      // Pop
                 0xB1, 0x02}
        << 9;

    // 3 data bits and 5 constant padding bits make one byte; 9 bits round up to 2 bytes.
    QTest::newRow("constant padding counts")
        << Bytes{0x75, 0x01, 0x95, 0x03, 0xB1, 0x02, 0x75, 0x05, 0x95, 0x01, 0xB1, 0x01} << 2;
    QTest::newRow("bits round up to bytes") << Bytes{0x75, 0x01, 0x95, 0x09, 0xB1, 0x02} << 3;
    QTest::newRow("two-byte report count")
        << Bytes{0x75, 0x08, 0x96, 0x00, 0x01, 0xB1, 0x02} << 257;
    QTest::newRow("long item skipped")
        << Bytes{0xFE, 0x03, 0x10, 0x75, 0x40, 0xB1} + transmitterDescriptor << 7;
    QTest::newRow("reserved item type skipped") << Bytes{0x0C, 0x3C, 0x00} + transmitterDescriptor << 7;

    QTest::newRow("truncated item data")
        << Bytes(transmitterDescriptor.begin(), transmitterDescriptor.begin() + 11) << 0;
    QTest::newRow("truncated after feature prefix")
        << Bytes(transmitterDescriptor.begin(), transmitterDescriptor.begin() + 20) << 0;
    QTest::newRow("truncated long item") << transmitterDescriptor + Bytes{0xFE, 0x05, 0x10, 0x01} << 0;
    QTest::newRow("long item header only") << transmitterDescriptor + Bytes{0xFE, 0x05} << 0;
    QTest::newRow("pop without push") << transmitterDescriptor + Bytes{0xB4} << 0;
    QTest::newRow("report id 0") << Bytes{0x85, 0x00} + transmitterDescriptor << 0;
    QTest::newRow("absurd report size")
        << Bytes{0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02} << 0;
    QTest::newRow("garbage") << Bytes{0xFF, 0x13, 0x37, 0x00, 0xB3} << 0;
}

void TestReportDescriptor::featureReportByteLength()
{
    QFETCH(Bytes, descriptor);
    QFETCH(int, length);
    QCOMPARE(ReportDescriptor::featureReportByteLength(descriptor), length);
}

void TestReportDescriptor::bitsPerReportId()
{
    const Bytes descriptor{0x75, 0x08, 0x95, 0x02, 0xB1, 0x02,  // before any id: report 0
                           0x85, 0x05, 0x75, 0x04, 0x95, 0x03, 0xB1, 0x02, 0xB1, 0x03};
    const auto bits = ReportDescriptor::featureBits(descriptor);
    QVERIFY(bits.has_value());
    const std::map<std::uint8_t, std::uint64_t> expected{{0, 16}, {5, 24}};
    QVERIFY(*bits == expected);
    QVERIFY(!ReportDescriptor::featureBits(Bytes{0x75}).has_value());
}

void TestReportDescriptor::everyTruncationIsSafe()
{
    // Each prefix of a valid descriptor either parses or is rejected, never read past.
    const Bytes full = transmitterDescriptor + Bytes{0xFE, 0x02, 0x10, 0xAA, 0xBB, 0xA4, 0xB4};
    for (std::size_t n = 0; n <= full.size(); ++n) {
        const Bytes part(full.begin(), full.begin() + std::ptrdiff_t(n));
        const std::vector<std::uint8_t> heap(part);  // exact-size allocation for the sanitizer
        const int length = ReportDescriptor::featureReportByteLength(heap);
        QVERIFY2(length == 0 || length == 7, qPrintable(QString::number(n)));
    }
    QCOMPARE(ReportDescriptor::featureReportByteLength(full), 7);
}

void TestReportDescriptor::randomBytesAreSafe()
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes(random.bounded(1, 64));
        for (auto& b : bytes)
            b = std::uint8_t(random.bounded(256));
        const int length = ReportDescriptor::featureReportByteLength(bytes);
        QVERIFY(length >= 0 && length <= (1 << 21) + 1);
    }
}

TINTARO_REGISTER_TEST(TestReportDescriptor);
#include "tst_reportdescriptor.moc"
