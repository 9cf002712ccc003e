#include "unititem.h"

unitItem::unitItem(const QString &categoryName, QObject *parent)
    : QObject(parent)
    , name(categoryName)
{
}
