#include "browserlist.h"

#include "linedelegate.h"

#include <QHeaderView>

browserList::browserList(const QString &header, const QStringList &names, QWidget *parent)
    : QTableWidget(int(names.size()), 1, parent)
{
    setHorizontalHeaderLabels({header});
    for (int i = 0; i < names.size(); ++i)
        setItem(i, 0, new QTableWidgetItem(names.at(i)));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(26);
    setMouseTracking(true);
    setItemDelegate(new lineDelegate(this));
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit clickItem(row); });
}

QString browserList::textAt(int row) const
{
    const QTableWidgetItem *it = item(row, 0);
    return it ? it->text() : QString();
}

int browserList::rowOf(const QString &name) const
{
    for (int i = 0; i < rowCount(); ++i) {
        if (textAt(i) == name)
            return i;
    }
    return -1;
}
