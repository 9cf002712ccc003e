#ifndef ACUPOINT3DWIDGET_H
#define ACUPOINT3DWIDGET_H

#include "acupoint.h"
#include "scene/scenelight.h"
#include "scene/scenemodelreader.h"
#include "scene/scenemovercontroller.h"
#include "scene/scenerenderer.h"
#include "scene/sceneviewport.h"
#include "scene/scenepicker.h"
#include "scene/sceneworld.h"

#include <QHash>
#include <QList>
#include <QOpenGLWidget>
#include <QVector3D>

#include <memory>

class QMenu;

// The 3D acupoint page: the body model with a small sphere on every acupoint
// whose place is known. A left click loads the model; the right button turns
// it, the middle button zooms; a left click on a sphere shows the acupoint's
// catalogue entry over the view; the context menu shows the points of one
// meridian, all of them or none.
class acupoint3DWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    enum modelStates { modelNotLoaded = 0, modelLoaded = 1, modelFailed = -1 };
    static constexpr quint32 noMarker = 0xffffffffu;

    explicit acupoint3DWidget(QWidget *parent = nullptr);
    ~acupoint3DWidget() override;

    // The model file, relative to the working directory.
    static QString modelPath();
    // Whether the platform can show the page: an OpenGL context on a platform
    // that composes OpenGL widgets into its windows.
    static bool openGLAvailable();
    // The meridian menu: (text, code) in menu order.
    static QList<QPair<QString, QString>> meridianEntries();

    void loadModel();
    void pickPoint(int x, int y);
    void selectPoint(quint32 id);

    int modelState() const { return m_modelState; }
    const sceneWorld &world() const { return *m_world; }
    const sceneViewport &viewport() const { return m_viewport; }
    const QList<quint32> &markerIds() const { return m_markerIds; }
    const QList<QVector3D> &markerPositions() const { return m_markerPositions; }
    QString markerCode(quint32 id) const { return m_markerCodes.value(id); }
    quint32 lastPicked() const { return m_lastPicked; }
    const acuPoint &selectedPoint() const { return m_selectedPoint; }
    bool pointFound() const { return m_pointFound; }
    QMenu *meridianMenu() const { return m_menu; }
    // The lines written over the view, top to bottom, with their heights.
    QList<QPair<int, QString>> overlayLines() const;

public slots:
    void doAction(const QString &code);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void showMenu();

    sceneLight m_light;
    std::unique_ptr<sceneWorld> m_world;
    sceneViewport m_viewport;
    QList<quint32> m_markerIds;
    sceneMoverController m_mover;
    QList<QVector3D> m_markerPositions;
    QHash<quint32, QString> m_markerCodes;
    QMenu *m_menu;
    quint32 m_lastPicked = noMarker;
    int m_modelState = modelNotLoaded;
    acuPoint m_selectedPoint;
    bool m_pointFound = false;

    sceneModelReader m_reader;
    sceneRenderer m_renderer;
    bool m_glReady = false;
    // A right click that does not drag opens the menu; a drag turns the model.
    QPointF m_rightPress;
    bool m_rightDragged = false;
    bool m_menuPending = false;
};

#endif
