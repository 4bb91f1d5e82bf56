#pragma once

#include <QWidget>

class QLabel;
class QRadioButton;
class QTableView;
class SequenceGridModel;
class TCSpinEdit;
class TFlatButton;

// The right column: time display format, tick length and repeat count, the
// colour-column rotation buttons, the sequence grid and the hidden Count/TS_End.
class SequenceEditor : public QWidget {
    Q_OBJECT
public:
    // The column's left edge in the window at the design size; the grid stands at 752.
    static constexpr int DesignLeft = 744;
    // The column's height at the window's design size, where the grid is 630 px high.
    static constexpr int DesignHeight = 756;

    SequenceEditor(SequenceGridModel& model, QWidget* parent = nullptr);

    QRadioButton* RB_Absolut;
    QRadioButton* RB_Relativ;
    TCSpinEdit* Speed_CSpinEdit;
    QLabel* LB_Intervall_real;
    TCSpinEdit* CSE_PlayMode;
    TFlatButton* BT_Red_Up;
    TFlatButton* BT_Red_Down;
    TFlatButton* BT_Green_Up;
    TFlatButton* BT_Green_Down;
    TFlatButton* BT_Blue_Up;
    TFlatButton* BT_Blue_Down;
    QTableView* Sequenz_StringGrid;
    TCSpinEdit* TSEnd_CSpinEdit;
    TCSpinEdit* Count_CSpinEdit;

    SequenceGridModel& model() { return m_model; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    SequenceGridModel& m_model;
};
