// The time input dialog "Zeit": layout, ranges, modal results and keys. The dialog is
// opened window-modally with open() (which does not block) or, for editTime(), closed by
// a queued button press, so no test waits on it.
#include "sequence/TimeDialog.h"
#include "widgets/SpinEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

class TestGridTimeDialog : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void tabOrder();
    void spinEditsHoldTheirRanges_data();
    void spinEditsHoldTheirRanges();
    void buttonsEscapeAndCloseBox_data();
    void buttonsEscapeAndCloseBox();
    void enterDoesNotClose();
    void editTimePresetsShowsAndReadsBack();
    void editTimeCancelledLeavesTheTime();
    void centredOnTheMainWindow();
};

void TestGridTimeDialog::layout()
{
    QWidget owner;
    TForm2 dialog(&owner);
    QCOMPARE(dialog.objectName(), QStringLiteral("Form2"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zeit"));
    QCOMPARE(dialog.size(), QSize(199, 97));
    QCOMPARE(dialog.minimumSize(), QSize(199, 97));
    QCOMPARE(dialog.maximumSize(), QSize(199, 97));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog.font().pointSize(), 8);
    QVERIFY(dialog.isModal());
    QVERIFY(!dialog.isVisible());

    const struct {
        const char* name;
        QString text;
        QPoint pos;
    } labels[] = {{"Label1", QStringLiteral("Min:"), {8, 8}},
                  {"Label2", QStringLiteral("Sek:"), {72, 8}},
                  {"Label3", QStringLiteral("ms:"), {136, 8}}};
    for (const auto& l : labels) {
        auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(l.name));
        QVERIFY(label);
        QCOMPARE(label->text(), l.text);
        QCOMPARE(label->pos(), l.pos);
    }
    QCOMPARE(dialog.CSE_Min->geometry(), QRect(8, 24, 56, 25));
    QCOMPARE(dialog.CSE_Sek->geometry(), QRect(72, 24, 56, 25));
    QCOMPARE(dialog.CSE_MiliSek->geometry(), QRect(136, 24, 56, 25));
    QCOMPARE(dialog.BB_Uebernehmen->geometry(), QRect(96, 64, 97, 25));
    QCOMPARE(dialog.BB_Abbruch->geometry(), QRect(8, 64, 73, 25));
    QCOMPARE(dialog.BB_Uebernehmen->text(), QStringLiteral("Übernehmen"));
    QCOMPARE(dialog.BB_Abbruch->text(), QStringLiteral("Abbruch"));
    QVERIFY(!dialog.BB_Uebernehmen->icon().isNull());
    QVERIFY(!dialog.BB_Abbruch->icon().isNull());
    for (QPushButton* b : {dialog.BB_Uebernehmen, dialog.BB_Abbruch}) {
        QVERIFY(!b->isDefault());
        QVERIFY(!b->autoDefault());
    }
    QCOMPARE(dialog.CSE_Min->objectName(), QStringLiteral("CSE_Min"));
    QCOMPARE(dialog.CSE_Sek->objectName(), QStringLiteral("CSE_Sek"));
    QCOMPARE(dialog.CSE_MiliSek->objectName(), QStringLiteral("CSE_MiliSek"));
    QCOMPARE(dialog.BB_Uebernehmen->objectName(), QStringLiteral("BB_Uebernehmen"));
    QCOMPARE(dialog.BB_Abbruch->objectName(), QStringLiteral("BB_Abbruch"));
}

void TestGridTimeDialog::tabOrder()
{
    TForm2 dialog;
    QWidget* expected[] = {dialog.CSE_Min, dialog.CSE_Sek, dialog.CSE_MiliSek, dialog.BB_Uebernehmen,
                           dialog.BB_Abbruch};
    // The order in which the five controls appear in the focus chain from CSE_Min on.
    QList<QWidget*> order{dialog.CSE_Min};
    for (QWidget* w = dialog.CSE_Min->nextInFocusChain(); w != dialog.CSE_Min; w = w->nextInFocusChain())
        if (std::find(std::begin(expected), std::end(expected), w) != std::end(expected) && !order.contains(w))
            order << w;
    QCOMPARE(order, QList<QWidget*>(std::begin(expected), std::end(expected)));
}

void TestGridTimeDialog::spinEditsHoldTheirRanges_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("held");
    QTest::newRow("75 seconds") << "CSE_Sek" << 75 << 59;
    QTest::newRow("59 seconds") << "CSE_Sek" << 59 << 59;
    QTest::newRow("negative seconds") << "CSE_Sek" << -1 << 0;
    QTest::newRow("longest minutes") << "CSE_Min" << 9999 << 9999;
    QTest::newRow("too many minutes") << "CSE_Min" << 12000 << 9999;
    QTest::newRow("1500 ms") << "CSE_MiliSek" << 1500 << 999;
    QTest::newRow("650 ms") << "CSE_MiliSek" << 650 << 650;
}

void TestGridTimeDialog::spinEditsHoldTheirRanges()
{
    QFETCH(QString, name);
    QFETCH(int, set);
    QFETCH(int, held);
    TForm2 dialog;
    auto* spin = dialog.findChild<TCSpinEdit*>(name);
    QVERIFY(spin);
    spin->setValue(set);
    QCOMPARE(spin->value(), held);
    QCOMPARE(spin->minimum(), 0);
}

void TestGridTimeDialog::buttonsEscapeAndCloseBox_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Übernehmen") << 0 << 1;
    QTest::newRow("Abbruch") << 1 << 2;
    QTest::newRow("Escape") << 2 << 2;
    QTest::newRow("close box") << 3 << 2;
}

void TestGridTimeDialog::buttonsEscapeAndCloseBox()
{
    QFETCH(int, how);
    TForm2 dialog;
    int finished = -1;
    connect(&dialog, &QDialog::finished, this, [&finished](int r) { finished = r; });
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    switch (how) {
    case 0:
        QTest::mouseClick(dialog.BB_Uebernehmen, Qt::LeftButton);
        break;
    case 1:
        QTest::mouseClick(dialog.BB_Abbruch, Qt::LeftButton);
        break;
    case 2:
        QTest::keyClick(dialog.CSE_Sek, Qt::Key_Escape);
        break;
    default:
        dialog.close();
        break;
    }
    QFETCH(int, result);
    QCOMPARE(finished, result);
    QCOMPARE(dialog.result(), result);
    QVERIFY(!dialog.isVisible());
}

void TestGridTimeDialog::enterDoesNotClose()
{
    TForm2 dialog;
    int finished = -1;
    connect(&dialog, &QDialog::finished, this, [&finished](int r) { finished = r; });
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.CSE_Min, dialog.CSE_MiliSek, dialog.BB_Uebernehmen,
                                                      dialog.BB_Abbruch, &dialog}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_Enter);
    }
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished, -1);
    dialog.close();
}

void TestGridTimeDialog::editTimePresetsShowsAndReadsBack()
{
    TForm2 dialog;
    ClockTime time{0, 75, 650};
    ClockTime shown{-1, -1, -1};
    bool wasVisible = false;
    QTimer::singleShot(0, &dialog, [&] {
        wasVisible = dialog.isVisible();
        shown = ClockTime{dialog.CSE_Min->value(), dialog.CSE_Sek->value(), dialog.CSE_MiliSek->value()};
        dialog.CSE_Min->setValue(10);
        dialog.CSE_MiliSek->setValue(359);
        QTest::mouseClick(dialog.BB_Uebernehmen, Qt::LeftButton);
    });
    QCOMPARE(dialog.editTime(time), 1);
    QVERIFY(wasVisible);
    QCOMPARE(shown.minutes, 0);
    QCOMPARE(shown.seconds, 59);
    QCOMPARE(shown.milliseconds, 650);
    QCOMPARE(time.minutes, 10);
    QCOMPARE(time.seconds, 59);
    QCOMPARE(time.milliseconds, 359);
    QVERIFY(!dialog.isVisible());

    // Reused: the next entry starts from the caller's preset again.
    ClockTime next{1, 2, 3};
    QTimer::singleShot(0, &dialog, [&] {
        shown = ClockTime{dialog.CSE_Min->value(), dialog.CSE_Sek->value(), dialog.CSE_MiliSek->value()};
        QTest::mouseClick(dialog.BB_Uebernehmen, Qt::LeftButton);
    });
    QCOMPARE(dialog.editTime(next), 1);
    QCOMPARE(shown.minutes, 1);
    QCOMPARE(shown.seconds, 2);
    QCOMPARE(shown.milliseconds, 3);
}

void TestGridTimeDialog::editTimeCancelledLeavesTheTime()
{
    TForm2 dialog;
    ClockTime time{3, 4, 5};
    QTimer::singleShot(0, &dialog, [&] {
        dialog.CSE_Sek->setValue(30);
        QTest::keyClick(dialog.CSE_Sek, Qt::Key_Escape);
    });
    QCOMPARE(dialog.editTime(time), 2);
    QCOMPARE(time.minutes, 3);
    QCOMPARE(time.seconds, 4);
    QCOMPARE(time.milliseconds, 5);
}

void TestGridTimeDialog::centredOnTheMainWindow()
{
    QWidget owner;
    owner.setGeometry(100, 80, 1076, 777);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    TForm2 dialog(&owner);
    ClockTime time;
    QPoint centre;
    QTimer::singleShot(0, &dialog, [&] {
        centre = dialog.frameGeometry().center();
        QTest::mouseClick(dialog.BB_Abbruch, Qt::LeftButton);
    });
    QCOMPARE(dialog.editTime(time), 2);
    QVERIFY2((centre - owner.frameGeometry().center()).manhattanLength() <= 1,
             qPrintable(QStringLiteral("%1,%2 vs %3,%4").arg(centre.x()).arg(centre.y()).arg(owner.frameGeometry().center().x()).arg(owner.frameGeometry().center().y())));
}

QTEST_MAIN(TestGridTimeDialog)
#include "test_grid_timedialog.moc"
