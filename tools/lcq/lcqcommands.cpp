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
    if (block == blocks.constEnd() || !block->contains(args.at(1))) {
        lcqErr(QStringLiteral("not found\n"));
        return lcqNotFound;
    }
    lcqOut(lookupPhrase(args.at(0), args.at(1)) + QLatin1Char('\n'));
    return lcqDone;
}

} // namespace

QString lcqUsageText()
{
    return QStringLiteral(
        "usage: lcq [--archive ZIP] COMMAND [ARGS]\n"
        "commands:\n"
        "  stats                 table sizes, load time and memory\n"
        "  phrase BLOCK KEY      one phrase of the dictionary\n");
}

int runLcqCommand(const QString &command, const QStringList &args, qint64 loadMs)
{
    if (command == QLatin1String("stats"))
        return cmdStats(args, loadMs);
    if (command == QLatin1String("phrase"))
        return cmdPhrase(args);
    lcqErr(QStringLiteral("lcq: unknown command %1\n").arg(command));
    lcqErr(lcqUsageText());
    return lcqUsage;
}
