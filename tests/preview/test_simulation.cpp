// The playback simulation in the whole main window: Timer2 steps the track bar through the
// sequence and wraps after its end; "Simulation" starts and stops it, and the upload and the
// configuration procedures stop it. Timer events are delivered by calling the handler.
#include "control/ConfigProcedurePanel.h"
#include "tests/preview/PreviewRig.h"
#include "tests/support/TestRegistry.h"

class TestPlaybackSimulation : public QObject {
    Q_OBJECT
private slots:
    void timerAsBuilt();
    void wrapsAfterTheEnd();
    void startsFromTheTrackBar();
    void stoppingKeepsThePosition();
    void endZeroStaysAtZero();
    void timeoutStepsLikeTheHandler();
    void othersStopIt_data();
    void othersStopIt();
    void intervalFromCSpinEdit2Only();
    void sendsOnlyChangedLevels();
    void rebuildWhileRunningMovesToTheNewEnd();
};
TINTARO_REGISTER_TEST(TestPlaybackSimulation);

void TestPlaybackSimulation::timerAsBuilt()
{
    PreviewRig w(false);
    QCOMPARE(w.timer().objectName(), QStringLiteral("Timer2"));
    QCOMPARE(w.timer().interval(), 100);
    QVERIFY(!w.timer().isActive());
    QVERIFY(!w.simulationBox().isChecked());
    QCOMPARE(w.simulationBox().text(), QStringLiteral("Simulation"));
    QCOMPARE(w.form->side->CSpinEdit2->value(), 100);
}

void TestPlaybackSimulation::wrapsAfterTheEnd()
{
    PreviewRig w(false);
    QCOMPARE(w.playback().PlaybackEnd, 1530u);
    w.track().setValue(1529);
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 1530);
    QCOMPARE(w.playback().PlaybackPosition, 1530u);
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 0);
    QCOMPARE(w.playback().PlaybackPosition, 0u);
    QCOMPARE(w.screen().ScreenCursor().PosMX(), 0);
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("0"));
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 1);
    QCOMPARE(w.screen().ScreenCursor().PosMX(), 1);
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("1"));
}

void TestPlaybackSimulation::startsFromTheTrackBar()
{
    PreviewRig w(false);
    w.track().setValue(500);
    w.playback().PlaybackPosition = 17;   // whatever it was: the check box takes the track bar's
    w.simulationBox().click();
    QVERIFY(w.timer().isActive());
    QCOMPARE(w.playback().PlaybackPosition, 500u);
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 501);
    QCOMPARE(w.playback().PlaybackPosition, 501u);
    QCOMPARE(w.screen().ScreenCursor().PosMX(), 501);
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("501"));
    // Between green (255) and cyan (510): blue has risen by 246.
    QCOMPARE(w.sliderLevels(), QList<int>({0, 255, 246}));
}

void TestPlaybackSimulation::stoppingKeepsThePosition()
{
    PreviewRig w(false);
    w.simulationBox().setChecked(true);
    for (int i = 0; i < 3; ++i)
        w.form->simulation->Timer2Timer();
    w.simulationBox().setChecked(false);
    QVERIFY(!w.timer().isActive());
    QCOMPARE(w.playback().PlaybackPosition, 3u);
    QCOMPARE(w.track().value(), 3);
    // Moving the track bar by hand sets where it goes on.
    w.track().setValue(40);
    w.simulationBox().setChecked(true);
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 41);
}

void TestPlaybackSimulation::endZeroStaysAtZero()
{
    PreviewRig w(false);
    w.setSequence({{0, 9, 8, 7}, {65536, 0, 0, 0}});
    QCOMPARE(w.playback().PlaybackEnd, 0u);
    QCOMPARE(w.track().maximum(), 0);
    w.simulationBox().setChecked(true);
    for (int i = 0; i < 3; ++i) {
        w.form->simulation->Timer2Timer();
        QCOMPARE(w.playback().PlaybackPosition, 0u);
        QCOMPARE(w.track().value(), 0);
    }
}

void TestPlaybackSimulation::timeoutStepsLikeTheHandler()
{
    PreviewRig w(false);
    w.simulationBox().setChecked(true);
    // The timer's own signal reaches the handler (delivered here without waiting).
    QVERIFY(QMetaObject::invokeMethod(&w.timer(), "timeout", Qt::DirectConnection));
    QCOMPARE(w.track().value(), 1);
}

void TestPlaybackSimulation::othersStopIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("upload") << QStringLiteral("BB_SequenzSenden");
    for (const ConfigPanelDef& def : configPanelDefs())
        QTest::newRow(def.step1.name) << QString::fromLatin1(def.step1.name);
}

void TestPlaybackSimulation::othersStopIt()
{
    QFETCH(QString, button);
    PreviewRig w(false);
    w.simulationBox().setChecked(true);
    w.form->simulation->Timer2Timer();
    QVERIFY(w.timer().isActive());
    auto* b = w.form->findChild<TFlatButton*>(button);
    QVERIFY(b);
    b->setEnabled(true);
    b->click();
    QVERIFY(!w.simulationBox().isChecked());
    QVERIFY(!w.timer().isActive());
    QCOMPARE(w.playback().PlaybackPosition, 1u);
}

void TestPlaybackSimulation::intervalFromCSpinEdit2Only()
{
    PreviewRig w(false);
    TCSpinEdit* interval = w.form->side->CSpinEdit2;
    interval->setValue(250);
    QCOMPARE(w.timer().interval(), 250);
    w.form->sequence->Red_Pro_CSpinEdit->setValue(50);
    QCOMPARE(w.timer().interval(), 250);
    w.form->sequence->Blue_Pro_CSpinEdit->setValue(0);
    QCOMPARE(w.timer().interval(), 250);
    // The spin edit keeps 5..1000; a running timer goes on with the new interval.
    w.simulationBox().setChecked(true);
    interval->setValue(3);
    QCOMPARE(interval->value(), 5);
    QCOMPARE(w.timer().interval(), 5);
    QVERIFY(w.timer().isActive());
    interval->setValue(5000);
    QCOMPARE(w.timer().interval(), 1000);
    // A timer interval changed behind the field's back is put right by any percentage change.
    w.timer().setInterval(77);
    w.form->sequence->Green_Pro_CSpinEdit->setValue(10);
    QCOMPARE(w.timer().interval(), 1000);
}

void TestPlaybackSimulation::sendsOnlyChangedLevels()
{
    PreviewRig w(false);
    w.attachTransmitter();
    w.form->side->Senden_CheckBox->setChecked(true);
    // A plateau from tick 0 to 100, then red rises by one.
    w.setSequence({{0, 10, 20, 30}, {100, 10, 20, 30}, {101, 11, 20, 30}, {65536, 0, 0, 0}});
    QVERIFY(w.hid.sent.empty());
    w.simulationBox().setChecked(true);

    // Tick 1 brings all three levels from 0 ("alle": addresses 28, 29, 30, toggles alternating).
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.reports(), QList<SentFrame>({{false, 28, 10}, {true, 29, 20}, {false, 30, 30}}));
    w.hid.sent.clear();
    for (int tick = 2; tick <= 100; ++tick)
        w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 100);
    QCOMPARE(w.reports(), QList<SentFrame>());
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.reports(), QList<SentFrame>({{true, 28, 11}}));
    // The wrap to tick 0 brings red back.
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 0);
    QCOMPARE(w.reports(), QList<SentFrame>({{true, 28, 11}, {false, 28, 10}}));
}

void TestPlaybackSimulation::rebuildWhileRunningMovesToTheNewEnd()
{
    PreviewRig w(false);
    w.track().setValue(1500);
    w.simulationBox().setChecked(true);
    w.form->gridModel().setCell(SequenceGridModel::ColTicks, 7, QStringLiteral("1400"));
    w.form->sequence->BB_SequenzPruefen->click();
    QCOMPARE(w.playback().PlaybackEnd, 1400u);
    QCOMPARE(w.playback().PlaybackPosition, 1400u);
    QVERIFY(w.timer().isActive());
    w.form->simulation->Timer2Timer();
    QCOMPARE(w.track().value(), 0);
}

#include "test_simulation.moc"
