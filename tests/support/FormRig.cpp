#include "tests/support/FormRig.h"

#include <QComboBox>
#include <QTest>

FormRig::FormRig(FormRigOptions options)
{
    FormServices s;
    s.prompts = &prompts;
    if (options.discovery)
        s.hid = &hid;
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
    s.exitProcess = [this](int code) { exits << code; };
    form = std::make_unique<TForm1>(s);
    if (options.transmitter)
        attachTransmitter();
    if (options.show)
        show();
}

void FormRig::attachTransmitter()
{
    hid.plugTransmitter();
    device = std::make_unique<THidDevice>(hid, hid.enumerate().front());
    form->transmitter().setDevice(device.get());
}

void FormRig::show()
{
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qWarning("main window not exposed");
}

void FormRig::forget()
{
    hid.sent.clear();
    pauses.clear();
}

QStringList comboItems(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}
