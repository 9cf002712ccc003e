#include "scriptflow.h"
#include "frame/framechrome.h"

#include "arrowitem.h"
#include "flowgraph.h"
#include "scriptgraphicscene.h"
#include "scriptnodeitem.h"
#include "text/phrasedictionary.h"

#include <QBrush>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QSpacerItem>
#include <QtMath>

namespace {
const int columns = 11;
const double boxWidth = 118;
const double boxHeight = 26;
const QString noFilter = QStringLiteral("   功效");
// Boxes lie above arrows, so that an arrow never covers a formula's name.
const qreal arrowLayer = 0;
const qreal boxLayer = 1;
} // namespace

scriptFlow::scriptFlow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ScriptFlow"));
    setWindowTitle(QStringLiteral("ScriptFlow"));
    resize(773, 473);

    m_view = new QGraphicsView(this);
    m_view->setObjectName(QStringLiteral("graphicsView"));
    m_sort = new QPushButton(QStringLiteral("重排"), this);
    m_sort->setObjectName(QStringLiteral("sortButton"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("type"));
    m_type->addItem(noFilter);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("slider"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_view, 0, 0, 4, 1);
    grid->addWidget(m_sort, 0, 1);
    grid->addWidget(m_type, 1, 1);
    grid->addItem(new QSpacerItem(20, 236, QSizePolicy::Minimum, QSizePolicy::Expanding), 2, 1, 3, 1);
    grid->addWidget(m_slider, 4, 0);

    setWhiteBackground(this);

    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_view->setDragMode(QGraphicsView::ScrollHandDrag);

    m_slider->setRange(50, 500);
    m_slider->setValue(270);
    connect(m_slider, &QSlider::valueChanged, this, &scriptFlow::zoom);
    connect(m_sort, &QPushButton::clicked, this, &scriptFlow::shuffle);
    connect(m_type, &QComboBox::currentTextChanged, this, &scriptFlow::currentIndexChanged);

    // A few hundred boxes with their lettering: laid out when the page is
    // first seen, not while the main window is built.
    shuffleFlowUnits();

    QSet<QString> types;
    for (const flowUnit &u : flowUnits()) {
        if (!u.type.isEmpty() && !types.contains(u.type)) {
            types.insert(u.type);
            m_type->addItem(u.type);
        }
    }
}

const QList<scriptNodeItem *> &scriptFlow::nodes() const
{
    ensureScene();
    return m_nodes;
}

const QList<ArrowItem *> &scriptFlow::arrows() const
{
    ensureScene();
    return m_arrows;
}

scriptGraphicScene *scriptFlow::scene() const
{
    ensureScene();
    return m_scene;
}

void scriptFlow::ensureScene() const
{
    if (!m_scene)
        const_cast<scriptFlow *>(this)->buildScene();
}

void scriptFlow::showEvent(QShowEvent *event)
{
    ensureScene();
    QWidget::showEvent(event);
}

QString scriptFlow::unitTip(int unitIndex)
{
    const flowUnit &u = flowUnits().at(unitIndex);
    QString tip = lookupPhrase(QStringLiteral("scriptflow"), QStringLiteral("scriptflow_tip"));
    tip.replace(QLatin1Char('#'), QLatin1Char('\n'));
    return tip.arg(u.name).arg(u.from).arg(u.function).arg(u.target).arg(u.component);
}

void scriptFlow::shuffle()
{
    shuffleFlowUnits();
    m_type->setCurrentIndex(0);
    buildScene();
}

void scriptFlow::buildScene()
{
    m_nodes.clear();
    m_arrows.clear();
    delete m_scene;

    const auto &units = flowUnits();
    // The canvas grows with the number of formulas so that every box can be
    // scrolled to.
    const int rows = int((units.size() + columns - 1) / columns);
    m_scene = new scriptGraphicScene(this);
    m_scene->setSceneRect(0, 0, 1900, qMax(3320, rows * 62 + 40));
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_view->setScene(m_scene);
    connect(m_scene, &scriptGraphicScene::sendNodeClicked, this, &scriptFlow::focusUnit);

    QFont font = this->font();
    font.setPointSize(12);
    for (int i = 0; i < units.size(); ++i) {
        const double x = (i % columns) * 163 + 20;
        const double y = (i / columns) * 62 + 20;
        auto *node = new scriptNodeItem(QRectF(x, y, boxWidth, boxHeight), i);
        node->setZValue(boxLayer);
        node->setBrush(QColor(79, 136, 187));
        node->setPen(Qt::NoPen);
        node->setToolTip(unitTip(i));
        m_scene->addItem(node);
        m_nodes << node;

        auto *text = new QGraphicsSimpleTextItem(units.at(i).name, node);
        text->setBrush(Qt::white);
        // Long names are set smaller so that they stay inside their box.
        QFont f = font;
        while (QFontMetricsF(f).horizontalAdvance(units.at(i).name) > boxWidth - 4 && f.pointSizeF() > 7)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        text->setFont(f);
        const QRectF bounds = text->boundingRect();
        text->setPos(x + boxWidth / 2 - bounds.width() / 2, y + (boxHeight - bounds.height()) / 2);
    }

    const auto &lines = flowLines();
    for (int k = 0; k < lines.size(); ++k) {
        const int a = indexOfUnit(lines.at(k).fromName);
        const int b = indexOfUnit(lines.at(k).toName);
        if (a < 0 || b < 0 || a >= m_nodes.size() || b >= m_nodes.size())
            continue;
        auto *arrow = new ArrowItem(k, a, b);
        arrow->place(m_nodes.at(a)->rect(), m_nodes.at(b)->rect());
        arrow->setZValue(arrowLayer);
        arrow->hide();
        m_scene->addItem(arrow);
        m_arrows << arrow;
    }
    m_view->centerOn(0, 0);
}

bool scriptFlow::focusUnit(int unitIndex)
{
    ensureScene();
    if (unitIndex < 0 || unitIndex >= flowUnits().size() || m_type->currentIndex() != 0)
        return false;
    for (scriptNodeItem *n : std::as_const(m_nodes))
        n->hide();
    for (ArrowItem *a : std::as_const(m_arrows))
        a->hide();
    m_nodes.at(unitIndex)->show();
    const QString name = flowUnits().at(unitIndex).name;
    for (const flowLine &l : flowLines()) {
        int other = -1;
        if (l.fromName == name)
            other = indexOfUnit(l.toName);
        else if (l.toName == name)
            other = indexOfUnit(l.fromName);
        if (other >= 0 && other < m_nodes.size())
            m_nodes.at(other)->show();
    }
    QRectF shown = m_nodes.at(unitIndex)->sceneBoundingRect();
    for (ArrowItem *a : std::as_const(m_arrows)) {
        if (a->fromIndex == unitIndex || a->toIndex == unitIndex) {
            a->show();
            shown |= m_nodes.at(a->fromIndex)->sceneBoundingRect();
            shown |= m_nodes.at(a->toIndex)->sceneBoundingRect();
        }
    }
    bringIntoView(m_nodes.at(unitIndex)->sceneBoundingRect(), shown.adjusted(-20, -20, 20, 20));
    return true;
}

void scriptFlow::bringIntoView(const QRectF &box, const QRectF &area)
{
    // The zoom is the user's: only scroll. Aim at the middle of the
    // neighbourhood, but never so far that the clicked box leaves the screen.
    const QRectF visible = m_view->mapToScene(m_view->viewport()->rect()).boundingRect();
    const QRectF keep = box.adjusted(-10, -10, 10, 10);
    const auto clampAxis = [](qreal aim, qreal low, qreal high, qreal extent) {
        const qreal from = high - extent / 2; // the box touches the far side
        const qreal to = low + extent / 2;    // the box touches the near side
        return from <= to ? qBound(from, aim, to) : (low + high) / 2;
    };
    const QPointF aim(clampAxis(area.center().x(), keep.left(), keep.right(), visible.width()),
                      clampAxis(area.center().y(), keep.top(), keep.bottom(), visible.height()));
    m_view->centerOn(aim);
}

void scriptFlow::currentIndexChanged(const QString &text)
{
    ensureScene();
    if (m_type->currentIndex() == 0) {
        for (scriptNodeItem *n : std::as_const(m_nodes))
            n->show();
        return;
    }
    for (scriptNodeItem *n : std::as_const(m_nodes))
        n->hide();
    for (ArrowItem *a : std::as_const(m_arrows))
        a->hide();
    for (scriptNodeItem *n : std::as_const(m_nodes)) {
        if (flowUnits().at(n->unitIndex).type == text)
            n->show();
    }
}

void scriptFlow::zoom(int)
{
    const double s = std::pow(2.0, (m_slider->value() - 255) / 200.0);
    m_view->setTransform(QTransform::fromScale(s, s));
}
