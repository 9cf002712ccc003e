#include "patientrecord.h"

QMap<QString, QString> &patientRecord::values()
{
    static QMap<QString, QString> record;
    return record;
}

QString patientRecord::value(const QString &key)
{
    return values().value(key);
}

void patientRecord::setValue(const QString &key, const QString &value)
{
    values().insert(key, value);
}

void patientRecord::clear()
{
    values().clear();
}

void patientRecord::setProfileDefaults()
{
    QMap<QString, QString> &r = values();
    r.clear();
    r.insert(QStringLiteral("name"), QString());
    r.insert(QStringLiteral("sex"), QStringLiteral("male"));
    r.insert(QStringLiteral("age"), QStringLiteral("24"));
    r.insert(QStringLiteral("height"), QStringLiteral("172"));
    r.insert(QStringLiteral("weight"), QStringLiteral("60"));
    r.insert(QStringLiteral("occupation"), QStringLiteral("0"));
    r.insert(QStringLiteral("area"), QStringLiteral("0"));
    r.insert(QStringLiteral("state"), QStringLiteral("unmarried"));
    r.insert(QStringLiteral("inborn"), QString());
}

bool patientRecord::isChild()
{
    return age() < 13;
}

bool patientRecord::isMale()
{
    return value(QStringLiteral("sex")) != QLatin1String("female");
}

bool patientRecord::isPregnant()
{
    return value(QStringLiteral("state")) == QLatin1String("pregnant");
}

bool patientRecord::isMarried()
{
    return value(QStringLiteral("state")) == QLatin1String("married");
}

int patientRecord::age()
{
    return value(QStringLiteral("age")).toInt(nullptr, 10);
}
