#pragma once

// The whole main window with scripted prompts, recorded pauses and event pumps, and the fake
// transmitter attached: what the check and upload tests drive.
#include "app/TForm1.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SentFrame.h"
#include "transmitter/HidDevice.h"

#include <QList>
#include <QTest>

#include <functional>
#include <memory>

struct FormRig {
    ScriptedPrompts prompts;
    FakeHidBackend hid;
    std::unique_ptr<THidDevice> device;
    QList<int> pauses;
    int pumps = 0;
    // Runs inside every event pump of the upload, with the pump's number (1, 2, ...).
    std::function<void(int)> onPump;
    // Runs inside every pause of a paced send.
    std::function<void()> onPause;
    std::unique_ptr<TForm1> form;

    explicit FormRig(bool withTransmitter = true)
    {
        FormServices s;
        s.prompts = &prompts;
        s.pause = [this](int ms) {
            pauses << ms;
            if (onPause)
                onPause();
        };
        s.processEvents = [this] {
            ++pumps;
            if (onPump)
                onPump(pumps);
        };
        s.exitProcess = [](int) {};
        form = std::make_unique<TForm1>(s);
        if (withTransmitter) {
            hid.plugTransmitter();
            device = std::make_unique<THidDevice>(hid, hid.enumerate().front());
            form->transmitter().setDevice(device.get());
        }
    }

    template <typename T>
    T* find(const char* name) const
    {
        T* child = form->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    // Every report sent so far, decoded; each must be a well-formed 16-bit frame report.
    QList<SentFrame> reports() const { return extendedFrames(hid); }

    // The frames sent, each standing for `repeat` identical reports in a row (false when
    // the reports do not come in such runs).
    bool frames(QList<SentFrame>& out, int repeat = 2) const
    {
        const QList<SentFrame> all = reports();
        out.clear();
        if (all.size() % repeat != 0)
            return false;
        for (qsizetype i = 0; i < all.size(); i += repeat) {
            for (int k = 1; k < repeat; ++k)
                if (!(all[i + k] == all[i]))
                    return false;
            out << all[i];
        }
        return true;
    }
};
