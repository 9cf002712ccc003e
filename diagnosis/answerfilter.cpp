#include "answerfilter.h"

#include "diagnosisnode.h"
#include "patientrecord.h"

answerFilter::answerFilter(const QString &mainsuit, bool male, int age)
    : m_mainsuit(mainsuit), m_male(male), m_age(age)
{
}

answerFilter answerFilter::forPatient(const QString &mainsuit)
{
    return answerFilter(mainsuit, patientRecord::isMale(), patientRecord::age());
}

// A condition holds (and so hides the question) unless it is an age limit
// that the patient meets.
bool answerFilter::conditionHolds(const QString &condition) const
{
    if (condition.contains(QLatin1Char(':')))
        return true;
    for (const QChar separator : {QLatin1Char('('), QLatin1Char(')')}) {
        const qsizetype at = condition.indexOf(separator);
        if (at < 0)
            continue;
        if (condition.left(at) != QLatin1String("age"))
            return true;
        const int limit = condition.mid(at + 1).toInt();
        if (separator == QLatin1Char('('))
            return !(m_age < limit);
        return !(m_age > limit);
    }
    return true;
}

bool answerFilter::ruleShows(const QString &rule) const
{
    if (rule.isEmpty())
        return true;
    bool shown = true;
    for (const QString &condition : rule.split(QLatin1Char('|')))
        shown = shown != conditionHolds(condition);
    return shown;
}

bool answerFilter::answerShown(const questionItem &item) const
{
    if (!item.mainsuit.isEmpty() && item.mainsuit != m_mainsuit)
        return false;
    if (!item.sex.isEmpty()) {
        if (item.sex == QLatin1String("male")) {
            if (!m_male)
                return false;
        } else if (item.sex == QLatin1String("female")) {
            if (m_male)
                return false;
        } else {
            return false;
        }
    }
    if (item.age.size() >= 2) {
        const int limit = item.age.mid(1).toInt();
        if (item.age.at(0) == QLatin1Char('(') && !(m_age < limit))
            return false;
        if (item.age.at(0) == QLatin1Char(')') && !(m_age > limit))
            return false;
    }
    return true;
}

QList<const questionItem *> answerFilter::visibleAnswers(const questionList &question) const
{
    QList<const questionItem *> out;
    for (const questionItem &item : question.items) {
        if (answerShown(item))
            out << &item;
    }
    return out;
}

bool answerFilter::questionShown(const questionList &question) const
{
    if (!ruleShows(question.rule))
        return false;
    for (const questionItem &item : question.items) {
        if (answerShown(item))
            return true;
    }
    return false;
}

bool answerFilter::answerLocked(const questionItem &item) const
{
    if (item.checked == QLatin1String("true"))
        return true;
    if (item.reasons.isEmpty())
        return false;
    const QString first = item.reasons.first().name;
    if (first.isEmpty())
        return false;
    for (const QString &id : diagnosisNode::instance().complaintGroups(m_mainsuit)) {
        if (id.trimmed() == first)
            return true;
    }
    return false;
}

QStringList answerFilter::consultationGroups() const
{
    const diagnosisNode &node = diagnosisNode::instance();
    QStringList groups;
    const auto add = [&groups](const QString &id) {
        if (!id.isEmpty() && !groups.contains(id))
            groups << id;
    };
    for (const QString &id : node.complaintGroups(m_mainsuit))
        add(id);
    if (const questionGroup *chooser = node.group(QStringLiteral("888"))) {
        for (const questionList &question : chooser->lists) {
            if (!questionShown(question))
                continue;
            for (const questionItem *item : visibleAnswers(question)) {
                for (const QString &id : item->chosenGroups())
                    add(id.trimmed());
            }
        }
    }
    add(QStringLiteral("999"));
    return groups;
}
