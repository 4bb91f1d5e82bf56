#include "control/KeypadPanel.h"

#include "transmitter/Transmitter.h"
#include "widgets/FlatButton.h"
#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

struct KeyDef {
    const char* name;
    const char* caption;
    int command;   // the button's Tag
    int x, y, width;
    QRgb colour;   // 0: plain
};

constexpr QRgb LightRed = qRgb(255, 204, 204);
constexpr QRgb LightGreen = qRgb(204, 255, 204);
constexpr QRgb LightBlue = qRgb(204, 204, 255);

// The keypad as it stands on the window, row by row.
constexpr KeyDef Keys[] = {
    {"BB_1", "1", 1, 8, 114, 44, 0},    {"BB_2", "2", 2, 54, 114, 44, 0},
    {"BB_3", "3", 3, 100, 114, 44, 0},  {"BB_4", "4", 4, 146, 114, 44, 0},
    {"BB_5", "5", 5, 8, 138, 44, 0},    {"BB_6", "6", 6, 54, 138, 44, 0},
    {"BB_7", "7", 7, 100, 138, 44, 0},  {"BB_8", "8", 8, 146, 138, 44, 0},
    {"BB_9", "9", 9, 8, 162, 44, 0},    {"BB_0", "0", 0, 54, 162, 44, 0},
    {"BB_13", "Speichern", 13, 100, 162, 90, 0},
    {"FlatButton1", "R+", 18, 8, 196, 29, LightRed},   {"FlatButton2", "R-", 19, 39, 196, 29, LightRed},
    {"FlatButton3", "G+", 20, 70, 196, 29, LightGreen}, {"FlatButton4", "G-", 21, 101, 196, 29, LightGreen},
    {"FlatButton5", "B+", 16, 132, 196, 29, LightBlue}, {"FlatButton6", "B-", 17, 163, 196, 29, LightBlue},
};

} // namespace

KeypadPanel::KeypadPanel(Transmitter& transmitter, QWidget* parent) : QWidget(parent), m_transmitter(transmitter)
{
    setObjectName(QStringLiteral("KeypadArea"));

    Geraet_Label = new QLabel(QStringLiteral("USB-Gerätename:"), this);
    Geraet_Label->setObjectName(QStringLiteral("Geraet_Label"));
    Geraet_Label->setGeometry(8, 4, 190, 16);

    Error_Edit = new QLineEdit(this);
    Error_Edit->setObjectName(QStringLiteral("Error_Edit"));
    Error_Edit->setGeometry(8, 20, 185, 21);
    QFont courier(QStringLiteral("Courier New"), 8);
    courier.setStyleHint(QFont::TypeWriter);
    Error_Edit->setFont(courier);
    Error_Edit->setAccessibleName(QStringLiteral("Status"));

    Toggle_CheckBox = new QCheckBox(QStringLiteral("Toggle"), this);
    Toggle_CheckBox->setObjectName(QStringLiteral("Toggle_CheckBox"));
    Toggle_CheckBox->setGeometry(8, 46, 70, 18);

    CheckBox_50ms = new QCheckBox(QStringLiteral("sende alle 50ms"), this);
    CheckBox_50ms->setObjectName(QStringLiteral("CheckBox_50ms"));
    CheckBox_50ms->setGeometry(80, 46, 115, 18);

    ADR_CSpinEdit = TCSpinEdit::place(this, "ADR_CSpinEdit", 0, 31, 0, {8, 82, 62, 22},
                                      placeLabel(this, QStringLiteral("Adresse:"), 8, 66));
    CMD_CSpinEdit = TCSpinEdit::place(this, "CMD_CSpinEdit", 0, 63, 0, {80, 82, 62, 22},
                                      placeLabel(this, QStringLiteral("Befehl:"), 80, 66));

    for (const KeyDef& k : Keys) {
        auto* b = new TFlatButton(QString::fromUtf8(k.caption), this);
        b->setObjectName(QString::fromLatin1(k.name));
        b->Tag = k.command;
        b->setGeometry(k.x, k.y, k.width, 22);
        if (k.colour)
            b->setFaceColor(QColor::fromRgb(k.colour));
        connect(b, &QPushButton::clicked, this, [this, b] { Button_Nr_Click(b); });
        keypad.append(b);
    }

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 188, 184, 4);

    RC5_Button = new TFlatButton(QStringLiteral("Send RC5"), this);
    RC5_Button->setObjectName(QStringLiteral("RC5_Button"));
    RC5_Button->setGeometry(8, 224, 184, 25);
    connect(RC5_Button, &QPushButton::clicked, this, [this] { RC5_ButtonClick(RC5_Button); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &KeypadPanel::Timer1Timer);
    connect(CheckBox_50ms, &QCheckBox::toggled, this, &KeypadPanel::CheckBox_50msClick);

    connect(&m_transmitter, &Transmitter::statusChanged, this, &KeypadPanel::showStatus);
    setFixedSize(200, 256);
}

void KeypadPanel::showStatus(const QString& text)
{
    Error_Edit->setText(text);
    // Paced sends keep the thread busy; the field must show the text now.
    Error_Edit->repaint();
}

void KeypadPanel::Button_Nr_Click(TFlatButton* sender)
{
    CMD_CSpinEdit->setValue(sender->Tag);
    RC5_ButtonClick(sender);
}

void KeypadPanel::RC5_ButtonClick(QObject* sender)
{
    m_transmitter.SendStandardFrame(Toggle_CheckBox->isChecked(), ADR_CSpinEdit->value(), CMD_CSpinEdit->value());
    if (sender != Timer1)
        Toggle_CheckBox->setChecked(!Toggle_CheckBox->isChecked());
}

void KeypadPanel::CheckBox_50msClick()
{
    if (CheckBox_50ms->isChecked())
        Timer1->start();
    else
        Timer1->stop();
}

void KeypadPanel::Timer1Timer()
{
    RC5_ButtonClick(Timer1);
}
