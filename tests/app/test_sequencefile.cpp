#include "app/SideColumn.h"
#include "app/VariantProfiles.h"
#include "sequence/SequenceGridModel.h"
#include "tests/support/FormRig.h"
#include "widgets/SpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Step {
    qint64 ts, r, g, b;
};

// The start-up colour circle followed by 29 empty steps, as saving writes it.
QList<Step> startSteps()
{
    QList<Step> steps = {{0, 255, 255, 0},     {255, 0, 255, 0},    {510, 0, 255, 255}, {765, 0, 0, 255},
                         {1020, 255, 0, 255}, {1275, 255, 0, 0},   {1530, 255, 255, 0}, {65536, 0, 0, 0}};
    while (steps.size() < 37)
        steps.append({0, 0, 0, 0});
    return steps;
}

// Times 0, 10, 20, ... for all 37 steps, levels from the step index.
QList<Step> risingSteps()
{
    QList<Step> steps;
    for (int i = 0; i < 37; ++i)
        steps.append({10 * i, i, 2 * i, 3 * i});
    return steps;
}

QByteArray stepLines(const QList<Step>& steps)
{
    QByteArray text;
    for (int i = 0; i < steps.size(); ++i)
        text += QStringLiteral("TS%1=%2\r\nR%1=%3\r\nG%1=%4\r\nB%1=%5\r\n")
                    .arg(i)
                    .arg(steps[i].ts)
                    .arg(steps[i].r)
                    .arg(steps[i].g)
                    .arg(steps[i].b)
                    .toLatin1();
    return text;
}

QByteArray fileText(const QByteArray& headerLines, const QList<Step>& steps)
{
    return "[Header]\r\n" + headerLines + "[Sequenz]\r\n" + stepLines(steps);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

struct Rig : FormRig {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    SequenceGridModel& grid() { return form->gridModel(); }
    TCSpinEdit* spin(const char* name) const { return find<TCSpinEdit>(name); }

    // Loads `content` as the file `name` through the menu command.
    void load(const QByteArray& content, const QString& name = QStringLiteral("in.rgb"))
    {
        QVERIFY(writeFile(path(name), content));
        loadPath(path(name));
    }
    void loadPath(const QString& p)
    {
        prompts.openAnswers << p;
        form->RGBSequenzladen1->trigger();
    }
    QByteArray save(const QString& name = QStringLiteral("out.rgb"))
    {
        prompts.saveAnswers << path(name);
        form->RGBSequenzspeichernunter1->trigger();
        return readAll(path(name));
    }
    // Columns 1 to 5 of all 37 step rows.
    QStringList cells() const
    {
        QStringList list;
        for (int row = 1; row <= 37; ++row)
            for (int col = 1; col <= 5; ++col)
                list << form->gridModel().cell(col, row);
        return list;
    }
    ModuleVariant variant() const { return form->variants->selectedVariant(); }
};

QString caption(const QString& fileName)
{
    return TForm1::TitleText + QStringLiteral("   [") + fileName + QStringLiteral("]");
}

} // namespace

Q_DECLARE_METATYPE(ModuleVariant)

class TestSequenceFile : public QObject {
    Q_OBJECT
private slots:
    void dialogRequests();
    void cancelChangesNothing();
    void saveStartSequence();
    void roundTrip();
    void modul_data();
    void modul();
    void modulZeroWhileSelectedChangesNothing();
    void speed_data();
    void speed();
    void headerValues();
    void levelAbove255();
    void hexadecimalTime();
    void fileWithoutSteps();
    void saveIn33StepVariantHoldsHiddenRows();
    void load33StepFileReadsOnly33Steps();
    void load85FileWhile45Selected();
    void saveWritesTheGrid();
    void saveKeepsOtherSections();
    void saveFailure_data();
    void saveFailure();
    void loadFailure_data();
    void loadFailure();
};

void TestSequenceFile::dialogRequests()
{
    Rig r;
    r.prompts.openAnswers << QString();
    r.form->RGBSequenzladen1->trigger();
    r.prompts.saveAnswers << QString();
    r.form->RGBSequenzspeichernunter1->trigger();
    QCOMPARE(r.prompts.fileRequests.size(), 2);
    const QStringList filters{QStringLiteral("RGB-Sequenz (*.rgb)"), QStringLiteral("Alle Dateien (*.*)")};
    const FileDialogRequest& open = r.prompts.fileRequests[0];
    QCOMPARE(open.title, QStringLiteral("RGB-Sequenz laden"));
    QCOMPARE(open.filters, filters);
    QCOMPARE(open.defaultSuffix, QStringLiteral("rgb"));
    QVERIFY(open.mustExist);
    const FileDialogRequest& save = r.prompts.fileRequests[1];
    QCOMPARE(save.title, QStringLiteral("RGB-Sequenz speichern unter ..."));
    QCOMPARE(save.filters, filters);
    QCOMPARE(save.defaultSuffix, QStringLiteral("rgb"));
    QVERIFY(!save.mustExist);
}

void TestSequenceFile::cancelChangesNothing()
{
    Rig r;
    r.form->variants->select(ModuleVariant::ATtiny45);
    const QStringList before = r.cells();
    const QString caption = r.form->windowTitle();
    r.form->RGBSequenzladen1->trigger();            // no answer: cancelled
    r.form->RGBSequenzspeichernunter1->trigger();
    QCOMPARE(r.prompts.fileRequests.size(), 2);
    QCOMPARE(r.form->windowTitle(), caption);
    QCOMPARE(r.cells(), before);
    QCOMPARE(r.variant(), ModuleVariant::ATtiny45);
    QCOMPARE(r.spin("Speed_CSpinEdit")->value(), 10);
    QVERIFY(r.prompts.errors.isEmpty());
    QVERIFY(r.prompts.exceptions.isEmpty());
    QVERIFY(QDir(r.dir.path()).isEmpty());
}

void TestSequenceFile::saveStartSequence()
{
    Rig r;
    const QByteArray saved = r.save(QStringLiteral("start.rgb"));
    QCOMPARE(saved, fileText("Modul=0\r\nCount=7\r\nSpeed=10\r\nTS_End=1530\r\nRepeat=0\r\n", startSteps()));
    QCOMPARE(r.form->windowTitle(), caption(QStringLiteral("start.rgb")));
    QVERIFY(r.prompts.exceptions.isEmpty());
    QVERIFY(r.prompts.errors.isEmpty());
}

void TestSequenceFile::roundTrip()
{
    Rig r;
    const QStringList before = r.cells();
    r.save(QStringLiteral("circle.rgb"));
    // Spoil grid and header, then load the file again.
    r.grid().setCell(SequenceGridModel::ColTicks, 2, QStringLiteral("17"));
    r.grid().setCell(SequenceGridModel::ColClock, 2, QStringLiteral("x"));
    r.grid().setCell(SequenceGridModel::ColBlue, 30, QStringLiteral("44"));
    r.spin("Count_CSpinEdit")->setValue(3);
    r.spin("TSEnd_CSpinEdit")->setValue(5);
    r.spin("CSE_PlayMode")->setValue(9);
    r.form->setWindowTitle(QStringLiteral("other"));

    r.loadPath(r.path(QStringLiteral("circle.rgb")));
    QCOMPARE(r.cells(), before);
    QCOMPARE(r.grid().cell(SequenceGridModel::ColClock, 2), QStringLiteral("0:02.550"));
    QCOMPARE(r.spin("Count_CSpinEdit")->value(), 7);
    QCOMPARE(r.spin("TSEnd_CSpinEdit")->value(), 1530);
    QCOMPARE(r.spin("CSE_PlayMode")->value(), 0);
    QCOMPARE(r.spin("Speed_CSpinEdit")->value(), 10);
    QCOMPARE(r.form->sequenceTable().step(6).time, 1530);
    QCOMPARE(r.form->windowTitle(), caption(QStringLiteral("circle.rgb")));
    QVERIFY(r.prompts.errors.isEmpty());
    QVERIFY(r.prompts.exceptions.isEmpty());
}

void TestSequenceFile::modul_data()
{
    QTest::addColumn<ModuleVariant>("selected");
    QTest::addColumn<QByteArray>("modulLine");
    QTest::addColumn<ModuleVariant>("expected");
    using V = ModuleVariant;
    QTest::newRow("2 while 85") << V::ATtiny85 << QByteArray("Modul=2\r\n") << V::ATtiny45MS;
    QTest::newRow("1 while 85") << V::ATtiny85 << QByteArray("Modul=1\r\n") << V::ATtiny45;
    QTest::newRow("7") << V::ATtiny85 << QByteArray("Modul=7\r\n") << V::ATtiny45MS;
    QTest::newRow("-1") << V::ATtiny45 << QByteArray("Modul=-1\r\n") << V::ATtiny45MS;
    QTest::newRow("missing") << V::ATtiny45MS << QByteArray() << V::ATtiny85;
    QTest::newRow("not a number") << V::ATtiny45 << QByteArray("Modul=abc\r\n") << V::ATtiny85;
    QTest::newRow("0 while 45") << V::ATtiny45 << QByteArray("Modul=0\r\n") << V::ATtiny85;
    QTest::newRow("0x1") << V::ATtiny85 << QByteArray("Modul=0x1\r\n") << V::ATtiny45;
}

// The variant selected by the file applies its whole profile.
void TestSequenceFile::modul()
{
    QFETCH(ModuleVariant, selected);
    QFETCH(QByteArray, modulLine);
    QFETCH(ModuleVariant, expected);
    Rig r;
    r.form->show();
    QTest::mouseClick(r.find<QWidget>("BB_Tab_Helligkeit"), Qt::LeftButton);
    r.form->variants->select(selected);
    r.load(fileText(modulLine + "Speed=10\r\n", startSteps()));
    QCOMPARE(r.variant(), expected);
    const VariantProfile& p = variantProfile(expected);
    QCOMPARE(r.form->maxSteps(), p.maxSteps);
    QCOMPARE(r.grid().rowCount(), p.maxSteps + 1);
    QCOMPARE(r.spin("Count_CSpinEdit")->maximum(), p.maxSteps);
    QCOMPARE(r.find<QComboBox>("CB_SequenzProgNummer")->count(), p.sequenceSlots);
    QCOMPARE(r.find<QComboBox>("CB_SequenzFolgeProgNummer")->count(), p.sequenceSlots + 2);
    QCOMPARE(r.find<QComboBox>("CB_MF_Pin")->count(), 2 + p.pinExtraCount);
    QCOMPARE(r.find<QWidget>("BB_Tab_Helligkeit")->isHidden(), !p.brightnessTab);
    if (!p.brightnessTab) {
        QVERIFY(r.find<QWidget>("PA_Normal")->isVisible());
        QVERIFY(!r.find<QWidget>("PA_Helligkeit")->isVisible());
    }
    QVERIFY(r.prompts.errors.isEmpty());
}

void TestSequenceFile::modulZeroWhileSelectedChangesNothing()
{
    Rig r;
    auto* pins = r.find<QComboBox>("CB_MF_Pin");
    pins->addItem(QStringLiteral("marker"));   // a profile applied again would remove it
    r.load(fileText("Modul=0\r\n", startSteps()));
    QCOMPARE(r.variant(), ModuleVariant::ATtiny85);
    QCOMPARE(pins->itemText(pins->count() - 1), QStringLiteral("marker"));
    QCOMPARE(pins->count(), 7);
}

void TestSequenceFile::speed_data()
{
    QTest::addColumn<QByteArray>("speedLine");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QString>("interval");
    QTest::newRow("11") << QByteArray("Speed=11\r\n") << 12 << QStringLiteral("12.000ms");
    QTest::newRow("missing") << QByteArray() << 2 << QStringLiteral("2.000ms");
    QTest::newRow("600") << QByteArray("Speed=600\r\n") << 510 << QStringLiteral("510.000ms");
    QTest::newRow("$14") << QByteArray("Speed=$14\r\n") << 20 << QStringLiteral("20.000ms");
    QTest::newRow("10 unchanged") << QByteArray("Speed=10\r\n") << 10 << QStringLiteral("10.000ms");
}

void TestSequenceFile::speed()
{
    QFETCH(QByteArray, speedLine);
    QFETCH(int, speed);
    QFETCH(QString, interval);
    Rig r;
    r.load(fileText("Modul=0\r\n" + speedLine, startSteps()));
    QCOMPARE(r.spin("Speed_CSpinEdit")->value(), speed);
    QCOMPARE(r.find<QLabel>("LB_Intervall_real")->text(), interval);
    // The time column follows the loaded tick length.
    const qint64 ms = 255LL * speed;
    QCOMPARE(r.grid().cell(SequenceGridModel::ColClock, 2),
             QString::asprintf("%u:%02u.%03u", unsigned(ms / 60000), unsigned(ms / 1000 % 60), unsigned(ms % 1000)));
    QVERIFY(r.prompts.errors.isEmpty());
}

// Each header value goes into its control within the control's range; Count and TS_End are then
// replaced by what the check derives.
void TestSequenceFile::headerValues()
{
    Rig r;
    r.load(fileText("Modul=0\r\nCount=99\r\nSpeed=4\r\nTS_End=70000\r\nRepeat=300\r\n", startSteps()));
    QCOMPARE(r.spin("CSE_PlayMode")->value(), 255);
    QCOMPARE(r.spin("Speed_CSpinEdit")->value(), 4);
    QCOMPARE(r.spin("Count_CSpinEdit")->value(), 7);
    QCOMPARE(r.spin("TSEnd_CSpinEdit")->value(), 1530);

    r.load(fileText("Repeat=12\r\n", startSteps()));
    QCOMPARE(r.spin("CSE_PlayMode")->value(), 12);
    QCOMPARE(r.spin("Speed_CSpinEdit")->value(), 2);
}

void TestSequenceFile::levelAbove255()
{
    Rig r;
    QList<Step> steps = startSteps();
    steps[1].r = 300;
    r.load(fileText("Modul=0\r\nSpeed=10\r\n", steps));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColRed, 2), QStringLiteral("300"));
    QCOMPARE(r.prompts.errors,
             QStringList{QStringLiteral("Der Wert in Zeile: 2 / Spalte: Rot\nist außerhalb des Wertebereichs (0..255)")});
    QCOMPARE(r.form->sequenceTable().step(1).red, 0);
    const QByteArray saved = r.save();
    QVERIFY(saved.contains("\r\nR1=300\r\n"));
    QCOMPARE(saved, fileText("Modul=0\r\nCount=7\r\nSpeed=10\r\nTS_End=1530\r\nRepeat=0\r\n", steps));
}

void TestSequenceFile::hexadecimalTime()
{
    Rig r;
    QByteArray text = fileText("Modul=0\r\nSpeed=10\r\n", {{0, 1, 2, 3}, {10, 0, 0, 0}, {20, 0, 0, 0}});
    text += "TS3=0x20\r\nTS4=65536\r\nR3=0X10\r\nG3=$ff\r\n";
    r.load(text);
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 4), QStringLiteral("32"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColRed, 4), QStringLiteral("16"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColGreen, 4), QStringLiteral("255"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 5), QStringLiteral("65536"));
    QCOMPARE(r.form->sequenceTable().step(3).time, 32);
    QCOMPARE(r.spin("Count_CSpinEdit")->value(), 4);
    QCOMPARE(r.spin("TSEnd_CSpinEdit")->value(), 32);
    QVERIFY(r.prompts.errors.isEmpty());
}

// Every missing value reads as 0; the check raises each time from row 2 on and says so.
void TestSequenceFile::fileWithoutSteps()
{
    Rig r;
    r.load("[Header]\r\nModul=1\r\nSpeed=10\r\n");
    QCOMPARE(r.variant(), ModuleVariant::ATtiny45);
    QCOMPARE(r.prompts.errors.size(), 32);
    QCOMPARE(r.prompts.errors.first(),
             QStringLiteral("Der Wert in Zeile: 2 / Spalte: Zeit\n ist kleiner als der vorherige Wert\n\n"
                            "Der Wert wird auf den nächsten möglichen Wert gesetzt."));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 33), QStringLiteral("32"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColRed, 33), QStringLiteral("0"));
}

void TestSequenceFile::saveIn33StepVariantHoldsHiddenRows()
{
    Rig r;
    r.grid().setCell(SequenceGridModel::ColTicks, 34, QStringLiteral("4000"));
    r.grid().setCell(SequenceGridModel::ColBlue, 37, QStringLiteral("123"));
    r.form->variants->select(ModuleVariant::ATtiny45);
    r.grid().setCell(SequenceGridModel::ColRed, 33, QStringLiteral("7"));
    QList<Step> steps = startSteps();
    steps[33].ts = 4000;
    steps[36].b = 123;
    steps[32].r = 7;
    QCOMPARE(r.save(), fileText("Modul=1\r\nCount=7\r\nSpeed=10\r\nTS_End=1530\r\nRepeat=0\r\n", steps));
}

void TestSequenceFile::load33StepFileReadsOnly33Steps()
{
    Rig r;
    QStringList hidden;
    for (int row = 34; row <= 37; ++row)
        for (int col = 1; col <= 5; ++col)
            hidden << r.grid().cell(col, row);
    r.load(fileText("Modul=2\r\nSpeed=10\r\n", risingSteps()));
    QCOMPARE(r.variant(), ModuleVariant::ATtiny45MS);
    QCOMPARE(r.grid().rowCount(), 34);
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 33), QStringLiteral("320"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColBlue, 33), QStringLiteral("96"));
    // Rows 34 to 37 keep what they held before.
    QStringList after;
    for (int row = 34; row <= 37; ++row)
        for (int col = 1; col <= 5; ++col)
            after << r.grid().cell(col, row);
    QCOMPARE(after, hidden);
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 35), QStringLiteral("0"));
    QCOMPARE(r.spin("Count_CSpinEdit")->value(), 33);
    QCOMPARE(r.spin("TSEnd_CSpinEdit")->value(), 320);
    QVERIFY(r.prompts.errors.isEmpty());
}

// The variant switches first, so all 37 steps of the file reach the grid.
void TestSequenceFile::load85FileWhile45Selected()
{
    Rig r;
    r.form->variants->select(ModuleVariant::ATtiny45);
    r.load(fileText("Modul=0\r\nSpeed=10\r\n", risingSteps()));
    QCOMPARE(r.variant(), ModuleVariant::ATtiny85);
    QCOMPARE(r.grid().rowCount(), 38);
    QCOMPARE(r.grid().cell(SequenceGridModel::ColTicks, 37), QStringLiteral("360"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColGreen, 37), QStringLiteral("72"));
    QCOMPARE(r.grid().cell(SequenceGridModel::ColClock, 37), QStringLiteral("0:03.600"));
    QCOMPARE(r.form->sequenceTable().step(36).time, 360);
    QCOMPARE(r.spin("Count_CSpinEdit")->value(), 37);
    QVERIFY(r.prompts.errors.isEmpty());
}

// Saving writes what the grid shows, whether or not a check accepted it.
void TestSequenceFile::saveWritesTheGrid()
{
    Rig r;
    r.grid().setCell(SequenceGridModel::ColTicks, 2, QStringLiteral("300"));
    r.grid().setCell(SequenceGridModel::ColGreen, 3, QStringLiteral("abc"));
    r.grid().setCell(SequenceGridModel::ColRed, 4, QString());
    r.grid().setCell(SequenceGridModel::ColClock, 5, QStringLiteral("9:99.999"));
    r.find<QRadioButton>("RB_ATtiny45_S")->setChecked(true);
    r.spin("CSE_PlayMode")->setValue(3);
    r.spin("Speed_CSpinEdit")->setValue(100);
    QCOMPARE(r.form->sequenceTable().step(1).time, 255);
    QList<Step> steps = startSteps();
    steps[1].ts = 300;
    steps[2].g = 0;
    steps[3].r = 0;
    QCOMPARE(r.save(), fileText("Modul=2\r\nCount=7\r\nSpeed=100\r\nTS_End=1530\r\nRepeat=3\r\n", steps));
    QVERIFY(r.prompts.errors.isEmpty());
    QCOMPARE(r.form->sequenceTable().step(1).time, 255);   // no check ran
}

void TestSequenceFile::saveKeepsOtherSections()
{
    Rig r;
    const QString p = r.path(QStringLiteral("mixed.rgb"));
    QVERIFY(writeFile(p, "; notes\r\n[Extra]\r\nfoo=bar\r\n\r\n[Header]\r\nModul=5\r\nAuthor=x\r\n\r\n[Tail]\r\nk=v\r\n"));
    const QByteArray saved = r.save(QStringLiteral("mixed.rgb"));
    QVERIFY(saved.startsWith("; notes\r\n[Extra]\r\nfoo=bar\r\n\r\n[Header]\r\nModul=0\r\nAuthor=x\r\nCount=7\r\nSpeed=10\r\n"
                             "TS_End=1530\r\nRepeat=0\r\n\r\n[Tail]\r\nk=v\r\n[Sequenz]\r\nTS0=0\r\n"));
    QVERIFY(saved.endsWith("TS36=0\r\nR36=0\r\nG36=0\r\nB36=0\r\n"));
    QVERIFY(r.prompts.exceptions.isEmpty());
}

void TestSequenceFile::saveFailure_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("folder is a regular file") << false;
    QTest::newRow("write-protected file") << true;
}

// The message names the file, the old file stays as it was, the caption names it already.
void TestSequenceFile::saveFailure()
{
    QFETCH(bool, existing);
    Rig r;
    QString p;
    const QByteArray old = "[Header]\r\nModul=1\r\n";
    if (existing) {
        p = r.path(QStringLiteral("locked.rgb"));
        QVERIFY(writeFile(p, old));
        QVERIFY(QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else {
        QVERIFY(writeFile(r.path(QStringLiteral("plain")), "x"));
        p = r.path(QStringLiteral("plain/locked.rgb"));
    }
    r.prompts.saveAnswers << p;
    r.form->RGBSequenzspeichernunter1->trigger();
    QCOMPARE(r.prompts.exceptions, QStringList{QStringLiteral("nach %1 kann nicht geschrieben werden").arg(p)});
    QCOMPARE(r.form->windowTitle(), caption(QStringLiteral("locked.rgb")));
    if (existing)
        QCOMPARE(readAll(p), old);
    else
        QCOMPARE(readAll(r.path(QStringLiteral("plain"))), QByteArray("x"));
    QCOMPARE(QDir(r.dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
}

void TestSequenceFile::loadFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("gone.rgb");
    QTest::newRow("folder") << QStringLiteral("sub");
}

// A file that cannot be read changes nothing: not the caption, the variant or the grid.
void TestSequenceFile::loadFailure()
{
    QFETCH(QString, name);
    Rig r;
    QVERIFY(QDir(r.dir.path()).mkdir(QStringLiteral("sub")));
    r.form->variants->select(ModuleVariant::ATtiny45);
    const QStringList before = r.cells();
    const QString caption = r.form->windowTitle();
    const QString p = r.path(name);
    r.loadPath(p);
    QCOMPARE(r.prompts.exceptions, QStringList{QStringLiteral("Datei %1 kann nicht gelesen werden").arg(p)});
    QCOMPARE(r.form->windowTitle(), caption);
    QCOMPARE(r.cells(), before);
    QCOMPARE(r.variant(), ModuleVariant::ATtiny45);
    QVERIFY(r.prompts.errors.isEmpty());
}

QTEST_MAIN(TestSequenceFile)
#include "test_sequencefile.moc"
