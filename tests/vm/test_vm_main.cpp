// The program run inside the VM: the HID stack on its own, then the main window over it.
#include <QApplication>

int runHidStackTests(int argc, char** argv);
int runWindowTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int stack = runHidStackTests(argc, argv);
    const int window = runWindowTests(argc, argv);
    return stack != 0 || window != 0 ? 1 : 0;
}
