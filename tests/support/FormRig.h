#pragma once

// The whole main window as the tests drive it: scripted prompts, the fake HID layer, pauses
// of paced sends and event pumps of uploads recorded instead of run, "Beenden" recorded
// instead of ending the process.
#include "app/TForm1.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SentFrame.h"
#include "transmitter/HidDevice.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QComboBox;

struct FormRigOptions {
    bool transmitter = false;  // the fake transmitter plugged in and taken as the window's device
    bool discovery = false;    // the fake is the window's HID layer: it finds what the test plugs in
    bool show = false;         // shown, and exposed before the test goes on
};

struct FormRig {
    ScriptedPrompts prompts;
    FakeHidBackend hid;
    std::unique_ptr<THidDevice> device;
    QList<int> pauses;  // every pause of a paced send in ms; none is slept
    QList<int> exits;   // the exit codes asked for; the process goes on
    int pumps = 0;      // event pumps of uploads; they let no Qt events through
    // Runs inside every event pump of an upload, with the pump's number (1, 2, ...).
    std::function<void(int)> onPump;
    // Runs inside every pause of a paced send.
    std::function<void()> onPause;
    std::unique_ptr<TForm1> form;

    explicit FormRig(FormRigOptions options = {});
    // The window's services point into the rig: it stays where it is built.
    FormRig(const FormRig&) = delete;
    FormRig& operator=(const FormRig&) = delete;

    // Plugs the fake transmitter in and makes it the window's device.
    void attachTransmitter();
    // Shows the window and waits until it is exposed.
    void show();

    // The control named `name`; the test ends when there is none.
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
    // Every report sent so far as text (see frameText), malformed ones included.
    QStringList sent() const { return describe(decodeReports(hid)); }
    // Forgets the reports and pauses so far.
    void forget();
};

QStringList comboItems(const QComboBox* list);
