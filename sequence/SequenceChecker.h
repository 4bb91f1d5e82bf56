#pragma once

#include <QObject>

#include <functional>

class Prompts;
class QAbstractButton;
class SequenceGridModel;
class SequenceTable;
class TCSpinEdit;

// The check and accept step of the sequence panel (BB_SequenzPruefenClick): runs the
// check over the grid's texts, shows its findings through the prompts, writes the
// corrected tick cells back, and sets Count, TS_End and the duration caption. The main
// window connects previewRequested to the preview's rebuild.
class SequenceChecker : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAbstractButton* BB_SequenzPruefen = nullptr;
        TCSpinEdit* Count_CSpinEdit = nullptr;
        TCSpinEdit* TSEnd_CSpinEdit = nullptr;
        TCSpinEdit* Speed_CSpinEdit = nullptr;
    };

    // maxSteps is asked at every check: the module variant may change it at any time.
    SequenceChecker(SequenceGridModel& grid, SequenceTable& table, Prompts& prompts, Controls controls,
                    std::function<int()> maxSteps, QObject* parent = nullptr);

    // Runs to its end before it returns; each finding waits for its message box.
    void BB_SequenzPruefenClick();

signals:
    // After a complete check: the step count before the end mark (0 when the first row
    // holds the end mark) and TS_End as its control holds it.
    void previewRequested(int count, int tsEnd);

private:
    SequenceGridModel& m_grid;
    SequenceTable& m_table;
    Prompts& m_prompts;
    Controls m_controls;
    std::function<int()> m_maxSteps;
};
