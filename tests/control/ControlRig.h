#pragma once

#include "app/TForm1.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SentFrame.h"
#include "transmitter/HidDevice.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <memory>

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

    QStringList sent() const { return describe(decodeReports(fake)); }
    void forget()
    {
        fake.sent.clear();
        pauses.clear();
    }
};
