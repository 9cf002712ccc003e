#ifndef LCQCOMMANDS_H
#define LCQCOMMANDS_H

#include <QString>
#include <QStringList>

// Exit codes shared by every subcommand.
enum lcqExit { lcqDone = 0, lcqNotFound = 1, lcqUsage = 2, lcqRefused = 3 };

// Output helpers: UTF-8 text on stdout / stderr.
void lcqOut(const QString &text);
void lcqErr(const QString &text);
void lcqKeyValue(const QString &key, const QString &value);

// Runs one subcommand with its arguments; returns the exit code.
int runLcqCommand(const QString &command, const QStringList &args, qint64 loadMs);

QString lcqUsageText();

#endif
