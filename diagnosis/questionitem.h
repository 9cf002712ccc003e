#ifndef QUESTIONITEM_H
#define QUESTIONITEM_H

#include "reasontag.h"

#include <QList>
#include <QString>
#include <QStringList>

// One answer of a question.
struct questionItem
{
    QString name;
    QString desc;
    QString id;
    QString checked;  // "true": a ticked, locked check box
    QString age;      // "(N" younger than N years, ")N" older than N, empty: always
    QString sex;      // "male", "female", empty: always; anything else hides it
    QString mainsuit; // shown only in consultations for this main complaint
    QString comment;  // replaces the name in the diagnosis summary
    QList<reasonTag> reasons;

    // Caption of the answer's button: the name, the explanation when there is
    // no name, or both joined by " - ".
    QString buttonText() const;
    // Text of the answer in the diagnosis summary.
    QString summaryText() const;
    // The groups a chooser answer stands for: the ids of its reason tag when
    // it has exactly one, none otherwise.
    QStringList chosenGroups() const;
};

#endif
