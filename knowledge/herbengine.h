#ifndef HERBENGINE_H
#define HERBENGINE_H

#include <QObject>
#include <QString>

// Reads the resource configuration, which names further resource files
// (pair groups, dosage forms, judgement rules, syndromes).
class herbEngine : public QObject
{
    Q_OBJECT
public:
    static herbEngine &instance();

    // False when the configuration file cannot be read.
    bool loadConfig(const QString &path);

private:
    herbEngine() = default;
};

#endif
