#include "sequence/RgbFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// The ".rgb" sequence file: its keys, its text, loading any content and saving atomically.
class TestRgbFile : public QObject {
    Q_OBJECT

private slots:
    void startUpSequenceText();
    void roundTrip();
    void read_data();
    void read();
    void moduleVariant_data();
    void moduleVariant();
    void writeKeepsOtherSections();
    void saveOverExistingFile();
    void saveFails_data();
    void saveFails();
    void loadAnyContent_data();
    void loadAnyContent();
    void loadMissingFile();
    void hugeFiles();
};

namespace {

RgbFileData startUpSequence()
{
    RgbFileData d;
    d.modul = 0;
    d.count = 7;
    d.speed = 10;
    d.tsEnd = 1530;
    d.repeat = 0;
    const RgbFileStep steps[] = {{0, 255, 255, 0},     {255, 0, 255, 0},  {510, 0, 255, 255},
                                 {765, 0, 0, 255},     {1020, 255, 0, 255}, {1275, 255, 0, 0},
                                 {1530, 255, 255, 0},  {65536, 0, 0, 0}};
    std::copy(std::begin(steps), std::end(steps), d.steps.begin());
    return d;
}

QByteArray startUpSequenceText()
{
    QByteArray text =
        "[Header]\r\nModul=0\r\nCount=7\r\nSpeed=10\r\nTS_End=1530\r\nRepeat=0\r\n"
        "[Sequenz]\r\n"
        "TS0=0\r\nR0=255\r\nG0=255\r\nB0=0\r\n"
        "TS1=255\r\nR1=0\r\nG1=255\r\nB1=0\r\n"
        "TS2=510\r\nR2=0\r\nG2=255\r\nB2=255\r\n"
        "TS3=765\r\nR3=0\r\nG3=0\r\nB3=255\r\n"
        "TS4=1020\r\nR4=255\r\nG4=0\r\nB4=255\r\n"
        "TS5=1275\r\nR5=255\r\nG5=0\r\nB5=0\r\n"
        "TS6=1530\r\nR6=255\r\nG6=255\r\nB6=0\r\n"
        "TS7=65536\r\nR7=0\r\nG7=0\r\nB7=0\r\n";
    for (int i = 8; i < 37; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += "TS" + n + "=0\r\nR" + n + "=0\r\nG" + n + "=0\r\nB" + n + "=0\r\n";
    }
    return text;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

}  // namespace

void TestRgbFile::startUpSequenceText()
{
    const QByteArray text = writeRgbFile(QByteArray(), startUpSequence());
    QCOMPARE(text, ::startUpSequenceText());
    QCOMPARE(text.count('\n'), 7 + 37 * 4);
}

void TestRgbFile::roundTrip()
{
    const RgbFileData d = startUpSequence();
    QCOMPARE(readRgbFile(IniDocument(writeRgbFile(QByteArray(), d))), d);

    RgbFileData odd = d;  // values the grid may hold are written and read as they are
    odd.modul = 2;
    odd.speed = 11;
    odd.steps[3].r = 300;
    odd.steps[36] = {-5, 2147483647, -2147483648LL, 1};
    QCOMPARE(readRgbFile(IniDocument(writeRgbFile(writeRgbFile(QByteArray(), d), odd))), odd);
}

void TestRgbFile::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("field");  // header key, or step key such as "TS3"
    QTest::addColumn<qint64>("expected");

    const QByteArray base = "[Header]\r\nModul=1\r\nCount=5\r\n[Sequenz]\r\nTS3=0x20\r\nR3=$ff\r\nG3=0X10\r\nB3=junk\r\n";
    QTest::newRow("Modul") << base << "Modul" << qint64(1);
    QTest::newRow("Count") << base << "Count" << qint64(5);
    QTest::newRow("missing Speed") << base << "Speed" << qint64(0);
    QTest::newRow("TS3=0x20") << base << "TS3" << qint64(32);
    QTest::newRow("R3=$ff") << base << "R3" << qint64(255);
    QTest::newRow("G3=0X10") << base << "G3" << qint64(16);
    QTest::newRow("B3=junk") << base << "B3" << qint64(0);
    QTest::newRow("missing step") << base << "TS4" << qint64(0);
    QTest::newRow("lower-case names") << QByteArray("[sequenz]\nts36=99\n") << "TS36" << qint64(99);
    QTest::newRow("step beyond 36 ignored") << QByteArray("[Sequenz]\nTS37=5\n") << "TS36" << qint64(0);
    QTest::newRow("out of range") << QByteArray("[Header]\nTS_End=4294967296\n") << "TS_End" << qint64(0);
    QTest::newRow("no sections") << QByteArray("TS0=5\nModul=2\n") << "Modul" << qint64(0);
}

void TestRgbFile::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, field);
    QFETCH(qint64, expected);
    const RgbFileData d = readRgbFile(IniDocument(content));
    const QHash<QString, qint64> header{{"Modul", d.modul}, {"Count", d.count}, {"Speed", d.speed},
                                        {"TS_End", d.tsEnd}, {"Repeat", d.repeat}};
    if (header.contains(field)) {
        QCOMPARE(header.value(field), expected);
        return;
    }
    const qsizetype digits = field.indexOf(QRegularExpression("[0-9]"));
    const RgbFileStep& s = d.steps[field.mid(digits).toInt()];
    const QHash<QString, qint64> step{{"TS", s.ts}, {"R", s.r}, {"G", s.g}, {"B", s.b}};
    QVERIFY(step.contains(field.left(digits)));
    QCOMPARE(step.value(field.left(digits)), expected);
}

void TestRgbFile::moduleVariant_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("variant");
    QTest::newRow("0") << QByteArray("[Header]\nModul=0\n") << int(ModuleVariant::ATtiny85);
    QTest::newRow("missing") << QByteArray("[Header]\n") << int(ModuleVariant::ATtiny85);
    QTest::newRow("1") << QByteArray("[Header]\nModul=1\n") << int(ModuleVariant::ATtiny45);
    QTest::newRow("2") << QByteArray("[Header]\nModul=2\n") << int(ModuleVariant::ATtiny45MS);
    QTest::newRow("7") << QByteArray("[Header]\nModul=7\n") << int(ModuleVariant::ATtiny45MS);
    QTest::newRow("-1") << QByteArray("[Header]\nModul=-1\n") << int(ModuleVariant::ATtiny45MS);
    QTest::newRow("garbage reads as 0") << QByteArray("[Header]\nModul=x\n") << int(ModuleVariant::ATtiny85);
}

void TestRgbFile::moduleVariant()
{
    QFETCH(QByteArray, content);
    QFETCH(int, variant);
    QCOMPARE(int(moduleVariantFromFile(readRgbFile(IniDocument(content)).modul)), variant);
    QCOMPARE(moduleVariantFileValue(ModuleVariant::ATtiny85), 0);
    QCOMPARE(moduleVariantFileValue(ModuleVariant::ATtiny45), 1);
    QCOMPARE(moduleVariantFileValue(ModuleVariant::ATtiny45MS), 2);
}

void TestRgbFile::writeKeepsOtherSections()
{
    const QByteArray existing = "; my notes\r\n[Info]\r\nAuthor = me \r\n\r\n[Header]\r\nModul=1\r\nExtra=x\r\n";
    const QByteArray out = writeRgbFile(existing, startUpSequence());
    const QByteArray expectedHeader =
        "; my notes\r\n[Info]\r\nAuthor = me \r\n\r\n"
        "[Header]\r\nModul=0\r\nExtra=x\r\nCount=7\r\nSpeed=10\r\nTS_End=1530\r\nRepeat=0\r\n";
    QVERIFY(out.startsWith(expectedHeader));
    const QByteArray fresh = ::startUpSequenceText();
    QCOMPARE(out.mid(expectedHeader.size()), fresh.mid(fresh.indexOf("[Sequenz]")));
}

void TestRgbFile::saveOverExistingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("seq.rgb");
    QVERIFY(writeFile(path, "[Other]\nkeep=1\n[Sequenz]\nTS0=9\nX=1\n"));
    QString error = "untouched";
    QVERIFY(saveRgbFile(path, startUpSequence(), &error));
    QCOMPARE(error, QString("untouched"));
    const QByteArray saved = readAll(path);
    QVERIFY(saved.startsWith("[Other]\nkeep=1\n[Sequenz]\nTS0=0\nX=1\nR0=255\nG0=255\nB0=0\nTS1=255\n"));
    QVERIFY(saved.endsWith("B36=0\n[Header]\nModul=0\nCount=7\nSpeed=10\nTS_End=1530\nRepeat=0\n"));

    RgbFileData loaded;
    QVERIFY(loadRgbFile(path, loaded, &error));
    QCOMPARE(loaded, startUpSequence());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"seq.rgb"});  // no temporary left
}

// Each row makes the save fail in its own way; the old file (if any) must stay as it was.
void TestRgbFile::saveFails_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("parent is a regular file") << "parent-file";
    QTest::newRow("disk write fails") << "file-size-limit";
    QTest::newRow("immutable folder") << "immutable";
    QTest::newRow("write-protected file") << "read-only";
}

void TestRgbFile::saveFails()
{
    QFETCH(QString, how);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray old = "[Other]\r\nkeep=1\r\n";
    QString path = dir.filePath("seq.rgb");
    QVERIFY(writeFile(path, old));

    struct rlimit savedLimit {};
    auto restore = qScopeGuard([&] {
        if (how == "file-size-limit")
            setrlimit(RLIMIT_FSIZE, &savedLimit);
        if (how == "immutable")
            QProcess::execute("chattr", {"-i", dir.path()});
        QFile::setPermissions(dir.filePath("seq.rgb"), QFile::ReadOwner | QFile::WriteOwner);
    });

    if (how == "parent-file") {
        path = dir.filePath("seq.rgb/inner.rgb");
    } else if (how == "file-size-limit") {
        // The new content is larger than the limit, so writing it fails even for root.
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &savedLimit), 0);
        struct rlimit small = savedLimit;
        small.rlim_cur = 200;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    } else if (how == "immutable") {
        if (QStandardPaths::findExecutable("chattr").isEmpty()
            || QProcess::execute("chattr", {"+i", dir.path()}) != 0)
            QSKIP("chattr +i is not available here");
    } else if (how == "read-only") {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }

    QString error;
    QVERIFY(!saveRgbFile(path, startUpSequence(), &error));
    QCOMPARE(error, QString("nach %1 kann nicht geschrieben werden").arg(path));
    QCOMPARE(readAll(dir.filePath("seq.rgb")), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"seq.rgb"});
}

void TestRgbFile::loadAnyContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("ts3");

    QByteArray garbage;
    for (int i = 0; i < 100000; ++i)
        garbage.append(char((i * 2654435761u) >> 13));
    QTest::newRow("binary garbage") << garbage << 0;
    QTest::newRow("garbage around the keys") << garbage + "\n[Sequenz]\nTS3=7\n" + garbage << 7;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("very long line") << QByteArray("[Sequenz]\nTS3=") + QByteArray(8 << 20, '9') + "\n" << 0;
    QByteArray many;
    for (int i = 0; i < 10000; ++i)
        many += "[S" + QByteArray::number(i) + "]\nTS3=1\n";
    QTest::newRow("10000 sections") << many + "[Sequenz]\nTS3=0x20\n" << 32;
}

void TestRgbFile::loadAnyContent()
{
    QFETCH(QByteArray, content);
    QFETCH(int, ts3);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("any.rgb");
    QVERIFY(writeFile(path, content));
    RgbFileData d;
    d.count = 99;
    QString error;
    QVERIFY(loadRgbFile(path, d, &error));
    QCOMPARE(d.steps[3].ts, qint64(ts3));
    QCOMPARE(d.count, 0);
}

void TestRgbFile::loadMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RgbFileData d;
    d.count = 5;
    QString error;
    const QString path = dir.filePath("none.rgb");
    QVERIFY(!loadRgbFile(path, d, &error));
    QCOMPARE(error, QString("Datei %1 kann nicht gelesen werden").arg(path));
    QCOMPARE(d.count, 5);
    QVERIFY(!loadRgbFile(dir.path(), d, &error));  // a folder is no sequence file
    QCOMPARE(error, QString("Datei %1 kann nicht gelesen werden").arg(dir.path()));
}

// Beyond the read limit a file is loaded only up to it, and it is never replaced by a save.
void TestRgbFile::hugeFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("huge.rgb");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write("[Sequenz]\r\nTS3=7\r\n") > 0);
        QVERIFY(f.resize(RgbFileReadLimit));  // sparse: no real data written
        QVERIFY(f.seek(RgbFileReadLimit));
        QVERIFY(f.write("\r\n[Header]\r\nCount=5\r\n") > 0);
    }
    const qint64 size = QFileInfo(path).size();
    RgbFileData d;
    QString error;
    QVERIFY(loadRgbFile(path, d, &error));
    QCOMPARE(d.steps[3].ts, qint64(7));
    QCOMPARE(d.count, 0);  // lies beyond the limit

    QVERIFY(!saveRgbFile(path, startUpSequence(), &error));
    QCOMPARE(error, QString("nach %1 kann nicht geschrieben werden").arg(path));
    QCOMPARE(QFileInfo(path).size(), size);
}

QTEST_GUILESS_MAIN(TestRgbFile)
#include "test_rgbfile.moc"
