#include "tests/support/FormRig.h"
#include "tests/support/TestRegistry.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

namespace {

SentFrame extended(bool toggle, int address, int data)
{
    return {toggle, address, data, 16};
}

} // namespace

class TestModeAndReset : public QObject {
    Q_OBJECT
private slots:
    void captions();
    void setMode_data();
    void setMode();
    void setModeWithoutSelection();
    void lastModeOfTheSmallerVariants();
    void storeMode();
    void reset();
    void noTransmitter();
};

void TestModeAndReset::captions()
{
    FormRig rig({.transmitter = true});
    QCOMPARE(rig.find<TFlatButton>("BT_Setze_Mode")->text(), QStringLiteral("Setze Modus"));
    QCOMPARE(rig.find<TFlatButton>("BT_Mode_Speichern")->text(), QStringLiteral("Modus speichern"));
    QCOMPARE(rig.find<TFlatButton>("BB_Reset")->text(), QStringLiteral("Reset"));
    QCOMPARE(rig.find<TRadioGroup>("RG_Mode")->ItemIndex(), 0);
}

void TestModeAndReset::setMode_data()
{
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("data");
    QTest::newRow("Sequenz 3 to module 1") << 1 << 3 << 7 << 131;
    QTest::newRow("Feste Farbe to alle") << 7 << 0 << 31 << 128;
    QTest::newRow("Sequenz 9 to module 6") << 6 << 9 << 27 << 137;
}

// The mode goes out through the free 16-bit frame: its fields keep showing it and
// successive clicks alternate the toggle.
void TestModeAndReset::setMode()
{
    QFETCH(int, module);
    QFETCH(int, mode);
    QFETCH(int, address);
    QFETCH(int, data);
    FormRig rig({.transmitter = true});
    rig.form->RG_Geraeteadresse->setItemIndex(module);
    rig.find<TRadioGroup>("RG_Mode")->setItemIndex(mode);
    auto* eToggle = rig.find<QCheckBox>("E_Toggle_CheckBox");
    auto* button = rig.find<TFlatButton>("BT_Setze_Mode");

    button->click();
    QCOMPARE(rig.sent(), describe({extended(false, address, data)}));
    QCOMPARE(rig.find<TCSpinEdit>("E_ADR_CSpinEdit")->value(), 3);
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->value(), data);
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->text(), QString::number(data));
    QVERIFY(eToggle->isChecked());

    button->click();
    QCOMPARE(rig.sent(), describe({extended(false, address, data), extended(true, address, data)}));
    QVERIFY(!eToggle->isChecked());
    QVERIFY(rig.pauses.isEmpty());
}

void TestModeAndReset::lastModeOfTheSmallerVariants()
{
    FormRig rig({.transmitter = true});
    rig.find<QRadioButton>("RB_ATtiny45")->click();
    auto* modes = rig.find<TRadioGroup>("RG_Mode");
    QCOMPARE(modes->count(), 6);
    QCOMPARE(modes->itemText(5), QStringLiteral("Sequenz 5"));
    modes->setItemIndex(5);
    rig.find<TFlatButton>("BT_Setze_Mode")->click();
    QCOMPARE(rig.sent(), describe({extended(false, 31, 133)}));
}

void TestModeAndReset::setModeWithoutSelection()
{
    FormRig rig({.transmitter = true});
    rig.find<TRadioGroup>("RG_Mode")->setItemIndex(-1);
    rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->setValue(17);
    rig.find<TFlatButton>("BT_Setze_Mode")->click();
    QVERIFY(rig.hid.sent.empty());
    QCOMPARE(rig.find<TCSpinEdit>("E_ADR_CSpinEdit")->value(), 0);
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->value(), 17);
    QVERIFY(!rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());
}

// "Modus speichern" does not look at the mode selection.
void TestModeAndReset::storeMode()
{
    FormRig rig({.transmitter = true});
    rig.find<TRadioGroup>("RG_Mode")->setItemIndex(-1);
    rig.find<QCheckBox>("E_Toggle_CheckBox")->setChecked(true);
    rig.form->RG_Geraeteadresse->setItemIndex(2);
    rig.find<TFlatButton>("BT_Mode_Speichern")->click();
    QCOMPARE(rig.sent(), describe({extended(true, 11, 144)}));
    QCOMPARE(rig.find<TCSpinEdit>("E_ADR_CSpinEdit")->value(), 3);
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->value(), 144);
    QVERIFY(!rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());
}

// The reset pair goes out paced and changes nothing on the screen.
void TestModeAndReset::reset()
{
    FormRig rig({.transmitter = true});
    rig.find<TCSpinEdit>("CSE_Delay")->setValue(25);
    auto* eToggle = rig.find<QCheckBox>("E_Toggle_CheckBox");
    rig.find<TFlatButton>("BB_Reset")->click();
    QCOMPARE(rig.sent(), describe(QList<SentFrame>(2, extended(true, 31, 128)) + QList<SentFrame>(2, extended(false, 31, 0))));
    QCOMPARE(rig.pauses, (QList<int>{25, 25, 25, 25}));
    QVERIFY(!eToggle->isChecked());
    QCOMPARE(rig.find<TCSpinEdit>("E_ADR_CSpinEdit")->value(), 0);
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->value(), 0);
}

void TestModeAndReset::noTransmitter()
{
    FormRig rig;
    rig.find<TRadioGroup>("RG_Mode")->setItemIndex(5);
    rig.find<TFlatButton>("BT_Setze_Mode")->click();
    rig.find<TFlatButton>("BB_Reset")->click();
    QVERIFY(rig.hid.sent.empty());
    QCOMPARE(rig.find<TCSpinEdit>("E_DAT_CSpinEdit")->value(), 133);
    QVERIFY(rig.find<QCheckBox>("E_Toggle_CheckBox")->isChecked());
    QCOMPARE(rig.pauses.size(), 4);
}

TINTARO_REGISTER_TEST(TestModeAndReset);
#include "tst_modeandreset.moc"
