#include "sequence/SequenceEditor.h"

#include "sequence/GridRules.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceGridView.h"
#include "sequence/SequenceTable.h"
#include "sequence/TimeColumn.h"
#include "widgets/FlatButton.h"
#include "widgets/Prompts.h"
#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QLabel>
#include <QRadioButton>
#include <QStyle>

namespace {
constexpr int GridTop = 88;
} // namespace

SequenceEditor::SequenceEditor(SequenceGridModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("SequenceEditorArea"));

    placeLabel(this, QStringLiteral("Zeit Anzeigeformat:"), 8, 6);
    RB_Absolut = new QRadioButton(QStringLiteral("absolut"), this);
    RB_Absolut->setObjectName(QStringLiteral("RB_Absolut"));
    RB_Absolut->setGeometry(8, 24, 70, 18);
    RB_Absolut->setChecked(true);
    RB_Relativ = new QRadioButton(QStringLiteral("relativ"), this);
    RB_Relativ->setObjectName(QStringLiteral("RB_Relativ"));
    RB_Relativ->setGeometry(80, 24, 70, 18);

    QLabel* speedLabel = placeLabel(this, QStringLiteral("Intervall:"), 150, 6);
    Speed_CSpinEdit = TCSpinEdit::place(this, "Speed_CSpinEdit", 2, 510, 10, {236, 2, 48, 22}, speedLabel);
    Speed_CSpinEdit->setSingleStep(2);
    placeLabel(this, QStringLiteral("ms"), 288, 6);
    LB_Intervall_real = new QLabel(QStringLiteral("10.000ms"), this);
    LB_Intervall_real->setObjectName(QStringLiteral("LB_Intervall_real"));
    LB_Intervall_real->setGeometry(150, 48, 60, 16);
    LB_Intervall_real->hide();

    QLabel* repeatLabel = placeLabel(this, QStringLiteral("Wiederholungen:"), 150, 30);
    CSE_PlayMode = TCSpinEdit::place(this, "CSE_PlayMode", 0, 255, 0, {236, 27, 48, 22}, repeatLabel);
    placeLabel(this, QStringLiteral("0=Endlos"), 287, 31);

    placeLabel(this, QStringLiteral("ENDE=65536"), 8, 62);

    // Rotation buttons above the colour columns; the Tag is the grid column.
    const struct {
        const char* name;
        int windowX;
        int tag;
        bool up;
        const char* spoken;   // for screen readers: the button has no caption
    } arrows[] = {{"BT_Red_Up", 924, 3, true, "Rot nach oben rotieren"},
                  {"BT_Red_Down", 942, 3, false, "Rot nach unten rotieren"},
                  {"BT_Green_Up", 966, 4, true, "Grün nach oben rotieren"},
                  {"BT_Green_Down", 984, 4, false, "Grün nach unten rotieren"},
                  {"BT_Blue_Up", 1008, 5, true, "Blau nach oben rotieren"},
                  {"BT_Blue_Down", 1026, 5, false, "Blau nach unten rotieren"}};
    TFlatButton* buttons[6];
    for (int i = 0; i < 6; ++i) {
        // No caption: an arrow glyph only.
        auto* b = new TFlatButton(QString(), this);
        b->setIcon(style()->standardIcon(arrows[i].up ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown));
        b->setObjectName(QString::fromLatin1(arrows[i].name));
        b->Tag = arrows[i].tag;
        b->setGeometry(arrows[i].windowX - DesignLeft, 58, 17, 22);
        b->setAccessibleName(QString::fromUtf8(arrows[i].spoken));
        buttons[i] = b;
    }
    BT_Red_Up = buttons[0];
    BT_Red_Down = buttons[1];
    BT_Green_Up = buttons[2];
    BT_Green_Down = buttons[3];
    BT_Blue_Up = buttons[4];
    BT_Blue_Down = buttons[5];

    Sequenz_StringGrid = new SequenceGridView(m_model, this);
    Sequenz_StringGrid->setGeometry(8, GridTop, 310, 630);

    QLabel* countLabel = placeLabel(this, QStringLiteral("Tab.-Größe:"), 8, 700);
    Count_CSpinEdit = TCSpinEdit::place(this, "Count_CSpinEdit", 1, 37, 1, {8, 716, 50, 22}, countLabel);
    QLabel* endLabel = placeLabel(this, QStringLiteral("max. Zeit:"), 60, 700);
    TSEnd_CSpinEdit = TCSpinEdit::place(this, "TSEnd_CSpinEdit", 0, 65535, 0, {60, 716, 60, 22}, endLabel);
    for (QWidget* w : std::initializer_list<QWidget*>{countLabel, Count_CSpinEdit, endLabel, TSEnd_CSpinEdit}) {
        w->setEnabled(false);
        w->hide();
    }

    for (QRadioButton* b : {RB_Absolut, RB_Relativ})
        connect(b, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                RG_ZeitClick();
        });
    for (TCSpinEdit* s : {Speed_CSpinEdit, CSE_PlayMode})
        connect(s, &QSpinBox::valueChanged, this, &SequenceEditor::Speed_CSpinEditChange);
    for (TFlatButton* b : {BT_Red_Down, BT_Green_Down, BT_Blue_Down})
        connect(b, &QPushButton::clicked, this, [this, b] { BT_Red_DownClick(b); });
    for (TFlatButton* b : {BT_Red_Up, BT_Green_Up, BT_Blue_Up})
        connect(b, &QPushButton::clicked, this, [this, b] { BT_Red_UpClick(b); });
    connect(&m_model, &SequenceGridModel::cellEdited, this, &SequenceEditor::Sequenz_StringGridSetEditText);
    connect(Sequenz_StringGrid, &SequenceGridView::cellSelected, this, &SequenceEditor::Sequenz_StringGridClick);
}

void SequenceEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The grid is anchored to the top, right and bottom edges.
    Sequenz_StringGrid->setGeometry(8, GridTop, 310, qMax(40, 630 + height() - DesignHeight));
}

int SequenceEditor::maxSteps() const
{
    return m_model.visibleSteps();
}

int SequenceEditor::speed() const
{
    return Speed_CSpinEdit->value();
}

void SequenceEditor::check()
{
    if (runCheck)
        runCheck();
}

void SequenceEditor::RG_ZeitClick()
{
    timecolumn::refreshTimeColumn(m_model, maxSteps(), speed(), RB_Relativ->isChecked());
}

void SequenceEditor::Speed_CSpinEditChange()
{
    const int code = ticks::speedCode(Speed_CSpinEdit->value());
    LB_Intervall_real->setText(QString::asprintf("%1.3fms", 2.0 * code));
    // An odd Speed (from a file) becomes the even tick length it stands for; setting it
    // runs this handler once more, which then changes nothing.
    Speed_CSpinEdit->setValue(2 * code);
    RG_ZeitClick();
}

void SequenceEditor::Sequenz_StringGridSetEditText(int col, int row)
{
    if (col == SequenceGridModel::ColTicks) {
        gridrules::limitTickCell(m_model, row);
        RG_ZeitClick();
    }
    Sequenz_StringGrid->viewport()->repaint();
    check();
}

void SequenceEditor::Sequenz_StringGridClick(int col, int row)
{
    if (col == SequenceGridModel::ColClock) {
        if (!editTimeCell(row))
            return;
    } else if (col >= SequenceGridModel::ColRed && col <= SequenceGridModel::ColBlue) {
        Sequenz_StringGrid->openCellEditor(col, row);
    }
    if (col >= SequenceGridModel::ColClock && ShowStepMarker)
        ShowStepMarker(col, row);
}

bool SequenceEditor::editTimeCell(int row)
{
    ClockTime time = timecolumn::presetFromClockText(m_model.cell(SequenceGridModel::ColClock, row));
    Sequenz_StringGrid->closeCellEditor();
    if (!m_prompts || m_prompts->editTime(time) != 1)
        return true;
    m_model.setCell(SequenceGridModel::ColTicks, row, QString::number(timecolumn::enteredTicks(time, speed())));
    m_model.setCell(SequenceGridModel::ColClock, row, timecolumn::enteredClockText(time));
    if (RB_Relativ->isChecked()) {
        QString error;
        if (!timecolumn::relativeToTicks(m_model, maxSteps(), speed(), error)) {
            m_prompts->showException(error);
            return false;
        }
    }
    RG_ZeitClick();
    return true;
}

void SequenceEditor::rotate(TFlatButton* sender, bool down)
{
    QString error;
    if (!gridrules::rotateColourColumn(m_model, sender->Tag, down, maxSteps(), error)) {
        if (m_prompts)
            m_prompts->showException(error);
        return;
    }
    check();
}

void SequenceEditor::BT_Red_DownClick(TFlatButton* sender)
{
    rotate(sender, true);
}

void SequenceEditor::BT_Red_UpClick(TFlatButton* sender)
{
    rotate(sender, false);
}
