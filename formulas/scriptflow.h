#ifndef SCRIPTFLOW_H
#define SCRIPTFLOW_H

#include <QList>
#include <QWidget>

class ArrowItem;
class QComboBox;
class QGraphicsView;
class QPushButton;
class QSlider;
class scriptGraphicScene;
class scriptNodeItem;

// The formula flow page: every formula as a box; a click shows where it comes
// from and what derives from it; a category filter; shuffle; zoom.
class scriptFlow : public QWidget
{
    Q_OBJECT
public:
    explicit scriptFlow(QWidget *parent = nullptr);

    // The boxes and arrows are made when the page is first shown, or first
    // asked for.
    const QList<scriptNodeItem *> &nodes() const;
    const QList<ArrowItem *> &arrows() const;
    scriptGraphicScene *scene() const;
    QGraphicsView *view() const { return m_view; }
    QComboBox *categories() const { return m_type; }
    QSlider *slider() const { return m_slider; }

    static QString unitTip(int unitIndex);

public slots:
    // Shows a formula with its neighbours and arrows (a click on its box) and
    // scrolls it into view; the zoom stays. Ignored while a category is
    // chosen. Returns whether it acted.
    bool focusUnit(int unitIndex);

    void zoom(int value);
    void shuffle();
    void currentIndexChanged(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureScene() const;
    void buildScene();
    void bringIntoView(const QRectF &box, const QRectF &area);

    QGraphicsView *m_view = nullptr;
    QPushButton *m_sort = nullptr;
    QComboBox *m_type = nullptr;
    QSlider *m_slider = nullptr;
    scriptGraphicScene *m_scene = nullptr;
    QList<scriptNodeItem *> m_nodes;
    QList<ArrowItem *> m_arrows;
};

#endif
