#include "app/SequenceFileCommands.h"

#include "app/TForm1.h"
#include "app/VariantProfiles.h"
#include "sequence/DecimalText.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridModel.h"
#include "widgets/Prompts.h"
#include "widgets/SpinEdit.h"

#include <QAction>
#include <QFileInfo>

namespace {

FileDialogRequest fileRequest(const QString& title, bool mustExist)
{
    FileDialogRequest r;
    r.title = title;
    r.filters = {QStringLiteral("RGB-Sequenz (*.rgb)"), QStringLiteral("Alle Dateien (*.*)")};
    r.defaultSuffix = QStringLiteral("rgb");
    r.mustExist = mustExist;
    return r;
}

// The grid columns of a step's four values, in the order of RgbFileStep.
struct StepColumn {
    int column;
    qint64 RgbFileStep::*field;
};
constexpr StepColumn StepColumns[] = {
    {SequenceGridModel::ColTicks, &RgbFileStep::ts},
    {SequenceGridModel::ColRed, &RgbFileStep::r},
    {SequenceGridModel::ColGreen, &RgbFileStep::g},
    {SequenceGridModel::ColBlue, &RgbFileStep::b},
};

} // namespace

SequenceFileCommands::SequenceFileCommands(TForm1& form, Prompts& prompts)
    : QObject(&form), m_form(form), m_prompts(prompts)
{
    setObjectName(QStringLiteral("SequenceFileCommands"));
    connect(m_form.RGBSequenzladen1, &QAction::triggered, this, &SequenceFileCommands::RGBSequenzladen1Click);
    connect(m_form.RGBSequenzspeichernunter1, &QAction::triggered, this,
            &SequenceFileCommands::RGBSequenzspeichernunter1Click);
}

void SequenceFileCommands::showFileInCaption(const QString& path)
{
    m_form.showFileInCaption(QFileInfo(path).fileName());
}

void SequenceFileCommands::RGBSequenzladen1Click()
{
    const QString path = m_prompts.openFileName(fileRequest(QStringLiteral("RGB-Sequenz laden"), true));
    if (path.isEmpty())
        return;
    // The whole file is read first: a file that cannot be read changes nothing.
    RgbFileData data;
    QString error;
    if (!loadRgbFile(path, data, &error)) {
        m_prompts.showException(error);
        return;
    }
    showFileInCaption(path);
    apply(data);
}

void SequenceFileCommands::apply(const RgbFileData& data)
{
    // The variant comes first: its MaxSteps decides how many steps are read.
    m_form.variants->select(moduleVariantFromFile(data.modul));

    // Each control holds the value within its range; a changed Speed or repeat count runs the
    // tick-length handler, which keeps Speed even.
    SequenceEditor& editor = *m_form.editor;
    editor.Count_CSpinEdit->setValue(data.count);
    editor.Speed_CSpinEdit->setValue(data.speed);
    editor.TSEnd_CSpinEdit->setValue(data.tsEnd);
    editor.CSE_PlayMode->setValue(data.repeat);

    SequenceGridModel& grid = m_form.gridModel();
    const int steps = m_form.maxSteps();
    for (int i = 0; i < steps; ++i) {
        const int row = i + 1;
        for (const StepColumn& c : StepColumns)
            grid.setCell(c.column, row, QString::number(data.steps[i].*c.field));
        grid.setCell(SequenceGridModel::ColClock, row, QString());
    }

    m_form.RG_ZeitClick();
    m_form.BB_SequenzPruefenClick();
}

RgbFileData SequenceFileCommands::collect() const
{
    RgbFileData data;
    data.modul = moduleVariantFileValue(m_form.variants->selectedVariant());
    const SequenceEditor& editor = *m_form.editor;
    data.count = editor.Count_CSpinEdit->value();
    data.speed = editor.Speed_CSpinEdit->value();
    data.tsEnd = editor.TSEnd_CSpinEdit->value();
    data.repeat = editor.CSE_PlayMode->value();
    // Always all 37 steps: the grid keeps the rows beyond a smaller variant's row count.
    const SequenceGridModel& grid = m_form.gridModel();
    for (int i = 0; i < RgbFileSteps; ++i)
        for (const StepColumn& c : StepColumns)
            data.steps[i].*c.field = decimalOrZero(grid.cell(c.column, i + 1));
    return data;
}

void SequenceFileCommands::RGBSequenzspeichernunter1Click()
{
    const QString path =
        m_prompts.saveFileName(fileRequest(QStringLiteral("RGB-Sequenz speichern unter ..."), false));
    if (path.isEmpty())
        return;
    showFileInCaption(path);
    QString error;
    if (!saveRgbFile(path, collect(), &error))
        m_prompts.showException(error);
}
