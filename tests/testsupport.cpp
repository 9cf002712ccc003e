#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <zlib.h>

namespace {
// Damages the entries of a written archive as they ask: an unknown compression
// method in the central directory (opening fails while the entry can still be
// found), a flipped byte in the compressed data, or another uncompressed size
// in the central directory.
bool spoilEntries(const QString &path, const QList<testEntry> &entries)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray zip = f.readAll();
    int pos = 0;
    while ((pos = zip.indexOf("PK\x01\x02", pos)) >= 0) {
        const quint16 nameLen = qFromLittleEndian<quint16>(zip.constData() + pos + 28);
        const QString name = QString::fromUtf8(zip.mid(pos + 46, nameLen));
        for (const testEntry &e : entries) {
            if (e.name != name)
                continue;
            if (e.unopenable)
                qToLittleEndian<quint16>(99, zip.data() + pos + 10);
            if (e.declaredSize >= 0)
                qToLittleEndian<quint32>(quint32(e.declaredSize), zip.data() + pos + 24);
            if (e.corrupt) {
                const quint32 packed = qFromLittleEndian<quint32>(zip.constData() + pos + 20);
                const quint32 local = qFromLittleEndian<quint32>(zip.constData() + pos + 42);
                const quint16 localName = qFromLittleEndian<quint16>(zip.constData() + local + 26);
                const quint16 localExtra = qFromLittleEndian<quint16>(zip.constData() + local + 28);
                zip[int(local + 30 + localName + localExtra + packed / 2)] ^= 0x01;
            }
        }
        pos += 46;
    }
    f.seek(0);
    f.write(zip);
    return true;
}
} // namespace

QByteArray fillerText(const QString &head)
{
    QString text = head;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("第%1行 line %2 of the filler, %3\n").arg(i).arg(i * 7919 % 1000).arg(QString::number(i * i, 16));
    return text.toUtf8();
}

bool writeTestArchive(const QString &path, const QList<testEntry> &entries)
{
    QFile::remove(path);
    bool spoiled = false;
    {
        QuaZip zip(path);
        if (!zip.open(QuaZip::mdCreate))
            return false;
        for (const testEntry &e : entries) {
            QuaZipFile out(&zip);
            if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(e.name), nullptr, 0, e.stored ? 0 : Z_DEFLATED))
                return false;
            out.write(e.data);
            out.close();
            spoiled = spoiled || e.unopenable || e.corrupt || e.declaredSize >= 0;
        }
        zip.close();
    }
    return !spoiled || spoilEntries(path, entries);
}

QString freshTestDir(const QString &name)
{
    QString base = qEnvironmentVariable("LC_TEST_TMP");
    if (base.isEmpty())
        base = QDir::tempPath() + QStringLiteral("/lc_tests");
    QDir dir(base + QLatin1Char('/') + name);
    dir.removeRecursively();
    QDir().mkpath(dir.path());
    return dir.absolutePath();
}

QString unwritableTestDir(const QString &name)
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0)
        return QStringLiteral("/proc");
#endif
    const QString dir = freshTestDir(name);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
                                   | QFileDevice::ExeUser);
    return dir;
}

int runLcq(const QStringList &args, QString *out, QString *err, const QString &workDir)
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(LC_LCQ_PATH), args);
    if (!p.waitForFinished(120000))
        return -100;
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -101;
}

QString sourcePath(const QString &relative)
{
    return QStringLiteral(LC_SOURCE_DIR "/") + relative;
}

QByteArray withBom(const QString &text)
{
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

#ifdef QT_WIDGETS_LIB
#include "text/warnningbox.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

boxCatcher::boxCatcher()
    : m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (auto *box = qobject_cast<warnningBox *>(QApplication::activeModalWidget())) {
            messages << box->text();
            for (const QLabel *label : box->findChildren<QLabel *>()) {
                if (!label->text().isEmpty() && label->textFormat() != Qt::PlainText)
                    markupTexts << label->text();
            }
            box->close();
        }
    });
    m_timer->start(5);
}

boxCatcher::~boxCatcher() = default;
#endif
