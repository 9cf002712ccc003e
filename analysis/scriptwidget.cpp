#include "scriptwidget.h"

#include "analywidget.h"
#include "scriptgridwidget.h"

#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QSignalTransition>
#include <QState>
#include <QStateMachine>

scriptWidget::scriptWidget(QWidget *parent)
    : QWidget(parent)
{
    resize(806, 490);
    m_analysis = new analyWidget(this);
    m_grid = new scriptGridWidget(this);
    m_analysis->setGeometry(0, 0, 806, 490);
    m_grid->setGeometry(806, 0, 0, 490);

    m_machine = new QStateMachine(this);
    m_table = new QState(m_machine);
    m_gridState = new QState(m_machine);
    assignGeometries();
    m_analysisSlide = new QPropertyAnimation(m_analysis, "geometry", this);
    m_gridSlide = new QPropertyAnimation(m_grid, "geometry", this);
    for (QPropertyAnimation *a : {m_analysisSlide, m_gridSlide}) {
        a->setDuration(1200);
        a->setEasingCurve(QEasingCurve::Linear);
    }
    QSignalTransition *toGrid = m_table->addTransition(this, &scriptWidget::triggeredGrid, m_gridState);
    toGrid->addAnimation(m_analysisSlide);
    toGrid->addAnimation(m_gridSlide);
    QSignalTransition *toTable = m_gridState->addTransition(this, &scriptWidget::triggeredTable, m_table);
    toTable->addAnimation(m_analysisSlide);
    toTable->addAnimation(m_gridSlide);
    m_machine->setInitialState(m_table);
    m_machine->start();

    connect(m_analysis, &analyWidget::sendShowGrid, this, &scriptWidget::onShowGrid);
    connect(m_grid, &scriptGridWidget::sendBack, this, &scriptWidget::onShowTable);
}

bool scriptWidget::showingGrid() const
{
    return m_machine->configuration().contains(m_gridState);
}

void scriptWidget::assignGeometries()
{
    // The two views always share the page's full size; the states say which
    // one is in sight.
    const int w = width();
    const int h = height();
    m_table->assignProperty(m_analysis, "geometry", QRect(0, 0, w, h));
    m_table->assignProperty(m_grid, "geometry", QRect(w, 0, 0, h));
    m_gridState->assignProperty(m_analysis, "geometry", QRect(0, 0, 0, h));
    m_gridState->assignProperty(m_grid, "geometry", QRect(0, 0, w, h));
}

void scriptWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    assignGeometries();
    const bool sliding = m_analysisSlide && m_analysisSlide->state() == QAbstractAnimation::Running;
    if (sliding)
        return;
    if (m_machine->configuration().contains(m_gridState)) {
        m_analysis->setGeometry(0, 0, 0, height());
        m_grid->setGeometry(0, 0, width(), height());
    } else {
        m_analysis->setGeometry(0, 0, width(), height());
        m_grid->setGeometry(width(), 0, 0, height());
    }
}

void scriptWidget::onShowGrid()
{
    m_grid->setHerbs(m_analysis->herbNames());
    emit triggeredGrid();
}

void scriptWidget::onShowTable()
{
    emit triggeredTable();
}
