#include "acuposition.h"

#include "knowledge/loadfunctions.h"
#include "text/codepage.h"

#include <quazip.h>

#include <cmath>

namespace {
bool coordinate(const QString &field, double *value)
{
    bool ok = false;
    const float f = field.toFloat(&ok);
    if (!ok || !std::isfinite(f))
        return false;
    *value = double(f);
    return true;
}
} // namespace

QList<acuPosition> parseAcuPositions(const QString &text)
{
    QList<acuPosition> positions;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList fields = line.split(QLatin1Char('#'));
        if (fields.size() < 4)
            continue;
        acuPosition p;
        if (!coordinate(fields.at(0), &p.x) || !coordinate(fields.at(2), &p.y) || !coordinate(fields.at(1), &p.z))
            continue;
        p.code = fields.at(3).trimmed();
        positions.append(p);
    }
    return positions;
}

bool readAcuPositions(QList<acuPosition> *positions)
{
    QuaZip archive(knowledgeArchivePath());
    if (!archive.open(QuaZip::mdUnzip))
        return false;
    // Read whole and verified, within the size any entry may have.
    QByteArray bytes;
    const archiveEntryRead result = readArchiveBytes(&archive, QStringLiteral("data/acu_positions.txt"), &bytes);
    archive.close();
    if (result != archiveEntryRead::complete)
        return false;
    *positions = parseAcuPositions(decodeSystemCodePage(bytes));
    return true;
}

bool findAcuPosition(const QList<acuPosition> &positions, const QString &code, acuPosition *found)
{
    for (const acuPosition &p : positions) {
        if (p.code == code) {
            if (found)
                *found = p;
            return true;
        }
    }
    return false;
}
