// Packs the knowledge tree (resources/impl) into the archive that the program
// embeds. The output is deterministic: entries in sorted order, one fixed
// timestamp, no host-dependent attributes; an unchanged tree gives the same bytes.
// Text entries that the program reads in the system code page are stored as
// GB18030; everything else is stored as written (UTF-8).

#include "text/wholefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <cstdio>

namespace {

bool storedInCodePage(const QString &entry)
{
    return entry == QLatin1String("script/acu_script.txt")
        || entry == QLatin1String("wisdom/songs.txt")
        || entry == QLatin1String("data/herbinfo.html")
        || entry == QLatin1String("item/dozemap.txt")
        || entry.startsWith(QLatin1String("html/"));
}

QByteArray toCodePage(const QByteArray &utf8, const QString &entry, bool *ok)
{
    QByteArray src = utf8;
    if (src.startsWith("\xEF\xBB\xBF"))
        src.remove(0, 3);
    QStringDecoder dec(QStringDecoder::Utf8);
    QString text = dec.decode(src);
    if (dec.hasError()) {
        std::fprintf(stderr, "mkarchive: %s is not valid UTF-8\n", qPrintable(entry));
        *ok = false;
        return {};
    }
    if (entry.endsWith(QLatin1String(".txt"))) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    }
    QStringEncoder enc("GB18030");
    QByteArray out = enc.encode(text);
    *ok = !enc.hasError();
    if (!*ok)
        std::fprintf(stderr, "mkarchive: %s cannot be encoded as GB18030\n", qPrintable(entry));
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkarchive SOURCE_DIR OUTPUT_ZIP\n");
        return 2;
    }
    const QDir root(args.at(1));
    if (!root.exists()) {
        std::fprintf(stderr, "mkarchive: no such folder %s\n", qPrintable(args.at(1)));
        return 2;
    }

    QStringList entries;
    QDirIterator it(root.absolutePath(), QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << root.relativeFilePath(it.next());
    entries.sort();

    // The archive is packed in memory and replaces the old one whole, or
    // not at all: a failed write leaves the old archive as it was.
    const QString outPath = args.at(2);
    QByteArray packed;
    const QDateTime stamp(QDate(2020, 1, 1), QTime(0, 0, 0));
    {
        QBuffer buffer(&packed);
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate)) {
            std::fprintf(stderr, "mkarchive: cannot create the archive\n");
            return 1;
        }
        for (const QString &entry : entries) {
            QFile in(root.filePath(entry));
            if (!in.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "mkarchive: cannot read %s\n", qPrintable(entry));
                return 1;
            }
            QByteArray data = in.readAll();
            if (storedInCodePage(entry)) {
                bool ok = true;
                data = toCodePage(data, entry, &ok);
                if (!ok)
                    return 1;
            }
            QuaZipNewInfo info(entry);
            info.dateTime = stamp;
            QuaZipFile out(&zip);
            if (!out.open(QIODevice::WriteOnly, info) || out.write(data) != data.size()) {
                std::fprintf(stderr, "mkarchive: cannot write %s\n", qPrintable(entry));
                return 1;
            }
            out.close();
            if (out.getZipError() != 0) {
                std::fprintf(stderr, "mkarchive: zip error on %s\n", qPrintable(entry));
                return 1;
            }
        }
        zip.close();
        if (zip.getZipError() != 0) {
            std::fprintf(stderr, "mkarchive: cannot finish the archive\n");
            return 1;
        }
    }
    QDir().mkpath(QFileInfo(outPath).absolutePath());
    QString error;
    if (!writeWholeFile(outPath, packed, &error)) {
        std::fprintf(stderr, "mkarchive: cannot write %s: %s\n", qPrintable(outPath), qPrintable(error));
        return 1;
    }
    return 0;
}
