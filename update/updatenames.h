#ifndef UPDATENAMES_H
#define UPDATENAMES_H

// Names the main program and the update program agree on.
#ifdef _WIN32
// File name of the main program's executable, also the entry taken from the
// release archive.
constexpr const char mainProgramFileName[] = "LC.exe";
// File name of the update program, beside the main program.
constexpr const char updateProgramFileName[] = "update.exe";
// Platform word handed to the update program.
constexpr const char updatePlatformWord[] = "WIN32";
// Folder, in the program's folder, that keeps the downloaded archives.
constexpr const char updateDownloadFolder[] = "update";
#else
constexpr const char mainProgramFileName[] = "LC";
constexpr const char updateProgramFileName[] = "update";
#ifdef __APPLE__
constexpr const char updatePlatformWord[] = "MACOS";
#else
constexpr const char updatePlatformWord[] = "LINUX";
#endif
// The update program itself is called "update" here, so the archives go
// into a folder of another name.
constexpr const char updateDownloadFolder[] = "updates";
#endif

// Address of the release manifest unless config.ini names another one
// (key "updateurl").
constexpr const char defaultManifestUrl[] = "https://lumicara.example/auto/auto-update.xml";

#endif
