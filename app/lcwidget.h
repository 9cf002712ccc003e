#ifndef LCWIDGET_H
#define LCWIDGET_H

#include <QRect>
#include <QWidget>

class QLabel;
class QPropertyAnimation;
class QStackedWidget;
class QState;
class QStateMachine;
class UpdateApp;
class mainMenu;
class skinWidgetChoice;
class titleWidget;

// The frameless main window: title bar, six pages, footer; painted with the
// chosen skin; closing collapses it to a line before the program ends.
class lcWidget : public QWidget
{
    Q_OBJECT
public:
    explicit lcWidget(QWidget *parent = nullptr);

    titleWidget *title() const { return m_title; }
    QStackedWidget *pages() const { return m_pages; }
    mainMenu *menu() const { return m_menu; }
    skinWidgetChoice *skinChooser() const { return m_skins; }
    UpdateApp *updater() const { return m_updater; }
    bool isShownMaximized() const;

public slots:
    void onShowWidget();
    void onCurrentIndex(int index);
    void onUpdate();
    void onShowMax();
    void onShowSkinWidget();
    void onShowMainMenu();
    void onShowSettingDialog();
    void onShowAboutUs();
    void onOnlineHelp();
    void onChangeSkin(const QString &path);
    void onShowReader();
    void onShowHerbComparer();
    void onShowDataSearch();
    void onShowSympTomTest();
    void onClose();

signals:
    void collapseRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void prepareCollapse();

private:
    void setupCollapse();

    titleWidget *m_title = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_footer = nullptr;
    mainMenu *m_menu = nullptr;
    skinWidgetChoice *m_skins = nullptr;
    QStateMachine *m_machine = nullptr;
    QState *m_collapsed = nullptr;
    QPropertyAnimation *m_collapse = nullptr;
    UpdateApp *m_updater = nullptr;
};

#endif
