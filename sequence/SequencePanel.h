#pragma once

#include <QWidget>

class QComboBox;
class QProgressBar;
class TCSpinEdit;
class TFlatButton;

// The "Sequenz" tab panel: check, slot and follow-up, upload with its three
// commit buttons, the percentages of the LED output and the pacing values.
class SequencePanel : public QWidget {
    Q_OBJECT
public:
    explicit SequencePanel(QWidget* parent = nullptr);

    TFlatButton* BB_SequenzPruefen;
    QComboBox* CB_SequenzProgNummer;
    QComboBox* CB_SequenzFolgeProgNummer;
    TFlatButton* BB_SequenzSenden;
    QProgressBar* ProgressBar1;
    TFlatButton* BB_SequenzAbspielen;
    TFlatButton* BB_SequenzSpeichern;
    TFlatButton* BB_SequenzAbbruch;
    TCSpinEdit* Red_Pro_CSpinEdit;
    TCSpinEdit* Green_Pro_CSpinEdit;
    TCSpinEdit* Blue_Pro_CSpinEdit;
    TCSpinEdit* CSE_Delay;
    TCSpinEdit* CSE_Repeat;

    TCSpinEdit* percent(int channel) const;
};
