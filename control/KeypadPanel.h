#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;
class TCSpinEdit;
class TFlatButton;
class Transmitter;

// The top-left area: transmitter name, status line, and the RC5 handset (address,
// command, keypad, "Send RC5", repeat sending every 50 ms).
class KeypadPanel : public QWidget {
    Q_OBJECT
public:
    KeypadPanel(Transmitter& transmitter, QWidget* parent = nullptr);

    QLabel* Geraet_Label;
    QLineEdit* Error_Edit;
    QCheckBox* Toggle_CheckBox;
    QCheckBox* CheckBox_50ms;
    TCSpinEdit* ADR_CSpinEdit;
    TCSpinEdit* CMD_CSpinEdit;
    QList<TFlatButton*> keypad;   // in table order
    TFlatButton* RC5_Button;
    QTimer* Timer1;

    // Shows the outcome of a send and repaints the field at once.
    void showStatus(const QString& text);

    void Button_Nr_Click(TFlatButton* sender);
    // "Send RC5"; a send started by Timer1 keeps the toggle.
    void RC5_ButtonClick(QObject* sender);
    void CheckBox_50msClick();
    void Timer1Timer();

private:
    Transmitter& m_transmitter;
};
