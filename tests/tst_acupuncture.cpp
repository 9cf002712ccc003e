// Acupoint catalogue, acupuncture prescriptions, folk remedies, reader texts
// and the symptom search.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "knowledge/knowledgearchive.h"
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
        QVERIFY(folkTable().size() >= 300);
        QVERIFY(folkCategories().size() >= 15);
        QVERIFY(readerVerseCount() >= 1);
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
        QCOMPARE(runLcq({QStringLiteral("reader")}, &out), 0);
        QVERIFY(!out.trimmed().isEmpty());
        QCOMPARE(runLcq({QStringLiteral("reader"), QStringLiteral("--all")}, &out), 0);
        QVERIFY(out.count(QLatin1Char('\n')) >= 2);
    }
};

QTEST_GUILESS_MAIN(tst_acupuncture)
#include "tst_acupuncture.moc"
