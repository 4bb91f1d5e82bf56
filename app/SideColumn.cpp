#include "app/SideColumn.h"

#include "widgets/RgbLed.h"
#include "widgets/SpinEdit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

SideColumn::SideColumn(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SideColumn"));

    Panel6 = new QFrame(this);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setFrameShape(QFrame::StyledPanel);
    Panel6->setGeometry(0, 4, 95, 60);
    auto radio = [this](const char* name, const QString& caption, int y) {
        auto* b = new QRadioButton(caption, Panel6);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(3, y, 90, 18);
        return b;
    };
    RB_ATtiny85 = radio("RB_ATtiny85", QStringLiteral("ATtin85"), 2);
    RB_ATtiny45 = radio("RB_ATtiny45", QStringLiteral("ATtin45"), 21);
    RB_ATtiny45_S = radio("RB_ATtiny45_S", QStringLiteral("ATtin45 (MS)"), 40);
    RB_ATtiny85->setChecked(true);

    Senden_CheckBox = new QCheckBox(QStringLiteral("Senden"), this);
    Senden_CheckBox->setObjectName(QStringLiteral("Senden_CheckBox"));
    Senden_CheckBox->setGeometry(2, 70, 80, 18);

    CB_Simulation = new QCheckBox(QStringLiteral("Simulation"), this);
    CB_Simulation->setObjectName(QStringLiteral("CB_Simulation"));
    CB_Simulation->setGeometry(2, 90, 80, 18);

    auto* intervalLabel = new QLabel(QStringLiteral("Intervall (ms):"), this);
    intervalLabel->setGeometry(2, 112, 80, 16);
    CSpinEdit2 = new TCSpinEdit(5, 1000, 100, this);
    CSpinEdit2->setObjectName(QStringLiteral("CSpinEdit2"));
    CSpinEdit2->setGeometry(2, 128, 70, 22);
    intervalLabel->setBuddy(CSpinEdit2);
    CSpinEdit2->setAccessibleName(intervalLabel->text());

    CursorPos_Edit = new QLineEdit(QStringLiteral("0"), this);
    CursorPos_Edit->setObjectName(QStringLiteral("CursorPos_Edit"));
    CursorPos_Edit->setGeometry(2, 158, 70, 21);
    CursorPos_Edit->setAccessibleName(QStringLiteral("Cursor (Ticks)"));

    RGB_LED = new TRGB_LED(this);
    RGB_LED->setObjectName(QStringLiteral("RGB_LED"));
    RGB_LED->setGeometry(2, 190, 69, 49);

    CSpinEdit1 = new TCSpinEdit(1, 6554, 300, this);
    CSpinEdit1->setObjectName(QStringLiteral("CSpinEdit1"));
    CSpinEdit1->setAccessibleName(QStringLiteral("Zoom"));
    CSpinEdit1->hide();

    setFixedSize(96, 256);
}
