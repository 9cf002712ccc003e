#ifndef LCQDIAGNOSIS_H
#define LCQDIAGNOSIS_H

#include <QStringList>

// The diagnosis subcommands of lcq; each returns the exit code.
int lcqComplaints(const QStringList &args);
int lcqQuestions(const QStringList &args);
int lcqDiagnose(const QStringList &args);
int lcqGroup(const QStringList &args);

#endif
