// The inputs the fuzzers found faults with (tests/data/fuzz/READER/), run
// through the same readers again, and a few inputs every reader must take:
// nothing, and ten megabytes of elements nested inside one another.

#include "testsupport.h"

#include "fuzz/fuzzreaders.h"
#include "knowledge/loadfunctions.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtTest>

class tst_fuzzfindings : public QObject
{
    Q_OBJECT

private slots:
    void findingsStayFixed_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("path");
        const QDir root(sourcePath(QStringLiteral("tests/data/fuzz")));
        for (const QString &reader : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString &file : QDir(root.filePath(reader)).entryList(QDir::Files, QDir::Name))
                QTest::addRow("%s/%s", qPrintable(reader), qPrintable(file)) << reader << root.filePath(reader + QLatin1Char('/') + file);
        }
    }

    void findingsStayFixed()
    {
        if (!QTest::currentDataTag())
            QSKIP("no inputs kept");
        QFETCH(QString, reader);
        QFETCH(QString, path);
        const fuzzReader *r = findFuzzReader(reader.toLatin1());
        QVERIFY2(r, "a folder of findings names no reader");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        r->run(f.readAll()); // ends, and no sanitizer objects
    }

    // The quick count of nesting that guards every parse, against the stream
    // reader's, on markup where a "<" opens no element or a ">" closes no tag.
    void depthCount_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("deeper");
        QTest::newRow("at the limit") << QByteArray("<a><b><c></c></b></a>") << 3 << false;
        QTest::newRow("one past") << QByteArray("<a><b><c></c></b></a>") << 2 << true;
        QTest::newRow("siblings") << QByteArray("<a><b></b><b></b><b/></a>") << 2 << false;
        QTest::newRow("empty element past the limit") << QByteArray("<a><b><c/></b></a>") << 2 << true;
        QTest::newRow("comment") << QByteArray("<a><!-- <b><c> --></a>") << 1 << false;
        QTest::newRow("comment ends") << QByteArray("<a><!-- x --><b></b></a>") << 1 << true;
        QTest::newRow("CDATA") << QByteArray("<a><![CDATA[<b><c>]]></a>") << 1 << false;
        QTest::newRow("processing instruction") << QByteArray("<?xml version=\"1.0\"?><a><?p <b><c>?></a>") << 1 << false;
        QTest::newRow("quoted >") << QByteArray("<a x=\"1>2\" y='/>'><b></b></a>") << 1 << true;
        QTest::newRow("quoted /> is no empty tag") << QByteArray("<a><b y='/>'><c></c></b></a>") << 2 << true;
        QTest::newRow("entity of markup")
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"<b><c/></b>\">]><a>&e;</a>") << 2 << true;
        QTest::newRow("character reference") << QByteArray("<a>&#60;b&#62;</a>") << 1 << false;
        QTest::newRow("GB18030") << QByteArray("<?xml version=\"1.0\" encoding=\"GB18030\"?><a n=\"\xB8\xCA\xB2\xDD\"><b/></a>")
                                 << 1 << true;
        const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a><b><c></c></b></a>");
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        QTest::newRow("UTF-16, deeper") << utf16 << 2 << true;
        QTest::newRow("UTF-16, within") << utf16 << 3 << false;
        QByteArray deep;
        for (int i = 0; i < 300; ++i)
            deep += "<list><!-- <x> --><item a=\">\"/>";
        QTest::newRow("300 levels") << deep << maxXmlDepth << true;
    }

    void depthCount()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, limit);
        QFETCH(bool, deeper);
        QCOMPARE(xmlStreamNestedDeeperThan(bytes, limit), deeper);
        QCOMPARE(xmlNestedDeeperThan(bytes, limit), deeper);
    }

    void everyReaderTakesHostileBytes_data()
    {
        QTest::addColumn<QByteArray>("reader");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray nested = "<?xml version=\"1.0\"?>";
        while (nested.size() < 10 * 1024 * 1024)
            nested += "<list><item>";
        for (const fuzzReader &r : fuzzReaders()) {
            QTest::addRow("%s empty", r.name) << QByteArray(r.name) << QByteArray();
            QTest::addRow("%s nested", r.name) << QByteArray(r.name) << nested;
        }
    }

    void everyReaderTakesHostileBytes()
    {
        QFETCH(QByteArray, reader);
        QFETCH(QByteArray, bytes);
        findFuzzReader(reader)->run(bytes);
    }
};

QTEST_GUILESS_MAIN(tst_fuzzfindings)
#include "tst_fuzzfindings.moc"
