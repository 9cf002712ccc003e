#ifndef ANSWERFILTER_H
#define ANSWERFILTER_H

#include <QList>
#include <QString>
#include <QStringList>

struct questionItem;
struct questionList;

// What a consultation shows of the questionnaires to one patient with one
// main complaint: questions by their age rule, answers by complaint, sex
// and age. The consultation pages and lcq use the same rules.
class answerFilter
{
public:
    answerFilter(const QString &mainsuit, bool male, int age);
    // The patient of the process-wide record.
    static answerFilter forPatient(const QString &mainsuit);

    // The age rule of a question: "age(N" shows it to patients younger
    // than N, "age)N" to patients older than N; empty shows it always.
    bool ruleShows(const QString &rule) const;
    bool answerShown(const questionItem &item) const;
    QList<const questionItem *> visibleAnswers(const questionList &question) const;
    // A question is shown when its rule allows it and at least one of its
    // answers is visible.
    bool questionShown(const questionList &question) const;

    // A check box that is ticked and cannot be changed: the item says so, or
    // it stands for one of the groups the complaint needs (in the chooser).
    bool answerLocked(const questionItem &item) const;

    // The groups a consultation for the complaint can show: the complaint's
    // own groups, every group the chooser "888" offers, then "999".
    QStringList consultationGroups() const;

    QString mainsuit() const { return m_mainsuit; }
    bool male() const { return m_male; }
    int age() const { return m_age; }

private:
    bool conditionHolds(const QString &condition) const;

    QString m_mainsuit;
    bool m_male = true;
    int m_age = 0;
};

#endif
