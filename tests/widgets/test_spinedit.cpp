#include "widgets/SpinEdit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// The held value follows what the field shows at every keystroke, so a button that
// reads it (without taking the focus) never sees an older value.
class TestSpinEdit : public QObject {
    Q_OBJECT
private slots:
    void typedTextIsHeldClamped_data();
    void typedTextIsHeldClamped();
    void lettersAreRejected();
    void leavingTheFieldShowsTheHeldValue();
    void settingClamps();
};

void TestSpinEdit::typedTextIsHeldClamped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("held");
    QTest::newRow("within") << "17" << 17;
    QTest::newRow("above the maximum") << "40" << 31;
    QTest::newRow("far above, beyond 64 bits") << "123456789012345678901234" << 31;
    QTest::newRow("below the minimum") << "1" << 2;
    QTest::newRow("emptied") << "" << 2;
}

void TestSpinEdit::typedTextIsHeldClamped()
{
    QFETCH(QString, typed);
    QFETCH(int, held);
    TCSpinEdit spin(2, 31, 10);
    spin.show();
    spin.setFocus();
    QSignalSpy changed(&spin, &QSpinBox::valueChanged);
    QLineEdit* edit = spin.findChild<QLineEdit*>();
    edit->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, typed);
    QCOMPARE(spin.value(), held);
    QVERIFY(!changed.isEmpty());
}

void TestSpinEdit::lettersAreRejected()
{
    TCSpinEdit spin(0, 255, 7);
    spin.show();
    QLineEdit* edit = spin.findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("x-"));
    QCOMPARE(edit->text(), QStringLiteral("7"));
    QCOMPARE(spin.value(), 7);
}

void TestSpinEdit::leavingTheFieldShowsTheHeldValue()
{
    QWidget window;
    auto* spin = new TCSpinEdit(0, 31, 0, &window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    spin->setFocus();
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("40"));
    QCOMPARE(spin->value(), 31);
    other->setFocus();
    QCOMPARE(edit->text(), QStringLiteral("31"));
}

void TestSpinEdit::settingClamps()
{
    TCSpinEdit spin(5, 1000, 100);
    spin.setValue(4);
    QCOMPARE(spin.value(), 5);
    spin.setValue(5000);
    QCOMPARE(spin.value(), 1000);
}

QTEST_MAIN(TestSpinEdit)
#include "test_spinedit.moc"
