#include "control/ChannelValues.h"
#include "tests/support/FormRig.h"
#include "tests/support/TestRegistry.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/RgbLed.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {

SentFrame extended(bool toggle, int address, int data)
{
    return {toggle, address, data, 16};
}

const char* const Bars[] = {"ScrollBar_Red", "ScrollBar_Green", "ScrollBar_Blue"};
const char* const Fields[] = {"Red_Edit", "Green_Edit", "Blue_Edit"};
const char* const Percentages[] = {"Red_Pro_CSpinEdit", "Green_Pro_CSpinEdit", "Blue_Pro_CSpinEdit"};

} // namespace

class TestChannelValues : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void sentValue_data();
    void sentValue();
    void liveSend_data();
    void liveSend();
    void withoutSendenOnlyFieldsAndLed();
    void ledShowsUnscaledColour();
    void sendRgbValues();
    void freeFrame_data();
    void freeFrame();
    void noTransmitter();
};

void TestChannelValues::startState()
{
    FormRig rig({.transmitter = true});
    for (int c = 0; c < 3; ++c) {
        auto* bar = rig.find<QScrollBar>(Bars[c]);
        QCOMPARE(bar->value(), 255);
        QCOMPARE(bar->pageStep(), 5);
        QCOMPARE(rig.find<QLineEdit>(Fields[c])->text(), QStringLiteral("0"));
    }
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->LEDColor(), QColor(0, 0, 0));
    QVERIFY(!rig.find<QCheckBox>("Senden_CheckBox")->isChecked());
    QVERIFY(!rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());
    QVERIFY(rig.hid.sent.empty());
}

void TestChannelValues::sentValue_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("sent");
    QTest::newRow("bottom") << 255 << 100 << 0;
    QTest::newRow("top, full") << 0 << 100 << 255;
    QTest::newRow("top, 99 % truncates") << 0 << 99 << 252;
    QTest::newRow("200 at half") << 55 << 50 << 100;
    QTest::newRow("0 % sends nothing") << 0 << 0 << 0;
    QTest::newRow("1 at 50 % truncates to 0") << 254 << 50 << 0;
}

void TestChannelValues::sentValue()
{
    QFETCH(int, position);
    QFETCH(int, percent);
    QFETCH(int, sent);
    QCOMPARE(ChannelValues::sentValue(position, percent), sent);
}

void TestChannelValues::liveSend_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("data");
    QTest::newRow("green, alle, 50 %") << 1 << 7 << 50 << 55 << false << "200" << 29 << 100;
    QTest::newRow("red, module 0, top") << 0 << 0 << 100 << 0 << true << "255" << 0 << 255;
    QTest::newRow("blue, module 6") << 2 << 6 << 100 << 128 << false << "127" << 26 << 127;
    QTest::newRow("0 % sends 0") << 2 << 3 << 0 << 10 << false << "245" << 14 << 0;
}

// With "Senden" ticked every position change goes out at once and inverts the toggle.
void TestChannelValues::liveSend()
{
    QFETCH(int, channel);
    QFETCH(int, module);
    QFETCH(int, percent);
    QFETCH(int, position);
    QFETCH(bool, toggle);
    QFETCH(QString, field);
    QFETCH(int, address);
    QFETCH(int, data);
    FormRig rig({.transmitter = true});
    rig.form->RG_Geraeteadresse->setItemIndex(module);
    rig.find<TCSpinEdit>(Percentages[channel])->setValue(percent);
    rig.find<QCheckBox>("Senden_CheckBox")->setChecked(true);
    auto* eToggle = rig.find<QCheckBox>("E_Toggle_CheckBox");
    eToggle->setChecked(toggle);
    rig.forget();

    rig.find<QScrollBar>(Bars[channel])->setValue(position);
    QCOMPARE(rig.find<QLineEdit>(Fields[channel])->text(), field);
    QCOMPARE(rig.sent(), describe({extended(toggle, address, data)}));
    QCOMPARE(eToggle->isChecked(), !toggle);
    QVERIFY(rig.pauses.isEmpty());
    QColor colour(0, 0, 0);
    if (channel == 0)
        colour.setRed(field.toInt());
    else if (channel == 1)
        colour.setGreen(field.toInt());
    else
        colour.setBlue(field.toInt());
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->LEDColor(), colour);
}

void TestChannelValues::withoutSendenOnlyFieldsAndLed()
{
    FormRig rig({.transmitter = true});
    rig.find<QScrollBar>("ScrollBar_Blue")->setValue(55);
    rig.find<QScrollBar>("ScrollBar_Red")->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(rig.find<QLineEdit>("Blue_Edit")->text(), QStringLiteral("200"));
    QCOMPARE(rig.find<QLineEdit>("Red_Edit")->text(), QStringLiteral("5"));
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->LEDColor(), QColor(5, 0, 200));
    QVERIFY(rig.hid.sent.empty());
    QVERIFY(!rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());
}

void TestChannelValues::ledShowsUnscaledColour()
{
    FormRig rig({.transmitter = true});
    rig.find<TCSpinEdit>("Red_Pro_CSpinEdit")->setValue(10);
    rig.find<QScrollBar>("ScrollBar_Red")->setValue(0);
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->LEDColor(), QColor(255, 0, 0));
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->image().pixel(3, 3), qRgb(255, 0, 0));
}

// One toggle for all three frames, inverted once afterwards.
void TestChannelValues::sendRgbValues()
{
    FormRig rig({.transmitter = true});
    auto* button = rig.find<TFlatButton>("BB_RC5_extended");
    QCOMPARE(button->text(), QStringLiteral("Sende RGB-Werte"));
    rig.form->RG_Geraeteadresse->setItemIndex(2);
    rig.find<QScrollBar>("ScrollBar_Red")->setValue(0);
    rig.find<QScrollBar>("ScrollBar_Green")->setValue(155);
    rig.find<TCSpinEdit>("Green_Pro_CSpinEdit")->setValue(50);
    auto* eToggle = rig.find<QCheckBox>("E_Toggle_CheckBox");
    QVERIFY(rig.hid.sent.empty());

    button->click();
    QCOMPARE(rig.sent(), describe({extended(false, 8, 255), extended(false, 9, 50), extended(false, 10, 0)}));
    QVERIFY(eToggle->isChecked());
    rig.forget();
    button->click();
    QCOMPARE(rig.sent(), describe({extended(true, 8, 255), extended(true, 9, 50), extended(true, 10, 0)}));
    QVERIFY(!eToggle->isChecked());
    QVERIFY(rig.pauses.isEmpty());
}

void TestChannelValues::freeFrame_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("data");
    QTest::addColumn<int>("address");
    QTest::newRow("control channel of module 0") << 0 << 3 << 144 << 3;
    QTest::newRow("green of alle") << 7 << 1 << 255 << 29;
    QTest::newRow("red of module 5") << 5 << 0 << 0 << 20;
}

void TestChannelValues::freeFrame()
{
    QFETCH(int, module);
    QFETCH(int, channel);
    QFETCH(int, data);
    QFETCH(int, address);
    FormRig rig({.transmitter = true});
    auto* button = rig.find<TFlatButton>("BT_RC5_16B_senden");
    QCOMPARE(button->text(), QStringLiteral("Send RC5 (16Bit-Mode)"));
    rig.form->RG_Geraeteadresse->setItemIndex(module);
    rig.find<TCSpinEdit>("E_ADR_CSpinEdit")->setValue(channel);
    rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->setValue(data);
    auto* eToggle = rig.find<QCheckBox>("E_Toggle_CheckBox");

    button->click();
    button->click();
    QCOMPARE(rig.sent(), describe({extended(false, address, data), extended(true, address, data)}));
    QVERIFY(!eToggle->isChecked());
    QVERIFY(rig.pauses.isEmpty());
}

void TestChannelValues::noTransmitter()
{
    FormRig rig;
    auto* status = rig.find<QLineEdit>("Error_Edit");
    status->setText(QStringLiteral("vorher"));
    rig.find<QCheckBox>("Senden_CheckBox")->setChecked(true);
    rig.find<QScrollBar>("ScrollBar_Green")->setValue(0);
    rig.find<TFlatButton>("BB_RC5_extended")->click();
    QCOMPARE(rig.find<QLineEdit>("Green_Edit")->text(), QStringLiteral("255"));
    QCOMPARE(rig.find<TRGB_LED>("RGB_LED")->LEDColor(), QColor(0, 255, 0));
    QVERIFY(!rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());  // inverted twice
    QVERIFY(rig.hid.sent.empty());
    QCOMPARE(status->text(), QStringLiteral("vorher"));
}

TINTARO_REGISTER_TEST(TestChannelValues);
#include "tst_channelvalues.moc"
