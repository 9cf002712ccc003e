#ifndef HERBRECORD_H
#define HERBRECORD_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// One herb of the materia medica, as read from its record file.
struct herbRecord
{
    QString id;
    QString name;
    QString nature;
    QString latin;
    QString stem;
    QString desc;
    QString classification;
    QString type;
    QString bestfor;
    QString pattern;
    QString distribution;
    QString store;
    QString prepare;
    QList<QPair<QString, QString>> comments; // (attribution, text)
    QStringList alias;
    QStringList feature;
    QStringList meridian;
    QStringList function;
    QStringList indication;
    QStringList ingredient;
    QStringList caution;
    QStringList formula;
    double doseMin = 0; // grams; 0 when unknown or for external use only
    double doseMax = 0;
};

#endif
