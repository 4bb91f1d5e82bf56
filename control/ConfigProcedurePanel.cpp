#include "control/ConfigProcedurePanel.h"

#include "widgets/FlatButton.h"
#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QStyle>

const QList<ConfigPanelDef>& configPanelDefs()
{
    static const QList<ConfigPanelDef> defs = {
        {"PA_OSC", {"BB_Osc_Kal", "Osc. Kalibriermodus setzen"}, "CSE_OSCCAL", "OSCCAL:", false, 0, 255, 146,
         nullptr, {"BB_OSC_Setzen", "Übertragen"}, true, {"BT_Osc_Speichern", "Speichern"},
         {"BT_Osc_Abbruch", "Abbruch"}},
        {"PA_Adresse", {"BB_Adresse", "Adressierungsmodus setzen"}, "CSE_Adr", "Adresse:", false, 0, 6, 0, nullptr,
         {"BB_Adr_Setzen", "Übertragen"}, false, {"BB_Adr_Speichern", "Speichern"}, {"BB_Adr_Abbruch", "Abbruch"}},
        {"PA_Helligkeit", {"BB_Helligkeit", "Helligkeitsmodus setzen"}, "CSE_Hell", "Helligkeit:", false, 1, 100,
         100, "%", {"BB_Hell_Setzen", "Übertragen"}, false, {"BB_Hell_Speichern", "Speichern"},
         {"BB_Hell_Abbruch", "Abbruch"}},
        {"PA_MF_Pin", {"BB_MF_Pin", "MF-Pin Modus setzen"}, "CB_MF_Pin", "Modus:", true, 0, 0, 0, nullptr,
         {"BB_MF_Pin_Setzen", "Übertragen"}, false, {"BB_MF_Pin_Speichern", "Speichern"},
         {"BB_MF_Pin_Abbruch", "Abbruch"}},
    };
    return defs;
}

namespace {
TFlatButton* button(QWidget* parent, const ConfigPanelDef::Button& b, QRect geometry)
{
    return TFlatButton::place(parent, b.name, QString::fromUtf8(b.caption), geometry);
}
} // namespace

ConfigProcedurePanel::ConfigProcedurePanel(const ConfigPanelDef& def, QWidget* parent) : QWidget(parent), m_def(def)
{
    setObjectName(QString::fromLatin1(def.panelName));

    placeLabel(this, QStringLiteral("1."), 6, 10, true);
    step1Button = button(this, def.step1, {24, 6, 220, 25});

    placeLabel(this, QStringLiteral("2."), 6, 46, true);
    QLabel* valueLabel = placeLabel(this, QString::fromUtf8(def.valueLabel), 24, 42);
    QWidget* valueControl;
    if (def.isList) {
        valueList = new QComboBox(this);
        valueList->setEditable(true);
        // Typing into the field never adds an entry: the list positions are what the module knows.
        valueList->setInsertPolicy(QComboBox::NoInsert);
        valueList->addItems({QStringLiteral("nix"), QStringLiteral("9846,15Hz"), QStringLiteral("RC5 Error"),
                             QStringLiteral("RC5 Filter Output"), QStringLiteral("Master Sync Output"),
                             QStringLiteral("Slave Sync Input")});
        valueList->setGeometry(24, 58, 150, 22);
        valueControl = valueList;
    } else {
        valueSpin = new TCSpinEdit(def.minimum, def.maximum, def.start, this);
        valueSpin->setGeometry(24, 58, 70, 22);
        valueControl = valueSpin;
        if (def.unit)
            placeLabel(this, QString::fromUtf8(def.unit), 98, 62);
    }
    valueControl->setObjectName(QString::fromLatin1(def.valueName));
    valueControl->setAccessibleName(valueLabel->text());
    valueLabel->setBuddy(valueControl);
    transferButton = button(this, def.transfer, {182, 57, 110, 25});

    if (def.frequencyButtons) {
        frequencyUp = button(this, {"BT_Osc_Freq_P", ""}, {24, 90, 25, 23});
        frequencyUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
        frequencyUp->setAccessibleName(QStringLiteral("Frequenz erhöhen"));
        placeLabel(this, QStringLiteral("Frequenz erhöhen"), 54, 94)->setBuddy(frequencyUp);
        frequencyDown = button(this, {"BT_Osc_Freq_M", ""}, {24, 116, 25, 23});
        frequencyDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
        frequencyDown->setAccessibleName(QStringLiteral("Frequenz verringern"));
        placeLabel(this, QStringLiteral("Frequenz verringern"), 54, 120)->setBuddy(frequencyDown);
    }

    placeLabel(this, QStringLiteral("3."), 6, 162, true);
    storeButton = button(this, def.store, {24, 158, 100, 25});
    placeLabel(this, QStringLiteral("oder"), 134, 163);
    cancelButton = button(this, def.cancel, {168, 158, 100, 25});

    for (TFlatButton* b : modeButtons())
        b->setEnabled(false);
}

QList<TFlatButton*> ConfigProcedurePanel::modeButtons() const
{
    QList<TFlatButton*> list;
    if (frequencyUp)
        list << frequencyUp << frequencyDown;
    list << transferButton << storeButton << cancelButton;
    return list;
}
