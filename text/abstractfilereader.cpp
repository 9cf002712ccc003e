#include "abstractfilereader.h"

#include "codepage.h"

#include <QIODevice>

abstractFileReader::~abstractFileReader() = default;

void abstractFileReader::finish()
{
}

bool abstractFileReader::read(QIODevice *device)
{
    // The files are small; decode them whole (byte-order mark or system code
    // page) and walk the lines.
    const QString text = device ? decodeTextWithBom(device->readAll()) : QString();
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (pos < size) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), pos);
        if (end < 0)
            end = size;
        QString line = text.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || !line.startsWith(QLatin1Char('[')))
            continue;
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (close < 0)
            continue;
        parseLine(line.mid(1, close - 1), line.mid(close + 1));
    }
    finish();
    return true;
}
