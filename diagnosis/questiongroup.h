#ifndef QUESTIONGROUP_H
#define QUESTIONGROUP_H

#include "questionlist.h"

#include <QList>
#include <QString>

// A questionnaire group: one page of the consultation.
class questionGroup
{
public:
    QString name;
    QString id;
    QString comment;
    QString link;
    QString type; // "female", "child" or empty
    bool scroll = false;
    bool tablelist = false;
    QList<questionList> lists;

    // The answer with that id, with the question that holds it; null when
    // the group has no such answer.
    const questionItem *findItem(const QString &answerId, const questionList **question = nullptr) const;
};

#endif
