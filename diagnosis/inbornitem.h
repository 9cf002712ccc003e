#ifndef INBORNITEM_H
#define INBORNITEM_H

#include <QString>

// A congenital condition the patient profile offers as a check box.
struct inbornItem
{
    QString id;
    QString name;
};

#endif
