// The sequence grid in the whole main window, driven like a user: the grid at start, the
// clock-time column and Speed, typing into cells with the check's corrections, the key
// filter and pasted text.
#include "tests/sequence/GridWindow.h"

using namespace gridtest;

namespace {

// A "Fehler" box that takes the focus the way a real message box does: another window becomes
// active while the box is open and hands the focus back afterwards. True when the widget that
// had the focus lost it meanwhile.
bool boxTookTheFocus()
{
    QWidget* previous = QApplication::activeWindow();
    QWidget* focus = QApplication::focusWidget();
    QWidget box;
    box.setWindowTitle(QStringLiteral("Fehler"));
    box.show();
    box.activateWindow();
    QApplication::setActiveWindow(&box);
    QCoreApplication::processEvents();
    const bool taken = focus && QApplication::focusWidget() != focus;
    box.hide();
    if (previous) {
        previous->activateWindow();
        QApplication::setActiveWindow(previous);
    }
    QCoreApplication::processEvents();
    return taken;
}

} // namespace

class TestGridEditor : public QObject {
    Q_OBJECT
private slots:
    void gridAtStart();
    void clockColumnAbsoluteAndRelative();
    void speedKeepsEvenAndRefreshesTheClockColumn();
    void typedTimeIsCorrectedInTheOpenEditor();
    void editorStaysOpenWhileAMessageBoxHasTheFocus();
    void everyKeystrokeIsStoredAndChecked();
    void emptiedTickCellReportsTheConversionErrorAndTheNextDigitRepairs();
    void valueAboveTheEndMarkBecomesZero();
    void lettersAndMinusAreIgnored_data();
    void lettersAndMinusAreIgnored();
    void pastedTextIsReadSoundly();
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

void TestGridEditor::editorStaysOpenWhileAMessageBoxHasTheFocus()
{
    int focusTaken = 0;  // boxes during which the editor had lost the focus
    Window w;
    w.prompts.onError = [&](const QString&) { focusTaken += boxTookTheFocus(); };
    QApplication::setActiveWindow(w.form.get());
    QLineEdit* e = w.typeInto(Ticks, 3, QStringLiteral("3"));
    QVERIFY(e);
    QCOMPARE(w.prompts.errors, QStringList{orderMessage(3)});
    QCOMPARE(w.view->cellEditor(), e);
    QCOMPARE(e->text(), QStringLiteral("256"));
    QCOMPARE(e->selectedText(), QStringLiteral("256"));
    QCOMPARE(QApplication::focusWidget(), e);
    QTest::keyClicks(e, QStringLiteral("4"));
    QCOMPARE(w.prompts.errors.size(), 2);
    QCOMPARE(focusTaken, 2);
    QCOMPARE(w.view->cellEditor(), e);
    QCOMPARE(e->text(), QStringLiteral("256"));
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

QTEST_MAIN(TestGridEditor)
#include "test_grid_editor.moc"
