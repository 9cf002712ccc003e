#ifndef FOLKDATA_H
#define FOLKDATA_H

#include "folkremedy.h"

#include <QList>
#include <QString>

class QIODevice;
class unitItem;

bool loadFolkCategories(QIODevice *device);
bool loadFolkRemedies(QIODevice *device);
void appendFolkRemedy(const folkRemedy &remedy);

const QList<folkRemedy> &folkTable();
const QList<unitItem *> &folkCategories();

// The remedies of a complaint as the search window lists them: every remedy
// whose complaint equals, contains or is contained in the query. Empty when
// none matches.
QString folkListing(const QString &query);

void clearFolkData();

#endif
