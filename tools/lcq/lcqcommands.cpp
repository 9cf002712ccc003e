#include "lcqcommands.h"

#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"

#include <QFile>

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
        {QStringLiteral("pairs"), 0},
        {QStringLiteral("pairHerbs"), 0},
        {QStringLiteral("superPairs"), 0},
        {QStringLiteral("commonPairs"), 0},
        {QStringLiteral("hate"), 0},
        {QStringLiteral("oppose"), 0},
        {QStringLiteral("verses"), 0},
        {QStringLiteral("codeNames"), codeNameCount()},
        {QStringLiteral("syndromes"), syndromeTable().size()},
        {QStringLiteral("classicFormulas"), 0},
        {QStringLiteral("diagnosisFormulas"), 0},
        {QStringLiteral("herbGroups"), 0},
        {QStringLiteral("herbUnits"), 0},
        {QStringLiteral("flowUnits"), 0},
        {QStringLiteral("flowLines"), 0},
        {QStringLiteral("acupoints"), 0},
        {QStringLiteral("acuScripts"), 0},
        {QStringLiteral("folkRemedies"), 0},
        {QStringLiteral("folkCategories"), 0},
        {QStringLiteral("readerTexts"), 0},
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
        {QStringLiteral("doseMin"), QString::number(r.doseMin)},
        {QStringLiteral("doseMax"), QString::number(r.doseMax)},
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
    int lower = 0, upper = 0;
    if (!doseRange(canonicalHerbName(args.first()), &lower, &upper))
        return notFound();
    lcqOut(QStringLiteral("%1\t%2\n").arg(lower).arg(upper));
    return lcqDone;
}

} // namespace

QString lcqUsageText()
{
    return QStringLiteral(
        "usage: lcq [--archive ZIP] COMMAND [ARGS]\n"
        "commands:\n"
        "  stats                 table sizes, load time and memory\n"
        "  phrase BLOCK KEY      one phrase of the dictionary\n"
        "  herb NAME             a herb record, found by name or alias\n"
        "  canon NAME            the canonical name of a herb\n"
        "  dose NAME             usual dose range in grams: LOWER<TAB>UPPER\n");
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
    lcqErr(QStringLiteral("lcq: unknown command %1\n").arg(command));
    lcqErr(lcqUsageText());
    return lcqUsage;
}
