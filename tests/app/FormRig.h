#pragma once

#include "app/TForm1.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/ScriptedPrompts.h"

#include <QComboBox>
#include <QTest>

#include <memory>

// The whole main window with scripted prompts, a fake HID layer and no real pauses or exit.
struct FormRig {
    ScriptedPrompts prompts;
    FakeHidBackend hid;
    std::unique_ptr<TForm1> form;

    explicit FormRig(bool withHid = false)
    {
        FormServices s;
        s.prompts = &prompts;
        if (withHid)
            s.hid = &hid;
        s.pause = [](int) {};
        s.exitProcess = [](int) {};
        form = std::make_unique<TForm1>(s);
    }

    template <typename T>
    T* find(const char* name) const
    {
        T* child = form->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
};

inline QStringList comboItems(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}
