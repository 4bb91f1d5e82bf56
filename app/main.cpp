#include "app/QtPrompts.h"
#include "app/TForm1.h"
#include "sequence/TimeDialog.h"
#include "transmitter/HidapiBackend.h"
#include "transmitter/UdevWatcher.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(TForm1::ApplicationTitle);
    QApplication::setFont(TForm1::programFont());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tintaro.png")));

    QtPrompts prompts;
    HidapiBackend hid;
    UdevWatcher watcher(QStringLiteral("udev"));
    FormServices services;
    services.prompts = &prompts;
    services.hid = &hid;
    services.deviceWatcher = &watcher;
    TForm1 form(services);
    prompts.setParentWindow(&form);
    // The time dialog is built once and reused for every entry.
    TForm2 Form2(&form);
    prompts.setTimeEditor([&Form2](ClockTime& time) { return Form2.editTime(time); });

    if (QScreen* screen = form.screen()) {
        QRect frame = form.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        form.move(frame.topLeft());
    }
    form.show();
    return app.exec();
}
