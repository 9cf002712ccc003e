#ifndef HERBLISTWIDGET_H
#define HERBLISTWIDGET_H

#include "browserlist.h"

// Every herb of the herb table, row i being record i.
class herbListWidget : public browserList
{
    Q_OBJECT
public:
    explicit herbListWidget(QWidget *parent = nullptr);
};

#endif
