#include "herblistwidget.h"

#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"

namespace {
QStringList herbNames()
{
    QStringList names;
    for (const herbRecord &r : herbTable())
        names << r.name;
    return names;
}
} // namespace

herbListWidget::herbListWidget(QWidget *parent)
    : browserList(lookupPhrase(QStringLiteral("common"), QStringLiteral("name")), herbNames(), parent)
{
}
