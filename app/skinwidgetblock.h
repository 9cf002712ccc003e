#ifndef SKINWIDGETBLOCK_H
#define SKINWIDGETBLOCK_H

#include <QList>
#include <QWidget>

class skinWidget;

// The grid of the twelve skin tiles, four per row.
class skinWidgetBlock : public QWidget
{
    Q_OBJECT
public:
    explicit skinWidgetBlock(QWidget *parent = nullptr);

    const QList<skinWidget *> &tiles() const { return m_tiles; }

signals:
    void changeSkin(const QString &path);

private:
    QList<skinWidget *> m_tiles;
};

#endif
