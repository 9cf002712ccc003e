// Herb records, names and aliases, dose ranges, dosage forms, decoction notes,
// and the shipped materia medica.

#include "testsupport.h"

#include "knowledge/knowledgearchive.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"

#include <QBuffer>
#include <algorithm>
#include <QDomDocument>
#include <QtTest>

namespace {
bool loadRecord(const QString &xml)
{
    return feed(loadHerbRecord, xml);
}

bool loadMethods(const QString &xml)
{
    return feed(loadDecoctionMethods, xml);
}

QDomElement parse(const QString &xml)
{
    static QDomDocument doc; // keeps the element alive
    doc.setContent(xml);
    return doc.documentElement();
}
} // namespace

class tst_herbs : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearKnowledgeTables(); }

    void recordParsing()
    {
        QVERIFY(loadRecord(QStringLiteral(
            "<data><id>0100</id><name level=\"1\">黄连</name>"
            "<alias><tag> 川连 </tag><tag>雅连</tag></alias>"
            "<natrue> 寒性 </natrue><classification>清热燥湿药</classification><type>中</type>"
            "<feature><odor>苦</odor><odor>微辛</odor><character>寒</character><toxicity>无毒</toxicity></feature>"
            "<scripture><tag>心</tag><tag>胃</tag></scripture>"
            "<function><tag>清热燥湿</tag></function><target><tag>湿热痞满</tag></target>"
            "<notes><tag>脾胃虚寒者忌用</tag></notes>"
            "<comment><item name=\"神农本草经\">主热气</item><item>无名</item></comment>"
            "<drugs><tag>黄连解毒汤</tag></drugs>"
            "<dose><min>2</min><max>5</max><avg>3</avg></dose>"
            "<subclass>x</subclass><store> 阴凉干燥处 </store></data>")));
        QVERIFY(loadRecord(QStringLiteral(
            "<data><id>0101</id><name>朱砂</name><nature>微寒性</nature>"
            "<dose><min>0.1</min><max>0.5</max></dose></data>")));
        QVERIFY(loadRecord(QStringLiteral("<data><id>0102</id><name>无剂量</name></data>")));
        QVERIFY(!loadRecord(QStringLiteral("<data><id>0103</id>")));

        QCOMPARE(herbTable().size(), 3);
        const herbRecord a = herbTable().at(0);
        QCOMPARE(a.nature, QStringLiteral("寒性"));
        QCOMPARE(a.alias, (QStringList{QStringLiteral("川连"), QStringLiteral("雅连")}));
        QCOMPARE(a.feature, (QStringList{QStringLiteral("苦"), QStringLiteral("微辛"), QStringLiteral("寒"), QStringLiteral("无毒")}));
        QCOMPARE(a.meridian, (QStringList{QStringLiteral("心"), QStringLiteral("胃")}));
        QCOMPARE(a.comments.size(), 2);
        QCOMPARE(a.comments.at(0).first, QStringLiteral("神农本草经"));
        QCOMPARE(a.comments.at(1).first, QString());
        QCOMPARE(a.doseMin, 2.0);
        QCOMPARE(a.doseMax, 5.0);
        QCOMPARE(a.store, QStringLiteral("阴凉干燥处"));
        QCOMPARE(herbTable().at(1).nature, QStringLiteral("微寒性"));
        QCOMPARE(herbTable().at(1).doseMin, 0.1); // decimal doses keep their decimals
        QCOMPARE(herbTable().at(1).doseMax, 0.5);
        QCOMPARE(herbTable().at(2).doseMax, 0.0);
        QCOMPARE(herbNameWords(), (QStringList{QStringLiteral("黄连"), QStringLiteral("川连"), QStringLiteral("雅连"),
                                               QStringLiteral("朱砂"), QStringLiteral("无剂量")}));
    }

    void aliasResolution()
    {
        loadRecord(QStringLiteral("<data><id>0001</id><name>甘草</name><alias><tag>炙甘草</tag><tag>国老</tag></alias></data>"));
        loadRecord(QStringLiteral("<data><id>0002</id><name>国老</name><alias><tag>炙甘草</tag><tag>粉草</tag></alias></data>"));
        QCOMPARE(canonicalHerbName(QStringLiteral("甘草")), QStringLiteral("甘草"));
        QCOMPARE(canonicalHerbName(QStringLiteral("炙甘草")), QStringLiteral("甘草"));   // first record wins
        QCOMPARE(canonicalHerbName(QStringLiteral("国老")), QStringLiteral("甘草"));     // an earlier alias beats a later name
        QCOMPARE(canonicalHerbName(QStringLiteral("粉草")), QStringLiteral("国老"));
        QCOMPARE(canonicalHerbName(QStringLiteral("龙肝")), QStringLiteral("龙肝"));     // unknown comes back unchanged
        QCOMPARE(canonicalHerbName(QString()), QString());
        QCOMPARE(canonicalHerbName(QStringLiteral(" 甘草")), QStringLiteral(" 甘草")); // no trimming
        QCOMPARE(canonicalHerbNames({QStringLiteral("炙甘草"), QStringLiteral("x")}), (QStringList{QStringLiteral("甘草"), QStringLiteral("x")}));
        bool found = false;
        QCOMPARE(findHerbByName(QStringLiteral("粉草"), &found).id, QStringLiteral("0002"));
        QVERIFY(found);
        QCOMPARE(findHerbByName(QStringLiteral("龙肝"), &found).name, QString());
        QVERIFY(!found);
        QCOMPARE(herbIdByName(QStringLiteral("炙甘草")), QStringLiteral("0001"));
        QCOMPARE(herbIdByName(QStringLiteral("龙肝")), QString());
        QCOMPARE(herbNameById(QStringLiteral("0002")), QStringLiteral("国老"));
        QCOMPARE(herbNameById(QStringLiteral("2")), QString());
    }

    void doseRangeLines()
    {
        loadRecord(QStringLiteral("<data><id>0816</id><name>芦根</name></data>"));
        loadRecord(QStringLiteral("<data><id>0817</id><name>朱砂</name></data>"));
        loadRecord(QStringLiteral("<data><id>0818</id><name>水银</name></data>"));
        QVERIFY(loadDoseRanges(QStringLiteral(" 0816,15,30 \r\n0816,1,2,3\n0816,5\n9999,1,2\n\n0816,x,9\n"
                                              "0817,0.1,0.5\n0818,0,0\n0816,-1,9\n")));
        QCOMPARE(doseRangeTable().size(), 6);
        double lo = -1, hi = -1;
        QVERIFY(doseRange(QStringLiteral("芦根"), &lo, &hi));
        QCOMPARE(lo, 15.0);
        QCOMPARE(hi, 30.0); // the first entry of the name wins
        QCOMPARE(doseRangeTable().at(1).name, QString()); // unknown id
        QCOMPARE(doseRangeTable().at(2).lower, 0.0);      // not a number
        QCOMPARE(doseRangeTable().at(5).lower, 0.0);      // nor is a signed one
        QVERIFY(!doseRange(QStringLiteral("甘草"), &lo, &hi));
        QVERIFY(doseRange(QStringLiteral("朱砂"), &lo, &hi));
        QCOMPARE(lo, 0.1);
        QCOMPARE(hi, 0.5);
        // 0 to 0: no internal dose
        QVERIFY(isExternalOnly(QStringLiteral("水银")));
        QVERIFY(!isExternalOnly(QStringLiteral("朱砂")));
        QVERIFY(!isExternalOnly(QStringLiteral("甘草"))); // no range at all is not external use
    }

    // Doses are read and written with their decimals; whole grams as before.
    void doseNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("grams");
        QTest::addColumn<QString>("written");
        QTest::newRow("whole") << QStringLiteral("9") << true << 9.0 << QStringLiteral("9");
        QTest::newRow("decimal") << QStringLiteral("0.15") << true << 0.15 << QStringLiteral("0.15");
        QTest::newRow("blanks") << QStringLiteral(" 1.5 ") << true << 1.5 << QStringLiteral("1.5");
        QTest::newRow("milligrams") << QStringLiteral("0.015") << true << 0.015 << QStringLiteral("0.015");
        QTest::newRow("trailing zeros") << QStringLiteral("24.0") << true << 24.0 << QStringLiteral("24");
        QTest::newRow("no leading digit") << QStringLiteral(".5") << true << 0.5 << QStringLiteral("0.5");
        QTest::newRow("zero") << QStringLiteral("0") << true << 0.0 << QStringLiteral("0");
        QTest::newRow("empty") << QString() << false << 0.0 << QString();
        QTest::newRow("text") << QStringLiteral("适量") << false << 0.0 << QString();
        QTest::newRow("negative") << QStringLiteral("-3") << false << 0.0 << QString();
        QTest::newRow("exponent") << QStringLiteral("1e3") << false << 0.0 << QString();
        QTest::newRow("unit") << QStringLiteral("9g") << false << 0.0 << QString();
        QTest::newRow("comma") << QStringLiteral("1,5") << false << 0.0 << QString();
        QTest::newRow("nan") << QStringLiteral("nan") << false << 0.0 << QString();
        QTest::newRow("inf") << QStringLiteral("inf") << false << 0.0 << QString();
    }

    void doseNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, grams);
        QFETCH(QString, written);
        double read = -7;
        QCOMPARE(parseDose(text, &read), ok);
        if (!ok) {
            QCOMPARE(read, -7.0); // left alone
            return;
        }
        QCOMPARE(read, grams);
        QCOMPARE(doseText(read), written);
    }

    void doseArithmetic()
    {
        QCOMPARE(doseText(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(doseText(0.0004), QStringLiteral("0"));
        QVERIFY(sameDose(0.1 + 0.2, 0.3));
        QVERIFY(!sameDose(0.3, 0.301));
        QCOMPARE(doseDecimals(9), 0);
        QCOMPARE(doseDecimals(1.5), 1);
        QCOMPARE(doseDecimals(0.15), 2);
        QCOMPARE(doseDecimals(0.015), 3);
        QCOMPARE(doseDecimals(0.0015), 3); // never more than milligrams
    }

    void dosageForms()
    {
        QVERIFY(loadDosageForms(parse(QStringLiteral(
            "<patch><item id=\"0001\"><front>decoction,pill</front></item>"
            "<item id=\"0002\"><front>external</front><front>pill,powder</front></item>"
            "<item id=\"0002\"><front>external,tablet</front></item></patch>"))));
        QVERIFY(isAllowedInForm(QStringLiteral("0009"), QStringLiteral("powder")));
        QVERIFY(isAllowedInForm(QStringLiteral("0001"), QStringLiteral("pill")));
        QVERIFY(!isAllowedInForm(QStringLiteral("0001"), QStringLiteral("powder")));
        QVERIFY(isAllowedInForm(QStringLiteral("0002"), QStringLiteral("tablet"))); // the last front wins
        QVERIFY(!isAllowedInForm(QStringLiteral("0002"), QStringLiteral("pill")));
        QVERIFY(!loadDosageForms(QDomElement()));
    }

    void decoctionNotes()
    {
        loadRecord(QStringLiteral("<data><id>0016</id><name>薄荷</name><alias><tag>苏薄荷</tag></alias></data>"));
        QVERIFY(loadMethods(QStringLiteral(
            "<table><node method=\"decoction\" desc=\"后下\" list=\"苏薄荷,砂仁\"/>"
            "<node method=\"decoction\" desc=\"先煎\" list=\"薄荷\"/></table>")));
        QCOMPARE(decoctionNote(QStringLiteral("薄荷"), QStringLiteral("decoction")), QStringLiteral("后下"));
        QCOMPARE(decoctionNote(QStringLiteral("薄荷"), QStringLiteral("pill")), QString());
        QCOMPARE(decoctionNote(QStringLiteral("苏薄荷"), QStringLiteral("decoction")), QString()); // stored canonically
        QCOMPARE(decoctionNote(QStringLiteral("砂仁"), QStringLiteral("decoction")), QStringLiteral("后下"));
    }

    // The shipped materia medica.
    void shippedHerbs()
    {
        loadKnowledgeArchive();
        QVERIFY2(herbTable().size() >= 100, qPrintable(QString::number(herbTable().size())));
        QCOMPARE(canonicalHerbName(QStringLiteral("炙麻黄")), QStringLiteral("麻黄"));
        const herbRecord mahuang = findHerbByName(QStringLiteral("麻黄"));
        QCOMPARE(mahuang.meridian, (QStringList{QStringLiteral("肺"), QStringLiteral("膀胱")}));
        QVERIFY(mahuang.feature.contains(QStringLiteral("辛")));
        double lo = 0, hi = 0;
        // The pharmacopoeia's range, widened to the textbook amounts of the
        // library (细辛 6 g in 小青龙汤), and decimals where the herb needs them.
        QVERIFY(doseRange(QStringLiteral("细辛"), &lo, &hi));
        QCOMPARE(lo, 1.0);
        QCOMPARE(hi, 6.0);
        QVERIFY(doseRange(QStringLiteral("砒石"), &lo, &hi));
        QCOMPARE(lo, 0.002);
        QCOMPARE(hi, 0.004);
        QVERIFY(doseRange(QStringLiteral("麻黄"), &lo, &hi));
        QVERIFY(lo <= 2 && hi >= 10);
        // Every record has a range, a name, a nature and meridians.
        for (const herbRecord &r : herbTable()) {
            QVERIFY2(!r.name.isEmpty() && !r.nature.isEmpty(), qPrintable(r.id));
            QVERIFY2(doseRange(r.name, &lo, &hi), qPrintable(r.name));
            QVERIFY2(!r.function.isEmpty() && !r.indication.isEmpty(), qPrintable(r.name));
        }
        // the shipped decoction methods are loaded
        QCOMPARE(decoctionNote(QStringLiteral("石膏"), QStringLiteral("decoction")), QStringLiteral("先煎"));
    }

    // The records added after 0444 (below the 0900 block) are numbered without
    // gaps, complete, and reached by every one of their names.
    void shippedHerbGrowth()
    {
        loadKnowledgeArchive();
        QVERIFY2(herbTable().size() >= 540, qPrintable(QString::number(herbTable().size())));
        QList<int> ids;
        const QStringList toxicity = {QStringLiteral("无毒"), QStringLiteral("小毒"), QStringLiteral("有毒"),
                                      QStringLiteral("大毒")};
        for (const herbRecord &r : herbTable()) {
            const int id = r.id.toInt();
            if (id < 445 || id >= 900)
                continue;
            ids << id;
            const QByteArray what = r.id.toUtf8() + ' ' + r.name.toUtf8();
            QCOMPARE(r.id.size(), 4);
            for (const QString *text : {&r.latin, &r.nature, &r.classification, &r.type, &r.stem, &r.desc, &r.bestfor,
                                        &r.store, &r.prepare, &r.distribution, &r.pattern})
                QVERIFY2(!text->trimmed().isEmpty(), what.constData());
            for (const QStringList *list : {&r.feature, &r.meridian, &r.function, &r.indication, &r.ingredient, &r.caution})
                QVERIFY2(!list->isEmpty(), what.constData());
            QVERIFY2(!r.comments.isEmpty(), what.constData());
            QVERIFY2(r.feature.size() >= 3 && toxicity.contains(r.feature.last()), what.constData());
            QVERIFY2(r.nature.endsWith(QStringLiteral("性")), what.constData());
            // Every name of the record leads back to it, so no earlier record
            // already owns one of them.
            QCOMPARE(canonicalHerbName(r.name), r.name);
            for (const QString &alias : r.alias)
                QVERIFY2(canonicalHerbName(alias) == r.name, qPrintable(r.name + QLatin1Char('/') + alias));
            // Each is taken by mouth, with the pharmacopoeia's range in the record.
            QVERIFY2(r.doseMin > 0 && r.doseMin <= r.doseMax, what.constData());
            double lo = 0, hi = 0;
            QVERIFY2(doseRange(r.name, &lo, &hi) && lo <= r.doseMin && hi >= r.doseMax, what.constData());
        }
        std::sort(ids.begin(), ids.end());
        QVERIFY(ids.size() >= 100);
        for (int i = 0; i < ids.size(); ++i)
            QCOMPARE(ids.at(i), 445 + i);
    }

    // Records of protected animals say so and name what is used instead.
    void protectedSpecies_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : {"穿山甲", "熊胆粉", "海马", "海狗肾", "犀角", "玳瑁"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }

    void protectedSpecies()
    {
        QFETCH(QString, name);
        loadKnowledgeArchive();
        bool found = false;
        const herbRecord r = findHerbByName(name, &found);
        QVERIFY(found);
        const QString notes = r.caution.join(QLatin1Char('|'));
        QVERIFY2(notes.contains(QStringLiteral("保护")), qPrintable(notes));
        QVERIFY2(notes.contains(QStringLiteral("代")), qPrintable(notes));
    }

    void lcqHerbCommands()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("herb"), QStringLiteral("草麻黄")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("id\t0001\nname\t麻黄\n")));
        const QStringList keys = {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("alias"), QStringLiteral("latin"),
            QStringLiteral("nature"), QStringLiteral("classification"), QStringLiteral("type"), QStringLiteral("feature"),
            QStringLiteral("meridian"), QStringLiteral("function"), QStringLiteral("indication"), QStringLiteral("ingredient"),
            QStringLiteral("stem"), QStringLiteral("desc"), QStringLiteral("bestfor"), QStringLiteral("caution"),
            QStringLiteral("comment"), QStringLiteral("formula"), QStringLiteral("doseMin"), QStringLiteral("doseMax"),
            QStringLiteral("store"), QStringLiteral("prepare"), QStringLiteral("distribution"), QStringLiteral("pattern")};
        const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), keys.size());
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(lines.at(i).section(QLatin1Char('\t'), 0, 0), keys.at(i));
        QCOMPARE(runLcq({QStringLiteral("herb"), QStringLiteral("龙肝凤胆")}, &out, &err), 1);
        QCOMPARE(err, QStringLiteral("not found\n"));
        QCOMPARE(runLcq({QStringLiteral("canon"), QStringLiteral("炙麻黄")}, &out), 0);
        QCOMPARE(out, QStringLiteral("麻黄\n"));
        QCOMPARE(runLcq({QStringLiteral("dose"), QStringLiteral("北细辛")}, &out), 0);
        QCOMPARE(out, QStringLiteral("1\t6\t1\t3\n")); // accepted, then the pharmacopoeia's range
        QCOMPARE(runLcq({QStringLiteral("dose"), QStringLiteral("朱砂")}, &out), 0);
        QCOMPARE(out, QStringLiteral("0.1\t0.5\n"));
        QCOMPARE(runLcq({QStringLiteral("dose"), QStringLiteral("汞")}, &out), 0);
        QCOMPARE(out, QStringLiteral("external use only\n"));
        QCOMPARE(runLcq({QStringLiteral("dose"), QStringLiteral("龙肝凤胆")}, &out), 1);
        QCOMPARE(runLcq({QStringLiteral("dose")}, &out, &err), 2);
    }
};

QTEST_GUILESS_MAIN(tst_herbs)
#include "tst_herbs.moc"
