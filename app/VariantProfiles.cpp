#include "app/VariantProfiles.h"

#include "app/SideColumn.h"
#include "app/TForm1.h"
#include "control/ConfigProcedurePanel.h"
#include "control/NormalPanel.h"
#include "protocol/ConfigProcedures.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequencePanel.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QRadioButton>

namespace {

// Indexed by ModuleVariant (the value a sequence file keeps in "Modul").
constexpr VariantProfile Profiles[] = {
    // ATtiny85
    {37, 9, true, 4, {"RC5 Error", "RC5 Filter Output", "Master Sync Output", "Slave Sync Input"}},
    // ATtiny45
    {33, 5, true, 0, {}},
    // ATtiny45 (MS): the two "---" keep the sync functions at the positions the ATtiny85 list has them.
    {33, 5, false, 4, {"---", "---", "Master Sync Output", "Slave Sync Input"}},
};

// Entries of CB_MF_Pin every variant has ("nix", "9846,15Hz").
constexpr int SharedPinEntries = 2;
// Entries in front of "Sequenz 1".
constexpr int FixedSlotEntries = 0;    // CB_SequenzProgNummer
constexpr int FixedFollowEntries = 2;  // CB_SequenzFolgeProgNummer: "keine", "Feste Farbe"
constexpr int FixedModeEntries = 1;    // RG_Mode: "Feste Farbe"

// The sequence lists are combo boxes and a radio group; the same steps reshape both.
int entries(const QComboBox* list) { return list->count(); }
int entries(const TRadioGroup* list) { return list->count(); }
int selected(const QComboBox* list) { return list->currentIndex(); }
int selected(const TRadioGroup* list) { return list->ItemIndex(); }
void select(QComboBox* list, int index) { list->setCurrentIndex(index); }
void select(TRadioGroup* list, int index) { list->setItemIndex(index); }
void append(QComboBox* list, const QString& text) { list->addItem(text); }
void append(TRadioGroup* list, const QString& text) { list->appendItem(text); }
void removeLast(QComboBox* list) { list->removeItem(list->count() - 1); }
void removeLast(TRadioGroup* list) { list->removeLastItem(); }

// Brings a list to "Sequenz 1" .. "Sequenz <slotCount>" behind its fixed entries by changing
// only its tail. A selected entry that goes away hands the selection to the last entry that
// stays (selected before removing, so the list never holds no selection and reports one change).
template <class List>
void reshapeSequenceList(List* list, int fixedEntries, int slotCount)
{
    const int target = fixedEntries + slotCount;
    if (selected(list) >= target)
        select(list, target - 1);
    while (entries(list) > target)
        removeLast(list);
    while (entries(list) < target)
        append(list, QStringLiteral("Sequenz %1").arg(entries(list) - fixedEntries + 1));
}

TFlatSpeedButton* tabWithTag(const TForm1& form, int tag)
{
    for (TFlatSpeedButton* b : form.tabButtons)
        if (b->Tag == tag)
            return b;
    return nullptr;
}

constexpr int NormalTag = 1;
constexpr int BrightnessTag = 5;

} // namespace

const VariantProfile& variantProfile(ModuleVariant variant)
{
    return Profiles[static_cast<int>(variant)];
}

VariantSwitch::VariantSwitch(TForm1& form) : QObject(&form), m_form(form)
{
    setObjectName(QStringLiteral("VariantSwitch"));
    for (QRadioButton* b : {m_form.side->RB_ATtiny85, m_form.side->RB_ATtiny45, m_form.side->RB_ATtiny45_S})
        // toggled(true) comes only when a button becomes selected (the previous one is
        // already cleared then); clicking the selected button again raises nothing.
        connect(b, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                RB_ATtiny85Click();
        });
}

ModuleVariant VariantSwitch::selectedVariant() const
{
    if (m_form.side->RB_ATtiny85->isChecked())
        return ModuleVariant::ATtiny85;
    if (m_form.side->RB_ATtiny45->isChecked())
        return ModuleVariant::ATtiny45;
    return ModuleVariant::ATtiny45MS;
}

QRadioButton* VariantSwitch::button(ModuleVariant variant) const
{
    switch (variant) {
    case ModuleVariant::ATtiny85: return m_form.side->RB_ATtiny85;
    case ModuleVariant::ATtiny45: return m_form.side->RB_ATtiny45;
    case ModuleVariant::ATtiny45MS: break;
    }
    return m_form.side->RB_ATtiny45_S;
}

void VariantSwitch::select(ModuleVariant variant)
{
    button(variant)->setChecked(true);
}

void VariantSwitch::RB_ATtiny85Click()
{
    apply(variantProfile(selectedVariant()));
}

void VariantSwitch::apply(const VariantProfile& profile)
{
    m_form.setMaxSteps(profile.maxSteps);
    showBrightnessTab(profile.brightnessTab);

    reshapeSequenceList(m_form.sequence->CB_SequenzProgNummer, FixedSlotEntries, profile.sequenceSlots);
    reshapeSequenceList(m_form.sequence->CB_SequenzFolgeProgNummer, FixedFollowEntries, profile.sequenceSlots);
    reshapeSequenceList(m_form.normal->RG_Mode, FixedModeEntries, profile.sequenceSlots);

    reshapePinList(profile);

    // The grid's row count is MaxSteps + 1 already: MaxSteps is the grid's step count.
    m_form.editor->Count_CSpinEdit->setMaximum(m_form.maxSteps());
}

void VariantSwitch::showBrightnessTab(bool shown)
{
    TFlatSpeedButton* brightness = tabWithTag(m_form, BrightnessTag);
    brightness->setVisible(shown);
    if (shown || !brightness->isChecked())
        return;
    // The brightness panel must not stay on screen without its tab: fall back to "Normal".
    TFlatSpeedButton* normalTab = tabWithTag(m_form, NormalTag);
    normalTab->setChecked(true);
    m_form.BB_Tab_NormalClick(normalTab);
}

void VariantSwitch::reshapePinList(const VariantProfile& profile)
{
    QComboBox* list = m_form.procedures[protocol::ProcedurePin]->valueList;
    // Everything behind the shared entries is rebuilt. A selection there falls back to "nix"
    // (no pin function) unless the new list has the same function at the same position.
    const int oldIndex = list->currentIndex();
    const QString oldText = list->itemText(oldIndex);
    if (oldIndex >= SharedPinEntries)
        list->setCurrentIndex(0);
    while (list->count() > SharedPinEntries)
        list->removeItem(list->count() - 1);
    for (int i = 0; i < profile.pinExtraCount; ++i)
        list->addItem(QString::fromUtf8(profile.pinExtras[i]));
    if (oldIndex >= SharedPinEntries && list->itemText(oldIndex) == oldText)
        list->setCurrentIndex(oldIndex);
}
