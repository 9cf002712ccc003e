#ifndef BENCHINPUTS_H
#define BENCHINPUTS_H

#include "analysis/prescriptionentry.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

// A knowledge base the benchmarks run on: the shipped one (archive and
// configuration in the resources) or a scaled copy on disk.
struct knowledgeScale
{
    QString name;    // "1x", "10x"
    QString archive; // the archive to load
    QString config;  // the resource configuration to read
};

// Makes the scale's knowledge the loaded one (loads it unless it already is).
void useScale(const knowledgeScale &scale);

// Inflates every entry of an archive into memory and nothing else: the floor
// of the start-up load. The number of bytes inflated; -1 when the archive
// cannot be opened.
qint64 inflateEveryEntry(const QString &archive);

// The whole start-up load: phrases, pair map, archive, configuration and
// complaint categories, on emptied tables.
bool loadAllKnowledge();

// A prescription to analyse.
struct benchPrescription
{
    QString form;
    QList<prescriptionEntry> entries;
};

// The prescriptions of the analysis benchmarks, built from the loaded
// knowledge (the same herbs at every scale).
benchPrescription classicPrescription();      // 桂枝汤 as the formula gives it
benchPrescription eighteenHerbPrescription(); // 大秦艽汤 with 生姜 and 大枣
benchPrescription unknownHerbPrescription();  // 桂枝汤 with a herb nobody knows
QList<benchPrescription> classicDecoctions(); // every classic decoction

// A typical case of tests/data/diagnosis_cases.tsv.
struct typicalCase
{
    QString complaint;
    int age = 0;
    QString sex;
    QString state;
    QSet<QString> answers;
};
QList<typicalCase> typicalCases(const QString &path);
void setPatient(const typicalCase &c);

// Query sets of the lookups; only names and codes of the shipped knowledge,
// so that every scale answers the same questions.
QStringList herbQueryWords();   // names and aliases
QStringList herbQueryNames();   // record names
QList<QPair<QString, QString>> pairQueries(); // every pair, and as many misses
QList<QPair<QString, QString>> phraseQueries();
QStringList codeQueries(const QList<typicalCase> &cases);

// One text per prescription and per case with everything the user would see,
// to check that a scaled knowledge base gives the shipped answers.
QString analysisAnswers();
QString inferenceAnswers(const QList<typicalCase> &cases);

#endif
