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
};

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
