// The sequence upload and its commit buttons in the whole main window: the frames as the
// fake transmitter receives them, the checksum caption, the progress bar, the enabling, the
// event pumping between the steps, and the window being closed in the middle.
#include "sequence/SequenceEditor.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString Pending = QStringLiteral("Übertragen (CRC=0x__)");
const char* const CommitButtons[] = {"BB_SequenzSpeichern", "BB_SequenzAbspielen", "BB_SequenzAbbruch"};

// Module "alle", 37 steps, Count 1, Speed 10, TS_End 100; step 0 at time 0 full red, the
// other steps at the end mark and dark; percentages 100, Repeat 0, "Sequenz 1", "keine".
void workedExample(FormRig& w)
{
    SequenceTable& t = w.form->sequenceTable();
    t.setStep(0, {0, 255, 0, 0});
    for (int i = 1; i < 37; ++i)
        t.setStep(i, {65536, 0, 0, 0});
    w.find<TCSpinEdit>("Count_CSpinEdit")->setValue(1);
    w.find<TCSpinEdit>("Speed_CSpinEdit")->setValue(10);
    w.find<TCSpinEdit>("TSEnd_CSpinEdit")->setValue(100);
    w.find<TCSpinEdit>("CSE_PlayMode")->setValue(0);
    for (const char* name : {"Red_Pro_CSpinEdit", "Green_Pro_CSpinEdit", "Blue_Pro_CSpinEdit"})
        w.find<TCSpinEdit>(name)->setValue(100);
    w.find<QComboBox>("CB_SequenzProgNummer")->setCurrentIndex(0);
    w.find<QComboBox>("CB_SequenzFolgeProgNummer")->setCurrentIndex(0);
    QCOMPARE(w.form->moduleIndex(), 7);
}

// Data frames on channel 0 of module 7 with alternating toggles, from position `first` on.
QList<SentFrame> dataFrames(const QList<int>& bytes, int first = 0)
{
    QList<SentFrame> out;
    for (qsizetype k = 0; k < bytes.size(); ++k)
        out << SentFrame{(first + k) % 2 == 1, 28, bytes[k]};
    return out;
}

QList<SentFrame> workedExampleFrames()
{
    QList<int> bytes{1, 5, 100, 0, 0, 0, 255, 0, 0};
    for (int i = 0; i < 36 * 5 + 2; ++i)
        bytes << 0;
    return QList<SentFrame>{{false, 31, 1}, {true, 30, 0}} + dataFrames(bytes) + QList<SentFrame>{{true, 29, 105}};
}

// The frames sent, each standing for `repeat` identical reports in a row (false when
// the reports do not come in such runs).
bool repeatedFrames(const FormRig& w, QList<SentFrame>& out, int repeat)
{
    const QList<SentFrame> all = w.reports();
    out.clear();
    if (all.size() % repeat != 0)
        return false;
    for (qsizetype i = 0; i < all.size(); i += repeat) {
        for (int k = 1; k < repeat; ++k)
            if (!(all[i + k] == all[i]))
                return false;
        out << all[i];
    }
    return true;
}

QList<int> countTo(int n)
{
    QList<int> v;
    for (int i = 1; i <= n; ++i)
        v << i;
    return v;
}

QList<int> spied(const QSignalSpy& spy)
{
    QList<int> v;
    for (const QVariantList& args : spy)
        v << args.at(0).toInt();
    return v;
}

bool sameFrames(const QList<SentFrame>& actual, const QList<SentFrame>& expected)
{
    if (actual.size() != expected.size()) {
        qWarning("%lld frames, expected %lld", qlonglong(actual.size()), qlonglong(expected.size()));
        return false;
    }
    for (qsizetype i = 0; i < actual.size(); ++i)
        if (!(actual[i] == expected[i])) {
            qWarning("frame %lld is %s, expected %s", qlonglong(i), toString(actual[i]), toString(expected[i]));
            return false;
        }
    return true;
}

TFlatButton* button(FormRig& w, const char* name)
{
    return w.find<TFlatButton>(name);
}

void upload(FormRig& w)
{
    button(w, "BB_SequenzSenden")->click();
}
} // namespace

class TestUpload : public QObject {
    Q_OBJECT
private slots:
    void workedExampleStream();
    void stateWhileTransferring();
    void eventsBeforeEveryStep();
    void headerBytes_data();
    void headerBytes();
    void stepBytes_data();
    void stepBytes();
    void percentageChangedDuringUpload();
    void thirtyThreeSteps();
    void slotByte();
    void withoutTransmitter();
    void maxStepsReadOnce_data();
    void maxStepsReadOnce();
    void commitButtons_data();
    void commitButtons();
    void secondUploadNeedsCommit();
    void windowClosedDuringUpload();
    void windowDestroyedDuringUpload_data();
    void windowDestroyedDuringUpload();
};

void TestUpload::workedExampleStream()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    QSignalSpy progress(w.find<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged);
    upload(w);

    QCOMPARE(w.hid.sent.size(), std::size_t(388));
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QVERIFY(sameFrames(frames, workedExampleFrames()));
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x69)"));
    // The bar fills to its maximum and is reset.
    QCOMPARE(spied(progress), countTo(194) + QList<int>{0});
    QCOMPARE(w.find<QProgressBar>("ProgressBar1")->value(), 0);
    QVERIFY(!button(w, "BB_SequenzSenden")->isEnabled());
    for (const char* name : CommitButtons)
        QVERIFY2(button(w, name)->isEnabled(), name);
    // Every frame twice (RepeatCount 2), each followed by its pause of RepeatDelayMs.
    QCOMPARE(w.pauses, QList<int>(388, 0));
}

void TestUpload::stateWhileTransferring()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    auto* simulation = w.find<QCheckBox>("CB_Simulation");
    simulation->setChecked(true);
    bool checkedAtFirstFrame = true;
    QStringList captions;
    QList<bool> sendEnabled, commitEnabled;
    w.onPause = [&] {
        if (w.pauses.size() == 1)
            checkedAtFirstFrame = simulation->isChecked();
    };
    w.onPump = [&](int) {
        captions << button(w, "BB_SequenzSenden")->text();
        sendEnabled << button(w, "BB_SequenzSenden")->isEnabled();
        for (const char* name : CommitButtons)
            commitEnabled << button(w, name)->isEnabled();
    };
    upload(w);
    QVERIFY(!checkedAtFirstFrame);
    QVERIFY(!simulation->isChecked());
    QCOMPARE(captions, QStringList(38, Pending));
    QCOMPARE(sendEnabled, QList<bool>(38, false));
    QCOMPARE(commitEnabled, QList<bool>(38 * 3, false));
}

void TestUpload::eventsBeforeEveryStep()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    QList<int> reportsAtPump, progressAtPump;
    w.onPump = [&](int) {
        reportsAtPump << int(w.hid.sent.size());
        progressAtPump << w.find<QProgressBar>("ProgressBar1")->value();
    };
    upload(w);
    QCOMPARE(w.pumps, 38);
    QList<int> reports, progress;
    // Before step k: the opening pair, the four header bytes and k steps of five bytes;
    // the 38th pump comes after the last step, before the repeat byte.
    for (int k = 0; k <= 37; ++k) {
        reports << 2 * (2 + 4 + 5 * k);
        progress << 1 + 2 + 4 + 5 * k;
    }
    QCOMPARE(reportsAtPump, reports);
    QCOMPARE(progressAtPump, progress);
}

void TestUpload::headerBytes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("tsEnd");
    QTest::addColumn<QList<int>>("bytes");
    QTest::newRow("worked example") << 1 << 10 << 100 << QList<int>{1, 5, 100, 0};
    QTest::newRow("end time 65535") << 7 << 10 << 65535 << QList<int>{7, 5, 255, 255};
    QTest::newRow("end time 300") << 37 << 2 << 300 << QList<int>{37, 1, 44, 1};
    QTest::newRow("slowest tick") << 2 << 510 << 0 << QList<int>{2, 255, 0, 0};
}

void TestUpload::headerBytes()
{
    QFETCH(int, count);
    QFETCH(int, speed);
    QFETCH(int, tsEnd);
    QFETCH(QList<int>, bytes);
    FormRig w({.transmitter = true});
    workedExample(w);
    w.find<TCSpinEdit>("Count_CSpinEdit")->setValue(count);
    w.find<TCSpinEdit>("Speed_CSpinEdit")->setValue(speed);
    w.find<TCSpinEdit>("TSEnd_CSpinEdit")->setValue(tsEnd);
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QVERIFY(sameFrames(frames.mid(2, 4), dataFrames(bytes)));
}

void TestUpload::stepBytes_data()
{
    QTest::addColumn<QList<int>>("percent");   // red, green, blue
    QTest::addColumn<QList<int>>("step");      // time, red, green, blue of step 0
    QTest::addColumn<QList<int>>("bytes");     // the five bytes of step 0
    QTest::newRow("unscaled") << QList<int>{100, 100, 100} << QList<int>{0, 255, 128, 1}
                              << QList<int>{0, 0, 255, 128, 1};
    QTest::newRow("red at 50 %") << QList<int>{50, 100, 100} << QList<int>{0, 255, 0, 0}
                                 << QList<int>{0, 0, 127, 0, 0};
    QTest::newRow("truncating") << QList<int>{33, 99, 1} << QList<int>{0, 201, 255, 99}
                                << QList<int>{0, 0, 66, 252, 0};
    QTest::newRow("all at 0 %") << QList<int>{0, 0, 0} << QList<int>{0, 255, 255, 255}
                                << QList<int>{0, 0, 0, 0, 0};
    QTest::newRow("time 300") << QList<int>{100, 100, 100} << QList<int>{300, 0, 0, 0}
                              << QList<int>{44, 1, 0, 0, 0};
    QTest::newRow("end mark") << QList<int>{100, 100, 100} << QList<int>{65536, 9, 0, 0}
                              << QList<int>{0, 0, 9, 0, 0};
}

void TestUpload::stepBytes()
{
    QFETCH(QList<int>, percent);
    QFETCH(QList<int>, step);
    QFETCH(QList<int>, bytes);
    FormRig w({.transmitter = true});
    workedExample(w);
    const char* const names[] = {"Red_Pro_CSpinEdit", "Green_Pro_CSpinEdit", "Blue_Pro_CSpinEdit"};
    for (int c = 0; c < 3; ++c)
        w.find<TCSpinEdit>(names[c])->setValue(percent[c]);
    w.form->sequenceTable().setStep(0, {step[0], step[1], step[2], step[3]});
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QVERIFY(sameFrames(frames.mid(2 + 4, 5), dataFrames(bytes, 4)));
    // The table keeps the unscaled levels.
    QCOMPARE(w.form->sequenceTable().step(0).red, step[1]);
}

void TestUpload::percentageChangedDuringUpload()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    for (int i = 0; i < 37; ++i)
        w.form->sequenceTable().setStep(i, {i, 200, 100, 0});
    // The third pump comes before step 2.
    w.onPump = [&](int n) {
        if (n == 3)
            w.find<TCSpinEdit>("Red_Pro_CSpinEdit")->setValue(50);
    };
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QCOMPARE(frames.size(), 194);
    QList<int> reds, greens;
    for (int i = 0; i < 37; ++i) {
        reds << frames[2 + 4 + 5 * i + 2].data;
        greens << frames[2 + 4 + 5 * i + 3].data;
    }
    QCOMPARE(reds, (QList<int>{200, 200} + QList<int>(35, 100)));
    QCOMPARE(greens, QList<int>(37, 100));
    // The checksum covers the bytes as sent.
    int sum = 0;
    for (int k = 2; k < 2 + 191; ++k)
        sum += frames[k].data;
    QCOMPARE(frames.last(), (SentFrame{true, 29, sum % 256}));
}

void TestUpload::thirtyThreeSteps()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    w.form->setMaxSteps(33);
    w.find<TCSpinEdit>("CSE_PlayMode")->setValue(3);
    w.find<QComboBox>("CB_SequenzProgNummer")->setCurrentIndex(1);       // "Sequenz 2"
    w.find<QComboBox>("CB_SequenzFolgeProgNummer")->setCurrentIndex(1);  // "Feste Farbe"
    QSignalSpy progress(w.find<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged);
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QCOMPARE(frames.size(), 174);
    QCOMPARE(w.pumps, 34);
    // Data byte 169 is the repeat byte, 170 the slot byte (1 | 1 * 16).
    QVERIFY(sameFrames(frames.mid(2 + 169, 2), dataFrames({3, 17}, 169)));
    QCOMPARE(frames.last(), (SentFrame{true, 29, (105 + 3 + 17) % 256}));
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x7D)"));
    // The bar stops short of its maximum (194) before it is reset.
    QCOMPARE(spied(progress), countTo(174) + QList<int>{0});
}

void TestUpload::slotByte()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    w.find<QComboBox>("CB_SequenzProgNummer")->setCurrentText(QStringLiteral("Sequenz 9"));
    w.find<QComboBox>("CB_SequenzFolgeProgNummer")->setCurrentText(QStringLiteral("Sequenz 1"));
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QCOMPARE(frames.size(), 194);
    QCOMPARE(frames[2 + 190], (SentFrame{false, 28, 8 + 2 * 16}));
    QCOMPARE(frames.last(), (SentFrame{true, 29, (105 + 40) % 256}));
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x91)"));
}

void TestUpload::withoutTransmitter()
{
    FormRig w;
    workedExample(w);
    QSignalSpy progress(w.find<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged);
    upload(w);
    QVERIFY(w.hid.sent.empty());
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x69)"));
    QCOMPARE(spied(progress), countTo(194) + QList<int>{0});
    QCOMPARE(w.pumps, 38);
    QCOMPARE(w.pauses.size(), 388);
    for (const char* name : CommitButtons)
        QVERIFY2(button(w, name)->isEnabled(), name);
    QVERIFY(!button(w, "BB_SequenzSenden")->isEnabled());
}

void TestUpload::maxStepsReadOnce_data()
{
    QTest::addColumn<int>("atStart");
    QTest::addColumn<int>("duringUpload");
    QTest::addColumn<int>("frameCount");
    QTest::newRow("37, switched to 33") << 37 << 33 << 194;
    QTest::newRow("33, switched to 37") << 33 << 37 << 174;
}

void TestUpload::maxStepsReadOnce()
{
    QFETCH(int, atStart);
    QFETCH(int, duringUpload);
    QFETCH(int, frameCount);
    FormRig w({.transmitter = true});
    workedExample(w);
    w.form->setMaxSteps(atStart);
    // A variant switch (or a file that brings one) while the upload lets events through.
    w.onPump = [&](int n) {
        if (n == 2)
            w.form->setMaxSteps(duringUpload);
    };
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QCOMPARE(frames.size(), frameCount);
    QCOMPARE(w.pumps, atStart + 1);
    QCOMPARE(frames.last(), (SentFrame{true, 29, 105}));
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x69)"));
}

void TestUpload::commitButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<SentFrame>>("frames");  // for module 2: addresses 8..11
    QTest::newRow("Speichern") << "BB_SequenzSpeichern" << QList<SentFrame>{{false, 10, 1}, {true, 10, 1}};
    QTest::newRow("Abspielen") << "BB_SequenzAbspielen" << QList<SentFrame>{{false, 10, 2}};
    QTest::newRow("Abbruch") << "BB_SequenzAbbruch" << QList<SentFrame>{{true, 11, 128}, {false, 11, 0}};
}

void TestUpload::commitButtons()
{
    QFETCH(QString, name);
    QFETCH(QList<SentFrame>, frames);
    FormRig w({.transmitter = true});
    workedExample(w);
    upload(w);
    w.hid.sent.clear();
    w.pauses.clear();

    // The frames go to the module selected at the click.
    w.find<TRadioGroup>("RG_Geraeteadresse")->setItemIndex(2);
    w.find<TCSpinEdit>("CSE_Repeat")->setValue(3);
    w.find<TCSpinEdit>("CSE_Delay")->setValue(40);
    auto* simulation = w.find<QCheckBox>("CB_Simulation");
    simulation->setChecked(true);
    QList<bool> enabledWhileSending;
    w.onPause = [&] {
        enabledWhileSending << button(w, "BB_SequenzSenden")->isEnabled();
        for (const char* b : CommitButtons)
            enabledWhileSending << button(w, b)->isEnabled();
    };
    button(w, name.toLatin1().constData())->click();

    QList<SentFrame> sent;
    QVERIFY(repeatedFrames(w, sent, 3));
    QVERIFY(sameFrames(sent, frames));
    QCOMPARE(w.pauses, QList<int>(3 * frames.size(), 40));
    QCOMPARE(enabledWhileSending, QList<bool>(4 * 3 * frames.size(), false));
    QVERIFY(button(w, "BB_SequenzSenden")->isEnabled());
    for (const char* b : CommitButtons)
        QVERIFY2(!button(w, b)->isEnabled(), b);
    // No event pumping, no simulation stop, caption and progress bar as they were.
    QCOMPARE(w.pumps, 38);
    QVERIFY(simulation->isChecked());
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen (CRC=0x69)"));
    QCOMPARE(w.find<QProgressBar>("ProgressBar1")->value(), 0);
}

void TestUpload::secondUploadNeedsCommit()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    upload(w);
    upload(w);
    QCOMPARE(w.hid.sent.size(), std::size_t(388));
    QCOMPARE(w.pumps, 38);
    button(w, "BB_SequenzAbspielen")->click();
    upload(w);
    QCOMPARE(w.hid.sent.size(), std::size_t(388 + 2 + 388));
    QCOMPARE(w.pumps, 2 * 38);
}

void TestUpload::windowClosedDuringUpload()
{
    FormRig w({.transmitter = true});
    workedExample(w);
    w.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    int reportsAtClose = -1;
    w.onPump = [&](int n) {
        if (n == 5) {
            reportsAtClose = int(w.hid.sent.size());
            w.form->close();
        }
    };
    upload(w);
    QVERIFY(!w.form->isVisible());
    // Nothing more goes out once the window is closed, and nothing is left to commit.
    QCOMPARE(w.pumps, 5);
    QCOMPARE(reportsAtClose, 2 * (2 + 4 + 5 * 4));
    QCOMPARE(int(w.hid.sent.size()), reportsAtClose);
    QCOMPARE(w.find<QProgressBar>("ProgressBar1")->value(), 0);
    QCOMPARE(button(w, "BB_SequenzSenden")->text(), QStringLiteral("Übertragen"));
    QVERIFY(button(w, "BB_SequenzSenden")->isEnabled());
    for (const char* name : CommitButtons)
        QVERIFY2(!button(w, name)->isEnabled(), name);

    // Shown again, the window uploads as usual.
    w.onPump = nullptr;
    w.hid.sent.clear();
    w.form->show();
    upload(w);
    QList<SentFrame> frames;
    QVERIFY(repeatedFrames(w, frames, 2));
    QVERIFY(sameFrames(frames, workedExampleFrames()));
}

void TestUpload::windowDestroyedDuringUpload_data()
{
    QTest::addColumn<bool>("deferred");
    QTest::newRow("deleted") << false;
    QTest::newRow("deleteLater") << true;
}

void TestUpload::windowDestroyedDuringUpload()
{
    QFETCH(bool, deferred);
    FormRig w({.transmitter = true});
    workedExample(w);
    QPointer<TForm1> form = w.form.get();
    QPointer<TFlatButton> send = button(w, "BB_SequenzSenden");
    int reportsAtEnd = -1;
    w.onPump = [&](int n) {
        if (n != 7)
            return;
        reportsAtEnd = int(w.hid.sent.size());
        if (deferred) {
            w.form.release()->deleteLater();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            w.form.reset();
        }
    };
    send->click();
    QVERIFY(form.isNull());
    QVERIFY(send.isNull());
    QCOMPARE(w.pumps, 7);
    QCOMPARE(reportsAtEnd, 2 * (2 + 4 + 5 * 6));
    QCOMPARE(int(w.hid.sent.size()), reportsAtEnd);
}

QTEST_MAIN(TestUpload)
#include "test_upload.moc"
