// The inputs the fuzzers found faults with (tests/data/fuzz/READER/), run
// through the same readers again, and a few inputs every reader must take:
// nothing, and ten megabytes of elements nested inside one another.

#include "testsupport.h"

#include "fuzz/fuzzreaders.h"

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
