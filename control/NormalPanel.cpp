#include "control/NormalPanel.h"

#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {
QStringList modeItems()
{
    QStringList items{QStringLiteral("Feste Farbe")};
    for (int i = 1; i <= 9; ++i)
        items << QStringLiteral("Sequenz %1").arg(i);
    return items;
}

} // namespace

NormalPanel::NormalPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PA_Normal"));

    E_Toggle_CheckBox = new QCheckBox(QStringLiteral("Toggle"), this);
    E_Toggle_CheckBox->setObjectName(QStringLiteral("E_Toggle_CheckBox"));
    E_Toggle_CheckBox->setGeometry(8, 4, 80, 18);

    E_ADR_CSpinEdit = TCSpinEdit::place(this, "E_ADR_CSpinEdit", 0, 3, 0, {8, 40, 50, 22},
                                        placeLabel(this, QStringLiteral("Befehl:"), 8, 24));
    E_DAT_CSpinEdit = TCSpinEdit::place(this, "E_DAT_CSpinEdit", 0, 255, 0, {64, 40, 56, 22},
                                        placeLabel(this, QStringLiteral("Data:"), 64, 24));
    BT_RC5_16B_senden = TFlatButton::place(this, "BT_RC5_16B_senden",
                                           QStringLiteral("Send RC5 (16Bit-Mode)"), {128, 39, 150, 24});

    const struct {
        const char* name;
        const char* label;
        QRgb colour;
    } fields[] = {{"Red_Edit", "Rot", qRgb(255, 204, 204)},
                  {"Green_Edit", "Grün", qRgb(204, 255, 204)},
                  {"Blue_Edit", "Blau", qRgb(204, 204, 255)}};
    QLineEdit* edits[3];
    for (int i = 0; i < 3; ++i) {
        auto* e = new QLineEdit(QStringLiteral("0"), this);
        e->setObjectName(QString::fromLatin1(fields[i].name));
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight);
        e->setGeometry(8 + i * 44, 74, 40, 21);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, QColor::fromRgb(fields[i].colour));
        e->setPalette(p);
        e->setAccessibleName(QString::fromUtf8(fields[i].label));
        edits[i] = e;
    }
    Red_Edit = edits[0];
    Green_Edit = edits[1];
    Blue_Edit = edits[2];
    BB_RC5_extended = TFlatButton::place(this, "BB_RC5_extended",
                                         QStringLiteral("Sende RGB-Werte"), {148, 73, 130, 24});

    RG_Mode = new TRadioGroup(QStringLiteral("Modus:"), modeItems(), 2, this);
    RG_Mode->setObjectName(QStringLiteral("RG_Mode"));
    RG_Mode->setGeometry(8, 104, 196, 118);
    RG_Mode->setItemIndex(0);

    BT_Setze_Mode = TFlatButton::place(this, "BT_Setze_Mode", QStringLiteral("Setze Modus"), {212, 112, 130, 24});
    BT_Mode_Speichern = TFlatButton::place(this, "BT_Mode_Speichern",
                                           QStringLiteral("Modus speichern"), {212, 140, 130, 24});
    BB_Reset = TFlatButton::place(this, "BB_Reset", QStringLiteral("Reset"), {212, 190, 130, 24});

    CB_MarkerEnabled = new QCheckBox(QStringLiteral("Marker sichtbar"), this);
    CB_MarkerEnabled->setObjectName(QStringLiteral("CB_MarkerEnabled"));
    CB_MarkerEnabled->setGeometry(8, 228, 150, 18);
}

QLineEdit* NormalPanel::valueEdit(int channel) const
{
    return channel == 0 ? Red_Edit : channel == 1 ? Green_Edit : Blue_Edit;
}
