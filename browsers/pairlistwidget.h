#ifndef PAIRLISTWIDGET_H
#define PAIRLISTWIDGET_H

#include "browserlist.h"

// Every herb that takes part in a pair rule.
class pairListWidget : public browserList
{
    Q_OBJECT
public:
    explicit pairListWidget(QWidget *parent = nullptr);
};

#endif
