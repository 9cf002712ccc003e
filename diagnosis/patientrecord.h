#ifndef PATIENTRECORD_H
#define PATIENTRECORD_H

#include <QMap>
#include <QString>

// The personal information of the patient being diagnosed: one process-wide
// map from key ("name", "sex", "age", "height", "weight", "occupation",
// "area", "state", "inborn") to text, empty at start. The patient profile
// rebuilds it each time a diagnosis starts.
class patientRecord
{
public:
    static QMap<QString, QString> &values();
    static QString value(const QString &key);
    static void setValue(const QString &key, const QString &value);
    static void clear();

    // Fills the record with what the patient profile shows before the user
    // changes anything: a man of 24, 172 cm, 60 kg, unmarried.
    static void setProfileDefaults();

    // The patient as the consultation history shows it: one "label - value"
    // line per item; the constitution line (only when one is recorded) lists
    // the items by name in ascending order of their ids.
    static QString summary();

    static bool isChild();    // younger than 13
    static bool isMale();     // any sex but "female"
    static bool isPregnant(); // state "pregnant"
    static bool isMarried();  // state "married"
    static int age();         // years; 0 when unset
};

#endif
