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

#ifdef Q_OS_LINUX
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#endif

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

namespace {
constexpr qint64 mebibyte = 1024 * 1024;

// Raw deflate data of one MiB of zeros, ended by a full flush: it starts from
// no history and ends on a byte boundary, so that copies of it can follow one
// another in a stream.
QByteArray deflatedZeroMebibyte()
{
    static const QByteArray packed = [] {
        z_stream s{};
        deflateInit2(&s, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        QByteArray zeros(mebibyte, '\0');
        QByteArray out(int(deflateBound(&s, uLong(zeros.size()))) + 64, '\0');
        s.next_in = reinterpret_cast<Bytef *>(zeros.data());
        s.avail_in = uInt(zeros.size());
        s.next_out = reinterpret_cast<Bytef *>(out.data());
        s.avail_out = uInt(out.size());
        deflate(&s, Z_FULL_FLUSH);
        out.truncate(int(s.total_out));
        deflateEnd(&s);
        return out;
    }();
    return packed;
}

bool writeZeroEntry(QuaZip &zip, const testEntry &e)
{
    if (e.zeroBytes % mebibyte != 0)
        return false;
    const qint64 count = e.zeroBytes / mebibyte;
    const QByteArray zeros(mebibyte, '\0');
    const uLong one = crc32(0, reinterpret_cast<const Bytef *>(zeros.constData()), uInt(zeros.size()));
    uLong crc = 0;
    for (qint64 i = 0; i < count; ++i)
        crc = crc32_combine(crc, one, mebibyte);
    QuaZipNewInfo info(e.name);
    info.uncompressedSize = ulong(e.zeroBytes);
    QuaZipFile out(&zip);
    if (!out.open(QIODevice::WriteOnly, info, nullptr, quint32(crc), Z_DEFLATED, Z_DEFAULT_COMPRESSION, true))
        return false;
    const QByteArray piece = deflatedZeroMebibyte();
    for (qint64 i = 0; i < count; ++i)
        out.write(piece);
    out.write(QByteArray("\x03\x00", 2)); // an empty last block ends the stream
    out.close();
    return out.getZipError() == ZIP_OK;
}
} // namespace

const QList<archiveRow> &archiveRows()
{
    static const QList<archiveRow> rows = {
        {1, "item/list.xml", onFailure::silentStop},
        {2, "script/basic.xml", onFailure::reportStop},
        {3, "pair/plist22.xml", onFailure::reportStop},
        {4, "pair/dict.xml", onFailure::reportStop},
        {5, "pair/common_pair.xml", onFailure::reportStop},
        {6, "pair/super_pair.xml", onFailure::reportStop},
        {7, "script/scripts.xml", onFailure::reportStop},
        {8, "data/acupoint.txt", onFailure::silentStop},
        {9, "folk/folk.xml", onFailure::reportStop},
        {10, "folk/data.txt", onFailure::silentStop},
        {11, "wisdom/songs.txt", onFailure::reportStop},
        {12, "script/hate.xml", onFailure::reportStop},
        {13, "script/oppose.xml", onFailure::reportStop},
        {14, "wisdom/quote.xml", onFailure::skip},
        {14, "wisdom/lpf.xml", onFailure::skip},
        {14, "wisdom/njquote.xml", onFailure::skip},
        {14, "wisdom/wbtb.xml", onFailure::skip},
        {14, "wisdom/quotemisc.xml", onFailure::skip},
        {14, "wisdom/xfquote.xml", onFailure::skip},
        {15, "diagnosis/000.xml", onFailure::skip},
        {15, "diagnosis/007.xml", onFailure::skip},
        {15, "diagnosis/050.xml", onFailure::skip},
        {15, "diagnosis/888.xml", onFailure::skip},
        {15, "diagnosis/999.xml", onFailure::skip},
        {16, "diagnosis/map.xml", onFailure::reportStop},
        {18, "diagnosis/diagnosis_data.xml", onFailure::reportStop},
        {19, "data/namemap.xml", onFailure::reportStop},
        {20, "diagnosis/contradiction.xml", onFailure::reportStop},
        {21, "script/script_flow.xml", onFailure::reportStop},
        {22, "script/line.xml", onFailure::reportStop},
        {23, "script/script_translation.xml", onFailure::reportStop},
        {24, "script/acu_script.txt", onFailure::reportStop},
        {25, "script/herb_unit.xml", onFailure::reportStop},
        {26, "script/method_table.xml", onFailure::reportStop},
        {27, "item/dozemap.txt", onFailure::readEmpty},
    };
    return rows;
}

QByteArray doseLines()
{
    QByteArray text;
    for (int i = 1; i <= 300; ++i)
        text += QByteArray::number(1000 + i) + ",3," + QByteArray::number(9 + i % 7) + "\r\n";
    return text;
}

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
            if (e.zeroBytes > 0) {
                if (!writeZeroEntry(zip, e))
                    return false;
                spoiled = spoiled || e.declaredSize >= 0;
                continue;
            }
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

namespace {
#ifdef Q_OS_LINUX
// A mount namespace of this process alone, whose mounts nobody else sees.
bool privateMounts()
{
    static const bool ready = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ready;
}

void limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = bytes == RLIM_INFINITY ? r.rlim_max : bytes;
    setrlimit(RLIMIT_FSIZE, &r);
}
#endif
} // namespace

fullFolder::fullFolder(const QString &name)
    : m_path(freshTestDir(name))
{
#ifdef Q_OS_LINUX
    m_mounted = privateMounts()
        && mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=512k") == 0;
#endif
}

fullFolder::~fullFolder()
{
    release();
#ifdef Q_OS_LINUX
    if (m_mounted)
        umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
#endif
}

bool fullFolder::put(const QString &name, const QByteArray &bytes) const
{
    QFile f(m_path + QLatin1Char('/') + name);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() && f.flush();
}

QByteArray fullFolder::read(const QString &name) const
{
    QFile f(m_path + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList fullFolder::files() const
{
    QStringList names = QDir(m_path).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    names.removeAll(QStringLiteral(".filler"));
    return names;
}

void fullFolder::fill()
{
    if (m_filled)
        return;
    m_filled = true;
    if (m_mounted) {
        QFile filler(m_path + QStringLiteral("/.filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
        return;
    }
#ifdef Q_OS_LINUX
    limitFileSize(0);
#endif
}

void fullFolder::release()
{
    if (!m_filled)
        return;
    m_filled = false;
    if (m_mounted) {
        QFile::remove(m_path + QStringLiteral("/.filler"));
        return;
    }
#ifdef Q_OS_LINUX
    limitFileSize(RLIM_INFINITY);
#endif
}

void fullFolder::limit(QProcess &process) const
{
#ifdef Q_OS_LINUX
    if (!m_mounted)
        process.setChildProcessModifier([] { limitFileSize(0); });
#else
    Q_UNUSED(process);
#endif
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
