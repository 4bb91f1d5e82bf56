// The module command set: configuration procedures, mode and reset, sequence upload.
#include "protocol/ConfigProcedures.h"
#include "protocol/ModeCommands.h"
#include "protocol/Upload.h"
#include "tests/protocol/UploadStream.h"

#include <QTest>

#include <numeric>

using namespace protocol;

using Frames = std::vector<ChannelFrame>;
Q_DECLARE_METATYPE(Frames)
Q_DECLARE_METATYPE(protocol::ProcedureButton)
Q_DECLARE_METATYPE(protocol::ValueRule)

namespace QTest {
template <>
char* toString(const ChannelFrame& f)
{
    return qstrdup(QByteArray("(" + QByteArray::number(int(f.toggle)) + ", " + QByteArray::number(f.channel) +
                              ", " + QByteArray::number(f.data) + ")")
                       .constData());
}
} // namespace QTest

namespace {
ChannelFrame F(int toggle, int channel, int data)
{
    return {toggle != 0, channel, data};
}

template <typename C>
Frames list(const C& c)
{
    return Frames(c.begin(), c.end());
}

// The worked example: one red step at 0, the end mark in every other step.
UploadInputs example()
{
    UploadInputs in;
    in.maxSteps = 37;
    in.count = 1;
    in.speed = 10;
    in.tsEnd = 100;
    in.steps.assign(37, UploadStep{65536, 0, 0, 0});
    in.steps[0] = {0, 255, 0, 0};
    return in;
}
} // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void procedureFrames_data();
    void procedureFrames();
    void procedureTableShape();
    void valueRules_data();
    void valueRules();

    void modeCommands_data();
    void modeCommands();
    void resetPair();

    void speedCode_data();
    void speedCode();
    void workedExampleBytes();
    void workedExampleFrames();
    void encoderMatchesWholeStream();
    void percentages_data();
    void percentages();
    void stepBytes_data();
    void stepBytes();
    void shortVariant();
    void slotByte_data();
    void slotByte();
    void captions_data();
    void captions();
    void commitFrames();
};

void TestProtocol::procedureFrames_data()
{
    QTest::addColumn<int>("procedure");
    QTest::addColumn<ProcedureButton>("button");
    QTest::addColumn<int>("value");
    QTest::addColumn<Frames>("expected");

    using B = ProcedureButton;
    QTest::newRow("osc step 1") << int(ProcedureOscillator) << B::Step1 << 0 << Frames{F(1, 3, 2)};
    QTest::newRow("osc up") << int(ProcedureOscillator) << B::FrequencyUp << 77 << Frames{F(1, 0, 0)};
    QTest::newRow("osc down") << int(ProcedureOscillator) << B::FrequencyDown << 77 << Frames{F(1, 0, 1)};
    QTest::newRow("osc transfer 146") << int(ProcedureOscillator) << B::Transfer << 146 << Frames{F(1, 1, 146)};
    QTest::newRow("osc store") << int(ProcedureOscillator) << B::Store << 146
                               << Frames{F(1, 2, 0), F(0, 2, 0)};
    QTest::newRow("osc cancel") << int(ProcedureOscillator) << B::Cancel << 0 << Frames{F(1, 2, 1)};

    QTest::newRow("adr step 1") << int(ProcedureAddress) << B::Step1 << 0 << Frames{F(1, 3, 3)};
    QTest::newRow("adr transfer 4") << int(ProcedureAddress) << B::Transfer << 4 << Frames{F(1, 0, 4)};
    QTest::newRow("adr store") << int(ProcedureAddress) << B::Store << 4 << Frames{F(1, 1, 0), F(0, 1, 0)};
    QTest::newRow("adr cancel") << int(ProcedureAddress) << B::Cancel << 0 << Frames{F(1, 2, 0)};
    QTest::newRow("adr has no up") << int(ProcedureAddress) << B::FrequencyUp << 0 << Frames{};

    QTest::newRow("hell step 1") << int(ProcedureBrightness) << B::Step1 << 0 << Frames{F(1, 3, 4)};
    QTest::newRow("hell transfer 100%") << int(ProcedureBrightness) << B::Transfer << 100 << Frames{F(1, 0, 0)};
    QTest::newRow("hell transfer 50%") << int(ProcedureBrightness) << B::Transfer << 50 << Frames{F(1, 0, 128)};
    QTest::newRow("hell store") << int(ProcedureBrightness) << B::Store << 0 << Frames{F(1, 1, 0), F(0, 1, 0)};
    QTest::newRow("hell cancel") << int(ProcedureBrightness) << B::Cancel << 0 << Frames{F(1, 2, 0)};

    QTest::newRow("pin step 1") << int(ProcedurePin) << B::Step1 << 0 << Frames{F(1, 3, 5)};
    QTest::newRow("pin transfer slave sync") << int(ProcedurePin) << B::Transfer << 5 << Frames{F(1, 0, 5)};
    QTest::newRow("pin transfer none selected") << int(ProcedurePin) << B::Transfer << -1
                                                << Frames{F(1, 0, 255)};
    QTest::newRow("pin store") << int(ProcedurePin) << B::Store << 0 << Frames{F(1, 1, 0), F(0, 1, 0)};
    QTest::newRow("pin cancel") << int(ProcedurePin) << B::Cancel << 0 << Frames{F(1, 2, 0)};
}

void TestProtocol::procedureFrames()
{
    QFETCH(int, procedure);
    QFETCH(ProcedureButton, button);
    QFETCH(int, value);
    QFETCH(Frames, expected);
    const ProcedureCommands& commands = procedures()[std::size_t(procedure)];
    QCOMPARE(protocol::procedureFrames(commands, button, value), expected);
    // Repeated clicks send identical frames.
    QCOMPARE(protocol::procedureFrames(commands, button, value), expected);
}

void TestProtocol::procedureTableShape()
{
    const auto& p = procedures();
    const int modes[] = {2, 3, 4, 5};
    for (std::size_t i = 0; i < p.size(); ++i) {
        QCOMPARE(p[i].modeNumber, modes[i]);
        QCOMPARE(p[i].step1.count, 1);
        QCOMPARE(p[i].transfer.count, 1);
        QVERIFY(p[i].transfer.frames[0].dataIsValue);
        QCOMPARE(p[i].store.count, 2);
        QCOMPARE(p[i].cancel.count, 1);
        QCOMPARE(p[i].hasFrequencyButtons, i == ProcedureOscillator);
        QCOMPARE(p[i].frequencyUp.count, p[i].hasFrequencyButtons ? 1 : 0);
        QCOMPARE(p[i].selectsAddress, i == ProcedureAddress);
    }
    QCOMPARE(p[ProcedureOscillator].rule, ValueRule::Osccal);
    QCOMPARE(p[ProcedureAddress].rule, ValueRule::Address);
    QCOMPARE(p[ProcedureBrightness].rule, ValueRule::Brightness);
    QCOMPARE(p[ProcedurePin].rule, ValueRule::PinPosition);
}

void TestProtocol::valueRules_data()
{
    QTest::addColumn<ValueRule>("rule");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("data");
    QTest::newRow("osccal 0") << ValueRule::Osccal << 0 << 0;
    QTest::newRow("osccal 255") << ValueRule::Osccal << 255 << 255;
    QTest::newRow("osccal 300 low bits") << ValueRule::Osccal << 300 << 44;
    QTest::newRow("address 6") << ValueRule::Address << 6 << 6;
    QTest::newRow("brightness 1%") << ValueRule::Brightness << 1 << 2;
    QTest::newRow("brightness 50%") << ValueRule::Brightness << 50 << 128;
    QTest::newRow("brightness 99%") << ValueRule::Brightness << 99 << 253;
    QTest::newRow("brightness 100% wraps to 0") << ValueRule::Brightness << 100 << 0;
    QTest::newRow("pin 0") << ValueRule::PinPosition << 0 << 0;
    QTest::newRow("pin none") << ValueRule::PinPosition << -1 << 255;
}

void TestProtocol::valueRules()
{
    QFETCH(ValueRule, rule);
    QFETCH(int, value);
    QFETCH(int, data);
    QCOMPARE(procedureValueData(rule, value), data);
}

void TestProtocol::modeCommands_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("data");
    QTest::newRow("fixed colour") << 0 << 128;
    QTest::newRow("Sequenz 1") << 1 << 129;
    QTest::newRow("Sequenz 3") << 3 << 131;
    QTest::newRow("Sequenz 5") << 5 << 133;
    QTest::newRow("Sequenz 9") << 9 << 137;
}

void TestProtocol::modeCommands()
{
    QFETCH(int, mode);
    QFETCH(int, data);
    QCOMPARE(setModeData(mode), data);
    QCOMPARE(setModeFrame(mode, false), F(0, 3, data));
    QCOMPARE(setModeFrame(mode, true), F(1, 3, data));
    QCOMPARE(storeModeFrame(true), F(1, 3, 144));
}

void TestProtocol::resetPair()
{
    QCOMPARE(list(resetFrames()), (Frames{F(1, 3, 128), F(0, 3, 0)}));
}

void TestProtocol::speedCode_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("code");
    QTest::newRow("2") << 2 << 1;
    QTest::newRow("10") << 10 << 5;
    QTest::newRow("11") << 11 << 6;
    QTest::newRow("510") << 510 << 255;
}

void TestProtocol::speedCode()
{
    QFETCH(int, speed);
    QFETCH(int, code);
    QCOMPARE(protocol::speedCode(speed), code);
    QCOMPARE(int(headerBytes(1, speed, 0)[1]), code);
}

void TestProtocol::workedExampleBytes()
{
    const auto bytes = uploadDataBytes(example());
    std::vector<std::uint8_t> expected = {1, 5, 100, 0, 0, 0, 255, 0, 0};
    expected.resize(9 + 36 * 5, 0);
    expected.push_back(0);  // repeat
    expected.push_back(0);  // slot byte
    QCOMPARE(bytes.size(), std::size_t(191));
    QCOMPARE(bytes, expected);
    QCOMPARE(int(checksum(bytes)), 105);
    QCOMPARE(QString::fromStdString(checksumCaption(checksum(bytes))), QStringLiteral("Übertragen (CRC=0x69)"));
}

void TestProtocol::workedExampleFrames()
{
    const UploadInputs in = example();
    const Frames frames = uploadFrames(in);
    QCOMPARE(int(frames.size()), 194);
    QCOMPARE(uploadFrameCount(37), 194);
    QCOMPARE(progressSteps(37), 194);

    // With ModuleIndex 7 ("alle") the addresses are 28 + channel.
    const int base = 7 * 4;
    QCOMPARE(frames[0], F(0, 3, 1));
    QCOMPARE(base + frames[0].channel, 31);
    QCOMPARE(frames[1], F(1, 2, 0));
    QCOMPARE(base + frames[1].channel, 30);
    const auto bytes = uploadDataBytes(in);
    for (int k = 0; k < 191; ++k) {
        const ChannelFrame& f = frames[std::size_t(2 + k)];
        QCOMPARE(f, F(k % 2, 0, bytes[std::size_t(k)]));
        QCOMPARE(base + f.channel, 28);
    }
    QCOMPARE(frames.back(), F(1, 1, 105));
    QCOMPARE(base + frames.back().channel, 29);
}

void TestProtocol::encoderMatchesWholeStream()
{
    UploadInputs in = example();
    in.steps[3] = {300, 17, 200, 99};
    in.percent = {80, 33, 100};
    in.repeat = 3;
    in.slotIndex = 2;
    in.followIndex = 4;
    UploadEncoder e(in.maxSteps);
    Frames got = list(openingFrames());
    const auto append = [&](const auto& c) { got.insert(got.end(), c.begin(), c.end()); };
    append(e.header(in.count, in.speed, in.tsEnd));
    for (int i = 0; i < in.maxSteps; ++i)
        append(e.step(in.steps[std::size_t(i)], in.percent));
    append(e.trailer(in.repeat, in.slotIndex, in.followIndex));
    QCOMPARE(e.position(), dataByteCount(in.maxSteps));
    QCOMPARE(e.checksumFrame(), checksumFrame(in.maxSteps, e.checksum()));
    got.push_back(e.checksumFrame());
    QCOMPARE(got, uploadFrames(in));
    QCOMPARE(e.checksum(), checksum(uploadDataBytes(in)));
}

void TestProtocol::percentages_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("byte");
    QTest::newRow("255 at 50%") << 255 << 50 << 127;
    QTest::newRow("255 at 100%") << 255 << 100 << 255;
    QTest::newRow("255 at 0%") << 255 << 0 << 0;
    QTest::newRow("200 at 33%") << 200 << 33 << 66;
    QTest::newRow("1 at 99%") << 1 << 99 << 0;
}

void TestProtocol::percentages()
{
    QFETCH(int, level);
    QFETCH(int, percent);
    QFETCH(int, byte);
    QCOMPARE(int(scaledLevel(level, percent)), byte);
    const auto b = protocol::stepBytes({0, level, level, level}, {percent, 100, 0});
    QCOMPARE(int(b[2]), byte);
    QCOMPARE(int(b[3]), level);
    QCOMPARE(int(b[4]), 0);  // still sent at 0 %
}

void TestProtocol::stepBytes_data()
{
    QTest::addColumn<int>("time");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("300") << 300 << 44 << 1;
    QTest::newRow("end mark") << 65536 << 0 << 0;
    QTest::newRow("65535") << 65535 << 255 << 255;
    QTest::newRow("0") << 0 << 0 << 0;
}

void TestProtocol::stepBytes()
{
    QFETCH(int, time);
    QFETCH(int, low);
    QFETCH(int, high);
    const auto b = protocol::stepBytes({time, 0, 0, 0}, {});
    QCOMPARE(int(b[0]), low);
    QCOMPARE(int(b[1]), high);
    // TS_End goes out the same way.
    if (time <= 65535) {
        const auto h = headerBytes(1, 10, time);
        QCOMPARE(int(h[2]), low);
        QCOMPARE(int(h[3]), high);
    }
}

void TestProtocol::shortVariant()
{
    UploadInputs in = example();
    in.maxSteps = 33;
    in.repeat = 7;
    in.slotIndex = 8;
    in.followIndex = 2;
    const auto bytes = uploadDataBytes(in);
    QCOMPARE(bytes.size(), std::size_t(171));
    QCOMPARE(int(bytes[169]), 7);
    QCOMPARE(int(bytes[170]), 40);
    const Frames frames = uploadFrames(in);
    QCOMPARE(int(frames.size()), 174);
    QCOMPARE(uploadFrameCount(33), 174);
    QCOMPARE(progressSteps(33), 174);
    QCOMPARE(frames[2 + 169], F(1, 0, 7));
    QCOMPARE(frames[2 + 170], F(0, 0, 40));
    const std::uint8_t sum = std::accumulate(bytes.begin(), bytes.end(), std::uint8_t(0),
                                             [](std::uint8_t a, std::uint8_t b) { return std::uint8_t(a + b); });
    QCOMPARE(frames.back(), F(1, 1, sum));
}

void TestProtocol::slotByte_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("follow");
    QTest::addColumn<int>("byte");
    QTest::newRow("Sequenz 1, keine") << 0 << 0 << 0;
    QTest::newRow("Sequenz 9, Sequenz 1") << 8 << 2 << 40;
    QTest::newRow("Sequenz 2, Feste Farbe") << 1 << 1 << 17;
    QTest::newRow("Sequenz 9, Sequenz 9") << 8 << 10 << 168;
}

void TestProtocol::slotByte()
{
    QFETCH(int, slot);
    QFETCH(int, follow);
    QFETCH(int, byte);
    QCOMPARE(int(protocol::slotByte(slot, follow)), byte);
    QCOMPARE(int(trailerBytes(300, slot, follow)[1]), byte);
    QCOMPARE(int(trailerBytes(300, slot, follow)[0]), 44);  // repeat, low 8 bits
}

void TestProtocol::captions_data()
{
    QTest::addColumn<int>("sum");
    QTest::addColumn<QString>("caption");
    QTest::newRow("105") << 105 << QStringLiteral("Übertragen (CRC=0x69)");
    QTest::newRow("10") << 10 << QStringLiteral("Übertragen (CRC=0x0A)");
    QTest::newRow("0") << 0 << QStringLiteral("Übertragen (CRC=0x00)");
    QTest::newRow("255") << 255 << QStringLiteral("Übertragen (CRC=0xFF)");
}

void TestProtocol::captions()
{
    QFETCH(int, sum);
    QFETCH(QString, caption);
    QCOMPARE(QString::fromStdString(checksumCaption(std::uint8_t(sum))), caption);
    QCOMPARE(QString::fromStdString(pendingChecksumCaption()), QStringLiteral("Übertragen (CRC=0x__)"));
}

void TestProtocol::commitFrames()
{
    QCOMPARE(list(openingFrames()), (Frames{F(0, 3, 1), F(1, 2, 0)}));
    QCOMPARE(list(storeFrames()), (Frames{F(0, 2, 1), F(1, 2, 1)}));
    QCOMPARE(list(playFrames()), (Frames{F(0, 2, 2)}));
    QCOMPARE(list(abandonFrames()), (Frames{F(1, 3, 128), F(0, 3, 0)}));
    QCOMPARE(dataFrame(0, 9), F(0, 0, 9));
    QCOMPARE(dataFrame(1, 9), F(1, 0, 9));
    QCOMPARE(checksumFrame(37, 105), F(1, 1, 105));
    QCOMPARE(checksumFrame(33, 7), F(1, 1, 7));
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "TestProtocol.moc"
