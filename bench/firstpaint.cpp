// Starts like LC and ends right after the main window has been painted for
// the first time; the benchmark harness runs it as a child process and takes
// the time from the moment it started the child.
//
//   bench_firstpaint [--archive ZIP] [--config XML]
//
// It runs in the folder it is started in (the build folder holds the skins)
// and shows the main window whatever the settings file says about the
// agreement. It prints, as KEY<TAB>VALUE lines:
//   loadedRssKiB   resident memory once the knowledge is loaded
//   paintedRssKiB  resident memory once the window is painted
//   paintedNs      CLOCK_MONOTONIC time of the end of the first paint
//   paintedCpuNs   processor time the process has used by then

#include "app/startup.h"
#include "knowledge/loadfunctions.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

long long processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

long long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Ends the process once the paint that the filter saw has been carried out
// (the window's own paint, its pages' and the flush all belong to the same
// event, so the queued call runs after all of them).
class firstPaintWatch : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
                const long long painted = monotonicNs();
                const long long cpu = processCpuNs();
                std::printf("paintedRssKiB\t%lld\npaintedNs\t%lld\npaintedCpuNs\t%lld\n", residentKiB(), painted, cpu);
                std::fflush(stdout);
                _exit(0); // nothing of the teardown belongs to the start-up
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumicara")); // as LC names itself
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--archive"))
            setKnowledgeArchivePath(args.at(i + 1));
        else if (args.at(i) == QLatin1String("--config"))
            setConfigurationPath(args.at(i + 1));
    }
    if (!prepareProgram(app))
        return 1;
    std::printf("loadedRssKiB\t%lld\n", residentKiB());
    std::fflush(stdout);

    firstPaintWatch watch;
    QWidget *window = showMainWindow();
    window->installEventFilter(&watch);
    return app.exec();
}
