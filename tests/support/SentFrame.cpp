#include "tests/support/SentFrame.h"

#include "tests/support/FakeHidBackend.h"

#include <QTest>

QString frameText(const SentFrame& frame)
{
    return QStringLiteral("%1 bits, toggle %2, address %3, data %4")
        .arg(frame.bits)
        .arg(int(frame.toggle))
        .arg(frame.address)
        .arg(frame.data);
}

QStringList describe(const QList<SentFrame>& frames)
{
    QStringList list;
    for (const SentFrame& f : frames)
        list << frameText(f);
    return list;
}

char* toString(const SentFrame& frame)
{
    return QTest::toString(frameText(frame));
}

QList<SentFrame> decodeReports(const FakeHidBackend& hid)
{
    QList<SentFrame> frames;
    for (const auto& r : hid.sent) {
        SentFrame f{false, 0, 0, 0};
        const auto& b = r.bytes;
        // Report id 0, bit count, two frame bytes, three zero bytes.
        const bool wellFormed = b.size() == 7 && b[0] == 0 && b[4] == 0 && b[5] == 0 && b[6] == 0;
        if (wellFormed && b[1] == 14 && (b[2] & 0xC0) == 0xC0 && (b[3] & 0x03) == 0)
            f = {(b[2] & 0x20) != 0, b[2] & 0x1F, b[3] >> 2, 14};
        else if (wellFormed && b[1] == 16 && (b[2] & 0xC0) == 0x80)
            f = {(b[2] & 0x20) != 0, b[2] & 0x1F, b[3], 16};
        frames << f;
    }
    return frames;
}

QList<SentFrame> extendedFrames(const FakeHidBackend& hid)
{
    const QList<SentFrame> frames = decodeReports(hid);
    for (const SentFrame& f : frames)
        if (f.bits != 16)
            qFatal("malformed report");
    return frames;
}
