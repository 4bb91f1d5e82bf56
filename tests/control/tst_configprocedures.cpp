#include "control/ConfigProcedurePanel.h"
#include "tests/support/FormRig.h"
#include "tests/support/TestRegistry.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr int Repeats = 3;
constexpr int DelayMs = 7;

struct F {
    bool toggle;
    int channel;
    int data;
};

// What the transmitter receives: each frame RepeatCount times, to module * 4 + channel.
QStringList expected(int module, std::initializer_list<F> frames, int repeats)
{
    QList<SentFrame> list;
    for (const F& f : frames)
        list << QList<SentFrame>(repeats, {f.toggle, (module * 4) | f.channel, f.data, 16});
    return describe(list);
}

ConfigProcedurePanel* panelOf(QWidget* control)
{
    return qobject_cast<ConfigProcedurePanel*>(control->parentWidget());
}

// Idle: only step 1 can be pressed; in mode: only steps 2 and 3.
bool inMode(const ConfigProcedurePanel& panel)
{
    bool modeEnabled = true;
    bool modeDisabled = true;
    for (TFlatButton* b : panel.modeButtons()) {
        modeEnabled = modeEnabled && b->isEnabled();
        modeDisabled = modeDisabled && !b->isEnabled();
    }
    if (!panel.step1Button->isEnabled() && modeEnabled)
        return true;
    if (panel.step1Button->isEnabled() && modeDisabled)
        return false;
    qFatal("%s: mixed button enabling", qPrintable(panel.objectName()));
}

void setValue(ConfigProcedurePanel& panel, int value)
{
    if (panel.valueSpin)
        panel.valueSpin->setValue(value);
    else
        panel.valueList->setCurrentIndex(value);
}

} // namespace

class TestConfigProcedures : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void buttons_data();
    void buttons();
    void addressMovesModuleSelection();
    void brightness_data();
    void brightness();
    void pinFunction_data();
    void pinFunction();
    void pinFunctionKeepsItsPositionInTheMsVariant();
    void frequencyUpThreeTimes();
    void cancelAfterTransfer();
    void repeatCountOne();
    void noTransmitter();
};

void TestConfigProcedures::startState()
{
    FormRig rig({.transmitter = true});
    const char* names[] = {"PA_OSC", "PA_Adresse", "PA_Helligkeit", "PA_MF_Pin"};
    for (const char* name : names)
        QVERIFY2(!inMode(*rig.find<ConfigProcedurePanel>(name)), name);
    QCOMPARE(rig.find<TCSpinEdit>("CSE_OSCCAL")->value(), 146);
    QCOMPARE(rig.find<TCSpinEdit>("CSE_Adr")->value(), 0);
    QCOMPARE(rig.find<TCSpinEdit>("CSE_Hell")->value(), 100);
    QCOMPARE(rig.find<QComboBox>("CB_MF_Pin")->currentIndex(), 0);
}

void TestConfigProcedures::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("module");
    QTest::addColumn<int>("value");   // set on the step-2 control before the click; -1 keeps it
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<int>("selectedAfter");

    for (int module : {7, 2}) {
        const auto row = [module](const char* button, int value, int step, std::initializer_list<F> frames,
                                  int selectedAfter = -1) {
            QString tag = QString::fromLatin1(button);
            if (value >= 0)
                tag += QStringLiteral(" = %1").arg(value);
            QTest::newRow(qPrintable(tag + QStringLiteral(", module %1").arg(module)))
                << QString::fromLatin1(button) << module << value << step << expected(module, frames, Repeats)
                << (selectedAfter < 0 ? module : selectedAfter);
        };
        row("BB_Osc_Kal", -1, 1, {{true, 3, 2}});
        row("BT_Osc_Freq_P", -1, 2, {{true, 0, 0}});
        row("BT_Osc_Freq_M", -1, 2, {{true, 0, 1}});
        row("BB_OSC_Setzen", -1, 2, {{true, 1, 146}});
        row("BB_OSC_Setzen", 200, 2, {{true, 1, 200}});
        row("BT_Osc_Speichern", -1, 3, {{true, 2, 0}, {false, 2, 0}});
        row("BT_Osc_Abbruch", -1, 3, {{true, 2, 1}});

        row("BB_Adresse", -1, 1, {{true, 3, 3}});
        row("BB_Adr_Setzen", 5, 2, {{true, 0, 5}}, 5);
        row("BB_Adr_Speichern", -1, 3, {{true, 1, 0}, {false, 1, 0}});
        row("BB_Adr_Abbruch", -1, 3, {{true, 2, 0}});

        row("BB_Helligkeit", -1, 1, {{true, 3, 4}});
        row("BB_Hell_Setzen", -1, 2, {{true, 0, 0}});
        row("BB_Hell_Setzen", 50, 2, {{true, 0, 128}});
        row("BB_Hell_Speichern", -1, 3, {{true, 1, 0}, {false, 1, 0}});
        row("BB_Hell_Abbruch", -1, 3, {{true, 2, 0}});

        row("BB_MF_Pin", -1, 1, {{true, 3, 5}});
        row("BB_MF_Pin_Setzen", -1, 2, {{true, 0, 0}});
        row("BB_MF_Pin_Setzen", 3, 2, {{true, 0, 3}});
        row("BB_MF_Pin_Speichern", -1, 3, {{true, 1, 0}, {false, 1, 0}});
        row("BB_MF_Pin_Abbruch", -1, 3, {{true, 2, 0}});
    }
}

// Every button: its frames (each RepeatCount times with a pause after each), the
// enabling before and after, and the simulation stopped by step 1 only.
void TestConfigProcedures::buttons()
{
    QFETCH(QString, button);
    QFETCH(int, module);
    QFETCH(int, value);
    QFETCH(int, step);
    QFETCH(QStringList, frames);
    QFETCH(int, selectedAfter);

    FormRig rig({.transmitter = true});
    rig.find<TCSpinEdit>("CSE_Repeat")->setValue(Repeats);
    rig.find<TCSpinEdit>("CSE_Delay")->setValue(DelayMs);
    rig.form->RG_Geraeteadresse->setItemIndex(module);
    auto* b = rig.form->findChild<TFlatButton*>(button);
    QVERIFY(b);
    ConfigProcedurePanel* panel = panelOf(b);
    QVERIFY(panel);
    if (step != 1)
        panel->step1Button->click();
    if (value >= 0)
        setValue(*panel, value);
    auto* simulation = rig.find<QCheckBox>("CB_Simulation");
    simulation->setChecked(true);
    rig.forget();

    QCOMPARE(inMode(*panel), step != 1);
    b->click();
    QCOMPARE(rig.sent(), frames);
    QCOMPARE(rig.pauses, QList<int>(frames.size(), DelayMs));
    QCOMPARE(inMode(*panel), step != 3);
    QCOMPARE(simulation->isChecked(), step != 1);
    QCOMPARE(rig.form->RG_Geraeteadresse->ItemIndex(), selectedAfter);
    // The procedures are independent of one another.
    for (ConfigProcedurePanel* other : rig.form->procedures)
        if (other != panel)
            QVERIFY2(!inMode(*other), qPrintable(other->objectName()));
}

// The new address becomes the selected module, so "Speichern" reaches it there.
void TestConfigProcedures::addressMovesModuleSelection()
{
    FormRig rig({.transmitter = true});
    rig.form->RG_Geraeteadresse->setItemIndex(0);
    rig.find<TFlatButton>("BB_Adresse")->click();
    QCOMPARE(rig.sent(), expected(0, {{true, 3, 3}}, 2));
    rig.forget();

    rig.find<TCSpinEdit>("CSE_Adr")->setValue(4);
    rig.find<TFlatButton>("BB_Adr_Setzen")->click();
    QCOMPARE(rig.sent(), expected(0, {{true, 0, 4}}, 2));
    QCOMPARE(rig.form->RG_Geraeteadresse->ItemIndex(), 4);
    QCOMPARE(rig.form->moduleIndex(), 4);
    rig.forget();

    rig.find<TFlatButton>("BB_Adr_Speichern")->click();
    QCOMPARE(rig.sent(), expected(4, {{true, 1, 0}, {false, 1, 0}}, 2));
    QCOMPARE(decodeReports(rig.hid).front().address, 17);
}

void TestConfigProcedures::brightness_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("data");
    QTest::newRow("100 % goes out as 0") << 100 << 0;
    QTest::newRow("50 %") << 50 << 128;
    QTest::newRow("1 %") << 1 << 2;
    QTest::newRow("99 %") << 99 << 253;
}

void TestConfigProcedures::brightness()
{
    QFETCH(int, percent);
    QFETCH(int, data);
    FormRig rig({.transmitter = true});
    rig.find<TFlatButton>("BB_Helligkeit")->click();
    rig.find<TCSpinEdit>("CSE_Hell")->setValue(percent);
    rig.forget();
    rig.find<TFlatButton>("BB_Hell_Setzen")->click();
    QCOMPARE(rig.sent(), expected(7, {{true, 0, data}}, 2));
}

void TestConfigProcedures::pinFunction_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("data");
    QTest::newRow("Slave Sync Input") << 5 << QString() << 5;
    QTest::newRow("nix") << 0 << QString() << 0;
    QTest::newRow("no entry selected") << -1 << QString() << 255;
    QTest::newRow("text typed over the entry") << 2 << QStringLiteral("RC5 Err") << 255;
}

void TestConfigProcedures::pinFunction()
{
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(int, data);
    FormRig rig({.transmitter = true});
    auto* list = rig.find<QComboBox>("CB_MF_Pin");
    if (index == 5)
        QCOMPARE(list->itemText(5), QStringLiteral("Slave Sync Input"));
    rig.find<TFlatButton>("BB_MF_Pin")->click();
    list->setCurrentIndex(index);
    if (!typed.isNull())
        list->lineEdit()->setText(typed);
    rig.forget();
    rig.find<TFlatButton>("BB_MF_Pin_Setzen")->click();
    QCOMPARE(rig.sent(), expected(7, {{true, 0, data}}, 2));
    QCOMPARE(list->count(), 6);
}

// The two "---" entries keep the sync functions at the positions the module knows them by.
void TestConfigProcedures::pinFunctionKeepsItsPositionInTheMsVariant()
{
    FormRig rig({.transmitter = true});
    rig.find<QRadioButton>("RB_ATtiny45_S")->click();
    auto* list = rig.find<QComboBox>("CB_MF_Pin");
    QCOMPARE(list->count(), 6);
    rig.find<TFlatButton>("BB_MF_Pin")->click();
    list->setCurrentIndex(list->findText(QStringLiteral("Slave Sync Input")));
    rig.forget();
    rig.find<TFlatButton>("BB_MF_Pin_Setzen")->click();
    QCOMPARE(rig.sent(), expected(7, {{true, 0, 5}}, 2));
}

void TestConfigProcedures::frequencyUpThreeTimes()
{
    FormRig rig({.transmitter = true});
    rig.find<TFlatButton>("BB_Osc_Kal")->click();
    rig.forget();
    auto* up = rig.find<TFlatButton>("BT_Osc_Freq_P");
    QCOMPARE(up->accessibleName(), QStringLiteral("Frequenz erhöhen"));
    for (int i = 0; i < 3; ++i)
        up->click();
    QCOMPARE(rig.sent(), expected(7, {{true, 0, 0}, {true, 0, 0}, {true, 0, 0}}, 2));
    QCOMPARE(rig.find<TCSpinEdit>("CSE_OSCCAL")->value(), 146);
    QCOMPARE(rig.pauses, QList<int>(6, 0));
}

void TestConfigProcedures::cancelAfterTransfer()
{
    FormRig rig({.transmitter = true});
    auto* panel = rig.find<ConfigProcedurePanel>("PA_Adresse");
    rig.find<TFlatButton>("BB_Adresse")->click();
    rig.find<TCSpinEdit>("CSE_Adr")->setValue(6);
    rig.find<TFlatButton>("BB_Adr_Setzen")->click();
    QVERIFY(inMode(*panel));
    rig.forget();
    rig.find<TFlatButton>("BB_Adr_Abbruch")->click();
    QVERIFY(!inMode(*panel));
    QCOMPARE(rig.sent(), expected(6, {{true, 2, 0}}, 2));
    QCOMPARE(rig.form->RG_Geraeteadresse->ItemIndex(), 6);
    QCOMPARE(rig.find<TCSpinEdit>("CSE_Adr")->value(), 6);
}

void TestConfigProcedures::repeatCountOne()
{
    FormRig rig({.transmitter = true});
    rig.find<TCSpinEdit>("CSE_Repeat")->setValue(1);
    rig.find<TFlatButton>("BB_MF_Pin")->click();
    QCOMPARE(rig.sent(), expected(7, {{true, 3, 5}}, 1));
    QCOMPARE(rig.pauses, QList<int>{0});
}

// Without a transmitter the procedure runs as usual; only the reports are missing.
void TestConfigProcedures::noTransmitter()
{
    FormRig rig;
    auto* status = rig.find<QLineEdit>("Error_Edit");
    status->setText(QStringLiteral("vorher"));
    auto* panel = rig.find<ConfigProcedurePanel>("PA_OSC");
    rig.find<TFlatButton>("BB_Osc_Kal")->click();
    QVERIFY(inMode(*panel));
    rig.find<TFlatButton>("BT_Osc_Speichern")->click();
    QVERIFY(!inMode(*panel));
    QVERIFY(rig.hid.sent.empty());
    QCOMPARE(rig.pauses, QList<int>(6, 0));
    QCOMPARE(status->text(), QStringLiteral("vorher"));
}

TINTARO_REGISTER_TEST(TestConfigProcedures);
#include "tst_configprocedures.moc"
