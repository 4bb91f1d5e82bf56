// The check and accept button in the whole main window: messages through the prompts,
// corrected tick cells, Count, TS_End, the duration caption and the preview request.
#include "sequence/SequenceChecker.h"
#include "sequence/SequenceEditor.h"
#include "tests/sequence/CheckMessages.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/SpinEdit.h"

#include <QSignalSpy>
#include <QTest>

namespace {
const QString Idle = QStringLiteral("Prüfen / Übernehmen");

// "col,row,text" entries.
void setCells(FormRig& w, const QStringList& cells)
{
    for (const QString& c : cells) {
        const QStringList p = c.split(QLatin1Char(','));
        w.form->gridModel().setCell(p[0].toInt(), p[1].toInt(), p.value(2));
    }
}

void click(FormRig& w)
{
    w.find<TFlatButton>("BB_SequenzPruefen")->click();
}
} // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void buttonRunsTheCheck();
    void cases_data();
    void cases();
    void levelReportedAgainAtEveryCheck();
    void emptiedTickCell();
};

void TestCheckWindow::startUp()
{
    FormRig w({.transmitter = true});
    QCOMPARE(w.find<TFlatButton>("BB_SequenzPruefen")->text(), durationCaption("0:15.300"));
    QCOMPARE(w.find<TCSpinEdit>("Count_CSpinEdit")->value(), 7);
    QCOMPARE(w.find<TCSpinEdit>("TSEnd_CSpinEdit")->value(), 1530);
    QCOMPARE(w.prompts.errors, QStringList());
    QCOMPARE(w.prompts.exceptions, QStringList());
    const SequenceTable& t = w.form->sequenceTable();
    QCOMPARE(t.step(6).time, 1530);
    QCOMPARE(t.step(7).time, 65536);
    for (int i = 8; i < 37; ++i)
        QCOMPARE(t.step(i).time, 0);
    // The check sends nothing and lets no events through.
    QCOMPARE(w.pumps, 0);
    QVERIFY(w.hid.sent.empty());
}

void TestCheckWindow::buttonRunsTheCheck()
{
    FormRig w({.transmitter = true});
    QSignalSpy preview(w.form->checker, &SequenceChecker::previewRequested);
    w.form->sequenceTable().setStep(3, {9, 9, 9, 9});  // the check rebuilds the table from the grid
    w.find<TFlatButton>("BB_SequenzPruefen")->setText(QStringLiteral("x"));
    click(w);
    QCOMPARE(w.find<TFlatButton>("BB_SequenzPruefen")->text(), durationCaption("0:15.300"));
    QCOMPARE(preview.count(), 1);
    QCOMPARE(preview.at(0), (QVariantList{7, 1530}));
    const SequenceStep s = w.form->sequenceTable().step(3);
    QCOMPARE((QList<int>{s.time, s.red, s.green, s.blue}), (QList<int>{765, 0, 0, 255}));
}

void TestCheckWindow::cases_data()
{
    QTest::addColumn<QStringList>("edits");         // col,row,text
    QTest::addColumn<QStringList>("errors");        // "Fehler" boxes in order
    QTest::addColumn<QStringList>("cells");         // col,row,text after the check
    QTest::addColumn<QList<int>>("levels");         // step, channel, level in the table
    QTest::addColumn<int>("count");                 // Count_CSpinEdit
    QTest::addColumn<int>("tsEnd");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("previewCount");

    QTest::newRow("equal times") << QStringList{"1,3,255"} << QStringList{orderMessage(3)}
                                 << QStringList{"1,3,256", "1,2,255"} << QList<int>{} << 7 << 1530
                                 << durationCaption("0:15.300") << 7;
    QTest::newRow("time below its predecessor")
        << QStringList{"1,4,1020", "1,5,100", "1,6,1275"} << QStringList{orderMessage(5)}
        << QStringList{"1,4,1020", "1,5,1021", "1,6,1275", "1,7,1530"}
        << QList<int>{} << 7 << 1530 << durationCaption("0:15.300") << 7;
    QTest::newRow("green 300") << QStringList{"4,2,300"} << QStringList{rangeMessage(2, "Grün")}
                               << QStringList{"4,2,300"} << QList<int>{1, Green, 0} << 7 << 1530
                               << durationCaption("0:15.300") << 7;
    QTest::newRow("time before levels in a row")
        << QStringList{"1,3,100", "3,3,256", "5,3,999"}
        << QStringList{orderMessage(3), rangeMessage(3, "Rot"), rangeMessage(3, "Blau")}
        << QStringList{"1,3,256", "3,3,256", "5,3,999"} << QList<int>{2, Red, 0, 2, Blue, 0} << 7 << 1530
        << durationCaption("0:15.300") << 7;
    QTest::newRow("negative and unreadable levels")
        << QStringList{"3,2,-5", "4,2,abc"} << QStringList{} << QStringList{"3,2,-5", "4,2,abc"}
        << QList<int>{1, Red, 0, 1, Green, 0} << 7 << 1530 << durationCaption("0:15.300") << 7;
    QTest::newRow("end mark in row 1") << QStringList{"1,1,65536"} << QStringList{} << QStringList{"1,1,65536"}
                                       << QList<int>{} << 1 << 65535 << durationCaption("10:55.350") << 0;
    QTest::newRow("end mark earlier") << QStringList{"1,4,65536"} << QStringList{} << QStringList{"1,5,1020"}
                                      << QList<int>{} << 3 << 510 << durationCaption("0:05.100") << 3;
    QTest::newRow("no end mark")
        << [] {
               QStringList e{"1,8,1600"};
               for (int r = 9; r <= 37; ++r)
                   e << QStringLiteral("1,%1,%2").arg(r).arg(1600 + r);
               return e;
           }()
        << QStringList{} << QStringList{"1,37,1637"} << QList<int>{} << 37 << 1637 << durationCaption("0:16.370") << 37;
}

void TestCheckWindow::cases()
{
    QFETCH(QStringList, edits);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, cells);
    QFETCH(QList<int>, levels);
    QFETCH(int, count);
    QFETCH(int, tsEnd);
    QFETCH(QString, caption);
    QFETCH(int, previewCount);

    FormRig w({.transmitter = true});
    QSignalSpy preview(w.form->checker, &SequenceChecker::previewRequested);
    setCells(w, edits);
    click(w);

    QCOMPARE(w.prompts.errors, errors);
    QCOMPARE(w.prompts.exceptions, QStringList());
    for (const QString& c : cells) {
        const QStringList p = c.split(QLatin1Char(','));
        QCOMPARE(w.form->gridModel().cell(p[0].toInt(), p[1].toInt()), p[2]);
    }
    for (qsizetype i = 0; i + 2 < levels.size(); i += 3) {
        const SequenceStep s = w.form->sequenceTable().step(levels[i]);
        const int level[] = {s.red, s.green, s.blue};
        QCOMPARE(level[levels[i + 1]], levels[i + 2]);
    }
    QCOMPARE(w.find<TCSpinEdit>("Count_CSpinEdit")->value(), count);
    QCOMPARE(w.find<TCSpinEdit>("TSEnd_CSpinEdit")->value(), tsEnd);
    QCOMPARE(w.find<TFlatButton>("BB_SequenzPruefen")->text(), caption);
    QCOMPARE(preview.count(), 1);
    QCOMPARE(preview.at(0), (QVariantList{previewCount, tsEnd}));
}

void TestCheckWindow::levelReportedAgainAtEveryCheck()
{
    FormRig w({.transmitter = true});
    setCells(w, {"4,2,300"});
    click(w);
    click(w);
    QCOMPARE(w.prompts.errors, (QStringList{rangeMessage(2, "Grün"), rangeMessage(2, "Grün")}));
    QCOMPARE(w.form->gridModel().cell(4, 2), QStringLiteral("300"));
    setCells(w, {"4,2,30"});
    click(w);
    QCOMPARE(w.prompts.errors.size(), 2);
    QCOMPARE(w.form->sequenceTable().step(1).green, 30);
}

void TestCheckWindow::emptiedTickCell()
{
    FormRig w({.transmitter = true});
    QSignalSpy preview(w.form->checker, &SequenceChecker::previewRequested);
    setCells(w, {"3,2,7", "1,4,", "3,5,9"});
    click(w);
    QCOMPARE(w.prompts.exceptions, QStringList{QStringLiteral("'' ist kein gültiger Integerwert")});
    QCOMPARE(w.prompts.errors, QStringList());
    QCOMPARE(w.find<TFlatButton>("BB_SequenzPruefen")->text(), Idle);
    QCOMPARE(w.find<TCSpinEdit>("Count_CSpinEdit")->value(), 7);
    QCOMPARE(w.find<TCSpinEdit>("TSEnd_CSpinEdit")->value(), 1530);
    QCOMPARE(preview.count(), 0);
    // Rows above the bad one are stored, the rows from it on are not.
    QCOMPARE(w.form->sequenceTable().step(1).red, 7);
    QCOMPARE(w.form->sequenceTable().step(4).red, 255);

    setCells(w, {"1,4,765"});
    click(w);
    QCOMPARE(w.prompts.exceptions.size(), 1);
    QCOMPARE(w.find<TFlatButton>("BB_SequenzPruefen")->text(), durationCaption("0:15.300"));
    QCOMPARE(w.form->sequenceTable().step(4).red, 9);
    QCOMPARE(preview.count(), 1);
}

QTEST_MAIN(TestCheckWindow)
#include "test_check_window.moc"
