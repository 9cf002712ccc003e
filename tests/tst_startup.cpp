// Knowledge archive order and failure rules, the configuration loader and the
// archive builder.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "knowledge/herbengine.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "pairs/pairrules.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <quazip.h>

#include <functional>

namespace {
QByteArray herbList(const QList<QPair<QString, QString>> &items)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<list>\n");
    for (const auto &i : items)
        xml += QStringLiteral("<item><id>%1</id><name>%2</name></item>\n").arg(i.first, i.second);
    xml += QStringLiteral("</list>\n");
    return withBom(xml);
}

testEntry record(const QString &id, const QString &name, const QString &latin = QString())
{
    return {QStringLiteral("item/%1.xml").arg(id),
            withBom(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data><id>%1</id><name>%2</name><latin>%3</latin></data>\n")
                        .arg(id, name, latin))};
}

testEntry nameMap()
{
    return {QStringLiteral("data/namemap.xml"),
            withBom(QStringLiteral("<map><item id=\"0401\" name=\"风寒证\"/></map>"))};
}

// A device that gives a little text and then fails every read without ever
// saying that it is at its end, as an archive entry with a damaged stream did.
class failingDevice : public QIODevice
{
public:
    failingDevice() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_given)
            return -1;
        m_given = true;
        const QByteArray head("<list><item><id>1</id>\n[I]x\nmainsuit:9\n");
        const qint64 n = qMin(maxSize, qint64(head.size()));
        memcpy(data, head.constData(), size_t(n));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool m_given = false;
};

QStringList loadedNames()
{
    QStringList names;
    for (const herbRecord &r : herbTable())
        names << r.name + QLatin1Char('/') + r.id;
    return names;
}
} // namespace

class tst_startup : public QObject
{
    Q_OBJECT

    QString archive(const QString &name, const QList<testEntry> &entries)
    {
        const QString path = freshTestDir(name) + QStringLiteral("/impl.zip");
        if (!writeTestArchive(path, entries))
            qFatal("cannot write test archive");
        return path;
    }

    using namedLoader = QPair<const char *, std::function<bool(QIODevice *)>>;
    static const QList<namedLoader> &loaders()
    {
        static const QList<namedLoader> list = {
            {"herb record", loadHerbRecord}, {"classic formulas", loadClassicFormulas},
            {"pair list", loadPairTable}, {"code dictionary", loadCodeDictionary},
            {"common pairs", loadCommonPairs}, {"super pairs", loadSuperPairs},
            {"diagnosis formulas", loadDiagnosisFormulas}, {"acupoints", loadAcuPoints},
            {"folk categories", loadFolkCategories}, {"folk remedies", loadFolkRemedies},
            {"reader verses", loadReaderVerses}, {"hate", loadHateList}, {"oppose", loadOpposeList},
            {"reader quotes", loadReaderQuotes},
            {"diagnosis groups", [](QIODevice *d) { return diagnosisNode::instance().readGroupFile(d); }},
            {"diagnosis map", [](QIODevice *d) { return diagnosisNode::instance().readMapFile(d); }},
            {"diagnosis rules", [](QIODevice *d) { return diagnosisNode::instance().readTextRules(d); }},
            {"complaints", [](QIODevice *d) { return diagnosisNode::instance().readComplaintCatalogue(d); }},
            {"restrictions", [](QIODevice *d) { return diagnosisNode::instance().readComplaintRestrictions(d); }},
            {"name map", loadNameMap}, {"flow", loadFlowFile}, {"herb groups", loadHerbGroupFunctions},
            {"acupuncture prescriptions", loadAcuScript}, {"herb units", loadHerbUnits},
            {"decoction methods", loadDecoctionMethods},
            {"xml", [](QIODevice *d) { return !loadXmlDevice(d).isNull(); }},
        };
        return list;
    }

private slots:
    void init() { clearKnowledgeTables(); }

    void missingHerbListStillLoadsLaterEntries()
    {
        loadKnowledgeArchive(archive(QStringLiteral("nolist"), {nameMap()}));
        QCOMPARE(herbTable().size(), 0);
        QCOMPARE(lookupCodeName(QStringLiteral("0401")), QStringLiteral("风寒证"));
    }

    void herbsLoadInNameOrderAndFirstIdWins()
    {
        const QString path = archive(QStringLiteral("dupnames"), {
            {QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0003"), QStringLiteral("乙")},
                                                        {QStringLiteral("0001"), QStringLiteral("甲")},
                                                        {QStringLiteral("0002"), QStringLiteral("甲")}})},
            record(QStringLiteral("0001"), QStringLiteral("甲")),
            record(QStringLiteral("0002"), QStringLiteral("甲")),
            record(QStringLiteral("0003"), QStringLiteral("乙")),
        });
        loadKnowledgeArchive(path);
        // Code-unit order of the names: 乙 (U+4E59) before 甲 (U+7532).
        QCOMPARE(loadedNames(), (QStringList{QStringLiteral("乙/0003"), QStringLiteral("甲/0001")}));
    }

    void listedIdWithoutRecordIsSkipped()
    {
        loadKnowledgeArchive(archive(QStringLiteral("norecord"), {
            {QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0001"), QStringLiteral("A")},
                                                        {QStringLiteral("0002"), QStringLiteral("B")},
                                                        {QStringLiteral("0003"), QStringLiteral("C")}})},
            record(QStringLiteral("0001"), QStringLiteral("A")),
            record(QStringLiteral("0003"), QStringLiteral("C")),
        }));
        QCOMPARE(loadedNames(), (QStringList{QStringLiteral("A/0001"), QStringLiteral("C/0003")}));
    }

    void damagedRecordStopsOnlyTheHerbs_data()
    {
        QTest::addColumn<bool>("corrupt");
        QTest::newRow("unopenable") << false;
        QTest::newRow("corrupt") << true;
    }

    void damagedRecordStopsOnlyTheHerbs()
    {
        QFETCH(bool, corrupt);
        const QByteArray record2 = withBom(QStringLiteral("<data><id>0002</id><name>B</name><desc>%1</desc></data>")
                                             .arg(QString::fromUtf8(fillerText())));
        loadKnowledgeArchive(archive(QStringLiteral("badrecord"), {
            {QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0001"), QStringLiteral("A")},
                                                        {QStringLiteral("0002"), QStringLiteral("B")},
                                                        {QStringLiteral("0003"), QStringLiteral("C")}})},
            record(QStringLiteral("0001"), QStringLiteral("A")),
            {QStringLiteral("item/0002.xml"), record2, !corrupt, corrupt},
            record(QStringLiteral("0003"), QStringLiteral("C")), nameMap(),
        }));
        QCOMPARE(loadedNames(), QStringList{QStringLiteral("A/0001")});
        QCOMPARE(lookupCodeName(QStringLiteral("0401")), QStringLiteral("风寒证")); // the archive goes on
        QCOMPARE(lastKnowledgeLoad().unreadableEntries, QStringList{QStringLiteral("item/0002.xml")});
    }

    void malformedRecordAddsNothing()
    {
        loadKnowledgeArchive(archive(QStringLiteral("badxml"), {
            {QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0001"), QStringLiteral("A")},
                                                        {QStringLiteral("0002"), QStringLiteral("B")}})},
            {QStringLiteral("item/0001.xml"), QByteArray("<data><name>A</name>")},
            record(QStringLiteral("0002"), QStringLiteral("B")),
        }));
        QCOMPARE(loadedNames(), QStringList{QStringLiteral("B/0002")});
    }

    void everyRowFailureRule_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("rule");
        QTest::addColumn<bool>("corrupt");
        for (const archiveRow &r : archiveRows()) {
            for (const bool corrupt : {false, true}) {
                QTest::addRow("%d %s %s", r.row, r.entry, corrupt ? "corrupt" : "unopenable")
                    << QString::fromLatin1(r.entry) << int(r.rule) << corrupt;
            }
        }
    }

    // The damaged entry comes with the dose table (the last row) as a marker
    // that shows whether the loading went on past it.
    void everyRowFailureRule()
    {
        QFETCH(QString, entry);
        QFETCH(int, rule);
        QFETCH(bool, corrupt);
        const bool lastRow = entry == QLatin1String("item/dozemap.txt");
        testEntry damaged{entry, lastRow ? doseLines() : fillerText(QStringLiteral("<list/>\n")), !corrupt, corrupt};
        QList<testEntry> entries{damaged};
        if (!lastRow)
            entries << testEntry{QStringLiteral("item/dozemap.txt"), doseLines()};
        const QString path = archive(QStringLiteral("row_") + QString(entry).replace(QLatin1Char('/'), QLatin1Char('_'))
                                         + (corrupt ? QStringLiteral("_c") : QStringLiteral("_u")), entries);
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("--archive"), path, QStringLiteral("stats")}, &out, &err), 0);

        const auto expected = onFailure(rule);
        const bool reported = expected == onFailure::reportStop || expected == onFailure::readEmpty;
        QCOMPARE(out.section(QStringLiteral("phrases\t"), 0, 0),
                 reported ? QStringLiteral("load file:%1 failed.\n").arg(entry) : QString());
        QCOMPARE(err, QStringLiteral("lcq: the archive entry %1 cannot be read\n").arg(entry));
        const bool wentOn = expected == onFailure::skip;
        QVERIFY2(out.contains(wentOn ? QStringLiteral("\ndoseRanges\t300\n") : QStringLiteral("\ndoseRanges\t0\n")),
                 qPrintable(out));
    }

    void diagnosisEntryNames()
    {
        QList<testEntry> entries;
        for (const char *name : {"diagnosis/7.xml", "diagnosis/07.xml", "diagnosis/0007.xml", "diagnosis/051.xml",
                                 "diagnosis/100.xml", "diagnosis/999.xml", "diagnosis/012.xml", "diagnosis/888.xml",
                                 "diagnosis/000.xml", "diagnosis/050.xml", "diagnosis/007.xml", "diagnosis/0050.xml"})
            entries << testEntry{QLatin1String(name), withBom(QStringLiteral("<list/>")), true};
        loadKnowledgeArchive(archive(QStringLiteral("diagnames"), entries));
        // Only the names the loading looks for are met, in its order.
        QCOMPARE(lastKnowledgeLoad().unreadableEntries,
                 (QStringList{QStringLiteral("diagnosis/000.xml"), QStringLiteral("diagnosis/007.xml"),
                              QStringLiteral("diagnosis/012.xml"), QStringLiteral("diagnosis/050.xml"),
                              QStringLiteral("diagnosis/888.xml"), QStringLiteral("diagnosis/999.xml")}));
        QVERIFY(lastKnowledgeLoad().complete);
    }

    void damageIsTold()
    {
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        loadKnowledgeArchive(archive(QStringLiteral("clean"), {nameMap()}));
        QVERIFY(lastKnowledgeLoad().archiveOpened);
        QCOMPARE(knowledgeDamageMessage(), QString());

        loadKnowledgeArchive(archive(QStringLiteral("damaged"), {
            {QStringLiteral("diagnosis/map.xml"), fillerText(), true},
            {QStringLiteral("wisdom/lpf.xml"), fillerText(), false, true}, nameMap()}));
        QCOMPARE(knowledgeDamageMessage(),
                 QStringLiteral("知识库文件wisdom/lpf.xml、diagnosis/map.xml已损坏，部分知识未能载入，查询和分析的结果将不完整。请重新安装本软件。"));
        QVERIFY(!lastKnowledgeLoad().complete);

        QVERIFY(!loadKnowledgeArchive(freshTestDir(QStringLiteral("absent")) + QStringLiteral("/impl.zip")));
        QVERIFY(!lastKnowledgeLoad().archiveOpened);
        QVERIFY(knowledgeDamageMessage().startsWith(QStringLiteral("知识库文件impl.zip已损坏")));
    }

    void entriesAreReadWholeAndVerified()
    {
        const QByteArray text = fillerText();
        const QString path = archive(QStringLiteral("verified"), {
            {QStringLiteral("good.txt"), text},
            {QStringLiteral("claimsless.txt"), text, false, false, text.size() - 1},
            {QStringLiteral("claimsmore.txt"), text, false, false, text.size() + 1},
            {QStringLiteral("huge.txt"), QByteArray(maxArchiveEntrySize + 1, 'x')},
            {QStringLiteral("flipped.txt"), text, false, true},
            {QStringLiteral("storedflipped.txt"), text, false, true, -1, true}, // only its CRC tells
        });
        QuaZip zip(path);
        QVERIFY(zip.open(QuaZip::mdUnzip));
        QByteArray bytes;
        QCOMPARE(readArchiveBytes(&zip, QStringLiteral("good.txt"), &bytes), archiveEntryRead::complete);
        QCOMPARE(bytes, text);
        for (const char *name : {"claimsless.txt", "claimsmore.txt", "huge.txt", "flipped.txt", "storedflipped.txt"}) {
            QCOMPARE(readArchiveBytes(&zip, QLatin1String(name), &bytes), archiveEntryRead::unreadable);
            QVERIFY(bytes.isEmpty());
        }
        QCOMPARE(readArchiveBytes(&zip, QStringLiteral("absent.txt"), &bytes), archiveEntryRead::missing);
        QCOMPARE(readArchiveBytes(nullptr, QStringLiteral("good.txt"), &bytes), archiveEntryRead::missing);
        QCOMPARE(readArchiveEntry(&zip, QStringLiteral("flipped.txt")), QString());
        QCOMPARE(readArchiveEntry(&zip, QStringLiteral("good.txt")), decodeSystemCodePage(text));
        zip.close();
    }

    // A device that keeps failing must end every loader, whatever its loop.
    void loadersStopOnAFailingDevice_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < loaders().size(); ++i)
            QTest::addRow("%s", loaders().at(i).first) << i;
    }

    void loadersStopOnAFailingDevice()
    {
        QFETCH(int, index);
        failingDevice device;
        loaders().at(index).second(&device); // returns at all: the test is that it ends
        QVERIFY(device.isOpen());
    }

    void readerTextsInLoadingOrder()
    {
        QList<testEntry> entries;
        // stored in reverse, so that the archive's own order cannot pass for the loading order
        for (const char *name : {"xfquote", "quotemisc", "wbtb", "njquote", "lpf", "quote"})
            entries << testEntry{QStringLiteral("wisdom/%1.xml").arg(QLatin1String(name)),
                                 withBom(QStringLiteral("<list><item>%1</item></list>").arg(QLatin1String(name)))};
        entries << testEntry{QStringLiteral("wisdom/songs.txt"), encodeSystemCodePage(QStringLiteral("#歌\r\n一句\r\n"))};
        loadKnowledgeArchive(archive(QStringLiteral("readerorder"), entries));
        QCOMPARE(readerTexts(), (QStringList{QStringLiteral("歌-一句;"), QStringLiteral("quote"), QStringLiteral("lpf"),
                                             QStringLiteral("njquote"), QStringLiteral("wbtb"), QStringLiteral("quotemisc"),
                                             QStringLiteral("xfquote")}));
    }

    void dictFolderOrder()
    {
        const QString dir = freshTestDir(QStringLiteral("dict"));
        const auto write = [&dir](const QString &name, const QByteArray &bytes) {
            QFile f(dir + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        write(QStringLiteral("a.txt"), "xxx");
        write(QStringLiteral("b.txt"), "x");
        write(QStringLiteral("c.txt"), "yyy");
        write(QStringLiteral(".hidden"), "zz");
        write(QStringLiteral("big.txt"), "zzzzzz");
        QVERIFY(QDir(dir).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(dir + QStringLiteral("/big.txt"), dir + QStringLiteral("/link.txt")));
        QStringList names;
        for (const QString &path : dictFolderFiles(dir))
            names << QFileInfo(path).fileName();
        // smallest first; equal sizes by descending name; hidden files in, links and folders out
        QCOMPARE(names, (QStringList{QStringLiteral("b.txt"), QStringLiteral(".hidden"), QStringLiteral("c.txt"),
                                     QStringLiteral("a.txt"), QStringLiteral("big.txt")}));
        QVERIFY(dictFolderFiles(dir + QStringLiteral("/none")).isEmpty());
    }

    void xmlRootTriesDiskFirst()
    {
        const QString dir = freshTestDir(QStringLiteral("xmlroot"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir));
        // only the resources have it
        QCOMPARE(loadXmlRoot(QStringLiteral("xml/config.xml")).tagName(), QStringLiteral("config"));
        QVERIFY(QDir().mkdir(QStringLiteral("xml")));
        QFile f(QStringLiteral("xml/config.xml"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(withBom(QStringLiteral("<fromdisk/>")));
        f.close();
        QCOMPARE(loadXmlRoot(QStringLiteral("xml/config.xml")).tagName(), QStringLiteral("fromdisk"));
        // a file on disk that does not parse gives way to the resources
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("<broken");
        f.close();
        QCOMPARE(loadXmlRoot(QStringLiteral("xml/config.xml")).tagName(), QStringLiteral("config"));
        QVERIFY(loadXmlRoot(QStringLiteral("xml/absent.xml")).isNull());
        QVERIFY(QDir::setCurrent(before));
    }

    void archiveThatCannotBeOpenedLoadsNothing()
    {
        const QString dir = freshTestDir(QStringLiteral("notzip"));
        QFile f(dir + QStringLiteral("/impl.zip"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a zip archive");
        f.close();
        loadKnowledgeArchive(f.fileName());
        QCOMPARE(codeNameCount(), 0);
    }

    void configurationKeysAreExact()
    {
        const QString dir = freshTestDir(QStringLiteral("config"));
        auto write = [&dir](const QString &name, const QString &xml) {
            QFile f(dir + QLatin1Char('/') + name);
            f.open(QIODevice::WriteOnly);
            f.write(withBom(xml));
            return f.fileName();
        };
        const QString patch = write(QStringLiteral("hpatch.xml"),
            QStringLiteral("<patch><item id=\"0100\"><front>decoction,pill</front></item></patch>"));
        const QString upper = write(QStringLiteral("upper.xml"), QStringLiteral("<config><Hpatch>%1</Hpatch></config>").arg(patch));
        QVERIFY(herbEngine::instance().loadConfig(upper));
        QCOMPARE(dosageFormTable().size(), 0);
        const QString empty = write(QStringLiteral("empty.xml"), QStringLiteral("<config/>"));
        QVERIFY(herbEngine::instance().loadConfig(empty));
        QVERIFY(!herbEngine::instance().loadConfig(dir + QStringLiteral("/absent.xml")));
        const QString good = write(QStringLiteral("good.xml"),
            QStringLiteral("<config><chen>x</chen><hpatch>%1</hpatch><unknown/></config>").arg(patch));
        QVERIFY(herbEngine::instance().loadConfig(good));
        QCOMPARE(dosageFormTable().size(), 1);
        QVERIFY(!isAllowedInForm(QStringLiteral("0100"), QStringLiteral("powder")));
    }

    void unreadableConfigurationEndsWithMinusOne()
    {
        QString err;
        const int code = runLcq({QStringLiteral("--config"), QStringLiteral("/no/such/config.xml"), QStringLiteral("stats")}, nullptr, &err);
        QCOMPARE(code, 255);
        QVERIFY(!err.isEmpty());
    }

    void shippedKnowledgeLoads()
    {
        QString out;
        QCOMPARE(runLcq({QStringLiteral("stats")}, &out), 0);
        QVERIFY2(!out.contains(QStringLiteral("failed.")), qPrintable(out));
        const QStringList names = {QStringLiteral("phrases"), QStringLiteral("herbs"), QStringLiteral("herbNames"),
            QStringLiteral("doseRanges"), QStringLiteral("dosageForms"), QStringLiteral("decoctionMethods"),
            QStringLiteral("pairs"), QStringLiteral("pairHerbs"), QStringLiteral("superPairs"), QStringLiteral("commonPairs"),
            QStringLiteral("hate"), QStringLiteral("oppose"), QStringLiteral("verses"), QStringLiteral("codeNames"),
            QStringLiteral("syndromes"), QStringLiteral("classicFormulas"), QStringLiteral("diagnosisFormulas"),
            QStringLiteral("herbGroups"), QStringLiteral("herbUnits"), QStringLiteral("flowUnits"), QStringLiteral("flowLines"),
            QStringLiteral("acupoints"), QStringLiteral("acuScripts"), QStringLiteral("folkRemedies"),
            QStringLiteral("folkWritten"), QStringLiteral("folkCategories"), QStringLiteral("readerTexts"),
            QStringLiteral("questionGroups"), QStringLiteral("cells"), QStringLiteral("complaints"), QStringLiteral("loadMs"),
            QStringLiteral("rssKiB")};
        const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(lines.at(i).startsWith(names.at(i) + QLatin1Char('\t')), qPrintable(lines.at(i)));
        QVERIFY(lines.first().section(QLatin1Char('\t'), 1).toInt() > 200);
    }

    void lcqPhraseAndUsage()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("phrase"), QStringLiteral("software"), QStringLiteral("configerror")}, &out), 0);
        QCOMPARE(out, QStringLiteral("配置异常\n"));
        QCOMPARE(runLcq({QStringLiteral("phrase"), QStringLiteral("software"), QStringLiteral("nosuchkey")}, &out, &err), 1);
        QCOMPARE(runLcq({QStringLiteral("phrase"), QStringLiteral("software")}, &out, &err), 2);
        QVERIFY(!err.isEmpty());
        QCOMPARE(runLcq({QStringLiteral("nosuchcommand")}, &out, &err), 2);
        QCOMPARE(runLcq({}, &out, &err), 2);
        QCOMPARE(runLcq({QStringLiteral("--help")}, &out, &err), 0);
        QVERIFY(out.contains(QStringLiteral("--config XML")));
        QVERIFY(out.contains(QStringLiteral("--archive ZIP")));
    }

    void lcqArchiveThatCannotBeOpened()
    {
        const QString dir = freshTestDir(QStringLiteral("lcqarchive"));
        QFile notZip(dir + QStringLiteral("/garbage.zip"));
        QVERIFY(notZip.open(QIODevice::WriteOnly));
        notZip.write(fillerText());
        notZip.close();
        for (const QString &path : {dir + QStringLiteral("/absent.zip"), notZip.fileName()}) {
            QString out, err;
            QCOMPARE(runLcq({QStringLiteral("--archive"), path, QStringLiteral("stats")}, &out, &err), 2);
            QCOMPARE(err, QStringLiteral("lcq: the knowledge archive %1 cannot be opened\n").arg(path));
            QVERIFY(out.isEmpty());
        }
    }

    void archiveBuilderIsDeterministic()
    {
        const QString dir = freshTestDir(QStringLiteral("mkarchive"));
        const QString src = dir + QStringLiteral("/src");
        QDir().mkpath(src + QStringLiteral("/item"));
        QDir().mkpath(src + QStringLiteral("/wisdom"));
        QFile a(src + QStringLiteral("/item/dozemap.txt"));
        a.open(QIODevice::WriteOnly);
        a.write("0001,2,10\n");
        a.close();
        QFile b(src + QStringLiteral("/wisdom/songs.txt"));
        b.open(QIODevice::WriteOnly);
        b.write(QStringLiteral("#四君子汤\n四君子汤中和义\n").toUtf8());
        b.close();
        auto build = [&](const QString &out) {
            return QProcess::execute(QStringLiteral(LC_MKARCHIVE_PATH), {src, out});
        };
        QCOMPARE(build(dir + QStringLiteral("/one.zip")), 0);
        QTest::qWait(1100); // a later build must not pick up the clock
        QCOMPARE(build(dir + QStringLiteral("/two.zip")), 0);
        QFile one(dir + QStringLiteral("/one.zip")), two(dir + QStringLiteral("/two.zip"));
        QVERIFY(one.open(QIODevice::ReadOnly) && two.open(QIODevice::ReadOnly));
        QCOMPARE(one.readAll(), two.readAll());

        // Code-page entries are stored as GB18030 with CR LF line ends.
        {
            setKnowledgeArchivePath(dir + QStringLiteral("/one.zip"));
            QCOMPARE(readKnowledgeEntry(QStringLiteral("wisdom/songs.txt")), QStringLiteral("#四君子汤\r\n四君子汤中和义\r\n"));
            setKnowledgeArchivePath(QStringLiteral(":qrc/impl.zip"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_startup)
#include "tst_startup.moc"
