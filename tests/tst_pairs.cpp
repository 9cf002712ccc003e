// Pair rules, code dictionary, common groups, super pairs, categories,
// incompatibility tables and code names.

#include "testsupport.h"

#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "diagnosis/codenames.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QBuffer>
#include <QFile>
#include <QtTest>

namespace {
void herb(const QString &id, const QString &name, const QString &aliases = QString())
{
    QString xml = QStringLiteral("<data><id>%1</id><name>%2</name><alias>").arg(id, name);
    for (const QString &a : aliases.split(QLatin1Char(','), Qt::SkipEmptyParts))
        xml += QStringLiteral("<tag>%1</tag>").arg(a);
    xml += QStringLiteral("</alias></data>");
    feed(loadHerbRecord, xml);
}

const char *const pairFile =
    "<data><list>"
    "<item><id>0001</id><name>麻黄-桂枝</name><type>发散风寒</type><stem>伤寒论</stem>"
    "<function>s_9001</function><function>温通经脉</function><target>风寒表实</target>"
    "<herb><tag> 麻黄 </tag><min>6</min><max>9</max><method></method></herb>"
    "<herb><tag>桂枝</tag><min>3</min><max>9</max></herb>"
    "<taboo>表虚自汗</taboo><comment>相须</comment><miss>false</miss><external>TRUE</external></item>"
    "<item><id>0002</id><name></name>"
    "<herb><tag>国老</tag><min>3</min><max>6</max><method>炙</method></herb>"
    "<herb><tag>大枣</tag></herb><herb><tag>生姜</tag></herb><herb><tag>葱白</tag></herb><miss>true</miss></item>"
    "<item><id>0003</id><herb><tag>独味</tag></herb></item>"
    "<item><id>0004</id><herb><tag>桂枝</tag><min>x</min><max>12</max></herb><herb><tag>白芍</tag><min>6</min><max>12</max></herb>"
    "<function>0401</function><function></function></item>"
    "<item><id>0005</id><herb><tag>冰片</tag><min>0.15</min><max>.3</max></herb>"
    "<herb><tag>麝香</tag><min>-1</min><max>0,1</max></herb></item>"
    "</list></data>";
} // namespace

class tst_pairs : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    void pairFileReading()
    {
        herb(QStringLiteral("0001"), QStringLiteral("甘草"), QStringLiteral("国老,炙甘草"));
        QVERIFY(feed(loadPairTable, QString::fromUtf8(pairFile)));
        const auto &pairs = pairTable();
        QCOMPARE(pairs.size(), 5);
        QCOMPARE(pairs.at(0).herbAt(0).name, QStringLiteral(" 麻黄 ")); // kept as written, matched trimmed
        QCOMPARE(pairs.at(0).herbAt(1).min, 3);
        QVERIFY(!pairs.at(0).external); // exactly "true" only
        QCOMPARE(pairs.at(0).functions.size(), 2);
        // Aliases are stored under the canonical name; a third herb is refused.
        QCOMPARE(pairs.at(1).herbAt(0).name, QStringLiteral("甘草"));
        QCOMPARE(pairs.at(1).herbCount(), 2);
        QCOMPARE(pairs.at(1).herbAt(1).name, QStringLiteral("大枣"));
        // The herb in progress is not reset between the herbs of one item.
        QCOMPARE(pairs.at(1).herbAt(1).min, 3);
        QCOMPARE(pairs.at(1).herbAt(1).method, QStringLiteral("炙"));
        QVERIFY(pairs.at(1).miss);
        QCOMPARE(pairs.at(2).herbCount(), 1);
        QCOMPARE(pairs.at(3).herbAt(0).min, 0);
        // Herbs dosed below a gram keep their decimals; anything that is not
        // a dose (a sign, a decimal comma) loads as 0.
        QCOMPARE(pairs.at(4).herbAt(0).min, 0.15);
        QCOMPARE(pairs.at(4).herbAt(0).max, 0.3);
        QCOMPARE(pairs.at(4).herbAt(1).min, 0);
        QCOMPARE(pairs.at(4).herbAt(1).max, 0);
        QVERIFY(pairHerbSet().contains(QStringLiteral("甘草")));
        QVERIFY(!pairHerbSet().contains(QStringLiteral("国老")));
        QVERIFY(pairHerbSet().contains(QStringLiteral("葱白"))); // read, though not added to the rule
        QCOMPARE(pairs.at(0).herbAt(5).name, QString());
    }

    void pairListWrappersAndNestedLists()
    {
        QVERIFY(feed(loadPairTable, QStringLiteral(
            "<data><list>"
            "<item><id>0001</id><group><herb><tag>麻黄</tag><min>6</min></herb><note><function>发汗</function></note></group>"
            "<herb><tag>桂枝</tag><max>9</max></herb></item>"
            "<list><item><id>0002</id><herb><tag>甲</tag></herb></item></list>"
            "<item><id>0003</id><wrap><name>after the inner list</name></wrap></item>"
            "</list>"
            "<other><item><id>outside</id></item></other>"
            "<list><item><id>0004</id></item></list></data>")));
        const auto &pairs = pairTable();
        QStringList ids;
        for (const pairRule &r : pairs)
            ids << r.id;
        // items after an inner list are kept; items outside every list are not read
        QCOMPARE(ids, (QStringList{QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("0003"), QStringLiteral("0004")}));
        // what a wrapper holds still counts
        QCOMPARE(pairs.at(0).herbCount(), 2);
        QCOMPARE(pairs.at(0).herbAt(0).name, QStringLiteral("麻黄"));
        QCOMPARE(pairs.at(0).herbAt(0).min, 6);
        QCOMPARE(pairs.at(0).herbAt(1).max, 9);
        QCOMPARE(pairs.at(0).functions, textSet{QStringLiteral("发汗")});
        QCOMPARE(pairs.at(2).name, QStringLiteral("after the inner list"));
        QVERIFY(pairHerbSet().contains(QStringLiteral("麻黄")));
    }

    void pairListStopsAtBrokenXml()
    {
        QVERIFY(feed(loadPairTable, QStringLiteral("<data><list><item><id>0001</id></item><item><id>0002</id><herb></list>")));
        QCOMPARE(pairTable().size(), 1);
    }

    void findPairBothOrders()
    {
        QVERIFY(feed(loadPairTable, QString::fromUtf8(pairFile)));
        QCOMPARE(findPair(QStringLiteral("麻黄"), QStringLiteral("桂枝")), 0);
        QCOMPARE(findPair(QStringLiteral("桂枝"), QStringLiteral("麻黄")), 0);
        QCOMPARE(findPair(QStringLiteral("白芍"), QStringLiteral("桂枝")), 3);
        QCOMPARE(findPair(QStringLiteral(" 麻黄"), QStringLiteral("桂枝")), -1); // arguments are not trimmed
        QCOMPARE(findPair(QStringLiteral("独味"), QString()), -1);
        QCOMPARE(findPair(QStringLiteral("麻黄"), QStringLiteral("白芍")), -1);
    }

    void textLayouts()
    {
        QVERIFY(feed(loadPairTable, QString::fromUtf8(pairFile)));
        QVERIFY(feed(loadCodeDictionary, QStringLiteral("<list><item id=\"s_9001\">发汗</item><item id=\"s_9001\">发汗解表</item></list>")));
        QVERIFY(feed(loadNameMap, QStringLiteral("<map><item id=\"0401\" name=\"风寒证\"/></map>")));
        pairHerb a{QStringLiteral("麻黄"), 6, 9, QString()};
        pairHerb b{QStringLiteral("桂枝"), 3, 9, QString()};
        QCOMPARE(pairDoseText(a, b), QStringLiteral("麻黄    : 6g    ~     9g\n桂枝    : 3g    ~     9g\n"));
        // Whole grams are written as before, other doses with their decimals.
        QCOMPARE(pairTextByIndex(4).section(QLatin1Char('\n'), 0, 0), QStringLiteral("冰片    : 0.15g    ~     0.3g"));
        QCOMPARE(pairTextByIndex(0), QStringLiteral(
            " 麻黄     : 6g    ~     9g\n桂枝    : 3g    ~     9g\n出处:伤寒论\n功能:发汗解表;温通经脉\n主治:风寒表实\n"
            "描述:相须\n禁忌:表虚自汗\n名称:麻黄-桂枝\n\n"));
        // Empty sets still give their line; an unnamed pair is anonymous.
        QCOMPARE(pairTextByIndex(1), QStringLiteral(
            "国老    : 3g    ~     6g\n大枣    : 3g    ~     6g\n功能:\n主治:\n描述:\n禁忌:\n名称:佚名\n\n"));
        QCOMPARE(pairTextByIndex(3).section(QLatin1Char('\n'), 2, 2), QStringLiteral("功能:风寒证"));
        // The asked herb comes first; blocks in index order; one more line break.
        const QString forGuizhi = pairTextForHerb(QStringLiteral("桂枝"));
        QVERIFY(forGuizhi.startsWith(QStringLiteral("桂枝    : 3g    ~     9g\n 麻黄     : 6g")));
        QVERIFY(forGuizhi.contains(QStringLiteral("\n\n桂枝    : 0g    ~     12g\n白芍")));
        QVERIFY(forGuizhi.endsWith(QStringLiteral("\n\n\n")));
        QCOMPARE(pairTextForHerb(QStringLiteral("人参")), QString());
        QCOMPARE(pairTextByIndex(99), QString());
    }

    void codeTranslation()
    {
        QVERIFY(feed(loadCodeDictionary, QStringLiteral("<list><item id=\"s_9044\">活血</item><grou id=\"调和营卫\">解肌发表,敛阴和营</grou><subt id=\"x\">y</subt></list>")));
        QVERIFY(feed(loadNameMap, QStringLiteral("<map><item id=\"0900\" name=\"旧\"/><item id=\"x12\" name=\"特\"/><item id=\"0900\" name=\"新\"/><item id=\"9999\" name=\"略\"/></map>")));
        QCOMPARE(translateCode(QStringLiteral("s_9044")), QStringLiteral("活血"));
        QCOMPARE(translateCode(QStringLiteral("s_1")), QStringLiteral("s_1"));
        QCOMPARE(translateCode(QStringLiteral("S_9044")), QStringLiteral("S_9044"));
        QCOMPARE(translateCode(QStringLiteral("0900")), QStringLiteral("新")); // last entry of a code wins
        QCOMPARE(translateCode(QStringLiteral("x12")), QStringLiteral("特"));
        QCOMPARE(translateCode(QStringLiteral("0123")), QString());          // a code without name is empty
        QCOMPARE(lookupCodeName(QStringLiteral("9999")), QString());
        QCOMPARE(translateCode(QStringLiteral("发汗")), QStringLiteral("发汗"));
        QCOMPARE(translateCode(QString()), QString());
        QCOMPARE(pairCodeGroups().value(QStringLiteral("调和营卫")).size(), 2);
        QCOMPARE(joinCodeSet(textSet(), false), QString());
        QCOMPARE(joinCodeSet(textSet{QString()}, false), QString());
        QCOMPARE(joinCodeSet(textSet{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("s_9044")}, false), QStringLiteral("a;b;活血"));
        QCOMPARE(joinCodeSet(textSet{QStringLiteral("b"), QStringLiteral("a")}, true), QStringLiteral("a\nb"));
    }

    void groupsSuperPairsAndMap()
    {
        herb(QStringLiteral("0001"), QStringLiteral("甘草"), QStringLiteral("炙甘草"));
        QVERIFY(feed(loadCommonPairs, QStringLiteral(
            "<data><item list=\"人参,白术\" function=\"健脾\" target=\"脾虚\"/>"
            "<item list=\"人参,白术,茯苓,炙甘草\" function=\"益气健脾\" target=\"\"/><other list=\"a,b,c,d,e\"/>"
            "<item function=\"x\"/></data>")));
        QCOMPARE(commonPairTable().size(), 3);
        QCOMPARE(commonPairTable().at(0).herbs.size(), 4);
        QVERIFY(commonPairTable().at(0).herbs.contains(QStringLiteral("甘草")));
        QCOMPARE(commonPairTable().at(2).herbs, textSet{QString()}); // absent list: one empty name
        QVERIFY(feed(loadSuperPairs, QStringLiteral(
            "<list><item name=\"柴胡,炙甘草\"><unit data=\"半夏,生姜\" min=\"1\" desc=\"少阳证-往来寒热\"/><unit data=\"青蒿\" desc=\"#x@y\"/></item></list>")));
        QCOMPARE(superPairTable().first().names, (QStringList{QStringLiteral("柴胡"), QStringLiteral("甘草")}));
        QCOMPARE(superPairTable().first().units.at(1).min, 0);
        QVERIFY(!feed(loadSuperPairs, QStringLiteral("not xml")));

        const QString dir = freshTestDir(QStringLiteral("pairmap"));
        QFile f(dir + QStringLiteral("/pmap.xml"));
        f.open(QIODevice::WriteOnly);
        f.write(withBom(QStringLiteral("<list><item>a,b#c,d</item><item>no hash</item><item>x#y,z</item></list>")));
        f.close();
        QVERIFY(loadPairMap(f.fileName()));
        QCOMPARE(applyPairMap(textSet{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("e")}),
                 (textSet{QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")}));
        QCOMPARE(applyPairMap(textSet{QStringLiteral("a"), QStringLiteral("x")}),
                 (textSet{QStringLiteral("a"), QStringLiteral("y"), QStringLiteral("z")}));
        QVERIFY(loadPairMap(QStringLiteral(":/qrc/pair/pmap.xml")));
        const textSet real{QStringLiteral("麻黄"), QStringLiteral("桂枝")};
        QCOMPARE(applyPairMap(real), real);
    }

    void categories()
    {
        const QString dir = freshTestDir(QStringLiteral("groups"));
        QFile f(dir + QStringLiteral("/group.xml"));
        f.open(QIODevice::WriteOnly);
        f.write(withBom(QStringLiteral(
            "<list><index><i>解表药</i><i>补气药</i></index>"
            "<group><node item=\"补气药\" key=\"补气,健脾\" arg=\"乏力\" tb=\"实证\"/><node item=\"补气药\" key=\"second\"/>"
            "<node item=\"解表药\" key=\"发散\" value=\"解表\"/></group>"
            "<unit id=\"补气药\"><i>人参,黄芪</i><i>白术</i></unit></list>")));
        f.close();
        QVERIFY(loadHerbCategories(f.fileName()));
        QCOMPARE(herbCategoryIndex().size(), 2);
        const herbCategoryNode node = categoryNodeByName(QStringLiteral("补气药"));
        QCOMPARE(node.key, (QStringList{QStringLiteral("补气"), QStringLiteral("健脾")}));
        QCOMPARE(node.value, node.key);
        QCOMPARE(categoryNodeByName(QStringLiteral("解表药")).value, QStringList{QStringLiteral("解表")});
        QCOMPARE(categoryNodeByName(QStringLiteral("无")).item, QString());
        QCOMPARE(herbCategoryUnits().first().herbs.size(), 3);
    }

    void incompatibilityOrder()
    {
        QVERIFY(feed(loadHateList, QStringLiteral(
            "<data><song><tag> 甲 </tag><tag>乙</tag></song><hate><item name=\"人参\"><tag>五灵脂</tag></item></hate>"
            "<oppose><item name=\"甘草\"><tag>甘遂</tag></item></oppose></data>")));
        QVERIFY(feed(loadOpposeList, QStringLiteral(
            "<data><oppose><item name=\"藜芦\"><tag>人参</tag></item></oppose><hate><item name=\"x\"><tag>y</tag></item></hate></data>")));
        QCOMPARE(hateList().size(), 1);
        QCOMPARE(opposeList().size(), 1);
        QCOMPARE(verseList(), QStringList{QStringLiteral("甲,乙")});
        QString a, b;
        QVERIFY(!findIncompatibleHerbs(textSet{QStringLiteral("藜芦"), QStringLiteral("人参"), QStringLiteral("五灵脂")}, &a, &b));
        QCOMPARE(a + b, QStringLiteral("人参五灵脂")); // hate before oppose
        QVERIFY(!findIncompatibleHerbs(textSet{QStringLiteral("藜芦"), QStringLiteral("人参")}, &a, &b));
        QCOMPARE(a + b, QStringLiteral("藜芦人参"));
        QVERIFY(findIncompatibleHerbs(textSet{QStringLiteral("甘草"), QStringLiteral("甘遂")}, &a, &b)); // not in these tables
        QVERIFY(findIncompatibleHerbs(textSet(), &a, &b));
    }

    void syndromes()
    {
        const QString dir = freshTestDir(QStringLiteral("syndromes"));
        QFile f(dir + QStringLiteral("/s.xml"));
        f.open(QIODevice::WriteOnly);
        f.write(withBom(QStringLiteral(
            "<list><item id=\"0401\" name=\"n\"><is>定义</is><key>恶寒;无汗</key><pulse>浮紧</pulse>"
            "<tongue>苔白</tongue><desc key=\"k\">鼻塞@流涕;咳嗽</desc><x>y</x></item></list>")));
        f.close();
        QVERIFY(loadSyndromeTable(f.fileName()));
        QCOMPARE(syndromeTable().size(), 1);
        const syndromeRecord r = syndromeTable().first();
        QCOMPARE(r.key, (QStringList{QStringLiteral("恶寒"), QStringLiteral("无汗")}));
        QCOMPARE(r.desc.size(), 2);
        QCOMPARE(r.desc.first(), (QStringList{QStringLiteral("鼻塞"), QStringLiteral("流涕")}));
        QVERIFY(!loadSyndromeTable(dir + QStringLiteral("/absent.xml")));
    }

    // Every classical incompatibility of the shipped tables is refused, also
    // when the herbs are typed under another name.
    void shippedIncompatibilities()
    {
        loadKnowledgeArchive();
        QVERIFY(hateList().size() >= 11);
        QVERIFY(opposeList().size() >= 40);
        QCOMPARE(verseList().size(), 2);
        for (const auto *table : {&hateList(), &opposeList()}) {
            for (const auto &p : *table) {
                QString a, b;
                QVERIFY2(!findIncompatibleHerbs(textSet{p.first, p.second, QStringLiteral("茯苓")}, &a, &b),
                         qPrintable(p.first + p.second));
            }
        }
        const QList<QPair<QString, QString>> typed = {
            {QStringLiteral("炙甘草"), QStringLiteral("醋甘遂")}, {QStringLiteral("甘草"), QStringLiteral("大戟")},
            {QStringLiteral("制川乌"), QStringLiteral("瓜蒌仁")}, {QStringLiteral("黑顺片"), QStringLiteral("法半夏")},
            {QStringLiteral("草乌"), QStringLiteral("白芨")}, {QStringLiteral("藜芦"), QStringLiteral("红参")},
            {QStringLiteral("藜芦"), QStringLiteral("芍药")}, {QStringLiteral("官桂"), QStringLiteral("赤石脂")},
            {QStringLiteral("朴硝"), QStringLiteral("硫黄")}, {QStringLiteral("牙硝"), QStringLiteral("京三棱")},
            {QStringLiteral("砒霜"), QStringLiteral("水银")}, {QStringLiteral("巴豆霜"), QStringLiteral("黑丑")},
            {QStringLiteral("公丁香"), QStringLiteral("广郁金")}, {QStringLiteral("川乌"), QStringLiteral("乌犀角")},
            {QStringLiteral("人参"), QStringLiteral("五灵脂")}, {QStringLiteral("狼毒"), QStringLiteral("陀僧")},
            {QStringLiteral("藜芦"), QStringLiteral("沙参")}, {QStringLiteral("象贝"), QStringLiteral("附子")},
        };
        for (const auto &p : typed) {
            QString a, b;
            QVERIFY2(!findIncompatibleHerbs(textSet{canonicalHerbName(p.first), canonicalHerbName(p.second)}, &a, &b),
                     qPrintable(p.first + QLatin1Char('+') + p.second));
        }
        QString a, b;
        QVERIFY(findIncompatibleHerbs(textSet{QStringLiteral("麻黄"), QStringLiteral("桂枝"), QStringLiteral("苦杏仁"), QStringLiteral("甘草")}, &a, &b));
    }

    void lcqPairCommands()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("check"), QStringLiteral("甘草"), QStringLiteral("甘遂")}, &out), 3);
        QCOMPARE(out, QStringLiteral("甘草\t甘遂\n"));
        QCOMPARE(runLcq({QStringLiteral("check"), QStringLiteral("麻黄"), QStringLiteral("桂枝")}, &out), 0);
        QCOMPARE(out, QStringLiteral("ok\n"));
        QCOMPARE(runLcq({QStringLiteral("check")}, &out, &err), 2);
        QCOMPARE(runLcq({QStringLiteral("pair"), QStringLiteral("麻黄")}, &out, &err), 2);
        // a code with no text is not found, whatever its form
        for (const char *code : {"s_no_such_code", "F999", "9998", "x999", "nothing"})
            QCOMPARE(runLcq({QStringLiteral("code"), QLatin1String(code)}, &out, &err), 1);
        QCOMPARE(runLcq({QStringLiteral("code"), QStringLiteral("s_9054")}, &out), 0);
        QCOMPARE(out, QStringLiteral("纳气定喘\n"));
        // pattern codes and markers come from the code name map
        QCOMPARE(runLcq({QStringLiteral("code"), QStringLiteral("F001")}, &out), 0);
        QCOMPARE(out, QStringLiteral("冲任虚寒证\n"));
        QCOMPARE(runLcq({QStringLiteral("code"), QStringLiteral("seri")}, &out), 0);
        QCOMPARE(out, QStringLiteral("病情较重\n"));
    }
};

QTEST_GUILESS_MAIN(tst_pairs)
#include "tst_pairs.moc"
