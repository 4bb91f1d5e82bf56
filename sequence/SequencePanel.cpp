#include "sequence/SequencePanel.h"

#include "sequence/ProgramComboDelegate.h"
#include "widgets/FlatButton.h"
#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>

namespace {
// A spin edit of the panel's lower rows with its caption above it.
TCSpinEdit* spin(QWidget* parent, const char* name, const QString& caption, int min, int max, int value, int x,
                 int y)
{
    return TCSpinEdit::place(parent, name, min, max, value, {x, y + 16, 54, 22}, placeLabel(parent, caption, x, y));
}

QStringList sequenceItems(int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("Sequenz %1").arg(i);
    return items;
}
} // namespace

SequencePanel::SequencePanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PA_Sequenz"));

    placeLabel(this, QStringLiteral("1."), 6, 9, true);
    BB_SequenzPruefen = TFlatButton::place(this, "BB_SequenzPruefen",
                                           QStringLiteral("Prüfen / Übernehmen"), {22, 4, 322, 25});

    QLabel* slotLabel = placeLabel(this, QStringLiteral("Sequenz Speicherplatz:"), 22, 34);
    CB_SequenzProgNummer = new QComboBox(this);
    CB_SequenzProgNummer->setObjectName(QStringLiteral("CB_SequenzProgNummer"));
    CB_SequenzProgNummer->addItems(sequenceItems(9));
    CB_SequenzProgNummer->setMaxVisibleItems(9);
    ProgramComboDelegate::install(CB_SequenzProgNummer);
    CB_SequenzProgNummer->setGeometry(22, 50, 150, 22);
    CB_SequenzProgNummer->setAccessibleName(slotLabel->text());
    slotLabel->setBuddy(CB_SequenzProgNummer);

    QLabel* followLabel = placeLabel(this, QStringLiteral("Folge Sequenz:"), 190, 34);
    CB_SequenzFolgeProgNummer = new QComboBox(this);
    CB_SequenzFolgeProgNummer->setObjectName(QStringLiteral("CB_SequenzFolgeProgNummer"));
    CB_SequenzFolgeProgNummer->addItems(QStringList{QStringLiteral("keine"), QStringLiteral("Feste Farbe")} +
                                        sequenceItems(9));
    CB_SequenzFolgeProgNummer->setMaxVisibleItems(11);
    ProgramComboDelegate::install(CB_SequenzFolgeProgNummer);
    CB_SequenzFolgeProgNummer->setGeometry(190, 50, 154, 22);
    CB_SequenzFolgeProgNummer->setAccessibleName(followLabel->text());
    followLabel->setBuddy(CB_SequenzFolgeProgNummer);

    placeLabel(this, QStringLiteral("2."), 6, 84, true);
    BB_SequenzSenden = TFlatButton::place(this, "BB_SequenzSenden", QStringLiteral("Übertragen"), {22, 79, 170, 25});
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 194);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(198, 83, 146, 17);

    placeLabel(this, QStringLiteral("3."), 6, 117, true);
    BB_SequenzAbspielen = TFlatButton::place(this, "BB_SequenzAbspielen",
                                             QStringLiteral("Abspielen"), {22, 112, 84, 25});
    placeLabel(this, QStringLiteral("oder"), 112, 117);
    BB_SequenzSpeichern = TFlatButton::place(this, "BB_SequenzSpeichern",
                                             QStringLiteral("Speichern"), {140, 112, 84, 25});
    placeLabel(this, QStringLiteral("oder"), 230, 117);
    BB_SequenzAbbruch = TFlatButton::place(this, "BB_SequenzAbbruch", QStringLiteral("Abbruch"), {258, 112, 84, 25});
    for (TFlatButton* b : {BB_SequenzAbspielen, BB_SequenzSpeichern, BB_SequenzAbbruch})
        b->setEnabled(false);

    placeLabel(this, QStringLiteral("max. LED Aussteuerung:"), 6, 150, true);
    Red_Pro_CSpinEdit = spin(this, "Red_Pro_CSpinEdit", QStringLiteral("Rot (%):"), 0, 100, 100, 6, 168);
    Green_Pro_CSpinEdit = spin(this, "Green_Pro_CSpinEdit", QStringLiteral("Grün (%):"), 0, 100, 100, 66, 168);
    Blue_Pro_CSpinEdit = spin(this, "Blue_Pro_CSpinEdit", QStringLiteral("Blau (%):"), 0, 100, 100, 126, 168);

    placeLabel(this, QStringLiteral("RC5 Übertragungsparameter:"), 190, 150, true);
    CSE_Delay = spin(this, "CSE_Delay", QStringLiteral("Wartezeit:"), 0, 100, 0, 190, 168);
    CSE_Repeat = spin(this, "CSE_Repeat", QStringLiteral("Wiederholungen:"), 1, 10, 2, 262, 168);
}

TCSpinEdit* SequencePanel::percent(int channel) const
{
    return channel == 0 ? Red_Pro_CSpinEdit : channel == 1 ? Green_Pro_CSpinEdit : Blue_Pro_CSpinEdit;
}
