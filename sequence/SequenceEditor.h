#pragma once

#include <QWidget>

#include <functional>

class Prompts;
class QLabel;
class QRadioButton;
class SequenceGridModel;
class SequenceGridView;
class TCSpinEdit;
class TFlatButton;

// The right column: time display format, tick length and repeat count, the
// colour-column rotation buttons, the sequence grid and the hidden Count/TS_End,
// with the grid editor's handlers. The main window connects the check (runCheck),
// the step marker of the preview (ShowStepMarker) and the prompts.
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
    SequenceGridView* Sequenz_StringGrid;
    TCSpinEdit* TSEnd_CSpinEdit;
    TCSpinEdit* Count_CSpinEdit;

    SequenceGridModel& model() { return m_model; }

    // The modal interactions: the time dialog and the conversion error display.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    // The sequence check (BB_SequenzPruefenClick) that every edit and rotation runs.
    std::function<void()> runCheck;
    // Moves the wave screen's step marker to a row: (column, row) of the selected cell.
    std::function<void(int, int)> ShowStepMarker;

    // Rewrites the clock-time column from the tick column in the chosen display mode.
    void RG_ZeitClick();
    // Speed_CSpinEdit or CSE_PlayMode changed: keeps Speed even, shows the effective
    // tick length and refreshes the clock-time column.
    void Speed_CSpinEditChange();
    // The user changed the text of cell (col, row) in the cell editor; it is stored already.
    void Sequenz_StringGridSetEditText(int col, int row);
    // The user selected cell (col, row) by click or keyboard.
    void Sequenz_StringGridClick(int col, int row);
    // Rotation of the colour column named by the button's Tag, down or up.
    void BT_Red_DownClick(TFlatButton* sender);
    void BT_Red_UpClick(TFlatButton* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int maxSteps() const;
    int speed() const;
    void check();
    // The time dialog for row `row`; false when the relative conversion stopped with an error.
    bool editTimeCell(int row);
    void rotate(TFlatButton* sender, bool down);

    SequenceGridModel& m_model;
    Prompts* m_prompts = nullptr;
};
