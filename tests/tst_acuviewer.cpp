// The 3D acupoint page on a real OpenGL display (xcb): loading the model on
// the first left click, the markers, picking and the catalogue text, the
// meridian menu, the colours, the mouse movers, and the failures.

#include "testsupport.h"

#include "acupuncture/acupoint3dwidget.h"
#include "acupuncture/acupointdata.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"

#include <QMenu>
#include <QtTest>

namespace {
QString builtModel()
{
    return QStringLiteral(LC_BINARY_DIR "/data/man.3ds");
}

// A folder to run the page in, with (or without) a model file.
QString pageFolder(const QString &name, const QByteArray *modelBytes)
{
    const QString dir = freshTestDir(name);
    QDir().mkpath(dir + QStringLiteral("/data"));
    if (modelBytes) {
        QFile f(dir + QStringLiteral("/data/man.3ds"));
        f.open(QIODevice::WriteOnly);
        f.write(*modelBytes);
    }
    return dir;
}

bool reddish(const QColor &c)
{
    return c.red() > 120 && c.green() < c.red() * 0.45 && c.blue() < c.red() * 0.45;
}

bool bluish(const QColor &c)
{
    return c.blue() > 120 && c.red() < c.blue() * 0.45 && c.green() < c.blue() * 0.45;
}

bool skin(const QColor &c)
{
    return c.red() > 100 && c.green() > c.red() * 0.6 && c.blue() < c.red() && c.blue() > c.red() * 0.35;
}
} // namespace

class tst_acuviewer : public QObject
{
    Q_OBJECT

    QString m_home;
    acupoint3DWidget *m_page = nullptr;

    int indexOf(const QString &code) const
    {
        for (int i = 0; i < m_page->markerIds().size(); ++i)
            if (m_page->markerCode(m_page->markerIds().at(i)) == code)
                return i;
        return -1;
    }

    quint32 idOf(const QString &code) const
    {
        const int i = indexOf(code);
        return i < 0 ? 0 : m_page->markerIds().at(i);
    }

    QPoint pointOf(const QString &code) const
    {
        return m_page->viewport().project(m_page->markerPositions().at(indexOf(code))).toPoint();
    }

    QStringList visibleCodes() const
    {
        QStringList codes;
        for (quint32 id : m_page->markerIds())
            if (m_page->world().occurrence(id)->isVisible())
                codes << m_page->markerCode(id);
        return codes;
    }

    bool isBlue(const QString &code) const
    {
        const sceneMaterial &m = m_page->world().occurrence(idOf(code))->material();
        return m.ambientColor() == QColor(Qt::blue) && m.diffuseColor() == QColor::fromRgbF(0.2f, 0.2f, 0.8f);
    }

    bool isRed(const QString &code) const
    {
        const sceneMaterial &m = m_page->world().occurrence(idOf(code))->material();
        return m.ambientColor() == QColor(Qt::red) && m.diffuseColor() == QColor::fromRgbF(0.8f, 0.2f, 0.2f);
    }

    static void showPage(acupoint3DWidget *page)
    {
        page->resize(800, 600);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
    }

private slots:
    void initTestCase()
    {
        m_home = QDir::currentPath();
        loadKnowledgeArchive();
        QVERIFY(!acuPointTable().isEmpty());
        QVERIFY(acupoint3DWidget::openGLAvailable());
        QFile model(builtModel());
        QVERIFY(model.open(QIODevice::ReadOnly));
        const QByteArray bytes = model.readAll();
        QDir::setCurrent(pageFolder(QStringLiteral("viewer"), &bytes));
        m_page = new acupoint3DWidget;
        showPage(m_page);
    }

    void cleanupTestCase()
    {
        delete m_page;
        QDir::setCurrent(m_home);
    }

    void beforeTheFirstClick()
    {
        QCOMPARE(m_page->modelState(), 0);
        QVERIFY(m_page->world().isEmpty());
        QCOMPARE(m_page->overlayLines(), (QList<QPair<int, QString>>{{20, QStringLiteral("请点击鼠标左键加载模型")}}));
        QCOMPARE(m_page->lastPicked(), acupoint3DWidget::noMarker);
        QVERIFY(!m_page->pointFound());
        // The menu: fourteen entries in order, the Heart meridian named 手少阴心经.
        const QList<QAction *> actions = m_page->meridianMenu()->actions();
        QCOMPARE(actions.size(), 14);
        QCOMPARE(actions.first()->text(), QStringLiteral("所有"));
        QCOMPARE(actions.first()->data().toString(), QStringLiteral("All"));
        QCOMPARE(actions.at(5)->text(), QStringLiteral("手少阴心经"));
        QCOMPARE(actions.at(5)->data().toString(), QStringLiteral("HT"));
        QCOMPARE(actions.at(6)->data().toString(), QStringLiteral("SI"));
        QCOMPARE(actions.last()->text(), QStringLiteral("全不显示"));
        QCOMPARE(actions.last()->data().toString(), QStringLiteral("Null"));
    }

    void firstLeftClickLoadsTheModel()
    {
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(m_page->modelState(), 1);
        QCOMPARE(m_page->markerIds().size(), 309);
        QCOMPARE(m_page->markerPositions().size(), 309);
        QVERIFY(m_page->world().size() > 309); // the body as well
        QCOMPARE(m_page->markerCode(m_page->markerIds().first()), QStringLiteral("LU1"));
        QCOMPARE(m_page->overlayLines().first().second,
                 QStringLiteral("按住鼠标中键拖动鼠标可缩放模型,按住鼠标右键拖动鼠标可旋转模型"));
        QCOMPARE(m_page->lastPicked(), acupoint3DWidget::noMarker); // that click only loads
        QCOMPARE(visibleCodes().size(), 309);
    }

    void theBodyAndTheRedMarkersAreDrawn()
    {
        const QImage frame = m_page->grabFramebuffer();
        QCOMPARE(frame.size(), QSize(800, 600));
        for (const char *code : {"ST25", "ST36", "LU5", "PC6"})
            QVERIFY2(reddish(frame.pixelColor(pointOf(QLatin1String(code)))), code);
        // The left half of the body carries no markers: skin there.
        const QPoint thigh = m_page->viewport().project(QVector3D(0.3f, 0.0f, -0.7f)).toPoint();
        QVERIFY2(skin(frame.pixelColor(thigh)), qPrintable(frame.pixelColor(thigh).name()));
        const QPoint chest = m_page->viewport().project(QVector3D(0.2f, 0.0f, 1.2f)).toPoint();
        QVERIFY(skin(frame.pixelColor(chest)));
        // The background beside the figure.
        const QColor corner = frame.pixelColor(20, 580);
        QVERIFY(corner.red() < 60 && corner.green() < 60 && corner.blue() < 70);
    }

    void pickingAMarkerShowsItsEntry()
    {
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, pointOf(QStringLiteral("ST36")));
        QCOMPARE(m_page->lastPicked(), idOf(QStringLiteral("ST36")));
        QVERIFY(m_page->pointFound());
        QCOMPARE(m_page->selectedPoint().code, QStringLiteral("ST36"));
        const QList<QPair<int, QString>> lines = m_page->overlayLines();
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.at(0), qMakePair(20, QStringLiteral("名称:足三里")));
        QCOMPARE(lines.at(1), qMakePair(42, QStringLiteral("经络:足阳明胃经")));
        QCOMPARE(lines.at(2).first, 64);
        QVERIFY(lines.at(2).second.startsWith(QStringLiteral("部位:")));
        QCOMPARE(lines.at(5).first, 132);
        QVERIFY(lines.at(5).second.startsWith(QStringLiteral("禁忌:")));
        QCOMPARE(lines.at(6).first, 154);
        QCOMPARE(lines.at(6).second, QStringLiteral("炙法:") + m_page->selectedPoint().method);
        QVERIFY(isBlue(QStringLiteral("ST36")));
        QVERIFY(isRed(QStringLiteral("ST35")));
        const QImage frame = m_page->grabFramebuffer();
        QVERIFY(bluish(frame.pixelColor(pointOf(QStringLiteral("ST36")))));
        QVERIFY(reddish(frame.pixelColor(pointOf(QStringLiteral("ST25")))));
    }

    void clickOnTheBodyChangesNothing()
    {
        const QPoint thigh = m_page->viewport().project(QVector3D(0.3f, 0.0f, -0.7f)).toPoint();
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, thigh);
        QCOMPARE(m_page->lastPicked(), idOf(QStringLiteral("ST36")));
        QCOMPARE(m_page->selectedPoint().code, QStringLiteral("ST36"));
        QVERIFY(isBlue(QStringLiteral("ST36")));
        // A point on the back is hidden by the body.
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, pointOf(QStringLiteral("BL23")));
        QCOMPARE(m_page->lastPicked(), idOf(QStringLiteral("ST36")));
    }

    void meridianFilter_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("shown");
        QTest::newRow("LU") << "LU" << 11;
        QTest::newRow("HT") << "HT" << 9;
        QTest::newRow("SI") << "SI" << 19;
        QTest::newRow("BL") << "BL" << 67;
        QTest::newRow("S is no meridian") << "S" << 0;
        QTest::newRow("lower case") << "lu" << 0;
        QTest::newRow("a code is no meridian") << "LU1" << 0;
        QTest::newRow("All") << "All" << 309;
        QTest::newRow("Null") << "Null" << 0;
    }

    void meridianFilter()
    {
        QFETCH(QString, code);
        QFETCH(int, shown);
        const auto textBefore = m_page->overlayLines();
        const quint32 picked = m_page->lastPicked();
        m_page->doAction(code);
        const QStringList visible = visibleCodes();
        QCOMPARE(visible.size(), shown);
        if (shown > 0 && shown < 309) {
            const QRegularExpression own(QStringLiteral("^%1\\d+$").arg(code));
            for (const QString &c : visible)
                QVERIFY2(own.match(c).hasMatch(), qPrintable(c));
        }
        QCOMPARE(m_page->overlayLines(), textBefore); // the text over the view stays
        QCOMPARE(m_page->lastPicked(), picked);
        m_page->doAction(QStringLiteral("All"));
    }

    void menuActionsFilter()
    {
        m_page->meridianMenu()->actions().at(5)->trigger(); // 手少阴心经
        QCOMPARE(visibleCodes().size(), 9);
        QVERIFY(visibleCodes().contains(QStringLiteral("HT7")));
        const QImage frame = m_page->grabFramebuffer();
        QVERIFY(!reddish(frame.pixelColor(pointOf(QStringLiteral("ST25"))))); // hidden, not drawn
        m_page->meridianMenu()->actions().last()->trigger();
        QVERIFY(visibleCodes().isEmpty());
        m_page->meridianMenu()->actions().first()->trigger();
        QCOMPARE(visibleCodes().size(), 309);
    }

    // A selected marker that is hidden keeps its colour, also when another
    // marker is picked meanwhile; shown again it stays blue until the next
    // pick recolours the shown markers. Hidden markers cannot be picked.
    void coloursAfterPickHideAndShow()
    {
        QVERIFY(isBlue(QStringLiteral("ST36")));
        m_page->doAction(QStringLiteral("LU"));
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, pointOf(QStringLiteral("ST36")));
        QCOMPARE(m_page->lastPicked(), idOf(QStringLiteral("ST36"))); // nothing new picked
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, pointOf(QStringLiteral("LU5")));
        QCOMPARE(m_page->lastPicked(), idOf(QStringLiteral("LU5")));
        QCOMPARE(m_page->selectedPoint().name, QStringLiteral("尺泽"));
        QVERIFY(isBlue(QStringLiteral("LU5")));
        QVERIFY(isBlue(QStringLiteral("ST36"))); // hidden: not recoloured
        m_page->doAction(QStringLiteral("All"));
        QVERIFY(isBlue(QStringLiteral("ST36")));
        QTest::mouseClick(m_page, Qt::LeftButton, Qt::NoModifier, pointOf(QStringLiteral("PC6")));
        QCOMPARE(m_page->selectedPoint().code, QStringLiteral("PC6"));
        QVERIFY(isRed(QStringLiteral("ST36")));
        QVERIFY(isRed(QStringLiteral("LU5")));
        QVERIFY(isBlue(QStringLiteral("PC6")));
    }

    void rightDragTurnsAndMiddleDragZooms()
    {
        const QVector3D eye = m_page->viewport().camera().eye();
        QTest::mousePress(m_page, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
        for (int x = 410; x <= 500; x += 10) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), m_page->mapToGlobal(QPointF(x, 300)), Qt::NoButton,
                             Qt::RightButton, Qt::NoModifier);
            QApplication::sendEvent(m_page, &move);
        }
        // While turning, the track ball's outline is drawn in the mover colour.
        const QImage frame = m_page->grabFramebuffer();
        const int r = int(0.8 * 300);
        bool outline = false;
        for (int dx = -2; dx <= 2; ++dx)
            outline = outline || reddish(frame.pixelColor(400 + r + dx, 300));
        QVERIFY(outline);
        QTest::mouseRelease(m_page, Qt::RightButton, Qt::NoModifier, QPoint(500, 300));
        const QVector3D turned = m_page->viewport().camera().eye();
        QVERIFY((turned - eye).length() > 0.5f);
        QVERIFY(std::fabs(turned.z() - eye.z()) < 0.01f); // about the vertical

        const float height = m_page->viewport().viewHeight();
        QTest::mousePress(m_page, Qt::MiddleButton, Qt::NoModifier, QPoint(400, 300));
        QMouseEvent up(QEvent::MouseMove, QPointF(400, 200), m_page->mapToGlobal(QPointF(400, 200)), Qt::NoButton,
                       Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(m_page, &up);
        QTest::mouseRelease(m_page, Qt::MiddleButton, Qt::NoModifier, QPoint(400, 200));
        QVERIFY(m_page->viewport().viewHeight() < height * 0.7f);
        // Moving after the release changes nothing.
        const float zoomed = m_page->viewport().viewHeight();
        const QVector3D still = m_page->viewport().camera().eye();
        QTest::mouseMove(m_page, QPoint(100, 100));
        QCOMPARE(m_page->viewport().viewHeight(), zoomed);
        QCOMPARE(m_page->viewport().camera().eye(), still);
    }

    // Without a model file: only a left click tries to load, the failure is
    // written over the view, and the load is never tried again.
    void missingModelIsNeverRetried()
    {
        QDir::setCurrent(pageFolder(QStringLiteral("nomodel"), nullptr));
        acupoint3DWidget page;
        showPage(&page);
        QTest::mouseClick(&page, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(page.modelState(), 0);
        QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(page.modelState(), -1);
        QCOMPARE(page.overlayLines(), (QList<QPair<int, QString>>{{20, QStringLiteral("加载人体模型失败")}}));
        QVERIFY(page.world().isEmpty());
        QVERIFY(QFile::copy(builtModel(), QStringLiteral("data/man.3ds")));
        QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(page.modelState(), -1);
        QVERIFY(page.world().isEmpty());
        QVERIFY(page.markerIds().isEmpty());
        QDir::setCurrent(m_home);
    }

    void corruptModelFails()
    {
        QByteArray junk(20000, 'x');
        junk.replace(0, 2, QByteArray("\x4d\x4d", 2)); // the start of a 3DS file, then nonsense
        QDir::setCurrent(pageFolder(QStringLiteral("badmodel"), &junk));
        acupoint3DWidget page;
        showPage(&page);
        QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(page.modelState(), -1);
        QVERIFY(page.world().isEmpty());
        QDir::setCurrent(m_home);
    }

    // Positions from another archive: the axis swap, a skipped line, a
    // marker whose code the catalogue lacks (blue, but the hint text), and a
    // model shown without markers when the positions cannot be read.
    void positionsFromTheArchive()
    {
        QFile model(builtModel());
        QVERIFY(model.open(QIODevice::ReadOnly));
        const QByteArray bytes = model.readAll();
        const QString dir = pageFolder(QStringLiteral("ownpositions"), &bytes);
        QDir::setCurrent(dir);
        const QString saved = knowledgeArchivePath();
        QVERIFY(writeTestArchive(dir + QStringLiteral("/impl.zip"),
                                 {{QStringLiteral("data/acu_positions.txt"),
                                   "1.5#0#-1#XX9\n1.5#x#-1#LU2\n1.5#0.5#-1#LU1\n1.5#1#-1"}}));
        setKnowledgeArchivePath(dir + QStringLiteral("/impl.zip"));
        {
            acupoint3DWidget page;
            showPage(&page);
            QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
            QCOMPARE(page.modelState(), 1);
            QCOMPARE(page.markerIds().size(), 2);
            QCOMPARE(page.markerPositions().first(), QVector3D(1.5f, -1.0f, 0.0f));
            QCOMPARE(page.markerPositions().last(), QVector3D(1.5f, -1.0f, 0.5f));
            const QPoint unknown = page.viewport().project(page.markerPositions().first()).toPoint();
            const QPoint known = page.viewport().project(page.markerPositions().last()).toPoint();
            QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, known);
            QVERIFY(page.pointFound());
            QCOMPARE(page.overlayLines().first().second, QStringLiteral("名称:中府"));
            QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, unknown);
            QCOMPARE(page.lastPicked(), page.markerIds().first());
            QVERIFY(!page.pointFound());
            QCOMPARE(page.overlayLines().size(), 1); // the hint again
            QCOMPARE(page.world().occurrence(page.markerIds().first())->material().ambientColor(), QColor(Qt::blue));
        }
        setKnowledgeArchivePath(dir + QStringLiteral("/none.zip"));
        {
            acupoint3DWidget page;
            showPage(&page);
            QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
            QCOMPARE(page.modelState(), -1);
            QVERIFY(!page.world().isEmpty()); // the body stays
            QVERIFY(page.markerIds().isEmpty());
            QCOMPARE(page.overlayLines().first().second, QStringLiteral("加载人体模型失败"));
        }
        setKnowledgeArchivePath(saved);
        QDir::setCurrent(m_home);
    }
};

QTEST_MAIN(tst_acuviewer)
#include "tst_acuviewer.moc"
