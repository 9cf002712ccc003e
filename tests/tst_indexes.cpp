// The lookup indexes of the knowledge tables give the answers a walk of the
// table gives: the same first match, the same entries in the same order, on
// the shipped knowledge and on tables with repeated names; and they follow
// the tables when more is loaded after a first question.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "diagnosis/diagnosisnode.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/subsetindex.h"
#include "pairs/pairrules.h"
#include "text/codepage.h"

#include <QRandomGenerator>
#include <QtTest>

#include <functional>

namespace {

using names = QSet<QString>;

QVector<int> walk(int count, const std::function<bool(int)> &accepts)
{
    QVector<int> out;
    for (int i = 0; i < count; ++i) {
        if (accepts(i))
            out << i;
    }
    return out;
}

bool allIn(const QStringList &list, const names &set)
{
    for (const QString &n : list) {
        if (!set.contains(n))
            return false;
    }
    return true;
}

bool anyIn(const QStringList &list, const names &set)
{
    for (const QString &n : list) {
        if (set.contains(n))
            return true;
    }
    return false;
}

QStringList coreNames(const classicFormula &f)
{
    QStringList out;
    for (const auto *role : {&f.sovereign, &f.minister, &f.assistant})
        for (const formulaHerb &h : *role)
            out << h.name;
    return out;
}

QStringList allAlternatives(const herbGroupFunction &g)
{
    QStringList out;
    for (const QStringList &slot : g.slotList)
        out << slot;
    return out;
}

// Herb sets to put to the subset queries: every classic formula whole, every
// two neighbouring formulas together, and random handfuls of known herbs.
QList<names> herbSets()
{
    QList<names> sets;
    const QList<classicFormula> &table = classicFormulaTable();
    for (int i = 0; i < table.size(); ++i) {
        names s;
        for (const auto *role : {&table.at(i).sovereign, &table.at(i).minister, &table.at(i).assistant,
                                 &table.at(i).envoy})
            for (const formulaHerb &h : *role)
                s.insert(h.name);
        sets << s;
        if (i > 0)
            sets << (s | sets.at(sets.size() - 2));
    }
    QRandomGenerator random(18);
    const QList<herbRecord> &herbs = herbTable();
    for (int k = 0; k < 200; ++k) {
        names s;
        const int size = 1 + int(random.bounded(20));
        for (int j = 0; j < size; ++j)
            s.insert(herbs.at(int(random.bounded(qsizetype(herbs.size())))).name);
        sets << s;
    }
    sets << names() << names{QStringLiteral("无名草")};
    return sets;
}

QString scriptText(const QList<acuScriptBlock> &blocks)
{
    QString text;
    for (const acuScriptBlock &b : blocks) {
        text += b.mainsuit + QLatin1Char('|') + b.method + QLatin1Char('|') + b.acus;
        for (const acuScriptCase &c : b.cases)
            text += QLatin1Char('|') + c.id + QLatin1Char('/') + c.how;
        text += QLatin1Char('\n');
    }
    return text;
}

// The answer as a walk finds it: the first group of the id before the dash,
// then the first item of that id in it.
const questionItem *walkAnswer(const QString &answerId, const questionList **question)
{
    const qsizetype dash = answerId.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return nullptr;
    for (const questionGroup *g : diagnosisNode::instance().groups()) {
        if (g->id == answerId.left(dash))
            return g->findItem(answerId, question);
    }
    return nullptr;
}

bool readGroup(QIODevice *d) { return diagnosisNode::instance().readGroupFile(d); }
bool readMap(QIODevice *d) { return diagnosisNode::instance().readMapFile(d); }

QString group(const QString &id, const QStringList &itemIds, const QString &title)
{
    QString xml = QStringLiteral("<group id=\"%1\"><list><tag>%2</tag>").arg(id, title);
    for (const QString &item : itemIds)
        xml += QStringLiteral("<item><id>%1</id><name>%2</name></item>").arg(item, title);
    return xml + QStringLiteral("</list></group>");
}

} // namespace

class tst_indexes : public QObject
{
    Q_OBJECT
private slots:
    // ------------------------------------------------------- subsetIndex

    void subsetQueries_data()
    {
        QTest::addColumn<QList<QStringList>>("entries");
        QTest::addColumn<QStringList>("query");
        QTest::addColumn<QVector<int>>("within");
        QTest::addColumn<QVector<int>>("touching");
        const QList<QStringList> e{{"a", "b"}, {"b"}, {}, {"a", "a"}, {"c", "a", "b"}, {"b", "a"}};
        QTest::newRow("two of three") << e << QStringList{"a", "b"} << QVector<int>{0, 1, 2, 3, 5}
                                      << QVector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("all") << e << QStringList{"c", "b", "a"} << QVector<int>{0, 1, 2, 3, 4, 5}
                             << QVector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("repeat counts once") << e << QStringList{"a"} << QVector<int>{2, 3}
                                            << QVector<int>{0, 2, 3, 4, 5};
        QTest::newRow("one of a pair") << e << QStringList{"b"} << QVector<int>{1, 2} << QVector<int>{0, 1, 2, 4, 5};
        QTest::newRow("none known") << e << QStringList{"x"} << QVector<int>{2} << QVector<int>{2};
        QTest::newRow("empty query") << e << QStringList() << QVector<int>{2} << QVector<int>{2};
        QTest::newRow("exact names") << QList<QStringList>{{"a "}, {"A"}} << QStringList{"a"} << QVector<int>()
                                     << QVector<int>();
        QTest::newRow("no entries") << QList<QStringList>() << QStringList{"a"} << QVector<int>() << QVector<int>();
    }

    void subsetQueries()
    {
        QFETCH(QList<QStringList>, entries);
        QFETCH(QStringList, query);
        QFETCH(QVector<int>, within);
        QFETCH(QVector<int>, touching);
        subsetIndex index;
        QVERIFY(!index.isBuilt());
        index.build(entries);
        QVERIFY(index.isBuilt());
        QCOMPARE(index.entryCount(), entries.size());
        const names set(query.begin(), query.end());
        QCOMPARE(index.within(set), within);
        QCOMPARE(index.touching(set), touching);
    }

    void subsetIndexAgreesWithWalk()
    {
        QRandomGenerator random(7);
        const QStringList alphabet{"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛"};
        for (int round = 0; round < 50; ++round) {
            QList<QStringList> entries;
            for (int i = 0, n = int(random.bounded(30)); i < n; ++i) {
                QStringList entry;
                for (int j = 0, m = int(random.bounded(5)); j < m; ++j)
                    entry << alphabet.at(int(random.bounded(qsizetype(alphabet.size()))));
                entries << entry;
            }
            subsetIndex index;
            index.build(entries);
            for (int q = 0; q < 20; ++q) {
                names set;
                for (int j = 0, m = int(random.bounded(6)); j < m; ++j)
                    set.insert(alphabet.at(int(random.bounded(qsizetype(alphabet.size())))));
                const int count = int(entries.size());
                QCOMPARE(index.within(set), walk(count, [&](int i) { return allIn(entries.at(i), set); }));
                QCOMPARE(index.touching(set), walk(count, [&](int i) {
                             return entries.at(i).isEmpty() || anyIn(entries.at(i), set);
                         }));
            }
        }
    }

    void subsetIndexRebuilds()
    {
        subsetIndex index;
        index.build({{"a"}, {"b"}});
        index.clear();
        QVERIFY(!index.isBuilt());
        QCOMPARE(index.within({QStringLiteral("a")}), QVector<int>());
        index.build({{"b"}, {"a"}});
        QCOMPARE(index.within({QStringLiteral("a")}), QVector<int>{1}); // nothing of the old entries is left
    }

    // ------------------------------------------------- shipped knowledge

    void shippedSubsetQueries()
    {
        clearKnowledgeTables();
        QVERIFY(loadStartupKnowledge());
        const QList<classicFormula> &classic = classicFormulaTable();
        const QVector<pairRule> &pairs = pairTable();
        const QList<superPair> &supers = superPairTable();
        const QList<commonPair> &commons = commonPairTable();
        const QList<herbGroupFunction> &groups = herbGroupTable();
        QVERIFY(classic.size() > 100 && pairs.size() > 100 && !supers.isEmpty() && !commons.isEmpty()
                && !groups.isEmpty());
        int matched = 0;
        for (const names &set : herbSets()) {
            const QVector<int> c = classicFormulasWithin(set);
            QCOMPARE(c, walk(int(classic.size()), [&](int i) { return allIn(coreNames(classic.at(i)), set); }));
            matched += int(c.size());
            QCOMPARE(pairsWithin(set), walk(int(pairs.size()), [&](int i) {
                         const pairRule &r = pairs.at(i);
                         return r.herbCount() != 2
                             || (set.contains(r.herbAt(0).name) && set.contains(r.herbAt(1).name));
                     }));
            QCOMPARE(superPairsWithin(set),
                     walk(int(supers.size()), [&](int i) { return allIn(supers.at(i).names, set); }));
            QCOMPARE(commonPairsWithin(set), walk(int(commons.size()), [&](int i) {
                         return allIn(QStringList(commons.at(i).herbs.begin(), commons.at(i).herbs.end()), set);
                     }));
            QCOMPARE(herbGroupsTouching(set), walk(int(groups.size()), [&](int i) {
                         const QStringList all = allAlternatives(groups.at(i));
                         return all.isEmpty() || anyIn(all, set);
                     }));
        }
        QVERIFY(matched > classic.size()); // every formula finds at least itself
    }

    void shippedHerbLookups()
    {
        clearKnowledgeTables();
        QVERIFY(loadStartupKnowledge());
        const QList<herbRecord> &herbs = herbTable();
        QStringList ids{QStringLiteral("x"), QString()}, herbNames{QStringLiteral("无名草"), QString()};
        for (const herbRecord &r : herbs) {
            ids << r.id;
            herbNames << r.name << r.alias;
        }
        for (const QString &id : std::as_const(ids)) {
            QString first;
            for (const herbRecord &r : herbs) {
                if (r.id == id) {
                    first = r.name;
                    break;
                }
            }
            QCOMPARE(herbNameById(id), first);
        }
        for (const QString &name : std::as_const(herbNames)) {
            const herbRecord *first = nullptr;
            for (const herbRecord &r : herbs) {
                if (r.name == name) {
                    first = &r;
                    break;
                }
            }
            QCOMPARE(herbRecordNamed(name), first);
        }
        const QList<doseRangeEntry> &doses = doseRangeTable();
        QVERIFY(!doses.isEmpty());
        for (const QString &name : std::as_const(herbNames)) {
            const doseRangeEntry *first = nullptr;
            for (const doseRangeEntry &d : doses) {
                if (d.name == name) {
                    first = &d;
                    break;
                }
            }
            double lower = -1, upper = -1;
            QCOMPARE(doseRange(name, &lower, &upper), first != nullptr);
            if (first) {
                QCOMPARE(lower, first->lower);
                QCOMPARE(upper, first->upper);
            }
        }
        const QList<decoctionMethodEntry> &methods = decoctionMethodTable();
        QVERIFY(!methods.isEmpty());
        QStringList forms{QStringLiteral("decoction"), QStringLiteral("pill"), QStringLiteral("external")};
        for (const decoctionMethodEntry &m : methods)
            forms << m.method;
        forms.removeDuplicates();
        for (const QString &form : std::as_const(forms)) {
            for (const QString &name : std::as_const(herbNames)) {
                QString first;
                for (const decoctionMethodEntry &m : methods) {
                    if (m.method == form && m.name == name) {
                        first = m.note;
                        break;
                    }
                }
                QCOMPARE(decoctionNote(name, form), first);
            }
        }
    }

    void shippedDiagnosisLookups()
    {
        clearKnowledgeTables();
        QVERIFY(loadStartupKnowledge());
        const diagnosisNode &node = diagnosisNode::instance();
        QVERIFY(node.groupCount() > 10);
        QStringList answerIds{QStringLiteral("-0-0"), QStringLiteral("001"), QStringLiteral("999-9-9")};
        for (const questionGroup *g : node.groups()) {
            const questionGroup *first = nullptr;
            for (const questionGroup *h : node.groups()) {
                if (h->id == g->id) {
                    first = h;
                    break;
                }
            }
            QCOMPARE(node.group(g->id), first);
            for (const questionList &list : g->lists)
                for (const questionItem &item : list.items)
                    answerIds << item.id << item.id + QLatin1Char('x');
        }
        QCOMPARE(node.group(QStringLiteral("nothing")), nullptr);
        for (const QString &id : std::as_const(answerIds)) {
            const questionList *walked = nullptr, *indexed = nullptr;
            const questionItem *item = walkAnswer(id, &walked);
            QCOMPARE(node.findAnswer(id, &indexed), item);
            QCOMPARE(indexed, walked);
            QCOMPARE(node.findAnswer(id), item);
        }

        const QList<diagnosisCell> &cells = node.rules().cellList;
        QStringList complaints{QString(), QStringLiteral("0000")};
        for (const diagnosisCell &cell : cells)
            complaints << cell.mainsuit;
        complaints.removeDuplicates();
        QVERIFY(complaints.size() > 3);
        for (const QString &complaint : std::as_const(complaints)) {
            QCOMPARE(node.cellsForComplaint(complaint), walk(int(cells.size()), [&](int i) {
                         return cells.at(i).mainsuit.isEmpty() || cells.at(i).mainsuit == complaint;
                     }));
        }

        const QList<acuScriptBlock> &blocks = acuScriptTable();
        QVERIFY(!blocks.isEmpty());
        QStringList suits{QStringLiteral("0000"), QString()};
        for (const acuScriptBlock &b : blocks)
            suits << b.mainsuit;
        for (const QString &suit : std::as_const(suits)) {
            QList<acuScriptBlock> walked;
            for (const acuScriptBlock &b : blocks) {
                if (b.mainsuit == suit)
                    walked << b;
            }
            QCOMPARE(scriptText(findAcuScripts(suit)), scriptText(walked));
        }
    }

    // ------------------------------------------- repeated names, reloads

    void repeatedHerbsFirstWins()
    {
        clearKnowledgeTables();
        for (const char *xml : {"<data><id>0001</id><name>甲草</name></data>",
                                "<data><id>0002</id><name>甲草</name><alias><tag>乙草</tag></alias></data>",
                                "<data><id>0001</id><name>丙草</name></data>"})
            QVERIFY(feed(loadHerbRecord, QString::fromUtf8(xml)));
        QCOMPARE(herbNameById(QStringLiteral("0001")), QStringLiteral("甲草"));
        QCOMPARE(herbNameById(QStringLiteral("0002")), QStringLiteral("甲草"));
        QCOMPARE(herbRecordNamed(QStringLiteral("甲草")), &herbTable().at(0));
        QCOMPARE(herbRecordNamed(QStringLiteral("丙草")), &herbTable().at(2));
        QCOMPARE(herbRecordNamed(QStringLiteral("乙草")), nullptr); // an alias is no record name
        // A record loaded after the first questions is found too.
        QVERIFY(feed(loadHerbRecord, QStringLiteral("<data><id>0003</id><name>丁草</name></data>")));
        QCOMPARE(herbNameById(QStringLiteral("0003")), QStringLiteral("丁草"));
        QCOMPARE(herbRecordNamed(QStringLiteral("丁草")), &herbTable().at(3));
    }

    void repeatedGroupsFirstWins()
    {
        clearKnowledgeTables();
        diagnosisNode &node = diagnosisNode::instance();
        QVERIFY(feed(readGroup, group(QStringLiteral("005"), {"005-0-0", "006-0-0", "005-0-0"}, QStringLiteral("first"))));
        QVERIFY(feed(readGroup, group(QStringLiteral("005"), {"005-0-0", "005-0-1"}, QStringLiteral("second"))));
        const questionList *question = nullptr;
        const questionItem *item = node.findAnswer(QStringLiteral("005-0-0"), &question);
        QVERIFY(item);
        QCOMPARE(question->title, QStringLiteral("first"));
        QCOMPARE(item, &node.groups().at(0)->lists.at(0).items.at(0));
        // Only the first group of an id is asked, as a walk would ask it.
        QCOMPARE(node.findAnswer(QStringLiteral("005-0-1")), nullptr);
        // An answer is looked for in the group its id names, not where it is written.
        QCOMPARE(node.findAnswer(QStringLiteral("006-0-0")), nullptr);
        QCOMPARE(node.group(QStringLiteral("005")), node.groups().at(0));
        QCOMPARE(node.group(QStringLiteral("006")), nullptr);

        // A group read after the first questions is found.
        QVERIFY(feed(readGroup, group(QStringLiteral("006"), {"006-0-0"}, QStringLiteral("third"))));
        QCOMPARE(node.group(QStringLiteral("006")), node.groups().at(2));
        QVERIFY(node.findAnswer(QStringLiteral("006-0-0"), &question));
        QCOMPARE(question->title, QStringLiteral("third"));
    }

    void cellsFollowTheRules()
    {
        clearKnowledgeTables();
        diagnosisNode &node = diagnosisNode::instance();
        QVERIFY(feed(readMap, QStringLiteral("<map><cell id=\"0101\"/><cell id=\"0102\" mainsuit=\"9001\"/>"
                                             "<cell id=\"0103\" mainsuit=\"9002\"/><cell id=\"0104\"/></map>")));
        QCOMPARE(node.cellsForComplaint(QStringLiteral("9001")), (QVector<int>{0, 1, 3}));
        QCOMPARE(node.cellsForComplaint(QStringLiteral("9003")), (QVector<int>{0, 3}));
        QCOMPARE(node.cellsForComplaint(QString()), (QVector<int>{0, 3}));
        QVERIFY(feed(readMap, QStringLiteral("<map><cell id=\"0105\" mainsuit=\"9001\"/></map>")));
        QCOMPARE(node.cellsForComplaint(QStringLiteral("9001")), (QVector<int>{0, 1, 3, 4}));
    }

    void repeatedScriptsKeepTheirOrder()
    {
        clearKnowledgeTables();
        const QString script = QStringLiteral(
            "-----\r\nmainsuit:9010(腰痛)\r\nmethod:one\r\nacus:委中\r\n"
            "-----\r\nmainsuit:9024\r\nmethod:other\r\n"
            "-----\r\nmainsuit:9010\r\nmethod:two\r\n-----\r\n");
        QVERIFY(feedBytes(loadAcuScript, encodeSystemCodePage(script)));
        QList<acuScriptBlock> found = findAcuScripts(QStringLiteral("9010"));
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.at(0).method, QStringLiteral("one"));
        QCOMPARE(found.at(1).method, QStringLiteral("two"));
        QVERIFY(feedBytes(loadAcuScript,
                          encodeSystemCodePage(QStringLiteral("-----\r\nmainsuit:9010\r\nmethod:three\r\n-----\r\n"))));
        found = findAcuScripts(QStringLiteral("9010"));
        QCOMPARE(found.size(), 3);
        QCOMPARE(found.at(2).method, QStringLiteral("three"));
    }

    void formulasFollowTheirTable()
    {
        clearKnowledgeTables();
        const auto formula = [](const char *name, const char *sovereign) {
            return QStringLiteral("<table><script name=\"%1\" type=\"decoction\"><j doze=\"9g\">%2</j></script></table>")
                .arg(QString::fromUtf8(name), QString::fromUtf8(sovereign));
        };
        QVERIFY(feed(loadClassicFormulas, formula("甲方", "甲草")));
        const names set{QStringLiteral("甲草"), QStringLiteral("乙草")};
        QCOMPARE(classicFormulasWithin(set).size(), 1);
        QVERIFY(feed(loadClassicFormulas, formula("乙方", "乙草")));
        QCOMPARE(classicFormulasWithin(set).size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_indexes)
#include "tst_indexes.moc"
