#ifndef PATIENTPROFILE_H
#define PATIENTPROFILE_H

#include <QSet>
#include <QString>
#include <QStringList>

// What the patient profile form shows, as a personal information file
// (".psif") stores it: list positions rather than texts.
struct patientProfile
{
    QString name;
    int sex = 0; // 0 man, 1 woman
    int age = 24;
    int height = 172;
    int weight = 60;
    int occupation = 0; // position in the occupation list
    int location = 0;   // position in the province list
    int state = 0;      // position in the state list of the sex
    QStringList inborn; // ids of the checked constitution items

    // Names of the elements a file read actually held; the form takes only
    // those. A written profile holds every element ("state" for a woman only).
    QSet<QString> present;
};

#endif
