#ifndef SETTINGSWARNING_H
#define SETTINGSWARNING_H

class QWidget;

// Tells the user that the settings file could not be written, naming it.
void warnSettingsNotSaved(QWidget *parent);

#endif
