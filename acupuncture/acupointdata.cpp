#include "acupointdata.h"

#include "acureader.h"
#include "text/codepage.h"

#include <QIODevice>

namespace {
struct acuTables
{
    QList<acuPoint> points;
    QList<acuScriptBlock> blocks;
    QMap<QString, QStringList> ids;
};

acuTables &tables()
{
    static acuTables t;
    return t;
}

QString cutAtParenthesis(const QString &text, qsizetype from)
{
    const qsizetype p = text.indexOf(QLatin1Char('('));
    return p >= from ? text.left(p) : text;
}
} // namespace

void appendAcuPoint(const acuPoint &point)
{
    tables().points.append(point);
}

bool loadAcuPoints(QIODevice *device)
{
    acuReader reader;
    return reader.read(device);
}

bool loadAcuScript(QIODevice *device)
{
    auto &t = tables();
    acuScriptBlock block;
    acuScriptCase current;
    while (device) {
        // A physical line is read in pieces of at most 254 bytes. A read that
        // brings nothing (the end, or a device that fails) ends the file.
        QByteArray bytes = device->readLine(255);
        if (bytes.isEmpty())
            break;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        const QString line = decodeSystemCodePage(bytes);
        if (line.startsWith(QLatin1String("-----"))) {
            if (!block.mainsuit.isEmpty())
                t.blocks.append(block);
            block = acuScriptBlock();
            current = acuScriptCase();
        } else if (line.startsWith(QLatin1String("how:"))) {
            current.how = line.mid(4).trimmed();
            block.cases.append(current);
            current = acuScriptCase();
        } else if (line.startsWith(QLatin1String("id:"))) {
            current.id = cutAtParenthesis(line.mid(3).trimmed(), 1);
            t.ids[block.mainsuit].append(current.id);
        } else if (line.startsWith(QLatin1String("method_modify:"))) {
            current.methodModify = line.mid(14).trimmed();
        } else if (line.startsWith(QLatin1String("acu_id:"))) {
            current.acuIds = line.mid(7).trimmed();
        } else if (line.startsWith(QLatin1String("mainsuit:"))) {
            block.mainsuit = cutAtParenthesis(line.mid(9), 1).trimmed();
            t.ids[block.mainsuit] = QStringList();
        } else if (line.startsWith(QLatin1String("method:"))) {
            block.method = line.mid(7).trimmed();
        } else if (line.startsWith(QLatin1String("acus:"))) {
            block.acus = line.mid(5).trimmed();
        } else if (line.startsWith(QLatin1String("acu_modify:"))) {
            const QStringList parts = line.mid(11).split(QLatin1Char('='));
            if (parts.size() != 2)
                continue;
            block.modifiers.append({cutAtParenthesis(parts.at(0), 1), parts.at(1).trimmed()});
        }
    }
    return true;
}

const QList<acuPoint> &acuPointTable() { return tables().points; }
const QList<acuScriptBlock> &acuScriptTable() { return tables().blocks; }
const QMap<QString, QStringList> &acuScriptIdMap() { return tables().ids; }

QList<acuScriptBlock> findAcuScripts(const QString &mainsuit)
{
    QList<acuScriptBlock> out;
    for (const acuScriptBlock &b : tables().blocks) {
        if (b.mainsuit == mainsuit)
            out.append(b);
    }
    return out;
}

QStringList acuScriptIds(const QString &mainsuit)
{
    return tables().ids[mainsuit];
}

acuPoint findAcuPointByCode(const QString &code, bool *found)
{
    for (const acuPoint &p : tables().points) {
        if (p.code == code) {
            if (found)
                *found = true;
            return p;
        }
    }
    if (found)
        *found = false;
    return acuPoint();
}

QString acuPointText(const QString &name)
{
    QString text;
    for (const acuPoint &p : tables().points) {
        if (p.name != name)
            continue;
        text = QStringLiteral("J:") + p.meridian + QLatin1Char('\n') + QStringLiteral("L:") + p.location + QLatin1Char('\n')
            + QStringLiteral("N:") + p.code + QLatin1Char('\n') + QStringLiteral("T:") + p.indications + QLatin1Char('\n')
            + QStringLiteral("P:") + p.pairing + QLatin1Char('\n') + QStringLiteral("M:") + p.method + QLatin1Char('\n')
            + QStringLiteral("C:") + p.caution + QLatin1Char('\n');
    }
    return text;
}

void clearAcupointData()
{
    tables() = acuTables();
}
