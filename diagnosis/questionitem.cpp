#include "questionitem.h"

QString questionItem::buttonText() const
{
    if (name.isEmpty())
        return desc;
    if (desc.isEmpty())
        return name;
    return name + QStringLiteral(" - ") + desc;
}

QString questionItem::summaryText() const
{
    return comment.isEmpty() ? name : comment;
}

QStringList questionItem::chosenGroups() const
{
    if (reasons.size() != 1)
        return {};
    return reasons.first().name.split(QLatin1Char(','));
}
