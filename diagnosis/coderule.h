#ifndef CODERULE_H
#define CODERULE_H

#include <QString>
#include <QStringList>

// A rule that ties a code to a list of answer ids or codes (group rules,
// atoms, one-of rules, growth and the rules that are only stored).
struct codeRule
{
    QString code;
    QStringList parts;
};

#endif
