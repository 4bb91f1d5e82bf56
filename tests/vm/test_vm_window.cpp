// Runs inside the VM after the HID stack tests: the main window, offscreen, over the real
// hidapi backend and the kernel's udev events, driven through its controls like a user.
// The slots form one scenario and run in the order written.
#include "HexReports.h"
#include "VirtualTransmitter.h"

#include "app/TForm1.h"
#include "tests/support/ScriptedPrompts.h"
#include "transmitter/HidapiBackend.h"
#include "transmitter/UdevWatcher.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <cerrno>
#include <memory>

using Bytes = VirtualTransmitter::Bytes;
using Reports = std::vector<Bytes>;

namespace {

constexpr int EventTimeoutMs = 10000;
const QString NoTransmitter = QStringLiteral("USB-Gerätename: ");
const QString Taken = QStringLiteral("USB-Gerätename: RU5-Dadezuviriz");

Bytes frame16(std::uint8_t byte1, std::uint8_t byte2)
{
    return {0x00, 0x10, byte1, byte2, 0x00, 0x00, 0x00, 0x00};
}

} // namespace

class TestVmWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startsWithoutTransmitter();
    void takesTheTransmitter();
    void sendRc5ArrivesByteForByte();
    void sixteenBitFrameArrivesByteForByte();
    void resetIsPacedByRepeatCount();
    void refusedReportShowsInErrorEdit();
    void unplugAndReplug();
    void cleanupTestCase();

private:
    template <typename T>
    T* control(const char* name)
    {
        T* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("control %s missing", name);
        return found;
    }
    void click(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    std::unique_ptr<HidapiBackend> m_backend;
    std::unique_ptr<UdevWatcher> m_watcher;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_form;
    std::vector<int> m_pauses;
    VirtualTransmitter m_device;
    QLabel* m_label = nullptr;
    QLineEdit* m_errorEdit = nullptr;
};

void TestVmWindow::initTestCase()
{
    m_backend = std::make_unique<HidapiBackend>();
    m_watcher = std::make_unique<UdevWatcher>(QStringLiteral("kernel"));
    QVERIFY(m_watcher->monitoring());
    FormServices services;
    services.prompts = &m_prompts;
    services.hid = m_backend.get();
    services.deviceWatcher = m_watcher.get();
    services.pause = [this](int ms) { m_pauses.push_back(ms); };
    m_form = std::make_unique<TForm1>(services);
    m_label = control<QLabel>("Geraet_Label");
    m_errorEdit = control<QLineEdit>("Error_Edit");
    m_form->show();
}

void TestVmWindow::startsWithoutTransmitter()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_label->text(), NoTransmitter, EventTimeoutMs);
    click("RC5_Button");
    QCOMPARE(m_errorEdit->text(), QString());
}

void TestVmWindow::takesTheTransmitter()
{
    QCOMPARE(QString::fromStdString(m_device.create()), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_label->text(), Taken, EventTimeoutMs);
}

void TestVmWindow::sendRc5ArrivesByteForByte()
{
    control<QSpinBox>("ADR_CSpinEdit")->setValue(5);
    control<QSpinBox>("CMD_CSpinEdit")->setValue(12);
    auto* toggle = control<QCheckBox>("Toggle_CheckBox");
    toggle->setChecked(false);
    m_device.clearReceived();

    click("RC5_Button");
    click("RC5_Button");
    QCOMPARE(hexOf(m_device.received()),
             hexOf({{0x00, 0x0E, 0xC5, 0x30, 0x00, 0x00, 0x00, 0x00},
                    {0x00, 0x0E, 0xE5, 0x30, 0x00, 0x00, 0x00, 0x00}}));
    QCOMPARE(m_errorEdit->text(), QStringLiteral("RC5-Daten: 0E E5 30 "));
    QVERIFY(!toggle->isChecked());
}

void TestVmWindow::sixteenBitFrameArrivesByteForByte()
{
    // Module "alle" (28) OR-ed with channel 2.
    control<QSpinBox>("E_ADR_CSpinEdit")->setValue(2);
    control<QSpinBox>("E_DAT_CSpinEdit")->setValue(200);
    control<QCheckBox>("E_Toggle_CheckBox")->setChecked(false);
    m_device.clearReceived();

    click("BT_RC5_16B_senden");
    QCOMPARE(hexOf(m_device.received()), hexOf({frame16(0x9E, 0xC8)}));
    QCOMPARE(m_errorEdit->text(), QStringLiteral("RC5-Daten: 10 9E C8 "));
}

void TestVmWindow::resetIsPacedByRepeatCount()
{
    control<QSpinBox>("CSE_Repeat")->setValue(3);
    control<QSpinBox>("CSE_Delay")->setValue(4);
    m_device.clearReceived();
    m_pauses.clear();

    click("BB_Reset");
    const Bytes first = frame16(0xBF, 0x80);   // (1, 3, 128) to "alle"
    const Bytes second = frame16(0x9F, 0x00);  // (0, 3, 0)
    QCOMPARE(hexOf(m_device.received()), hexOf({first, first, first, second, second, second}));
    QCOMPARE(m_pauses, (std::vector<int>{4, 4, 4, 4, 4, 4}));
    QCOMPARE(m_errorEdit->text(), QStringLiteral("RC5-Daten: 10 9F 00 "));

    control<QSpinBox>("CSE_Repeat")->setValue(2);
    control<QSpinBox>("CSE_Delay")->setValue(0);
}

void TestVmWindow::refusedReportShowsInErrorEdit()
{
    m_device.setReplyError(EPROTO);
    click("RC5_Button");
    m_device.setReplyError(0);
    QCOMPARE(m_errorEdit->text(), QStringLiteral("SET FEATURE ERROR: Input/output error (5)"));
}

void TestVmWindow::unplugAndReplug()
{
    // Clicked before the event loop has delivered the removal: the kernel refuses.
    m_device.destroy();
    control<QPushButton>("RC5_Button")->click();
    QCOMPARE(m_errorEdit->text(), QStringLiteral("SET FEATURE ERROR: No such device (13)"));

    QTRY_COMPARE_WITH_TIMEOUT(m_label->text(), NoTransmitter, EventTimeoutMs);
    m_errorEdit->setText(QStringLiteral("unverändert"));
    click("RC5_Button");
    QCOMPARE(m_errorEdit->text(), QStringLiteral("unverändert"));

    QCOMPARE(QString::fromStdString(m_device.create()), QString());
    QTRY_COMPARE_WITH_TIMEOUT(m_label->text(), Taken, EventTimeoutMs);
    control<QCheckBox>("Toggle_CheckBox")->setChecked(true);
    m_device.clearReceived();
    click("RC5_Button");
    QCOMPARE(hexOf(m_device.received()), hexOf({{0x00, 0x0E, 0xE5, 0x30, 0x00, 0x00, 0x00, 0x00}}));
    QCOMPARE(m_errorEdit->text(), QStringLiteral("RC5-Daten: 0E E5 30 "));
}

void TestVmWindow::cleanupTestCase()
{
    m_form.reset();
    m_watcher.reset();
    m_backend.reset();
}

int runWindowTests(int argc, char** argv)
{
    TestVmWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_vm_window.moc"
