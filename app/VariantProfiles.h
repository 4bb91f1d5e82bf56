#pragma once

#include "sequence/RgbFile.h"

#include <QObject>

#include <array>

class QRadioButton;
class TForm1;

// What a module variant offers. The lists of the other areas only differ in their tails:
// the number of sequence slots and the pin functions behind "nix" and "9846,15Hz".
struct VariantProfile {
    int maxSteps;
    int sequenceSlots;        // "Sequenz 1" .. "Sequenz <slots>" in the slot, follow-up and mode lists
    bool brightnessTab;       // BB_Tab_Helligkeit shown
    int pinExtraCount;        // entries of CB_MF_Pin behind the two every variant has
    std::array<const char*, 4> pinExtras;
};

// The profile of a variant, as the window shows it after switching to it.
const VariantProfile& variantProfile(ModuleVariant variant);

// The three variant radio buttons on Panel6 and the reshaping of the window when one
// becomes selected. The selected button is the only store of the variant.
class VariantSwitch : public QObject {
    Q_OBJECT
public:
    explicit VariantSwitch(TForm1& form);

    // RB_ATtiny85 if selected, else RB_ATtiny45 if selected, else ATtiny45 (MS).
    ModuleVariant selectedVariant() const;
    QRadioButton* button(ModuleVariant variant) const;
    // Selects the variant's button; a button that was not selected before applies its
    // profile as a click does, the selected one changes nothing.
    void select(ModuleVariant variant);

    // The common handler of the three buttons; runs only when a button becomes selected.
    void RB_ATtiny85Click();

private:
    void apply(const VariantProfile& profile);
    void showBrightnessTab(bool shown);
    void reshapePinList(const VariantProfile& profile);

    TForm1& m_form;
};
