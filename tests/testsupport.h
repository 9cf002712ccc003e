#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct testEntry
{
    QString name;
    QByteArray data;
    bool unopenable = false; // stored with a compression method nobody can read
    bool corrupt = false;    // one byte in the middle of its compressed data flipped
    qint64 declaredSize = -1; // when set, the size the archive's directory claims
    bool stored = false;      // kept without compression
    qint64 zeroBytes = 0;     // when set, the entry holds that many zero bytes (whole MiB),
                              // deflated without ever being held in memory; data is not used
};

// What an entry that is present but cannot be read does to the loading.
enum class onFailure {
    silentStop, // the loading ends, nothing printed
    reportStop, // "load file:<entry> failed." printed, the loading ends
    skip,       // passed over, the loading goes on
    readEmpty   // read as empty text (the last row; still reported)
};

struct archiveRow
{
    int row;
    const char *entry;
    onFailure rule;
};

// Every row of the loading sequence that names an archive entry. Row 17 is a
// folder on disk, not an entry.
const QList<archiveRow> &archiveRows();

// Dose lines of the last row: read even in part, they fill the dose table
// (300 lines).
QByteArray doseLines();

// Some kilobytes of varied text, long enough that a flipped byte in the middle
// of its compressed form breaks it.
QByteArray fillerText(const QString &head = QString());

// Writes a zip archive with the given entries; false on failure.
bool writeTestArchive(const QString &path, const QList<testEntry> &entries);

// A fresh, empty folder for one test.
QString freshTestDir(const QString &name);

// A folder in which the running user cannot create files, as the system
// folder of an installed program: a fresh folder without write permission,
// or /proc for a user whom permissions do not stop (root).
QString unwritableTestDir(const QString &name);

// Runs the lcq tool; returns its exit code and fills stdout/stderr.
int runLcq(const QStringList &args, QString *out = nullptr, QString *err = nullptr,
           const QString &workDir = QString());

// Path of a file of the source tree.
QString sourcePath(const QString &relative);

// UTF-8 bytes of a text with a byte-order mark in front.
QByteArray withBom(const QString &text);

#endif

class QProcess;

// A fresh folder where no file can grow: a small file system mounted for this
// process alone (it needs the right to mount) and filled up; where nothing
// can be mounted, the file size limit of the process, set to zero, stands in.
// Files put there before fill() stay as they are; release() makes room again.
class fullFolder
{
public:
    explicit fullFolder(const QString &name);
    ~fullFolder();
    fullFolder(const fullFolder &) = delete;
    fullFolder &operator=(const fullFolder &) = delete;

    const QString &path() const { return m_path; }
    bool mounted() const { return m_mounted; }
    // Puts a file there (before fill()).
    bool put(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    QStringList files() const;
    void fill();
    void release();
    // A child process started by the test meets the same limit.
    void limit(QProcess &process) const;

private:
    QString m_path;
    bool m_mounted = false;
    bool m_filled = false;
};

#ifdef QT_WIDGETS_LIB
#include <QObject>
class QTimer;

// Closes every message box that opens while it lives and remembers its text.
class boxCatcher : public QObject
{
public:
    boxCatcher();
    ~boxCatcher() override;
    QStringList messages;
    QStringList markupTexts; // texts of the boxes' labels that may be read as markup

private:
    QTimer *m_timer;
};

#include <QApplication>
#include <QTimer>
#include <functional>

// Runs an action on the next modal window of type T that opens; seen() tells
// whether one opened.
template <typename T>
class onNextModal
{
public:
    explicit onNextModal(std::function<void(T *)> action)
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, action] {
            if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
                m_timer.stop();
                m_seen = true;
                action(w);
            }
        });
        m_timer.start();
    }
    bool seen() const { return m_seen; }

private:
    QTimer m_timer;
    bool m_seen = false;
};
#endif

#include <QBuffer>

// Hands bytes to a loader that reads an opened device.
template <typename Loader>
bool feedBytes(Loader loader, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return loader(&buffer);
}

// Hands an XML text (UTF-8 with a byte-order mark) to such a loader.
template <typename Loader>
bool feed(Loader loader, const QString &xml)
{
    return feedBytes(loader, withBom(xml));
}
