// Acupoint catalogue, acupuncture prescriptions, folk remedies, reader texts
// and the symptom search.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "acupuncture/acuposition.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "browsers/unititem.h"
#include "diagnosis/codenames.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

class tst_acupuncture : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    void acupointTags()
    {
        QVERIFY(feedBytes(loadAcuPoints, withBom(QStringLiteral(
            "[J]手太阴肺经\r\n[S]胸部穴\r\n[I]中府\r\n[N]LU1\r\n[L]胸前\r\n[D]肌肉\r\n[T]咳嗽\r\n[P]配肺俞\r\n[M]斜刺\r\n\r\n"
            "[I]云门\r\n[N]LU2\r\n[T]胸痛\r\n[T]胸痛，咳嗽\r\n[M]平刺\r\n[C]after its method\r\n"
            "[S]上肢部穴\r\n[I]天府\r\n[B]LU3\r\n[M]直刺\r\n"
            "[J]手阳明大肠经\r\n[I]商阳\r\n[N]LI1\r\n[L]食指\r\n"))));
        const auto &points = acuPointTable();
        QCOMPARE(points.size(), 3); // 商阳 never gets its [M]
        QCOMPARE(points.at(0).code, QStringLiteral("LU1"));
        QCOMPARE(points.at(0).section, QStringLiteral("胸部穴"));
        QCOMPARE(points.at(1).location, QString()); // not carried from the point before
        QCOMPARE(points.at(1).indications, QStringLiteral("胸痛，咳嗽"));
        QCOMPARE(points.at(1).meridian, QStringLiteral("手太阴肺经"));
        QCOMPARE(points.at(1).caution, QString());
        QCOMPARE(points.at(2).caution, QStringLiteral("after its method")); // given to the next point
        QCOMPARE(points.at(2).section, QStringLiteral("上肢部穴"));
        QCOMPARE(points.at(2).code, QString()); // [B] is not read
        bool found = false;
        QCOMPARE(findAcuPointByCode(QStringLiteral("LU2"), &found).name, QStringLiteral("云门"));
        QVERIFY(found);
        QCOMPARE(findAcuPointByCode(QStringLiteral("LI1"), &found).name, QString());
        QVERIFY(!found);
        QVERIFY(acuPointText(QStringLiteral("中府")).startsWith(QStringLiteral("J:手太阴肺经\nL:胸前\nN:LU1\nT:咳嗽\nP:配肺俞\nM:斜刺\nC:\n")));
        QCOMPARE(acuPointText(QStringLiteral("中")), QString());
    }

    void duplicatesInTheCatalogue()
    {
        QVERIFY(feedBytes(loadAcuPoints, withBom(QStringLiteral(
            "[J]甲经\r\n[I]同名\r\n[N]X1\r\n[L]first place\r\n[M]a\r\n"
            "[I]别名\r\n[N]X1\r\n[L]second code holder\r\n[M]b\r\n"
            "[I]同名\r\n[N]X2\r\n[L]last place\r\n[M]c\r\n"))));
        // the search shows the last point of a name, the code lookup gives the first of a code
        QCOMPARE(acuPointText(QStringLiteral("同名")),
                 QStringLiteral("J:甲经\nL:last place\nN:X2\nT:\nP:\nM:c\nC:\n"));
        bool found = false;
        QCOMPARE(findAcuPointByCode(QStringLiteral("X1"), &found).name, QStringLiteral("同名"));
        QVERIFY(found);
        QCOMPARE(findAcuPointByCode(QStringLiteral("X1")).location, QStringLiteral("first place"));
    }

    void acupunctureScripts()
    {
        const QString script = QStringLiteral(
            "--------------------------------------------\r\n"
            "mainsuit:9010(腰痛)\r\nmethod: 通经止痛 \r\nacus:委中,肾俞\r\n"
            "acu_modify:031-0-0(咽喉肿痛)=少商,天容\r\n"
            "acu_modify:014-0-1,045-2-0=大椎,命门,三阴交\r\n"
            "acu_modify:呕吐=中脘,公孙\r\n"
            "acu_modify:a=b=c\r\n"
            "acu_modify:=合谷\r\n"
            "acu_modify:(x)=y\r\n"
            "acu_modify: 头痛 (偏头)= 太阳 \r\n"
            "\r\nid:0401(风寒证)\r\nmethod_modify:散寒\r\nacu_id:风门\r\nhow:泻法\r\n"
            "id:0650\r\nmethod_modify:滋阴\r\nacu_id:太溪\r\n"
            "--------------------------------------------\r\n"
            "mainsuit:9024\r\nacus:合谷\r\nid:0101\r\nhow:泻\r\n"
            "--------------------------------------------\r\n"
            "mainsuit:9010\r\nmethod:second\r\nid:0808\r\nhow:x\r\n"
            "--------------------------------------------\r\n"
            "method:no complaint\r\nid:0999\r\nhow:y\r\n"
            "--------------------------------------------\r\n"
            "mainsuit:9032\r\nid:0505\r\nhow:z\r\n");
        QVERIFY(feedBytes(loadAcuScript, encodeSystemCodePage(script)));
        const auto &blocks = acuScriptTable();
        QCOMPARE(blocks.size(), 3); // the last block has no separator after it
        const acuScriptBlock &first = blocks.first();
        QCOMPARE(first.mainsuit, QStringLiteral("9010"));
        QCOMPARE(first.method, QStringLiteral("通经止痛"));
        QCOMPARE(first.modifiers.size(), 6);
        QCOMPARE(first.modifiers.at(0).condition, QStringLiteral("031-0-0"));
        QCOMPARE(first.modifiers.at(0).acus, QStringLiteral("少商,天容"));
        QCOMPARE(first.modifiers.at(1).condition, QStringLiteral("014-0-1,045-2-0"));
        QCOMPARE(first.modifiers.at(2).condition, QStringLiteral("呕吐"));
        QCOMPARE(first.modifiers.at(3).condition, QString());
        QCOMPARE(first.modifiers.at(4).condition, QStringLiteral("(x)")); // "(" at 0 is not a comment
        QCOMPARE(first.modifiers.at(5).condition, QStringLiteral(" 头痛 ")); // the condition is not trimmed
        QCOMPARE(first.modifiers.at(5).acus, QStringLiteral("太阳"));
        QCOMPARE(first.cases.size(), 1); // the case without how never enters
        QCOMPARE(first.cases.first().id, QStringLiteral("0401"));
        QCOMPARE(findAcuScripts(QStringLiteral("9010")).size(), 2);
        QCOMPARE(findAcuScripts(QStringLiteral("9010")).at(1).method, QStringLiteral("second"));
        QCOMPARE(acuScriptIds(QStringLiteral("9010")), QStringList{QStringLiteral("0808")}); // the later block only
        QCOMPARE(acuScriptIds(QStringLiteral("9024")), QStringList{QStringLiteral("0101")});
        QVERIFY(acuScriptIds(QStringLiteral("9999")).isEmpty());
        QVERIFY(acuScriptIdMap().contains(QStringLiteral("9999"))); // asking adds it
        QVERIFY(findAcuScripts(QStringLiteral("9032")).isEmpty());
    }

    void longScriptLinesAreCut()
    {
        QByteArray line = "method:" + QByteArray(300, 'a') + "\r\n";
        QVERIFY(feedBytes(loadAcuScript, "mainsuit:9001\r\n" + line + "acus:" + QByteArray(10, 'b') + "\r\n----------\r\n"));
        QCOMPARE(acuScriptTable().size(), 1);
        QCOMPARE(acuScriptTable().first().method.size(), 254 - 7);
        QCOMPARE(acuScriptTable().first().acus, QStringLiteral("bbbbbbbbbb"));
    }

    void folkRemedies()
    {
        QVERIFY(feedBytes(loadFolkRemedies, withBom(QStringLiteral(
            "[function]皮肤科\r\n[name]乌梅汤\r\n[from]\r\n[component]乌梅\r\n[method]煎\r\n[target]自汗,盗汗\r\n\r\n"
            "[component]浮小麦\r\n[usage]代茶\r\n[taboo]忌辛辣\r\n[comment]not shown\r\n[target]汗证，多汗\r\n"
            "[function]儿科\r\n[component]x\r\n[target]小儿发热,\r\n[other]ignored\r\n"))));
        const auto &table = folkTable();
        QCOMPARE(table.size(), 5);
        QCOMPARE(folkWrittenCount(), 3); // one per [target] line
        QCOMPARE(table.at(0).target, QStringLiteral("自汗"));
        QCOMPARE(table.at(1).target, QStringLiteral("盗汗"));
        QCOMPARE(table.at(2).target, QStringLiteral("汗证，多汗")); // a full-width comma does not split
        QCOMPARE(table.at(2).function, QStringLiteral("皮肤科"));   // carried over
        QCOMPARE(table.at(2).name, QString());
        QCOMPARE(table.at(4).target, QString());
        QCOMPARE(table.at(4).function, QStringLiteral("儿科"));

        const QString listing = folkListing(QStringLiteral("汗"));
        QVERIFY(listing.startsWith(QStringLiteral("名称:乌梅汤\n主治:自汗\n出处:民间偏方\n原料:乌梅\n制法:煎\n\n")));
        QVERIFY(listing.contains(QStringLiteral("主治:盗汗\n")));
        QVERIFY(listing.contains(QStringLiteral("主治:汗证，多汗\n出处:民间偏方\n原料:浮小麦\n禁忌:忌辛辣\n服法:代茶\n\n")));
        QVERIFY(!listing.contains(QStringLiteral("not shown")));
        // the query containing a stored complaint finds it; an empty complaint matches anything
        QVERIFY(folkListing(QStringLiteral("夜间盗汗不止")).contains(QStringLiteral("主治:盗汗\n")));
        QCOMPARE(folkListing(QStringLiteral("头痛")).count(QStringLiteral("主治:")), 1);

        QVERIFY(feedBytes(loadFolkCategories, withBom(QStringLiteral(
            "<tree><node name=\"皮肤科\"><item> 自汗 </item><other>盗汗</other></node><node name=\"空\"/></tree>"))));
        QCOMPARE(folkCategories().size(), 2);
        QCOMPARE(folkCategories().at(0)->children, (QStringList{QStringLiteral("自汗"), QStringLiteral("盗汗")}));
        QVERIFY(!folkCategories().at(1)->hasChildren());
    }

    // The shipped remedies as the folk page shows them: every complaint a
    // remedy treats is one of the page's tree, and the tree holds no complaint
    // without a remedy.
    void shippedFolkRemedies()
    {
        loadKnowledgeArchive();
        QHash<QString, QString> categoryOf;
        QSet<QString> categories;
        QStringList failures;
        for (const unitItem *c : folkCategories()) {
            categories.insert(c->name);
            for (const QString &complaint : c->children) {
                if (categoryOf.contains(complaint))
                    failures << QStringLiteral("twice in the tree: ") + complaint;
                categoryOf.insert(complaint, c->name);
            }
        }
        // Herbs not to be handed out for use at home.
        const QStringList unsafe = {QStringLiteral("附子"), QStringLiteral("乌头"), QStringLiteral("川乌"),
            QStringLiteral("草乌"), QStringLiteral("马钱子"), QStringLiteral("朱砂"), QStringLiteral("雄黄"),
            QStringLiteral("斑蝥"), QStringLiteral("巴豆"), QStringLiteral("砒"), QStringLiteral("轻粉"),
            QStringLiteral("铅丹"), QStringLiteral("水银"), QStringLiteral("木通"), QStringLiteral("马兜铃"),
            QStringLiteral("青木香"), QStringLiteral("天仙藤"), QStringLiteral("生半夏"), QStringLiteral("天南星"),
            QStringLiteral("甘遂"), QStringLiteral("大戟"), QStringLiteral("芫花"), QStringLiteral("商陆"),
            QStringLiteral("雷公藤"), QStringLiteral("蟾酥"), QStringLiteral("洋金花"), QStringLiteral("闹羊花"),
            QStringLiteral("苍耳子"), QStringLiteral("鸦胆子"), QStringLiteral("山豆根"), QStringLiteral("何首乌"),
            QStringLiteral("土三七"), QStringLiteral("千里光"), QStringLiteral("相思子")};
        QSet<QString> treated;
        QHash<QString, QString> firstOfName;
        for (const folkRemedy &r : folkTable()) {
            const QString who = r.name + QLatin1Char('/') + r.target;
            if (!categoryOf.contains(r.target))
                failures << QStringLiteral("complaint not in the tree: ") + who;
            if (!categories.contains(r.function))
                failures << QStringLiteral("no such category: ") + who + QLatin1Char(' ') + r.function;
            if (r.name.isEmpty() || r.component.trimmed().isEmpty() || r.method.trimmed().isEmpty()
                || r.usage.trimmed().isEmpty() || r.taboo.trimmed().isEmpty())
                failures << QStringLiteral("empty field: ") + who;
            // an exercise or a measure without ingredients is no folk remedy
            // and names its own source
            if (r.component == QStringLiteral("无需材料") && r.from.isEmpty())
                failures << QStringLiteral("shown as a folk remedy: ") + who;
            for (const QString &herb : unsafe) {
                if (r.component.contains(herb))
                    failures << QStringLiteral("unsafe at home: ") + who + QLatin1Char(' ') + herb;
            }
            // a name comes back only for the next complaint of the same line
            const QString key = r.component + r.method + r.usage;
            if (firstOfName.contains(r.name) && firstOfName.value(r.name) != key)
                failures << QStringLiteral("two remedies of one name: ") + r.name;
            firstOfName.insert(r.name, key);
            treated.insert(r.target);
        }
        for (auto it = categoryOf.cbegin(); it != categoryOf.cend(); ++it) {
            if (!treated.contains(it.key()))
                failures << QStringLiteral("no remedy: ") + it.value() + QLatin1Char('/') + it.key();
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    void readerVerses()
    {
        QVERIFY(feedBytes(loadReaderVerses, encodeSystemCodePage(QStringLiteral(
            "dropped line\r\n#四君子汤\r\n四君子汤中和义\r\n参术茯苓甘草比\r\n\r\n#二陈汤\r\n二陈汤用半夏陈\r\n"))));
        QCOMPARE(readerTexts(), (QStringList{QStringLiteral("四君子汤-四君子汤中和义;参术茯苓甘草比;;"),
                                             QStringLiteral("二陈汤-二陈汤用半夏陈;")}));
        QCOMPARE(readerVerseCount(), 2);
        clearReaderTexts();
        QVERIFY(feedBytes(loadReaderVerses, QByteArray()));
        QCOMPARE(readerTexts(), QStringList{QString()}); // an empty file gives one empty text
        QVERIFY(feedBytes(loadReaderQuotes, withBom(QStringLiteral(
            "<list><pf><name>左金丸</name><item>黄连</item><ratio>6</ratio><item>吴茱萸</item><ratio>1</ratio></pf><item>上工治未病</item></list>"))));
        QCOMPARE(readerTexts().at(1), QStringLiteral("左金丸黄连6吴茱萸1"));
        QCOMPARE(readerTexts().at(2), QStringLiteral("上工治未病"));
        QVERIFY(!feedBytes(loadReaderQuotes, QByteArray("not xml")));
    }

    void symptomSearch()
    {
        QVERIFY(feedBytes(loadNameMap, withBom(QStringLiteral(
            "<map><item id=\"0301\" name=\"心血虚证\"/><item id=\"0302\" name=\"心气虚证\"/><item id=\"0101\" name=\"风寒证\"/></map>"))));
        const QString dir = freshTestDir(QStringLiteral("syndromes2"));
        QFile f(dir + QStringLiteral("/s.xml"));
        f.open(QIODevice::WriteOnly);
        f.write(withBom(QStringLiteral(
            "<list><item id=\"0302\"><key>心悸;气短</key></item><item id=\"0301\"><desc>失眠@心悸怔忡</desc></item>"
            "<item id=\"0101\"><key>恶寒</key></item><item id=\"0999\"><key>心悸</key></item></list>")));
        f.close();
        QVERIFY(loadSyndromeTable(f.fileName()));
        QCOMPARE(symptomSearchText(QStringLiteral("心悸")),
                 QStringLiteral("以下证候均会出现心悸症状：\n心气虚证\n心血虚证\n"));
        QCOMPARE(symptomSearchText(QStringLiteral("头痛")), QStringLiteral("以下证候均会出现头痛症状：\n"));
        QVERIFY(syndromeWords().contains(QStringLiteral("心悸怔忡")));
    }

    // The shipped catalogue and texts.
    void shippedData()
    {
        loadKnowledgeArchive();
        // The exact catalogue: 408 points, every code once; the digest is over
        // the sorted codes joined by line feeds.
        QStringList codes;
        for (const acuPoint &p : acuPointTable())
            codes << p.code;
        QCOMPARE(codes.size(), 408);
        codes.sort();
        QCOMPARE(codes.first(), QStringLiteral("BL1"));
        QCOMPARE(QCryptographicHash::hash(codes.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha1).toHex(),
                 QByteArray("7eea7706ea25b2042136174f89ee831cefa05ce3"));
        for (const char *meridian : {"LU11", "LI20", "ST45", "SP21", "HT9", "SI19", "BL67", "KI27", "PC9", "SJ23",
                                     "GB44", "LR14", "GV28", "CV24"})
            QVERIFY2(codes.contains(QLatin1String(meridian)), meridian);
        QVERIFY(!acuPointText(QStringLiteral("水沟")).isEmpty());
        QCOMPARE(findAcuPointByCode(QStringLiteral("LI4")).name, QStringLiteral("合谷"));
        // every point named by an acupuncture prescription is in the catalogue
        for (const acuScriptBlock &b : acuScriptTable()) {
            QStringList names = b.acus.split(QLatin1Char(','));
            for (const acuModify &m : b.modifiers)
                names << m.acus.split(QLatin1Char(','));
            for (const acuScriptCase &c : b.cases)
                names << c.acuIds.split(QLatin1Char(','));
            for (const QString &n : names)
                QVERIFY2(!acuPointText(n).isEmpty(), qPrintable(n));
        }
        QVERIFY(!findAcuScripts(QStringLiteral("9024")).isEmpty());
        QVERIFY(folkWrittenCount() >= 600);
        QVERIFY(folkTable().size() > folkWrittenCount());
        QVERIFY(folkCategories().size() >= 17);
        QVERIFY(readerVerseCount() >= 1);
    }

    // Lines of "data/acu_positions.txt": X = field 1, Y = field 3, Z = field 2.
    void positionLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("z");
        QTest::addColumn<QString>("code");
        QTest::newRow("swap") << "-0.563333#1.353333#-0.091021#LU1" << true << -0.563333 << -0.091021 << 1.353333 << "LU1";
        QTest::newRow("cr and spaces") << " 1.5#2.25# -3#  ST36 \r" << true << 1.5 << -3.0 << 2.25 << "ST36";
        QTest::newRow("more fields") << "1#2#3#BL1#extra" << true << 1.0 << 3.0 << 2.0 << "BL1";
        QTest::newRow("empty code") << "1#2#3#" << true << 1.0 << 3.0 << 2.0 << "";
        QTest::newRow("three fields") << "1#2#3" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("empty line") << "" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("word") << "1#abc#3#LU2" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("empty number") << "1##3#LU2" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("two points") << "1.2.3#2#3#LU2" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("not a number") << "1#2#nan#LU2" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("infinite") << "inf#2#3#LU2" << false << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("beyond float") << "1#1e60#3#LU2" << false << 0.0 << 0.0 << 0.0 << "";
    }

    void positionLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, kept);
        const QList<acuPosition> p = parseAcuPositions(line);
        QCOMPARE(p.size(), kept ? 1 : 0);
        if (!kept)
            return;
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, z);
        QFETCH(QString, code);
        // Stored as single-precision numbers.
        QCOMPARE(p.first().x, double(float(x)));
        QCOMPARE(p.first().y, double(float(y)));
        QCOMPARE(p.first().z, double(float(z)));
        QCOMPARE(p.first().code, code);
    }

    void positionFileKeepsOrderAndSkipsBadLines()
    {
        const QList<acuPosition> p =
            parseAcuPositions(QStringLiteral("0#0#0#A1\nbad line\n1#1#x#B1\n2#2#2#C1\r\n3#3#3#A1\n"));
        QCOMPARE(p.size(), 3);
        QCOMPARE(p.at(0).code, QStringLiteral("A1"));
        QCOMPARE(p.at(1).code, QStringLiteral("C1"));
        QCOMPARE(p.at(2).x, 3.0);
        acuPosition found;
        QVERIFY(findAcuPosition(p, QStringLiteral("A1"), &found));
        QCOMPARE(found.x, 0.0); // the first of two
        QVERIFY(!findAcuPosition(p, QStringLiteral("B1"), &found));
    }

    void positionsFromTheArchive()
    {
        const QString dir = freshTestDir(QStringLiteral("positions"));
        const QString saved = knowledgeArchivePath();
        QList<acuPosition> p;
        setKnowledgeArchivePath(dir + QStringLiteral("/missing.zip"));
        QVERIFY(!readAcuPositions(&p));
        const QString zip = dir + QStringLiteral("/impl.zip");
        QVERIFY(writeTestArchive(zip, {{QStringLiteral("data/acupoint.txt"), "x"}}));
        setKnowledgeArchivePath(zip);
        QVERIFY(!readAcuPositions(&p)); // no such entry
        QVERIFY(writeTestArchive(zip, {{QStringLiteral("data/acu_positions.txt"), "1#2#3#LU1", true}}));
        QVERIFY(!readAcuPositions(&p)); // entry that cannot be opened
        QVERIFY(writeTestArchive(zip, {{QStringLiteral("data/acu_positions.txt"), "1#2#3#LU1\n4#5#6#LU2"}}));
        QVERIFY(readAcuPositions(&p));
        setKnowledgeArchivePath(saved);
        QCOMPARE(p.size(), 2);
        QCOMPARE(p.at(1).y, 6.0);
    }

    // The shipped positions: every point of the twelve regular meridians,
    // once, under the codes of the catalogue.
    void shippedPositions()
    {
        loadKnowledgeArchive();
        QList<acuPosition> p;
        QVERIFY(readAcuPositions(&p));
        QCOMPARE(p.size(), 309);
        QMap<QString, int> perMeridian;
        QSet<QString> codes;
        for (const acuPosition &a : p) {
            QVERIFY2(!codes.contains(a.code), qPrintable(a.code));
            codes.insert(a.code);
            bool found = false;
            findAcuPointByCode(a.code, &found);
            QVERIFY2(found, qPrintable(a.code));
            ++perMeridian[a.code.left(2)];
        }
        const QMap<QString, int> expected{{"LU", 11}, {"LI", 20}, {"ST", 45}, {"SP", 21}, {"HT", 9}, {"SI", 19},
                                          {"BL", 67}, {"KI", 27}, {"PC", 9}, {"SJ", 23}, {"GB", 44}, {"LR", 14}};
        QCOMPARE(perMeridian, expected);
        // Numbered from 1 without gaps, in file order within a meridian.
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            for (int n = 1; n <= it.value(); ++n)
                QVERIFY(codes.contains(it.key() + QString::number(n)));
    }

    void lcqCommands()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("acupoint"), QStringLiteral(" 合谷 ")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("J:手阳明大肠经\n")));
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("acupoint"), QStringLiteral("合")}, &out), 1);
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("symptom"), QStringLiteral("心悸")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("以下证候均会出现心悸症状：\n")));
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("symptom"), QStringLiteral("无此症状")}, &out, &err), 1);
        QCOMPARE(out, QString());
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("folk"), QStringLiteral("感冒")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("主治:")));
        QCOMPARE(runLcq({QStringLiteral("search"), QStringLiteral("tea"), QStringLiteral("x")}, &out, &err), 2);
        QCOMPARE(runLcq({QStringLiteral("acupoint"), QStringLiteral("ST36")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("name\t足三里\n")));
        QCOMPARE(runLcq({QStringLiteral("acupoint"), QStringLiteral("XX1")}, &out), 1);
        // The place on the body model: X = field 1, Y = field 3, Z = field 2.
        QFile file(sourcePath(QStringLiteral("resources/impl/data/acu_positions.txt")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString lu1;
        for (const QString &line : QString::fromLatin1(file.readAll()).split(QLatin1Char('\n')))
            if (line.endsWith(QLatin1String("#LU1")))
                lu1 = line;
        const QStringList f = lu1.split(QLatin1Char('#'));
        QCOMPARE(f.size(), 4);
        QCOMPARE(runLcq({QStringLiteral("acupoint"), QStringLiteral("LU1")}, &out), 0);
        const QString expected = QStringLiteral("position\t%1,%2,%3\n")
                                     .arg(double(f.at(0).toFloat()), 0, 'f', 6)
                                     .arg(double(f.at(2).toFloat()), 0, 'f', 6)
                                     .arg(double(f.at(1).toFloat()), 0, 'f', 6);
        QVERIFY2(out.endsWith(expected), qPrintable(out.right(60)));
        QCOMPARE(runLcq({QStringLiteral("acupoint"), QStringLiteral("GV20")}, &out), 0);
        QVERIFY(!out.contains(QStringLiteral("position\t"))); // no place on the model
        QCOMPARE(runLcq({QStringLiteral("reader")}, &out), 0);
        QVERIFY(!out.trimmed().isEmpty());
        QCOMPARE(runLcq({QStringLiteral("reader"), QStringLiteral("--all")}, &out), 0);
        QVERIFY(out.count(QLatin1Char('\n')) >= 2);
    }
};

QTEST_GUILESS_MAIN(tst_acupuncture)
#include "tst_acupuncture.moc"
