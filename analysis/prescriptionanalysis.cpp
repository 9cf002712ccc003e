#include "prescriptionanalysis.h"

#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <algorithm>

namespace {

QString phrase(const char *block, const char *key)
{
    return lookupPhrase(QLatin1String(block), QLatin1String(key));
}

QSet<QString> coreOf(const classicFormula &f)
{
    QSet<QString> core;
    for (const auto *role : {&f.sovereign, &f.minister, &f.assistant})
        for (const formulaHerb &h : *role)
            core.insert(h.name);
    return core;
}

struct explanationItem
{
    QString role;
    QString herb;
    QString line;
};

} // namespace

void prescriptionAnalysis::progress(int value) const
{
    if (m_progress)
        m_progress(value);
}

bool prescriptionAnalysis::fail(const QString &text, int lastProgress)
{
    m_failure = text;
    if (lastProgress >= 0)
        progress(lastProgress);
    progress(-1);
    return false;
}

void prescriptionAnalysis::setInput(const QString &form, const QList<prescriptionEntry> &entries)
{
    m_form = form;
    for (const prescriptionEntry &e : entries) {
        if (m_entries.contains(e.name))
            continue;
        m_entries.insert(e.name, e);
        m_usage.insert(e.name, 0);
        m_roles.insert(e.name, QString());
        m_herbs << e.name;
        m_herbSet.insert(e.name);
    }
}

bool prescriptionAnalysis::analyse()
{
    m_notes.clear();
    m_failure.clear();
    if (m_herbs.isEmpty())
        return fail(QString());
    progress(1);
    progress(8);

    // Dosage form: a herb of the herb table that may not be used in this form
    // (and has no special way of decocting in it) refuses the prescription.
    // Taken by mouth, a herb for external use only refuses it, and so does a
    // dose above what the form accepts (entered for external use, or read
    // from a file).
    QStringList byName = m_herbs;
    byName.sort();
    const bool internal = m_form != QLatin1String("external");
    for (const QString &h : std::as_const(byName)) {
        if (internal && isExternalOnly(h))
            return fail(phrase("script", "externalonly").arg(h));
        if (internal && doseAboveLimit(h, m_entries.value(h).dose))
            return fail(phrase("script", "baddoze").arg(h));
    }
    for (const QString &h : std::as_const(byName)) {
        const herbRecord *r = herbRecordNamed(h); // the first record of that name
        if (r && decoctionNote(h, m_form).isEmpty() && !isAllowedInForm(r->id, m_form))
            return fail(phrase("script", "bad_drug_form").arg(h));
    }

    if (m_herbs.size() == 1) {
        progress(13);
        bool found = false;
        const herbRecord r = findHerbByName(m_herbs.first(), &found);
        if (!found)
            return fail(phrase("herb", "unbookherb").arg(m_herbs.first()));
        progress(21);
        m_functions = textSet(r.function.begin(), r.function.end());
        progress(38);
        m_targets = textSet(r.indication.begin(), r.indication.end());
        progress(-1);
        return true;
    }

    progress(18);
    QString first, second;
    if (!findIncompatibleHerbs(m_herbSet, &first, &second))
        return fail(phrase("herb", "valid_herb_pair2").arg(first, second), 30);

    progress(24);
    matchClassicFormulas();
    progress(36);
    matchSuperPairs();
    progress(48);
    addFormulaTexts();
    applyCommonGroups();
    addSuperPairTexts();
    progress(64);
    matchHerbPairs();
    progress(73);
    addSingleHerbUnits();
    progress(85);
    progress(-1);
    buildExplanation();

    for (const QString &m : std::as_const(m_missing))
        m_notes += phrase("script", "miss_item_desc").arg(m) + QLatin1Char('\n');
    for (const QString &h : std::as_const(m_herbs)) {
        const QString note = decoctionNote(h, m_form);
        if (!note.isEmpty())
            m_notes += QStringLiteral("%1 - %2").arg(h, note) + QLatin1Char('\n');
    }
    return true;
}

void prescriptionAnalysis::matchClassicFormulas()
{
    const QList<classicFormula> &table = classicFormulaTable();
    const bool externalUse = m_form == QLatin1String("external");
    // Only formulas whose core herbs are all prescribed can match; they are
    // taken in table order as a walk of the whole table would.
    for (int i : classicFormulasWithin(m_herbSet)) {
        const classicFormula &f = table.at(i);
        if (m_matched.contains(i))
            continue;
        bool allExplained = true;
        bool allPrescribed = true;
        for (const auto *role : {&f.sovereign, &f.minister, &f.assistant}) {
            for (const formulaHerb &h : *role) {
                if (!prescribed(h.name))
                    allPrescribed = false;
                if (!prescribed(h.name) || m_usage.value(h.name) <= 0)
                    allExplained = false;
            }
        }
        if (allExplained || !allPrescribed)
            continue;
        if ((f.form == QLatin1String("external")) != externalUse)
            continue;
        m_matched << i;
        const struct { const QList<formulaHerb> *list; const char *letter; } roles[] = {
            {&f.sovereign, "j"}, {&f.minister, "c"}, {&f.assistant, "z"}};
        for (const auto &r : roles) {
            for (const formulaHerb &h : *r.list) {
                if (m_roles.value(h.name).isEmpty())
                    m_roles[h.name] = QLatin1String(r.letter);
            }
        }
        for (const formulaHerb &h : f.envoy) {
            if (prescribed(h.name)) {
                m_usage[h.name] += 1;
                m_roles[h.name] = QStringLiteral("s");
            } else if (!m_missing.contains(h.name)) {
                m_missing << h.name; // several formulas may lack the same envoy
            }
        }
        for (const QString &h : coreOf(f))
            m_usage[h] += 1;
    }
}

void prescriptionAnalysis::matchSuperPairs()
{
    const QList<superPair> &table = superPairTable();
    const QSet<QString> &herbs = m_herbSet;
    for (int p : superPairsWithin(m_herbSet)) {
        const superPair &sp = table.at(p);
        bool allNames = true;
        for (const QString &n : sp.names)
            allNames = allNames && prescribed(n);
        if (!allNames)
            continue;
        const int pairIndex = sp.names.size() >= 2 ? findPair(sp.names.at(0), sp.names.at(1)) : -1;
        QSet<int> removed;
        for (int k = 0; k < sp.units.size(); ++k) {
            const superPairUnit &unit = sp.units.at(k);
            const QSet<QString> hits = unit.data & herbs;
            if (hits.size() < unit.min)
                continue;
            bool settled = false;
            for (int m : std::as_const(m_matched)) {
                const QSet<QString> core = coreOf(classicFormulaTable().at(m));
                if (core.contains(hits)) {
                    settled = true; // the formula already explains these herbs
                } else if (hits.contains(core)) {
                    settled = true;
                    removed.insert(m);
                    for (const QString &h : hits)
                        m_usage[h] = 1;
                    m_superUnits[p] = k;
                    if (pairIndex >= 0)
                        m_foundPairs.insert(pairIndex);
                }
            }
            if (!settled) {
                for (const QString &h : hits)
                    m_usage[h] += 1;
                m_superUnits[p] = k;
                if (pairIndex >= 0)
                    m_foundPairs.insert(pairIndex);
            }
        }
        if (!removed.isEmpty()) {
            m_matched.erase(std::remove_if(m_matched.begin(), m_matched.end(),
                                           [&removed](int m) { return removed.contains(m); }),
                            m_matched.end());
        }
    }
}

void prescriptionAnalysis::addFormulaTexts()
{
    for (int m : std::as_const(m_matched)) {
        const classicFormula &f = classicFormulaTable().at(m);
        m_functions.insert(f.functions);
        m_targets.insert(f.indications);
        m_taboos.insert(f.cautions);
    }
}

void prescriptionAnalysis::applyCommonGroups()
{
    const int n = int(m_herbs.size());
    for (int i : commonPairsWithin(m_herbSet)) {
        const commonPair &g = commonPairTable().at(i);
        bool all = true;
        int unexplained = 0;
        for (const QString &h : g.herbs) {
            if (!prescribed(h))
                all = false;
            else if (m_usage.value(h) == 0)
                ++unexplained;
        }
        if (!all)
            continue;
        const int size = int(g.herbs.size());
        if (size == n && unexplained > 0) {
            m_functions = g.functions;
            m_targets = g.targets;
            continue;
        }
        if (size == n || size < 2 || (size == 2 && unexplained < 2) || (size == 3 && unexplained == 0)
            || (size > 3 && unexplained < 2))
            continue;
        for (const QString &h : g.herbs)
            m_usage[h] += 1;
        m_functions.unite(g.functions);
        m_targets.unite(g.targets);
    }
}

void prescriptionAnalysis::addSuperPairTexts()
{
    for (auto it = m_superUnits.constBegin(); it != m_superUnits.constEnd(); ++it) {
        const superPair &sp = superPairTable().at(it.key());
        if (it.value() < 0 || it.value() >= sp.units.size() || sp.names.size() != 2)
            continue;
        const int pairIndex = findPair(sp.names.at(0), sp.names.at(1));
        if (pairIndex < 0)
            continue;
        QString desc = sp.units.at(it.value()).desc;
        if (desc.startsWith(QLatin1Char('#')))
            desc.remove(0, 1);
        const QStringList dash = desc.split(QLatin1Char('-'));
        const QStringList at = desc.split(QLatin1Char('@'));
        if (dash.size() == 2) {
            m_targets.insert(QStringLiteral("%1(%2)").arg(dash.at(0), dash.at(1)));
            m_functions.unite(pairTable().at(pairIndex).functions);
        } else if (at.size() == 2) {
            m_functions.insert(at.at(0));
            for (const QString &t : at.at(1).split(QLatin1Char(',')))
                m_targets.insert(t);
        }
    }
}

void prescriptionAnalysis::matchHerbPairs()
{
    const QVector<pairRule> &pairs = pairTable();
    const bool externalUse = m_form == QLatin1String("external");
    for (int i : pairsWithin(m_herbSet)) {
        const pairRule &rule = pairs.at(i);
        if (m_foundPairs.contains(i) || rule.herbCount() != 2)
            continue;
        const QString h0 = rule.herbAt(0).name;
        const QString h1 = rule.herbAt(1).name;
        if (!prescribed(h0) || !prescribed(h1))
            continue;
        if (m_usage.value(h0) > 0 && m_usage.value(h1) > 0)
            continue;
        if (rule.external && !externalUse)
            continue;
        m_usage[h0] += 1;
        m_usage[h1] += 1;
        if ((rule.miss && m_herbs.size() >= 6) || m_roles.value(h0) == QLatin1String("s")
            || m_roles.value(h1) == QLatin1String("s"))
            continue;
        m_pairResults.append({i, QStringLiteral("pair2"), rule.functions, rule.targets, rule.taboos});
    }
}

void prescriptionAnalysis::addSingleHerbUnits()
{
    QStringList byName = m_herbs;
    byName.sort();
    const QMap<QString, herbUnit> &units = herbUnitTable();
    for (const QString &h : std::as_const(byName)) {
        if (m_usage.value(h) != 0)
            continue;
        const auto it = units.constFind(h);
        if (it == units.constEnd())
            continue;
        m_usage[h] += 1;
        for (const QString &f : it->functions)
            m_functions.insert(f);
        for (const QString &t : it->targets)
            m_targets.insert(t);
    }
}

void prescriptionAnalysis::buildExplanation()
{
    QStringList byName = m_herbs;
    byName.sort();
    const QString comma = QStringLiteral(",");
    const QString explanatory = phrase("script", "explanatory_desc");
    QList<explanationItem> items;
    for (const QString &h : std::as_const(byName)) {
        QString label = h;
        bool decided = false;
        for (int m : std::as_const(m_matched)) {
            const classicFormula &f = classicFormulaTable().at(m);
            for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy}) {
                for (const formulaHerb &fh : *role) {
                    if (fh.name != h)
                        continue;
                    if (!fh.method.isEmpty())
                        label = QStringLiteral("%1(%2)").arg(h, fh.method);
                    decided = true;
                    break;
                }
                if (decided)
                    break;
            }
            if (decided)
                break;
        }
        const herbRecord *r = herbRecordNamed(canonicalHerbName(h)); // as findHerbByName finds it
        const QString line = r ? explanatory.arg(label, r->feature.join(comma), r->meridian.join(comma))
                               : explanatory.arg(label, QString(), QString());
        const QString role = m_roles.value(h);
        items.append({role.isEmpty() ? QStringLiteral("c") : role, h, line});
    }

    // Herb groups whose combined function the prescription shows.
    const int count = int(m_herbs.size());
    QStringList groupNotes;
    QString groupNote; // looked up when the first group is kept
    for (int gi : herbGroupsTouching(m_herbSet)) {
        const herbGroupFunction &g = herbGroupTable().at(gi);
        if (count < g.slotList.size())
            continue;
        QStringList matched;
        bool every = true;
        for (const QStringList &alternatives : g.slotList) {
            bool any = false;
            for (const QString &a : alternatives) {
                if (prescribed(a)) {
                    any = true;
                    matched << a;
                }
            }
            every = every && any;
        }
        if (!every)
            continue;
        if (g.min != 0 && g.min < count)
            continue;
        if (matched.size() + 2 < count) {
            if (groupNote.isNull())
                groupNote = phrase("script", "fangjie_desc");
            groupNotes << groupNote.arg(matched.join(comma)).arg(matched.size()).arg(g.text, QStringLiteral("\n"));
        }
    }

    // Without a sovereign, the herb with the largest dose leads.
    const bool hasSovereign = std::any_of(items.begin(), items.end(),
                                          [](const explanationItem &i) { return i.role == QLatin1String("j"); });
    if (!hasSovereign) {
        int best = -1;
        double bestDose = 0;
        for (int i = 0; i < items.size(); ++i) {
            const double dose = m_entries.value(items.at(i).herb).dose;
            if (dose > bestDose) {
                bestDose = dose;
                best = i;
            }
        }
        if (best >= 0)
            items[best].role = QStringLiteral("j");
    }

    QString text;
    for (const char *role : {"j", "c", "z", "s"}) {
        QString caption; // looked up for the first herb of the role
        for (const explanationItem &i : std::as_const(items)) {
            if (i.role != QLatin1String(role) || m_entries.value(i.herb).dose <= 0)
                continue;
            if (caption.isNull())
                caption = phrase("script", role);
            text += i.line + caption + QLatin1Char('\n');
        }
    }
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.remove(QLatin1Char('#'));
    m_explanation = text;
    m_notes = groupNotes.join(QString());
}
