#include "tests/support/FakeHidBackend.h"
#include "transmitter/Frames.h"
#include "transmitter/HidDevice.h"
#include "transmitter/Transmitter.h"

#include <QSignalSpy>
#include <QTest>

#include <cerrno>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void frameBytes_data();
    void frameBytes();
    void reportLayout();
    void channelAddress_data();
    void channelAddress();
    void echoText_data();
    void echoText();
    void errorText_data();
    void errorText();
    void sendReachesDevice();
    void pacedSend_data();
    void pacedSend();
    void noTransmitterSkipsSilently();
    void failedSendShowsErrnoText();
    void oversizedReportIsNotSent();
};

void TestFrames::frameBytes_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<Bytes>("expected");   // bits, frame byte 1, frame byte 2

    QTest::newRow("standard toggle, adr 0, cmd 18") << false << true << 0 << 18 << Bytes{0x0E, 0xE0, 0x48};
    QTest::newRow("standard R+ toggle clear") << false << false << 0 << 18 << Bytes{0x0E, 0xC0, 0x48};
    QTest::newRow("standard adr 31 cmd 63") << false << false << 31 << 63 << Bytes{0x0E, 0xDF, 0xFC};
    QTest::newRow("standard command above 63 loses bits") << false << false << 0 << 64 + 5 << Bytes{0x0E, 0xC0, 0x14};
    QTest::newRow("standard address above 31 loses bits") << false << true << 32 + 3 << 1 << Bytes{0x0E, 0xE3, 0x04};
    QTest::newRow("16-bit adr 9 data 200") << true << false << 9 << 200 << Bytes{0x10, 0x89, 0xC8};
    QTest::newRow("16-bit adr 31 toggle data 0") << true << true << 31 << 0 << Bytes{0x10, 0xBF, 0x00};
    QTest::newRow("16-bit adr 31 no toggle") << true << false << 31 << 0 << Bytes{0x10, 0x9F, 0x00};
    QTest::newRow("16-bit data above 255 loses bits") << true << false << 0 << 256 + 7 << Bytes{0x10, 0x80, 0x07};
}

void TestFrames::frameBytes()
{
    QFETCH(bool, extended);
    QFETCH(bool, toggle);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(Bytes, expected);
    const frames::FrameBytes f =
        extended ? frames::extendedFrame(toggle, address, value) : frames::standardFrame(toggle, address, value);
    QCOMPARE((Bytes{f.bits, f.byte1, f.byte2}), expected);
}

void TestFrames::reportLayout()
{
    const frames::Report r = frames::report(frames::extendedFrame(true, 9, 200));
    QCOMPARE(r.size(), std::size_t(256));
    QCOMPARE((Bytes(r.begin(), r.begin() + 7)), (Bytes{0x00, 0x10, 0xA9, 0xC8, 0, 0, 0}));
    QVERIFY(std::all_of(r.begin() + 7, r.end(), [](std::uint8_t b) { return b == 0; }));
}

void TestFrames::channelAddress_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("address");
    QTest::newRow("alle, control") << 7 << 3 << 31;
    QTest::newRow("module 6, blue") << 6 << 2 << 26;
    QTest::newRow("module 0, red") << 0 << 0 << 0;
    QTest::newRow("alle, red") << 7 << 0 << 28;
    QTest::newRow("module 2, green") << 2 << 1 << 9;
}

void TestFrames::channelAddress()
{
    QFETCH(int, module);
    QFETCH(int, channel);
    QFETCH(int, address);
    QCOMPARE(frames::channelAddress(module, channel), address);
}

void TestFrames::echoText_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("standard") << false << true << 0 << 18 << QStringLiteral("RC5-Daten: 0E E0 48 ");
    QTest::newRow("16-bit") << true << false << 9 << 200 << QStringLiteral("RC5-Daten: 10 89 C8 ");
    QTest::newRow("leading zeros") << true << false << 0 << 10 << QStringLiteral("RC5-Daten: 10 80 0A ");
}

void TestFrames::echoText()
{
    QFETCH(bool, extended);
    QFETCH(bool, toggle);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(QString, text);
    const auto f =
        extended ? frames::extendedFrame(toggle, address, value) : frames::standardFrame(toggle, address, value);
    QCOMPARE(frames::echoText(frames::report(f)), text);
}

void TestFrames::errorText_data()
{
    QTest::addColumn<QString>("systemText");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("Permission denied") << 13
                           << QStringLiteral("SET FEATURE ERROR: Permission denied (D)");
    QTest::newRow("trailing full stop, blanks and line break")
        << QStringLiteral("Das Gerät ist nicht bereit. \r\n") << 0x15
        << QStringLiteral("SET FEATURE ERROR: Das Gerät ist nicht bereit (15)");
    QTest::newRow("code in upper-case hex") << QStringLiteral("x") << 0x1F << QStringLiteral("SET FEATURE ERROR: x (1F)");
}

void TestFrames::errorText()
{
    QFETCH(QString, systemText);
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(frames::featureErrorText(systemText, code), text);
}

namespace {
// A transmitter attached to one fake device; the pauses are recorded, not slept.
struct Rig {
    FakeHidBackend fake;
    QString id = fake.plugTransmitter();
    THidDevice device{fake, fake.enumerate().front()};
    Transmitter transmitter;
    QList<int> pauses;
    QStringList statuses;
    Rig()
    {
        transmitter.setDevice(&device);
        transmitter.setPause([this](int ms) { pauses << ms; });
        QObject::connect(&transmitter, &Transmitter::statusChanged, [this](const QString& s) { statuses << s; });
    }
};
} // namespace

void TestFrames::sendReachesDevice()
{
    Rig rig;
    rig.transmitter.SendStandardFrame(true, 0, 18);
    QCOMPARE(rig.fake.sent.size(), std::size_t(1));
    // The device's feature report length (7) is what is handed over, report id included.
    QCOMPARE(rig.fake.sent[0].bytes, (Bytes{0x00, 0x0E, 0xE0, 0x48, 0, 0, 0}));
    QCOMPARE(rig.statuses, QStringList{QStringLiteral("RC5-Daten: 0E E0 48 ")});
}

void TestFrames::pacedSend_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("delay");
    QTest::newRow("start values") << 2 << 0;
    QTest::newRow("once, still one pause") << 1 << 0;
    QTest::newRow("ten with 100 ms") << 10 << 100;
}

void TestFrames::pacedSend()
{
    QFETCH(int, count);
    QFETCH(int, delay);
    Rig rig;
    rig.transmitter.setRepeatCount(count);
    rig.transmitter.setRepeatDelayMs(delay);
    rig.transmitter.SendPaced16BitFrame(true, 31, 2);
    QCOMPARE(int(rig.fake.sent.size()), count);
    for (const auto& r : rig.fake.sent)
        QCOMPARE(r.bytes, (Bytes{0x00, 0x10, 0xBF, 0x02, 0, 0, 0}));   // every repetition keeps the toggle
    QCOMPARE(rig.pauses, QList<int>(count, delay));
}

void TestFrames::noTransmitterSkipsSilently()
{
    Transmitter transmitter;
    QList<int> pauses;
    transmitter.setPause([&](int ms) { pauses << ms; });
    QSignalSpy status(&transmitter, &Transmitter::statusChanged);
    transmitter.SendStandardFrame(false, 1, 2);
    transmitter.SendPaced16BitFrame(false, 1, 2);
    QCOMPARE(status.count(), 0);
    QCOMPARE(pauses, (QList<int>{0, 0}));   // paced loops still pause
}

void TestFrames::failedSendShowsErrnoText()
{
    Rig rig;
    rig.fake.setFailErrno(rig.id, EACCES);
    rig.transmitter.Send16BitFrame(false, 3, 144);
    QCOMPARE(rig.statuses, QStringList{QStringLiteral("SET FEATURE ERROR: Permission denied (D)")});
    QVERIFY(rig.fake.sent.empty());
}

void TestFrames::oversizedReportIsNotSent()
{
    FakeHidBackend fake;
    FakeHidBackend::Device d;
    d.featureLength = 300;   // longer than the 256-byte report buffer
    fake.plug(d);
    THidDevice device(fake, fake.enumerate().front());
    Transmitter transmitter;
    transmitter.setDevice(&device);
    QStringList statuses;
    QObject::connect(&transmitter, &Transmitter::statusChanged, [&](const QString& s) { statuses << s; });
    transmitter.SendStandardFrame(false, 0, 1);
    QVERIFY(fake.sent.empty());
    QCOMPARE(statuses.size(), 1);
    QVERIFY(statuses[0].startsWith(QStringLiteral("SET FEATURE ERROR: ")));
}

QTEST_GUILESS_MAIN(TestFrames)
#include "test_frames.moc"
