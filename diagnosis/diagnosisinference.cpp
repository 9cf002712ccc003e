#include "diagnosisinference.h"

#include "acupuncture/acupointdata.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientrecord.h"
#include "formulas/formulalibrary.h"
#include "text/phrasedictionary.h"

#include <algorithm>
#include <vector>

namespace {

QString diagnosisPhrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

bool allSelected(const QSet<QString> &answers, const QStringList &ids)
{
    for (const QString &id : ids) {
        if (!answers.contains(id))
            return false;
    }
    return true;
}

// Stage 6: one cell; true when it fired. done is the cell's flag of this run.
bool fireCell(diagnosisContext &c, const diagnosisCell &cell, bool &done, int age)
{
    if (done)
        return false;
    if (!cell.mainsuit.isEmpty() && cell.mainsuit != c.mainsuit) {
        done = true;
        return false;
    }
    if (cell.age.size() >= 2) {
        const int limit = cell.age.mid(1).toInt();
        if (cell.age.at(0) == QLatin1Char('(') && age >= limit)
            return false;
        if (cell.age.at(0) == QLatin1Char(')') && age <= limit)
            return false;
    }
    scoreTable &s = c.scores;
    QStringList matchedKeys;
    if (!cell.key.isEmpty()) {
        if (s.size() < cell.key.size())
            return false;
        for (const QStringList &part : std::as_const(cell.key)) {
            bool any = false;
            for (const QString &alternative : part) {
                if (s.contains(alternative)) {
                    matchedKeys << alternative;
                    any = true;
                }
            }
            if (!any)
                return false;
        }
    }
    QStringList matchedItems;
    if (cell.count > 0 && !cell.items.isEmpty()) {
        for (const QString &item : std::as_const(cell.items)) {
            if (s.contains(item) && !matchedItems.contains(item))
                matchedItems << item;
        }
        if (matchedItems.size() < cell.count)
            return false;
    }

    done = true;
    s.ensure(cell.id);
    if (matchedKeys.size() >= cell.key.size())
        s.add(cell.id, 1);
    if (matchedItems.size() >= cell.count)
        s.add(cell.id, (int(matchedItems.size()) + 1) / 2);
    s.addEvidence(cell.id, matchedKeys);
    for (const QString &k : std::as_const(matchedKeys)) {
        if (s.contains(k)) {
            s.add(cell.id, s.score(k));
            s.addEvidence(cell.id, k);
        }
    }
    for (const QString &k : std::as_const(matchedItems)) {
        if (s.contains(k)) {
            s.add(cell.id, s.score(k));
            s.addEvidence(cell.id, k);
        }
    }
    s.addEvidence(cell.id, cell.aux);
    return true;
}

QString candidateNames(const QMap<QString, int> &candidates)
{
    QStringList names;
    for (auto it = candidates.constBegin(); it != candidates.constEnd(); ++it)
        names << lookupCodeName(it.key());
    return names.join(QLatin1Char(','));
}

// The candidate of highest score; on equal scores the later code wins.
QString bestPattern(const QMap<QString, int> &common)
{
    QString best;
    int bestScore = 0;
    for (auto it = common.constBegin(); it != common.constEnd(); ++it) {
        if (it.value() >= bestScore) {
            best = it.key();
            bestScore = it.value();
        }
    }
    return best;
}

QMap<QString, int> candidatesAmong(const QMap<QString, int> &candidates, const QStringList &codes)
{
    QMap<QString, int> common;
    for (auto it = candidates.constBegin(); it != candidates.constEnd(); ++it) {
        if (codes.contains(it.key()))
            common.insert(it.key(), it.value());
    }
    return common;
}

void formulaSide(diagnosisContext &c)
{
    if (c.candidates.isEmpty()) {
        c.formulaText = diagnosisPhrase("badoperation");
        return;
    }
    const QStringList covered = patternsForSymptom(c.mainsuit);
    if (covered.isEmpty()) {
        c.formulaNotCovered = true;
        return;
    }
    const QMap<QString, int> common = candidatesAmong(c.candidates, covered);
    if (common.isEmpty()) {
        if (c.candidates.size() < 6)
            c.formulaText = diagnosisPhrase("possiblepathema1").arg(candidateNames(c.candidates));
        else
            c.formulaText = diagnosisPhrase("badoperation");
        return;
    }
    const QString pattern = bestPattern(common);
    c.formulaPattern = pattern;

    QSet<QString> facts = c.answers;
    for (const QString &k : c.scores.keys())
        facts.insert(k);
    facts.insert(c.mainsuit);
    QList<formulaProposal> proposals = formulasForSymptomAndPattern(c.mainsuit, pattern);
    std::stable_sort(proposals.begin(), proposals.end(), [](const formulaProposal &a, const formulaProposal &b) {
        return a.conditions.size() > b.conditions.size();
    });
    // The most specific proposal whose conditions all hold: the first of
    // the sorted list.
    for (const formulaProposal &p : std::as_const(proposals)) {
        if (facts.contains(p.conditions)) {
            c.formulaText = formulaProposalText(p) + patternSummary(c, pattern);
            return;
        }
    }
    c.formulaText = diagnosisPhrase("no_script");
}

QStringList commaItems(const QString &text)
{
    QStringList out;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString t = part.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

bool modifierApplies(const acuModify &m, const scoreTable &facts)
{
    const QStringList parts = commaItems(m.condition);
    if (parts.isEmpty())
        return false;
    for (const QString &p : parts) {
        if (!facts.contains(p))
            return false;
    }
    return true;
}

void acupunctureSide(diagnosisContext &c)
{
    if (c.candidates.isEmpty()) {
        c.acuText = diagnosisPhrase("badoperation");
        return;
    }
    const QList<acuScriptBlock> blocks = findAcuScripts(c.mainsuit);
    if (blocks.isEmpty()) {
        c.acuNotCovered = true;
        return;
    }
    const QMap<QString, int> common = candidatesAmong(c.candidates, acuScriptIds(c.mainsuit));
    if (common.isEmpty()) {
        c.acuText = diagnosisPhrase("possiblepathema1").arg(candidateNames(c.candidates));
        return;
    }
    const QString pattern = bestPattern(common);
    c.acuPattern = pattern;
    for (const acuScriptBlock &block : blocks) {
        for (const acuScriptCase &acuCase : block.cases) {
            if (acuCase.id != pattern)
                continue;
            const QStringList method = commaItems(block.method) + commaItems(acuCase.methodModify);
            QStringList points;
            const auto addPoints = [&points](const QString &list) {
                for (const QString &p : commaItems(list)) {
                    if (!points.contains(p))
                        points << p;
                }
            };
            addPoints(block.acus);
            addPoints(acuCase.acuIds);
            for (const acuModify &m : block.modifiers) {
                if (modifierApplies(m, c.scores))
                    addPoints(m.acus);
            }
            QString text = diagnosisPhrase("acuScript")
                               .arg(method.join(QLatin1Char(',')), points.join(QLatin1Char(',')), acuCase.how);
            text.replace(QLatin1Char('@'), QLatin1Char('\n'));
            c.acuText = text + patternSummary(c, pattern);
        }
    }
}

QString sideText(const QString &text, bool notCovered)
{
    return notCovered ? diagnosisPhrase("current_mainsuit_isnt_support") : text;
}

} // namespace

bool isPatternCode(const QString &code)
{
    if (code.size() != 4)
        return false;
    const qsizetype first = code.at(0) == QLatin1Char('F') ? 1 : 0;
    for (qsizetype i = first; i < code.size(); ++i) {
        if (code.at(i) < QLatin1Char('0') || code.at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}

diagnosisContext buildDiagnosisContext(const QString &mainsuit, const QSet<QString> &answers)
{
    const diagnosisNode &node = diagnosisNode::instance();
    diagnosisContext c;
    // Shared with the engine: a run keeps its cells' flags beside them.
    c.rules = node.rules();
    c.cellOrder = node.cellsForComplaint(mainsuit);
    c.restrictions = node.restrictionTable();
    c.mainsuit = mainsuit;
    c.answers = answers;
    const auto own = c.rules.mainsuitMap.constFind(mainsuit);
    if (own != c.rules.mainsuitMap.constEnd())
        c.answers.insert(own.value());
    for (const QString &a : std::as_const(c.answers))
        c.scores.ensure(a);
    return c;
}

void inferPatterns(diagnosisContext &c)
{
    // Stage 1: enough information.
    if (c.answers.size() <= 3) {
        c.insufficient = true;
        c.formulaText = diagnosisPhrase("insufficientinformation");
        return;
    }
    scoreTable &s = c.scores;
    const diagnosisRules &r = c.rules;

    // Stage 2: units (the code "0000" marks a normal finding), in ascending
    // order of the answer.
    QStringList selected(c.answers.begin(), c.answers.end());
    selected.sort();
    for (const QString &answer : std::as_const(selected)) {
        const auto it = r.unitMap.constFind(answer);
        if (it != r.unitMap.constEnd() && it.value() != QLatin1String("0000")) {
            s.add(it.value(), 1);
            s.addEvidence(it.value(), it.key());
        }
    }
    // Stage 3: group rules.
    for (const codeRule &rule : r.groupRules) {
        if (allSelected(c.answers, rule.parts)) {
            s.add(rule.code, int(rule.parts.size()) / 2 + 2);
            s.addEvidence(rule.code, rule.parts);
        }
    }
    // Stage 4: atoms (compound symptoms).
    for (const codeRule &rule : r.atomRules) {
        if (allSelected(c.answers, rule.parts)) {
            s.add(rule.code, int(rule.parts.size()));
            s.addEvidence(rule.code, rule.parts);
        }
    }
    // Stage 5: one-of rules, on the facts.
    for (const codeRule &rule : r.oneRules) {
        for (const QString &a : rule.parts) {
            if (s.contains(a)) {
                s.add(rule.code, 1);
                s.addEvidence(rule.code, a);
            }
        }
    }
    // Stage 6: cells, pass after pass until one fires nothing. Only the
    // cells the complaint can fire are walked, in list order; a cell of
    // another complaint would only be marked done.
    const int age = patientRecord::age();
    const QList<diagnosisCell> &cells = c.rules.cellList;
    std::vector<bool> done(size_t(c.cellOrder.size()), false);
    bool fired = true;
    while (fired) {
        fired = false;
        for (qsizetype i = 0; i < c.cellOrder.size(); ++i) {
            bool cellDone = done[size_t(i)];
            if (fireCell(c, cells.at(c.cellOrder.at(i)), cellDone, age))
                fired = true;
            done[size_t(i)] = cellDone;
        }
    }
    // Stage 7: growth.
    for (const codeRule &rule : r.growRules) {
        if (!s.contains(rule.code))
            continue;
        for (const QString &base : rule.parts) {
            if (s.contains(base)) {
                s.add(rule.code, s.score(base));
                s.addEvidence(rule.code, base);
            }
        }
    }
    // Stage 8: candidates.
    const auto &entries = s.entries();
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it) {
        if (it.value().score >= 2 && !it.key().startsWith(QLatin1Char('3')) && isPatternCode(it.key()))
            c.candidates.insert(it.key(), it.value().score);
    }
}

void choosePrescription(diagnosisContext &c)
{
    if (c.insufficient)
        return;
    formulaSide(c);
    acupunctureSide(c);
}

diagnosisContext runInference(const QString &mainsuit, const QSet<QString> &answers)
{
    diagnosisContext c = buildDiagnosisContext(mainsuit, answers);
    inferPatterns(c);
    choosePrescription(c);
    return c;
}

prescriptionSide resultSide(const diagnosisContext &c, prescriptionSide chosen)
{
    if (!c.formulaNotCovered && c.formulaText.isEmpty())
        return prescriptionSide::acupuncture;
    if (!c.acuNotCovered && c.acuText.isEmpty())
        return prescriptionSide::formula;
    if (c.formulaNotCovered)
        return prescriptionSide::acupuncture;
    if (c.acuNotCovered || c.acuText == c.formulaText)
        return prescriptionSide::formula;
    return chosen;
}

bool needsPrescriptionChoice(const diagnosisContext &c)
{
    return resultSide(c, prescriptionSide::formula) == prescriptionSide::formula
        && resultSide(c, prescriptionSide::acupuncture) == prescriptionSide::acupuncture;
}

QString diagnosisResultText(const diagnosisContext &c, prescriptionSide chosen)
{
    if (resultSide(c, chosen) == prescriptionSide::formula)
        return sideText(c.formulaText, c.formulaNotCovered);
    return sideText(c.acuText, c.acuNotCovered);
}

QString resultPattern(const diagnosisContext &c, prescriptionSide chosen)
{
    if (resultSide(c, chosen) == prescriptionSide::formula)
        return c.formulaNotCovered ? QString() : c.formulaPattern;
    return c.acuNotCovered || c.acuText.isEmpty() ? QString() : c.acuPattern;
}

QString formulaProposalText(const formulaProposal &p)
{
    const QString nl = QStringLiteral("\n");
    QString text = diagnosisPhrase("scriptname") + p.name;
    if (!p.method.isEmpty())
        text += nl + diagnosisPhrase("script_target").arg(p.method);
    text += nl + p.form + nl;
    for (const herbLine &h : p.herbs) {
        text += h.name + QStringLiteral(" - ") + h.dose;
        if (!h.method.isEmpty())
            text += QLatin1Char(' ') + h.method;
        text += nl;
    }
    text += nl;
    text += lookupPhrase(QStringLiteral("script"), QStringLiteral("chinese_patent_durg")) + p.pill + nl;
    if (!p.acupuncture.isEmpty())
        text += p.acupuncture + nl;
    text += lookupPhrase(QStringLiteral("script"), QStringLiteral("usage")) + p.usage + nl;
    text += lookupPhrase(QStringLiteral("script"), QStringLiteral("taboo")) + p.taboo + nl;
    return text;
}

QString patternSummary(const diagnosisContext &c, const QString &pattern)
{
    // Expand the evidence: atoms stay atoms, short entries are codes whose
    // own evidence is expanded (once each), the rest are answer ids.
    QSet<QString> answerIds, atoms, seen{pattern};
    QStringList queue = c.scores.evidence(pattern).values();
    while (!queue.isEmpty()) {
        const QString e = queue.takeFirst();
        if (e.startsWith(QLatin1Char('3'))) {
            atoms.insert(e);
        } else if (e.size() < 5) {
            if (!seen.contains(e)) {
                seen.insert(e);
                queue << c.scores.evidence(e).values();
            }
        } else {
            answerIds.insert(e);
        }
    }
    QStringList sortedAnswers = answerIds.values();
    sortedAnswers.sort();
    QStringList sortedAtoms = atoms.values();
    sortedAtoms.sort();

    QString text = QStringLiteral("\n辨证:") + lookupCodeName(pattern) + QLatin1Char('\n');
    text += QStringLiteral("主诉:") + lookupCodeName(c.mainsuit) + QLatin1Char('\n');
    text += QStringLiteral("症状:\n");
    const diagnosisNode &node = diagnosisNode::instance();
    for (const QString &id : std::as_const(sortedAnswers)) {
        const questionItem *item = node.findAnswer(id);
        const QString line = item ? item->summaryText() : QString();
        if (!line.isEmpty())
            text += QStringLiteral("%1 \n").arg(line);
    }
    for (const QString &atom : std::as_const(sortedAtoms)) {
        const QString line = lookupCodeName(atom);
        if (!line.isEmpty())
            text += QStringLiteral("%1 \n").arg(line);
    }
    return text;
}

QString checkPatientAgainstComplaint(const QString &mainsuit)
{
    const diagnosisNode &node = diagnosisNode::instance();
    const int age = patientRecord::age();
    const bool male = patientRecord::isMale();
    bool allowed = false;
    switch (node.departmentOf(mainsuit)) {
    case 0: allowed = age > 11; break;          // 内科
    case 1: allowed = true; break;              // 外科
    case 2: allowed = !male && age >= 13; break; // 妇科
    case 3: allowed = age < 13; break;          // 儿科
    case 4: allowed = true; break;              // 急科
    case 5: allowed = male && age >= 18; break; // 男科
    default: allowed = false; break;
    }
    if (allowed) {
        const complaintEntry *entry = node.complaint(mainsuit);
        const QString limit = entry ? entry->age : QString();
        if (limit.size() >= 2) {
            const int n = limit.mid(1).toInt();
            allowed = limit.at(0) == QLatin1Char('(') ? age < n : age > n;
        }
    }
    if (!allowed)
        return QStringLiteral("contradication_patient_info");
    if (patientRecord::isPregnant())
        return QStringLiteral("not_support_pregnancy");
    return QString();
}

bool parseSymptomTestInput(const QString &input, QString *mainsuit, QSet<QString> *answers)
{
    const QStringList parts = input.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 2)
        return false;
    *mainsuit = parts.at(0).trimmed();
    answers->clear();
    for (const QString &a : parts.at(1).split(QLatin1Char(',')))
        answers->insert(a.trimmed());
    return true;
}
