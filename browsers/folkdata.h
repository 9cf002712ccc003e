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
void countWrittenFolkRemedy();

const QList<folkRemedy> &folkTable();
const QList<unitItem *> &folkCategories();
// The remedies as the file writes them, one per [target] line; the table
// holds one entry per complaint, so it is usually longer.
int folkWrittenCount();

// The remedies of a complaint as the search window lists them: every remedy
// whose complaint equals, contains or is contained in the query. Empty when
// none matches.
QString folkListing(const QString &query);

void clearFolkData();

#endif
