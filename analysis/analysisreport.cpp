#include "analysisreport.h"

#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "pairs/pairrules.h"
#include "prescriptionanalysis.h"
#include "text/phrasedictionary.h"

namespace {

void addTranslated(QStringList &out, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QStringList parts = entry.split(QLatin1Char(','));
        for (const QString &p : parts) {
            const QString t = translateCode(p);
            if (!t.isEmpty())
                out << t;
        }
    }
}

QStringList withoutRepeats(const QStringList &list)
{
    QStringList out;
    for (const QString &s : list) {
        if (!out.contains(s))
            out << s;
    }
    return out;
}

} // namespace

analysisReport analysePrescription(const QString &form, const QList<prescriptionEntry> &entries,
                                   const std::function<void(int)> &progress)
{
    analysisReport result;
    if (entries.isEmpty())
        return result;
    prescriptionAnalysis analysis;
    analysis.setProgressSink(progress);
    analysis.setInput(form, entries);
    if (!analysis.analyse()) {
        result.message = analysis.failureText();
        return result;
    }

    QStringList f, t, b;
    addTranslated(f, analysis.resultFunctions());
    addTranslated(t, analysis.resultTargets());
    addTranslated(b, analysis.resultTaboos());
    for (const pairResult &p : analysis.pairResults()) {
        addTranslated(f, sortedTexts(p.functions));
        addTranslated(t, sortedTexts(p.targets));
        addTranslated(b, sortedTexts(p.taboos));
    }
    // Functions that together make a known whole are named by that whole.
    const QMap<QString, textSet> &groups = pairCodeGroups();
    for (auto it = groups.constBegin(); it != groups.constEnd(); ++it) {
        bool all = true;
        for (const QString &member : it.value())
            all = all && f.contains(member);
        if (!all)
            continue;
        for (const QString &member : it.value())
            f.removeAll(member);
        f << it.key();
    }
    result.functions = withoutRepeats(f);
    result.targets = withoutRepeats(t);
    result.taboos = withoutRepeats(b);

    if ((result.functions.isEmpty() && result.targets.isEmpty()) || result.functions.size() >= 6) {
        result.message = lookupPhrase(QStringLiteral("script"), QStringLiteral("unknown_script"));
        return result;
    }
    QString tpl = lookupPhrase(QStringLiteral("script"), QStringLiteral("output_template"));
    tpl.replace(QLatin1Char('#'), QLatin1Char('\n'));
    result.report = tpl.arg(joinReportTexts(result.functions), joinReportTexts(result.targets),
                            analysis.explanationText(), joinReportTexts(result.taboos),
                            QLatin1Char('\n') + analysis.notesText());
    result.ok = true;
    return result;
}

QString joinReportTexts(const QStringList &texts)
{
    // Full stops, semicolons and commas of either width already end an entry.
    static const QString marks = QStringLiteral("。；;，,、：:！!？?");
    QString out;
    for (const QString &t : texts) {
        if (t.isEmpty())
            continue;
        if (!out.isEmpty() && !marks.contains(out.back()))
            out += QLatin1Char(',');
        out += t;
    }
    return out;
}

QString checkNewEntry(const QList<prescriptionEntry> &entries, const QString &typed, double dose, QString *canonical,
                      const QString &form)
{
    const QString text = typed.trimmed();
    const QString name = canonicalHerbName(text);
    if (canonical)
        *canonical = name;
    if (name.isEmpty())
        return lookupPhrase(QStringLiteral("script"), QStringLiteral("badinputherb"));
    if (entries.size() >= maxPrescriptionHerbs)
        return lookupPhrase(QStringLiteral("script"), QStringLiteral("overflow")).arg(maxPrescriptionHerbs);
    for (const prescriptionEntry &e : entries) {
        if (e.name == name)
            return lookupPhrase(QStringLiteral("script"), QStringLiteral("exist")).arg(name);
    }
    if (isExternalOnly(name) && form != QLatin1String("external"))
        return lookupPhrase(QStringLiteral("script"), QStringLiteral("externalonly")).arg(name);
    if (!doseAccepted(name, dose, form))
        return lookupPhrase(QStringLiteral("script"), QStringLiteral("baddoze")).arg(text);
    return QString();
}
