#include "pairlistwidget.h"

#include "pairs/pairrules.h"
#include "text/phrasedictionary.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {
// The pair herbs in the order of their reading (pinyin), so that a user finds
// a herb where he expects it.
QStringList pairHerbsInReadingOrder()
{
    QStringList names = sortedTexts(pairHerbSet());
    names.removeAll(QString());
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    std::stable_sort(names.begin(), names.end(),
                     [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return names;
}
} // namespace

pairListWidget::pairListWidget(QWidget *parent)
    : browserList(lookupPhrase(QStringLiteral("herb"), QStringLiteral("herb")), pairHerbsInReadingOrder(), parent)
{
}
