#ifndef FORMULALIBRARY_H
#define FORMULALIBRARY_H

class QIODevice;

bool loadClassicFormulas(QIODevice *device);
bool loadDiagnosisFormulas(QIODevice *device);
bool loadHerbGroupFunctions(QIODevice *device);
bool loadHerbUnits(QIODevice *device);

#endif
