#include "app/SideColumn.h"
#include "app/VariantProfiles.h"
#include "sequence/SequenceGridModel.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

const char* const ButtonNames[] = {"RB_ATtiny85", "RB_ATtiny45", "RB_ATtiny45_S"};

QStringList sequences(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("Sequenz %1").arg(i);
    return list;
}

// The target column of the profile table, written out.
struct Expected {
    QStringList slotList, followList, modeList, pinList;
    int maxSteps;
    bool brightnessTab;
};

Expected expectedFor(ModuleVariant variant)
{
    const int n = variant == ModuleVariant::ATtiny85 ? 9 : 5;
    Expected e;
    e.slotList = sequences(n);
    e.followList = QStringList{QStringLiteral("keine"), QStringLiteral("Feste Farbe")} + sequences(n);
    e.modeList = QStringList{QStringLiteral("Feste Farbe")} + sequences(n);
    e.pinList = {QStringLiteral("nix"), QStringLiteral("9846,15Hz")};
    switch (variant) {
    case ModuleVariant::ATtiny85:
        e.pinList << QStringLiteral("RC5 Error") << QStringLiteral("RC5 Filter Output")
                  << QStringLiteral("Master Sync Output") << QStringLiteral("Slave Sync Input");
        break;
    case ModuleVariant::ATtiny45: break;
    case ModuleVariant::ATtiny45MS:
        e.pinList << QStringLiteral("---") << QStringLiteral("---") << QStringLiteral("Master Sync Output")
                  << QStringLiteral("Slave Sync Input");
        break;
    }
    e.maxSteps = variant == ModuleVariant::ATtiny85 ? 37 : 33;
    e.brightnessTab = variant != ModuleVariant::ATtiny45MS;
    return e;
}

struct Rig : FormRig {
    using FormRig::FormRig;

    void showWindow()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    QRadioButton* variantButton(ModuleVariant v) const { return find<QRadioButton>(ButtonNames[int(v)]); }
    // As the user does it: a mouse click on the radio button.
    void click(ModuleVariant v) { QTest::mouseClick(variantButton(v), Qt::LeftButton); }
    QComboBox* slotList() const { return find<QComboBox>("CB_SequenzProgNummer"); }
    QComboBox* followList() const { return find<QComboBox>("CB_SequenzFolgeProgNummer"); }
    TRadioGroup* modes() const { return find<TRadioGroup>("RG_Mode"); }
    QComboBox* pins() const { return find<QComboBox>("CB_MF_Pin"); }
    TCSpinEdit* count() const { return find<TCSpinEdit>("Count_CSpinEdit"); }
    TFlatSpeedButton* tab(const char* name) const { return find<TFlatSpeedButton>(name); }

    void verifyProfile(ModuleVariant v) const
    {
        const Expected e = expectedFor(v);
        QCOMPARE(comboItems(slotList()), e.slotList);
        QCOMPARE(comboItems(followList()), e.followList);
        QCOMPARE(modes()->items(), e.modeList);
        QCOMPARE(comboItems(pins()), e.pinList);
        QCOMPARE(form->maxSteps(), e.maxSteps);
        QCOMPARE(count()->maximum(), e.maxSteps);
        QCOMPARE(form->gridModel().rowCount(), e.maxSteps + 1);
        QCOMPARE(find<QTableView>("Sequenz_StringGrid")->model()->rowCount(), e.maxSteps + 1);
        QCOMPARE(tab("BB_Tab_Helligkeit")->isHidden(), !e.brightnessTab);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(variantButton(ModuleVariant(i))->isChecked(), i == int(v));
    }
};

} // namespace

Q_DECLARE_METATYPE(ModuleVariant)

class TestVariants : public QObject {
    Q_OBJECT
private slots:
    void profileTable();
    void startIsATtiny85();
    void switchOrders_data();
    void switchOrders();
    void switchingBackAndForthKeepsSharedEntries();
    void brightnessTab_data();
    void brightnessTab();
    void fewerStepsLimitGridAndCount();
    void hiddenRowsKeepTheirTexts();
    void clickingTheSelectedButtonChangesNothing_data();
    void clickingTheSelectedButtonChangesNothing();
    void selectionOfRemovedEntries();
    void selectionOfPinFunctions_data();
    void selectionOfPinFunctions();
    void keptSelectionsStay();
    void switchLeavesSequenceAndHeaderAlone();
    void nothingIsSent();
};

void TestVariants::profileTable()
{
    const VariantProfile& p85 = variantProfile(ModuleVariant::ATtiny85);
    const VariantProfile& p45 = variantProfile(ModuleVariant::ATtiny45);
    const VariantProfile& pMs = variantProfile(ModuleVariant::ATtiny45MS);
    QCOMPARE(p85.maxSteps, 37);
    QCOMPARE(p45.maxSteps, 33);
    QCOMPARE(pMs.maxSteps, 33);
    QCOMPARE(p85.sequenceSlots, 9);
    QCOMPARE(p45.sequenceSlots, 5);
    QCOMPARE(pMs.sequenceSlots, 5);
    QVERIFY(p85.brightnessTab);
    QVERIFY(p45.brightnessTab);
    QVERIFY(!pMs.brightnessTab);
    QCOMPARE(p45.pinExtraCount, 0);
    QCOMPARE(pMs.pinExtraCount, 4);
    QCOMPARE(QByteArray(pMs.pinExtras[2]), QByteArray("Master Sync Output"));
}

void TestVariants::startIsATtiny85()
{
    Rig r;
    r.verifyProfile(ModuleVariant::ATtiny85);
    QCOMPARE(r.slotList()->currentIndex(), 0);
    QCOMPARE(r.followList()->currentIndex(), 0);
    QCOMPARE(r.modes()->ItemIndex(), 0);
    QCOMPARE(r.pins()->currentIndex(), 0);
}

void TestVariants::switchOrders_data()
{
    QTest::addColumn<ModuleVariant>("from");
    QTest::addColumn<ModuleVariant>("to");
    using V = ModuleVariant;
    QTest::newRow("85 -> 45") << V::ATtiny85 << V::ATtiny45;
    QTest::newRow("45 -> 45MS") << V::ATtiny45 << V::ATtiny45MS;
    QTest::newRow("45MS -> 85") << V::ATtiny45MS << V::ATtiny85;
    QTest::newRow("45 -> 85") << V::ATtiny45 << V::ATtiny85;
    QTest::newRow("45MS -> 45") << V::ATtiny45MS << V::ATtiny45;
    QTest::newRow("85 -> 45MS") << V::ATtiny85 << V::ATtiny45MS;
}

void TestVariants::switchOrders()
{
    QFETCH(ModuleVariant, from);
    QFETCH(ModuleVariant, to);
    Rig r;
    r.showWindow();
    r.click(from);
    r.verifyProfile(from);
    r.click(to);
    r.verifyProfile(to);
    QCOMPARE(r.form->variants->selectedVariant(), to);
}

// Only the tails change: the entries both profiles have are the same objects before and after.
void TestVariants::switchingBackAndForthKeepsSharedEntries()
{
    Rig r;
    r.showWindow();
    QList<QRadioButton*> modeButtons;
    for (int i = 0; i < 6; ++i)
        modeButtons << r.modes()->button(i);
    r.slotList()->setItemData(4, 4711);
    r.followList()->setItemData(6, 4712);
    r.pins()->setItemData(1, 4713);

    r.click(ModuleVariant::ATtiny45);
    r.click(ModuleVariant::ATtiny45MS);
    r.click(ModuleVariant::ATtiny85);
    r.verifyProfile(ModuleVariant::ATtiny85);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(r.modes()->button(i), modeButtons[i]);
    QCOMPARE(r.slotList()->itemData(4).toInt(), 4711);
    QCOMPARE(r.followList()->itemData(6).toInt(), 4712);
    QCOMPARE(r.pins()->itemData(1).toInt(), 4713);
}

void TestVariants::brightnessTab_data()
{
    QTest::addColumn<QByteArray>("tab");
    QTest::addColumn<QByteArray>("panel");
    QTest::addColumn<QByteArray>("tabAfter");
    QTest::addColumn<QByteArray>("panelAfter");
    QTest::newRow("Helligkeit") << QByteArray("BB_Tab_Helligkeit") << QByteArray("PA_Helligkeit")
                                << QByteArray("BB_Tab_Normal") << QByteArray("PA_Normal");
    QTest::newRow("Normal") << QByteArray("BB_Tab_Normal") << QByteArray("PA_Normal") << QByteArray("BB_Tab_Normal")
                            << QByteArray("PA_Normal");
    QTest::newRow("Sequenz") << QByteArray("BB_Tab_Sequenz") << QByteArray("PA_Sequenz")
                             << QByteArray("BB_Tab_Sequenz") << QByteArray("PA_Sequenz");
    QTest::newRow("MF-Pin") << QByteArray("BB_Tab_MF_Pin") << QByteArray("PA_MF_Pin") << QByteArray("BB_Tab_MF_Pin")
                            << QByteArray("PA_MF_Pin");
    QTest::newRow("Osc") << QByteArray("BB_Tab_OSC") << QByteArray("PA_OSC") << QByteArray("BB_Tab_OSC")
                         << QByteArray("PA_OSC");
}

void TestVariants::brightnessTab()
{
    QFETCH(QByteArray, tab);
    QFETCH(QByteArray, panel);
    QFETCH(QByteArray, tabAfter);
    QFETCH(QByteArray, panelAfter);
    const char* const panels[] = {"PA_Normal", "PA_Sequenz", "PA_OSC", "PA_Adresse", "PA_Helligkeit", "PA_MF_Pin"};
    Rig r;
    r.showWindow();
    QTest::mouseClick(r.tab(tab.constData()), Qt::LeftButton);
    QVERIFY(r.find<QWidget>(panel.constData())->isVisible());

    r.click(ModuleVariant::ATtiny45MS);
    QVERIFY(!r.tab("BB_Tab_Helligkeit")->isVisible());
    QVERIFY(r.tab(tabAfter.constData())->isChecked());
    for (const char* name : panels)
        QCOMPARE(r.find<QWidget>(name)->isVisible(), panelAfter == name);

    // Back to a variant with brightness: the tab returns, the shown panel stays.
    r.click(ModuleVariant::ATtiny45);
    QVERIFY(r.tab("BB_Tab_Helligkeit")->isVisible());
    QVERIFY(r.tab(tabAfter.constData())->isChecked());
    QVERIFY(r.find<QWidget>(panelAfter.constData())->isVisible());
}

void TestVariants::fewerStepsLimitGridAndCount()
{
    Rig r;
    r.showWindow();
    r.count()->setValue(37);
    QCOMPARE(r.count()->value(), 37);

    r.click(ModuleVariant::ATtiny45);
    auto* grid = r.find<QTableView>("Sequenz_StringGrid");
    QCOMPARE(grid->model()->rowCount(), 34);
    QCOMPARE(grid->model()->index(33, 0).data().toString(), QStringLiteral("33"));
    QVERIFY(!grid->model()->index(34, 0).isValid());
    QCOMPARE(r.count()->value(), 33);
    r.count()->setValue(34);
    QCOMPARE(r.count()->value(), 33);
    r.count()->setValue(12);
    QCOMPARE(r.count()->value(), 12);

    r.click(ModuleVariant::ATtiny45MS);
    QCOMPARE(grid->model()->rowCount(), 34);
    QCOMPARE(r.count()->maximum(), 33);

    r.click(ModuleVariant::ATtiny85);
    QCOMPARE(grid->model()->rowCount(), 38);
    r.count()->setValue(37);
    QCOMPARE(r.count()->value(), 37);
}

void TestVariants::hiddenRowsKeepTheirTexts()
{
    Rig r;
    SequenceGridModel& grid = r.form->gridModel();
    grid.setCell(SequenceGridModel::ColTicks, 35, QStringLiteral("4000"));
    grid.setCell(SequenceGridModel::ColGreen, 37, QStringLiteral("99"));
    r.form->variants->select(ModuleVariant::ATtiny45);
    QCOMPARE(grid.rowCount(), 34);
    r.form->variants->select(ModuleVariant::ATtiny85);
    QCOMPARE(grid.rowCount(), 38);
    QCOMPARE(grid.data(grid.index(35, SequenceGridModel::ColTicks)).toString(), QStringLiteral("4000"));
    QCOMPARE(grid.data(grid.index(37, SequenceGridModel::ColGreen)).toString(), QStringLiteral("99"));
    QCOMPARE(grid.data(grid.index(37, SequenceGridModel::ColNumber)).toString(), QStringLiteral("37"));
}

void TestVariants::clickingTheSelectedButtonChangesNothing_data()
{
    QTest::addColumn<ModuleVariant>("variant");
    QTest::newRow("85") << ModuleVariant::ATtiny85;
    QTest::newRow("45") << ModuleVariant::ATtiny45;
    QTest::newRow("45MS") << ModuleVariant::ATtiny45MS;
}

void TestVariants::clickingTheSelectedButtonChangesNothing()
{
    QFETCH(ModuleVariant, variant);
    Rig r;
    r.showWindow();
    r.click(variant);
    // Marks that applying a profile would undo.
    r.pins()->addItem(QStringLiteral("marker"));
    r.slotList()->addItem(QStringLiteral("marker"));
    r.count()->setMaximum(10);
    QSignalSpy rows(&r.form->gridModel(), &QAbstractItemModel::rowsRemoved);

    r.click(variant);
    QVERIFY(r.variantButton(variant)->isChecked());
    QCOMPARE(r.pins()->itemText(r.pins()->count() - 1), QStringLiteral("marker"));
    QCOMPARE(r.slotList()->itemText(r.slotList()->count() - 1), QStringLiteral("marker"));
    QCOMPARE(r.count()->maximum(), 10);
    QCOMPARE(rows.count(), 0);

    // Selecting it from code (as loading a file does) changes nothing either.
    r.form->variants->select(variant);
    QCOMPARE(r.pins()->itemText(r.pins()->count() - 1), QStringLiteral("marker"));
    QCOMPARE(r.count()->maximum(), 10);
}

// A selected entry that goes away hands the selection to the last entry that stays, in one change.
void TestVariants::selectionOfRemovedEntries()
{
    Rig r;
    r.showWindow();
    r.slotList()->setCurrentIndex(6);     // "Sequenz 7"
    r.followList()->setCurrentIndex(10);  // "Sequenz 9"
    r.modes()->setItemIndex(8);           // "Sequenz 8"
    QSignalSpy slotSpy(r.slotList(), &QComboBox::currentIndexChanged);
    QSignalSpy followSpy(r.followList(), &QComboBox::currentIndexChanged);
    QSignalSpy modeSpy(r.modes(), &TRadioGroup::itemIndexChanged);

    r.click(ModuleVariant::ATtiny45);
    QCOMPARE(r.slotList()->currentIndex(), 4);
    QCOMPARE(r.slotList()->currentText(), QStringLiteral("Sequenz 5"));
    QCOMPARE(r.followList()->currentIndex(), 6);
    QCOMPARE(r.followList()->currentText(), QStringLiteral("Sequenz 5"));
    QCOMPARE(r.modes()->ItemIndex(), 5);
    QVERIFY(r.modes()->button(5)->isChecked());
    QCOMPARE(slotSpy.count(), 1);
    QCOMPARE(followSpy.count(), 1);
    QCOMPARE(modeSpy.count(), 1);
    QCOMPARE(modeSpy.first().first().toInt(), 5);

    // Growing again keeps the selection where it is.
    r.click(ModuleVariant::ATtiny85);
    QCOMPARE(r.slotList()->currentIndex(), 4);
    QCOMPARE(r.followList()->currentIndex(), 6);
    QCOMPARE(r.modes()->ItemIndex(), 5);
}

void TestVariants::selectionOfPinFunctions_data()
{
    QTest::addColumn<ModuleVariant>("from");
    QTest::addColumn<int>("selected");
    QTest::addColumn<ModuleVariant>("to");
    QTest::addColumn<int>("expected");
    using V = ModuleVariant;
    QTest::newRow("RC5 Error to 45") << V::ATtiny85 << 2 << V::ATtiny45 << 0;
    QTest::newRow("RC5 Error to 45MS") << V::ATtiny85 << 2 << V::ATtiny45MS << 0;
    QTest::newRow("Master Sync to 45MS") << V::ATtiny85 << 4 << V::ATtiny45MS << 4;
    QTest::newRow("Slave Sync to 85") << V::ATtiny45MS << 5 << V::ATtiny85 << 5;
    QTest::newRow("--- to 85") << V::ATtiny45MS << 3 << V::ATtiny85 << 0;
    QTest::newRow("Master Sync to 45") << V::ATtiny45MS << 4 << V::ATtiny45 << 0;
    QTest::newRow("9846 to 45") << V::ATtiny85 << 1 << V::ATtiny45 << 1;
    QTest::newRow("9846 to 85") << V::ATtiny45 << 1 << V::ATtiny85 << 1;
}

void TestVariants::selectionOfPinFunctions()
{
    QFETCH(ModuleVariant, from);
    QFETCH(int, selected);
    QFETCH(ModuleVariant, to);
    QFETCH(int, expected);
    Rig r;
    r.form->variants->select(from);
    r.pins()->setCurrentIndex(selected);
    r.form->variants->select(to);
    QCOMPARE(r.pins()->currentIndex(), expected);
    QCOMPARE(r.pins()->currentText(), r.pins()->itemText(expected));
}

void TestVariants::keptSelectionsStay()
{
    Rig r;
    r.slotList()->setCurrentIndex(2);
    r.followList()->setCurrentIndex(1);
    r.modes()->setItemIndex(0);
    QSignalSpy slotSpy(r.slotList(), &QComboBox::currentIndexChanged);
    QSignalSpy modeSpy(r.modes(), &TRadioGroup::itemIndexChanged);
    r.form->variants->select(ModuleVariant::ATtiny45MS);
    QCOMPARE(r.slotList()->currentIndex(), 2);
    QCOMPARE(r.followList()->currentIndex(), 1);
    QCOMPARE(r.modes()->ItemIndex(), 0);
    QCOMPARE(slotSpy.count(), 0);
    QCOMPARE(modeSpy.count(), 0);
}

// The table, the header values and the grid's texts stay; only the row count changes.
void TestVariants::switchLeavesSequenceAndHeaderAlone()
{
    Rig r;
    const SequenceTable before = r.form->sequenceTable();
    const int tsEnd = r.find<TCSpinEdit>("TSEnd_CSpinEdit")->value();
    const int count = r.count()->value();
    const QString caption = r.form->windowTitle();
    r.form->variants->select(ModuleVariant::ATtiny45);
    r.form->variants->select(ModuleVariant::ATtiny45MS);
    for (int i = 0; i < StorageSteps; ++i) {
        const SequenceStep a = r.form->sequenceTable().step(i), b = before.step(i);
        QCOMPARE(a.time, b.time);
        QCOMPARE(a.red, b.red);
        QCOMPARE(a.green, b.green);
        QCOMPARE(a.blue, b.blue);
    }
    QCOMPARE(r.find<TCSpinEdit>("TSEnd_CSpinEdit")->value(), tsEnd);
    QCOMPARE(r.count()->value(), count);
    QCOMPARE(r.find<TCSpinEdit>("Speed_CSpinEdit")->value(), 10);
    QCOMPARE(r.form->windowTitle(), caption);
    QVERIFY(r.prompts.errors.isEmpty());
}

void TestVariants::nothingIsSent()
{
    Rig r({.discovery = true});
    r.hid.plugTransmitter();
    auto* label = r.find<QLabel>("Geraet_Label");
    QTRY_COMPARE(label->text(), QStringLiteral("USB-Gerätename: RU5-Dadezuviriz"));
    r.showWindow();
    r.hid.sent.clear();
    r.click(ModuleVariant::ATtiny45);
    r.click(ModuleVariant::ATtiny45MS);
    r.click(ModuleVariant::ATtiny85);
    QCOMPARE(r.hid.sent.size(), std::size_t(0));
}

QTEST_MAIN(TestVariants)
#include "test_variants.moc"
