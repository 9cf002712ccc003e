// lcq: the knowledge engine of Lumicara without a window, for scripting,
// tests and benchmarks.

#include "lcqcommands.h"

#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <ctime>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::srand(unsigned(std::time(nullptr)));
    QStringList args = app.arguments().mid(1);

    // Options that come before the subcommand.
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--archive") && !args.isEmpty()) {
            setKnowledgeArchivePath(args.takeFirst());
        } else if (option == QLatin1String("--config") && !args.isEmpty()) {
            setConfigurationPath(args.takeFirst());
        } else if (option == QLatin1String("--help")) {
            lcqOut(lcqUsageText());
            return lcqDone;
        } else {
            lcqErr(QStringLiteral("lcq: unknown option %1\n").arg(option));
            lcqErr(lcqUsageText());
            return lcqUsage;
        }
    }
    if (args.isEmpty()) {
        lcqErr(lcqUsageText());
        return lcqUsage;
    }
    const QString command = args.takeFirst();

    QElapsedTimer timer;
    timer.start();
    const bool configured = loadStartupKnowledge();
    const knowledgeLoadState &loaded = lastKnowledgeLoad();
    if (!loaded.archiveOpened) {
        lcqErr(QStringLiteral("lcq: the knowledge archive %1 cannot be opened\n").arg(knowledgeArchivePath()));
        return lcqUsage;
    }
    for (const QString &entry : loaded.unreadableEntries)
        lcqErr(QStringLiteral("lcq: the archive entry %1 cannot be read\n").arg(entry));
    if (!configured) {
        lcqErr(QStringLiteral("lcq: the resource configuration cannot be read\n"));
        return -1;
    }
    loadDiagnosisCategories();
    const qint64 loadMs = timer.elapsed();

    return runLcqCommand(command, args, loadMs);
}
