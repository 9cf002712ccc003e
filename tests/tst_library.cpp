// The shipped knowledge checked against itself: every classic formula goes
// through the analysis page's own checks, the names of the incompatible and
// toxic herbs all lead to their records, and the tables agree with each other.

#include "testsupport.h"

#include "analysis/analysisreport.h"
#include "diagnosis/diagnosisnode.h"
#include "formulas/diagnosisformula.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "knowledge/knowledgearchive.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmath>

namespace {

QString phrase(const char *block, const char *key)
{
    return lookupPhrase(QLatin1String(block), QLatin1String(key));
}

QList<formulaHerb> herbsOf(const classicFormula &f)
{
    return f.sovereign + f.minister + f.assistant + f.envoy;
}

// Enters a formula as a user would, herb by herb, then analyses it. Empty
// when the report is written; otherwise the message the user sees.
QString enterAndAnalyse(const classicFormula &f)
{
    QList<prescriptionEntry> entries;
    for (const formulaHerb &h : herbsOf(f)) {
        QString name;
        const QString refusal = checkNewEntry(entries, h.name, h.dose, &name, f.form);
        if (!refusal.isEmpty())
            return refusal;
        entries.append({h.dose, name});
    }
    const analysisReport result = analysePrescription(f.form, entries);
    return result.ok ? QString() : result.message;
}

bool isToxic(const herbRecord &r)
{
    for (const QString &f : r.feature) {
        if (f == QLatin1String("小毒") || f == QLatin1String("有毒") || f == QLatin1String("大毒"))
            return true;
    }
    return false;
}

// Every name under which a herb of a rule table can be typed.
QStringList namesOf(const QString &herb)
{
    bool found = false;
    const herbRecord r = findHerbByName(herb, &found);
    return found ? QStringList{r.name} + r.alias : QStringList{herb};
}

} // namespace

class tst_library : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(loadStartupKnowledge()); }

    // Every classic formula, entered with its own herbs, amounts and form, is
    // accepted and analysed. The refusals listed here are the formulas' own.
    void wholeLibraryPassesItsChecks()
    {
        struct refusal
        {
            QString formula;
            QString message;
            QStringList named; // herbs the formula's caution names
        };
        const QList<refusal> expected = {
            // 海藻 with 甘草 (十八反): the source pairs them on purpose to break up goitre.
            {QStringLiteral("海藻玉壶汤"), phrase("herb", "valid_herb_pair2").arg(QStringLiteral("甘草"), QStringLiteral("海藻")),
             {QStringLiteral("海藻"), QStringLiteral("甘草")}},
            // 附子 with 半夏 (十八反), as the source gives it.
            {QStringLiteral("回阳救急汤"), phrase("herb", "valid_herb_pair2").arg(QStringLiteral("附子"), QStringLiteral("半夏")),
             {QStringLiteral("附子"), QStringLiteral("半夏")}},
            // 23 herbs: more than a prescription holds.
            {QStringLiteral("鳖甲煎丸"), phrase("script", "overflow").arg(maxPrescriptionHerbs), {}},
            // 25 herbs: a pill taken as a ready-made medicine, never written out.
            {QStringLiteral("石斛夜光丸"), phrase("script", "overflow").arg(maxPrescriptionHerbs), {}},
        };
        QStringList failures;
        int refused = 0;
        for (const classicFormula &f : classicFormulaTable()) {
            const QString message = enterAndAnalyse(f);
            const auto own = std::find_if(expected.begin(), expected.end(),
                                          [&f](const refusal &r) { return r.formula == f.name; });
            if (own == expected.end()) {
                if (!message.isEmpty())
                    failures << f.name + QLatin1Char(' ') + f.form + QLatin1String(": ") + message;
                continue;
            }
            ++refused;
            QCOMPARE(message, own->message);
            for (const QString &herb : own->named)
                QVERIFY2(f.cautions.contains(herb), qPrintable(f.name + QLatin1Char(' ') + herb));
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QCOMPARE(refused, int(expected.size()));
        QVERIFY(classicFormulaTable().size() > 250);
    }

    // Each herb of each formula passes the dose check on its own, and its
    // amount can be typed into the dose field.
    void everyFormulaDosePassesTheCheck()
    {
        QStringList failures;
        for (const classicFormula &f : classicFormulaTable()) {
            for (const formulaHerb &h : herbsOf(f)) {
                QString name;
                const QString refusal = checkNewEntry({}, h.name, h.dose, &name, f.form);
                if (!refusal.isEmpty())
                    failures << QStringLiteral("%1: %2 %3 g: %4").arg(f.name, h.name, doseText(h.dose), refusal);
                const double scale = std::pow(10.0, doseFieldDecimals(h.name, f.form));
                if (std::abs(std::round(h.dose * scale) / scale - h.dose) > 1e-9)
                    failures << QStringLiteral("%1: %2 %3 g cannot be typed").arg(f.name, h.name, doseText(h.dose));
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    // Every formula the diagnosis proposes, in each of its variants, can be
    // typed into the analysis page as a decoction, pill or powder and holds
    // no forbidden combination: the page never refuses the system's own advice.
    void diagnosisFormulasPassTheChecks()
    {
        QStringList failures;
        int proposals = 0;
        for (const QString &complaint : diagnosisNode::instance().complaintCodes()) {
            for (const formulaProposal &p : formulasForSymptom(complaint)) {
                ++proposals;
                const QString form = p.form.contains(QLatin1String("丸")) ? QStringLiteral("pill")
                    : p.form.contains(QLatin1String("散")) ? QStringLiteral("powder")
                                                            : QStringLiteral("decoction");
                QList<prescriptionEntry> entries;
                QString refusal;
                for (const herbLine &h : p.herbs) {
                    double grams = 0;
                    if (!parseDose(QString(h.dose).remove(QLatin1Char('g')), &grams)) {
                        refusal = QStringLiteral("dose text ") + h.dose;
                        break;
                    }
                    QString name;
                    refusal = checkNewEntry(entries, h.name, grams, &name, form);
                    if (!refusal.isEmpty())
                        break;
                    entries.append({grams, name});
                }
                if (refusal.isEmpty()) {
                    const analysisReport result = analysePrescription(form, entries);
                    if (!result.ok && result.message != phrase("script", "unknown_script"))
                        refusal = result.message;
                }
                if (!refusal.isEmpty())
                    failures << QStringLiteral("%1 %2: %3").arg(complaint, p.name, refusal);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        QVERIFY(proposals > 100);
    }

    void everyFormulaHerbIsARecord()
    {
        QStringList missing;
        for (const classicFormula &f : classicFormulaTable()) {
            for (const formulaHerb &h : herbsOf(f)) {
                bool found = false;
                findHerbByName(h.name, &found);
                if (!found)
                    missing << f.name + QLatin1Char(':') + h.name;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

    void everyPairHerbIsARecord()
    {
        QStringList missing;
        for (const QString &h : pairHerbSet()) {
            bool found = false;
            findHerbByName(h, &found);
            if (!found)
                missing << h;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    }

    // Every pair rule is one the program can show and use as written: ids run
    // 0001, 0002 … in file order, the name is "A-B" of its own two herbs, the
    // pair is found under its herbs (no earlier rule hides it), it is never a
    // forbidden combination, and a pair taken by mouth doses each herb within
    // the range the analysis page accepts.
    void pairRulesAgreeWithTheHerbBase()
    {
        const auto &pairs = pairTable();
        QStringList faults;
        for (int i = 0; i < pairs.size(); ++i) {
            const pairRule &p = pairs.at(i);
            const QString where = p.id + QLatin1Char(' ') + p.name + QLatin1Char(':');
            if (p.id != QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')))
                faults << where + QStringLiteral("id out of sequence");
            if (p.herbCount() != 2) {
                faults << where + QStringLiteral("not two herbs");
                continue;
            }
            const pairHerb a = p.herbAt(0), b = p.herbAt(1);
            if (p.name != a.name + QLatin1Char('-') + b.name)
                faults << where + QStringLiteral("name differs from its herbs");
            if (findPair(a.name, b.name) != i)
                faults << where + QStringLiteral("hidden by rule %1").arg(findPair(a.name, b.name));
            QString first, second;
            if (!findIncompatibleHerbs(textSet{a.name, b.name}, &first, &second))
                faults << where + QStringLiteral("forbidden");
            if (p.functions.isEmpty() || p.targets.isEmpty() || p.comments.isEmpty())
                faults << where + QStringLiteral("no function, target or comment");
            if (p.external)
                continue;
            for (const pairHerb &h : {a, b}) {
                double lower = 0, upper = 0;
                if (isExternalOnly(h.name) || !doseRange(h.name, &lower, &upper))
                    faults << where + h.name + QStringLiteral(" is not taken by mouth");
                else if (h.min <= 0 || h.min > h.max || h.min < lower - 1e-9 || h.max > upper + 1e-9)
                    faults << where + QStringLiteral("%1 %2-%3 outside %4-%5")
                                          .arg(h.name, doseText(h.min), doseText(h.max), doseText(lower), doseText(upper));
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QVERIFY2(pairs.size() >= 600, qPrintable(QString::number(pairs.size())));
    }

    void namesAndIdsAreUnique()
    {
        QHash<QString, QStringList> owners;
        QSet<QString> ids;
        for (const herbRecord &r : herbTable()) {
            QVERIFY2(!ids.contains(r.id), qPrintable(r.id));
            ids.insert(r.id);
            QVERIFY2(!r.name.isEmpty(), qPrintable(r.id));
            owners[r.name] << r.name;
            for (const QString &a : r.alias)
                owners[a] << r.name;
        }
        QStringList clashes;
        for (auto it = owners.constBegin(); it != owners.constEnd(); ++it) {
            if (it.value().size() > 1)
                clashes << it.key() + QLatin1Char('=') + it.value().join(QLatin1Char('/'));
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char(' '))));
    }

    // Record texts go into an HTML page through a chain of "%n" fills.
    void recordsHoldNoMarkupOrPlaceholders()
    {
        const QRegularExpression bad(QStringLiteral("[<>&]|%\\d"));
        QStringList failures;
        for (const herbRecord &r : herbTable()) {
            QStringList texts = {r.id, r.name, r.nature, r.latin, r.stem, r.desc, r.classification, r.type, r.bestfor,
                                 r.pattern, r.distribution, r.store, r.prepare};
            texts << r.alias << r.feature << r.meridian << r.function << r.indication << r.ingredient << r.caution << r.formula;
            for (const auto &c : r.comments)
                texts << c.first << c.second;
            for (const QString &t : std::as_const(texts)) {
                if (t.contains(bad))
                    failures << r.id + QLatin1Char(':') + t.left(30);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    // The dose table is the records' ranges, widened only to take in the
    // amounts the formulas give (run tools/data/gen_herb_tables.py when not).
    void doseTableFollowsRecordsAndFormulas()
    {
        QHash<QString, double> highest;
        QHash<QString, double> lowestDecoction;
        for (const classicFormula &f : classicFormulaTable()) {
            if (f.form == QLatin1String("external"))
                continue;
            for (const formulaHerb &h : herbsOf(f)) {
                highest[h.name] = std::max(highest.value(h.name, 0.0), h.dose);
                if (f.form == QLatin1String("decoction"))
                    lowestDecoction[h.name] = std::min(lowestDecoction.value(h.name, 1e9), h.dose);
            }
        }
        QStringList stale;
        for (const herbRecord &r : herbTable()) {
            double lower = -1, upper = -1;
            QVERIFY2(doseRange(r.name, &lower, &upper), qPrintable(r.name));
            double wantLower = 0, wantUpper = 0;
            if (r.doseMax > 0) {
                wantLower = std::min(r.doseMin, lowestDecoction.value(r.name, 1e9));
                wantUpper = std::max(r.doseMax, highest.value(r.name, 0.0));
            }
            if (!sameDose(lower, wantLower) || !sameDose(upper, wantUpper))
                stale << QStringLiteral("%1 %2-%3 (want %4-%5)").arg(r.name, doseText(lower), doseText(upper),
                                                                      doseText(wantLower), doseText(wantUpper));
            // A toxic herb is never accepted above both its pharmacopoeia
            // maximum and every textbook amount of the library.
            if (isToxic(r) && r.doseMax > 0)
                QVERIFY2(upper <= std::max(r.doseMax, highest.value(r.name, 0.0)) + 1e-9, qPrintable(r.name));
        }
        QVERIFY2(stale.isEmpty(), qPrintable(stale.join(QLatin1Char('\n'))));
    }

    // A derivation line names exactly the herbs one formula takes out of and
    // puts into the other (三妙丸 to 四妙丸: out 川牛膝, in 薏苡仁 and 牛膝).
    void derivationLinesAgreeWithTheFormulas()
    {
        const auto herbSet = [](const QString &list) {
            QSet<QString> set;
            for (const QString &h : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
                set.insert(canonicalHerbName(h.trimmed()));
            return set;
        };
        const auto composition = [&herbSet](const QString &name, const QString &book, bool *found) {
            for (const flowUnit &u : flowUnits()) {
                if (u.name == name && u.from == book) {
                    *found = true;
                    return herbSet(u.component);
                }
            }
            *found = false;
            return QSet<QString>();
        };
        QStringList wrong;
        int checked = 0;
        for (const flowLine &l : flowLines()) {
            bool hasFrom = false, hasTo = false;
            const QSet<QString> from = composition(l.fromName, l.fromBook, &hasFrom);
            const QSet<QString> to = composition(l.toName, l.toBook, &hasTo);
            if (!hasFrom || !hasTo)
                continue;
            QSet<QString> in, out;
            for (const QString &part : l.flag.split(QLatin1Char(';'))) {
                const QString p = part.trimmed();
                if (p.startsWith(QLatin1Char('+')))
                    in.unite(herbSet(p.mid(1)));
                else if (p.startsWith(QLatin1Char('-')))
                    out.unite(herbSet(p.mid(1)));
            }
            ++checked;
            if (in != to - from || out != from - to)
                wrong << l.fromName + QLatin1String("->") + l.toName + QLatin1Char(' ') + l.flag;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
        QVERIFY(checked > 100);
    }

    // Herbs for external use only have no internal range.
    void externalUseOnly_data()
    {
        QTest::addColumn<QString>("herb");
        for (const char *h : {"水银", "红粉", "土荆皮", "狼毒", "炉甘石"})
            QTest::newRow(h) << QString::fromUtf8(h);
    }

    void externalUseOnly()
    {
        QFETCH(QString, herb);
        double lower = -1, upper = -1;
        QVERIFY(doseRange(herb, &lower, &upper));
        QCOMPARE(upper, 0.0);
        QVERIFY(isExternalOnly(herb));
        QString name;
        const QString refused = phrase("script", "externalonly").arg(herb);
        for (const char *form : {"decoction", "pill", "powder"})
            QCOMPARE(checkNewEntry({}, herb, 1, &name, QLatin1String(form)), refused);
        QCOMPARE(checkNewEntry({}, herb, 1, &name, QStringLiteral("external")), QString());
        // entered for external use, then analysed as a decoction
        const analysisReport r = analysePrescription(QStringLiteral("decoction"), {{9, QStringLiteral("金银花")}, {1, herb}});
        QVERIFY(!r.ok);
        QCOMPARE(r.message, refused);
        QString out;
        QCOMPARE(runLcq({QStringLiteral("dose"), herb}, &out), 0);
        QCOMPARE(out, QStringLiteral("external use only\n"));
    }

    // Every name of a herb of 十八反 and 十九畏 is caught, in both orders.
    void forbiddenCombinationsUnderEveryName()
    {
        const QList<QPair<QString, QString>> rules = hateList() + opposeList();
        QVERIFY(rules.size() > 50);
        int tried = 0;
        QStringList missed;
        for (const auto &rule : rules) {
            for (const QString &a : namesOf(rule.first)) {
                for (const QString &b : namesOf(rule.second)) {
                    QString first, second;
                    const textSet both = {canonicalHerbName(a), canonicalHerbName(b)};
                    ++tried;
                    if (findIncompatibleHerbs(both, &first, &second))
                        missed << a + QLatin1Char('+') + b;
                    else if (QSet<QString>{first, second} != both)
                        missed << a + QLatin1Char('+') + b + QLatin1String(" as ") + first + QLatin1Char('+') + second;
                }
            }
        }
        QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QLatin1Char(' '))));
        QVERIFY(tried > 1000);
    }

    // The common, processed and pharmacy names lead to their records.
    void pharmacyNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("herb");
        const char *names[][2] = {
            {"乌头", "川乌"}, {"川乌头", "川乌"}, {"生川乌", "川乌"}, {"制川乌", "川乌"}, {"草乌头", "草乌"},
            {"附片", "附子"}, {"黑顺片", "附子"}, {"白附片", "附子"}, {"淡附片", "附子"}, {"炮附片", "附子"},
            {"川贝", "川贝母"}, {"浙贝", "浙贝母"}, {"象贝", "浙贝母"}, {"大贝", "浙贝母"}, {"栝楼", "瓜蒌"},
            {"瓜蒌仁", "瓜蒌子"}, {"花粉", "天花粉"}, {"白芨", "白及"}, {"元参", "玄参"}, {"山参", "人参"},
            {"法半夏", "半夏"}, {"炙甘草", "甘草"}, {"醋甘遂", "甘遂"}, {"砒霜", "砒石"}, {"巴豆霜", "巴豆"},
            {"黑丑", "牵牛子"}, {"官桂", "肉桂"}, {"朴硝", "芒硝"}, {"玄明粉", "芒硝"}, {"辰砂", "朱砂"},
            {"番木鳖", "马钱子"}, {"清酒", "黄酒"}, {"胡粉", "铅粉"}, {"赤硝", "硝石"}, {"海带", "昆布"},
        };
        for (const auto &n : names)
            QTest::newRow(n[0]) << QString::fromUtf8(n[0]) << QString::fromUtf8(n[1]);
    }

    void pharmacyNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, herb);
        bool found = false;
        QCOMPARE(findHerbByName(typed, &found).name, herb);
        QVERIFY(found);
    }

    // Named by the task of the library: the textbook formulas pass through
    // lcq, and 乌头 with 半夏 is refused.
    void lcqAcceptsTextbookFormulas_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("herbs");
        QTest::newRow("小柴胡汤") << QStringLiteral("decoction")
            << QStringList{QStringLiteral("柴胡:24"), QStringLiteral("黄芩:9"), QStringLiteral("人参:9"), QStringLiteral("半夏:9"),
                           QStringLiteral("生姜:9"), QStringLiteral("大枣:12"), QStringLiteral("炙甘草:9")};
        QTest::newRow("二陈汤") << QStringLiteral("decoction")
            << QStringList{QStringLiteral("半夏:15"), QStringLiteral("橘红:15"), QStringLiteral("茯苓:9"), QStringLiteral("生姜:9"),
                           QStringLiteral("乌梅:3"), QStringLiteral("炙甘草:5")};
        QTest::newRow("小青龙汤") << QStringLiteral("decoction")
            << QStringList{QStringLiteral("麻黄:9"), QStringLiteral("桂枝:9"), QStringLiteral("干姜:6"), QStringLiteral("细辛:6"),
                           QStringLiteral("五味子:6"), QStringLiteral("白芍:9"), QStringLiteral("半夏:9"), QStringLiteral("炙甘草:6")};
        QTest::newRow("朱砂安神丸") << QStringLiteral("pill")
            << QStringList{QStringLiteral("朱砂:0.5"), QStringLiteral("黄连:6"), QStringLiteral("生地黄:2"), QStringLiteral("当归:3"),
                           QStringLiteral("炙甘草:5")};
    }

    void lcqAcceptsTextbookFormulas()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, herbs);
        QString out, err;
        QCOMPARE(runLcq(QStringList{QStringLiteral("analyse"), QStringLiteral("--form"), form} + herbs, &out, &err), 0);
        QVERIFY2(out.startsWith(QStringLiteral("功效：")), qPrintable(out + err));
    }

    void lcqRefusesWutouWithBanxia()
    {
        QString out, err;
        QCOMPARE(runLcq({QStringLiteral("analyse"), QStringLiteral("乌头:3"), QStringLiteral("半夏:9")}, &out, &err), 3);
        QCOMPARE(out, phrase("herb", "valid_herb_pair2").arg(QStringLiteral("川乌"), QStringLiteral("半夏")) + QLatin1Char('\n'));
    }
};

QTEST_GUILESS_MAIN(tst_library)
#include "tst_library.moc"
