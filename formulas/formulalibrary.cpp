#include "formulalibrary.h"

bool loadClassicFormulas(QIODevice *) { return false; }
bool loadDiagnosisFormulas(QIODevice *) { return false; }
bool loadHerbGroupFunctions(QIODevice *) { return false; }
bool loadHerbUnits(QIODevice *) { return false; }
