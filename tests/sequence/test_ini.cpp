#include "sequence/Ini.h"

#include <QTest>

// Reading and writing INI files with the rules of the Windows profile functions.
class TestIni : public QObject {
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void intValue_data();
    void intValue();
    void missingGivesDefault();
    void unchangedDocumentKeepsEveryByte_data();
    void unchangedDocumentKeepsEveryByte();
    void write_data();
    void write();
    void readsWhatWasWritten();
    void manySections();
    void longLines();
    void manyLinesOfOneLineBreakKind_data();
    void manyLinesOfOneLineBreakKind();
};

static const QString Missing = QStringLiteral("(default)");

void TestIni::lookup_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray header = "[Header]\r\nModul=1\r\nCount=7\r\n";
    QTest::newRow("exact") << header << "Header" << "Count" << "7";
    QTest::newRow("section case") << header << "HEADER" << "Modul" << "1";
    QTest::newRow("key case") << header << "header" << "mODUL" << "1";
    QTest::newRow("missing section") << header << "Sequenz" << "Modul" << Missing;
    QTest::newRow("missing key") << header << "Header" << "Speed" << Missing;
    QTest::newRow("blanks in the file") << QByteArray("  [ Header ]  \r\n \t Modul \t=  5 \t\r\n")
                                        << "Header" << "Modul" << "5";
    QTest::newRow("blanks in the query") << header << "  Header " << "\tModul " << "1";
    QTest::newRow("empty value is found") << QByteArray("[S]\r\na=\r\n") << "S" << "a" << "";
    QTest::newRow("key without equals sign") << QByteArray("[S]\r\na\r\n") << "S" << "a" << "";
    QTest::newRow("equals sign in value") << QByteArray("[S]\r\na=b=c\r\n") << "S" << "a" << "b=c";
    QTest::newRow("duplicate key: first wins") << QByteArray("[S]\r\na=1\r\nA=2\r\n") << "S" << "a" << "1";
    QTest::newRow("duplicate section: first wins")
        << QByteArray("[S]\r\na=1\r\n[s]\r\na=2\r\nb=3\r\n") << "S" << "a" << "1";
    QTest::newRow("duplicate section: later keys unseen")
        << QByteArray("[S]\r\na=1\r\n[s]\r\na=2\r\nb=3\r\n") << "S" << "b" << Missing;
    QTest::newRow("keys before any section") << QByteArray("a=1\r\n[S]\r\nb=2\r\n") << "S" << "a" << Missing;
    QTest::newRow("keys before any section, empty name") << QByteArray("a=1\r\n[S]\r\n") << "" << "a" << Missing;
    QTest::newRow("empty section name") << QByteArray("a=1\r\n[]\r\na=2\r\n") << "" << "a" << "2";
    QTest::newRow("comment is no key") << QByteArray("[S]\r\n;a=1\r\n") << "S" << ";a" << Missing;
    QTest::newRow("text after bracket") << QByteArray("[S] rest\r\na=1\r\n") << "S" << "a" << "1";
    QTest::newRow("unclosed bracket is no section")
        << QByteArray("[T]\r\n[S\r\na=1\r\n") << "T" << "a" << "1";
    QTest::newRow("unclosed bracket: section missing")
        << QByteArray("[T]\r\n[S\r\na=1\r\n") << "S" << "a" << Missing;
    QTest::newRow("LF") << QByteArray("[S]\na=1\nb=2\n") << "S" << "b" << "2";
    QTest::newRow("CR") << QByteArray("[S]\ra=1\rb=2\r") << "S" << "b" << "2";
    QTest::newRow("mixed line ends") << QByteArray("[S]\na=1\r\nb=2\rc=3") << "S" << "c" << "3";
    QTest::newRow("no final line end") << QByteArray("[S]\r\na=1") << "S" << "a" << "1";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Header]\r\nModul=2\r\n") << "Header"
                                     << "Modul" << "2";
    QTest::newRow("double quotes removed") << QByteArray("[S]\r\na= \"5\" \r\n") << "S" << "a" << "5";
    QTest::newRow("single quotes removed") << QByteArray("[S]\r\na='x y'\r\n") << "S" << "a" << "x y";
    QTest::newRow("unmatched quotes kept") << QByteArray("[S]\r\na=\"5'\r\n") << "S" << "a" << "\"5'";
    QTest::newRow("Latin-1 letters fold") << QByteArray("[Gr\xF6\xDF" "e]\r\n\xC4=1\r\n")
                                          << QString::fromUtf8("GRÖße") << QString::fromUtf8("ä") << "1";
    QTest::newRow("Latin-1 value") << QByteArray("[S]\r\na=\xFC\r\n") << "S" << "a" << QString::fromUtf8("ü");
    QTest::newRow("NUL bytes") << QByteArray("[S]\r\na=\0x\r\n", 11) << "S" << "a" << QString(QChar(0)) + "x";
}

void TestIni::lookup()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const IniDocument ini(content);
    QCOMPARE(ini.value(section, key, Missing), expected);
    QCOMPARE(ini.contains(section, key), expected != Missing);
}

void TestIni::intValue_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("decimal") << QByteArray("32") << 32;
    QTest::newRow("0x") << QByteArray("0x20") << 32;
    QTest::newRow("0X") << QByteArray("0X20") << 32;
    QTest::newRow("$") << QByteArray("$20") << 32;
    QTest::newRow("hex letters") << QByteArray("$fF") << 255;
    QTest::newRow("blanks around") << QByteArray("  42 ") << 42;
    QTest::newRow("quoted") << QByteArray("\"42\"") << 42;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("plus") << QByteArray("+7") << 7;
    QTest::newRow("minus") << QByteArray("-5") << -5;
    QTest::newRow("minus hex") << QByteArray("-$10") << -16;
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("hex int max") << QByteArray("0x7FFFFFFF") << 2147483647;
    QTest::newRow("end mark") << QByteArray("65536") << 65536;
    QTest::newRow("overflow") << QByteArray("2147483648") << 0;
    QTest::newRow("negative overflow") << QByteArray("-2147483649") << 0;
    QTest::newRow("hex overflow") << QByteArray("0x80000000") << 0;
    QTest::newRow("huge") << QByteArray("99999999999999999999999999") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("trailing garbage") << QByteArray("12abc") << 0;
    QTest::newRow("inner blank") << QByteArray("1 2") << 0;
    QTest::newRow("fraction") << QByteArray("3.5") << 0;
    QTest::newRow("prefix only 0x") << QByteArray("0x") << 0;
    QTest::newRow("prefix only $") << QByteArray("$") << 0;
    QTest::newRow("sign only") << QByteArray("-") << 0;
    QTest::newRow("bad hex digit") << QByteArray("0x1G") << 0;
    QTest::newRow("sign after prefix") << QByteArray("$-10") << 0;
    QTest::newRow("hex without prefix") << QByteArray("ff") << 0;
}

void TestIni::intValue()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const IniDocument ini("[S]\r\nk=" + value + "\r\n");
    QCOMPARE(ini.intValue("S", "k", 99), expected);
}

void TestIni::missingGivesDefault()
{
    const IniDocument ini("[S]\r\nk=5\r\n");
    QCOMPARE(ini.intValue("S", "other", 7), 7);
    QCOMPARE(ini.intValue("T", "k", -3), -3);
    QCOMPARE(ini.intValue("T", "k"), 0);
    QCOMPARE(ini.value("T", "k"), QString());
    const IniDocument empty;
    QCOMPARE(empty.intValue("S", "k", 4), 4);
    QCOMPARE(empty.toBytes(), QByteArray());
    QCOMPARE(empty.lineEnd(), QByteArray("\r\n"));
}

void TestIni::unchangedDocumentKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("sections and comments")
        << QByteArray("; c\r\n\r\n  [ A ] x\r\n k = v \r\n;\r\n[B]\r\n=\r\n[C\r\n");
    QTest::newRow("mixed line ends") << QByteArray("[S]\na=1\r\nb\r\r\n\n\rc");
    QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919 + i / 13) & 0xFF));
    QTest::newRow("binary") << binary;
}

void TestIni::unchangedDocumentKeepsEveryByte()
{
    QFETCH(QByteArray, content);
    QCOMPARE(IniDocument(content).toBytes(), content);
}

void TestIni::write_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("writes");  // "section|key|value"
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("in place, rest byte for byte")
        << QByteArray("; top\r\n[Other]\r\nx = 1 \r\n\r\n[header] ; note\r\n  modul = 5  \r\nCount=3\r\n; end\r\n")
        << QStringList{"Header|Modul|0"}
        << QByteArray("; top\r\n[Other]\r\nx = 1 \r\n\r\n[header] ; note\r\n  modul = 0  \r\nCount=3\r\n; end\r\n");
    QTest::newRow("new key after the last key line")
        << QByteArray("[Header]\r\nModul=0\r\n\r\n; next\r\n[Sequenz]\r\nTS0=0\r\n")
        << QStringList{"Header|Count|7"}
        << QByteArray("[Header]\r\nModul=0\r\nCount=7\r\n\r\n; next\r\n[Sequenz]\r\nTS0=0\r\n");
    QTest::newRow("new key in a section without keys")
        << QByteArray("[S]\r\n; c\r\n\r\n[T]\r\n") << QStringList{"S|a|1"}
        << QByteArray("[S]\r\na=1\r\n; c\r\n\r\n[T]\r\n");
    QTest::newRow("new section at the end")
        << QByteArray("[Other]\r\na=1\r\n\r\n") << QStringList{"Header|Modul|0", "Header|Count|7"}
        << QByteArray("[Other]\r\na=1\r\n\r\n[Header]\r\nModul=0\r\nCount=7\r\n");
    QTest::newRow("new file gets CRLF") << QByteArray() << QStringList{"S|a|1", "T|b|2", "S|c|3"}
                                        << QByteArray("[S]\r\na=1\r\nc=3\r\n[T]\r\nb=2\r\n");
    QTest::newRow("LF file stays LF") << QByteArray("[S]\na=1\n") << QStringList{"S|a|5", "S|b|2", "T|c|3"}
                                      << QByteArray("[S]\na=5\nb=2\n[T]\nc=3\n");
    QTest::newRow("CR file stays CR") << QByteArray("[S]\ra=1\r") << QStringList{"S|b|2"}
                                      << QByteArray("[S]\ra=1\rb=2\r");
    QTest::newRow("last line without line end: new key")
        << QByteArray("[S]\r\na=1") << QStringList{"S|b|2"} << QByteArray("[S]\r\na=1\r\nb=2\r\n");
    QTest::newRow("last line without line end: new section")
        << QByteArray("[S]\r\na=1") << QStringList{"T|b|2"} << QByteArray("[S]\r\na=1\r\n[T]\r\nb=2\r\n");
    QTest::newRow("last line without line end: replace and add")
        << QByteArray("[S]\r\na") << QStringList{"S|b|2", "S|a|1"} << QByteArray("[S]\r\na=1\r\nb=2\r\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[S]\r\na=1\r\n") << QStringList{"s|A|2"}
        << QByteArray("\xEF\xBB\xBF[S]\r\na=2\r\n");
    QTest::newRow("byte-order mark only")
        << QByteArray("\xEF\xBB\xBF") << QStringList{"S|a|1"} << QByteArray("\xEF\xBB\xBF[S]\r\na=1\r\n");
    QTest::newRow("key without equals sign") << QByteArray("[S]\r\na \r\n") << QStringList{"S|a|1"}
                                              << QByteArray("[S]\r\na =1\r\n");
    QTest::newRow("empty value") << QByteArray("[S]\r\na=\r\nb=   \r\n") << QStringList{"S|a|1", "S|b|2"}
                                 << QByteArray("[S]\r\na=1\r\nb=2   \r\n");
    QTest::newRow("quoted value replaced whole") << QByteArray("[S]\r\na=\"1\"\r\n") << QStringList{"S|a|2"}
                                                 << QByteArray("[S]\r\na=2\r\n");
    QTest::newRow("duplicate key: first replaced")
        << QByteArray("[S]\r\na=1\r\na=2\r\n") << QStringList{"S|a|9"} << QByteArray("[S]\r\na=9\r\na=2\r\n");
    QTest::newRow("duplicate section: first gets new keys")
        << QByteArray("[S]\r\na=1\r\n[S]\r\nb=2\r\n") << QStringList{"S|b|3"}
        << QByteArray("[S]\r\na=1\r\nb=3\r\n[S]\r\nb=2\r\n");
    QTest::newRow("keys before any section stay")
        << QByteArray("a=1\r\n") << QStringList{"S|a|2"} << QByteArray("a=1\r\n[S]\r\na=2\r\n");
    QTest::newRow("same key twice: one line")
        << QByteArray("[S]\r\na=1\r\n") << QStringList{"S|a|2", "S|a|3", "S|b|4", "S|B|5"}
        << QByteArray("[S]\r\na=3\r\nb=5\r\n");
    QTest::newRow("names trimmed") << QByteArray() << QStringList{" S |\tk |v"}
                                   << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("line breaks in a value") << QByteArray() << QStringList{"S|k|x\r\ny"}
                                            << QByteArray("[S]\r\nk=x  y\r\n");
    QTest::newRow("unclosed bracket line belongs to the section before")
        << QByteArray("[S]\r\na=1\r\n[T\r\nb=2\r\n") << QStringList{"S|c|3"}
        << QByteArray("[S]\r\na=1\r\n[T\r\nb=2\r\nc=3\r\n");
}

void TestIni::write()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, expected);
    IniDocument ini(content);
    for (const QString& w : writes) {
        const QStringList parts = w.split('|');
        QCOMPARE(parts.size(), 3);
        ini.setValue(parts[0], parts[1], parts[2]);
    }
    QCOMPARE(ini.toBytes(), expected);
}

void TestIni::readsWhatWasWritten()
{
    IniDocument ini("[S]\r\na=1\r\n[T]\r\n");
    ini.setValue("s", "A", "10");     // replaced
    ini.setValue("T", "b", "0x20");   // added to a parsed section
    ini.setValue("U", "c", " 'q' ");  // new section
    QCOMPARE(ini.intValue("S", "a"), 10);
    QCOMPARE(ini.intValue("t", "B"), 32);
    QCOMPARE(ini.value("u", "C"), QString("q"));
    QCOMPARE(ini.contains("U", "d"), false);

    const IniDocument reread(ini.toBytes());
    QCOMPARE(reread.intValue("S", "a"), 10);
    QCOMPARE(reread.intValue("T", "b"), 32);
    QCOMPARE(reread.value("U", "c"), QString("q"));
}

void TestIni::manySections()
{
    QByteArray content;
    for (int i = 0; i < 10000; ++i)
        content += "[Section" + QByteArray::number(i) + "]\r\nKey=" + QByteArray::number(i) + "\r\nOther=x\r\n";
    IniDocument ini(content);
    for (int i = 0; i < 10000; i += 7)
        QCOMPARE(ini.intValue("section" + QString::number(i), "key"), i);
    ini.setValue("Section9999", "New", "1");
    ini.setValue("Section0", "Key", "5");
    const QByteArray out = ini.toBytes();
    QVERIFY(out.startsWith("[Section0]\r\nKey=5\r\nOther=x\r\n[Section1]\r\n"));
    QVERIFY(out.endsWith("[Section9999]\r\nKey=9999\r\nOther=x\r\nNew=1\r\n"));
    QCOMPARE(out.size(), content.size() + 7);
}

void TestIni::longLines()
{
    const QByteArray filler(4 * 1024 * 1024, 'x');
    const QByteArray content = "[S]\r\n" + filler + "\r\nlong=" + filler + "\r\nk=3\r\n[" + filler + "]\r\nk=4\r\n";
    IniDocument ini(content);
    QCOMPARE(ini.intValue("S", "k"), 3);
    QCOMPARE(ini.intValue("S", "long"), 0);
    QCOMPARE(ini.value("S", "long").size(), filler.size());
    QCOMPARE(ini.intValue(QString::fromLatin1(filler), "k"), 4);
    QCOMPARE(ini.toBytes(), content);
}

void TestIni::manyLinesOfOneLineBreakKind_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CRLF") << QByteArray("\r\n");
}

// Finding each line's end must not search the rest of the file for the other kind of break
// (that would take hours here, not milliseconds).
void TestIni::manyLinesOfOneLineBreakKind()
{
    QFETCH(QByteArray, lineEnd);
    QByteArray content = "[S]" + lineEnd;
    for (int i = 0; i < 200000; ++i)
        content += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + lineEnd;
    IniDocument ini(content);
    QCOMPARE(ini.intValue("S", "k199999"), 199999);
    ini.setValue("S", "new", "1");
    QVERIFY(ini.toBytes().endsWith("k199999=199999" + lineEnd + "new=1" + lineEnd));
}

QTEST_GUILESS_MAIN(TestIni)
#include "test_ini.moc"
