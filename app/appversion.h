#ifndef APPVERSION_H
#define APPVERSION_H

// Version of the program, shown in the title and passed to the updater.
constexpr const char lcVersion[] = "4.9.6.10";

#endif
