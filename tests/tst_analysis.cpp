// Prescription analysis and prescription files, on the shipped knowledge.

#include "testsupport.h"

#include "analysis/analysisreport.h"
#include "analysis/prescriptionanalysis.h"
#include "analysis/prescriptionfile.h"
#include "knowledge/knowledgearchive.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QFile>
#include <QtTest>

namespace {
// A prescription from "name:dose" texts, entered as the page enters them.
QList<prescriptionEntry> rx(const QStringList &items)
{
    QList<prescriptionEntry> entries;
    for (const QString &i : items) {
        double dose = 0;
        parseDose(i.section(QLatin1Char(':'), 1), &dose);
        QString name;
        const QString refusal = checkNewEntry(entries, i.section(QLatin1Char(':'), 0, 0), dose, &name);
        if (!refusal.isEmpty())
            qWarning() << "refused" << i << refusal;
        entries.append({dose, name});
    }
    return entries;
}

QString writeFile(const QString &dir, const QString &name, const QString &text)
{
    QFile f(dir + QLatin1Char('/') + name);
    f.open(QIODevice::WriteOnly);
    f.write(text.toUtf8());
    return f.fileName();
}

QString sectionOf(const QString &report, const QString &caption)
{
    const QStringList lines = report.split(QLatin1Char('\n'));
    for (const QString &l : lines)
        if (l.startsWith(caption))
            return l.mid(caption.size());
    return QString();
}
} // namespace

class tst_analysis : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(loadStartupKnowledge()); }

    void classicFormulasAreRecognised_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("prescription");
        QTest::addColumn<QString>("sovereign");
        QTest::newRow("麻黄汤") << QStringLiteral("麻黄汤")
            << QStringList{QStringLiteral("麻黄:9"), QStringLiteral("桂枝:6"), QStringLiteral("杏仁:6"), QStringLiteral("炙甘草:3")}
            << QStringLiteral("麻黄");
        QTest::newRow("四物汤") << QStringLiteral("四物汤")
            << QStringList{QStringLiteral("熟地:12"), QStringLiteral("当归:9"), QStringLiteral("白芍:9"), QStringLiteral("川芎:6")}
            << QStringLiteral("熟地黄");
        QTest::newRow("白虎汤") << QStringLiteral("白虎汤")
            << QStringList{QStringLiteral("石膏:30"), QStringLiteral("知母:9"), QStringLiteral("粳米:9"), QStringLiteral("甘草:3")}
            << QStringLiteral("石膏");
        QTest::newRow("小柴胡汤") << QStringLiteral("小柴胡汤")
            << QStringList{QStringLiteral("柴胡:12"), QStringLiteral("黄芩:9"), QStringLiteral("人参:6"), QStringLiteral("半夏:9"),
                           QStringLiteral("甘草:5"), QStringLiteral("生姜:9"), QStringLiteral("大枣:6")}
            << QStringLiteral("柴胡");
        QTest::newRow("四君子汤") << QStringLiteral("四君子汤")
            << QStringList{QStringLiteral("人参:9"), QStringLiteral("白术:9"), QStringLiteral("茯苓:10"), QStringLiteral("炙甘草:6")}
            << QStringLiteral("人参");
    }

    void classicFormulasAreRecognised()
    {
        QFETCH(QString, formula);
        QFETCH(QStringList, prescription);
        QFETCH(QString, sovereign);
        const classicFormula *f = findClassicFormula(formula);
        QVERIFY(f);
        const analysisReport result = analysePrescription(QStringLiteral("decoction"), rx(prescription));
        QVERIFY2(result.ok, qPrintable(result.message));
        // The formula's own functions and indications reach the report.
        for (const QString &fn : f->functions.split(QLatin1Char(','))) {
            if (!pairCodeGroups().isEmpty() && !result.functions.contains(fn)) {
                bool folded = false;
                for (auto it = pairCodeGroups().constBegin(); it != pairCodeGroups().constEnd(); ++it)
                    folded = folded || (it.value().contains(fn) && result.functions.contains(it.key()));
                QVERIFY2(folded, qPrintable(fn + QLatin1String(" / ") + result.report));
            }
        }
        QVERIFY(sectionOf(result.report, QStringLiteral("主治：")).contains(f->indications));
        const QString line = result.report.section(QStringLiteral("方解：\n"), 1).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(line.startsWith(sovereign) && line.endsWith(QStringLiteral("君")), qPrintable(line));
        QVERIFY(result.report.contains(QStringLiteral("按语：")));
    }

    void sovereignFallbackWithoutFormula()
    {
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), rx({QStringLiteral("金银花:12"), QStringLiteral("蒲公英:15"), QStringLiteral("菊花:10")}));
        QVERIFY(a.analyse());
        QVERIFY(a.matchedFormulas().isEmpty());
        // the largest dose leads
        QVERIFY2(a.explanationText().startsWith(QStringLiteral("蒲公英 --- ")), qPrintable(a.explanationText()));
        QVERIFY(a.explanationText().section(QLatin1Char('\n'), 0, 0).endsWith(QStringLiteral("君")));
        QVERIFY(!a.explanationText().contains(QLatin1Char('#')));
    }

    void refusals()
    {
        const QString pill = QStringLiteral("pill");
        analysisReport r = analysePrescription(pill, rx({QStringLiteral("甘草:6"), QStringLiteral("甘遂:1")}));
        QVERIFY(!r.ok);
        QCOMPARE(r.message, QStringLiteral("中药:甘草,甘遂不可配伍"));
        // a hate pair is reported before an oppose pair
        r = analysePrescription(pill, {{0.5, QStringLiteral("藜芦")}, {6, QStringLiteral("人参")}, {6, QStringLiteral("五灵脂")}});
        QCOMPARE(r.message, QStringLiteral("中药:人参,五灵脂不可配伍"));
        // a herb for external use only cannot be taken by mouth
        r = analysePrescription(QStringLiteral("decoction"), {{10, QStringLiteral("金银花")}, {2, QStringLiteral("炉甘石")}});
        QCOMPARE(r.message, QStringLiteral("中药:炉甘石仅供外用,不可内服"));
        // a herb the form's own table keeps out
        r = analysePrescription(QStringLiteral("decoction"), {{10, QStringLiteral("金银花")}, {0.1, QStringLiteral("雄黄")}});
        QCOMPARE(r.message, QStringLiteral("雄黄 不适用于该剂型"));
        // a dose above the herb's limit, entered for external use or read
        // from a file, refuses the analysis by mouth; external use takes it
        const QList<prescriptionEntry> heavy = {{10, QStringLiteral("金银花")}, {30, QStringLiteral("附子")}};
        r = analysePrescription(QStringLiteral("decoction"), heavy);
        QCOMPARE(r.message, QStringLiteral("中药:附子剂量异常"));
        QCOMPARE(analysePrescription(pill, heavy).message, QStringLiteral("中药:附子剂量异常"));
        QVERIFY(analysePrescription(QStringLiteral("external"), heavy).message != QStringLiteral("中药:附子剂量异常"));
        QVERIFY(analysePrescription(QStringLiteral("decoction"), {{10, QStringLiteral("金银花")}, {20, QStringLiteral("附子")}}).ok);
        r = analysePrescription(QStringLiteral("external"), {{10, QStringLiteral("冰片")}, {2, QStringLiteral("炉甘石")}});
        QVERIFY2(r.ok || r.message.isEmpty() || !r.message.contains(QStringLiteral("不适用")), qPrintable(r.message));
        // a herb with a special way of decocting passes the form check
        r = analysePrescription(QStringLiteral("decoction"), rx({QStringLiteral("朱砂:0"), QStringLiteral("黄连:6")}));
        QVERIFY(!r.message.contains(QStringLiteral("不适用")));
        // one herb unknown to the herb base
        r = analysePrescription(QStringLiteral("decoction"), {{9, QStringLiteral("龙肝凤胆")}});
        QVERIFY(!r.ok);
        QCOMPARE(r.message, QStringLiteral("中药:龙肝凤胆不存在或未录入"));
        // nothing recognised
        r = analysePrescription(QStringLiteral("decoction"), {{9, QStringLiteral("龙肝")}, {9, QStringLiteral("凤胆")}});
        QCOMPARE(r.message, lookupPhrase(QStringLiteral("script"), QStringLiteral("unknown_script")));
    }

    void singleHerb()
    {
        const analysisReport r = analysePrescription(QStringLiteral("decoction"), rx({QStringLiteral("黄芪:15")}));
        QVERIFY(r.ok);
        const herbRecord h = findHerbByName(QStringLiteral("黄芪"));
        QCOMPARE(QSet<QString>(r.functions.begin(), r.functions.end()).contains(QSet<QString>(h.function.begin(), h.function.end())), r.functions.size() < 6);
        QVERIFY(r.report.contains(QStringLiteral("方解：\n\n禁忌：")));
    }

    void entryChecks()
    {
        QList<prescriptionEntry> entries;
        QString name;
        QCOMPARE(checkNewEntry(entries, QStringLiteral("   "), 9, &name), QStringLiteral("输入药名不存在或者未录入"));
        // unknown herbs: 6 to 15 g
        QCOMPARE(checkNewEntry(entries, QStringLiteral("龙肝"), 6, &name), QString());
        QCOMPARE(checkNewEntry(entries, QStringLiteral("龙肝"), 15, &name), QString());
        QCOMPARE(checkNewEntry(entries, QStringLiteral(" 龙肝 "), 5, &name), QStringLiteral("中药: 龙肝 剂量异常").remove(QLatin1Char(' ')));
        QCOMPARE(checkNewEntry(entries, QStringLiteral("龙肝"), 16, &name), QStringLiteral("中药:龙肝剂量异常"));
        // the range of a known herb, typed under an alias
        QCOMPARE(checkNewEntry(entries, QStringLiteral("北细辛"), 3, &name), QString());
        QCOMPARE(name, QStringLiteral("细辛"));
        QCOMPARE(checkNewEntry(entries, QStringLiteral("北细辛"), 6, &name), QString());
        QCOMPARE(checkNewEntry(entries, QStringLiteral("北细辛"), 6.01, &name), QStringLiteral("中药:北细辛剂量异常"));
        QCOMPARE(checkNewEntry(entries, QStringLiteral("北细辛"), 0.99, &name), QStringLiteral("中药:北细辛剂量异常"));
        entries.append({3, QStringLiteral("细辛")});
        QCOMPARE(checkNewEntry(entries, QStringLiteral("辽细辛"), 3, &name), QStringLiteral("中药:细辛已存在"));
        for (int i = 0; i < 17; ++i)
            entries.append({9, QStringLiteral("x%1").arg(i)});
        QCOMPARE(checkNewEntry(entries, QStringLiteral("黄芪"), 15, &name), QStringLiteral("最大支持的中药味数味为:18"));
    }

    // The dose check of each dosage form: a decoction keeps the herb's whole
    // range, a pill or powder its upper bound, external use neither.
    void doseChecksByForm_data()
    {
        QTest::addColumn<QString>("herb");
        QTest::addColumn<double>("dose");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("accepted");
        const QString d = QStringLiteral("decoction"), p = QStringLiteral("pill"), s = QStringLiteral("powder"),
                      e = QStringLiteral("external");
        QTest::newRow("朱砂 at its limit") << QStringLiteral("朱砂") << 0.5 << d << true;
        QTest::newRow("朱砂 above it") << QStringLiteral("朱砂") << 0.51 << p << false;
        QTest::newRow("朱砂 below in a decoction") << QStringLiteral("朱砂") << 0.05 << d << false;
        QTest::newRow("朱砂 share of a pill") << QStringLiteral("朱砂") << 0.05 << p << true;
        QTest::newRow("黄连 below in a decoction") << QStringLiteral("黄连") << 1.0 << d << false;
        QTest::newRow("黄连 share of a powder") << QStringLiteral("黄连") << 0.17 << s << true;
        QTest::newRow("黄连 above in a pill") << QStringLiteral("黄连") << 16.0 << p << false;
        QTest::newRow("附子 textbook") << QStringLiteral("附子") << 20.0 << d << true;
        QTest::newRow("附子 above") << QStringLiteral("附子") << 21.0 << d << false;
        QTest::newRow("附子 external") << QStringLiteral("附子") << 60.0 << e << true;
        QTest::newRow("beyond any amount") << QStringLiteral("附子") << 1000.0 << e << false;
        QTest::newRow("external only, outside") << QStringLiteral("水银") << 1.0 << e << true;
        QTest::newRow("unknown herb low") << QStringLiteral("龙肝") << 5.0 << d << false;
        QTest::newRow("unknown herb in a pill") << QStringLiteral("龙肝") << 5.0 << p << true;
        QTest::newRow("unknown herb high") << QStringLiteral("龙肝") << 16.0 << p << false;
        for (const QString &form : {d, p, s, e}) {
            QTest::newRow(qPrintable(form + QLatin1String(" zero"))) << QStringLiteral("甘草") << 0.0 << form << false;
            QTest::newRow(qPrintable(form + QLatin1String(" negative"))) << QStringLiteral("甘草") << -3.0 << form << false;
            QTest::newRow(qPrintable(form + QLatin1String(" not a number"))) << QStringLiteral("甘草") << qQNaN() << form << false;
        }
    }

    void doseChecksByForm()
    {
        QFETCH(QString, herb);
        QFETCH(double, dose);
        QFETCH(QString, form);
        QFETCH(bool, accepted);
        QString name;
        QCOMPARE(checkNewEntry({}, herb, dose, &name, form),
                 accepted ? QString() : QStringLiteral("中药:%1剂量异常").arg(herb));
    }

    void externalOnlyHerbsAreNamed()
    {
        QString name;
        QCOMPARE(checkNewEntry({}, QStringLiteral("汞"), 1, &name, QStringLiteral("pill")), QStringLiteral("中药:水银仅供外用,不可内服"));
        QCOMPARE(checkNewEntry({}, QStringLiteral("汞"), 1, &name, QStringLiteral("external")), QString());
        QCOMPARE(name, QStringLiteral("水银"));
    }

    void envoyAndMissPairs()
    {
        // 甘草 is an envoy of 麻黄汤: its pair with 大枣 explains 大枣 but is not reported.
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), rx({QStringLiteral("麻黄:9"), QStringLiteral("桂枝:6"), QStringLiteral("苦杏仁:6"),
                                                    QStringLiteral("甘草:3"), QStringLiteral("大枣:6")}));
        QVERIFY(a.analyse());
        QCOMPARE(a.roleOf(QStringLiteral("甘草")), QStringLiteral("s"));
        const int jujube = findPair(QStringLiteral("甘草"), QStringLiteral("大枣"));
        QVERIFY(jujube >= 0);
        for (const pairResult &p : a.pairResults())
            QVERIFY(p.index != jujube);
        QVERIFY(a.usageOf(QStringLiteral("大枣")) > 0);

        // A pair marked miss is reported in a small prescription only.
        const int gingerJujube = findPair(QStringLiteral("生姜"), QStringLiteral("大枣"));
        QVERIFY(pairTable().at(gingerJujube).miss);
        const auto reported = [gingerJujube](const QStringList &items) {
            prescriptionAnalysis b;
            b.setInput(QStringLiteral("decoction"), rx(items));
            b.analyse();
            bool found = false;
            for (const pairResult &p : b.pairResults())
                found = found || p.index == gingerJujube;
            return std::make_pair(found, b.usageOf(QStringLiteral("生姜")));
        };
        const auto small = reported({QStringLiteral("生姜:9"), QStringLiteral("大枣:6"), QStringLiteral("龙肝:9")});
        QVERIFY(small.first);
        const auto large = reported({QStringLiteral("生姜:9"), QStringLiteral("大枣:6"), QStringLiteral("龙肝:9"), QStringLiteral("凤胆:9"),
                                     QStringLiteral("麟角:9"), QStringLiteral("龟毛:9")});
        QVERIFY(!large.first);
        QVERIFY(large.second > 0); // explained all the same
    }

    void missingEnvoyIsNoted()
    {
        prescriptionAnalysis a;
        a.setInput(QStringLiteral("decoction"), rx({QStringLiteral("麻黄:9"), QStringLiteral("桂枝:6"), QStringLiteral("苦杏仁:6")}));
        QVERIFY(a.analyse());
        QVERIFY(a.missingEnvoys().contains(QStringLiteral("甘草")));
        QVERIFY(a.notesText().contains(QStringLiteral("若能增加甘草则更合药理\n")));
    }

    // 小柴胡汤 and 桂枝汤 both lack 甘草: the note stands once; the sentences
    // of the two formulas follow each other without a comma after "。".
    void reportOfTwoFormulas()
    {
        const analysisReport r = analysePrescription(QStringLiteral("decoction"),
            rx({QStringLiteral("柴胡:12"), QStringLiteral("黄芩:9"), QStringLiteral("人参:6"), QStringLiteral("半夏:9"),
                QStringLiteral("生姜:9"), QStringLiteral("大枣:6"), QStringLiteral("桂枝:6"), QStringLiteral("白芍:9")}));
        QVERIFY2(r.ok, qPrintable(r.message));
        QCOMPARE(r.report.count(QStringLiteral("若能增加甘草则更合药理")), 1);
        const QString xiaochaihu = findClassicFormula(QStringLiteral("小柴胡汤"))->indications;
        const QString guizhi = findClassicFormula(QStringLiteral("桂枝汤"))->indications;
        QVERIFY(xiaochaihu.endsWith(QStringLiteral("。")) && guizhi.endsWith(QStringLiteral("。")));
        const QString targets = sectionOf(r.report, QStringLiteral("主治："));
        QVERIFY2(targets == xiaochaihu + guizhi || targets == guizhi + xiaochaihu, qPrintable(targets));
        const QString taboos = sectionOf(r.report, QStringLiteral("禁忌："));
        QVERIFY2(taboos.contains(findClassicFormula(QStringLiteral("桂枝汤"))->cautions), qPrintable(taboos));
        for (const QString &bad : {QStringLiteral(",,"), QStringLiteral("。,")}) {
            QVERIFY2(!targets.contains(bad), qPrintable(targets));
            QVERIFY2(!taboos.contains(bad), qPrintable(taboos));
        }
    }

    void reportJoins_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("joined");
        QTest::newRow("words") << QStringList{QStringLiteral("发汗"), QStringLiteral("平喘")} << QStringLiteral("发汗,平喘");
        QTest::newRow("sentences") << QStringList{QStringLiteral("表实证。"), QStringLiteral("表虚证。")} << QStringLiteral("表实证。表虚证。");
        QTest::newRow("sentence, then a word") << QStringList{QStringLiteral("慎用；"), QStringLiteral("孕妇忌用")} << QStringLiteral("慎用；孕妇忌用");
        QTest::newRow("trailing comma") << QStringList{QStringLiteral("头痛,"), QStringLiteral("身痛")} << QStringLiteral("头痛,身痛");
        QTest::newRow("empty entries") << QStringList{QString(), QStringLiteral("头痛"), QString(), QStringLiteral("身痛"), QString()}
                                       << QStringLiteral("头痛,身痛");
        QTest::newRow("nothing") << QStringList{} << QString();
    }

    void reportJoins()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, joined);
        QCOMPARE(joinReportTexts(texts), joined);
    }

    // An external formula is matched only for the external form, any other
    // only for the other forms.
    void externalFormGate_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("matched");
        QTest::newRow("external formula, external") << QStringLiteral("二味拔毒散") << QStringLiteral("external") << true;
        QTest::newRow("external formula, powder") << QStringLiteral("二味拔毒散") << QStringLiteral("powder") << false;
        QTest::newRow("decoction formula, decoction") << QStringLiteral("四君子汤") << QStringLiteral("decoction") << true;
        QTest::newRow("decoction formula, external") << QStringLiteral("四君子汤") << QStringLiteral("external") << false;
    }

    void externalFormGate()
    {
        QFETCH(QString, formula);
        QFETCH(QString, form);
        QFETCH(bool, matched);
        const classicFormula *f = findClassicFormula(formula);
        QVERIFY(f);
        QCOMPARE(f->form == QLatin1String("external"), formula == QStringLiteral("二味拔毒散"));
        // Taken by mouth, an external formula's amounts are held to each
        // herb's limit, so that the form alone decides.
        QList<prescriptionEntry> entries;
        for (const auto *role : {&f->sovereign, &f->minister, &f->assistant, &f->envoy}) {
            for (const formulaHerb &h : *role) {
                double lower = 0, upper = 0;
                const bool limited = form != QLatin1String("external") && doseRange(h.name, &lower, &upper);
                entries.append({limited ? std::min(h.dose, upper) : h.dose, h.name});
            }
        }
        prescriptionAnalysis a;
        a.setInput(form, entries);
        QVERIFY2(a.analyse(), qPrintable(a.failureText()));
        const int index = int(f - classicFormulaTable().constData());
        QCOMPARE(a.matchedFormulas().contains(index), matched);
    }

    void decoctionNotes()
    {
        const QList<prescriptionEntry> entries = rx({QStringLiteral("人参:9"), QStringLiteral("白术:9"), QStringLiteral("茯苓:10"),
                                                     QStringLiteral("炙甘草:6"), QStringLiteral("石膏:15")});
        prescriptionAnalysis decoction;
        decoction.setInput(QStringLiteral("decoction"), entries);
        QVERIFY(decoction.analyse());
        QVERIFY2(decoction.notesText().endsWith(QStringLiteral("人参 - 另煎\n石膏 - 先煎\n")), qPrintable(decoction.notesText()));
        prescriptionAnalysis pill;
        pill.setInput(QStringLiteral("pill"), entries);
        QVERIFY(pill.analyse());
        QVERIFY2(!pill.notesText().contains(QStringLiteral(" - 另煎")), qPrintable(pill.notesText()));
        QVERIFY(!pill.notesText().contains(QStringLiteral(" - 先煎")));
    }

    void repeatedTextsAppearOnce()
    {
        const analysisReport r = analysePrescription(QStringLiteral("decoction"),
            rx({QStringLiteral("当归:9"), QStringLiteral("川芎:6"), QStringLiteral("白芍:9"), QStringLiteral("熟地:12"),
                QStringLiteral("桃仁:9"), QStringLiteral("红花:6")}));
        QVERIFY(r.ok || !r.message.isEmpty());
        for (const QStringList *list : {&r.functions, &r.targets, &r.taboos})
            QCOMPARE(QSet<QString>(list->begin(), list->end()).size(), list->size());
    }

    void progressReported()
    {
        QList<int> seen;
        analysePrescription(QStringLiteral("decoction"), rx({QStringLiteral("麻黄:9"), QStringLiteral("桂枝:6")}),
                            [&seen](int v) { seen << v; });
        QVERIFY(seen.size() > 3);
        QCOMPARE(seen.last(), -1);
        QList<int> failed;
        analysePrescription(QStringLiteral("pill"), rx({QStringLiteral("甘草:6"), QStringLiteral("甘遂:1")}), [&failed](int v) { failed << v; });
        QCOMPARE(failed.last(), -1);
        QVERIFY(failed.contains(30));
    }

    void fileRoundTrip()
    {
        const QString dir = freshTestDir(QStringLiteral("pf"));
        const QString path = dir + QStringLiteral("/a.pf");
        const QList<prescriptionEntry> entries = {{9, QStringLiteral("麻黄")}, {6, QStringLiteral("桂枝")}, {3, QStringLiteral("甘草")},
                                                  {0.15, QStringLiteral("牛黄")}};
        QVERIFY(writePrescriptionFile(path, QStringLiteral("powder"), entries));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<prescription>\n    <type>powder</type>\n"));
        // whole grams as they always were, other doses with their decimals
        QVERIFY(bytes.contains("        <node>\n            <name>麻黄</name>\n            <doze>9</doze>\n        </node>\n"));
        QVERIFY(bytes.contains("            <doze>0.15</doze>\n"));
        prescriptionFile read;
        QVERIFY(readPrescriptionFile(path, &read));
        QCOMPARE(read.form, QStringLiteral("powder"));
        QCOMPARE(read.entries.size(), 4);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(read.entries.at(i).name, entries.at(i).name);
            QCOMPARE(read.entries.at(i).dose, entries.at(i).dose);
        }
        QVERIFY(writePrescriptionFile(path, QStringLiteral("decoction"), {}));
        QVERIFY(readPrescriptionFile(path, &read));
        QVERIFY(read.entries.isEmpty());
        QCOMPARE(read.form, QStringLiteral("decoction"));
        QVERIFY(!writePrescriptionFile(dir + QStringLiteral("/no/such/dir/a.pf"), QStringLiteral("pill"), entries));
    }

    void tolerantReading()
    {
        const QString dir = freshTestDir(QStringLiteral("pf2"));
        prescriptionFile read;
        QVERIFY(readPrescriptionFile(writeFile(dir, QStringLiteral("t.pf"), QStringLiteral(
            "<prescription><extra/><list><node><name> 炙麻黄\n</name><doze>9</doze></node><junk/>"
            "<node><doze> 3 </doze><name>川军</name><other>x</other></node></list>"
            "<type>tablet</type></prescription>")), &read));
        QCOMPARE(read.form, QStringLiteral("tablet"));
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.entries.at(0).name, QStringLiteral("麻黄"));
        QCOMPARE(read.entries.at(1).name, QStringLiteral("大黄"));
        QCOMPARE(read.entries.at(1).dose, 3);
        QVERIFY(read.refusal.isEmpty());
    }

    // Every reason a prescription file is refused, each with its message; a
    // refused file hands back nothing.
    void importRefusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("refusal"); // empty: the file is read

        const auto rxFile = [](const QStringList &lines) {
            QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<prescription><type>decoction</type><list>");
            for (const QString &l : lines)
                xml += l;
            return (xml + QStringLiteral("</list></prescription>")).toUtf8();
        };
        const auto node = [](const QString &name, const QString &dose) {
            return QStringLiteral("<node><name>%1</name><doze>%2</doze></node>").arg(name, dose);
        };
        QStringList herbs;
        for (int i = 0; i < 18; ++i)
            herbs << node(QStringLiteral("药%1").arg(i), QStringLiteral("9"));
        QTest::newRow("18 herbs") << rxFile(herbs) << QString();
        QTest::newRow("19 herbs") << rxFile(herbs + QStringList{node(QStringLiteral("黄芪"), QStringLiteral("9"))})
                                  << QStringLiteral("最大支持的中药味数味为:18");
        QTest::newRow("same herb twice") << rxFile({node(QStringLiteral("麻黄"), QStringLiteral("9")), node(QStringLiteral("桂枝"), QStringLiteral("6")),
                                                    node(QStringLiteral("麻黄"), QStringLiteral("6"))})
                                         << QStringLiteral("中药:麻黄已存在");
        QTest::newRow("same herb by alias") << rxFile({node(QStringLiteral("麻黄"), QStringLiteral("9")), node(QStringLiteral("炙麻黄"), QStringLiteral("6"))})
                                            << QStringLiteral("中药:麻黄已存在");
        QTest::newRow("dose 0") << rxFile({node(QStringLiteral("桂枝"), QStringLiteral("0"))}) << QStringLiteral("中药:桂枝剂量异常");
        QTest::newRow("negative dose") << rxFile({node(QStringLiteral("桂枝"), QStringLiteral("-6"))}) << QStringLiteral("中药:桂枝剂量异常");
        QTest::newRow("dose not a number") << rxFile({node(QStringLiteral("桂枝"), QStringLiteral("六"))}) << QStringLiteral("中药:桂枝剂量异常");
        QTest::newRow("dose missing") << rxFile({QStringLiteral("<node><name>桂枝</name></node>")}) << QStringLiteral("中药:桂枝剂量异常");
        QTest::newRow("dose 1") << rxFile({node(QStringLiteral("桂枝"), QStringLiteral("1"))}) << QString();
        QTest::newRow("decimal dose") << rxFile({node(QStringLiteral("牛黄"), QStringLiteral("0.15"))}) << QString();
        QTest::newRow("dose 0.0") << rxFile({node(QStringLiteral("牛黄"), QStringLiteral("0.0"))}) << QStringLiteral("中药:牛黄剂量异常");
        QTest::newRow("dose with exponent") << rxFile({node(QStringLiteral("桂枝"), QStringLiteral("1e1"))}) << QStringLiteral("中药:桂枝剂量异常");
        QTest::newRow("empty name") << rxFile({node(QStringLiteral("麻黄"), QStringLiteral("9")), node(QString(), QStringLiteral("6"))})
                                    << QStringLiteral("处方文件中第2味中药没有名称");
        QTest::newRow("blank name") << rxFile({node(QStringLiteral("  "), QStringLiteral("6"))}) << QStringLiteral("处方文件中第1味中药没有名称");
        QTest::newRow("not XML") << QByteArray("\x00\x01 hello", 8) << QStringLiteral("x.pf不是有效的处方文件");
        QTest::newRow("not closed") << QByteArray("<prescription><list>") << QStringLiteral("x.pf不是有效的处方文件");
        QTest::newRow("other root") << QByteArray("<diagnosis><item>x</item></diagnosis>") << QStringLiteral("x.pf不是有效的处方文件");

        // Nesting: the root counts as level 1.
        const auto nested = [&node](int depth) {
            const int wrappers = depth - 1;
            QString xml = QStringLiteral("<prescription><list>") + node(QStringLiteral("麻黄"), QStringLiteral("9"))
                          + QStringLiteral("</list>");
            xml += QStringLiteral("<x>").repeated(wrappers) + QStringLiteral("</x>").repeated(wrappers);
            return (xml + QStringLiteral("</prescription>")).toUtf8();
        };
        QTest::newRow("nested 16 deep") << nested(maxPrescriptionFileDepth) << QString();
        QTest::newRow("nested 17 deep") << nested(maxPrescriptionFileDepth + 1) << QStringLiteral("处方文件x.pf的层次嵌套过深,未予读取");
        QTest::newRow("40000 nested nodes")
            << (QStringLiteral("<prescription><list>") + QStringLiteral("<node>").repeated(40000) + QStringLiteral("</node>").repeated(40000)
                + QStringLiteral("</list></prescription>")).toUtf8()
            << QStringLiteral("处方文件x.pf的层次嵌套过深,未予读取");

        // Size: a valid file padded with a comment to exactly the limit, and one byte more.
        QByteArray full = rxFile({node(QStringLiteral("麻黄"), QStringLiteral("9"))}) + "<!--";
        full += QByteArray(maxPrescriptionFileBytes - full.size() - 3, ' ') + "-->";
        QTest::newRow("1 MB") << full << QString();
        QTest::newRow("1 MB and a byte") << full + ' ' << QStringLiteral("处方文件x.pf大于1024KB,未予读取");
    }

    void importRefusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, refusal);
        const QString dir = freshTestDir(QStringLiteral("pfrefusals"));
        QFile f(dir + QStringLiteral("/x.pf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        prescriptionFile read;
        read.entries.append({9, QStringLiteral("残留")});
        const bool ok = readPrescriptionFile(f.fileName(), &read);
        QCOMPARE(read.refusal, refusal);
        QCOMPARE(ok, refusal.isEmpty());
        if (!ok) {
            QVERIFY(read.entries.isEmpty());
            QVERIFY(!read.formSeen);
        } else {
            QVERIFY(!read.entries.isEmpty());
        }
        QCOMPARE(readPrescriptionBytes(content, QStringLiteral("x.pf"), &read), refusal.isEmpty());
        QCOMPARE(read.refusal, refusal);
    }

    void unreadableFileIsRefused()
    {
        prescriptionFile read;
        QVERIFY(!readPrescriptionFile(freshTestDir(QStringLiteral("pfabsent")) + QStringLiteral("/absent.pf"), &read));
        QCOMPARE(read.refusal, QStringLiteral("无法读取处方文件:absent.pf"));
    }

    void lcqAnalyse()
    {
        // The report of 麻黄汤 as the user reads it.
        const QString mahuang = QStringLiteral(
            "功效：发汗解表,宣肺平喘\n"
            "主治：外感风寒表实证。恶寒发热，头身疼痛，无汗而喘，舌苔薄白，脉浮紧。\n"
            "方解：\n"
            "麻黄(去节) --- 辛,微苦,温,无毒. 归肺,膀胱经 君\n"
            "桂枝 --- 辛,甘,温,无毒. 归心,肺,膀胱经 臣\n"
            "苦杏仁(去皮尖) --- 苦,微温,小毒. 归肺,大肠经 佐\n"
            "甘草(炙) --- 甘,平,无毒. 归心,肺,脾,胃经 使\n"
            "禁忌：表虚自汗、外感风热、体虚外感、新产妇人、失血家及疮家不宜；发汗力强，汗出即止，不可过服。\n"
            "按语：\n"
            "\n");
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("麻黄:9"), QStringLiteral("桂枝:6"), QStringLiteral("杏仁:6"),
                         QStringLiteral("炙甘草:3")}, &out), 0);
        QCOMPARE(out, mahuang);
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("--form"), QStringLiteral("pill"), QStringLiteral("甘草:6"),
                         QStringLiteral("甘遂:1")}, &out), 3);
        QCOMPARE(out, QStringLiteral("中药:甘草,甘遂不可配伍\n"));
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("麻黄")}, &out, &err), 2);
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("--form"), QStringLiteral("tea"), QStringLiteral("麻黄:9")}, &out, &err), 2);
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("细辛:9")}, &out, &err), 3);
        QCOMPARE(err, QStringLiteral("中药:细辛剂量异常\n"));
        // a dose that is not a number, or not above 0, is refused the same way
        for (const char *dose : {"细辛:x", "细辛:0", "细辛:-3", "细辛:", "细辛:1e0"}) {
            QCOMPARE(runLcq({QStringLiteral("analyse"), QString::fromUtf8(dose)}, &out, &err), 3);
            QCOMPARE(err, QStringLiteral("中药:细辛剂量异常\n"));
        }
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("--form"), QStringLiteral("pill"), QStringLiteral("朱砂:0.3"),
                         QStringLiteral("黄连:0.5")}, &out, &err), 0);
        const QString dir = freshTestDir(QStringLiteral("lcqpf"));
        writePrescriptionFile(dir + QStringLiteral("/m.pf"), QStringLiteral("decoction"),
                              {{9, QStringLiteral("麻黄")}, {6, QStringLiteral("桂枝")}, {6, QStringLiteral("苦杏仁")}, {3, QStringLiteral("甘草")}});
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("--pf"), dir + QStringLiteral("/m.pf")}, &out), 0);
        QCOMPARE(out, mahuang);
        // a refused file: the reason, and no report
        writeFile(dir, QStringLiteral("deep.pf"), QStringLiteral("<prescription><list>") + QStringLiteral("<node>").repeated(40000)
                                                      + QStringLiteral("</node>").repeated(40000) + QStringLiteral("</list></prescription>"));
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("--pf"), dir + QStringLiteral("/deep.pf")}, &out, &err), 3);
        QCOMPARE(err, QStringLiteral("处方文件deep.pf的层次嵌套过深,未予读取\n"));
        QVERIFY(out.isEmpty());
        QCOMPARE(runLcq({QStringLiteral("grid"), QStringLiteral("桂枝"), QStringLiteral("麻黄"), QStringLiteral("龙肝")}, &out), 0);
        QVERIFY(out.startsWith(QStringLiteral("桂枝\t麻黄\t")));
        QCOMPARE(out.count(QLatin1Char('\n')), 1);
    }
};

QTEST_GUILESS_MAIN(tst_analysis)
#include "tst_analysis.moc"
