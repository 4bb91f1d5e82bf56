#include "transmitter/Frames.h"

#include <cstring>

namespace frames {

FrameBytes standardFrame(bool toggle, int address, int command)
{
    const auto b1 = std::uint8_t(0xC0 | (toggle ? 0x20 : 0) | (address & 0x1F));
    const auto b2 = std::uint8_t((command & 0x3F) << 2);
    return {14, b1, b2};
}

FrameBytes extendedFrame(bool toggle, int address, int data)
{
    const auto b1 = std::uint8_t(0x80 | (toggle ? 0x20 : 0) | (address & 0x1F));
    return {16, b1, std::uint8_t(data & 0xFF)};
}

Report report(const FrameBytes& frame)
{
    Report r{};
    r[0] = 0;
    r[1] = frame.bits;
    r[2] = frame.byte1;
    r[3] = frame.byte2;
    return r;
}

int channelAddress(int moduleIndex, int channel)
{
    return (((moduleIndex & 0xFF) * 4) & 0xFF) | channel;
}

QString echoText(const Report& report)
{
    QString text = QStringLiteral("RC5-Daten: ");
    for (int i = 1; i <= 3; ++i)
        text += QStringLiteral("%1 ").arg(report[i], 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

QString featureErrorText(const QString& systemText, int errorCode)
{
    QString text = systemText;
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last == u' ' || last == u'\t' || last == u'\r' || last == u'\n' || last == u'.')
            text.chop(1);
        else
            break;
    }
    return QStringLiteral("SET FEATURE ERROR: %1 (%2)")
        .arg(text, QString::number(unsigned(errorCode), 16).toUpper());
}

QString featureErrorText(int errorCode)
{
    return featureErrorText(QString::fromLocal8Bit(std::strerror(errorCode)), errorCode);
}

} // namespace frames
