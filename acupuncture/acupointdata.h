#ifndef ACUPOINTDATA_H
#define ACUPOINTDATA_H

#include "acupoint.h"
#include "acuscript.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QIODevice;

bool loadAcuPoints(QIODevice *device);
bool loadAcuScript(QIODevice *device);
void appendAcuPoint(const acuPoint &point);

const QList<acuPoint> &acuPointTable();
const QList<acuScriptBlock> &acuScriptTable();
const QMap<QString, QStringList> &acuScriptIdMap();

// Every block of a main complaint, in file order.
QList<acuScriptBlock> findAcuScripts(const QString &mainsuit);
// The case ids read for a main complaint; asking for an unknown complaint
// adds it with an empty list.
QStringList acuScriptIds(const QString &mainsuit);
// The first catalogue entry with that code.
acuPoint findAcuPointByCode(const QString &code, bool *found = nullptr);

// Text shown for an acupoint by the search window (the last entry of the
// name); empty when there is none.
QString acuPointText(const QString &name);

void clearAcupointData();

#endif
