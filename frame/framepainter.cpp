#include "framepainter.h"

#include "skinsettings.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QWidget>

void paintSkinnedFrame(QWidget *widget, int titleHeight, bool whiteBody)
{
    QPainter p(widget);
    const QString skin = currentSkin();
    QPixmap picture;
    if (!QPixmapCache::find(skin, &picture)) {
        picture.load(skin);
        if (!picture.isNull())
            QPixmapCache::insert(skin, picture);
    }
    const int w = widget->width();
    const int h = widget->height();
    if (!picture.isNull())
        p.drawPixmap(widget->rect(), picture);
    if (whiteBody)
        p.fillRect(QRect(QPoint(0, titleHeight), QPoint(w - 1, h - 1)), Qt::white);
    p.setPen(Qt::gray);
    const QPoint frame[] = {QPoint(0, titleHeight), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w - 1, titleHeight)};
    p.drawPolyline(frame, 4);
}
