#ifndef MAINMENU_H
#define MAINMENU_H

#include <QMenu>

class QAction;

// The drop-down main menu of the title bar.
class mainMenu : public QMenu
{
    Q_OBJECT
public:
    explicit mainMenu(QWidget *parent = nullptr);

    QAction *updateAction() const { return m_update; }

signals:
    void aboutUS();
    void onlineHelp();
    void popReader();
    void popHerbComparer();
    void popDataSearch();
    void popSympTomTest();

private:
    QAction *m_update = nullptr;
};

#endif
