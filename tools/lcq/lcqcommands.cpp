#include "lcqcommands.h"
#include "lcqdiagnosis.h"

#include "acupuncture/acupointdata.h"
#include "acupuncture/acuposition.h"
#include "analysis/analysisreport.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "analysis/prescriptionfile.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QFile>

#include <cstdlib>

#include <cstdio>
#include <functional>
#include <map>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#endif

void lcqOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void lcqErr(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void lcqKeyValue(const QString &key, const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    lcqOut(key + QLatin1Char('\t') + v + QLatin1Char('\n'));
}

namespace {

qint64 residentKiB()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return qint64(counters.WorkingSetSize / 1024);
    return 0;
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
#endif
}

int usage(const QString &message)
{
    lcqErr(QStringLiteral("lcq: %1\n").arg(message));
    return lcqUsage;
}

int notFound()
{
    lcqErr(QStringLiteral("not found\n"));
    return lcqNotFound;
}

int cmdStats(const QStringList &args, qint64 loadMs)
{
    if (!args.isEmpty())
        return usage(QStringLiteral("stats takes no arguments"));
    const QList<QPair<QString, qsizetype>> counts = {
        {QStringLiteral("phrases"), phraseCount()},
        {QStringLiteral("herbs"), herbTable().size()},
        {QStringLiteral("herbNames"), herbNameWords().size()},
        {QStringLiteral("doseRanges"), doseRangeTable().size()},
        {QStringLiteral("dosageForms"), dosageFormTable().size()},
        {QStringLiteral("decoctionMethods"), decoctionMethodTable().size()},
        {QStringLiteral("pairs"), pairTable().size()},
        {QStringLiteral("pairHerbs"), pairHerbSet().size()},
        {QStringLiteral("superPairs"), superPairTable().size()},
        {QStringLiteral("commonPairs"), commonPairTable().size()},
        {QStringLiteral("hate"), hateList().size()},
        {QStringLiteral("oppose"), opposeList().size()},
        {QStringLiteral("verses"), verseList().size()},
        {QStringLiteral("codeNames"), codeNameCount()},
        {QStringLiteral("syndromes"), syndromeTable().size()},
        {QStringLiteral("classicFormulas"), classicFormulaTable().size()},
        {QStringLiteral("diagnosisFormulas"), diagnosisFormulaTable().size()},
        {QStringLiteral("herbGroups"), herbGroupTable().size()},
        {QStringLiteral("herbUnits"), herbUnitTable().size()},
        {QStringLiteral("flowUnits"), flowUnits().size()},
        {QStringLiteral("flowLines"), flowLines().size()},
        {QStringLiteral("acupoints"), acuPointTable().size()},
        {QStringLiteral("acuScripts"), acuScriptTable().size()},
        {QStringLiteral("folkRemedies"), folkTable().size()},
        {QStringLiteral("folkWritten"), folkWrittenCount()},
        {QStringLiteral("folkCategories"), folkCategories().size()},
        {QStringLiteral("readerTexts"), readerTexts().size()},
        {QStringLiteral("questionGroups"), diagnosisNode::instance().groupCount()},
        {QStringLiteral("cells"), diagnosisNode::instance().cellCount()},
        {QStringLiteral("complaints"), diagnosisNode::instance().complaintCount()},
    };
    for (const auto &c : counts)
        lcqKeyValue(c.first, QString::number(c.second));
    lcqKeyValue(QStringLiteral("loadMs"), QString::number(loadMs));
    lcqKeyValue(QStringLiteral("rssKiB"), QString::number(residentKiB()));
    return lcqDone;
}

int cmdPhrase(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("usage: lcq phrase BLOCK KEY"));
    const auto &blocks = phraseBlocks();
    const auto block = blocks.constFind(args.at(0));
    if (block == blocks.constEnd() || !block->contains(args.at(1)))
        return notFound();
    lcqOut(lookupPhrase(args.at(0), args.at(1)) + QLatin1Char('\n'));
    return lcqDone;
}

int cmdHerb(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq herb NAME"));
    bool found = false;
    const herbRecord r = findHerbByName(args.first(), &found);
    if (!found)
        return notFound();
    const QString comma = QStringLiteral(",");
    QStringList comments;
    for (const auto &c : r.comments)
        comments << (c.first.isEmpty() ? c.second : c.first + QLatin1Char(':') + c.second);
    const QList<QPair<QString, QString>> fields = {
        {QStringLiteral("id"), r.id},
        {QStringLiteral("name"), r.name},
        {QStringLiteral("alias"), r.alias.join(comma)},
        {QStringLiteral("latin"), r.latin},
        {QStringLiteral("nature"), r.nature},
        {QStringLiteral("classification"), r.classification},
        {QStringLiteral("type"), r.type},
        {QStringLiteral("feature"), r.feature.join(comma)},
        {QStringLiteral("meridian"), r.meridian.join(comma)},
        {QStringLiteral("function"), r.function.join(comma)},
        {QStringLiteral("indication"), r.indication.join(comma)},
        {QStringLiteral("ingredient"), r.ingredient.join(comma)},
        {QStringLiteral("stem"), r.stem},
        {QStringLiteral("desc"), r.desc},
        {QStringLiteral("bestfor"), r.bestfor},
        {QStringLiteral("caution"), r.caution.join(comma)},
        {QStringLiteral("comment"), comments.join(comma)},
        {QStringLiteral("formula"), r.formula.join(comma)},
        {QStringLiteral("doseMin"), doseText(r.doseMin)},
        {QStringLiteral("doseMax"), doseText(r.doseMax)},
        {QStringLiteral("store"), r.store},
        {QStringLiteral("prepare"), r.prepare},
        {QStringLiteral("distribution"), r.distribution},
        {QStringLiteral("pattern"), r.pattern},
    };
    for (const auto &f : fields)
        lcqKeyValue(f.first, f.second);
    return lcqDone;
}

int cmdCanon(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq canon NAME"));
    bool found = false;
    const herbRecord r = findHerbByName(args.first(), &found);
    if (!found)
        return notFound();
    lcqOut(r.name + QLatin1Char('\n'));
    return lcqDone;
}

int cmdDose(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq dose NAME"));
    const QString name = canonicalHerbName(args.first());
    double lower = 0, upper = 0;
    if (!doseRange(name, &lower, &upper))
        return notFound();
    if (isExternalOnly(name)) {
        lcqOut(QStringLiteral("external use only\n"));
        return lcqDone;
    }
    QString line = doseText(lower) + QLatin1Char('\t') + doseText(upper);
    // The pharmacopoeia's range follows when the analysis accepts more.
    const herbRecord r = findHerbByName(name);
    if (!sameDose(r.doseMin, lower) || !sameDose(r.doseMax, upper))
        line += QLatin1Char('\t') + doseText(r.doseMin) + QLatin1Char('\t') + doseText(r.doseMax);
    lcqOut(line + QLatin1Char('\n'));
    return lcqDone;
}

int cmdPair(const QStringList &args)
{
    const QStringList herbs = args.join(QLatin1Char(',')).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (herbs.size() != 2)
        return usage(QStringLiteral("usage: lcq pair HERB,HERB"));
    const int index = findPair(canonicalHerbName(herbs.at(0).trimmed()), canonicalHerbName(herbs.at(1).trimmed()));
    if (index < 0)
        return notFound();
    lcqOut(pairTextByIndex(index));
    return lcqDone;
}

int cmdPairs(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq pairs HERB"));
    const QString text = pairTextForHerb(canonicalHerbName(args.first()));
    if (text.isEmpty())
        return notFound();
    lcqOut(text);
    return lcqDone;
}

int cmdCheck(const QStringList &args)
{
    if (args.isEmpty())
        return usage(QStringLiteral("usage: lcq check HERB HERB ..."));
    textSet herbs;
    for (const QString &a : args) {
        const QStringList names = a.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &n : names)
            herbs.insert(canonicalHerbName(n.trimmed()));
    }
    QString first, second;
    if (!findIncompatibleHerbs(herbs, &first, &second)) {
        lcqOut(first + QLatin1Char('\t') + second + QLatin1Char('\n'));
        return lcqRefused;
    }
    lcqOut(QStringLiteral("ok\n"));
    return lcqDone;
}

int cmdCode(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq code CODE"));
    // A rule code through the code dictionary; anything else (pattern codes
    // such as "F001", markers such as "seri") through the code name map.
    const QString code = args.first();
    QString text = translateCode(code);
    if (text.isEmpty() || text == code)
        text = lookupCodeName(code);
    if (text.isEmpty())
        return notFound();
    lcqOut(text + QLatin1Char('\n'));
    return lcqDone;
}

QString roleText(const QList<formulaHerb> &herbs)
{
    QStringList parts;
    for (const formulaHerb &h : herbs) {
        QString part = h.name + QLatin1Char(' ') + doseText(h.dose) + QLatin1Char('g');
        if (!h.method.isEmpty())
            part += QLatin1Char(' ') + h.method;
        parts << part;
    }
    return parts.join(QLatin1Char(','));
}

int cmdFormula(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq formula NAME"));
    const classicFormula *f = findClassicFormula(args.first());
    if (!f)
        return notFound();
    lcqKeyValue(QStringLiteral("name"), f->name);
    lcqKeyValue(QStringLiteral("from"), f->source);
    lcqKeyValue(QStringLiteral("form"), f->form);
    lcqKeyValue(QStringLiteral("category"), f->category);
    lcqKeyValue(QStringLiteral("function"), f->functions);
    lcqKeyValue(QStringLiteral("indication"), f->indications);
    lcqKeyValue(QStringLiteral("caution"), f->cautions);
    lcqKeyValue(QStringLiteral("j"), roleText(f->sovereign));
    lcqKeyValue(QStringLiteral("c"), roleText(f->minister));
    lcqKeyValue(QStringLiteral("z"), roleText(f->assistant));
    lcqKeyValue(QStringLiteral("s"), roleText(f->envoy));
    return lcqDone;
}

int cmdDerive(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq derive NAME"));
    const QString name = args.first();
    if (indexOfUnit(name) < 0)
        return notFound();
    for (const flowLine &l : flowLines()) {
        if (l.toName == name)
            lcqOut(QStringLiteral("from\t%1\t%2\n").arg(l.fromName, l.flag));
    }
    for (const flowLine &l : flowLines()) {
        if (l.fromName == name)
            lcqOut(QStringLiteral("to\t%1\t%2\n").arg(l.toName, l.flag));
    }
    return lcqDone;
}

int cmdAnalyse(const QStringList &args)
{
    QString form = QStringLiteral("decoction");
    QList<prescriptionEntry> entries;
    QStringList rest = args;
    bool fromFile = false;
    while (!rest.isEmpty() && rest.first().startsWith(QLatin1String("--"))) {
        const QString option = rest.takeFirst();
        if (option == QLatin1String("--form") && !rest.isEmpty()) {
            form = rest.takeFirst();
            if (!QStringList{QStringLiteral("decoction"), QStringLiteral("pill"), QStringLiteral("powder"),
                             QStringLiteral("external")}.contains(form))
                return usage(QStringLiteral("the form is one of decoction, pill, powder, external"));
        } else if (option == QLatin1String("--pf") && !rest.isEmpty()) {
            prescriptionFile file;
            if (!readPrescriptionFile(rest.takeFirst(), &file)) {
                lcqErr(file.refusal + QLatin1Char('\n'));
                return lcqRefused;
            }
            if (file.formSeen)
                form = file.form;
            entries = file.entries;
            fromFile = true;
        } else {
            return usage(QStringLiteral("usage: lcq analyse [--form FORM] HERB:DOSE ... | --pf FILE"));
        }
    }
    if (fromFile && !rest.isEmpty())
        return usage(QStringLiteral("a prescription file or herbs, not both"));
    for (const QString &item : std::as_const(rest)) {
        const qsizetype colon = item.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0)
            return usage(QStringLiteral("herbs are given as HERB:DOSE, not %1").arg(item));
        // A dose that is not a number is refused like one out of range.
        double dose = 0;
        if (!parseDose(item.mid(colon + 1), &dose))
            dose = 0;
        QString name;
        const QString refusal = checkNewEntry(entries, item.left(colon), dose, &name, form);
        if (!refusal.isEmpty()) {
            lcqErr(refusal + QLatin1Char('\n'));
            return lcqRefused;
        }
        entries.append({dose, name});
    }
    if (entries.isEmpty())
        return usage(QStringLiteral("usage: lcq analyse [--form FORM] HERB:DOSE ... | --pf FILE"));
    const analysisReport result = analysePrescription(form, entries);
    if (!result.ok) {
        lcqOut(result.message + QLatin1Char('\n'));
        return lcqRefused;
    }
    lcqOut(result.report + QLatin1Char('\n'));
    return lcqDone;
}

int cmdGrid(const QStringList &args)
{
    QStringList herbs;
    for (const QString &a : args) {
        const QStringList names = a.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &n : names)
            herbs << canonicalHerbName(n.trimmed());
    }
    if (herbs.isEmpty())
        return usage(QStringLiteral("usage: lcq grid HERB HERB ..."));
    for (int i = 0; i < herbs.size(); ++i) {
        for (int j = i + 1; j < herbs.size(); ++j) {
            const int index = findPair(herbs.at(i), herbs.at(j));
            if (index >= 0)
                lcqOut(QStringLiteral("%1\t%2\t%3\n").arg(herbs.at(i), herbs.at(j)).arg(index));
        }
    }
    return lcqDone;
}

int cmdSearch(const QStringList &args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("usage: lcq search acupoint|symptom|folk TEXT"));
    const QString mode = args.at(0);
    const QString text = args.at(1).trimmed();
    if (text.isEmpty())
        return usage(QStringLiteral("nothing to search for"));
    QString result;
    if (mode == QLatin1String("acupoint")) {
        result = acuPointText(text);
    } else if (mode == QLatin1String("symptom")) {
        if (symptomSyndromeNames(text).isEmpty())
            return notFound();
        result = symptomSearchText(text);
    } else if (mode == QLatin1String("folk"))
        result = folkListing(text);
    else
        return usage(QStringLiteral("usage: lcq search acupoint|symptom|folk TEXT"));
    if (result.isEmpty())
        return notFound();
    lcqOut(result);
    return lcqDone;
}

int cmdAcupoint(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq acupoint CODE"));
    bool found = false;
    const acuPoint p = findAcuPointByCode(args.first(), &found);
    if (!found)
        return notFound();
    lcqKeyValue(QStringLiteral("meridian"), p.meridian);
    lcqKeyValue(QStringLiteral("section"), p.section);
    lcqKeyValue(QStringLiteral("name"), p.name);
    lcqKeyValue(QStringLiteral("code"), p.code);
    lcqKeyValue(QStringLiteral("location"), p.location);
    lcqKeyValue(QStringLiteral("indications"), p.indications);
    lcqKeyValue(QStringLiteral("pairing"), p.pairing);
    lcqKeyValue(QStringLiteral("method"), p.method);
    lcqKeyValue(QStringLiteral("caution"), p.caution);
    // The place on the 3D body model (X, Y, Z in the model's units), when the
    // point has one.
    QList<acuPosition> positions;
    acuPosition place;
    if (readAcuPositions(&positions) && findAcuPosition(positions, p.code, &place)) {
        const auto n = [](double v) { return QString::number(v, 'f', 6); };
        lcqKeyValue(QStringLiteral("position"), n(place.x) + QLatin1Char(',') + n(place.y) + QLatin1Char(',') + n(place.z));
    }
    return lcqDone;
}

int cmdReader(const QStringList &args)
{
    const QStringList &texts = readerTexts();
    if (args == QStringList{QStringLiteral("--all")}) {
        for (const QString &t : texts)
            lcqOut(t + QLatin1Char('\n'));
        return lcqDone;
    }
    if (!args.isEmpty())
        return usage(QStringLiteral("usage: lcq reader [--all]"));
    if (texts.isEmpty())
        return notFound();
    lcqOut(texts.at(std::rand() % texts.size()) + QLatin1Char('\n'));
    return lcqDone;
}

} // namespace

QString lcqUsageText()
{
    return QStringLiteral(
        "usage: lcq [--archive ZIP] [--config XML] COMMAND [ARGS]\n"
        "options:\n"
        "  --archive ZIP         load the knowledge from this archive instead of the\n"
        "                        built-in one (exit 2 when it cannot be opened)\n"
        "  --config XML          read this resource configuration instead of the\n"
        "                        built-in one (exit 255 when it cannot be read)\n"
        "  --help                this text\n"
        "exit codes: 0 done, 1 not found, 2 usage error, 3 refused, 255 configuration\n"
        "unreadable\n"
        "commands:\n"
        "  stats                 table sizes, load time and memory\n"
        "  phrase BLOCK KEY      one phrase of the dictionary\n"
        "  herb NAME             a herb record, found by name or alias\n"
        "  canon NAME            the canonical name of a herb\n"
        "  dose NAME             accepted dose range in grams: LOWER<TAB>UPPER, then the\n"
        "                        pharmacopoeia's range when it differs; or 'external use only'\n"
        "  pair A,B              the pair rule of two herbs\n"
        "  pairs HERB            every pair rule of a herb\n"
        "  check HERB HERB ...   the first forbidden combination (exit 3), or ok\n"
        "  code CODE             the text of a rule or diagnosis code\n"
        "  formula NAME          a classic formula with its herbs by role\n"
        "  derive NAME           the formulas a formula derives from and to\n"
        "  analyse [--form F] HERB:DOSE ...   analyse a prescription (F: decoction,\n"
        "                        pill, powder, external); or analyse --pf FILE\n"
        "  grid HERB HERB ...    the herb pairs of a prescription: A<TAB>B<TAB>INDEX\n"
        "  search acupoint|symptom|folk TEXT   what the data search window shows\n"
        "  acupoint CODE         an acupoint of the catalogue by its code, with its place\n"
        "                        on the 3D body model (position X,Y,Z) when it has one\n"
        "  reader [--all]        one random text of the daily reader, or all of them\n"
        "  complaints            the main complaints: DEPARTMENT<TAB>CODE<TAB>NAME\n"
        "  questions [--age N] [--sex male|female] CODE\n"
        "                        every answer a consultation for the complaint can show:\n"
        "                        ANSWER_ID<TAB>GROUP<TAB>QUESTION<TAB>ANSWER\n"
        "  diagnose [--age N] [--sex male|female] [--state S] [--side formula|acupuncture]\n"
        "           CODE ANSWER_ID ...  check the patient and diagnose (exit 0 pattern found,\n"
        "                        1 none or not covered, 3 patient refused); the patient\n"
        "                        is 24, male, unless the options say otherwise; S is one\n"
        "                        of normal, pregnant, suckling, married, unmarried\n"
        "  group ID              a questionnaire group with its questions and answer ids\n");
}

int runLcqCommand(const QString &command, const QStringList &args, qint64 loadMs)
{
    if (command == QLatin1String("stats"))
        return cmdStats(args, loadMs);
    if (command == QLatin1String("phrase"))
        return cmdPhrase(args);
    if (command == QLatin1String("herb"))
        return cmdHerb(args);
    if (command == QLatin1String("canon"))
        return cmdCanon(args);
    if (command == QLatin1String("dose"))
        return cmdDose(args);
    if (command == QLatin1String("pair"))
        return cmdPair(args);
    if (command == QLatin1String("pairs"))
        return cmdPairs(args);
    if (command == QLatin1String("check"))
        return cmdCheck(args);
    if (command == QLatin1String("code"))
        return cmdCode(args);
    if (command == QLatin1String("formula"))
        return cmdFormula(args);
    if (command == QLatin1String("derive"))
        return cmdDerive(args);
    if (command == QLatin1String("analyse") || command == QLatin1String("analyze"))
        return cmdAnalyse(args);
    if (command == QLatin1String("grid"))
        return cmdGrid(args);
    if (command == QLatin1String("search"))
        return cmdSearch(args);
    if (command == QLatin1String("acupoint"))
        return cmdAcupoint(args);
    if (command == QLatin1String("reader"))
        return cmdReader(args);
    if (command == QLatin1String("complaints"))
        return lcqComplaints(args);
    if (command == QLatin1String("questions"))
        return lcqQuestions(args);
    if (command == QLatin1String("diagnose"))
        return lcqDiagnose(args);
    if (command == QLatin1String("group"))
        return lcqGroup(args);
    lcqErr(QStringLiteral("lcq: unknown command %1\n").arg(command));
    lcqErr(lcqUsageText());
    return lcqUsage;
}
