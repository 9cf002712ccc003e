#include "readertexts.h"

#include "knowledge/loadfunctions.h"
#include "text/codepage.h"

#include <QDomElement>
#include <QIODevice>

namespace {
struct readerTables
{
    QStringList texts;
    int verses = 0;
};

readerTables &tables()
{
    static readerTables t;
    return t;
}
} // namespace

bool loadReaderVerses(QIODevice *device)
{
    auto &t = tables();
    const QString text = device ? decodeTextWithBom(device->readAll()) : QString();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line ends it; it starts no new line
    QString verse;
    bool started = false;
    for (QString line : std::as_const(lines)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#'))) {
            if (started) {
                t.texts << verse;
                ++t.verses;
            }
            verse = line.mid(1) + QLatin1Char('-');
            started = true;
        } else if (started) {
            verse += line + QLatin1Char(';');
        }
    }
    t.texts << verse;
    ++t.verses;
    return true;
}

bool loadReaderQuotes(QIODevice *device)
{
    const QDomElement root = loadXmlDevice(device);
    if (root.isNull())
        return false;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        tables().texts << e.text();
    return true;
}

const QStringList &readerTexts() { return tables().texts; }
int readerVerseCount() { return tables().verses; }

void clearReaderTexts()
{
    tables() = readerTables();
}
