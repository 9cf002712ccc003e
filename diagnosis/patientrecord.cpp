#include "patientrecord.h"

#include "codenames.h"
#include "diagnosisnode.h"
#include "text/phrasedictionary.h"

#include <QStringList>

namespace {
QString phrase(const QString &key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), key);
}

// The display name of a constitution item; the judgement file's own name
// when the code has none, the id when neither is known.
QString inbornName(const QString &id)
{
    const QString name = lookupCodeName(id);
    if (!name.isEmpty())
        return name;
    for (const inbornItem &item : diagnosisNode::instance().inbornItems()) {
        if (item.id == id && !item.name.isEmpty())
            return item.name;
    }
    return id;
}
} // namespace

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

QString patientRecord::summary()
{
    QString text;
    const auto line = [&text](const char *label, const QString &value) {
        text += phrase(QLatin1String(label)) + QStringLiteral(" - ") + value + QLatin1Char('\n');
    };
    const auto listEntry = [](const char *list, const QString &position) {
        bool ok = false;
        const int at = position.toInt(&ok, 10);
        const QStringList entries = phrase(QLatin1String(list)).split(QLatin1Char(','));
        return ok ? entries.value(at) : QString();
    };
    line("name_pat", value(QStringLiteral("name")));
    line("sexuality", phrase(value(QStringLiteral("sex"))));
    line("age", value(QStringLiteral("age")));
    line("height", value(QStringLiteral("height")));
    line("weight", value(QStringLiteral("weight")));
    line("location", listEntry("province", value(QStringLiteral("area"))));
    line("occupation", listEntry("occupationlist", value(QStringLiteral("occupation"))));
    line("state", phrase(value(QStringLiteral("state"))));
    QString inborn = value(QStringLiteral("inborn"));
    if (!inborn.isEmpty()) {
        if (inborn.endsWith(QLatin1Char(',')))
            inborn.chop(1);
        QStringList ids = inborn.split(QLatin1Char(','));
        ids.sort();
        QStringList names;
        for (const QString &id : std::as_const(ids))
            names << inbornName(id);
        line("inborn", names.join(QLatin1Char(',')));
    }
    return text;
}
