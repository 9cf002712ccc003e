#include "skinwidgetblock.h"

#include "frame/skinsettings.h"
#include "skinwidget.h"

#include <QGridLayout>

skinWidgetBlock::skinWidgetBlock(QWidget *parent)
    : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(5);
    grid->setContentsMargins(5, 6, 5, 0);
    for (int i = 0; i < 12; ++i) {
        auto *tile = new skinWidget(skinPath(i + 1), this);
        m_tiles << tile;
        grid->addWidget(tile, i / 4, i % 4);
        connect(tile, &skinWidget::changeSkin, this, &skinWidgetBlock::changeSkin);
    }
}
