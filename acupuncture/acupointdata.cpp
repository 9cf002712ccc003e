#include "acupointdata.h"

bool loadAcuPoints(QIODevice *) { return false; }
bool loadAcuScript(QIODevice *) { return false; }
