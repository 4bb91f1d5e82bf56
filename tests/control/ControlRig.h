#pragma once

#include "app/TForm1.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/ScriptedPrompts.h"
#include "transmitter/HidDevice.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <memory>

// A report as the transmitter received it, decoded back into the frame's fields.
struct SentFrame {
    int bits = 0;        // 14 standard, 16 extended
    bool toggle = false;
    int address = 0;
    int data = 0;        // the command of a standard frame
    bool operator==(const SentFrame&) const = default;
};

inline QString frameText(const SentFrame& f)
{
    return QStringLiteral("%1 bits, toggle %2, address %3, data %4")
        .arg(f.bits)
        .arg(int(f.toggle))
        .arg(f.address)
        .arg(f.data);
}

inline QStringList describe(const QList<SentFrame>& frames)
{
    QStringList list;
    for (const SentFrame& f : frames)
        list << frameText(f);
    return list;
}

// Decodes every recorded report; a report that is no well-formed frame decodes to bits 0.
inline QList<SentFrame> decode(const FakeHidBackend& fake)
{
    QList<SentFrame> frames;
    for (const auto& r : fake.sent) {
        SentFrame f;
        const auto& b = r.bytes;
        const bool wellFormed = b.size() == 7 && b[0] == 0 && b[4] == 0 && b[5] == 0 && b[6] == 0;
        if (wellFormed && b[1] == 14 && (b[2] & 0xC0) == 0xC0 && (b[3] & 0x03) == 0)
            f = {14, (b[2] & 0x20) != 0, b[2] & 0x1F, b[3] >> 2};
        else if (wellFormed && b[1] == 16 && (b[2] & 0xC0) == 0x80)
            f = {16, (b[2] & 0x20) != 0, b[2] & 0x1F, b[3]};
        frames << f;
    }
    return frames;
}

// The same 16-bit frame `times` times, as a paced send leaves it.
inline QList<SentFrame> repeated(SentFrame f, int times)
{
    QList<SentFrame> list;
    for (int i = 0; i < times; ++i)
        list << f;
    return list;
}

// The whole main window over the fake HID layer: the transmitter plugged in and taken
// as TransmitterDevice (unless `connected` is false), pauses recorded instead of slept.
struct WindowRig {
    FakeHidBackend fake;
    ScriptedPrompts prompts;
    QList<int> pauses;
    std::unique_ptr<THidDevice> device;
    std::unique_ptr<TForm1> form;

    explicit WindowRig(bool connected = true)
    {
        fake.plugTransmitter();
        device = std::make_unique<THidDevice>(fake, fake.enumerate().front());
        FormServices services;
        services.prompts = &prompts;
        services.pause = [this](int ms) { pauses << ms; };
        form = std::make_unique<TForm1>(services);
        if (connected)
            form->transmitter().setDevice(device.get());
    }

    template <typename T>
    T* find(const char* name) const
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QStringList sent() const { return describe(decode(fake)); }
    void forget()
    {
        fake.sent.clear();
        pauses.clear();
    }
};
