// Knowledge archive order and failure rules, the configuration loader and the
// archive builder.

#include "testsupport.h"

#include "knowledge/herbengine.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "diagnosis/codenames.h"
#include "herbs/herbbase.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QtTest>

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

    void unopenableRecordStopsOnlyTheHerbs()
    {
        testEntry spoiled = record(QStringLiteral("0002"), QStringLiteral("B"));
        spoiled.unopenable = true;
        loadKnowledgeArchive(archive(QStringLiteral("badrecord"), {
            {QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0001"), QStringLiteral("A")},
                                                        {QStringLiteral("0002"), QStringLiteral("B")},
                                                        {QStringLiteral("0003"), QStringLiteral("C")}})},
            record(QStringLiteral("0001"), QStringLiteral("A")), spoiled,
            record(QStringLiteral("0003"), QStringLiteral("C")), nameMap(),
        }));
        QCOMPARE(loadedNames(), QStringList{QStringLiteral("A/0001")});
        QCOMPARE(lookupCodeName(QStringLiteral("0401")), QStringLiteral("风寒证"));
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

    void unopenableHerbListStopsEverything()
    {
        testEntry list{QStringLiteral("item/list.xml"), herbList({{QStringLiteral("0001"), QStringLiteral("A")}}), true};
        loadKnowledgeArchive(archive(QStringLiteral("badlist"), {list, record(QStringLiteral("0001"), QStringLiteral("A")), nameMap()}));
        QCOMPARE(herbTable().size(), 0);
        QCOMPARE(codeNameCount(), 0);
    }

    void failureLinesAndStops_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expectedLine");
        QTest::addColumn<bool>("laterLoaded");
        QTest::newRow("reported row") << QStringLiteral("script/basic.xml") << QStringLiteral("load file:script/basic.xml failed.\n") << false;
        QTest::newRow("reported late row") << QStringLiteral("script/hate.xml") << QStringLiteral("load file:script/hate.xml failed.\n") << false;
        QTest::newRow("silent stop") << QStringLiteral("data/acupoint.txt") << QString() << false;
        QTest::newRow("silent stop folk") << QStringLiteral("folk/data.txt") << QString() << false;
        QTest::newRow("quote skipped") << QStringLiteral("wisdom/lpf.xml") << QString() << true;
        QTest::newRow("diagnosis group skipped") << QStringLiteral("diagnosis/007.xml") << QString() << true;
    }

    void failureLinesAndStops()
    {
        QFETCH(QString, entry);
        QFETCH(QString, expectedLine);
        QFETCH(bool, laterLoaded);
        const QString path = archive(QStringLiteral("fail_") + QString::number(qHash(entry)),
                                     {{entry, withBom(QStringLiteral("<list/>")), true}, nameMap()});
        QString out;
        QCOMPARE(runLcq({QStringLiteral("--archive"), path, QStringLiteral("stats")}, &out), 0);
        const QString failures = out.section(QStringLiteral("phrases\t"), 0, 0);
        QCOMPARE(failures, expectedLine);
        QVERIFY(out.contains(laterLoaded ? QStringLiteral("codeNames\t1\n") : QStringLiteral("codeNames\t0\n")));
    }

    void unopenableDoseRangesReadAsEmpty()
    {
        loadKnowledgeArchive(archive(QStringLiteral("baddose"), {
            nameMap(), {QStringLiteral("item/dozemap.txt"), QByteArray("0001,3,9\n"), true}}));
        QCOMPARE(doseRangeTable().size(), 0);
        QCOMPARE(codeNameCount(), 1);
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
