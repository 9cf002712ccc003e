#ifndef SCRIPTGRAPHICSCENE_H
#define SCRIPTGRAPHICSCENE_H

#include <QGraphicsScene>

class scriptFlow;

// The canvas of the formula flow page.
class scriptGraphicScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit scriptGraphicScene(scriptFlow *owner);

    scriptFlow *owner() const { return m_owner; }

private:
    scriptFlow *m_owner;
};

#endif
