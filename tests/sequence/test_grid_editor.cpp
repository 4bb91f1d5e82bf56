// The sequence grid in the whole main window, driven like a user: typing into cells with
// the check's corrections, the key filter, pasted text, the clock-time column, the time
// dialog through the scripted prompts, cell selection and the rotation buttons.
#include "app/TForm1.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridView.h"
#include "tests/support/ScriptedPrompts.h"
#include "widgets/FlatButton.h"
#include "widgets/SpinEdit.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {
constexpr int Ticks = SequenceGridModel::ColTicks;
constexpr int Clock = SequenceGridModel::ColClock;
constexpr int RedCol = SequenceGridModel::ColRed;
constexpr int GreenCol = SequenceGridModel::ColGreen;

QString orderMessage(int row)
{
    return QStringLiteral("Der Wert in Zeile: %1 / Spalte: Zeit\n ist kleiner als der vorherige Wert\n\n"
                          "Der Wert wird auf den nächsten möglichen Wert gesetzt.")
        .arg(row);
}

struct Window {
    ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;
    SequenceEditor* editor = nullptr;
    SequenceGridView* view = nullptr;
    QList<QPair<int, int>> markers;

    Window()
    {
        FormServices s;
        s.prompts = &prompts;
        s.pause = [](int) {};
        s.exitProcess = [](int) {};
        form = std::make_unique<TForm1>(s);
        editor = form->editor;
        view = form->findChild<SequenceGridView*>(QStringLiteral("Sequenz_StringGrid"));
        editor->ShowStepMarker = [this](int col, int row) { markers << qMakePair(col, row); };
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qWarning("main window not exposed");
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

QStringList ints(std::initializer_list<int> values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts;
}
} // namespace

class TestGridEditor : public QObject {
    Q_OBJECT
private slots:
    void gridAtStart();
    void clockColumnAbsoluteAndRelative();
    void speedKeepsEvenAndRefreshesTheClockColumn();

    void typedTimeIsCorrectedInTheOpenEditor();
    void everyKeystrokeIsStoredAndChecked();
    void emptiedTickCellReportsTheConversionErrorAndTheNextDigitRepairs();
    void valueAboveTheEndMarkBecomesZero();
    void lettersAndMinusAreIgnored_data();
    void lettersAndMinusAreIgnored();
    void pastedTextIsReadSoundly();

    void selectingACellReacts();
    void rangeSelectionReactsWithItsTopLeftCell();
    void colourEditorStartsWithTheDecimalValue();
    void timeDialogAbsolute();
    void timeDialogRelativeShiftsLaterRows();
    void timeDialogCancelLeavesTheGrid();
    void timeDialogCanSetTheEndMark();
    void timeDialogReportsAnUnreadableTickCell();

    void rotationButtons_data();
    void rotationButtons();
    void rotationWithTheEndMarkInRowOne();
};

void TestGridEditor::gridAtStart()
{
    Window w;
    QVERIFY(w.view);
    QCOMPARE(w.view->objectName(), QStringLiteral("Sequenz_StringGrid"));
    QCOMPARE(w.view->mapTo(w.form->centralWidget(), QPoint(0, 0)), QPoint(752, 88));
    // At the design size the grid is 630 px high above a bottom margin of 38 px (the client
    // area's height depends on the menu bar's).
    const int clientHeight = w.form->centralWidget()->height();
    QCOMPARE(w.view->size(), QSize(310, 630 + clientHeight - 756));
    QCOMPARE(w.view->frameShape(), QFrame::NoFrame);
    QCOMPARE(w.grid().rowCount(), 38);
    const int widths[] = {27, 70, 70, 40, 40, 40};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(w.view->cellRectInView(c, 1).width(), widths[c]);
    QCOMPARE(w.view->cellRectInView(1, 1).height(), 20);
    QCOMPARE(w.view->cellRectInView(1, 0).height(), 20);
    QCOMPARE(w.view->selectionMode(), QAbstractItemView::ContiguousSelection);
    QCOMPARE(w.view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(w.column(0, 0, 3), QStringList({"", "1", "2", "3"}));
    QCOMPARE(w.column(Ticks, 0, 1), QStringList({"Zeit (Ticks)", "0"}));
    QCOMPARE(w.cell(Clock, 0), QStringLiteral("Zeit (m:s.t)"));
    QCOMPARE(w.cell(RedCol, 0), QStringLiteral("Rot"));
    QCOMPARE(w.cell(GreenCol, 0), QStringLiteral("Grün"));
    QCOMPARE(w.cell(5, 0), QStringLiteral("Blau"));
    QVERIFY(w.prompts.errors.isEmpty());
    QVERIFY(w.prompts.exceptions.isEmpty());

    // The grid follows the window's bottom edge and keeps its right-hand place.
    w.form->resize(1200, 877);
    QCoreApplication::processEvents();
    QCOMPARE(w.view->size(), QSize(310, 730 + clientHeight - 756));
    QCOMPARE(w.view->mapTo(w.form->centralWidget(), QPoint(0, 0)).x(), 752 + 124);
}

void TestGridEditor::clockColumnAbsoluteAndRelative()
{
    Window w;
    const QStringList absolute = {"0:00.000", "0:02.550", "0:05.100", "0:07.650",
                                  "0:10.200", "0:12.750", "0:15.300", "0:00.000"};
    QCOMPARE(w.column(Clock, 1, 8), absolute);
    QCOMPARE(w.cell(Ticks, 8), QStringLiteral("65536"));

    QTest::mouseClick(w.editor->RB_Relativ, Qt::LeftButton);
    QVERIFY(w.editor->RB_Relativ->isChecked());
    QCOMPARE(w.column(Clock, 1, 9), QStringList({"0:00.000", "0:02.550", "0:02.550", "0:02.550", "0:02.550",
                                                 "0:02.550", "0:02.550", "0:00.000", "0:00.000"}));
    QTest::mouseClick(w.editor->RB_Absolut, Qt::LeftButton);
    QCOMPARE(w.column(Clock, 1, 8), absolute);
}

void TestGridEditor::speedKeepsEvenAndRefreshesTheClockColumn()
{
    Window w;
    QCOMPARE(w.editor->Speed_CSpinEdit->value(), 10);
    QCOMPARE(w.editor->LB_Intervall_real->text(), QStringLiteral("10.000ms"));

    w.editor->Speed_CSpinEdit->setValue(11);
    QCOMPARE(w.editor->Speed_CSpinEdit->value(), 12);
    QCOMPARE(w.editor->LB_Intervall_real->text(), QStringLiteral("12.000ms"));
    QCOMPARE(w.cell(Clock, 2), QStringLiteral("0:03.060"));

    w.editor->Speed_CSpinEdit->setValue(510);
    QCOMPARE(w.editor->LB_Intervall_real->text(), QStringLiteral("510.000ms"));
    QCOMPARE(w.cell(Clock, 7), QStringLiteral("13:00.300"));

    // The repeat count reports to the same handler.
    w.grid().setCell(Clock, 3, QStringLiteral("stale"));
    w.editor->CSE_PlayMode->setValue(3);
    QCOMPARE(w.cell(Clock, 3), QStringLiteral("4:20.100"));
}

void TestGridEditor::typedTimeIsCorrectedInTheOpenEditor()
{
    Window w;
    QCOMPARE(w.cell(Ticks, 2), QStringLiteral("255"));
    QLineEdit* e = w.typeInto(Ticks, 3, QStringLiteral("3"));
    QVERIFY(e);
    QCOMPARE(w.prompts.errors, QStringList{orderMessage(3)});
    QCOMPARE(w.cell(Ticks, 3), QStringLiteral("256"));
    QCOMPARE(e->text(), QStringLiteral("256"));
    QCOMPARE(e->selectedText(), QStringLiteral("256"));
    QCOMPARE(w.stepTime(2), 256);
    // The check does not refresh the clock column: it shows the typed 3 ticks.
    QCOMPARE(w.cell(Clock, 3), QStringLiteral("0:00.030"));

    // The next digit replaces the corrected value and is checked again.
    QTest::keyClicks(e, QStringLiteral("9"));
    QCOMPARE(w.prompts.errors, QStringList({orderMessage(3), orderMessage(3)}));
    QCOMPARE(e->text(), QStringLiteral("256"));
    QCOMPARE(e->selectedText(), QStringLiteral("256"));
    QCOMPARE(w.view->cellEditor(), e);
}

void TestGridEditor::everyKeystrokeIsStoredAndChecked()
{
    Window w;
    QLineEdit* e = w.typeInto(Ticks, 7, QString());
    QVERIFY(!e);
    QTest::keyClick(w.view, Qt::Key_F2);
    e = w.cellEditor();
    QVERIFY(e);
    QCOMPARE(e->text(), QStringLiteral("1530"));
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClicks(e, QStringLiteral("0"));
    QCOMPARE(w.cell(Ticks, 7), QStringLiteral("15300"));
    QCOMPARE(w.cell(Clock, 7), QStringLiteral("2:33.000"));
    QCOMPARE(w.stepTime(6), 15300);
    QCOMPARE(w.editor->TSEnd_CSpinEdit->value(), 15300);
    QVERIFY(w.prompts.errors.isEmpty());

    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(w.cell(Ticks, 7), QStringLiteral("1530"));
    QCOMPARE(w.stepTime(6), 1530);
    QCOMPARE(w.cell(Clock, 7), QStringLiteral("0:15.300"));

    // A level keeps its typed text even above 255; the check reports it.
    QTest::keyClick(e, Qt::Key_Escape);
    QVERIFY(!w.cellEditor());
    w.clickCell(GreenCol, 2);
    e = w.cellEditor();
    QVERIFY(e);
    QTest::keyClicks(e, QStringLiteral("300"));
    QCOMPARE(w.cell(GreenCol, 2), QStringLiteral("300"));
    QCOMPARE(w.prompts.errors,
             QStringList{QStringLiteral("Der Wert in Zeile: 2 / Spalte: Grün\nist außerhalb des Wertebereichs (0..255)")});
    QCOMPARE(w.form->sequenceTable().step(1).green, 0);
}

void TestGridEditor::emptiedTickCellReportsTheConversionErrorAndTheNextDigitRepairs()
{
    Window w;
    auto* checkButton = w.form->findChild<QAbstractButton*>(QStringLiteral("BB_SequenzPruefen"));
    QVERIFY(checkButton);
    const QString durationCaption = checkButton->text();
    QCOMPARE(durationCaption, QStringLiteral("Prüfen / Übernehmen  (Sequenzdauer = 0:15.300)"));
    w.setCurrent(Ticks, 2);
    QTest::keyClick(w.view, Qt::Key_F2);
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(w.cell(Ticks, 2), QStringLiteral("2"));
    QCOMPARE(w.stepTime(1), 2);
    QVERIFY(w.prompts.exceptions.isEmpty());
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(w.cell(Ticks, 2), QString());
    QCOMPARE(w.cell(Clock, 2), QStringLiteral("0:00.000"));
    QCOMPARE(w.prompts.exceptions, QStringList{QStringLiteral("'' ist kein gültiger Integerwert")});
    QCOMPARE(checkButton->text(), QStringLiteral("Prüfen / Übernehmen"));
    QVERIFY(w.prompts.errors.isEmpty());

    // The next digit repairs the row.
    QTest::keyClicks(e, QStringLiteral("8"));
    QCOMPARE(w.cell(Ticks, 2), QStringLiteral("8"));
    QCOMPARE(w.stepTime(1), 8);
    QCOMPARE(checkButton->text(), durationCaption);
    QCOMPARE(w.prompts.exceptions.size(), 1);

    // A shortened time below its predecessor is raised at once and shown selected.
    w.grid().setCell(Ticks, 4, QStringLiteral("765"));
    w.setCurrent(Ticks, 4);
    QTest::keyClick(w.view, Qt::Key_F2);
    e = w.cellEditor();
    QTest::keyClick(e, Qt::Key_End);
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(w.prompts.errors, QStringList{orderMessage(4)});
    QCOMPARE(e->text(), QStringLiteral("511"));
    QCOMPARE(e->selectedText(), QStringLiteral("511"));
    // Backspace then removes the selected text.
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(w.cell(Ticks, 4), QString());
    QCOMPARE(w.prompts.exceptions.size(), 2);
}

void TestGridEditor::valueAboveTheEndMarkBecomesZero()
{
    Window w;
    QLineEdit* e = w.typeInto(Ticks, 10, QStringLiteral("7000"));
    QVERIFY(e);
    QCOMPARE(e->text(), QStringLiteral("7000"));
    QCOMPARE(w.cell(Ticks, 10), QStringLiteral("7000"));
    QTest::keyClicks(e, QStringLiteral("0"));
    QCOMPARE(w.cell(Ticks, 10), QStringLiteral("0"));
    QCOMPARE(e->text(), QStringLiteral("0"));
    QCOMPARE(w.cell(Clock, 10), QStringLiteral("0:00.000"));
    QVERIFY(w.prompts.errors.isEmpty());
    QVERIFY(w.prompts.exceptions.isEmpty());
}

void TestGridEditor::lettersAndMinusAreIgnored_data()
{
    QTest::addColumn<int>("col");
    for (int c = 1; c <= 5; ++c)
        QTest::addRow("column %d", c) << c;
}

void TestGridEditor::lettersAndMinusAreIgnored()
{
    QFETCH(int, col);
    Window w;
    w.prompts.timeResults = {2, 2, 2};
    const QStringList before = w.allCells();

    // Typed on the grid: no editor opens.
    w.setCurrent(col, 2);
    w.view->setFocus();
    QTest::keyClicks(w.view, QStringLiteral("a-E+ ,"));
    QVERIFY(!w.cellEditor());

    // Typed into the open editor: its text stays.
    QTest::keyClick(w.view, Qt::Key_F2);
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    const QString start = e->text();
    QTest::keyClicks(e, QStringLiteral("a-E+ ,x"));
    QCOMPARE(e->text(), start);
    QCOMPARE(w.allCells(), before);
    QVERIFY(w.prompts.errors.isEmpty());
    QVERIFY(w.prompts.exceptions.isEmpty());
}

void TestGridEditor::pastedTextIsReadSoundly()
{
    Window w;
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QLineEdit* e = w.typeInto(Ticks, 3, QString());
    QVERIFY(!e);
    QTest::keyClick(w.view, Qt::Key_F2);
    e = w.cellEditor();
    QVERIFY(e);
    e->selectAll();
    // Pasting bypasses the key filter (Ctrl+V, or insert() when the platform has no clipboard).
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    if (e->text() != QStringLiteral("abc"))
        e->insert(QStringLiteral("abc"));
    QCOMPARE(w.cell(Ticks, 3), QStringLiteral("abc"));
    QCOMPARE(w.cell(Clock, 3), QStringLiteral("0:00.000"));
    QCOMPARE(w.prompts.exceptions, QStringList{QStringLiteral("'abc' ist kein gültiger Integerwert")});
    w.view->grab();  // painting reads the cell as 0

    // A number beyond 64 bits is not taken for a tick value above the end mark.
    e->selectAll();
    e->insert(QStringLiteral("99999999999999999999"));
    QCOMPARE(w.cell(Ticks, 3), QStringLiteral("99999999999999999999"));
    QCOMPARE(w.prompts.exceptions.size(), 2);
    QCOMPARE(w.prompts.exceptions.last(), QStringLiteral("'99999999999999999999' ist kein gültiger Integerwert"));

    // Rotation reads the same cell strictly and stops with the conversion error.
    const QStringList red = w.column(RedCol, 1, 7);
    QTest::mouseClick(w.editor->BT_Red_Down, Qt::LeftButton);
    QCOMPARE(w.prompts.exceptions.size(), 3);
    QCOMPARE(w.column(RedCol, 1, 7), red);

    // A pasted sign in a level silently counts as 0.
    QTest::keyClick(e, Qt::Key_Escape);
    w.prompts.clear();
    w.grid().setCell(Ticks, 3, QStringLiteral("510"));
    w.clickCell(RedCol, 2);
    e = w.cellEditor();
    QVERIFY(e);
    e->selectAll();
    e->insert(QStringLiteral("-7"));
    QCOMPARE(w.cell(RedCol, 2), QStringLiteral("-7"));
    QVERIFY(w.prompts.errors.isEmpty());
    QVERIFY(w.prompts.exceptions.isEmpty());
    QCOMPARE(w.form->sequenceTable().step(1).red, 0);
}

void TestGridEditor::selectingACellReacts()
{
    Window w;
    // Column 1: nothing.
    w.clickCell(Ticks, 5);
    QVERIFY(!w.cellEditor());
    QVERIFY(w.markers.isEmpty());
    QVERIFY(w.prompts.timePresets.isEmpty());

    // Columns 3 to 5: the editor opens at once, then the step marker moves.
    w.clickCell(5, 3);
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    QCOMPARE(e->text(), QStringLiteral("255"));
    QCOMPARE(e->selectedText(), QStringLiteral("255"));
    QCOMPARE(w.markers, (QList<QPair<int, int>>{{5, 3}}));

    // Column 2: the time dialog, then the marker, also when it is cancelled.
    w.clickCell(Clock, 6);
    QVERIFY(!w.cellEditor());
    QCOMPARE(w.prompts.timePresets.size(), 1);
    QCOMPARE(w.markers.last(), qMakePair(2, 6));

    // Clicking the current cell again reacts again.
    w.clickCell(Clock, 6);
    QCOMPARE(w.prompts.timePresets.size(), 2);
    QCOMPARE(w.markers.size(), 3);

    // Keyboard moves react as well: Left to column 1 does nothing, Right opens the dialog,
    // Right again the editor of column 3.
    w.markers.clear();
    w.view->setFocus();
    QTest::keyClick(w.view, Qt::Key_Left);
    QCOMPARE(w.view->currentIndex(), w.grid().index(6, 1));
    QVERIFY(w.markers.isEmpty());
    // Column 0 is fixed: Left stays in column 1.
    QTest::keyClick(w.view, Qt::Key_Left);
    QCOMPARE(w.view->currentIndex(), w.grid().index(6, 1));
    QVERIFY(w.markers.isEmpty());
    QTest::keyClick(w.view, Qt::Key_Right);
    QCOMPARE(w.prompts.timePresets.size(), 3);
    QCOMPARE(w.markers, (QList<QPair<int, int>>{{2, 6}}));
    QTest::keyClick(w.view, Qt::Key_Right);
    QVERIFY(w.cellEditor());
    QCOMPARE(w.markers.last(), qMakePair(3, 6));
    // Down from inside the editor moves on and opens the next row's editor.
    QTest::keyClick(w.cellEditor(), Qt::Key_Down);
    QCOMPARE(w.view->currentIndex(), w.grid().index(7, 3));
    QCOMPARE(w.markers.last(), qMakePair(3, 7));
    QCOMPARE(w.cellEditor()->text(), QStringLiteral("255"));

    // Moves made by the program raise nothing.
    w.markers.clear();
    w.setCurrent(4, 9);
    QVERIFY(w.markers.isEmpty());
}

void TestGridEditor::rangeSelectionReactsWithItsTopLeftCell()
{
    Window w;
    const auto centre = [&w](int col, int row) { return w.view->visualRect(w.grid().index(row, col)).center(); };
    // Dragged from the blue cell of row 4 up and left to the red cell of row 2.
    QTest::mousePress(w.view->viewport(), Qt::LeftButton, {}, centre(5, 4));
    QMouseEvent move(QEvent::MouseMove, centre(3, 2), w.view->viewport()->mapToGlobal(centre(3, 2)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.view->viewport(), &move);
    QTest::mouseRelease(w.view->viewport(), Qt::LeftButton, {}, centre(3, 2));
    QCOMPARE(w.view->selectionModel()->selectedIndexes().size(), 9);
    QCOMPARE(w.markers, (QList<QPair<int, int>>{{3, 2}}));
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    QCOMPARE(e->geometry().topLeft(), w.view->visualRect(w.grid().index(2, 3)).topLeft());

    // Dragged across the clock column: the time dialog for the top row.
    QTest::keyClick(e, Qt::Key_Escape);
    w.markers.clear();
    QTest::mousePress(w.view->viewport(), Qt::LeftButton, {}, centre(2, 6));
    QMouseEvent move2(QEvent::MouseMove, centre(4, 5), w.view->viewport()->mapToGlobal(centre(4, 5)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.view->viewport(), &move2);
    QTest::mouseRelease(w.view->viewport(), Qt::LeftButton, {}, centre(4, 5));
    QCOMPARE(w.prompts.timePresets.size(), 1);
    QCOMPARE(w.prompts.timePresets[0].seconds, 10);  // row 5: 0:10.200
    QCOMPARE(w.markers, (QList<QPair<int, int>>{{2, 5}}));
}

void TestGridEditor::colourEditorStartsWithTheDecimalValue()
{
    Window w;
    w.grid().setCell(GreenCol, 2, QStringLiteral("007"));
    w.grid().setCell(5, 2, QStringLiteral("x1"));
    w.clickCell(GreenCol, 2);
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    QCOMPARE(e->text(), QStringLiteral("7"));
    // Opening and closing the editor does not change the cell.
    QTest::keyClick(e, Qt::Key_Escape);
    QCOMPARE(w.cell(GreenCol, 2), QStringLiteral("007"));
    w.clickCell(5, 2);
    QCOMPARE(w.cellEditor()->text(), QStringLiteral("0"));
    w.clickCell(GreenCol, 3);
    QCOMPARE(w.cell(5, 2), QStringLiteral("x1"));
    // Columns 1 and 2 start with their text.
    w.grid().setCell(Ticks, 4, QStringLiteral("0765"));
    w.setCurrent(Ticks, 4);
    QTest::keyClick(w.view, Qt::Key_F2);
    QCOMPARE(w.cellEditor()->text(), QStringLiteral("0765"));
}

void TestGridEditor::timeDialogAbsolute()
{
    Window w;
    w.clickCell(GreenCol, 2);  // an open editor is closed before the dialog shows
    QVERIFY(w.cellEditor());
    w.prompts.timeResults = {1};
    w.prompts.timeAnswers = {ClockTime{0, 10, 1}};
    w.clickCell(Clock, 4);
    QCOMPARE(w.prompts.timePresets.size(), 1);
    QCOMPARE(w.prompts.timePresets[0].minutes, 0);
    QCOMPARE(w.prompts.timePresets[0].seconds, 7);
    QCOMPARE(w.prompts.timePresets[0].milliseconds, 650);
    QVERIFY(!w.cellEditor());
    QCOMPARE(w.cell(Ticks, 4), QStringLiteral("1000"));
    QCOMPARE(w.cell(Clock, 4), QStringLiteral("0:10.000"));
    // No check: the table keeps the old time, and the order is not corrected yet.
    QCOMPARE(w.stepTime(3), 765);
    QVERIFY(w.prompts.errors.isEmpty());
    QCOMPARE(w.markers.last(), qMakePair(2, 4));
}

void TestGridEditor::timeDialogRelativeShiftsLaterRows()
{
    Window w;
    w.editor->RB_Relativ->setChecked(true);
    w.prompts.timeResults = {1};
    w.prompts.timeAnswers = {ClockTime{0, 5, 0}};
    w.clickCell(Clock, 2);
    QCOMPARE(w.prompts.timePresets[0].seconds, 2);
    QCOMPARE(w.prompts.timePresets[0].milliseconds, 550);
    QCOMPARE(w.column(Ticks, 1, 9), ints({0, 500, 755, 1010, 1265, 1520, 1775, 65536, 0}));
    QCOMPARE(w.column(Clock, 1, 4), QStringList({"0:00.000", "0:05.000", "0:02.550", "0:02.550"}));
    QCOMPARE(w.stepTime(1), 255);
}

void TestGridEditor::timeDialogCancelLeavesTheGrid()
{
    Window w;
    for (bool relative : {false, true}) {
        w.editor->RB_Relativ->setChecked(relative);
        const QStringList before = w.allCells();
        w.prompts.timeResults = {2};
        w.prompts.timeAnswers = {ClockTime{1, 2, 3}};
        w.clickCell(Clock, 3);
        QCOMPARE(w.allCells(), before);
        QCOMPARE(w.markers.last(), qMakePair(2, 3));
        w.prompts.timeAnswers.clear();
    }
}

void TestGridEditor::timeDialogCanSetTheEndMark()
{
    Window w;
    w.prompts.timeResults = {1};
    w.prompts.timeAnswers = {ClockTime{10, 55, 359}};
    w.clickCell(Clock, 5);
    QCOMPARE(w.cell(Ticks, 5), QStringLiteral("65536"));
    QCOMPARE(w.cell(Clock, 5), QStringLiteral("0:00.000"));
}

void TestGridEditor::timeDialogReportsAnUnreadableTickCell()
{
    Window w;
    w.editor->RB_Relativ->setChecked(true);
    w.grid().setCell(Ticks, 2, QString());
    w.prompts.timeResults = {1};
    w.prompts.timeAnswers = {ClockTime{0, 1, 0}};
    w.markers.clear();
    w.clickCell(Clock, 4);
    QCOMPARE(w.prompts.exceptions, QStringList{QStringLiteral("'' ist kein gültiger Integerwert")});
    // The handler stops there: row 1 was rebuilt, the clock column not refreshed, no marker.
    QCOMPARE(w.cell(Ticks, 4), QStringLiteral("100"));
    QCOMPARE(w.cell(Clock, 4), QStringLiteral("0:01.000"));
    QVERIFY(w.markers.isEmpty());
}

void TestGridEditor::rotationButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("disorderRow");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("red down") << "BT_Red_Down" << RedCol << 0 << ints({255, 255, 0, 0, 0, 255, 255});
    QTest::newRow("red up") << "BT_Red_Up" << RedCol << 0 << ints({0, 0, 0, 255, 255, 255, 255});
    QTest::newRow("green down") << "BT_Green_Down" << GreenCol << 0 << ints({255, 255, 255, 255, 0, 0, 0});
    QTest::newRow("blue up") << "BT_Blue_Up" << 5 << 0 << ints({0, 255, 255, 255, 0, 0, 0});
    QTest::newRow("red down, row 4 out of order") << "BT_Red_Down" << RedCol << 4 << ints({0, 255, 0, 0, 255, 255, 255});
    QTest::newRow("red up, row 4 out of order") << "BT_Red_Up" << RedCol << 4 << ints({0, 0, 255, 0, 255, 255, 255});
}

void TestGridEditor::rotationButtons()
{
    QFETCH(QString, button);
    QFETCH(int, col);
    QFETCH(int, disorderRow);
    Window w;
    if (disorderRow)
        w.grid().setCell(Ticks, disorderRow, QStringLiteral("100"));
    auto* b = w.form->findChild<TFlatButton*>(button);
    QVERIFY(b);
    QCOMPARE(b->Tag, col);
    QTest::mouseClick(b, Qt::LeftButton);
    QFETCH(QStringList, expected);
    QCOMPARE(w.column(col, 1, 7), expected);
    for (int r = 1; r <= 7; ++r)
        QCOMPARE(w.level(r - 1, col), w.cell(col, r).toInt());
    // The check ran: the time out of order is reported and corrected.
    QCOMPARE(w.prompts.errors, disorderRow ? QStringList{orderMessage(4)} : QStringList());
    if (disorderRow)
        QCOMPARE(w.cell(Ticks, 4), QStringLiteral("511"));
}

void TestGridEditor::rotationWithTheEndMarkInRowOne()
{
    Window w;
    w.grid().setCell(Ticks, 1, QStringLiteral("65536"));
    const QStringList before = w.allCells();
    for (const char* name : {"BT_Red_Down", "BT_Red_Up", "BT_Green_Down", "BT_Blue_Up"})
        QTest::mouseClick(w.form->findChild<TFlatButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    QCOMPARE(w.allCells(), before);
    QVERIFY(w.prompts.errors.isEmpty());
    QCOMPARE(w.form->sequenceTable().step(0).time, 65536);
}

QTEST_MAIN(TestGridEditor)
#include "test_grid_editor.moc"
