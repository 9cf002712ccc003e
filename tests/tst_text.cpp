// Phrase dictionary, tagged line reader, code page and settings file.

#include "testsupport.h"

#include "knowledge/loadfunctions.h"
#include "text/abstractfilereader.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QBuffer>
#include <QFile>
#include <QSettings>
#include <QtTest>

namespace {
struct recordingReader : abstractFileReader
{
    QStringList calls;
    void parseLine(const QString &tag, const QString &value) override { calls << tag + QLatin1Char('|') + value; }
    void finish() override { calls << QStringLiteral("<finish>"); }
};

QStringList readLines(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    recordingReader reader;
    const bool ok = reader.read(&buffer);
    return ok ? reader.calls : QStringList{QStringLiteral("<read failed>")};
}

QString writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
} // namespace

class tst_text : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearPhraseDictionary(); }

    void phraseLookupFallsBackToKey()
    {
        QCOMPARE(lookupPhrase(QStringLiteral("common"), QStringLiteral("close")), QStringLiteral("close"));
        const QString dir = freshTestDir(QStringLiteral("phrases1"));
        const QString path = writeFile(dir, QStringLiteral("lmap.xml"), withBom(QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<list>\n"
            "<block name=\"common\"><close>关闭</close></block>\n</list>\n")));
        QVERIFY(loadPhraseDictionary(path));
        QCOMPARE(lookupPhrase(QStringLiteral("common"), QStringLiteral("close")), QStringLiteral("关闭"));
        QCOMPARE(lookupPhrase(QStringLiteral("common"), QStringLiteral("absent")), QStringLiteral("absent"));
        QCOMPARE(lookupPhrase(QStringLiteral("nosuchblock"), QStringLiteral("close")), QStringLiteral("close"));
    }

    void phraseDuplicatesAndWhitespace()
    {
        const QString dir = freshTestDir(QStringLiteral("phrases2"));
        const QString path = writeFile(dir, QStringLiteral("lmap.xml"), withBom(QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<list>\n"
            "<block name=\"software\"><license>许可</license><lc>X</lc><license>许可协议</license></block>\n"
            "<block name=\"misc\"><a>first</a><b>only in first</b></block>\n"
            "<block name=\"misc\"><a>second</a></block>\n"
            "<block><k>no name</k></block>\n"
            "<block name=\"t\"><spaced>  two  words\n  next line </spaced><tpl>中药:%1已存在</tpl></block>\n"
            "</list>\n")));
        QVERIFY(loadPhraseDictionary(path));
        // The last occurrence of a key in a block wins.
        QCOMPARE(lookupPhrase(QStringLiteral("software"), QStringLiteral("license")), QStringLiteral("许可协议"));
        // A repeated block replaces the earlier one whole: no merging.
        QCOMPARE(lookupPhrase(QStringLiteral("misc"), QStringLiteral("a")), QStringLiteral("second"));
        QCOMPARE(lookupPhrase(QStringLiteral("misc"), QStringLiteral("b")), QStringLiteral("b"));
        QCOMPARE(lookupPhrase(QString(), QStringLiteral("k")), QStringLiteral("no name"));
        QCOMPARE(lookupPhrase(QStringLiteral("t"), QStringLiteral("spaced")), QStringLiteral("  two  words\n  next line "));
        QCOMPARE(lookupPhrase(QStringLiteral("t"), QStringLiteral("tpl")).arg(QStringLiteral("甘草")), QStringLiteral("中药:甘草已存在"));
        QCOMPARE(lookupPhrase(QStringLiteral("t"), QStringLiteral("tpl")), QStringLiteral("中药:%1已存在"));
    }

    void phraseFileMissing()
    {
        QVERIFY(!loadPhraseDictionary(QStringLiteral("/nonexistent/lmap.xml")));
        QCOMPARE(phraseCount(), 0);
    }

    void shippedDictionaryHasTheQuotedMessages()
    {
        QVERIFY(loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml")));
        QCOMPARE(lookupPhrase(QStringLiteral("software"), QStringLiteral("configerror")), QStringLiteral("配置异常"));
        QCOMPARE(lookupPhrase(QStringLiteral("script"), QStringLiteral("overflow")), QStringLiteral("最大支持的中药味数味为:%1"));
        QCOMPARE(lookupPhrase(QStringLiteral("herb"), QStringLiteral("valid_herb_pair2")), QStringLiteral("中药:%1,%2不可配伍"));
        QCOMPARE(lookupPhrase(QStringLiteral("script"), QStringLiteral("output_template")),
                 QStringLiteral("功效：%1#主治：%2#方解：#%3#禁忌：%4#按语：%5"));
        QCOMPARE(lookupPhrase(QStringLiteral("software"), QStringLiteral("license")), QStringLiteral("许可协议"));
        QCOMPARE(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("province")).split(QLatin1Char(',')).size(), 35);
        QCOMPARE(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("occupationlist")).split(QLatin1Char(',')).size(), 4);
        QCOMPARE(lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("solarTerms24Item")).split(QLatin1Char(',')).size(), 24);
    }

    void readerLineRules_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("calls");
        const QString fin = QStringLiteral("<finish>");
        QTest::newRow("tag and value") << QByteArray("[I]Zhongfu\r\n[N]LU1\n") << QStringList{QStringLiteral("I|Zhongfu"), QStringLiteral("N|LU1"), fin};
        QTest::newRow("empty tag") << QByteArray("[]rest of line\n") << QStringList{QStringLiteral("|rest of line"), fin};
        QTest::newRow("empty value") << QByteArray("[C]\n") << QStringList{QStringLiteral("C|"), fin};
        QTest::newRow("indented line ignored") << QByteArray("  [I]x\n") << QStringList{fin};
        QTest::newRow("no closing bracket") << QByteArray("[I x\n") << QStringList{fin};
        QTest::newRow("bracket inside value") << QByteArray("[T]a]b [c]\n") << QStringList{QStringLiteral("T|a]b [c]"), fin};
        QTest::newRow("value not trimmed") << QByteArray("[L] chest \n") << QStringList{QStringLiteral("L| chest "), fin};
        QTest::newRow("last line without break") << QByteArray("[I]a\n[M]b") << QStringList{QStringLiteral("I|a"), QStringLiteral("M|b"), fin};
        QTest::newRow("blank and other lines") << QByteArray("\n   \ncomment\n[x]y\n") << QStringList{QStringLiteral("x|y"), fin};
        QTest::newRow("empty device") << QByteArray() << QStringList{fin};
        QTest::newRow("utf8 bom") << QByteArray("\xEF\xBB\xBF[I]中府\r\n") << QStringList{QStringLiteral("I|中府"), fin};
        QTest::newRow("code page without bom") << encodeSystemCodePage(QStringLiteral("[name]麻黄汤\r\n")) << QStringList{QStringLiteral("name|麻黄汤"), fin};
    }

    void readerLineRules()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, calls);
        QCOMPARE(readLines(input), calls);
    }

    void codePageRoundTrip()
    {
        const QString text = QStringLiteral("硫黄原是火中精，朴硝一见便相争。");
        const QByteArray gb = encodeSystemCodePage(text);
        QCOMPARE(gb.size(), text.size() * 2);
        QCOMPARE(decodeSystemCodePage(gb), text);
        QCOMPARE(decodeTextWithBom(withBom(text)), text);
    }

    void iniValues()
    {
        const QString dir = freshTestDir(QStringLiteral("ini"));
        const QString ini = dir + QStringLiteral("/config.ini");
        QString value = QStringLiteral("stale");
        QVERIFY(!readIniValue(QString(), QStringLiteral("init"), value));
        QVERIFY(value.isEmpty());
        QVERIFY(!readIniValue(ini, QString(), value));
        QVERIFY(readIniValue(ini, QStringLiteral("init"), value)); // absent file, absent key
        QVERIFY(value.isEmpty());
        QVERIFY(!writeIniValue(ini, QString(), QStringLiteral("x")));
        QVERIFY(!writeIniValue(QString(), QStringLiteral("init"), QStringLiteral("x")));
        QVERIFY(writeIniValue(ini, QStringLiteral("init"), QStringLiteral("true")));
        QVERIFY(writeIniValue(ini, QStringLiteral("skin"), QStringLiteral("skin/3_200.png")));
        QVERIFY(readIniValue(ini, QStringLiteral("init"), value));
        QCOMPARE(value, QStringLiteral("true"));
        QSettings raw(ini, QSettings::IniFormat);
        QCOMPARE(raw.value(QStringLiteral("config/skin")).toString(), QStringLiteral("skin/3_200.png"));
    }

    void xmlRootTriesDiskThenResources()
    {
        QVERIFY(loadXmlFile(QStringLiteral("/xml/config.xml")).isNull() || QFile::exists(QStringLiteral("/xml/config.xml")));
        const QDomElement root = loadXmlRoot(QStringLiteral("/xml/config.xml"));
        QVERIFY(!root.isNull());
        QCOMPARE(root.tagName(), QStringLiteral("config"));
        QVERIFY(loadXmlRoot(QStringLiteral("/no/such/file.xml")).isNull());
    }
};

QTEST_GUILESS_MAIN(tst_text)
#include "tst_text.moc"
