// The sequence grid in the whole main window: what selecting a cell does (the cell editor,
// the time dialog through the scripted prompts, the step marker) and the rotation buttons.
#include "tests/sequence/GridWindow.h"

using namespace gridtest;

class TestGridSelection : public QObject {
    Q_OBJECT
private slots:
    void selectingACellReacts();
    void rangeSelectionReactsWithItsTopLeftCell();
    void keyMoveAfterARangeMovesTheEditor();
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

void TestGridSelection::selectingACellReacts()
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

void TestGridSelection::rangeSelectionReactsWithItsTopLeftCell()
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

void TestGridSelection::keyMoveAfterARangeMovesTheEditor()
{
    Window w;
    const auto centre = [&w](int col, int row) { return w.view->visualRect(w.grid().index(row, col)).center(); };
    // Dragged down and right: the current cell is the range's bottom right, the editor its top left.
    QTest::mousePress(w.view->viewport(), Qt::LeftButton, {}, centre(3, 2));
    QMouseEvent move(QEvent::MouseMove, centre(5, 4), w.view->viewport()->mapToGlobal(centre(5, 4)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.view->viewport(), &move);
    QTest::mouseRelease(w.view->viewport(), Qt::LeftButton, {}, centre(5, 4));
    QVERIFY(w.cellEditor());
    QCOMPARE(w.cellEditor()->geometry().topLeft(), w.view->visualRect(w.grid().index(2, 3)).topLeft());

    // A key move from the current cell selects the cell below it, which takes over the editor.
    QTest::keyClick(w.view, Qt::Key_Down);
    QCOMPARE(w.view->currentIndex(), w.grid().index(5, 5));
    QLineEdit* e = w.cellEditor();
    QVERIFY(e);
    QCOMPARE(e->geometry().topLeft(), w.view->visualRect(w.grid().index(5, 5)).topLeft());
    QVERIFY(!w.view->indexWidget(w.grid().index(2, 3)));
}

void TestGridSelection::colourEditorStartsWithTheDecimalValue()
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

void TestGridSelection::timeDialogAbsolute()
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

void TestGridSelection::timeDialogRelativeShiftsLaterRows()
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

void TestGridSelection::timeDialogCancelLeavesTheGrid()
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

void TestGridSelection::timeDialogCanSetTheEndMark()
{
    Window w;
    w.prompts.timeResults = {1};
    w.prompts.timeAnswers = {ClockTime{10, 55, 359}};
    w.clickCell(Clock, 5);
    QCOMPARE(w.cell(Ticks, 5), QStringLiteral("65536"));
    QCOMPARE(w.cell(Clock, 5), QStringLiteral("0:00.000"));
}

void TestGridSelection::timeDialogReportsAnUnreadableTickCell()
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

void TestGridSelection::rotationButtons_data()
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

void TestGridSelection::rotationButtons()
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

void TestGridSelection::rotationWithTheEndMarkInRowOne()
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

QTEST_MAIN(TestGridSelection)
#include "test_grid_selection.moc"
