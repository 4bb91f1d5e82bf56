#pragma once

// The main window, shown, with helpers to reach the sequence grid and drive it like a user.
// Shared by the grid editor test programs.
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridView.h"
#include "tests/sequence/CheckMessages.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/SpinEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

namespace gridtest {
constexpr int Ticks = SequenceGridModel::ColTicks;
constexpr int Clock = SequenceGridModel::ColClock;
constexpr int RedCol = SequenceGridModel::ColRed;
constexpr int GreenCol = SequenceGridModel::ColGreen;

struct Window : FormRig {
    SequenceEditor* editor = nullptr;
    SequenceGridView* view = nullptr;
    QList<QPair<int, int>> markers;

    Window()
    {
        editor = form->editor;
        view = form->findChild<SequenceGridView*>(QStringLiteral("Sequenz_StringGrid"));
        editor->ShowStepMarker = [this](int col, int row) { markers << qMakePair(col, row); };
        show();
    }
    SequenceGridModel& grid() { return form->gridModel(); }
    QString cell(int col, int row) { return grid().cell(col, row); }
    QStringList column(int col, int first, int last)
    {
        QStringList texts;
        for (int r = first; r <= last; ++r)
            texts << cell(col, r);
        return texts;
    }
    QStringList allCells()
    {
        QStringList texts;
        for (int r = 0; r < SequenceGridModel::StoredRows; ++r)
            for (int c = 0; c < SequenceGridModel::Columns; ++c)
                texts << cell(c, r);
        return texts;
    }
    QLineEdit* cellEditor() { return view->cellEditor(); }
    // Makes (col, row) the current cell without any reaction, as a program move does.
    void setCurrent(int col, int row)
    {
        view->selectionModel()->setCurrentIndex(grid().index(row, col), QItemSelectionModel::ClearAndSelect);
    }
    // Opens the editor on (col, row) by typing into the grid, as a user does.
    QLineEdit* typeInto(int col, int row, const QString& digits)
    {
        setCurrent(col, row);
        view->setFocus();
        QTest::keyClicks(view, digits.left(1));
        QLineEdit* e = cellEditor();
        if (e && digits.size() > 1)
            QTest::keyClicks(e, digits.mid(1));
        return e;
    }
    void clickCell(int col, int row)
    {
        view->scrollTo(grid().index(row, col));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(grid().index(row, col)).center());
    }
    int stepTime(int step) { return form->sequenceTable().step(step).time; }
    int level(int step, int col)
    {
        const SequenceStep s = form->sequenceTable().step(step);
        return col == RedCol ? s.red : col == GreenCol ? s.green : s.blue;
    }
};

inline QStringList ints(std::initializer_list<int> values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts;
}
} // namespace gridtest
