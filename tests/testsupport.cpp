#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtEndian>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

namespace {
// Rewrites the compression method of the named entries in the central
// directory, so that opening them fails while they can still be found.
bool spoilEntries(const QString &path, const QStringList &names)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray zip = f.readAll();
    int pos = 0;
    while ((pos = zip.indexOf("PK\x01\x02", pos)) >= 0) {
        const quint16 nameLen = qFromLittleEndian<quint16>(zip.constData() + pos + 28);
        const QString name = QString::fromUtf8(zip.mid(pos + 46, nameLen));
        if (names.contains(name))
            qToLittleEndian<quint16>(99, zip.data() + pos + 10);
        pos += 46;
    }
    f.seek(0);
    f.write(zip);
    return true;
}
} // namespace

bool writeTestArchive(const QString &path, const QList<testEntry> &entries)
{
    QFile::remove(path);
    QStringList spoiled;
    {
        QuaZip zip(path);
        if (!zip.open(QuaZip::mdCreate))
            return false;
        for (const testEntry &e : entries) {
            QuaZipFile out(&zip);
            if (!out.open(QIODevice::WriteOnly, QuaZipNewInfo(e.name)))
                return false;
            out.write(e.data);
            out.close();
            if (e.unopenable)
                spoiled << e.name;
        }
        zip.close();
    }
    return spoiled.isEmpty() || spoilEntries(path, spoiled);
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
