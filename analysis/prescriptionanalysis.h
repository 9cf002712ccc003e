#ifndef PRESCRIPTIONANALYSIS_H
#define PRESCRIPTIONANALYSIS_H

#include "pairresult.h"
#include "prescriptionentry.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// One analysis of a prescription: which classic formulas, super pairs, herb
// groups, pairs and single-herb units it contains, checked against the dosage
// form and the incompatibility rules. Made for one run and thrown away.
class prescriptionAnalysis
{
public:
    // Receives the progress of a run (0 to 100); -1 when the run ends.
    using progressSink = std::function<void(int)>;

    void setProgressSink(progressSink sink) { m_progress = std::move(sink); }
    void setInput(const QString &form, const QList<prescriptionEntry> &entries);
    bool analyse();

    QStringList resultFunctions() const { return sortedTexts(m_functions); }
    QStringList resultTargets() const { return sortedTexts(m_targets); }
    QStringList resultTaboos() const { return sortedTexts(m_taboos); }
    const QList<pairResult> &pairResults() const { return m_pairResults; }
    QString explanationText() const { return m_explanation; }
    QString notesText() const { return m_notes; }
    QString failureText() const { return m_failure; }

    // Inspection of a finished run.
    const QList<int> &matchedFormulas() const { return m_matched; }
    QString roleOf(const QString &herb) const { return m_roles.value(herb); }
    int usageOf(const QString &herb) const { return m_usage.value(herb); }
    const QStringList &missingEnvoys() const { return m_missing; }

private:
    void progress(int value) const;
    bool fail(const QString &text, int lastProgress = -2);
    bool prescribed(const QString &herb) const { return m_entries.contains(herb); }
    void matchClassicFormulas();
    void matchSuperPairs();
    void addFormulaTexts();
    void applyCommonGroups();
    void addSuperPairTexts();
    void matchHerbPairs();
    void addSingleHerbUnits();
    void buildExplanation();

    progressSink m_progress;
    QStringList m_herbs;
    QSet<QString> m_herbSet; // the same names, for the table indexes
    QHash<QString, prescriptionEntry> m_entries;
    QHash<QString, int> m_usage;
    QHash<QString, QString> m_roles;
    QString m_form;
    QList<int> m_matched;
    QMap<int, int> m_superUnits;
    QSet<int> m_foundPairs;
    QStringList m_missing;
    textSet m_functions;
    textSet m_targets;
    textSet m_taboos;
    QList<pairResult> m_pairResults;
    QString m_explanation;
    QString m_notes;
    QString m_failure;
};

#endif
