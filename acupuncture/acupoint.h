#ifndef ACUPOINT_H
#define ACUPOINT_H

#include <QString>

// One entry of the acupoint catalogue.
struct acuPoint
{
    QString meridian;
    QString section;
    QString name;
    QString code;
    QString location;
    QString indications;
    QString pairing;
    QString method;
    QString caution;
};

#endif
