// The main program's update check: the update program beside LC, its four
// arguments, waiting for it on a worker thread, and the main menu's entry.

#include "testsupport.h"

#include "app/lcwidget.h"
#include "app/mainmenu.h"
#include "text/phrasedictionary.h"
#include "update/updateapp.h"
#include "update/updatenames.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class tst_updatecheck : public QObject
{
    Q_OBJECT

    QString m_dir;

    // A stand-in for the update program: notes its folder and arguments in
    // ran.txt, then waits while the file "hold" exists.
    QString writeScript()
    {
        const QString path = m_dir + QStringLiteral("/fake-update.sh");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(QStringLiteral("#!/bin/sh\n"
                               "out='%1/ran.txt'\n"
                               "pwd > \"$out\"\n"
                               "for a in \"$@\"; do echo \"$a\" >> \"$out\"; done\n"
                               "echo $$ > '%1/pid.txt'\n"
                               "while [ -e '%1/hold' ]; do sleep 0.05; done\n")
                    .arg(m_dir)
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
        return path;
    }

    QStringList ranWith() const
    {
        QFile f(m_dir + QStringLiteral("/ran.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    void hold()
    {
        QFile f(m_dir + QStringLiteral("/hold"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

    void release() { QFile::remove(m_dir + QStringLiteral("/hold")); }

private slots:
    void initTestCase()
    {
#ifdef _WIN32
        QSKIP("the stand-in update program is a shell script");
#endif
        QApplication::setQuitOnLastWindowClosed(false);
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    void init()
    {
        m_dir = freshTestDir(QStringLiteral("updatecheck"));
        QVERIFY(QDir::setCurrent(m_dir));
    }

    void cleanup() { release(); }

    void arguments_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("url");
        QTest::newRow("no settings") << QString() << QString::fromLatin1(defaultManifestUrl);
        QTest::newRow("set") << "[config]\nupdateurl=http://127.0.0.1:8000/auto/auto-update.xml\n"
                             << "http://127.0.0.1:8000/auto/auto-update.xml";
        QTest::newRow("empty") << "[config]\nupdateurl=\nskin=skin/1_200.png\n"
                               << QString::fromLatin1(defaultManifestUrl);
    }

    void arguments()
    {
        QFETCH(QString, config);
        QFETCH(QString, url);
        if (!config.isEmpty()) {
            QFile f(m_dir + QStringLiteral("/config.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(config.toUtf8());
        }
        QVERIFY(QUrl(url).path() == QLatin1String("/auto/auto-update.xml"));
        QCOMPARE(UpdateApp::updateArguments(),
                 (QStringList{QStringLiteral("4.9.6.10"), url, QString::fromLatin1(updatePlatformWord),
                              QString::fromLatin1(mainProgramFileName)}));
    }

    void programBesideTheMainProgram()
    {
        UpdateApp updater;
        QCOMPARE(updater.program(), QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                        + QLatin1String(updateProgramFileName));
    }

    // Runs in the main program's folder with the four arguments, on the
    // worker thread, until the update program ends; a second start meanwhile
    // does nothing.
    void runsAndWaits()
    {
        hold();
        UpdateApp updater;
        updater.setProgram(writeScript());
        QSignalSpy started(&updater, &QThread::started);
        QSignalSpy finished(&updater, &QThread::finished);
        updater.start();
        QTRY_COMPARE_WITH_TIMEOUT(ranWith().size(), 5, 20000);
        QVERIFY(updater.isRunning());
        updater.start();
        QTest::qWait(100);
        QCOMPARE(started.size(), 1);
        QVERIFY(finished.isEmpty());
        release();
        QVERIFY(finished.wait(10000));
        QStringList expected{QCoreApplication::applicationDirPath()};
        expected << UpdateApp::updateArguments();
        QCOMPARE(ranWith(), expected);
    }

    void missingProgramEndsTheCheck()
    {
        UpdateApp updater;
        updater.setProgram(m_dir + QStringLiteral("/no-such-program"));
        QSignalSpy finished(&updater, &QThread::finished);
        updater.start();
        QVERIFY(finished.wait(10000));
    }

    // Closing the main program while the update program runs ends both,
    // instead of destroying a running thread.
    void endsWithTheMainProgram()
    {
        hold();
        auto updater = std::make_unique<UpdateApp>();
        updater->setProgram(writeScript());
        updater->start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir + QStringLiteral("/pid.txt")), 20000);
        QFile pidFile(m_dir + QStringLiteral("/pid.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(pidFile.size() > 0, 20000);
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const QString pid = QString::fromLatin1(pidFile.readAll()).trimmed();
        QVERIFY(QFile::exists(QStringLiteral("/proc/") + pid));
        updater.reset();
        QVERIFY(!QFile::exists(QStringLiteral("/proc/") + pid));
    }

    void menuEntryStartsTheCheck()
    {
        lcWidget w;
        QVERIFY(w.updater());
        QCOMPARE(w.updater()->parent(), &w);
        w.updater()->setProgram(writeScript());
        QSignalSpy finished(w.updater(), &QThread::finished);
        w.menu()->updateAction()->trigger();
        QVERIFY(finished.wait(10000));
        QCOMPARE(ranWith().mid(1), UpdateApp::updateArguments());
    }
};

QTEST_MAIN(tst_updatecheck)
#include "tst_updatecheck.moc"
