#pragma once

#include <QWidget>

class QCheckBox;
class QFrame;
class QLineEdit;
class QRadioButton;
class TCSpinEdit;
class TRGB_LED;

// The narrow column between the sliders and the tab panels: module variant,
// live sending, simulation, cursor tick and the on-screen LED.
class SideColumn : public QWidget {
    Q_OBJECT
public:
    explicit SideColumn(QWidget* parent = nullptr);

    QFrame* Panel6;
    QRadioButton* RB_ATtiny85;
    QRadioButton* RB_ATtiny45;
    QRadioButton* RB_ATtiny45_S;
    QCheckBox* Senden_CheckBox;
    QCheckBox* CB_Simulation;
    TCSpinEdit* CSpinEdit2;
    QLineEdit* CursorPos_Edit;
    TRGB_LED* RGB_LED;
    TCSpinEdit* CSpinEdit1;
};
