#include "control/KeypadPanel.h"
#include "tests/support/FakeHidBackend.h"
#include "tests/support/SentFrame.h"
#include "tests/support/TestRegistry.h"
#include "transmitter/HidDevice.h"
#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The keypad with its transmitter over the fake HID layer.
struct KeypadRig {
    FakeHidBackend fake;
    std::unique_ptr<THidDevice> device;
    Transmitter transmitter;
    KeypadPanel panel{transmitter};

    explicit KeypadRig(bool connected = true)
    {
        fake.plugTransmitter();
        device = std::make_unique<THidDevice>(fake, fake.enumerate().front());
        if (connected)
            transmitter.setDevice(device.get());
    }
    TFlatButton* key(const QString& name) const { return panel.findChild<TFlatButton*>(name); }
    QStringList sent() const { return describe(decodeReports(fake)); }
};

SentFrame standard(bool toggle, int address, int command)
{
    return {toggle, address, command, 14};
}

} // namespace

class TestKeypad : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void pressRPlus();
    void sameKeyTwiceAlternatesToggle();
    void sendRC5UsesFields();
    void repeatTimerKeepsToggle();
    void keypadWhileRepeating();
    void noTransmitter();
};

void TestKeypad::keys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("command");
    const struct {
        const char* name;
        const char* caption;
        int command;
    } rows[] = {{"BB_1", "1", 1},          {"BB_2", "2", 2},          {"BB_3", "3", 3},          {"BB_4", "4", 4},
                {"BB_5", "5", 5},          {"BB_6", "6", 6},          {"BB_7", "7", 7},          {"BB_8", "8", 8},
                {"BB_9", "9", 9},          {"BB_0", "0", 0},          {"BB_13", "Speichern", 13},
                {"FlatButton1", "R+", 18}, {"FlatButton2", "R-", 19}, {"FlatButton3", "G+", 20},
                {"FlatButton4", "G-", 21}, {"FlatButton5", "B+", 16}, {"FlatButton6", "B-", 17}};
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromUtf8(r.caption) << r.command;
}

// Every key puts its command on the command field and sends it with the address shown.
void TestKeypad::keys()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, command);
    KeypadRig rig;
    TFlatButton* key = rig.key(name);
    QVERIFY(key);
    QCOMPARE(key->text(), caption);
    QCOMPARE(key->Tag, command);
    rig.panel.ADR_CSpinEdit->setValue(5);
    rig.panel.CMD_CSpinEdit->setValue(command == 0 ? 63 : 0);
    key->click();
    QCOMPARE(rig.panel.CMD_CSpinEdit->value(), command);
    QCOMPARE(rig.sent(), describe({standard(false, 5, command)}));
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
}

void TestKeypad::pressRPlus()
{
    KeypadRig rig;
    rig.key(QStringLiteral("FlatButton1"))->click();
    QCOMPARE(rig.panel.CMD_CSpinEdit->value(), 18);
    QCOMPARE(rig.panel.CMD_CSpinEdit->text(), QStringLiteral("18"));
    QCOMPARE(rig.fake.sent.size(), std::size_t(1));
    QCOMPARE(rig.fake.sent[0].bytes, (Bytes{0x00, 0x0E, 0xC0, 0x48, 0x00, 0x00, 0x00}));
    QCOMPARE(rig.panel.Error_Edit->text(), QStringLiteral("RC5-Daten: 0E C0 48 "));
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
}

void TestKeypad::sameKeyTwiceAlternatesToggle()
{
    KeypadRig rig;
    TFlatButton* key = rig.key(QStringLiteral("FlatButton5"));
    key->click();
    key->click();
    QCOMPARE(rig.sent(), describe({standard(false, 0, 16), standard(true, 0, 16)}));
    QCOMPARE(rig.fake.sent[1].bytes, (Bytes{0x00, 0x0E, 0xE0, 0x40, 0x00, 0x00, 0x00}));
    QVERIFY(!rig.panel.Toggle_CheckBox->isChecked());
}

void TestKeypad::sendRC5UsesFields()
{
    KeypadRig rig;
    rig.panel.ADR_CSpinEdit->setValue(31);
    rig.panel.CMD_CSpinEdit->setValue(63);
    rig.panel.Toggle_CheckBox->setChecked(true);
    QCOMPARE(rig.panel.RC5_Button->text(), QStringLiteral("Send RC5"));
    rig.panel.RC5_Button->click();
    QCOMPARE(rig.fake.sent.at(0).bytes, (Bytes{0x00, 0x0E, 0xFF, 0xFC, 0x00, 0x00, 0x00}));
    QVERIFY(!rig.panel.Toggle_CheckBox->isChecked());
    QCOMPARE(rig.panel.CMD_CSpinEdit->value(), 63);
}

// A held key: the timer repeats the frame with the same toggle.
void TestKeypad::repeatTimerKeepsToggle()
{
    KeypadRig rig;
    QTimer* timer = rig.panel.Timer1;
    QCOMPARE(timer->interval(), 50);
    QVERIFY(!timer->isActive());
    rig.panel.ADR_CSpinEdit->setValue(2);
    rig.panel.CMD_CSpinEdit->setValue(20);
    rig.panel.Toggle_CheckBox->setChecked(true);
    rig.panel.CheckBox_50ms->setChecked(true);
    QVERIFY(timer->isActive());
    for (int i = 0; i < 3; ++i)
        rig.panel.Timer1Timer();
    QCOMPARE(rig.sent(), describe(QList<SentFrame>(3, standard(true, 2, 20))));
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
    rig.panel.CheckBox_50ms->setChecked(false);
    QVERIFY(!timer->isActive());
}

// A press while the timer runs sends once and inverts; the timer then repeats the new frame.
void TestKeypad::keypadWhileRepeating()
{
    KeypadRig rig;
    rig.panel.CheckBox_50ms->setChecked(true);
    rig.panel.Timer1Timer();
    rig.key(QStringLiteral("FlatButton4"))->click();
    rig.panel.Timer1Timer();
    rig.panel.Timer1Timer();
    QCOMPARE(rig.sent(), describe({standard(false, 0, 0), standard(false, 0, 21), standard(true, 0, 21),
                                   standard(true, 0, 21)}));
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
    QVERIFY(rig.panel.Timer1->isActive());
}

void TestKeypad::noTransmitter()
{
    KeypadRig rig(false);
    rig.panel.Error_Edit->setText(QStringLiteral("vorher"));
    rig.key(QStringLiteral("FlatButton4"))->click();
    QCOMPARE(rig.panel.CMD_CSpinEdit->value(), 21);
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
    rig.panel.CheckBox_50ms->setChecked(true);
    rig.panel.Timer1Timer();
    QVERIFY(rig.panel.Timer1->isActive());
    QVERIFY(rig.panel.Toggle_CheckBox->isChecked());
    QVERIFY(rig.fake.sent.empty());
    QCOMPARE(rig.panel.Error_Edit->text(), QStringLiteral("vorher"));
}

TINTARO_REGISTER_TEST(TestKeypad);
#include "tst_keypad.moc"
