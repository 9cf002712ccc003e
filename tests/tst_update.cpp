// The update program: versions, the manifest, the update window's download
// and replacement of the main program, failures, and stopping the main program.

#include "testhttpserver.h"
#include "testsupport.h"

#include "text/codepage.h"
#include "update/linuxprocessterminator.h"
#include "update/processterminator.h"
#include "update/releaseinfo.h"
#include "update/update.h"
#include "update/updatearchive.h"
#include "update/updatedesktop.h"
#include "update/updatenames.h"
#include "update/updatenetwork.h"
#include "update/updatestartup.h"
#include "update/versionnumber.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextEdit>
#include <QtTest>

#include <memory>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
// Keeps what the update program would have shown or opened.
class recordingDesktop : public updateDesktop
{
public:
    void showWarning(QWidget *, const QString &text) override { warnings << text; }
    void showAbout(QWidget *, const QString &title, const QString &text) override
    {
        abouts << title + QLatin1Char('|') + text;
    }
    bool openUrl(const QUrl &url) override
    {
        opened << url.toString();
        return true;
    }
    QStringList warnings, abouts, opened;
};

// Remembers every request to stop the main program and stops nothing.
class recordingTerminator : public processTerminator
{
public:
    QList<qint64> findProcesses(const QString &fileName, const QString &filePath) const override
    {
        calls << fileName + QLatin1Char('|') + filePath;
        return {};
    }
    bool terminateProcess(qint64) override { return false; }
    mutable QStringList calls;
};

QByteArray zipBytes(const QList<testEntry> &entries)
{
    const QString path = QDir::tempPath() + QStringLiteral("/lc_update_zip_%1.zip").arg(QCoreApplication::applicationPid());
    if (!writeTestArchive(path, entries))
        return QByteArray();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    f.close();
    QFile::remove(path);
    return bytes;
}

QByteArray sha256Hex(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Every file under a folder with its contents ("name/" for folders).
QMap<QString, QByteArray> listing(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(dir).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            files.insert(rel + QLatin1Char('/'), QByteArray());
        } else {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            files.insert(rel, f.readAll());
        }
    }
    return files;
}

const QByteArray oldProgram = "#!old program 4.9.6.10\n";
// Does not shrink in the archive, so that a download takes many packets.
QByteArray noise(int size)
{
    QRandomGenerator random(17);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

const QByteArray newProgram = QByteArray("#!new program 4.9.7.0\n") + noise(200000);
} // namespace

Q_DECLARE_METATYPE(testHttpRoute)

class tst_update : public QObject
{
    Q_OBJECT

    QString m_dir;
    std::unique_ptr<testHttpServer> m_server;
    recordingDesktop m_desktop;
    recordingTerminator m_terminator;

    QByteArray goodArchive() const
    {
        return zipBytes({{QStringLiteral("readme.txt"), "notes"}, {QStringLiteral("LC"), newProgram}});
    }

    releaseInfo offered(const QString &archivePath, const QString &sha256 = QString()) const
    {
        releaseInfo info;
        info.currentVersion = QStringLiteral("4.9.6.10");
        info.version = QStringLiteral("4.9.7.0");
        info.content = QStringLiteral("修正了若干问题");
        info.win32 = m_server->url(archivePath).toString();
        info.detail = m_server->url(QStringLiteral("/detail.html")).toString();
        info.download = m_server->url(QStringLiteral("/download.html")).toString();
        info.sha256 = sha256;
        return info;
    }

    std::unique_ptr<update> window(const releaseInfo &info)
    {
        auto w = std::make_unique<update>(QStringLiteral("LC"));
        w->setWorkingDirectory(QDir(m_dir));
        w->setDesktop(&m_desktop);
        w->setTerminator(&m_terminator);
        w->setReleaseInfo(info);
        w->show();
        return w;
    }

    void writeOldProgram()
    {
        QFile f(m_dir + QStringLiteral("/LC"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(oldProgram);
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                 | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser
                                 | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                 | QFileDevice::ExeOther));
    }

    QByteArray readFile(const QString &rel) const
    {
        QFile f(m_dir + QLatin1Char('/') + rel);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    }

    // Runs a download to its end.
    void download(update &w)
    {
        w.auto_download();
        QVERIFY(w.isDownloading());
        QTRY_VERIFY_WITH_TIMEOUT(!w.isDownloading(), 10000);
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        // A server that never answers fails the request after this long.
        setUpdateRequestTimeout(400);
    }

    void init()
    {
        m_dir = freshTestDir(QStringLiteral("update"));
        m_server = std::make_unique<testHttpServer>();
        QVERIFY(m_server->start());
        m_desktop = recordingDesktop();
        m_terminator.calls.clear();
    }

    void cleanup() { m_server.reset(); }

    // ---- versions and the manifest ------------------------------------

    void versionOrder_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("equal") << "4.9.6.10" << "4.9.6.10" << true;
        QTest::newRow("last number higher") << "4.9.6.11" << "4.9.6.10" << true;
        QTest::newRow("last number lower") << "4.9.6.9" << "4.9.6.10" << false;
        QTest::newRow("numbers, not text") << "3.7.10.0" << "3.7.9.0" << true;
        QTest::newRow("first difference decides up") << "3.8.0.0" << "3.7.14.23" << true;
        QTest::newRow("first difference decides down") << "3.6.99.99" << "3.7.0.0" << false;
        QTest::newRow("major") << "4.0.0.0" << "3.99.99.99" << true;
        QTest::newRow("three parts") << "4.9.7" << "4.9.6.10" << false;
        QTest::newRow("five parts") << "4.9.7.0.1" << "4.9.6.10" << false;
        QTest::newRow("empty") << "" << "4.9.6.10" << false;
        QTest::newRow("current of three parts") << "4.9.7.0" << "4.9.6" << false;
        QTest::newRow("word counts as 0, higher") << "3.7.x.5" << "3.7.0.4" << true;
        QTest::newRow("word counts as 0, lower") << "3.7.x.3" << "3.7.0.4" << false;
    }

    void versionOrder()
    {
        QFETCH(QString, entry);
        QFETCH(QString, current);
        QFETCH(bool, accepted);
        QCOMPARE(versionNumber::accepts(entry, current), accepted);
    }

    void manifestRules_data()
    {
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("fields"); // version, content, win32, detail, download, win64, sha256

        QTest::newRow("two entries, later fields win") <<
            QByteArray("<releases>"
                       "<release version=\"3.7.14.23\"><win32>http://h/a.zip</win32><content>first</content>"
                       "<detail>http://h/d1</detail><download>http://h/m1</download></release>"
                       "<release version=\"3.7.15.30\"><content>second</content><detail>http://h/d2</detail>"
                       "</release></releases>")
            << "3.7.0.4" << true
            << QStringList{"3.7.15.30", "second", "http://h/a.zip", "http://h/d2", "http://h/m1", "", ""};
        QTest::newRow("equal version offered") <<
            QByteArray("<r><e version=\"4.9.6.10\"><win32>http://h/same.zip</win32></e></r>")
            << "4.9.6.10" << true << QStringList{"4.9.6.10", "", "http://h/same.zip", "", "", "", ""};
        QTest::newRow("older entries ignored") <<
            QByteArray("<r><e version=\"4.9.7.0\"><win32>http://h/new.zip</win32><content>new</content></e>"
                       "<e version=\"4.9.5.0\"><win32>http://h/old.zip</win32><content>old</content></e></r>")
            << "4.9.6.10" << true << QStringList{"4.9.7.0", "new", "http://h/new.zip", "", "", "", ""};
        QTest::newRow("only older") << QByteArray("<r><e version=\"4.9.6.9\"><win32>x</win32></e></r>")
                                    << "4.9.6.10" << false << QStringList();
        QTest::newRow("declaration first") <<
            QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<r><e version=\"5.0.0.0\"><win32>http://h/a.zip</win32></e></r>")
            << "4.9.6.10" << false << QStringList();
        QTest::newRow("comment first") << QByteArray("<!-- releases --><r><e version=\"5.0.0.0\"/></r>")
                                       << "4.9.6.10" << false << QStringList();
        QTest::newRow("not xml") << QByteArray("<html><body>moved</body>") << "4.9.6.10" << false << QStringList();
        QTest::newRow("empty") << QByteArray() << "4.9.6.10" << false << QStringList();
        QTest::newRow("current of three parts") << QByteArray("<r><e version=\"5.0.0.0\"/></r>") << "4.9.6"
                                                << false << QStringList();
        QTest::newRow("entry of three parts") << QByteArray("<r><e version=\"5.0.0\"/></r>") << "4.9.6.10" << false
                                              << QStringList();
        QTest::newRow("any element names, unknown children, first of a kind") <<
            QByteArray("<manifest>\n  <build version=\"5.0.0.0\"><note>x</note><win64>http://h/64.zip</win64>"
                       "<win32>http://h/first.zip</win32><win32>http://h/second.zip</win32>"
                       "<content>a<b>b</b>c</content></build>\n</manifest>\n")
            << "4.9.6.10" << true << QStringList{"5.0.0.0", "abc", "http://h/first.zip", "", "", "http://h/64.zip", ""};
        QTest::newRow("digest goes with its archive") <<
            QByteArray("<r><e version=\"5.0.0.0\"><win32>http://h/a.zip</win32><sha256>aa</sha256></e>"
                       "<e version=\"5.0.0.1\"><win32>http://h/b.zip</win32></e></r>")
            << "4.9.6.10" << true << QStringList{"5.0.0.1", "", "http://h/b.zip", "", "", "", ""};
        QTest::newRow("digest alone amends the archive") <<
            QByteArray("<r><e version=\"5.0.0.0\"><win32>http://h/a.zip</win32></e>"
                       "<e version=\"5.0.0.1\"><sha256>bb</sha256></e></r>")
            << "4.9.6.10" << true << QStringList{"5.0.0.1", "", "http://h/a.zip", "", "", "", "bb"};
    }

    // The manifest is served over HTTP and read by the program's start-up.
    void manifestRules()
    {
        QFETCH(QByteArray, manifest);
        QFETCH(QString, current);
        QFETCH(bool, found);
        QFETCH(QStringList, fields);
        m_server->setBody(QStringLiteral("/auto/auto-update.xml"), manifest);
        releaseInfo info;
        QString entry;
        const releaseCheck result = checkForRelease(
            {QStringLiteral("update"), current, m_server->url(QStringLiteral("/auto/auto-update.xml")).toString(),
             QStringLiteral("WIN32"), QStringLiteral("LC")},
            m_desktop, info, entry);
        QCOMPARE(m_server->requests(), QStringList{QStringLiteral("/auto/auto-update.xml")});
        QVERIFY(m_desktop.warnings.isEmpty());
        QCOMPARE(result, found ? releaseCheck::offered : releaseCheck::nothingOffered);
        QCOMPARE(entry, QStringLiteral("LC"));
        QCOMPARE(info.currentVersion, current);
        if (!found)
            return;
        QCOMPARE(QStringList({info.version, info.content, info.win32, info.detail, info.download, info.win64,
                              info.sha256}),
                 fields);
    }

    void manifestEncodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("<r><e version=\"5.0.0.0\"><content>新增方剂检索</content></e></r>");
        QTest::newRow("system code page") << encodeSystemCodePage(text);
        QTest::newRow("utf-8") << text.toUtf8();
        QTest::newRow("utf-8 with mark") << withBom(text);
    }

    void manifestEncodings()
    {
        QFETCH(QByteArray, bytes);
        releaseInfo info;
        info.currentVersion = QStringLiteral("4.9.6.10");
        QVERIFY(readReleaseInfo(decodeManifest(bytes), info));
        QCOMPARE(info.content, QStringLiteral("新增方剂检索"));
    }

    void manifestFailuresAreReported_data()
    {
        QTest::addColumn<testHttpRoute>("route");
        QTest::addColumn<QString>("message");
        testHttpRoute missing;
        missing.status = 404;
        testHttpRoute silent;
        silent.silent = true;
        testHttpRoute toFile;
        toFile.status = 302;
        toFile.location = "file:///etc/passwd";
        QTest::newRow("404") << missing << "404";
        QTest::newRow("no answer") << silent << "没有响应";
        QTest::newRow("redirect to a file") << toFile << "拒绝";
    }

    void manifestFailuresAreReported()
    {
        QFETCH(testHttpRoute, route);
        QFETCH(QString, message);
        // Even a 404 page that happens to look like a manifest is not read.
        route.body = "<r><e version=\"5.0.0.0\"/></r>";
        m_server->setRoute(QStringLiteral("/m.xml"), route);
        releaseInfo info;
        QString entry;
        const releaseCheck result = checkForRelease(
            {QStringLiteral("update"), QStringLiteral("4.9.6.10"), m_server->url(QStringLiteral("/m.xml")).toString(),
             QStringLiteral("WIN32"), QStringLiteral("LC")},
            m_desktop, info, entry);
        QCOMPARE(result, releaseCheck::nothingOffered);
        QCOMPARE(m_desktop.warnings.size(), 1);
        QVERIFY2(m_desktop.warnings.first().contains(message), qPrintable(m_desktop.warnings.first()));
    }

    void argumentsAreChecked_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList{"update"};
        QTest::newRow("three") << QStringList{"update", "4.9.6.10", "http://127.0.0.1:1/m.xml", "WIN32"};
        QTest::newRow("five") << QStringList{"update", "4.9.6.10", "http://127.0.0.1:1/m.xml", "WIN32", "LC", "x"};
        QTest::newRow("entry with a folder") << QStringList{"update", "4.9.6.10", "http://127.0.0.1:1/m.xml",
                                                            "WIN32", "../LC"};
    }

    void argumentsAreChecked()
    {
        QFETCH(QStringList, arguments);
        releaseInfo info;
        QString entry;
        QCOMPARE(checkForRelease(arguments, m_desktop, info, entry), releaseCheck::usageError);
        QVERIFY(m_desktop.warnings.isEmpty());
    }

    // The program itself: a wrong argument count ends it with -1 at once.
    void programExitsOnWrongArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList();
        QTest::newRow("three") << QStringList{"4.9.6.10", "http://127.0.0.1:1/m.xml", "WIN32"};
        QTest::newRow("five") << QStringList{"4.9.6.10", "http://127.0.0.1:1/m.xml", "WIN32", "LC", "x"};
    }

    void programExitsOnWrongArguments()
    {
        QFETCH(QStringList, arguments);
        QProcess p;
        p.setWorkingDirectory(m_dir);
        p.start(QStringLiteral(LC_UPDATE_PATH), arguments);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(qint8(p.exitCode()), qint8(-1));
    }

    // A manifest that offers nothing ends the program with 0 and no window.
    void programEndsQuietlyWithoutRelease()
    {
        m_server->setBody(QStringLiteral("/auto/auto-update.xml"),
                          "<?xml version=\"1.0\"?><r><e version=\"9.0.0.0\"><win32>http://h/a.zip</win32></e></r>");
        QProcess p;
        p.setWorkingDirectory(m_dir);
        QSignalSpy finished(&p, &QProcess::finished);
        p.start(QStringLiteral(LC_UPDATE_PATH),
                {QStringLiteral("4.9.6.10"), m_server->url(QStringLiteral("/auto/auto-update.xml")).toString(),
                 QStringLiteral("WIN32"), QStringLiteral("LC")});
        QVERIFY(finished.wait(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(m_server->requests(), QStringList{QStringLiteral("/auto/auto-update.xml")});
        QVERIFY(listing(m_dir).isEmpty());
    }

    // ---- the window --------------------------------------------------

    void form()
    {
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        QCOMPARE(w->objectName(), QStringLiteral("Form"));
        QCOMPARE(w->windowTitle(), QStringLiteral("更新"));
        QVERIFY(!w->windowIcon().pixmap(32).isNull());
        QCOMPARE(w->minimumHeight(), 374);
        QCOMPARE(w->maximumHeight(), 374);
        QCOMPARE(w->width(), 400);
        auto *grid = w->findChild<QGridLayout *>(QStringLiteral("gridLayout"));
        QVERIFY(grid);
        const auto place = [grid](QWidget *widget) {
            int row = -1, column = -1, rows = 0, columns = 0;
            grid->getItemPosition(grid->indexOf(widget), &row, &column, &rows, &columns);
            return QList<int>{row, column, rows, columns};
        };
        struct { const char *name; QList<int> place; const char *text; } buttons[] = {
            {"mDownload", {1, 0, 1, 1}, "手动下载 "},
            {"mUpdate", {1, 1, 1, 1}, " 升级 "},
            {"mCancel", {1, 3, 1, 1}, " 取消 "},
            {"mView", {6, 0, 1, 1}, "查看详细"},
        };
        for (const auto &b : buttons) {
            auto *button = w->findChild<QPushButton *>(QLatin1String(b.name));
            QVERIFY2(button, b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.text));
            QCOMPARE(place(button), b.place);
        }
        auto *label = w->findChild<QLabel *>(QStringLiteral("label"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("<html><head/><body><p>Lumicara发布新的版本了!</p>"
                                               "<p>您希望更新到该版本吗?</p></body></html>"));
        QCOMPARE(place(label), (QList<int>{0, 0, 1, 2}));
        auto *line = w->findChild<QFrame *>(QStringLiteral("line"));
        QVERIFY(line);
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(place(line), (QList<int>{2, 0, 1, 4}));
        auto *version = w->findChild<QLabel *>(QStringLiteral("mVersionShow"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("当前版本：4.9.6.10     升级版本：4.9.7.0"));
        QCOMPARE(place(version), (QList<int>{3, 0, 1, 3}));
        auto *notes = w->findChild<QTextEdit *>(QStringLiteral("mShow"));
        QVERIFY(notes);
        QCOMPARE(notes->toPlainText(), QStringLiteral("修正了若干问题"));
        QCOMPARE(place(notes), (QList<int>{4, 0, 1, 4}));
        auto *progress = w->findChild<QProgressBar *>(QStringLiteral("progressBar"));
        QVERIFY(progress);
        QVERIFY(progress->isHidden());
        QCOMPARE(progress->value(), 0);
        QCOMPARE(place(progress), (QList<int>{5, 0, 1, 4}));
        auto *spacer = grid->itemAtPosition(1, 2);
        QVERIFY(spacer && spacer->spacerItem());
        QCOMPARE(spacer->spacerItem()->sizeHint(), QSize(136, 20));
        QCOMPARE(spacer->spacerItem()->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    }

    void pagesOpenOnlyWebAddresses()
    {
        releaseInfo info = offered(QStringLiteral("/pkg.zip"));
        auto w = window(info);
        w->findChild<QPushButton *>(QStringLiteral("mView"))->click();
        w->findChild<QPushButton *>(QStringLiteral("mDownload"))->click();
        QCOMPARE(m_desktop.opened, (QStringList{info.detail, info.download}));
        info.detail = QStringLiteral("file:///etc/passwd");
        info.download = QString();
        w->setReleaseInfo(info);
        w->visit();
        w->manual();
        QCOMPARE(m_desktop.opened.size(), 2);
    }

    void progress()
    {
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        auto *bar = w->findChild<QProgressBar *>(QStringLiteral("progressBar"));
        w->updateDataReadProgress(50, 200);
        QCOMPARE(bar->maximum(), 200);
        QCOMPARE(bar->value(), 50);
        w->updateDataReadProgress(10, -1); // size unknown
        QCOMPARE(bar->maximum(), 0);
        const qint64 big = qint64(6) << 30;
        w->updateDataReadProgress(big / 2, big);
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum() / 2);
    }

    void fullUpdate_data()
    {
        QTest::addColumn<bool>("withDigest");
        QTest::addColumn<bool>("oldPresent");
        QTest::addColumn<bool>("redirected");
        QTest::newRow("plain") << false << true << false;
        QTest::newRow("digest checked") << true << true << false;
        QTest::newRow("redirect within http") << false << true << true;
        QTest::newRow("no old program") << false << false << false;
    }

    void fullUpdate()
    {
        QFETCH(bool, withDigest);
        QFETCH(bool, oldPresent);
        QFETCH(bool, redirected);
        if (oldPresent)
            writeOldProgram();
        const QByteArray archive = goodArchive();
        m_server->setBody(QStringLiteral("/pkg.zip"), archive);
        testHttpRoute moved;
        moved.status = 302;
        moved.location = m_server->url(QStringLiteral("/pkg.zip")).toEncoded();
        m_server->setRoute(QStringLiteral("/old/pkg.zip"), moved);
        const QString digest = withDigest ? QString::fromLatin1(" " + sha256Hex(archive).toUpper() + "\n") : QString();
        auto w = window(offered(redirected ? QStringLiteral("/old/pkg.zip") : QStringLiteral("/pkg.zip"), digest));
        QSignalSpy closed(w.get(), &update::sendClosed);

        download(*w);

        // The program ends with the window, after the closing message.
        QCOMPARE(closed.size(), 1);
        QVERIFY2(m_desktop.warnings.isEmpty(), qPrintable(m_desktop.warnings.join(QLatin1Char('\n'))));
        QCOMPARE(m_desktop.abouts, QStringList{QStringLiteral("Lumicara|Lumicara已升级至最新版本")});
        QVERIFY(!w->isVisible());
        QCOMPARE(readFile(QStringLiteral("LC")), newProgram);
        QVERIFY(QFileInfo(m_dir + QStringLiteral("/LC")).isExecutable());
        // The archive is kept; nothing else is left behind.
        const QString kept = QString::fromLatin1(updateDownloadFolder) + QStringLiteral("/4.9.7.0.zip");
        QCOMPARE(listing(m_dir).keys(),
                 (QStringList{QStringLiteral("LC"), QString::fromLatin1(updateDownloadFolder) + '/', kept}));
        QCOMPARE(readFile(kept), archive);
        // The running main program was stopped, and only the one in this folder.
        QCOMPARE(m_terminator.calls,
                 QStringList{QStringLiteral("LC|") + QFileInfo(m_dir + QStringLiteral("/LC")).absoluteFilePath()});
    }

    // The disk that holds the program is full, the download folder (a file
    // system of its own) has room: the archive is kept, the program cannot be
    // written, the old one stays whole and nothing half-written lies beside it.
    void fullDiskKeepsOldProgram()
    {
        fullFolder disk(QStringLiteral("update_full"));
        if (!disk.mounted())
            QSKIP("no file system can be mounted here");
        m_dir = disk.path();
        writeOldProgram();
        fullFolder room(QStringLiteral("update_full/") + QLatin1String(updateDownloadFolder));
        QVERIFY(room.mounted());
        disk.fill();
        const QByteArray archive = goodArchive();
        m_server->setBody(QStringLiteral("/pkg.zip"), archive);
        auto w = window(offered(QStringLiteral("/pkg.zip"), QString()));

        download(*w);
        disk.release();

        QCOMPARE(m_desktop.warnings.size(), 1);
        QVERIFY2(m_desktop.warnings.first().contains(QStringLiteral("原来的程序没有改变")),
                 qPrintable(m_desktop.warnings.first()));
        QVERIFY(m_desktop.abouts.isEmpty());
        QCOMPARE(readFile(QStringLiteral("LC")), oldProgram);
        QCOMPARE(disk.files(), QStringList{QStringLiteral("LC")});
        QCOMPARE(room.files(), QStringList{QStringLiteral("4.9.7.0.zip")});
    }

    // A program that would inflate past any real one (zeros a little beyond
    // the limit, or more than the directory claims) is refused unread.
    void oversizedProgramRefused_data()
    {
        QTest::addColumn<qint64>("declared");
        QTest::newRow("size told") << qint64(-1);
        QTest::newRow("size understated") << qint64(1024);
    }

    void oversizedProgramRefused()
    {
        QFETCH(qint64, declared);
        testEntry e{QStringLiteral("LC"), QByteArray()};
        e.zeroBytes = maxUpdateProgramBytes + 1024 * 1024;
        e.declaredSize = declared;
        const QString path = freshTestDir(QStringLiteral("update_huge")) + QStringLiteral("/pkg.zip");
        QVERIFY(writeTestArchive(path, {e}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray program("stale");
        QCOMPARE(readArchiveEntryData(f.readAll(), QStringLiteral("LC"), program), archiveEntryResult::damaged);
        QVERIFY(program.isEmpty());
    }

    void failedUpdatesTouchNothing_data()
    {
        QTest::addColumn<testHttpRoute>("route");
        QTest::addColumn<bool>("wrongDigest");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("windowStays");

        testHttpRoute r;
        r.status = 404;
        r.body = goodArchive(); // the body of an error page is never unpacked
        QTest::newRow("404") << r << false << "404" << true;
        r = testHttpRoute();
        r.status = 500;
        QTest::newRow("500") << r << false << "500" << true;
        r = testHttpRoute();
        QTest::newRow("empty body") << r << false << "无法打开" << true;
        r.body = "PK\x03\x04 this is not really a zip archive";
        QTest::newRow("corrupt zip") << r << false << "无法打开" << true;
        r.body = goodArchive();
        r.body.chop(r.body.size() / 2);
        QTest::newRow("truncated zip") << r << false << "无法打开" << true;
        r.body = zipBytes({{QStringLiteral("readme.txt"), "notes"}, {QStringLiteral("LCX"), newProgram}});
        QTest::newRow("missing entry") << r << false << "没有 LC" << false;
        r.body = zipBytes({{QStringLiteral("LC"), newProgram, true}});
        QTest::newRow("unreadable entry") << r << false << "没有 LC" << false;
        r.body = goodArchive();
        {
            // Spoil the entry's compressed data, keeping the archive's directory.
            const int at = r.body.indexOf("PK\x03\x04", r.body.indexOf("readme.txt") + 1);
            r.body[at + 60] = char(r.body[at + 60] ^ 0x5a);
            r.body[at + 61] = char(r.body[at + 61] ^ 0x5a);
        }
        QTest::newRow("damaged entry") << r << false << "损坏" << true;
        r.body = goodArchive();
        QTest::newRow("checksum mismatch") << r << true << "校验" << true;
        r = testHttpRoute();
        r.silent = true;
        QTest::newRow("no answer") << r << false << "没有响应" << true;
        r = testHttpRoute();
        r.stallAfter = 100;
        r.body = goodArchive();
        QTest::newRow("answer stops") << r << false << "没有响应" << true;
        r = testHttpRoute();
        r.status = 302;
        r.location = "https://127.0.0.1:1/pkg.zip";
        QTest::newRow("redirect to https") << r << false << "拒绝" << true;
        r.location = "file:///etc/hostname";
        QTest::newRow("redirect to a file") << r << false << "拒绝" << true;
    }

    void failedUpdatesTouchNothing()
    {
        QFETCH(testHttpRoute, route);
        QFETCH(bool, wrongDigest);
        QFETCH(QString, message);
        QFETCH(bool, windowStays);
        writeOldProgram();
        m_server->setRoute(QStringLiteral("/pkg.zip"), route);
        const QMap<QString, QByteArray> before = listing(m_dir);
        auto w = window(offered(QStringLiteral("/pkg.zip"),
                                wrongDigest ? QString::fromLatin1(sha256Hex("another archive")) : QString()));
        QSignalSpy closed(w.get(), &update::sendClosed);

        download(*w);

        QCOMPARE(closed.size(), windowStays ? 0 : 1);
        QCOMPARE(m_desktop.warnings.size(), 1);
        QVERIFY2(m_desktop.warnings.first().contains(message), qPrintable(m_desktop.warnings.first()));
        QVERIFY(m_desktop.abouts.isEmpty());
        QCOMPARE(w->isVisible(), windowStays);
        QCOMPARE(listing(m_dir), before);
        QVERIFY(m_terminator.calls.isEmpty());
        if (windowStays) {
            // The user may try again.
            auto *upgrade = w->findChild<QPushButton *>(QStringLiteral("mUpdate"));
            QVERIFY(upgrade->isEnabled());
            QVERIFY(w->findChild<QProgressBar *>(QStringLiteral("progressBar"))->isHidden());
        }
    }

#ifndef _WIN32
    // The new program is written beside the old one and renamed over it: a
    // second name of the old file keeps the old contents.
    void replacementIsARename()
    {
        writeOldProgram();
        const QByteArray oldPath = QFile::encodeName(m_dir + QStringLiteral("/LC"));
        const QByteArray heldPath = QFile::encodeName(m_dir + QStringLiteral("/held"));
        QCOMPARE(::link(oldPath.constData(), heldPath.constData()), 0);
        m_server->setBody(QStringLiteral("/pkg.zip"), goodArchive());
        auto w = window(offered(QStringLiteral("/pkg.zip")));

        download(*w);

        QVERIFY(m_desktop.warnings.isEmpty());
        QCOMPARE(readFile(QStringLiteral("LC")), newProgram);
        QCOMPARE(readFile(QStringLiteral("held")), oldProgram);
    }
#endif

    // The new program cannot be put in place: the old one stays, and no
    // half-written file is left beside it.
    void unwritableProgramIsReported()
    {
        QVERIFY(QDir(m_dir).mkdir(QStringLiteral("LC")));
        QFile keep(m_dir + QStringLiteral("/LC/keep"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        m_server->setBody(QStringLiteral("/pkg.zip"), goodArchive());
        auto w = window(offered(QStringLiteral("/pkg.zip")));

        download(*w);

        QCOMPARE(m_desktop.warnings.size(), 1);
        QVERIFY2(m_desktop.warnings.first().contains(QStringLiteral("无法写入")), qPrintable(m_desktop.warnings.first()));
        QVERIFY(m_desktop.abouts.isEmpty());
        QVERIFY(!w->isVisible());
        const QString kept = QString::fromLatin1(updateDownloadFolder) + QStringLiteral("/4.9.7.0.zip");
        QCOMPARE(listing(m_dir).keys(),
                 (QStringList{QStringLiteral("LC/"), QStringLiteral("LC/keep"),
                              QString::fromLatin1(updateDownloadFolder) + '/', kept}));
    }

    void unsavableArchiveIsReported()
    {
        writeOldProgram();
        QFile blocker(m_dir + QLatin1Char('/') + QLatin1String(updateDownloadFolder));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QMap<QString, QByteArray> before = listing(m_dir);
        m_server->setBody(QStringLiteral("/pkg.zip"), goodArchive());
        auto w = window(offered(QStringLiteral("/pkg.zip")));

        download(*w);

        QCOMPARE(m_desktop.warnings.size(), 1);
        QVERIFY2(m_desktop.warnings.first().contains(QStringLiteral("无法保存")), qPrintable(m_desktop.warnings.first()));
        QVERIFY(!w->isVisible());
        QCOMPARE(listing(m_dir), before);
        QVERIFY(m_terminator.calls.isEmpty());
    }

    // A program in a folder the user cannot write (a system install by a
    // package): told at once, with the folder and the way to update it;
    // nothing is downloaded or stopped, and the manual download stays offered.
    void systemInstallIsToldBeforeDownloading()
    {
        const QString folder = unwritableTestDir(QStringLiteral("update_system"));
        m_server->setBody(QStringLiteral("/pkg.zip"), goodArchive());
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        w->setWorkingDirectory(QDir(folder));
        QVERIFY(!w->canReplaceProgram());

        w->findChild<QPushButton *>(QStringLiteral("mUpdate"))->click();

        QVERIFY(!w->isDownloading());
        QCOMPARE(m_desktop.warnings.size(), 1);
        const QString warning = m_desktop.warnings.first();
        QVERIFY2(warning.contains(QDir::toNativeSeparators(folder)), qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("软件包管理器")), qPrintable(warning));
        QTest::qWait(50);
        QVERIFY(m_server->requests().isEmpty());
        QVERIFY(m_terminator.calls.isEmpty());
        QVERIFY(w->isVisible());
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("mDownload"))->isEnabled());

        // The same window in a folder it may write goes ahead.
        writeOldProgram();
        w->setWorkingDirectory(QDir(m_dir));
        QVERIFY(w->canReplaceProgram());
        m_desktop.warnings.clear();
        download(*w);
        QVERIFY2(m_desktop.warnings.isEmpty(), qPrintable(m_desktop.warnings.join('\n')));
        QCOMPARE(readFile(QStringLiteral("LC")), newProgram);
    }

    void cancelledDownloadTouchesNothing()
    {
        writeOldProgram();
        testHttpRoute slow;
        slow.body = goodArchive();
        slow.stallAfter = 1000;
        m_server->setRoute(QStringLiteral("/pkg.zip"), slow);
        setUpdateRequestTimeout(20000);
        const QMap<QString, QByteArray> before = listing(m_dir);
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        auto *bar = w->findChild<QProgressBar *>(QStringLiteral("progressBar"));

        w->findChild<QPushButton *>(QStringLiteral("mUpdate"))->click();
        QVERIFY(!bar->isHidden());
        w->auto_download(); // a second request while one runs is ignored
        QTRY_VERIFY(bar->value() > 0);
        QCOMPARE(bar->maximum(), slow.body.size());
        QSignalSpy closed(w.get(), &update::sendClosed);
        w->findChild<QPushButton *>(QStringLiteral("mCancel"))->click();
        setUpdateRequestTimeout(400);
        QVERIFY(!closed.isEmpty());

        QVERIFY(!w->isVisible());
        QVERIFY(!w->isDownloading());
        QTest::qWait(50);
        QCOMPARE(m_server->requests(), QStringList{QStringLiteral("/pkg.zip")});
        QCOMPARE(listing(m_dir), before);
        QVERIFY(m_desktop.warnings.isEmpty());
        QVERIFY(m_desktop.abouts.isEmpty());
        QVERIFY(m_terminator.calls.isEmpty());
    }

    void cancelBeforeUpgrade()
    {
        writeOldProgram();
        const QMap<QString, QByteArray> before = listing(m_dir);
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        w->findChild<QPushButton *>(QStringLiteral("mCancel"))->click();
        QVERIFY(!w->isVisible());
        QVERIFY(m_server->requests().isEmpty());
        QCOMPARE(listing(m_dir), before);
        QVERIFY(m_terminator.calls.isEmpty());
    }

    void archiveNameUsesOnlyTheNumbers()
    {
        auto w = window(offered(QStringLiteral("/pkg.zip")));
        releaseInfo info = w->release();
        info.version = QStringLiteral("5/x.0.0.1");
        w->setReleaseInfo(info);
        QCOMPARE(w->archivePath(), QDir(m_dir).absoluteFilePath(QString::fromLatin1(updateDownloadFolder)
                                                                + QStringLiteral("/0.0.0.1.zip")));
    }

    // ---- stopping the main program -----------------------------------

    void executableNames_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("sensitivity");
        QTest::addColumn<bool>("same");
        const int cs = Qt::CaseSensitive, ci = Qt::CaseInsensitive;
        QTest::newRow("same file") << "/opt/lc/LC" << "/opt/lc/LC" << cs << true;
        QTest::newRow("name only known") << "LC.exe" << "C:/lc/LC.exe" << ci << true;
        QTest::newRow("longer name") << "/opt/lc/LCX" << "/opt/lc/LC" << cs << false;
        QTest::newRow("name ends alike") << "/opt/lc/xLC" << "/opt/lc/LC" << cs << false;
        QTest::newRow("name contains it") << "LC.exe.bak" << "C:/lc/LC.exe" << ci << false;
        QTest::newRow("another folder") << "/home/me/LC" << "/opt/lc/LC" << cs << false;
        QTest::newRow("case here") << "/opt/lc/lc" << "/opt/lc/LC" << cs << false;
        QTest::newRow("case on Windows") << "C:/LC/lc.EXE" << "c:/lc/LC.exe" << ci << true;
        QTest::newRow("folder named alike") << "/opt/LC/other" << "/opt/LC" << cs << false;
    }

    void executableNames()
    {
        QFETCH(QString, image);
        QFETCH(QString, path);
        QFETCH(int, sensitivity);
        QFETCH(bool, same);
        const QString name = QDir::fromNativeSeparators(path).section(QLatin1Char('/'), -1);
        QCOMPARE(processTerminator::isSameExecutable(image, name, path, Qt::CaseSensitivity(sensitivity)), same);
    }

#ifndef _WIN32
    // A made-up /proc: only processes of this user, other than this one, whose
    // executable is the program in question.
    void procScan()
    {
        const QString root = m_dir + QStringLiteral("/proc");
        const QString program = QStringLiteral("/opt/lc/LC");
        const auto add = [&root](const QString &pid, uint uid, const QString &exe) {
            QDir().mkpath(root + QLatin1Char('/') + pid);
            QFile status(root + QLatin1Char('/') + pid + QStringLiteral("/status"));
            status.open(QIODevice::WriteOnly);
            status.write(QStringLiteral("Name:\tx\nUmask:\t0022\nState:\tS (sleeping)\nUid:\t%1\t%1\t%1\t%1\n")
                             .arg(uid).toLatin1());
            status.close();
            if (!exe.isEmpty())
                QFile::link(exe, root + QLatin1Char('/') + pid + QStringLiteral("/exe"));
        };
        add(QStringLiteral("101"), 1000, program);
        add(QStringLiteral("102"), 1000, QStringLiteral("/opt/lc/LCX"));
        add(QStringLiteral("103"), 1000, QStringLiteral("/opt/lc/xLC"));
        add(QStringLiteral("104"), 1001, program);
        add(QStringLiteral("105"), 1000, QStringLiteral("/home/me/LC"));
        add(QStringLiteral("106"), 1000, program);
        add(QStringLiteral("107"), 1000, program + QStringLiteral(" (deleted)"));
        add(QStringLiteral("108"), 1000, QString());
        add(QStringLiteral("self"), 1000, program);
        QDir().mkpath(root + QStringLiteral("/109")); // no status

        linuxProcessTerminator terminator(root);
        terminator.setUser(1000);
        terminator.setSelf(106);
        QList<qint64> found = terminator.findProcesses(QStringLiteral("LC"), program);
        std::sort(found.begin(), found.end());
        QCOMPARE(found, (QList<qint64>{101, 107}));
        terminator.setUser(1001);
        QCOMPARE(terminator.findProcesses(QStringLiteral("LC"), program), QList<qint64>{104});
    }

    // Real processes: only the exact executable is stopped.
    void realProcesses()
    {
        const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
        if (sleep.isEmpty())
            QSKIP("no sleep program");
        // A name no other program on this machine has.
        const QString name = QStringLiteral("lcupd%1").arg(QCoreApplication::applicationPid());
        QVERIFY(QDir(m_dir).mkdir(QStringLiteral("other")));
        const QStringList copies = {m_dir + '/' + name, m_dir + '/' + name + 'X', m_dir + "/x" + name,
                                    m_dir + "/other/" + name};
        std::vector<std::unique_ptr<QProcess>> running;
        for (const QString &copy : copies) {
            QVERIFY(QFile::copy(sleep, copy));
            auto p = std::make_unique<QProcess>();
            p->start(copy, {QStringLiteral("60")});
            QVERIFY(p->waitForStarted());
            running.push_back(std::move(p));
        }
        linuxProcessTerminator terminator;
        QCOMPARE(terminator.findProcesses(name, copies.first()), QList<qint64>{running.front()->processId()});
        QCOMPARE(terminator.terminateAll(name, copies.first()), 1);
        QVERIFY(running.front()->waitForFinished(10000));
        QCOMPARE(running.front()->exitStatus(), QProcess::CrashExit);
        for (size_t i = 1; i < running.size(); ++i)
            QCOMPARE(running[i]->state(), QProcess::Running);
        QVERIFY(!terminator.terminateProcess(QCoreApplication::applicationPid()));
        for (auto &p : running) {
            p->kill();
            p->waitForFinished();
        }
    }
#endif
};

QTEST_MAIN(tst_update)
#include "tst_update.moc"
