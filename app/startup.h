#ifndef STARTUP_H
#define STARTUP_H

class QApplication;
class QWidget;

// Makes the program's folder the working folder, where the skins and the body
// model are (and the settings file, unless the folder cannot be written);
// false when it cannot be entered.
bool enterProgramFolder();

// The start-up steps between the application object and the first window:
// random seeds, Qt's Chinese translation, the knowledge (phrases, archive,
// configuration), the damage message, the application font and the complaint
// categories. False when the configuration cannot be read; the message has
// then been shown and the program ends.
bool prepareProgram(QApplication &app);

// Shows the first window of a run: the agreement page on the first run,
// otherwise the main window.
void showFirstWindow();

// Creates the main window (deleted when it closes) and shows it centred.
QWidget *showMainWindow();

#endif
