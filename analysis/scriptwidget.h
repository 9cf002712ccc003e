#ifndef SCRIPTWIDGET_H
#define SCRIPTWIDGET_H

#include <QWidget>

class QPropertyAnimation;
class QState;
class QStateMachine;
class analyWidget;
class scriptGridWidget;

// The analysis page of the main window: slides between the analysis of a
// prescription and the pair grid of its herbs.
class scriptWidget : public QWidget
{
    Q_OBJECT
public:
    explicit scriptWidget(QWidget *parent = nullptr);

    analyWidget *analysis() const { return m_analysis; }
    scriptGridWidget *grid() const { return m_grid; }
    bool showingGrid() const;

signals:
    void triggeredGrid();
    void triggeredTable();

public slots:
    void onShowGrid();
    void onShowTable();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void assignGeometries();

    analyWidget *m_analysis = nullptr;
    scriptGridWidget *m_grid = nullptr;
    QStateMachine *m_machine = nullptr;
    QState *m_table = nullptr;
    QState *m_gridState = nullptr;
    QPropertyAnimation *m_analysisSlide = nullptr;
    QPropertyAnimation *m_gridSlide = nullptr;
};

#endif
