// The diagnosis engine: knowledge readers, scoring, candidates, the formula
// and acupuncture sides, the patient check, what a consultation shows, the
// symptom test input and the lcq diagnosis commands.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "diagnosis/answerfilter.h"
#include "diagnosis/codenames.h"
#include "diagnosis/consultationfile.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientrecord.h"
#include "formulas/formulalibrary.h"
#include "knowledge/knowledgearchive.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <limits>

namespace {

diagnosisNode &node()
{
    return diagnosisNode::instance();
}

bool readGroup(QIODevice *d) { return node().readGroupFile(d); }
bool readMap(QIODevice *d) { return node().readMapFile(d); }
bool readTextRules(QIODevice *d) { return node().readTextRules(d); }
bool readCatalogue(QIODevice *d) { return node().readComplaintCatalogue(d); }
bool readRestrictions(QIODevice *d) { return node().readComplaintRestrictions(d); }

QByteArray fixture(const QString &name)
{
    QFile f(sourcePath(QStringLiteral("tests/data/diagnosis/") + name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// The hand-written knowledge of tests/data/diagnosis, loaded in start-up order.
void loadFixture()
{
    for (const char *g : {"001.xml", "002.xml", "014.xml", "888.xml", "999.xml"})
        QVERIFY(feedBytes(readGroup, fixture(QLatin1String(g))));
    QVERIFY(feedBytes(readMap, fixture(QStringLiteral("map.xml"))));
    QVERIFY(feedBytes(readCatalogue, fixture(QStringLiteral("diagnosis_data.xml"))));
    QVERIFY(feedBytes(loadNameMap, fixture(QStringLiteral("namemap.xml"))));
    QVERIFY(feedBytes(readRestrictions, fixture(QStringLiteral("contradiction.xml"))));
    QVERIFY(feedBytes(loadDiagnosisFormulas, fixture(QStringLiteral("scripts.xml"))));
    QVERIFY(feedBytes(loadAcuScript,
                      encodeSystemCodePage(QString::fromUtf8(fixture(QStringLiteral("acu_script.txt"))))));
}

void rules(const QString &body)
{
    QVERIFY(feed(readMap, QStringLiteral("<map>") + body + QStringLiteral("</map>")));
}

QSet<QString> ids(const QString &list)
{
    QSet<QString> out;
    for (const QString &id : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        out.insert(id);
    return out;
}

// Four answers that no rule names, so that a run gets past the first stage.
const QString filler = QStringLiteral("900-0-0,900-0-1,900-0-2,900-0-3");

diagnosisContext scored(const QString &answers, const QString &mainsuit = QStringLiteral("9024"))
{
    diagnosisContext c = buildDiagnosisContext(mainsuit, ids(answers + QLatin1Char(',') + filler));
    inferPatterns(c);
    return c;
}

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

void setPatient(int age, const QString &sex, const QString &state = QString())
{
    patientRecord::clear();
    patientRecord::setValue(QStringLiteral("age"), QString::number(age));
    patientRecord::setValue(QStringLiteral("sex"), sex);
    if (!state.isEmpty())
        patientRecord::setValue(QStringLiteral("state"), state);
}

} // namespace

class tst_diagnosis : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        setPatient(30, QStringLiteral("male"));
    }

    // ---- readers ----

    void groupFile()
    {
        QVERIFY(feedBytes(readGroup, fixture(QStringLiteral("001.xml"))));
        QCOMPARE(node().groupCount(), 1);
        const questionGroup *g = node().group(QStringLiteral("001"));
        QVERIFY(g);
        QCOMPARE(g->name, QStringLiteral("寒热"));
        QCOMPARE(g->comment, QStringLiteral("请根据患者近日的感觉回答"));
        QCOMPARE(g->link, QStringLiteral("https://example.org/001"));
        QVERIFY(g->scroll);
        QVERIFY(!g->tablelist);
        QCOMPARE(g->lists.size(), 2);
        const questionList &first = g->lists.at(0);
        QCOMPARE(first.title, QStringLiteral("恶寒与发热"));
        QVERIFY(first.exclusive);
        QVERIFY(first.grid);
        QCOMPARE(first.unselect, QStringLiteral("dimness"));
        QVERIFY(!g->lists.at(1).exclusive);
        const questionItem &cold = first.items.at(0);
        QCOMPARE(cold.id, QStringLiteral("001-0-0")); // the child id wins over the attribute
        QCOMPARE(cold.buttonText(), QStringLiteral("恶寒重，发热轻 - 怕冷明显"));
        QCOMPARE(cold.reasons.size(), 1);
        QCOMPARE(cold.reasons.first().value, 0.9f);
        QCOMPARE(first.items.at(1).reasons.first().value, 0.0f); // a bad value gives 0
        const questionItem &sweat = g->lists.at(1).items.at(1);
        QCOMPARE(sweat.checked, QStringLiteral("true"));
        QCOMPARE(sweat.comment, QStringLiteral("微汗")); // the last reason tag's comment
        QCOMPARE(sweat.summaryText(), QStringLiteral("微汗"));
        QCOMPARE(g->lists.at(1).items.at(0).summaryText(), QStringLiteral("无汗"));
        // The group's own rules are read like map.xml content.
        QCOMPARE(node().rules().unitMap.value(QStringLiteral("001-0-0")), QStringLiteral("0101"));
        QVERIFY(node().findAnswer(QStringLiteral("001-1-2")));
        QVERIFY(!node().findAnswer(QStringLiteral("002-1-2")));
        QVERIFY(!node().group(QStringLiteral("002")));
    }

    void groupFileThatIsNotXml()
    {
        QVERIFY(!feedBytes(readGroup, QByteArray("<group name=\"x\" id=\"005\"><list>")));
        QVERIFY(!feedBytes(readGroup, QByteArray("not xml at all")));
        QVERIFY(!feedBytes(readGroup, QByteArray()));
        QCOMPARE(node().groupCount(), 0);
        QVERIFY(!feed(readMap, QStringLiteral("<map><unit>0101:001-0-0</unit>")));
        QVERIFY(node().rules().unitMap.isEmpty());
    }

    void groupRulesComeBeforeMapRules()
    {
        QVERIFY(feed(readGroup, QStringLiteral("<group id=\"005\"><desc><unit>0101:005-0-0</unit>"
                                               "<cell id=\"0101\"/></desc></group>")));
        rules(QStringLiteral("<unit>0103:005-0-0</unit><cell id=\"0103\"/>"));
        QCOMPARE(node().rules().unitMap.value(QStringLiteral("005-0-0")), QStringLiteral("0103"));
        QCOMPARE(node().rules().unitMap.size(), 1);
        QCOMPARE(node().rules().cellList.at(0).id, QStringLiteral("0101"));
        QCOMPARE(node().rules().cellList.at(1).id, QStringLiteral("0103"));
    }

    void ruleLines()
    {
        rules(QStringLiteral(
            "<unit>0101:001-0-0</unit><unit>0101:001-0-1:x</unit><unit>0101</unit>"
            "<mainsuit name=\"x\">9024:014-0-0</mainsuit><mainsuit>9032</mainsuit>"
            "<contradict>0032,0041</contradict><contradict>0032</contradict>"
            "<group desc=\"d\">036-1-0,036-5-1#0650,0651</group><group>036-1-0#0650#x</group>"
            "<atom desc=\"d\">3031:032-0-0,006-5-0</atom><atom>3032</atom>"
            "<one>0105:001-0-0,</one><grow>0740:0640</grow><merge>0700:0701</merge><unity>0662:0640,0650</unity>"
            "<pulse>浮</pulse><nonsense>1:2</nonsense>"));
        const diagnosisRules &r = node().rules();
        QCOMPARE(r.unitMap.size(), 1);
        QCOMPARE(r.mainsuitMap.value(QStringLiteral("9024")), QStringLiteral("014-0-0"));
        QCOMPARE(r.mainsuitMap.size(), 1);
        QCOMPARE(r.contradictPairs.values(QStringLiteral("0032")), QStringList{QStringLiteral("0041")});
        QCOMPARE(r.contradictPairs.values(QStringLiteral("0041")), QStringList{QStringLiteral("0032")});
        QCOMPARE(r.contradictPairs.size(), 2);
        QCOMPARE(r.groupRules.size(), 2);
        QCOMPARE(r.groupRules.at(0).code, QStringLiteral("0650"));
        QCOMPARE(r.groupRules.at(1).code, QStringLiteral("0651"));
        const QStringList both = {QStringLiteral("036-1-0"), QStringLiteral("036-5-1")};
        QCOMPARE(r.groupRules.at(1).parts, both);
        QCOMPARE(r.atomRules.size(), 1);
        QCOMPARE(r.oneRules.at(0).parts, (QStringList{QStringLiteral("001-0-0"), QString()})); // trailing comma
        QCOMPARE(r.growRules.at(0).parts, QStringList{QStringLiteral("0640")});
        QCOMPARE(r.mergeRules.size(), 1);
        QCOMPARE(r.unityRules.at(0).parts.size(), 2);
    }

    void cellElements()
    {
        rules(QStringLiteral(
            "<cell id=\"0101\" mainsuit=\"9024\" age=\"age(2\" count=\"2\" desc=\"x\">"
            "  <key> 009-0-0|009-0-1|009-0-2|009-0-3,010-0-0 </key>"
            "  <item>011-0-0,011-0-1</item><item> 3019 </item><aux></aux><aux>0640,</aux><exclude>1</exclude></cell>"
            "<cell id=\"F178\" age=\"(2\" count=\"many\"/>"));
        const diagnosisCell &a = node().rules().cellList.at(0);
        QCOMPARE(a.mainsuit, QStringLiteral("9024"));
        QCOMPARE(a.age, QStringLiteral("(2"));
        QCOMPARE(a.count, 2);
        QCOMPARE(a.key.size(), 2);
        QCOMPARE(a.key.at(0).size(), 4);
        QCOMPARE(a.key.at(1), QStringList{QStringLiteral("010-0-0")});
        QCOMPARE(a.items, (QStringList{QStringLiteral("011-0-0"), QStringLiteral("011-0-1"), QStringLiteral("3019")}));
        QCOMPARE(a.aux, (QStringList{QStringLiteral("0640"), QString()}));
        const diagnosisCell &b = node().rules().cellList.at(1);
        QCOMPARE(b.age, QString()); // only "age..." values are an age condition
        QCOMPARE(b.count, 0);
        QVERIFY(b.key.isEmpty());
        QVERIFY(b.items.isEmpty());
    }

    void textRuleFiles()
    {
        const QString text = QStringLiteral(
            "[ID]0640\r\n[SUIT]9010\r\n[DESC]肾阳虚\r\n[COUNT]2\r\n[KEY]009-0-0|009-0-1,010-0-0\r\n"
            "[ITEM]011-0-0,011-0-1\r\n[AUX]0650\r\nnoise\r\n-----\r\n"
            "[ID] 0650 \r\n[KEY]\r\n[ITEM]012-0-0\r\n---------------\r\n"
            "[ID]0660\r\n[KEY]013-0-0\r\n");
        QVERIFY(feedBytes(readTextRules, encodeSystemCodePage(text)));
        const QList<diagnosisCell> &cells = node().rules().cellList;
        QCOMPARE(cells.size(), 2); // the last cell has no separator after it
        QCOMPARE(cells.at(0).id, QStringLiteral("0640"));
        QCOMPARE(cells.at(0).mainsuit, QStringLiteral("9010"));
        QCOMPARE(cells.at(0).count, 2);
        QCOMPARE(cells.at(0).key.size(), 2);
        QCOMPARE(cells.at(0).key.at(0).size(), 2);
        QCOMPARE(cells.at(0).aux, QStringList{QStringLiteral("0650")});
        QCOMPARE(cells.at(1).id, QStringLiteral("0650"));
        QCOMPARE(cells.at(1).count, 2); // the count carries over
        QVERIFY(cells.at(1).key.isEmpty());
        QVERIFY(cells.at(1).mainsuit.isEmpty());
        QCOMPARE(cells.at(1).items, QStringList{QStringLiteral("012-0-0")});
    }

    void longTextRuleLinesAreCut()
    {
        // A line longer than the reader's limit goes on as a line of its own.
        const QByteArray line = "[ITEM]" + QByteArray(600, 'a') + "\n[ID]x\n-----\n";
        QVERIFY(feedBytes(readTextRules, line));
        QCOMPARE(node().rules().cellList.size(), 1);
        QCOMPARE(node().rules().cellList.first().items.first().size(), 516 - 1 - 6);
    }

    void complaintCatalogue()
    {
        QVERIFY(feedBytes(readCatalogue, fixture(QStringLiteral("diagnosis_data.xml"))));
        const diagnosisNode &n = node();
        QCOMPARE(n.complaintBlocks().size(), 7);
        QCOMPARE(n.complaintBlocks().at(2).name, QStringLiteral("妇科"));
        QCOMPARE(n.complaintCount(), 10);
        QCOMPARE(n.complaintCodes().first(), QStringLiteral("9024"));
        QCOMPARE(n.complaintDescription(QStringLiteral("9024")).left(5), QStringLiteral("感冒是感受"));
        QCOMPARE(n.complaintGroups(QStringLiteral("9024")), (QStringList{QStringLiteral("014"), QStringLiteral("001")}));
        QCOMPARE(n.complaintFurtherGroups(QStringLiteral("9024")), QStringList{QStringLiteral("002")});
        QCOMPARE(n.complaintType(QStringLiteral("9500")), QStringLiteral("old"));
        QCOMPARE(n.departmentOf(QStringLiteral("9024")), 0);
        QCOMPARE(n.departmentOf(QStringLiteral("9310")), 3);
        QCOMPARE(n.departmentOf(QStringLiteral("9074")), 5);
        QCOMPARE(n.departmentOf(QStringLiteral("1234")), -1);
        QVERIFY(!feedBytes(readCatalogue, QByteArray("<data><block>")));
        QCOMPARE(n.complaintCount(), 10);
    }

    void complaintRestrictions()
    {
        QVERIFY(feedBytes(readRestrictions, fixture(QStringLiteral("contradiction.xml"))));
        const QList<complaintRestriction> female = node().restrictions(QStringLiteral("female"));
        QCOMPARE(female.size(), 1);
        QCOMPARE(female.first().values, ids(QStringLiteral("9280,9281")));
        QVERIFY(female.first().group.isEmpty());
        const QList<complaintRestriction> cold = node().restrictions(QStringLiteral("9024"));
        QCOMPARE(cold.first().group, QStringLiteral("014"));
        QCOMPARE(cold.first().values, ids(QStringLiteral("014-0-1,014-0-2")));
        QCOMPARE(node().restrictionTable().size(), 2); // the malformed lines are skipped
    }

    void categoriesAndJudgeRules()
    {
        QDomDocument doc;
        QVERIFY(doc.setContent(QStringLiteral(
            "<judge><inborn><item id=\"0273\" name=\"过敏体质\"/><item id=\"0274\" name=\"阳虚体质\"/></inborn>"
            "<miss><item>x</item></miss></judge>")));
        QVERIFY(node().readJudgeRules(doc.documentElement()));
        QCOMPARE(node().inbornItems().size(), 2);
        QCOMPARE(node().inbornItems().at(1).name, QStringLiteral("阳虚体质"));
        QVERIFY(!node().readJudgeRules(QDomElement()));
        QVERIFY(doc.setContent(QStringLiteral("<list><c name=\"外感\" id=\"1\"><e id=\"9024\">感冒</e></c></list>")));
        QVERIFY(node().readCategories(doc.documentElement()));
        QCOMPARE(node().categories().first().entries.first().second, QStringLiteral("感冒"));
        QVERIFY(!node().readCategories(QDomElement()));
    }

    void cleanupDestroysTheGroups()
    {
        loadFixture();
        QCOMPARE(node().groupCount(), 5);
        node().cleanup();
        QCOMPARE(node().groupCount(), 0);
        QVERIFY(!node().group(QStringLiteral("001")));
    }

    void archiveRows()
    {
        // Group entries are looked for by their three-digit names only, then
        // 888 and 999; rule files of data/dict are read smallest first.
        const QString dir = freshTestDir(QStringLiteral("archive_rows"));
        QList<testEntry> entries;
        for (const char *name : {"diagnosis/007.xml", "diagnosis/050.xml", "diagnosis/051.xml", "diagnosis/07.xml",
                                 "diagnosis/888.xml", "diagnosis/999.xml", "diagnosis/0888.xml"})
            entries.append({QLatin1String(name),
                            withBom(QStringLiteral("<group id=\"%1\"/>").arg(QLatin1String(name).mid(10, 3)))});
        entries.append({QStringLiteral("diagnosis/map.xml"), withBom(QStringLiteral("<map><cell id=\"0001\"/></map>"))});
        entries.append({QStringLiteral("diagnosis/diagnosis_data.xml"), fixture(QStringLiteral("diagnosis_data.xml"))});
        entries.append({QStringLiteral("diagnosis/contradiction.xml"), fixture(QStringLiteral("contradiction.xml"))});
        QVERIFY(writeTestArchive(dir + QStringLiteral("/impl.zip"), entries));
        QVERIFY(QDir(dir).mkpath(QStringLiteral("data/dict")));
        const auto write = [&dir](const char *name, const QByteArray &bytes) {
            QFile f(dir + QStringLiteral("/data/dict/") + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        write("a.txt", "[ID]0003\n-----\n[ID]0033\n-----\n"); // larger
        write("b.txt", "[ID]0002\n-----\n");
        write("c.txt", "[ID]0004\n-----\n"); // same size as b: descending names
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir);
        loadKnowledgeArchive(dir + QStringLiteral("/impl.zip"));
        QDir::setCurrent(previous);
        QStringList groups;
        for (const questionGroup *g : node().groups())
            groups << g->id;
        QCOMPARE(groups, (QStringList{QStringLiteral("007"), QStringLiteral("050"), QStringLiteral("888"),
                                      QStringLiteral("999")}));
        QStringList cells;
        for (const diagnosisCell &c : node().rules().cellList)
            cells << c.id;
        QCOMPARE(cells, (QStringList{QStringLiteral("0001"), QStringLiteral("0004"), QStringLiteral("0002"),
                                     QStringLiteral("0003"), QStringLiteral("0033")}));
        QCOMPARE(node().complaintCount(), 10);
        QCOMPARE(node().restrictionTable().size(), 2);
    }

    // ---- scoring ----

    void scoringFigures_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("score"); // -1: not a fact

        const QString a5 = QStringLiteral("001-0-0,001-0-1,001-0-2,001-0-3,001-0-4");
        QTest::newRow("unit +1") << "<unit>0101:001-0-0</unit><unit>0101:001-0-1</unit>" << "001-0-0" << "0101" << 1;
        QTest::newRow("two units") << "<unit>0101:001-0-0</unit><unit>0101:001-0-1</unit>" << "001-0-0,001-0-1" << "0101" << 2;
        QTest::newRow("normal finding") << "<unit>0000:001-0-0</unit>" << "001-0-0" << "0000" << -1;
        QTest::newRow("group of 2") << "<group>001-0-0,001-0-1#0102</group>" << a5 << "0102" << 3;
        QTest::newRow("group of 3") << "<group>001-0-0,001-0-1,001-0-2#0102</group>" << a5 << "0102" << 3;
        QTest::newRow("group of 4") << "<group>001-0-0,001-0-1,001-0-2,001-0-3#0102</group>" << a5 << "0102" << 4;
        QTest::newRow("group of 5") << "<group>" + a5 + "#0102</group>" << a5 << "0102" << 4;
        QTest::newRow("group incomplete") << "<group>001-0-0,001-0-9#0102</group>" << a5 << "0102" << -1;
        QTest::newRow("group on a code") << "<unit>0103:001-0-0</unit><group>001-0-1,0103#0102</group>" << a5 << "0102" << -1;
        QTest::newRow("atom of 2") << "<atom>3031:001-0-0,001-0-1</atom>" << a5 << "3031" << 2;
        QTest::newRow("atom of 3") << "<atom>3031:001-0-0,001-0-1,001-0-2</atom>" << a5 << "3031" << 3;
        QTest::newRow("atom incomplete") << "<atom>3031:001-0-0,001-0-9</atom>" << a5 << "3031" << -1;
        QTest::newRow("one of") << "<one>0105:001-0-0,001-0-1,001-0-9</one>" << a5 << "0105" << 2;
        QTest::newRow("one on a code") << "<unit>0103:001-0-0</unit><one>0105:0103,001-0-9</one>" << a5 << "0105" << 1;
        QTest::newRow("cell empty key") << "<cell id=\"0201\"/>" << "" << "0201" << 1;
        QTest::newRow("two cells, one id") << "<cell id=\"0201\"/><cell id=\"0201\"/>" << "" << "0201" << 2;
        QTest::newRow("cell count 3, four items")
            << "<unit>0301:001-0-0</unit><cell id=\"0201\" count=\"3\"><item>0301,001-0-1,001-0-2,001-0-3</item></cell>"
            << a5 << "0201" << 1 + 2 + 1;
        QTest::newRow("cell count not reached")
            << "<cell id=\"0201\" count=\"3\"><item>001-0-0,001-0-1,001-0-9</item></cell>" << a5 << "0201" << -1;
        QTest::newRow("cell items counted once")
            << "<cell id=\"0201\" count=\"2\"><item>001-0-0,001-0-0</item></cell>" << a5 << "0201" << -1;
        QTest::newRow("cell items without count")
            << "<cell id=\"0201\"><item>001-0-0,001-0-1,001-0-2</item></cell>" << a5 << "0201" << 1;
        QTest::newRow("cell key alternative")
            << "<cell id=\"0201\"><key>009-0-0|001-0-1</key></cell>" << a5 << "0201" << 1;
        QTest::newRow("cell key needs both parts")
            << "<cell id=\"0201\"><key>001-0-0,009-0-0</key></cell>" << a5 << "0201" << -1;
        QTest::newRow("cell key scores")
            << "<unit>0301:001-0-0</unit><unit>0301:001-0-1</unit><cell id=\"0201\"><key>0301</key></cell>"
            << a5 << "0201" << 1 + 2;
        QTest::newRow("cell of another complaint")
            << "<cell id=\"0201\" mainsuit=\"9032\"/>" << a5 << "0201" << -1;
        QTest::newRow("cell of this complaint")
            << "<cell id=\"0201\" mainsuit=\"9024\"/>" << a5 << "0201" << 1;
        QTest::newRow("second pass")
            << "<cell id=\"0201\"><key>0202</key></cell><cell id=\"0202\"/>" << a5 << "0201" << 1 + 1;
        QTest::newRow("third pass")
            << "<cell id=\"0201\"><key>0202</key></cell><cell id=\"0202\"><key>0203</key></cell><cell id=\"0203\"/>"
            << a5 << "0201" << 1 + 2;
        QTest::newRow("growth")
            << "<unit>0301:001-0-0</unit><unit>0302:001-0-1</unit><unit>0302:001-0-2</unit><grow>0301:0302,0309</grow>"
            << a5 << "0301" << 1 + 2;
        QTest::newRow("no growth from nothing")
            << "<unit>0302:001-0-1</unit><grow>0301:0302</grow>" << a5 << "0301" << -1;
        QTest::newRow("scores taken when the cell fires")
            << "<unit>0301:001-0-0</unit><unit>0302:001-0-1</unit><grow>0301:0302</grow>"
               "<cell id=\"0201\"><key>0301</key></cell>"
            << a5 << "0201" << 1 + 1;
        QString doubling = QStringLiteral("<cell id=\"0201\"/>");
        for (int i = 0; i < 40; ++i)
            doubling += QStringLiteral("<cell id=\"0201\"><key>0201</key></cell>");
        QTest::newRow("rules that double a score stop at the largest")
            << doubling << a5 << "0201" << std::numeric_limits<int>::max();
    }

    void scoringFigures()
    {
        QFETCH(QString, rules);
        QFETCH(QString, answers);
        QFETCH(QString, code);
        QFETCH(int, score);
        ::rules(rules);
        const diagnosisContext c = scored(answers);
        QVERIFY(!c.insufficient);
        if (score < 0) {
            QVERIFY(!c.scores.contains(code));
        } else {
            QVERIFY(c.scores.contains(code));
            QCOMPARE(c.scores.score(code), score);
        }
    }

    void evidence()
    {
        rules(QStringLiteral("<unit>0301:001-0-0</unit><group>001-0-1,001-0-2#0302</group>"
                             "<cell id=\"0201\" count=\"1\"><key>0301</key><item>0302</item><aux>0640,001-0-9</aux></cell>"));
        const diagnosisContext c = scored(QStringLiteral("001-0-0,001-0-1,001-0-2"));
        QCOMPARE(c.scores.evidence(QStringLiteral("0302")), ids(QStringLiteral("001-0-1,001-0-2")));
        QCOMPARE(c.scores.evidence(QStringLiteral("0201")), ids(QStringLiteral("0301,0302,0640,001-0-9")));
        QCOMPARE(c.scores.score(QStringLiteral("0201")), 1 + 1 + 1 + 3);
        QVERIFY(!c.scores.contains(QStringLiteral("0640"))); // aux entries are evidence only
    }

    void cellAges_data()
    {
        QTest::addColumn<QString>("age");
        QTest::addColumn<int>("patientAge");
        QTest::addColumn<bool>("fires");
        QTest::newRow("younger than 2 at 1") << "age(2" << 1 << true;
        QTest::newRow("younger than 2 at 2") << "age(2" << 2 << false;
        QTest::newRow("older than 6 at 6") << "age)6" << 6 << false;
        QTest::newRow("older than 6 at 7") << "age)6" << 7 << true;
        QTest::newRow("no age prefix") << "(2" << 40 << true;
    }

    void cellAges()
    {
        QFETCH(QString, age);
        QFETCH(int, patientAge);
        QFETCH(bool, fires);
        setPatient(patientAge, QStringLiteral("male"));
        rules(QStringLiteral("<cell id=\"0201\" age=\"%1\"/>").arg(age));
        QCOMPARE(scored(QString()).scores.contains(QStringLiteral("0201")), fires);
    }

    void doneFlagsStartAfresh()
    {
        rules(QStringLiteral("<cell id=\"0201\"/>"));
        QCOMPARE(scored(QString()).scores.score(QStringLiteral("0201")), 1);
        QCOMPARE(scored(QString()).scores.score(QStringLiteral("0201")), 1);
        QVERIFY(!node().rules().cellList.first().done);
    }

    void enoughInformation_data()
    {
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("insufficient");
        QTest::newRow("three") << "9032" << "001-0-0,001-0-1,001-0-2" << true;
        QTest::newRow("three and the complaint's own") << "9024" << "001-0-1,001-0-2,001-0-3" << false;
        QTest::newRow("three, one of them the complaint's") << "9024" << "014-0-0,001-0-1,001-0-2" << true;
        QTest::newRow("four") << "9032" << "001-0-0,001-0-1,001-0-2,001-0-3" << false;
    }

    void enoughInformation()
    {
        QFETCH(QString, complaint);
        QFETCH(QString, answers);
        QFETCH(bool, insufficient);
        rules(QStringLiteral("<mainsuit>9024:014-0-0</mainsuit><cell id=\"0201\"/><cell id=\"0202\"/>"));
        const diagnosisContext c = runInference(complaint, ids(answers));
        QCOMPARE(c.insufficient, insufficient);
        QCOMPARE(c.scores.contains(QStringLiteral("0201")), !insufficient);
        if (insufficient)
            QCOMPARE(diagnosisResultText(c), phrase("insufficientinformation"));
    }

    void emptyAnswerOfTheSymptomTest()
    {
        loadFixture();
        QString mainsuit;
        QSet<QString> answers;
        QVERIFY(parseSymptomTestInput(QStringLiteral(" 9024: "), &mainsuit, &answers));
        QCOMPARE(mainsuit, QStringLiteral("9024"));
        QCOMPARE(answers, QSet<QString>{QString()});
        const diagnosisContext c = runInference(mainsuit, answers);
        QCOMPARE(c.answers.size(), 2); // the empty id and the complaint's own answer
        QCOMPARE(diagnosisResultText(c), phrase("insufficientinformation"));
        QVERIFY(!parseSymptomTestInput(QStringLiteral("9024"), &mainsuit, &answers));
        QVERIFY(!parseSymptomTestInput(QStringLiteral("9024:a:b"), &mainsuit, &answers));
    }

    void patternCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("pattern");
        QTest::newRow("four digits") << "0640" << true;
        QTest::newRow("F and three") << "F178" << true;
        QTest::newRow("atom shape") << "3031" << true;
        QTest::newRow("three digits") << "064" << false;
        QTest::newRow("five digits") << "06400" << false;
        QTest::newRow("F and two") << "F17" << false;
        QTest::newRow("lower f") << "f178" << false;
        QTest::newRow("letter inside") << "06a0" << false;
        QTest::newRow("F F") << "FF78" << false;
        QTest::newRow("marker") << "long" << false;
        QTest::newRow("answer id") << "001-0-0" << false;
    }

    void patternCodes()
    {
        QFETCH(QString, code);
        QFETCH(bool, pattern);
        QCOMPARE(isPatternCode(code), pattern);
    }

    void candidates()
    {
        rules(QStringLiteral("<one>0101:001-0-0</one>"
                             "<one>0102:001-0-0,001-0-1</one>"
                             "<atom>3031:001-0-0,001-0-1,001-0-2,001-0-3</atom>"
                             "<one>F178:001-0-0,001-0-1</one>"
                             "<one>long:001-0-0,001-0-1,001-0-2</one>"
                             "<one>F17:001-0-0,001-0-1,001-0-2</one>"));
        const diagnosisContext c = scored(QStringLiteral("001-0-0,001-0-1,001-0-2,001-0-3"));
        QCOMPARE(c.scores.score(QStringLiteral("3031")), 4);
        QCOMPARE(c.candidates.keys(), (QStringList{QStringLiteral("0102"), QStringLiteral("F178")}));
        QCOMPARE(c.candidates.value(QStringLiteral("0102")), 2);
    }

    // ---- choosing the pattern and the prescription ----

    void tieRule_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("formula");
        QTest::newRow("5 and 5: the later code") << 5 << 5 << "银翘散";
        QTest::newRow("6 and 5: the higher") << 6 << 5 << "麻黄汤";
        QTest::newRow("5 and 6: the higher") << 5 << 6 << "银翘散";
    }

    void tieRule()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, formula);
        QVERIFY(feedBytes(loadDiagnosisFormulas, fixture(QStringLiteral("scripts.xml"))));
        const QStringList six = {QStringLiteral("001-0-0"), QStringLiteral("001-0-1"), QStringLiteral("001-0-2"),
                                 QStringLiteral("001-0-3"), QStringLiteral("001-0-4"), QStringLiteral("001-0-5")};
        rules(QStringLiteral("<one>0101:%1</one><one>0103:%2</one>")
                  .arg(six.mid(0, first).join(QLatin1Char(',')), six.mid(0, second).join(QLatin1Char(','))));
        const diagnosisContext c = runInference(QStringLiteral("9024"), ids(six.join(QLatin1Char(','))));
        QCOMPARE(c.candidates.size(), 2);
        QVERIFY(c.formulaText.startsWith(phrase("scriptname") + formula));
    }

    void uncoveredCandidates_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("five") << 5;
        QTest::newRow("six") << 6;
    }

    void uncoveredCandidates()
    {
        QFETCH(int, count);
        loadFixture();
        QString body;
        QStringList names;
        for (int i = 0; i < count; ++i) {
            const QString code = QStringLiteral("02%1").arg(i, 2, 10, QLatin1Char('0'));
            body += QStringLiteral("<cell id=\"%1\"/><cell id=\"%1\"/>").arg(code);
            QVERIFY(feed(loadNameMap, QStringLiteral("<map><item id=\"%1\" name=\"证%2\"/></map>").arg(code).arg(i)));
            names << QStringLiteral("证%1").arg(i);
        }
        rules(body);
        const diagnosisContext c = runInference(QStringLiteral("9024"), ids(filler));
        QCOMPARE(c.candidates.size(), count);
        const QString listed = phrase("possiblepathema1").arg(names.join(QLatin1Char(',')));
        QCOMPARE(c.formulaText, count < 6 ? listed : phrase("badoperation"));
        QCOMPARE(c.acuText, listed);
        QCOMPARE(needsPrescriptionChoice(c), count >= 6);
        QCOMPARE(diagnosisResultText(c, prescriptionSide::acupuncture), listed);
        QVERIFY(resultPattern(c).isEmpty());
    }

    void noCandidates()
    {
        loadFixture();
        const diagnosisContext c = runInference(QStringLiteral("9024"), ids(filler));
        QVERIFY(c.candidates.isEmpty());
        QCOMPARE(c.formulaText, phrase("badoperation"));
        QCOMPARE(c.acuText, phrase("badoperation"));
        QVERIFY(!needsPrescriptionChoice(c));
        QCOMPARE(diagnosisResultText(c), phrase("badoperation"));
    }

    void notCovered()
    {
        loadFixture();
        rules(QStringLiteral("<cell id=\"0101\"/><cell id=\"0101\"/>"));
        // 9134 has neither a formula nor an acupuncture prescription.
        diagnosisContext c = runInference(QStringLiteral("9134"), ids(filler));
        QVERIFY(c.formulaNotCovered);
        QVERIFY(c.acuNotCovered);
        QVERIFY(!needsPrescriptionChoice(c));
        QCOMPARE(diagnosisResultText(c), phrase("current_mainsuit_isnt_support"));
        QCOMPARE(diagnosisResultText(c, prescriptionSide::acupuncture), phrase("current_mainsuit_isnt_support"));
        QVERIFY(resultPattern(c).isEmpty());
        // 9310 has a formula but no acupuncture: the formula is shown.
        c = runInference(QStringLiteral("9310"), ids(filler));
        QVERIFY(!c.formulaNotCovered);
        QVERIFY(c.acuNotCovered);
        QVERIFY(!needsPrescriptionChoice(c));
        QVERIFY(diagnosisResultText(c, prescriptionSide::acupuncture).startsWith(phrase("scriptname") + QStringLiteral("麻黄汤")));
        QCOMPARE(resultPattern(c, prescriptionSide::acupuncture), QStringLiteral("0101"));
    }

    void acupunctureOnlyComplaint()
    {
        loadFixture();
        QVERIFY(feedBytes(loadAcuScript, encodeSystemCodePage(QStringLiteral(
            "-----\nmainsuit:9032\nmethod:通络\nacus:百会\nid:0101\nmethod_modify:散寒\nacu_id:风门\nhow:泻\n-----\n"))));
        rules(QStringLiteral("<cell id=\"0101\"/><cell id=\"0101\"/>"));
        const diagnosisContext c = runInference(QStringLiteral("9032"), ids(filler));
        QVERIFY(c.formulaNotCovered);
        QVERIFY(c.acuText.startsWith(QStringLiteral("治法：通络,散寒\n选穴：百会,风门\n操作：泻\n")));
        QCOMPARE(diagnosisResultText(c), c.acuText);
        QCOMPARE(resultPattern(c), QStringLiteral("0101"));
    }

    void mostSpecificProposal_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("added");
        QTest::newRow("base") << "" << "";
        QTest::newRow("one scene") << "002-0-3" << "苍耳子 - 6g\n";
        QTest::newRow("the most specific scene") << "002-0-3,999-0-1" << "辛夷 - 6g 包煎\n";
    }

    void mostSpecificProposal()
    {
        QFETCH(QString, answers);
        QFETCH(QString, added);
        loadFixture();
        // Wind-cold: aversion to cold, no sweating, a tight floating pulse.
        const QString base = QStringLiteral("001-0-0,001-1-0,002-3-1,002-0-1");
        const diagnosisContext c =
            runInference(QStringLiteral("9024"), ids(base + QLatin1Char(',') + answers));
        QCOMPARE(c.formulaPattern, QStringLiteral("0101"));
        const QString herbs = QStringLiteral("麻黄 - 9g\n桂枝 - 6g\n苦杏仁 - 6g\n甘草 - 3g 炙\n") + added + QStringLiteral("\n");
        QVERIFY2(c.formulaText.contains(QStringLiteral("汤剂\n") + herbs + QStringLiteral("中成药:")), qPrintable(c.formulaText));
    }

    void noMatchingProposal()
    {
        loadFixture();
        QVERIFY(feed(loadDiagnosisFormulas, QStringLiteral(
            "<list><script for=\"0103\" symptom=\"9032\" arugment=\"seri\"><table name=\"芎芷石膏汤\"/></script></list>")));
        QVERIFY(feedBytes(loadAcuScript, encodeSystemCodePage(QStringLiteral("-----\nmainsuit:9032\nid:0103\nhow:泻\n-----\n"))));
        const QString heat = QStringLiteral("001-0-1,002-0-2,002-3-3,002-0-0");
        diagnosisContext c = runInference(QStringLiteral("9032"), ids(heat));
        QCOMPARE(c.formulaPattern, QStringLiteral("0103"));
        QCOMPARE(c.formulaText, phrase("no_script"));
        c = runInference(QStringLiteral("9032"), ids(heat + QStringLiteral(",999-0-1")));
        QVERIFY(c.formulaText.startsWith(phrase("scriptname") + QStringLiteral("芎芷石膏汤")));
    }

    void proposalText()
    {
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        formulaProposal p;
        p.name = QStringLiteral("麻黄汤");
        p.method = QStringLiteral("辛温解表");
        p.form = QStringLiteral("汤剂");
        p.herbs = {{QStringLiteral("麻黄"), QStringLiteral("9g"), QString()},
                   {QStringLiteral("甘草"), QStringLiteral("3g"), QStringLiteral("炙")}};
        p.pill = QStringLiteral("九味羌活丸");
        p.usage = QStringLiteral("温服");
        p.taboo = QStringLiteral("表虚者不宜");
        QCOMPARE(formulaProposalText(p), QStringLiteral("方剂名：麻黄汤\n治法：辛温解表\n汤剂\n麻黄 - 9g\n甘草 - 3g 炙\n\n"
                                                        "中成药:九味羌活丸\n用法:温服\n禁忌:表虚者不宜\n"));
        p.method.clear();
        p.acupuncture = QStringLiteral("配合针刺风池");
        QCOMPARE(formulaProposalText(p), QStringLiteral("方剂名：麻黄汤\n汤剂\n麻黄 - 9g\n甘草 - 3g 炙\n\n"
                                                        "中成药:九味羌活丸\n配合针刺风池\n用法:温服\n禁忌:表虚者不宜\n"));
    }

    void patternSummaryLines()
    {
        loadFixture();
        // 001-1-1 (shown by its comment) reaches the pattern through a code,
        // 002-0-0 directly; the answers of the atoms are not listed, the
        // atoms are, by name (3032 has none); an answer of an unknown group
        // gives no line.
        rules(QStringLiteral("<unit>0302:001-1-1</unit><atom>3032:001-1-1,002-0-1</atom>"
                             "<cell id=\"0201\" count=\"1\"><key>0302</key><item>3031,3032,0302,002-0-0</item>"
                             "<aux>009-9-9</aux></cell><cell id=\"0201\"/>"));
        QVERIFY(feed(loadNameMap, QStringLiteral("<map><item id=\"0201\" name=\"测试证\"/></map>")));
        const diagnosisContext c =
            runInference(QStringLiteral("9024"), ids(QStringLiteral("001-1-1,002-0-1,001-0-0,002-0-0")));
        QCOMPARE(patternSummary(c, QStringLiteral("0201")),
                 QStringLiteral("\n辨证:测试证\n主诉:感冒\n症状:\n微汗 \n头痛 \n表寒身痛 \n"));
    }

    void typicalCases_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("formula");
        QTest::newRow("wind-cold") << "001-0-0,001-1-0,002-0-1,002-0-3,002-3-1" << "0101" << "麻黄汤";
        QTest::newRow("wind-heat") << "001-0-1,002-0-2,002-3-3,002-0-0,001-1-1" << "0103" << "银翘散";
    }

    void typicalCases()
    {
        QFETCH(QString, answers);
        QFETCH(QString, pattern);
        QFETCH(QString, formula);
        loadFixture();
        const diagnosisContext c = runInference(QStringLiteral("9024"), ids(answers));
        QCOMPARE(c.candidates.keys(), QStringList{pattern});
        QVERIFY(needsPrescriptionChoice(c));
        const QString text = diagnosisResultText(c, prescriptionSide::formula);
        QVERIFY(text.startsWith(phrase("scriptname") + formula));
        QVERIFY(text.contains(QStringLiteral("辨证:") + lookupCodeName(pattern) + QStringLiteral("\n主诉:感冒\n")));
        QVERIFY(diagnosisResultText(c, prescriptionSide::acupuncture).startsWith(QStringLiteral("治法：祛风解表,")));
    }

    void acupunctureText()
    {
        loadFixture();
        rules(QStringLiteral("<unit>0302:001-0-0</unit>"));
        QVERIFY(feedBytes(loadAcuScript, encodeSystemCodePage(QStringLiteral(
            "-----\nmainsuit:9024\nmethod:宣肺\nacus:太阳\n"
            "acu_modify:0302=印堂\nacu_modify:002-0-3,999-0-1=上星\nacu_modify:=四白\n"
            "id:0101\nmethod_modify:散寒\nacu_id:风池\nhow:last block wins\n-----\n"))));
        const diagnosisContext c =
            runInference(QStringLiteral("9024"), ids(QStringLiteral("001-0-0,001-1-0,002-0-1,002-0-3,002-3-1")));
        QCOMPARE(c.acuPattern, QStringLiteral("0101"));
        // The second 9024 block replaces the case ids but both blocks are
        // walked: the last matching case gives the text.
        QVERIFY2(c.acuText.startsWith(QStringLiteral("治法：宣肺,散寒\n选穴：太阳,风池,印堂\n操作：last block wins\n辨证:风寒束表\n")),
                 qPrintable(c.acuText));
    }

    void acupunctureModifiers()
    {
        loadFixture();
        const diagnosisContext c =
            runInference(QStringLiteral("9024"), ids(QStringLiteral("001-0-0,001-1-0,002-0-1,002-0-3,002-3-1")));
        // The answer-id condition fires, the word condition never does; the
        // points are a set.
        QVERIFY2(c.acuText.startsWith(QStringLiteral("治法：祛风解表,疏风散寒\n选穴：列缺,合谷,风门,肺俞,迎香\n操作：针用泻法,可加灸\n")),
                 qPrintable(c.acuText));
    }

    // ---- the patient ----

    void patientQueries()
    {
        patientRecord::clear();
        QVERIFY(patientRecord::isMale());
        QCOMPARE(patientRecord::age(), 0);
        QVERIFY(patientRecord::isChild());
        setPatient(12, QStringLiteral("female"), QStringLiteral("pregnant"));
        QVERIFY(patientRecord::isChild());
        QVERIFY(!patientRecord::isMale());
        QVERIFY(patientRecord::isPregnant());
        QVERIFY(!patientRecord::isMarried());
        setPatient(13, QStringLiteral("other"), QStringLiteral("married"));
        QVERIFY(!patientRecord::isChild());
        QVERIFY(patientRecord::isMale());
        QVERIFY(patientRecord::isMarried());
        patientRecord::setProfileDefaults();
        QCOMPARE(patientRecord::age(), 24);
        QCOMPARE(patientRecord::value(QStringLiteral("state")), QStringLiteral("unmarried"));
    }

    void patientCheck_data()
    {
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("refusal");
        const QString refused = QStringLiteral("contradication_patient_info");
        const QString pregnancy = QStringLiteral("not_support_pregnancy");
        QTest::newRow("内科 at 11") << "9024" << 11 << "male" << "" << refused;
        QTest::newRow("内科 at 12") << "9024" << 12 << "male" << "" << "";
        QTest::newRow("外科 at 3") << "9134" << 3 << "female" << "" << "";
        QTest::newRow("妇科 woman of 13") << "9280" << 13 << "female" << "normal" << "";
        QTest::newRow("妇科 girl of 12") << "9280" << 12 << "female" << "normal" << refused;
        QTest::newRow("妇科 man") << "9280" << 30 << "male" << "" << refused;
        QTest::newRow("儿科 at 12") << "9310" << 12 << "male" << "" << "";
        QTest::newRow("儿科 at 13") << "9310" << 13 << "male" << "" << refused;
        QTest::newRow("急科 at 80") << "9900" << 80 << "female" << "" << "";
        QTest::newRow("男科 at 18") << "9074" << 18 << "male" << "" << "";
        QTest::newRow("男科 at 17") << "9074" << 17 << "male" << "" << refused;
        QTest::newRow("男科 woman") << "9074" << 30 << "female" << "" << refused;
        QTest::newRow("older than 60 at 60") << "9500" << 60 << "male" << "" << refused;
        QTest::newRow("older than 60 at 61") << "9500" << 61 << "male" << "" << "";
        QTest::newRow("younger than 3 at 2") << "9501" << 2 << "male" << "" << "";
        QTest::newRow("younger than 3 at 3") << "9501" << 3 << "male" << "" << refused;
        QTest::newRow("seventh department") << "9600" << 30 << "male" << "" << refused;
        QTest::newRow("not catalogued") << "9999" << 30 << "male" << "" << refused;
        QTest::newRow("pregnant") << "9024" << 30 << "female" << "pregnant" << pregnancy;
        QTest::newRow("pregnant, refused anyway") << "9310" << 30 << "female" << "pregnant" << refused;
        QTest::newRow("suckling") << "9024" << 30 << "female" << "suckling" << "";
    }

    void patientCheck()
    {
        QFETCH(QString, complaint);
        QFETCH(int, age);
        QFETCH(QString, sex);
        QFETCH(QString, state);
        QFETCH(QString, refusal);
        QVERIFY(feedBytes(readCatalogue, fixture(QStringLiteral("diagnosis_data.xml"))));
        setPatient(age, sex, state);
        QCOMPARE(checkPatientAgainstComplaint(complaint), refusal);
    }

    // ---- what a consultation shows ----

    void questionRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no rule") << "" << 40 << true;
        QTest::newRow("age(2 at 1") << "age(2" << 1 << true;
        QTest::newRow("age(2 at 2") << "age(2" << 2 << false;
        QTest::newRow("age)6 at 6") << "age)6" << 6 << false;
        QTest::newRow("age)6 at 7") << "age)6" << 7 << true;
        QTest::newRow("colon form") << "age:6" << 7 << false;
        QTest::newRow("not an age") << "sex(2" << 1 << false;
        QTest::newRow("no separator") << "child" << 1 << false;
        QTest::newRow("two conditions, one met") << "age(2|age)6" << 1 << false;
        QTest::newRow("two conditions, none met") << "age(2|age)6" << 4 << true;
    }

    void questionRules()
    {
        QFETCH(QString, rule);
        QFETCH(int, age);
        QFETCH(bool, shown);
        QCOMPARE(answerFilter(QStringLiteral("9024"), true, age).ruleShows(rule), shown);
    }

    void answerVisibility_data()
    {
        QTest::addColumn<QString>("attribute");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("male");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("shown");
        QTest::newRow("own complaint") << "mainsuit" << "9024" << true << 30 << true;
        QTest::newRow("other complaint") << "mainsuit" << "9032" << true << 30 << false;
        QTest::newRow("male, man") << "sex" << "male" << true << 30 << true;
        QTest::newRow("male, woman") << "sex" << "male" << false << 30 << false;
        QTest::newRow("female, woman") << "sex" << "female" << false << 30 << true;
        QTest::newRow("female, man") << "sex" << "female" << true << 30 << false;
        QTest::newRow("other sex") << "sex" << "both" << true << 30 << false;
        QTest::newRow("younger than 12 at 11") << "age" << "(12" << true << 11 << true;
        QTest::newRow("younger than 12 at 12") << "age" << "(12" << true << 12 << false;
        QTest::newRow("older than 60 at 60") << "age" << ")60" << true << 60 << false;
        QTest::newRow("older than 60 at 61") << "age" << ")60" << true << 61 << true;
    }

    void answerVisibility()
    {
        QFETCH(QString, attribute);
        QFETCH(QString, value);
        QFETCH(bool, male);
        QFETCH(int, age);
        QFETCH(bool, shown);
        questionItem item;
        if (attribute == QLatin1String("mainsuit"))
            item.mainsuit = value;
        else if (attribute == QLatin1String("sex"))
            item.sex = value;
        else
            item.age = value;
        QCOMPARE(answerFilter(QStringLiteral("9024"), male, age).answerShown(item), shown);
    }

    void questionsWithoutVisibleAnswersAreHidden()
    {
        loadFixture();
        const questionGroup *g = node().group(QStringLiteral("002"));
        const questionList &menses = g->lists.at(2);
        QVERIFY(!answerFilter(QStringLiteral("9024"), true, 30).questionShown(menses));
        const answerFilter woman(QStringLiteral("9024"), false, 30);
        QVERIFY(woman.questionShown(menses));
        QCOMPARE(woman.visibleAnswers(menses).size(), 1); // the other is for women over 49
        QCOMPARE(answerFilter(QStringLiteral("9024"), false, 50).visibleAnswers(menses).size(), 2);
        QVERIFY(!woman.questionShown(g->lists.at(1))); // the infants' question
        QVERIFY(answerFilter(QStringLiteral("9024"), false, 2).questionShown(g->lists.at(1)));
    }

    void consultationGroups()
    {
        loadFixture();
        // The complaint's own groups, the chooser's single-tag answers, 999.
        QCOMPARE(answerFilter(QStringLiteral("9024"), true, 30).consultationGroups(),
                 (QStringList{QStringLiteral("014"), QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("999")}));
        QCOMPARE(answerFilter(QStringLiteral("9024"), false, 30).consultationGroups(),
                 (QStringList{QStringLiteral("014"), QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("003"),
                              QStringLiteral("004"), QStringLiteral("999")}));
    }

    // ---- the symptom test input from an exported consultation ----

    void consultationFiles_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("reasonKey");
        QTest::newRow("exported") << "<diagnosis><version>4.9.6.10</version><mainsuit>9024</mainsuit><name>张三</name>"
                                     "<item>001-0-0</item><item>002-0-1</item></diagnosis>"
                                  << true << "9024:001-0-0,002-0-1" << "";
        QTest::newRow("complaint after items") << "<diagnosis><item>001-0-0</item><mainsuit>9024</mainsuit>"
                                                  "<item>002-0-1</item></diagnosis>"
                                               << true << "9024:002-0-1" << "";
        QTest::newRow("no items") << "<diagnosis><mainsuit>9024</mainsuit></diagnosis>" << true << "9024" << "";
        QTest::newRow("empty") << "<diagnosis/>" << true << "" << "";
        QTest::newRow("not XML") << "9024:001-0-0" << false << "unchanged" << "dg_not_xml";
        QTest::newRow("broken XML") << "<diagnosis><item>001-0-0</item>" << false << "unchanged" << "dg_not_xml";
        QTest::newRow("another root") << "<psif><mainsuit>9024</mainsuit></psif>" << false << "unchanged" << "dg_not_diagnosis";
        // A file no larger and no deeper than the limits is read; one element
        // more, or one byte more, and it is refused before it is parsed.
        const QString head = QStringLiteral("<diagnosis><mainsuit>9024</mainsuit>");
        const QString tail = QStringLiteral("</diagnosis>");
        const QString item = QStringLiteral("<item>001-0-0</item>");
        QString large = head;
        QStringList items;
        while (large.size() + item.size() + tail.size() <= maxConsultationFileBytes) {
            large += item;
            items << QStringLiteral("001-0-0");
        }
        large += QString(maxConsultationFileBytes - large.size() - tail.size(), QLatin1Char(' ')) + tail;
        QTest::newRow("at the size limit") << large << true << QStringLiteral("9024:") + items.join(QLatin1Char(',')) << "";
        QTest::newRow("over the size limit") << large + QLatin1Char(' ') << false << "unchanged" << "dg_toolarge";
        const auto nested = [&](int depth) {
            return head + QStringLiteral("<x>").repeated(depth - 1) + QStringLiteral("</x>").repeated(depth - 1) + tail;
        };
        QTest::newRow("at the depth limit") << nested(maxConsultationFileDepth) << true << "9024" << "";
        QTest::newRow("over the depth limit") << nested(maxConsultationFileDepth + 1) << false << "unchanged" << "dg_toodeep";
    }

    void consultationFiles()
    {
        QFETCH(QString, content);
        QFETCH(bool, read);
        QFETCH(QString, input);
        QFETCH(QString, reasonKey);
        const QString path = freshTestDir(QStringLiteral("dg")) + QStringLiteral("/case.dg");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content.toUtf8());
        f.close();
        QString text = QStringLiteral("unchanged");
        QString reason;
        QCOMPARE(readConsultationInput(path, &text, &reason), read);
        QCOMPARE(text, input);
        if (reasonKey == QLatin1String("dg_toolarge"))
            QCOMPARE(reason, QStringLiteral("文件 case.dg 大于 1024KB，未予读取，输入未改变"));
        else if (!reasonKey.isEmpty())
            QCOMPARE(reason, lookupPhrase(QStringLiteral("misc"), reasonKey).arg(QStringLiteral("case.dg")));
    }

    void missingConsultationFile()
    {
        QString text = QStringLiteral("unchanged"), reason;
        QVERIFY(!readConsultationInput(QStringLiteral("/no/such/file.dg"), &text, &reason));
        QCOMPARE(text, QStringLiteral("unchanged"));
        QVERIFY(reason.contains(QStringLiteral("file.dg")));
    }

    // ---- lcq ----

    void lcqCommands()
    {
        const QString dir = freshTestDir(QStringLiteral("lcq_diagnosis"));
        const QString archive = dir + QStringLiteral("/impl.zip");
        QList<testEntry> entries;
        for (const char *g : {"001", "002", "014", "888", "999"})
            entries.append({QStringLiteral("diagnosis/%1.xml").arg(QLatin1String(g)),
                            fixture(QStringLiteral("%1.xml").arg(QLatin1String(g)))});
        entries.append({QStringLiteral("diagnosis/map.xml"), fixture(QStringLiteral("map.xml"))});
        entries.append({QStringLiteral("diagnosis/diagnosis_data.xml"), fixture(QStringLiteral("diagnosis_data.xml"))});
        entries.append({QStringLiteral("diagnosis/contradiction.xml"), fixture(QStringLiteral("contradiction.xml"))});
        entries.append({QStringLiteral("data/namemap.xml"), fixture(QStringLiteral("namemap.xml"))});
        entries.append({QStringLiteral("script/scripts.xml"), fixture(QStringLiteral("scripts.xml"))});
        entries.append({QStringLiteral("script/acu_script.txt"),
                        encodeSystemCodePage(QString::fromUtf8(fixture(QStringLiteral("acu_script.txt"))))});
        QVERIFY(writeTestArchive(archive, entries));
        const auto lcq = [&archive](QStringList args, QString *out, QString *err = nullptr) {
            args.prepend(archive);
            args.prepend(QStringLiteral("--archive"));
            return runLcq(args, out, err);
        };
        QString out, err;

        QCOMPARE(lcq({QStringLiteral("stats")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("\nquestionGroups\t5\n")));
        QVERIFY(out.contains(QStringLiteral("\ncells\t1\n")));
        QVERIFY(out.contains(QStringLiteral("\ncomplaints\t10\n")));

        QCOMPARE(lcq({QStringLiteral("complaints")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("内科\t9024\t感冒\n内科\t9032\t头痛\n内科\t9500\t老年咳喘\n外科\t9134\t疮疡\n")));
        QCOMPARE(out.count(QLatin1Char('\n')), 10);

        QCOMPARE(lcq({QStringLiteral("questions"), QStringLiteral("9024")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("014-0-0\t主诉细节\t主诉\t感冒\n001-0-0\t寒热\t恶寒与发热\t恶寒重，发热轻 - 怕冷明显\n")));
        QVERIFY(!out.contains(QStringLiteral("014-0-1"))); // another complaint's answer
        QVERIFY(!out.contains(QStringLiteral("002-1-0"))); // for infants
        QVERIFY(!out.contains(QStringLiteral("002-2-0"))); // for women
        QVERIFY(!out.contains(QStringLiteral("888-")));
        QVERIFY(out.endsWith(QStringLiteral("999-0-1\t其他\t病程与病情\t病情较重\n")));
        QCOMPARE(lcq({QStringLiteral("questions"), QStringLiteral("--sex"), QStringLiteral("female"),
                      QStringLiteral("--age"), QStringLiteral("2"), QStringLiteral("9024")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("002-1-0\t头身\t婴儿表现\t哭闹不安\n")));
        QVERIFY(out.contains(QStringLiteral("002-2-0\t")));
        QCOMPARE(lcq({QStringLiteral("questions"), QStringLiteral("1234")}, &out, &err), 2);
        QCOMPARE(lcq({QStringLiteral("questions"), QStringLiteral("--sex"), QStringLiteral("x"), QStringLiteral("9024")}, &out, &err), 2);

        const QStringList cold = {QStringLiteral("001-0-0,001-1-0"), QStringLiteral("002-0-1"),
                                  QStringLiteral("002-0-3"), QStringLiteral("002-3-1")};
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("9024")} + cold, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("方剂名：麻黄汤\n")));
        QVERIFY(out.contains(QStringLiteral("苍耳子 - 6g\n")));
        QVERIFY(out.contains(QStringLiteral("辨证:风寒束表\n")));
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("--side"), QStringLiteral("acupuncture"),
                                 QStringLiteral("9024")} + cold, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("治法：祛风解表,疏风散寒\n")));
        QCOMPARE(lcq({QStringLiteral("diagnose"), QStringLiteral("9024"), QStringLiteral("001-0-0")}, &out), 1);
        QCOMPARE(out, phrase("insufficientinformation") + QLatin1Char('\n'));
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("9310")} + cold, &out), 3);
        QCOMPARE(out, phrase("contradication_patient_info") + QLatin1Char('\n'));
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("--age"), QStringLiteral("5"),
                                 QStringLiteral("9310")} + cold, &out), 0);
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("--sex"), QStringLiteral("female"),
                                 QStringLiteral("--state"), QStringLiteral("pregnant"), QStringLiteral("9024")} + cold, &out), 3);
        QCOMPARE(out, phrase("not_support_pregnancy") + QLatin1Char('\n'));
        QCOMPARE(lcq(QStringList{QStringLiteral("diagnose"), QStringLiteral("9134")} + cold, &out), 1);
        QCOMPARE(out, phrase("current_mainsuit_isnt_support") + QLatin1Char('\n'));
        QCOMPARE(lcq({QStringLiteral("diagnose"), QStringLiteral("9024"), QStringLiteral("001-0-x")}, &out, &err), 2);
        QCOMPARE(lcq({QStringLiteral("diagnose"), QStringLiteral("1234"), QStringLiteral("001-0-0")}, &out, &err), 2);
        QCOMPARE(lcq({QStringLiteral("diagnose")}, &out, &err), 2);

        QCOMPARE(lcq({QStringLiteral("group"), QStringLiteral("001")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("group\t001\t寒热\ncomment\t请根据患者近日的感觉回答\n"
                                              "question\t0\tsingle\t恶寒与发热\tcannot-tell\n"
                                              "answer\t001-0-0\t恶寒重，发热轻 - 怕冷明显\n")));
        QVERIFY(out.contains(QStringLiteral("answer\t001-1-1\t有汗\tchecked\n")));
        QCOMPARE(lcq({QStringLiteral("group"), QStringLiteral("888")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("answer\t888-0-3\t综合\tgroups=\n")));
        QCOMPARE(lcq({QStringLiteral("group"), QStringLiteral("777")}, &out, &err), 1);
    }
};

QTEST_GUILESS_MAIN(tst_diagnosis)
#include "tst_diagnosis.moc"
