#include "app/TForm1.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

namespace {
const char* const PanelNames[] = {"PA_Normal", "PA_Sequenz", "PA_OSC", "PA_Adresse", "PA_Helligkeit", "PA_MF_Pin"};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void spinEditRanges_data();
    void spinEditRanges();
    void captions_data();
    void captions();
    void listsAtStart();
    void tabSwitching_data();
    void tabSwitching();
    void unknownTagHidesAll();
    void minimumSize();
    void menu();
    void beendenEndsWithZero();
    void accessibleNames();
    void pacingFollowsSpinEdits();
    void transmitterFoundOnceTheLoopTurns();
    void sendRc5InvertsToggleWithoutTransmitter();
};

void TestMainWindow::startState()
{
    FormRig w;
    QCOMPARE(w.form->windowTitle(), TForm1::TitleText + QStringLiteral("   []"));
    QVERIFY(TForm1::TitleText.startsWith(QStringLiteral("Tintaro V4.1  ")));
    QCOMPARE(w.form->size(), QSize(1076, 777));
    QCOMPARE(w.form->font().family(), QStringLiteral("Arial"));
    QCOMPARE(w.form->font().pointSize(), 8);
    QCOMPARE(w.find<QLineEdit>("Error_Edit")->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(w.find<QLineEdit>("Error_Edit")->text(), QString());
    QCOMPARE(w.find<QLabel>("Geraet_Label")->text(), QStringLiteral("USB-Gerätename:"));

    auto* normalTab = w.find<TFlatSpeedButton>("BB_Tab_Normal");
    QVERIFY(normalTab->isChecked());
    w.form->show();
    const QRect place = w.find<QWidget>("PA_Normal")->geometry();
    QCOMPARE(place.size(), QSize(351, 253));
    for (const char* name : PanelNames) {
        auto* panel = w.find<QWidget>(name);
        QVERIFY2(panel, name);
        QCOMPARE(panel->geometry(), place);
        QCOMPARE(panel->isVisible(), QByteArray(name) == "PA_Normal");
    }

    for (const char* name : {"Toggle_CheckBox", "CheckBox_50ms", "Senden_CheckBox", "CB_Simulation",
                             "E_Toggle_CheckBox", "CB_MarkerEnabled"})
        QVERIFY2(!w.find<QCheckBox>(name)->isChecked(), name);
    QVERIFY(w.find<QRadioButton>("RB_ATtiny85")->isChecked());
    QVERIFY(w.find<QRadioButton>("RB_Absolut")->isChecked());
    QCOMPARE(w.find<TRadioGroup>("RG_Geraeteadresse")->ItemIndex(), 7);
    QCOMPARE(w.form->moduleIndex(), 7);
    QCOMPARE(w.find<TRadioGroup>("RG_Mode")->ItemIndex(), 0);
    for (const char* name : {"ScrollBar_Red", "ScrollBar_Green", "ScrollBar_Blue"}) {
        auto* bar = w.find<QScrollBar>(name);
        QCOMPARE(bar->value(), 255);
        QCOMPARE(bar->maximum(), 255);
        QCOMPARE(bar->pageStep(), 5);
    }
    for (const char* name : {"Red_Edit", "Green_Edit", "Blue_Edit", "CursorPos_Edit"})
        QCOMPARE(w.find<QLineEdit>(name)->text(), QStringLiteral("0"));
    auto* track = w.find<QSlider>("TrackBar1");
    QCOMPARE(track->value(), 0);
    QCOMPARE(track->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(w.find<QProgressBar>("ProgressBar1")->maximum(), 194);
    QVERIFY(w.find<TFlatButton>("BB_SequenzSenden")->isEnabled());
    for (const char* name : {"BB_SequenzAbspielen", "BB_SequenzSpeichern", "BB_SequenzAbbruch"})
        QVERIFY2(!w.find<TFlatButton>(name)->isEnabled(), name);
    for (const char* name : {"BB_Osc_Kal", "BB_Adresse", "BB_Helligkeit", "BB_MF_Pin"})
        QVERIFY2(w.find<TFlatButton>(name)->isEnabled(), name);
    for (const char* name : {"BT_Osc_Freq_P", "BT_Osc_Freq_M", "BB_OSC_Setzen", "BT_Osc_Speichern", "BT_Osc_Abbruch",
                             "BB_Adr_Setzen", "BB_Adr_Speichern", "BB_Adr_Abbruch", "BB_Hell_Setzen",
                             "BB_Hell_Speichern", "BB_Hell_Abbruch", "BB_MF_Pin_Setzen", "BB_MF_Pin_Speichern",
                             "BB_MF_Pin_Abbruch"})
        QVERIFY2(!w.find<TFlatButton>(name)->isEnabled(), name);
    auto* count = w.find<TCSpinEdit>("Count_CSpinEdit");
    QVERIFY(!count->isEnabled() && count->isHidden());
    QCOMPARE(count->maximum(), 37);
    QVERIFY(w.find<TCSpinEdit>("CSpinEdit1")->isHidden());
    QVERIFY(w.find<QWidget>("RGB_LED_Balken1"));
    QCOMPARE(w.find<QWidget>("RGB_LED")->size(), QSize(69, 49));
    QCOMPARE(w.find<QWidget>("WaveScreen1")->size(), QSize(733, 373));
    QCOMPARE(w.find<QWidget>("RGB_LED_Balken1")->size(), QSize(722, 19));
}

void TestMainWindow::spinEditRanges_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("start");
    const struct {
        const char* name;
        int min, max, start;
    } rows[] = {
        {"ADR_CSpinEdit", 0, 31, 0},     {"CMD_CSpinEdit", 0, 63, 0},        {"CSpinEdit2", 5, 1000, 100},
        {"CSpinEdit1", 1, 6554, -1},    {"E_ADR_CSpinEdit", 0, 3, 0},       {"E_DAT_CSpinEdit", 0, 255, 0},
        {"Red_Pro_CSpinEdit", 0, 100, 100}, {"Green_Pro_CSpinEdit", 0, 100, 100},
        {"Blue_Pro_CSpinEdit", 0, 100, 100}, {"CSE_Delay", 0, 100, 0},        {"CSE_Repeat", 1, 10, 2},
        {"CSE_OSCCAL", 0, 255, 146},     {"CSE_Adr", 0, 6, 0},               {"CSE_Hell", 1, 100, 100},
        {"Speed_CSpinEdit", 2, 510, 10}, {"CSE_PlayMode", 0, 255, 0},        {"TSEnd_CSpinEdit", 0, 65535, -1},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << r.min << r.max << r.start;
}

void TestMainWindow::spinEditRanges()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, start);
    FormRig w;
    auto* spin = w.form->findChild<TCSpinEdit*>(name);
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    if (start >= 0)   // values the start-up check derives are tested with the check
        QCOMPARE(spin->value(), start);
    QVERIFY(!spin->accessibleName().isEmpty());
    // Setting a value clamps it to the range.
    spin->setValue(maximum + 1000);
    QCOMPARE(spin->value(), maximum);
    spin->setValue(minimum - 1000);
    QCOMPARE(spin->value(), minimum);
}

void TestMainWindow::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const struct {
        const char* name;
        const char* caption;
    } rows[] = {
        {"RC5_Button", "Send RC5"},
        {"BB_13", "Speichern"},
        {"FlatButton5", "B+"},
        {"BT_RC5_16B_senden", "Send RC5 (16Bit-Mode)"},
        {"BB_RC5_extended", "Sende RGB-Werte"},
        {"BT_Setze_Mode", "Setze Modus"},
        {"BT_Mode_Speichern", "Modus speichern"},
        {"BB_Reset", "Reset"},
        // The start-up check shows the duration of the start-up sequence.
        {"BB_SequenzPruefen", "Prüfen / Übernehmen  (Sequenzdauer = 0:15.300)"},
        {"BB_SequenzSenden", "Übertragen"},
        {"BB_SequenzAbspielen", "Abspielen"},
        {"BB_Osc_Kal", "Osc. Kalibriermodus setzen"},
        {"BB_Adresse", "Adressierungsmodus setzen"},
        {"BB_Helligkeit", "Helligkeitsmodus setzen"},
        {"BB_MF_Pin", "MF-Pin Modus setzen"},
        {"BB_OSC_Setzen", "Übertragen"},
        {"BT_Osc_Abbruch", "Abbruch"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromUtf8(r.caption);
}

void TestMainWindow::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    FormRig w;
    auto* button = w.form->findChild<QAbstractButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
}

void TestMainWindow::listsAtStart()
{
    FormRig w;
    QStringList nine;
    for (int i = 1; i <= 9; ++i)
        nine << QStringLiteral("Sequenz %1").arg(i);
    auto* slot = w.find<QComboBox>("CB_SequenzProgNummer");
    QCOMPARE(comboItems(slot), nine);
    QCOMPARE(slot->currentIndex(), 0);
    auto* follow = w.find<QComboBox>("CB_SequenzFolgeProgNummer");
    QCOMPARE(comboItems(follow), QStringList({QStringLiteral("keine"), QStringLiteral("Feste Farbe")}) + nine);
    QCOMPARE(follow->currentIndex(), 0);
    auto* pin = w.find<QComboBox>("CB_MF_Pin");
    QCOMPARE(comboItems(pin), (QStringList{"nix", "9846,15Hz", "RC5 Error", "RC5 Filter Output", "Master Sync Output",
                                      "Slave Sync Input"}));
    QCOMPARE(pin->currentIndex(), 0);
    QCOMPARE(w.find<TRadioGroup>("RG_Mode")->items(), QStringList{QStringLiteral("Feste Farbe")} + nine);
    QCOMPARE(w.find<TRadioGroup>("RG_Geraeteadresse")->items(),
             (QStringList{"0", "1", "2", "3", "4", "5", "6", "alle"}));
}

void TestMainWindow::tabSwitching_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("panel");
    QTest::newRow("Normal") << "BB_Tab_Normal" << 1 << "PA_Normal";
    QTest::newRow("Sequenz") << "BB_Tab_Sequenz" << 2 << "PA_Sequenz";
    QTest::newRow("Osc. Kal.") << "BB_Tab_OSC" << 3 << "PA_OSC";
    QTest::newRow("Adresse") << "BB_Tab_Adresse" << 4 << "PA_Adresse";
    QTest::newRow("Helligkeit") << "BB_Tab_Helligkeit" << 5 << "PA_Helligkeit";
    QTest::newRow("MF-Pin") << "BB_Tab_MF_Pin" << 6 << "PA_MF_Pin";
}

void TestMainWindow::tabSwitching()
{
    QFETCH(QString, button);
    QFETCH(int, tag);
    QFETCH(QString, panel);
    FormRig w;
    w.form->show();
    const QRect place = w.find<QWidget>("PA_Normal")->geometry();
    // Start elsewhere, so every switch is a real change.
    QTest::mouseClick(w.find<TFlatSpeedButton>(tag == 2 ? "BB_Tab_OSC" : "BB_Tab_Sequenz"), Qt::LeftButton);
    auto* b = w.form->findChild<TFlatSpeedButton*>(button);
    QCOMPARE(b->Tag, tag);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isChecked());
    int down = 0;
    for (TFlatSpeedButton* t : w.form->tabButtons)
        down += t->isChecked();
    QCOMPARE(down, 1);
    for (const char* name : PanelNames) {
        QCOMPARE(w.find<QWidget>(name)->isVisible(), panel == QLatin1String(name));
        QCOMPARE(w.find<QWidget>(name)->geometry(), place);
    }
}

void TestMainWindow::unknownTagHidesAll()
{
    FormRig w;
    w.form->show();
    TFlatSpeedButton stray(QStringLiteral("x"));
    stray.Tag = 7;
    w.form->BB_Tab_NormalClick(&stray);
    for (const char* name : PanelNames)
        QVERIFY2(!w.find<QWidget>(name)->isVisible(), name);
}

void TestMainWindow::minimumSize()
{
    FormRig w;
    QCOMPARE(w.form->minimumSize(), QSize(1076, 777));
    w.form->resize(800, 600);
    QCOMPARE(w.form->size(), QSize(1076, 777));
}

void TestMainWindow::menu()
{
    FormRig w;
    const QList<QAction*> top = w.form->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QStringLiteral("&Datei"));
    QCOMPARE(top[1]->text(), QStringLiteral("&Hilfe"));
    QVERIFY(!top[1]->isEnabled());
    QVERIFY(top[1]->menu()->actions().isEmpty());
    const QList<QAction*> items = top[0]->menu()->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0]->text(), QStringLiteral("RGB-Sequenz laden"));
    QCOMPARE(items[1]->text(), QStringLiteral("RGB-Sequenz speichern unter ..."));
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[3]->text(), QStringLiteral("B&eenden"));
}

void TestMainWindow::beendenEndsWithZero()
{
    FormRig w;
    w.find<QAction>("Beenden1")->trigger();
    QCOMPARE(w.exits, QList<int>{0});
}

void TestMainWindow::accessibleNames()
{
    FormRig w;
    for (const char* name : {"Error_Edit", "ScrollBar_Red", "Sequenz_StringGrid", "TrackBar1", "Red_Edit",
                             "CursorPos_Edit", "CB_SequenzProgNummer", "CB_MF_Pin", "BT_Osc_Freq_P"}) {
        auto* widget = w.find<QWidget>(name);
        QVERIFY2(widget, name);
        QVERIFY2(!widget->accessibleName().isEmpty(), name);
    }
    QCOMPARE(w.find<QWidget>("ADR_CSpinEdit")->accessibleName(), QStringLiteral("Adresse:"));
}

void TestMainWindow::pacingFollowsSpinEdits()
{
    FormRig w;
    QCOMPARE(w.form->transmitter().repeatCount(), 2);
    QCOMPARE(w.form->transmitter().repeatDelayMs(), 0);
    w.find<TCSpinEdit>("CSE_Repeat")->setValue(5);
    w.find<TCSpinEdit>("CSE_Delay")->setValue(40);
    QCOMPARE(w.form->transmitter().repeatCount(), 5);
    QCOMPARE(w.form->transmitter().repeatDelayMs(), 40);
}

void TestMainWindow::transmitterFoundOnceTheLoopTurns()
{
    FormRig w({.discovery = true});
    w.hid.plugTransmitter();
    auto* label = w.find<QLabel>("Geraet_Label");
    QCOMPARE(label->text(), QStringLiteral("USB-Gerätename:"));   // until the first device change
    QTRY_COMPARE(label->text(), QStringLiteral("USB-Gerätename: RU5-Dadezuviriz"));

    QTest::mouseClick(w.find<TFlatButton>("RC5_Button"), Qt::LeftButton);
    QCOMPARE(w.hid.sent.size(), std::size_t(1));
    QCOMPARE(w.hid.sent[0].bytes, (std::vector<std::uint8_t>{0x00, 0x0E, 0xC0, 0x00, 0, 0, 0}));
    QCOMPARE(w.find<QLineEdit>("Error_Edit")->text(), QStringLiteral("RC5-Daten: 0E C0 00 "));
    QVERIFY(w.find<QCheckBox>("Toggle_CheckBox")->isChecked());
}

void TestMainWindow::sendRc5InvertsToggleWithoutTransmitter()
{
    FormRig w({.discovery = true});
    QTRY_COMPARE(w.find<QLabel>("Geraet_Label")->text(), QStringLiteral("USB-Gerätename: "));
    auto* toggle = w.find<QCheckBox>("Toggle_CheckBox");
    auto* status = w.find<QLineEdit>("Error_Edit");
    status->setText(QStringLiteral("vorher"));
    QTest::mouseClick(w.find<TFlatButton>("RC5_Button"), Qt::LeftButton);
    QVERIFY(toggle->isChecked());
    QCOMPARE(status->text(), QStringLiteral("vorher"));
    QVERIFY(w.hid.sent.empty());
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
