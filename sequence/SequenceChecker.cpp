#include "sequence/SequenceChecker.h"

#include "sequence/SequenceCheck.h"
#include "sequence/SequenceGridModel.h"
#include "widgets/Prompts.h"
#include "widgets/SpinEdit.h"

#include <QAbstractButton>

namespace {
// The check's view of the grid: (row, column) on the model's (column, row) cells.
class ModelGrid : public CheckGrid {
public:
    explicit ModelGrid(SequenceGridModel& model) : m_model(model) {}
    QString cellText(int row, int column) const override { return m_model.cell(column, row); }
    void setCellText(int row, int column, const QString& text) override { m_model.setCell(column, row, text); }

private:
    SequenceGridModel& m_model;
};

class PromptReporter : public CheckReporter {
public:
    explicit PromptReporter(Prompts& prompts) : m_prompts(prompts) {}
    void message(const QString& text) override { m_prompts.error(text); }
    void conversionError(const QString& text) override { m_prompts.showException(text); }

private:
    Prompts& m_prompts;
};
} // namespace

SequenceChecker::SequenceChecker(SequenceGridModel& grid, SequenceTable& table, Prompts& prompts,
                                 Controls controls, std::function<int()> maxSteps, QObject* parent)
    : QObject(parent), m_grid(grid), m_table(table), m_prompts(prompts), m_controls(controls),
      m_maxSteps(std::move(maxSteps))
{
}

void SequenceChecker::BB_SequenzPruefenClick()
{
    m_controls.BB_SequenzPruefen->setText(checkCaption());

    ModelGrid grid(m_grid);
    PromptReporter reporter(m_prompts);
    const CheckResult result =
        runSequenceCheck(grid, reporter, m_table, m_maxSteps(), m_controls.Speed_CSpinEdit->value());
    // A tick cell without an integer stopped the check: the header values, the caption
    // and the preview keep what the last complete check gave them.
    if (!result.complete)
        return;

    m_controls.Count_CSpinEdit->setValue(result.count);
    m_controls.TSEnd_CSpinEdit->setValue(result.tsEnd);
    m_controls.BB_SequenzPruefen->setText(result.caption);
    emit previewRequested(result.count, result.tsEnd);
}
