// The shipped diagnosis knowledge: every typical case of the complaint
// sources (tests/data/diagnosis_cases.tsv) through the engine, as the symptom
// test and lcq run it.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientrecord.h"
#include "formulas/formulalibrary.h"
#include "knowledge/knowledgearchive.h"
#include "text/phrasedictionary.h"

#include <QFile>
#include <QtTest>

namespace {

struct typicalCase
{
    QString complaint;
    int age = 0;
    QString sex;
    QString state;
    QString expected;
    QString formula;
    QString points;
    QStringList answers;
    QString note;
};

QList<typicalCase> readCases()
{
    QList<typicalCase> cases;
    QFile f(sourcePath(QStringLiteral("tests/data/diagnosis_cases.tsv")));
    if (!f.open(QIODevice::ReadOnly))
        return cases;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList p = line.split(QLatin1Char('\t'));
        if (p.size() < 9)
            continue;
        cases.append({p.at(0), p.at(1).toInt(), p.at(2), p.at(3), p.at(4), p.at(5), p.at(6),
                      p.at(7).split(QLatin1Char(','), Qt::SkipEmptyParts), p.at(8)});
    }
    return cases;
}

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

void setPatient(const typicalCase &c)
{
    patientRecord::setProfileDefaults();
    patientRecord::setValue(QStringLiteral("age"), QString::number(c.age));
    patientRecord::setValue(QStringLiteral("sex"), c.sex);
    patientRecord::setValue(QStringLiteral("state"), c.state);
}

} // namespace

class tst_diagnosiscases : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(loadStartupKnowledge());
        QVERIFY(!readCases().isEmpty());
    }

    void starterComplaintsAreCatalogued_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("department");
        // The chooser's default complaint of each department tab.
        QTest::newRow("内科") << "9024" << 0;
        QTest::newRow("外科") << "9134" << 1;
        QTest::newRow("妇科") << "9280" << 2;
        QTest::newRow("儿科") << "9310" << 3;
        QTest::newRow("急科") << "9900" << 4;
        QTest::newRow("男科") << "9074" << 5;
    }

    void starterComplaintsAreCatalogued()
    {
        QFETCH(QString, code);
        QFETCH(int, department);
        const diagnosisNode &node = diagnosisNode::instance();
        QCOMPARE(node.departmentOf(code), department);
        QVERIFY(!lookupCodeName(code).isEmpty());
        QVERIFY(!node.complaintDescription(code).isEmpty());
        QVERIFY(!patternsForSymptom(code).isEmpty());
        for (const QString &group : node.complaintGroups(code))
            QVERIFY2(node.group(group), qPrintable(group));
        // Every pattern with a formula has an acupuncture case too.
        const QStringList acupuncture = acuScriptIdsFor(code);
        for (const QString &pattern : patternsForSymptom(code)) {
            QVERIFY2(acupuncture.contains(pattern), qPrintable(pattern));
            QVERIFY2(!lookupCodeName(pattern).isEmpty(), qPrintable(pattern));
        }
    }

    void constitutionListIsShipped()
    {
        // The constitution box of the patient profile: every item is a named
        // code, shown under the name the summary will print, and none twice.
        const QList<inbornItem> &items = diagnosisNode::instance().inbornItems();
        QVERIFY(items.size() >= 15);
        QSet<QString> ids;
        for (const inbornItem &item : items) {
            QVERIFY2(!ids.contains(item.id), qPrintable(item.id));
            ids.insert(item.id);
            QCOMPARE(item.name, lookupCodeName(item.id));
        }
        QVERIFY(ids.contains(QStringLiteral("0273")));
        QVERIFY(ids.contains(QStringLiteral("0058")));
    }

    void typicalCases_data()
    {
        QTest::addColumn<int>("index");
        const QList<typicalCase> cases = readCases();
        QMap<QString, int> perComplaint;
        for (int i = 0; i < cases.size(); ++i) {
            const typicalCase &c = cases.at(i);
            const int n = ++perComplaint[c.complaint];
            QTest::newRow(qPrintable(QStringLiteral("%1 case %2 (%3)").arg(c.complaint).arg(n).arg(c.expected))) << i;
        }
    }

    void typicalCases()
    {
        QFETCH(int, index);
        const typicalCase c = readCases().at(index);
        setPatient(c);
        QCOMPARE(checkPatientAgainstComplaint(c.complaint), QString());
        const diagnosisContext context = runInference(c.complaint, QSet<QString>(c.answers.begin(), c.answers.end()));
        if (c.expected == QLatin1String("insufficient")) {
            QVERIFY(context.insufficient);
            QCOMPARE(diagnosisResultText(context), phrase("insufficientinformation"));
            return;
        }
        if (c.expected == QLatin1String("none")) {
            // Scattered findings never give a confident pattern: nothing or a
            // list of possible patterns.
            QVERIFY2(context.formulaPattern.isEmpty(), qPrintable(c.note + QLatin1Char(' ') + context.formulaPattern));
            const QString text = diagnosisResultText(context, prescriptionSide::formula);
            QVERIFY2(text == phrase("badoperation") || text.startsWith(phrase("possiblepathema1").section(QLatin1String("%1"), 0, 0)),
                     qPrintable(text));
            return;
        }
        // The case reaches its pattern, ahead of every other candidate.
        QVERIFY2(context.candidates.contains(c.expected), qPrintable(c.note));
        const int score = context.candidates.value(c.expected);
        for (auto it = context.candidates.constBegin(); it != context.candidates.constEnd(); ++it) {
            if (it.key() != c.expected)
                QVERIFY2(it.value() < score, qPrintable(QStringLiteral("%1 scores %2, %3 scores %4")
                                                            .arg(it.key()).arg(it.value()).arg(c.expected).arg(score)));
        }
        QCOMPARE(context.formulaPattern, c.expected);
        QCOMPARE(context.acuPattern, c.expected);
        const QString formula = diagnosisResultText(context, prescriptionSide::formula);
        QVERIFY2(formula.startsWith(phrase("scriptname") + c.formula + QLatin1Char('\n')), qPrintable(formula));
        QVERIFY(formula.contains(QStringLiteral("辨证:") + lookupCodeName(c.expected) + QLatin1Char('\n')));
        QVERIFY(formula.contains(QStringLiteral("主诉:") + lookupCodeName(c.complaint) + QLatin1Char('\n')));
        const QString acupuncture = diagnosisResultText(context, prescriptionSide::acupuncture);
        const QString pointsLine = acupuncture.section(QLatin1Char('\n'), 1, 1);
        QVERIFY2(pointsLine.startsWith(QStringLiteral("选穴：")), qPrintable(acupuncture));
        const QStringList points = pointsLine.mid(3).split(QLatin1Char(','));
        for (const QString &point : c.points.split(QLatin1Char(',')))
            QVERIFY2(points.contains(point), qPrintable(pointsLine));
    }

    void acupunctureModifiersUseAnswers()
    {
        // Every condition of a modifier of the shipped prescriptions is an
        // answer id or a code, so that it can hold.
        const diagnosisNode &node = diagnosisNode::instance();
        for (const QString &code : node.complaintCodes()) {
            for (const acuScriptBlock &block : findAcuScripts(code)) {
                for (const acuModify &m : block.modifiers) {
                    for (const QString &part : m.condition.split(QLatin1Char(','))) {
                        QVERIFY2(node.findAnswer(part) || isPatternCode(part), qPrintable(code + QLatin1Char(' ') + part));
                    }
                }
            }
        }
    }

    void lcqDiagnosesTheFirstCaseOfEachComplaint()
    {
        QSet<QString> done;
        for (const typicalCase &c : readCases()) {
            if (done.contains(c.complaint) || c.expected == QLatin1String("insufficient"))
                continue;
            done.insert(c.complaint);
            QString out;
            const QStringList args = {QStringLiteral("diagnose"), QStringLiteral("--age"), QString::number(c.age),
                                      QStringLiteral("--sex"), c.sex, QStringLiteral("--state"), c.state,
                                      c.complaint, c.answers.join(QLatin1Char(','))};
            QCOMPARE(runLcq(args, &out), 0);
            QVERIFY2(out.startsWith(phrase("scriptname") + c.formula + QLatin1Char('\n')), qPrintable(out));
        }
        QCOMPARE(done.size(), diagnosisNode::instance().complaintCount());
    }

private:
    static QStringList acuScriptIdsFor(const QString &code);
};

QStringList tst_diagnosiscases::acuScriptIdsFor(const QString &code)
{
    QStringList ids;
    for (const acuScriptBlock &block : findAcuScripts(code))
        for (const acuScriptCase &c : block.cases)
            ids << c.id;
    return ids;
}

QTEST_GUILESS_MAIN(tst_diagnosiscases)
#include "tst_diagnosiscases.moc"
