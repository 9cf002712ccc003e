// The formula flow page: boxes, arrows, focus, filter, zoom.

#include "testsupport.h"

#include "knowledge/knowledgearchive.h"
#include "formulas/arrowitem.h"
#include "formulas/flowgraph.h"
#include "formulas/scriptflow.h"
#include "formulas/scriptgraphicscene.h"
#include "formulas/scriptnodeitem.h"
#include "text/phrasedictionary.h"

#include <QBuffer>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QSlider>
#include <QtTest>

#include <algorithm>

namespace {
void loadFlow(const QString &xml)
{
    feed(loadFlowFile, xml);
}

QString unitXml(const QString &name, const QString &type)
{
    return QStringLiteral("<unit name=\"%1\" from=\"书\"><type>%2</type><function>功</function><component>甲,乙</component></unit>")
        .arg(name, type);
}

QString lineXml(const QString &from, const QString &to, const QString &flag)
{
    return QStringLiteral("<line><from name=\"%1\"/><to name=\"%2\"/><flag>%3</flag></line>").arg(from, to, flag);
}

scriptNodeItem *nodeOf(scriptFlow &page, const QString &name)
{
    for (scriptNodeItem *n : page.nodes())
        if (flowUnits().at(n->unitIndex).name == name)
            return n;
    return nullptr;
}

QStringList visibleNames(scriptFlow &page)
{
    QStringList names;
    for (scriptNodeItem *n : page.nodes())
        if (n->isVisible())
            names << flowUnits().at(n->unitIndex).name;
    names.sort();
    return names;
}
} // namespace

class tst_flowpage : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        loadFlow(QStringLiteral("<data>") + unitXml(QStringLiteral("四君子汤"), QStringLiteral("补气"))
                 + unitXml(QStringLiteral("异功散"), QStringLiteral("补气")) + unitXml(QStringLiteral("六君子汤"), QStringLiteral("补气"))
                 + unitXml(QStringLiteral("二陈汤"), QStringLiteral("燥湿化痰")) + unitXml(QStringLiteral("无类方"), QString())
                 + lineXml(QStringLiteral("四君子汤"), QStringLiteral("未知方"), QStringLiteral("+x"))
                 + lineXml(QStringLiteral("四君子汤"), QStringLiteral("异功散"), QStringLiteral("+陈皮"))
                 + lineXml(QStringLiteral("异功散"), QStringLiteral("六君子汤"), QStringLiteral("+半夏"))
                 + lineXml(QStringLiteral("六君子汤"), QStringLiteral("六君子汤"), QStringLiteral("self"))
                 + QStringLiteral("</data>"));
    }

    void boxesArrowsAndLabels()
    {
        scriptFlow page;
        QCOMPARE(page.nodes().size(), 5);
        QCOMPARE(page.arrows().size(), 3); // the line to an unknown formula has no arrow
        const ArrowItem *first = page.arrows().first();
        QCOMPARE(first->lineIndex, 1); // positions count the skipped line
        const auto *label = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(first->childItems().value(0));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("+陈皮"));
        const ArrowItem *self = page.arrows().last();
        QVERIFY(!self->valid); // a box cannot point at itself
        QVERIFY(self->childItems().isEmpty());
        for (const ArrowItem *a : page.arrows())
            QVERIFY(!a->isVisible());
        QVERIFY(page.nodes().first()->toolTip().startsWith(QStringLiteral("方名: ")));
        QVERIFY(page.nodes().first()->toolTip().contains(QStringLiteral("\n组成: 甲,乙")));
        QCOMPARE(page.categories()->count(), 3); // "功效" and the two types
        QCOMPARE(page.categories()->itemText(0), QStringLiteral("   功效"));
    }

    void boxesMadeWhenFirstShown()
    {
        scriptFlow page;
        QVERIFY(!page.view()->scene()); // nothing laid out while the main window is built
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.view()->scene());
        QVERIFY(page.view()->scene()->items().size() >= 5);
    }

    void clickFocusesDerivations()
    {
        scriptFlow page;
        scriptNodeItem *yigong = nodeOf(page, QStringLiteral("异功散"));
        QVERIFY(page.focusUnit(yigong->unitIndex));
        QCOMPARE(visibleNames(page), (QStringList{QStringLiteral("六君子汤"), QStringLiteral("四君子汤"), QStringLiteral("异功散")}));
        int shown = 0;
        for (const ArrowItem *a : page.arrows())
            shown += a->isVisible() ? 1 : 0;
        QCOMPARE(shown, 2);
        QVERIFY(!page.focusUnit(-1));
        QVERIFY(!page.focusUnit(99));
    }

    void filterHidesAndIgnoresClicks()
    {
        scriptFlow page;
        page.categories()->setCurrentIndex(page.categories()->findText(QStringLiteral("补气")));
        QCOMPARE(visibleNames(page), (QStringList{QStringLiteral("六君子汤"), QStringLiteral("四君子汤"), QStringLiteral("异功散")}));
        QVERIFY(!page.focusUnit(nodeOf(page, QStringLiteral("异功散"))->unitIndex)); // ignored under a filter
        QCOMPARE(visibleNames(page).size(), 3);
        page.categories()->setCurrentIndex(0);
        QCOMPARE(visibleNames(page).size(), 5);
    }

    void filterHidesArrows()
    {
        scriptFlow page;
        QVERIFY(page.focusUnit(nodeOf(page, QStringLiteral("异功散"))->unitIndex));
        QVERIFY(std::any_of(page.arrows().begin(), page.arrows().end(), [](const ArrowItem *a) { return a->isVisible(); }));
        page.categories()->setCurrentIndex(page.categories()->findText(QStringLiteral("补气")));
        for (const ArrowItem *a : page.arrows())
            QVERIFY(!a->isVisible());
    }

    // A click on a box keeps the zoom and leaves the box on screen, however
    // far its neighbours lie.
    void clickKeepsZoomAndShowsTheBox()
    {
        // a hub derived into each of a hundred formulas
        QString xml = QStringLiteral("<data>") + unitXml(QStringLiteral("总方"), QStringLiteral("类"));
        for (int i = 0; i < 100; ++i)
            xml += unitXml(QStringLiteral("方%1").arg(i), QStringLiteral("类"))
                   + lineXml(QStringLiteral("总方"), QStringLiteral("方%1").arg(i), QStringLiteral("+药%1").arg(i));
        clearKnowledgeTables();
        loadFlow(xml + QStringLiteral("</data>"));
        scriptFlow page;
        page.resize(773, 473);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QGraphicsView *view = page.view();
        const QTransform zoom = view->transform();

        // the formula farthest from the hub
        const scriptNodeItem *hub = nodeOf(page, QStringLiteral("总方"));
        scriptNodeItem *far = nullptr;
        for (scriptNodeItem *n : page.nodes()) {
            if (!far || QLineF(n->rect().center(), hub->rect().center()).length()
                            > QLineF(far->rect().center(), hub->rect().center()).length())
                far = n;
        }
        const QRectF visibleBefore = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY(QLineF(far->rect().center(), hub->rect().center()).length() > visibleBefore.width());

        view->centerOn(far);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(far->rect().center()));
        QStringList pair{flowUnits().at(far->unitIndex).name, QStringLiteral("总方")};
        pair.sort();
        QCOMPARE(visibleNames(page), pair);
        QCOMPARE(view->transform(), zoom);
        const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY2(visible.contains(far->rect()), qPrintable(QStringLiteral("%1,%2 not in %3,%4 %5x%6")
            .arg(far->rect().x()).arg(far->rect().y()).arg(visible.x()).arg(visible.y()).arg(visible.width()).arg(visible.height())));

        // the hub itself, with every formula around it
        view->centerOn(hub);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(hub->rect().center()));
        QCOMPARE(visibleNames(page).size(), 101);
        QCOMPARE(view->transform(), zoom);
        QVERIFY(view->mapToScene(view->viewport()->rect()).boundingRect().contains(hub->rect()));
    }

    // An arrow passes beneath the boxes it crosses.
    void boxesLieAboveArrows()
    {
        scriptFlow page;
        const scriptNodeItem *from = nodeOf(page, QStringLiteral("四君子汤"));
        QVERIFY(page.focusUnit(from->unitIndex));
        const ArrowItem *arrow = page.arrows().at(0);
        QCOMPARE(arrow->fromIndex, from->unitIndex);
        // a point inside the box, within reach of the arrow's start
        const QPointF inside = arrow->start + (from->rect().center() - arrow->start) * (2.0 / QLineF(arrow->start, from->rect().center()).length());
        QVERIFY(from->rect().contains(inside));
        QVERIFY(arrow->sceneBoundingRect().contains(inside));
        const QList<QGraphicsItem *> stack = page.scene()->items(inside, Qt::IntersectsItemShape, Qt::DescendingOrder);
        qsizetype boxAt = -1, arrowAt = -1;
        for (qsizetype i = 0; i < stack.size(); ++i) {
            if (stack.at(i)->topLevelItem() == from && boxAt < 0)
                boxAt = i;
            if (stack.at(i)->topLevelItem() == arrow && arrowAt < 0)
                arrowAt = i;
        }
        QVERIFY(boxAt >= 0 && arrowAt >= 0);
        QVERIFY(boxAt < arrowAt);
    }

    void shuffleKeepsTheBoxes()
    {
        scriptFlow page;
        const QStringList before = visibleNames(page);
        page.shuffle();
        QCOMPARE(visibleNames(page), before);
        QCOMPARE(page.arrows().size(), 3);
        for (scriptNodeItem *n : page.nodes()) {
            const int i = n->unitIndex;
            QCOMPARE(n->rect().topLeft(), QPointF((i % 11) * 163 + 20, (i / 11) * 62 + 20));
        }
    }

    void zoom()
    {
        scriptFlow page;
        page.slider()->setValue(255);
        QCOMPARE(page.view()->transform().m11(), 1.0);
        page.slider()->setValue(50);
        QVERIFY(qAbs(page.view()->transform().m11() - 0.4912) < 0.001);
        page.slider()->setValue(500);
        QVERIFY(qAbs(page.view()->transform().m22() - 2.3377) < 0.001);
    }

    void canvasHoldsEveryBox()
    {
        QString xml = QStringLiteral("<data>");
        for (int i = 0; i < 700; ++i)
            xml += unitXml(QStringLiteral("方%1").arg(i), QStringLiteral("类"));
        loadFlow(xml + QStringLiteral("</data>"));
        scriptFlow page;
        QRectF all;
        for (scriptNodeItem *n : page.nodes())
            all |= n->rect();
        QVERIFY(page.scene()->sceneRect().contains(all));
    }

    void arrowAnchors_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QPointF>("anchor");
        const QRectF r(100, 100, 118, 26); // top 100, bottom 126, left 100, right 218, centre (159, 113)
        Q_UNUSED(r);
        QTest::newRow("left above, nearer top") << QPointF(99, -100) << QPointF(159, 100);
        QTest::newRow("left above, nearer left") << QPointF(0, 95) << QPointF(100, 113);
        QTest::newRow("left below, nearer bottom") << QPointF(95, 300) << QPointF(159, 126);
        QTest::newRow("left beside") << QPointF(10, 110) << QPointF(100, 113);
        QTest::newRow("right above") << QPointF(400, 90) << QPointF(218, 113);
        QTest::newRow("right below") << QPointF(230, 400) << QPointF(159, 126);
        QTest::newRow("right beside") << QPointF(300, 120) << QPointF(218, 113);
        QTest::newRow("above") << QPointF(150, 10) << QPointF(159, 100);
        QTest::newRow("below") << QPointF(150, 200) << QPointF(159, 126);
        QTest::newRow("inside") << QPointF(150, 110) << QPointF(0, 0);
    }

    void arrowAnchors()
    {
        QFETCH(QPointF, point);
        QFETCH(QPointF, anchor);
        QCOMPARE(ArrowItem::borderAnchor(point, QRectF(100, 100, 118, 26)), anchor);
    }

    void arrowGeometry()
    {
        ArrowItem arrow(-1, 0, 1);
        arrow.place(QRectF(20, 20, 118, 26), QRectF(20, 144, 118, 26));
        QVERIFY(arrow.valid);
        QCOMPARE(arrow.end, QPointF(79, 144));   // top of the lower box
        QCOMPARE(arrow.start, QPointF(79, 46));  // bottom of the upper box
        QVERIFY(arrow.childItems().isEmpty());    // no line index, no label
        QCOMPARE(arrow.boundingRect(), QRectF(QPointF(79, 46), QPointF(79, 144)).normalized().adjusted(-4.75, -4.75, 4.75, 4.75));
        // the head's two corners lie 8 units from the tip, above it
        QVERIFY(qAbs(QLineF(arrow.end, arrow.head1).length() - 8) < 1e-6);
        QVERIFY(arrow.head1.y() < arrow.end.y() && arrow.head2.y() < arrow.end.y());
        ArrowItem overlap(-1, 0, 1);
        overlap.place(QRectF(20, 20, 118, 26), QRectF(30, 25, 118, 26));
        QVERIFY(!overlap.valid);
    }
};

QTEST_MAIN(tst_flowpage)
#include "tst_flowpage.moc"
