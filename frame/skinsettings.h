#ifndef SKINSETTINGS_H
#define SKINSETTINGS_H

#include <QString>

// Path of the background picture, relative to the working directory. Read
// once from the settings file; "skin/10_200.png" when none is chosen.
QString currentSkin();

// Remembers a new skin for this run and in the settings file; false when the
// settings file could not be written (the skin still holds for this run).
bool setSkin(const QString &path);

// Path of the n-th offered skin (1 to 12).
QString skinPath(int number);

// Forgets the cached choice so that the next currentSkin() reads the file again.
void resetSkinCache();

#endif
