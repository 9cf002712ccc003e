#ifndef ABOUTWIDGET_H
#define ABOUTWIDGET_H

#include "frame/abstractdialog.h"

class QTabWidget;

// The about dialog: logo, name, description, version and four pages of
// information from the knowledge archive.
class aboutWidget : public abstractDialog
{
    Q_OBJECT
public:
    explicit aboutWidget(QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }

private:
    QTabWidget *m_tabs = nullptr;
};

#endif
