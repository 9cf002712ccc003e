#include "browserlayout.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

void layoutBrowserPage(QWidget *page, QWidget *view, QLineEdit *search, QPushButton *button, QWidget *list)
{
    auto *panel = new QWidget(page);
    panel->setMaximumWidth(190);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(search, 1);
    row->addWidget(button);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(4, 4, 4, 4);
    side->addLayout(row);
    side->addWidget(list, 1);

    auto *splitter = new QSplitter(Qt::Horizontal, page);
    splitter->addWidget(view);
    splitter->addWidget(panel);
    splitter->setStretchFactor(0, 1);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}
