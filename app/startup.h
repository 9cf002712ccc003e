#ifndef STARTUP_H
#define STARTUP_H

// Shows the first window of a run: the agreement page on the first run,
// otherwise the main window.
void showFirstWindow();

#endif
