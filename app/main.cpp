#include "app/TForm1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TForm1 form;
    form.show();
    return app.exec();
}
