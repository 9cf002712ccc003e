#ifndef SCRIPTGRAPHICSCENE_H
#define SCRIPTGRAPHICSCENE_H

#include <QGraphicsScene>

// The canvas of the formula flow page. Its boxes report clicks through it,
// so that they need not know the page.
class scriptGraphicScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit scriptGraphicScene(QObject *owner);

    // Called by a box when it is clicked.
    void nodeClicked(int unitIndex) { emit sendNodeClicked(unitIndex); }

signals:
    void sendNodeClicked(int unitIndex);
};

#endif
