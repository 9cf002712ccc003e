// The rules of prescription analysis, each on a small knowledge base made for
// it: formulas, common groups, super pairs, pairs, function groups and
// single-herb units of herbs named 甲, 乙, 丙, 丁, 戊.

#include "testsupport.h"

#include "analysis/analysisreport.h"
#include "analysis/prescriptionanalysis.h"
#include "formulas/formulalibrary.h"
#include "knowledge/knowledgearchive.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QtTest>

namespace {

// A classic formula: core herbs as "j", "c", "z" lists, and texts.
QString formulaXml(const QString &name, const QStringList &sovereign, const QStringList &minister,
                   const QString &functions, const QString &targets = QStringLiteral("方治"))
{
    QString xml = QStringLiteral("<script name=\"%1\" from=\"书\" type=\"decoction\">").arg(name);
    for (const QString &h : sovereign)
        xml += QStringLiteral("<j doze=\"9g\">%1</j>").arg(h);
    for (const QString &h : minister)
        xml += QStringLiteral("<c doze=\"6g\">%1</c>").arg(h);
    return xml + QStringLiteral("<f>%1</f><t>%2</t><tb>方忌</tb></script>").arg(functions, targets);
}

QString pairXml(const QString &a, const QString &b, const QStringList &functions, const QStringList &targets)
{
    QString xml = QStringLiteral("<item><name>%1-%2</name>").arg(a, b);
    for (const QString &f : functions)
        xml += QStringLiteral("<function>%1</function>").arg(f);
    for (const QString &t : targets)
        xml += QStringLiteral("<target>%1</target>").arg(t);
    xml += QStringLiteral("<herb><tag>%1</tag><min>3</min><max>9</max><method></method></herb>"
                          "<herb><tag>%2</tag><min>3</min><max>9</max><method></method></herb>"
                          "<miss>false</miss><external>false</external></item>").arg(a, b);
    return xml;
}

void loadFormulas(const QString &scripts)
{
    feed(loadClassicFormulas, QStringLiteral("<list>") + scripts + QStringLiteral("</list>"));
}

void loadUnits(const QString &items)
{
    feed(loadHerbUnits, QStringLiteral("<data>") + items + QStringLiteral("</data>"));
}

QString unitXml(const QString &herb, const QString &functions, const QString &targets = QStringLiteral("单治"))
{
    return QStringLiteral("<item name=\"%1\" function=\"%2\" target=\"%3\"/>").arg(herb, functions, targets);
}

QList<prescriptionEntry> herbs(const QStringList &names, double dose = 9)
{
    QList<prescriptionEntry> entries;
    for (const QString &n : names)
        entries.append({dose, n});
    return entries;
}

} // namespace

class tst_analysisrules : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    // A common group that is the whole prescription, with a herb left
    // unexplained, replaces what the formulas said; a smaller group adds to it.
    void commonGroups_data()
    {
        QTest::addColumn<QStringList>("prescription");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("functions");
        QTest::addColumn<QStringList>("targets");
        QTest::newRow("whole prescription") << QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}
                                            << QStringLiteral("甲,乙,丙") << QStringList{QStringLiteral("组功")}
                                            << QStringList{QStringLiteral("组治")};
        QTest::newRow("part of it") << QStringList{QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")}
                                    << QStringLiteral("丙,丁") << QStringList{QStringLiteral("方功"), QStringLiteral("组功")}
                                    << QStringList{QStringLiteral("方治"), QStringLiteral("组治")};
    }

    void commonGroups()
    {
        QFETCH(QStringList, prescription);
        QFETCH(QString, group);
        QFETCH(QStringList, functions);
        QFETCH(QStringList, targets);
        loadFormulas(formulaXml(QStringLiteral("甲乙方"), {QStringLiteral("甲")}, {QStringLiteral("乙")}, QStringLiteral("方功")));
        feed(loadCommonPairs, QStringLiteral("<data><item list=\"%1\" function=\"组功\" target=\"组治\"/></data>").arg(group));
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), herbs(prescription));
        QVERIFY(a.analyse());
        QCOMPARE(a.matchedFormulas(), QList<int>{0});
        QCOMPARE(a.resultFunctions(), functions);
        QCOMPARE(a.resultTargets(), targets);
        QCOMPARE(a.resultTaboos(), QStringList{QStringLiteral("方忌")});
    }

    // A super pair whose unit holds the whole core of a matched formula takes
    // its place; a formula whose core holds the unit covers it.
    void superPairAndFormula_data()
    {
        QTest::addColumn<QStringList>("core");
        QTest::addColumn<bool>("absorbed");
        QTest::newRow("unit holds the core") << QStringList{QStringLiteral("丙")} << true;
        QTest::newRow("core holds the unit") << QStringList{QStringLiteral("丙"), QStringLiteral("丁"), QStringLiteral("戊")} << false;
    }

    void superPairAndFormula()
    {
        QFETCH(QStringList, core);
        QFETCH(bool, absorbed);
        loadFormulas(formulaXml(QStringLiteral("丙方"), {core.first()}, core.mid(1), QStringLiteral("丙方功")));
        feed(loadSuperPairs, QStringLiteral("<list><item name=\"甲,乙\"><unit data=\"丙,丁\" min=\"2\" desc=\"甲乙证-丙丁治\"/></item></list>"));
        feed(loadPairTable, QStringLiteral("<data><list>") + pairXml(QStringLiteral("甲"), QStringLiteral("乙"), {QStringLiteral("对功")},
                                                                     {QStringLiteral("对治")}) + QStringLiteral("</list></data>"));
        QCOMPARE(pairTable().size(), 1);
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), herbs({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"),
                                                       QStringLiteral("丁"), QStringLiteral("戊")}));
        QVERIFY(a.analyse());
        if (absorbed) {
            QVERIFY(a.matchedFormulas().isEmpty());
            QCOMPARE(a.resultFunctions(), QStringList{QStringLiteral("对功")});
            QCOMPARE(a.resultTargets(), QStringList{QStringLiteral("甲乙证(丙丁治)")});
            QVERIFY(a.pairResults().isEmpty()); // the pair was taken up by the super pair
            QCOMPARE(a.usageOf(QStringLiteral("丙")), 1);
        } else {
            QCOMPARE(a.matchedFormulas(), QList<int>{0});
            QCOMPARE(a.resultFunctions(), QStringList{QStringLiteral("丙方功")});
            QCOMPARE(a.resultTargets(), QStringList{QStringLiteral("方治")});
            QCOMPARE(a.pairResults().size(), 1); // the pair stands on its own
        }
    }

    // Functions that make up a group of the code dictionary are named by it.
    void functionFolding_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("functions");
        QTest::newRow("whole group") << QStringLiteral("功二") << QStringList{QStringLiteral("功三"), QStringLiteral("合功")};
        QTest::newRow("part of it") << QStringLiteral("功四")
                                    << QStringList{QStringLiteral("功一"), QStringLiteral("功三"), QStringLiteral("功四")};
    }

    void functionFolding()
    {
        QFETCH(QString, second);
        QFETCH(QStringList, functions);
        feed(loadCodeDictionary, QStringLiteral("<list><grou id=\"合功\">功一,功二</grou></list>"));
        loadUnits(unitXml(QStringLiteral("甲"), QStringLiteral("功一,功三")) + unitXml(QStringLiteral("乙"), second));
        const analysisReport r = analysePrescription(QStringLiteral("decoction"), herbs({QStringLiteral("甲"), QStringLiteral("乙")}));
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.functions, functions);
        QVERIFY(r.report.startsWith(QStringLiteral("功效：") + functions.join(QLatin1Char(',')) + QLatin1Char('\n')));
    }

    // Six or more functions after folding: the prescription cannot be read.
    void unknownFromSixFunctions_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("known");
        QTest::newRow("5") << QStringLiteral("功四,功五") << true;
        QTest::newRow("6") << QStringLiteral("功四,功五,功六") << false;
    }

    void unknownFromSixFunctions()
    {
        QFETCH(QString, second);
        QFETCH(bool, known);
        loadUnits(unitXml(QStringLiteral("甲"), QStringLiteral("功一,功二,功三")) + unitXml(QStringLiteral("乙"), second));
        const analysisReport r = analysePrescription(QStringLiteral("decoction"), herbs({QStringLiteral("甲"), QStringLiteral("乙")}));
        QCOMPARE(r.ok, known);
        QCOMPARE(r.message, known ? QString() : lookupPhrase(QStringLiteral("script"), QStringLiteral("unknown_script")));
    }

    // Without a sovereign the largest dose leads; of equal doses the first
    // name (in code order) does.
    void sovereignFallbackTie()
    {
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), {{9, QStringLiteral("甲")}, {6, QStringLiteral("丙")}, {9, QStringLiteral("乙")}});
        QVERIFY(a.analyse());
        QCOMPARE(a.explanationText(), QStringLiteral("乙 --- . 归经 君\n丙 --- . 归经 臣\n甲 --- . 归经 臣"));
    }

    // The same envoy missing from two formulas is noted once.
    void missingEnvoyNotedOnce()
    {
        loadFormulas(formulaXml(QStringLiteral("一方"), {QStringLiteral("甲")}, {QStringLiteral("乙")}, QStringLiteral("一功"))
                         .replace(QStringLiteral("<f>"), QStringLiteral("<s doze=\"3g\">戊</s><f>"))
                     + formulaXml(QStringLiteral("二方"), {QStringLiteral("丙")}, {QStringLiteral("丁")}, QStringLiteral("二功"))
                           .replace(QStringLiteral("<f>"), QStringLiteral("<s doze=\"3g\">戊</s><f>")));
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), herbs({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙"), QStringLiteral("丁")}));
        QVERIFY(a.analyse());
        QCOMPARE(a.matchedFormulas().size(), 2);
        QCOMPARE(a.missingEnvoys(), QStringList{QStringLiteral("戊")});
        QCOMPARE(a.notesText(), QStringLiteral("若能增加戊则更合药理\n"));
    }
};

QTEST_GUILESS_MAIN(tst_analysisrules)
#include "tst_analysisrules.moc"
