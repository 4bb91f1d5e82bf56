#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class TCSpinEdit;
class TFlatButton;
class TRadioGroup;

// The "Normal" tab panel: the free 16-bit frame, the channel value fields, the
// operating mode and reset, and the marker switch of the wave screen.
class NormalPanel : public QWidget {
    Q_OBJECT
public:
    explicit NormalPanel(QWidget* parent = nullptr);

    QCheckBox* E_Toggle_CheckBox;
    TCSpinEdit* E_ADR_CSpinEdit;
    TCSpinEdit* E_DAT_CSpinEdit;
    TFlatButton* BT_RC5_16B_senden;
    QLineEdit* Red_Edit;
    QLineEdit* Green_Edit;
    QLineEdit* Blue_Edit;
    TFlatButton* BB_RC5_extended;
    TRadioGroup* RG_Mode;
    TFlatButton* BT_Setze_Mode;
    TFlatButton* BT_Mode_Speichern;
    TFlatButton* BB_Reset;
    QCheckBox* CB_MarkerEnabled;

    QLineEdit* valueEdit(int channel) const;
};
