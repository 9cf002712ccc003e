#include "acupoint3dwidget.h"

#include "acupointdata.h"
#include "acuposition.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QSurfaceFormat>

namespace {
const QColor markerDiffuse = QColor::fromRgbF(0.8f, 0.2f, 0.2f, 1.0f);
const QColor selectedDiffuse = QColor::fromRgbF(0.2f, 0.2f, 0.8f, 1.0f);
const float markerRadius = 0.02f;

// Half of the framing box's size is taken off at each side.
const QVector3D framingInset(1.8f, 0.18f, 1.4f);
const float framingCover = 2.2f;

sceneMaterial markerMaterial(bool selected)
{
    sceneMaterial m;
    m.setAmbientColor(selected ? QColor(Qt::blue) : QColor(Qt::red));
    m.setDiffuseColor(selected ? selectedDiffuse : markerDiffuse);
    m.setSpecularColor(QColor::fromRgbF(0.35f, 0.35f, 0.35f));
    m.setShininess(40.0f);
    return m;
}

// The meridian letters of an acupoint code: what comes before the number.
QString meridianOf(const QString &code)
{
    qsizetype i = 0;
    while (i < code.size() && !code.at(i).isDigit())
        ++i;
    return code.left(i);
}
} // namespace

acupoint3DWidget::acupoint3DWidget(QWidget *parent)
    : QOpenGLWidget(parent), m_light(Qt::white), m_world(std::make_unique<sceneWorld>()),
      m_mover(&m_viewport, QColor::fromRgbF(1.0f, 0.2f, 0.2f, 1.0f)), m_menu(new QMenu(this))
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSamples(4);
    format.setDepthBufferSize(24);
    setFormat(format);

    m_light.setPosition(QVector3D(5, 5, 0));
    m_viewport.camera().setDefaultUpVector(QVector3D(0, 0, 1));
    m_viewport.camera().setFrontView();

    m_reader.setResourcePrefix(QStringLiteral("data/"));
    m_reader.setTextureNameFilter([](const QString &name) {
        QString renamed = name;
        return renamed.replace(QStringLiteral("JPG"), QStringLiteral("PNG"));
    });

    setContextMenuPolicy(Qt::DefaultContextMenu);
    for (const auto &entry : meridianEntries()) {
        QAction *action = m_menu->addAction(entry.first);
        action->setData(entry.second);
        const QString code = entry.second;
        connect(action, &QAction::triggered, this, [this, code] { doAction(code); });
    }
    setMinimumSize(200, 200);
}

acupoint3DWidget::~acupoint3DWidget()
{
    if (m_glReady) {
        makeCurrent();
        m_renderer.release();
        doneCurrent();
    }
}

bool acupoint3DWidget::openGLAvailable()
{
    // Platforms that draw windows into plain pictures cannot show OpenGL
    // widgets, even where they can make a context.
    static const QStringList pictureOnly{QStringLiteral("offscreen"), QStringLiteral("minimal"),
                                         QStringLiteral("linuxfb"), QStringLiteral("vnc")};
    if (pictureOnly.contains(QGuiApplication::platformName()))
        return false;
    QOpenGLContext context;
    return context.create();
}

QString acupoint3DWidget::modelPath()
{
    return QStringLiteral("data/man.3ds");
}

QList<QPair<QString, QString>> acupoint3DWidget::meridianEntries()
{
    return {
        {QStringLiteral("所有"), QStringLiteral("All")},
        {QStringLiteral("手太阴肺经"), QStringLiteral("LU")},
        {QStringLiteral("手阳明大肠经"), QStringLiteral("LI")},
        {QStringLiteral("足阳明胃经"), QStringLiteral("ST")},
        {QStringLiteral("足太阴脾经"), QStringLiteral("SP")},
        {QStringLiteral("手少阴心经"), QStringLiteral("HT")},
        {QStringLiteral("手太阳小肠经"), QStringLiteral("SI")},
        {QStringLiteral("足太阳膀胱经"), QStringLiteral("BL")},
        {QStringLiteral("足少阴肾经"), QStringLiteral("KI")},
        {QStringLiteral("手厥阴心包经"), QStringLiteral("PC")},
        {QStringLiteral("手少阳三焦经"), QStringLiteral("SJ")},
        {QStringLiteral("足少阳胆经"), QStringLiteral("GB")},
        {QStringLiteral("足厥阴肝经"), QStringLiteral("LR")},
        {QStringLiteral("全不显示"), QStringLiteral("Null")},
    };
}

void acupoint3DWidget::loadModel()
{
    m_world = std::make_unique<sceneWorld>();
    m_markerIds.clear();
    m_markerPositions.clear();
    m_markerCodes.clear();
    for (const sceneModelReader::part &p : m_reader.read(modelPath())) {
        sceneOccurrence body(std::make_shared<const sceneMesh>(p.mesh), p.material);
        m_world->addOccurrence(body);
    }
    if (m_world->isEmpty()) {
        m_modelState = modelFailed;
        return;
    }

    const auto sphere = std::make_shared<const sceneMesh>(sceneMesh::sphere(markerRadius, 10, 16));
    const sceneMaterial material = markerMaterial(false);
    QList<acuPosition> positions;
    if (!readAcuPositions(&positions)) {
        m_modelState = modelFailed;
        return;
    }
    for (const acuPosition &p : positions) {
        const QVector3D point(float(p.x), float(p.y), float(p.z));
        m_markerPositions.append(point);
        sceneOccurrence marker(sphere, material);
        marker.translate(point);
        marker.setPickRadius(markerRadius);
        const quint32 id = m_world->addOccurrence(marker);
        m_markerIds.append(id);
        m_markerCodes.insert(id, p.code);
    }
    m_modelState = modelLoaded;
}

void acupoint3DWidget::pickPoint(int x, int y)
{
    const quint32 id = scenePicker::pick(*m_world, m_viewport.rayAt(x, y));
    if (id == 0 || !m_world->contains(id))
        return;
    // A hit on the body, not on a marker, changes nothing.
    if (!m_markerIds.contains(id))
        return;
    selectPoint(id);
    m_lastPicked = id;
}

void acupoint3DWidget::selectPoint(quint32 id)
{
    for (auto it = m_markerCodes.constBegin(); it != m_markerCodes.constEnd(); ++it) {
        sceneOccurrence *o = m_world->occurrence(it.key());
        if (o && o->isVisible()) {
            o->material().setAmbientColor(Qt::red);
            o->material().setDiffuseColor(markerDiffuse);
        }
    }
    if (id == noMarker)
        return;
    sceneOccurrence *picked = m_world->occurrence(id);
    if (!picked || !picked->isVisible())
        return;
    picked->material().setAmbientColor(Qt::blue);
    picked->material().setDiffuseColor(selectedDiffuse);
    const QString code = m_markerCodes.value(id);
    if (!code.isEmpty())
        m_selectedPoint = findAcuPointByCode(code, &m_pointFound);
}

void acupoint3DWidget::doAction(const QString &code)
{
    const bool all = code == QLatin1String("All");
    const bool none = code == QLatin1String("Null");
    for (auto it = m_markerCodes.constBegin(); it != m_markerCodes.constEnd(); ++it) {
        if (sceneOccurrence *o = m_world->occurrence(it.key()))
            o->setVisible(!none && (all || meridianOf(it.value()) == code));
    }
    update();
}

QList<QPair<int, QString>> acupoint3DWidget::overlayLines() const
{
    if (m_modelState == modelNotLoaded)
        return {{20, QStringLiteral("请点击鼠标左键加载模型")}};
    if (m_modelState == modelFailed)
        return {{20, QStringLiteral("加载人体模型失败")}};
    if (!m_pointFound)
        return {{20, QStringLiteral("按住鼠标中键拖动鼠标可缩放模型,按住鼠标右键拖动鼠标可旋转模型")}};
    const acuPoint &p = m_selectedPoint;
    return {
        {20, QStringLiteral("名称:%1").arg(p.name)},
        {42, QStringLiteral("经络:%1").arg(p.meridian)},
        {64, QStringLiteral("部位:%1").arg(p.location)},
        {86, QStringLiteral("主治:%1").arg(p.indications)},
        {108, QStringLiteral("配伍:%1").arg(p.pairing)},
        {132, QStringLiteral("禁忌:%1").arg(p.caution)},
        {154, QStringLiteral("炙法:%1").arg(p.method)},
    };
}

void acupoint3DWidget::initializeGL()
{
    m_glReady = m_renderer.initialize();
    m_viewport.setWinGLSize(width(), height());
    m_viewport.setToOrtho(true);
    // Framed before any model is loaded: around the world's (empty) box.
    const sceneBox box = m_world->boundingBox().inset(framingInset);
    m_viewport.reframe(box, framingCover);
}

void acupoint3DWidget::resizeGL(int, int)
{
    // Mouse positions are in the widget's own (device-independent) pixels.
    m_viewport.setWinGLSize(width(), height());
}

void acupoint3DWidget::paintGL()
{
    QPainter painter(this);
    painter.beginNativePainting();
    glViewport(0, 0, int(width() * devicePixelRatioF()), int(height() * devicePixelRatioF()));
    glClearColor(0.12f, 0.13f, 0.16f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_renderer.drawBackground(QColor(66, 74, 88), QColor(22, 24, 30));
    m_viewport.setDistMinAndMax(m_world->boundingBox());
    m_renderer.render(*m_world, m_viewport, m_light);
    painter.endNativePainting();

    // The text over the view, white with a soft shadow so that it stays
    // readable over the body; lines too long for the view end in "...".
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetrics metrics(font());
    for (const auto &line : overlayLines()) {
        const QString text = metrics.elidedText(line.second, Qt::ElideRight, width() - 20);
        painter.setPen(QColor(0, 0, 0, 170));
        painter.drawText(QPoint(11, line.first + 1), text);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(10, line.first), text);
    }

    const sceneMoverController::representation rep = m_mover.activeMoverRep();
    if (rep.visible) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(rep.color, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(rep.centre, rep.radius, rep.radius);
    }
}

void acupoint3DWidget::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    if (m_modelState == modelNotLoaded && event->button() == Qt::LeftButton) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        loadModel();
        QApplication::restoreOverrideCursor();
        update();
        return;
    }
    if (m_mover.hasActiveMover())
        return;
    switch (event->button()) {
    case Qt::LeftButton:
        pickPoint(int(pos.x()), int(pos.y()));
        break;
    case Qt::RightButton:
        m_rightPress = pos;
        m_rightDragged = false;
        m_mover.setActiveMover(sceneMoverController::trackBall, pos.x(), pos.y());
        break;
    case Qt::MiddleButton:
        m_mover.setActiveMover(sceneMoverController::zoom, pos.x(), pos.y());
        break;
    default:
        return;
    }
    update();
}

void acupoint3DWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_mover.hasActiveMover())
        return;
    const QPointF pos = event->position();
    if ((pos - m_rightPress).manhattanLength() >= QApplication::startDragDistance())
        m_rightDragged = true;
    m_mover.move(pos.x(), pos.y());
    m_viewport.setDistMinAndMax(m_world->boundingBox());
    update();
}

void acupoint3DWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_mover.hasActiveMover()) {
        m_mover.setNoMover();
        update();
    }
    if (event->button() == Qt::RightButton && m_menuPending) {
        m_menuPending = false;
        if (!m_rightDragged)
            showMenu();
    }
}

void acupoint3DWidget::contextMenuEvent(QContextMenuEvent *event)
{
    // The platform may ask for the menu when the right button goes down;
    // then it waits for the release, and a drag (turning the model) shows no
    // menu.
    if (event->reason() == QContextMenuEvent::Mouse && (QGuiApplication::mouseButtons() & Qt::RightButton))
        m_menuPending = true;
    else if (event->reason() != QContextMenuEvent::Mouse || !m_rightDragged)
        showMenu();
    event->accept();
}

void acupoint3DWidget::showMenu()
{
    if (m_mover.hasActiveMover()) {
        m_mover.setNoMover();
        update();
    }
    m_menu->exec(QCursor::pos());
}
