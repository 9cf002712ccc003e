#ifndef ACUPOINTDATA_H
#define ACUPOINTDATA_H

class QIODevice;

bool loadAcuPoints(QIODevice *device);
bool loadAcuScript(QIODevice *device);

#endif
