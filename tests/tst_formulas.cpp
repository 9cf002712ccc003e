// Classic and diagnosis formula tables, herb groups and units, flow files.

#include "testsupport.h"

#include "knowledge/knowledgearchive.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"

#include <QBuffer>
#include <QtTest>

namespace {
QStringList names(const QList<formulaHerb> &herbs)
{
    QStringList out;
    for (const formulaHerb &h : herbs)
        out << QStringLiteral("%1 %2%3").arg(h.name).arg(h.dose).arg(h.method.isEmpty() ? QString() : QLatin1Char(' ') + h.method);
    return out;
}

QStringList herbNames(const QList<herbLine> &lines)
{
    QStringList out;
    for (const herbLine &l : lines)
        out << l.name;
    return out;
}
} // namespace

class tst_formulas : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearKnowledgeTables(); }

    void doseParsing_data()
    {
        QTest::addColumn<QString>("doze");
        QTest::addColumn<double>("grams");
        QTest::newRow("grams") << QStringLiteral("6g") << 6.0;
        QTest::newRow("two digits") << QStringLiteral("10g") << 10.0;
        QTest::newRow("chinese unit") << QStringLiteral("6克") << 6.0;
        QTest::newRow("no unit") << QStringLiteral("15") << 15.0;
        QTest::newRow("decimal") << QStringLiteral("4.5g") << 4.5;
        QTest::newRow("sub-gram") << QStringLiteral("0.042g") << 0.042;
        QTest::newRow("text") << QStringLiteral("适量") << 0.0;
        QTest::newRow("negative") << QStringLiteral("-3g") << 0.0;
        QTest::newRow("one character") << QStringLiteral("g") << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
    }

    void doseParsing()
    {
        QFETCH(QString, doze);
        QFETCH(double, grams);
        QCOMPARE(parseFormulaDose(doze), grams);
    }

    void classicFormulaReading()
    {
        feed(loadHerbRecord, QStringLiteral("<data><id>0001</id><name>甘草</name><alias><tag>炙甘草</tag></alias></data>"));
        QVERIFY(feed(loadClassicFormulas, QStringLiteral(
            "<list>"
            "<script name=\"小方\" from=\"书甲\" type=\"pill\"><j doze=\"6g\">甘草,大枣</j><c doze=\"3g\">a,b</c><c doze=\"2g\" method=\"炒\">c</c>"
            "<z doze=\"1g\">d</z><s doze=\"1g\">e,f,g,h,i,j,k,l,m</s><f>功</f><t>主</t><tb>忌</tb><type>类</type><review>x</review></script>"
            "<script name=\"大方\" from=\"书乙\" type=\"decoction\"><j doze=\"9g\">a,b</j><c doze=\"9g\">c,d,e,x</c><z doze=\"6g\">炙甘草</z>"
            "<s doze=\"3g\">f,g,h,i,j</s></script>"
            "<script name=\"空方\"/>"
            "</list>")));
        const auto &table = classicFormulaTable();
        QCOMPARE(table.size(), 3);
        // 2+4+1 = 7 herbs in the core sort before 2+3+1 = 6, whatever the envoys.
        QCOMPARE(table.at(0).name, QStringLiteral("大方"));
        QCOMPARE(table.at(1).name, QStringLiteral("小方"));
        QCOMPARE(table.at(2).coreSize(), 0);
        const classicFormula &small = table.at(1);
        QCOMPARE(names(small.sovereign), (QStringList{QStringLiteral("甘草 6"), QStringLiteral("大枣 6")}));
        QCOMPARE(names(small.minister), (QStringList{QStringLiteral("a 3"), QStringLiteral("b 3"), QStringLiteral("c 2 炒")}));
        QCOMPARE(small.form, QStringLiteral("pill"));
        QCOMPARE(small.category, QStringLiteral("类"));
        QCOMPARE(small.cautions, QStringLiteral("忌"));
        QCOMPARE(table.at(0).assistant.first().name, QStringLiteral("甘草")); // an alias is stored canonically
        QCOMPARE(findClassicFormula(QStringLiteral("小方")), &table.at(1));
        QVERIFY(!findClassicFormula(QStringLiteral("无")));
        QVERIFY(!feed(loadClassicFormulas, QStringLiteral("<list>")));
    }

    void diagnosisFormulaExpansion()
    {
        QVERIFY(feed(loadDiagnosisFormulas, QStringLiteral(
            "<list>"
            "<script for=\"0670,0680\" symptom=\"9134\" comment=\"津液不足\" from=\"书\" arugment=\"a||b\">"
            "<table name=\"增液汤\" method=\"汤剂\"><item name=\"玄参,麦冬\" doze=\"10g\"/><plus name=\"生地黄\" doze=\"15g\" method=\"先煎\"/></table>"
            "<scene constraint=\"011-6-1|seri\"><plus name=\"大黄\" doze=\"6g\"/><minus name=\"麦冬\"/></scene>"
            "<scene constraint=\"x1,x2\"><plus name=\"玄参\" doze=\"5g\"/><minus name=\"玄参\"/></scene>"
            "<scene constraint=\"seri\"/><taboo>忌一</taboo><taboo>忌二</taboo><usage>服</usage><other/></script>"
            "<script for=\"0700\" symptom=\"9134,9200\" miss=\"true\"><table name=\"隐方\"/></script>"
            "</list>")));
        const auto &table = diagnosisFormulaTable();
        QCOMPARE(table.size(), 4); // 2 patterns x 1 symptom, then 1 x 2 (kept though missed)
        QCOMPARE(table.at(0).pattern, QStringLiteral("0670"));
        QCOMPARE(table.at(1).pattern, QStringLiteral("0680"));
        QCOMPARE(table.at(0).arguments, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(table.at(0).taboo, QStringLiteral("忌二"));
        QCOMPARE(table.at(0).scenes.size(), 4);
        QCOMPARE(table.at(0).scenes.at(0).conditions, QStringList{QStringLiteral("011-6-1")});
        QCOMPARE(table.at(0).scenes.at(1).conditions, QStringList{QStringLiteral("seri")});
        QCOMPARE(table.at(0).scenes.at(2).conditions, (QStringList{QStringLiteral("x1"), QStringLiteral("x2")}));
        QCOMPARE(table.at(0).scenes.at(3).conditions, QStringList{QStringLiteral("seri")});
        QCOMPARE(symptomIndex().value(QStringLiteral("9134")),
                 (QStringList{QStringLiteral("0670"), QStringLiteral("0680"), QStringLiteral("0700")}));
        QCOMPARE(patternsForSymptom(QStringLiteral("9200")), QStringList{QStringLiteral("0700")});
        QCOMPARE(patternsForSymptom(QStringLiteral("9999")), QStringList());

        const QList<formulaProposal> all = formulasForSymptom(QStringLiteral("9134"));
        QCOMPARE(all.size(), 10); // two records, each base + 4 scenes; the missed one never
        QCOMPARE(herbNames(all.at(0).herbs), (QStringList{QStringLiteral("玄参"), QStringLiteral("麦冬"), QStringLiteral("生地黄")}));
        QVERIFY(all.at(0).conditions.contains(QStringLiteral("9134")));
        QVERIFY(all.at(0).conditions.contains(QStringLiteral("a")));
        QCOMPARE(herbNames(all.at(1).herbs), (QStringList{QStringLiteral("玄参"), QStringLiteral("生地黄"), QStringLiteral("大黄")}));
        // minus removes the first line of that name only
        QCOMPARE(herbNames(all.at(3).herbs), (QStringList{QStringLiteral("麦冬"), QStringLiteral("生地黄"), QStringLiteral("玄参")}));
        QVERIFY(formulasForSymptom(QStringLiteral("9200")).isEmpty());

        const QList<formulaProposal> one = formulasForSymptomAndPattern(QStringLiteral("9134"), QStringLiteral("0680"));
        QCOMPARE(one.size(), 5);
        QCOMPARE(formulasForSymptomAndPattern(QStringLiteral("9134"), QStringLiteral("b")).size(), 10); // an argument counts
        QVERIFY(formulasForSymptomAndPattern(QStringLiteral("9134"), QStringLiteral("0700")).isEmpty());
    }

    void groupsAndUnits()
    {
        feed(loadHerbRecord, QStringLiteral("<data><id>0001</id><name>黄芪</name><alias><tag>北芪</tag></alias></data>"));
        QVERIFY(feed(loadHerbGroupFunctions, QStringLiteral(
            "<list><item lists=\"北芪|党参,当归\" have=\"1\" level=\"z\">补气生血</item><item lists=\"a\">x</item></list>")));
        QCOMPARE(herbGroupTable().size(), 2);
        QCOMPARE(herbGroupTable().at(0).slotList.first(), (QStringList{QStringLiteral("黄芪"), QStringLiteral("党参")}));
        QCOMPARE(herbGroupTable().at(0).have, 1);
        QCOMPARE(herbGroupTable().at(1).level, QStringLiteral("c"));
        QCOMPARE(herbGroupTable().at(1).min, 0);
        QVERIFY(feed(loadHerbUnits, QStringLiteral(
            "<data><item name=\"黄芪\" function=\"补气\" target=\"气虚\"/><item name=\"黄芪\" function=\"补气,升阳\" target=\"\"/></data>")));
        QCOMPARE(herbUnitTable().size(), 1);
        QCOMPARE(herbUnitTable().value(QStringLiteral("黄芪")).functions, (QStringList{QStringLiteral("补气"), QStringLiteral("升阳")}));
    }

    void flowFilesAndMerge()
    {
        QVERIFY(feed(loadFlowFile, QStringLiteral(
            "<data><unit name=\"异功散\" from=\"书\"><type>补气</type><component>人参,白术</component><type>补益</type></unit>"
            "<line><from name=\"四君子汤\" book=\"局方\"/><to name=\"异功散\" book=\"书\"/><flag>+陈皮</flag></line><other/></data>")));
        QVERIFY(feed(loadFlowFile, QStringLiteral("<list><line><from name=\"异功散\"/><to name=\"六君子汤\"/><flag>+半夏</flag></line></list>")));
        QVERIFY(!feed(loadFlowFile, QStringLiteral("")));
        QCOMPARE(flowUnits().size(), 1);
        QCOMPARE(flowUnits().first().type, QStringLiteral("补益"));
        QCOMPARE(flowLines().size(), 2);
        QCOMPARE(flowLines().at(1).fromBook, QString());
        feed(loadClassicFormulas, QStringLiteral(
            "<list><script name=\"异功散\" from=\"小儿药证直诀\"><j doze=\"9g\">人参</j><c doze=\"9g\">白术,人参</c><s doze=\"3g\">甘草</s>"
            "<type>补气</type><f>益气</f></script></list>"));
        mergeLibraryFormulas();
        QCOMPARE(flowUnits().size(), 2);
        QCOMPARE(flowUnits().at(1).component, QStringLiteral("人参,白术,甘草"));
        QCOMPARE(flowUnits().at(1).function, QStringLiteral("益气"));
        QCOMPARE(indexOfUnit(QStringLiteral("异功散")), 0); // the first of a name
        QCOMPARE(indexOfUnit(QStringLiteral("无")), -1);
        shuffleFlowUnits();
        QCOMPARE(flowUnits().size(), 2);
    }

    // The shipped library: compositions and roles of well-known formulas.
    void shippedFormulas()
    {
        loadKnowledgeArchive();
        QVERIFY(classicFormulaTable().size() >= 200);
        const classicFormula *mahuang = findClassicFormula(QStringLiteral("麻黄汤"));
        QVERIFY(mahuang);
        QCOMPARE(mahuang->sovereign.first().name, QStringLiteral("麻黄"));
        QStringList all;
        for (const auto *role : {&mahuang->sovereign, &mahuang->minister, &mahuang->assistant, &mahuang->envoy})
            for (const formulaHerb &h : *role)
                all << h.name;
        all.sort();
        QCOMPARE(all, (QStringList{QStringLiteral("桂枝"), QStringLiteral("甘草"), QStringLiteral("苦杏仁"), QStringLiteral("麻黄")}));
        const classicFormula *sijunzi = findClassicFormula(QStringLiteral("四君子汤"));
        QVERIFY(sijunzi);
        QCOMPARE(sijunzi->sovereign.first().name, QStringLiteral("人参"));
        QCOMPARE(sijunzi->coreSize() + sijunzi->envoy.size(), 4);
        const classicFormula *liuwei = findClassicFormula(QStringLiteral("六味地黄丸"));
        QVERIFY(liuwei);
        QCOMPARE(liuwei->sovereign.first().name, QStringLiteral("熟地黄"));
        QCOMPARE(liuwei->sovereign.first().dose, 24.0);
        // Every herb of every formula is one of ours, apart from the few
        // non-herbal ingredients.
        int unknown = 0;
        for (const classicFormula &f : classicFormulaTable())
            for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy})
                for (const formulaHerb &h : *role)
                    unknown += findHerbByName(h.name).name.isEmpty() ? 1 : 0;
        QVERIFY2(unknown < 40, qPrintable(QString::number(unknown)));
        QVERIFY(flowLines().size() >= 150);
        QVERIFY(flowUnits().size() >= classicFormulaTable().size() + 80);
        // The derivation chain of the four gentlemen.
        QStringList chain;
        for (const flowLine &l : flowLines())
            if (l.fromName == QStringLiteral("四君子汤") || l.fromName == QStringLiteral("异功散") || l.fromName == QStringLiteral("六君子汤"))
                chain << l.toName;
        QVERIFY(chain.contains(QStringLiteral("异功散")));
        QVERIFY(chain.contains(QStringLiteral("六君子汤")));
        QVERIFY(chain.contains(QStringLiteral("香砂六君子汤")));
    }

    // The library keeps its size, and every derivation joins two formulas
    // the graph knows under that name and book, so that no line is lost to a
    // misspelt name or source.
    void shippedDerivationEnds()
    {
        loadKnowledgeArchive();
        QVERIFY2(classicFormulaTable().size() >= 330, qPrintable(QString::number(classicFormulaTable().size())));
        const auto known = [](const QString &name, const QString &book) {
            for (const flowUnit &u : flowUnits())
                if (u.name == name && u.from == book)
                    return true;
            return false;
        };
        for (const flowLine &l : flowLines()) {
            QVERIFY2(known(l.fromName, l.fromBook), qPrintable(l.fromName + QLatin1Char('/') + l.fromBook));
            QVERIFY2(known(l.toName, l.toBook), qPrintable(l.toName + QLatin1Char('/') + l.toBook));
        }
    }

    void lcqFormulaCommands()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("formula"), QStringLiteral("麻黄汤")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("\nj\t麻黄 9g")));
        QVERIFY(out.contains(QStringLiteral("\ns\t甘草 3g 炙\n")));
        QCOMPARE(out.section(QLatin1Char('\n'), 0, 0), QStringLiteral("name\t麻黄汤"));
        QCOMPARE(runLcq({QStringLiteral("formula"), QStringLiteral("无此方")}, &out, &err), 1);
        QCOMPARE(runLcq({QStringLiteral("derive"), QStringLiteral("异功散")}, &out), 0);
        QVERIFY(out.contains(QStringLiteral("from\t四君子汤\t+陈皮\n")));
        QVERIFY(out.contains(QStringLiteral("to\t六君子汤\t")));
        QCOMPARE(runLcq({QStringLiteral("derive"), QStringLiteral("无此方")}, &out, &err), 1);
    }
};

QTEST_GUILESS_MAIN(tst_formulas)
#include "tst_formulas.moc"
