#ifndef STARTUP_H
#define STARTUP_H

// Makes the program's folder the working folder, where the skins and the body
// model are (and the settings file, unless the folder cannot be written);
// false when it cannot be entered.
bool enterProgramFolder();

// Shows the first window of a run: the agreement page on the first run,
// otherwise the main window.
void showFirstWindow();

#endif
