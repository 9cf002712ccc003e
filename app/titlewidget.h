#ifndef TITLEWIDGET_H
#define TITLEWIDGET_H

#include <QList>
#include <QPoint>
#include <QWidget>

class QLabel;
class toolButton;

// The main window's own title bar: version label and window buttons above,
// the six page buttons and the logo below. Dragging it moves the window.
class titleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit titleWidget(QWidget *parent = nullptr);

    int pageButtonCount() const { return m_buttons.size(); }
    toolButton *pageButton(int index) const { return m_buttons.value(index); }

signals:
    void showSkin();
    void showMin();
    void showMax();
    void showMainMenu();
    void closeWidget();
    void turnIndex(int index);

public slots:
    void onTurnPage(const QString &index);
    void onTranslateLanguage();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_version = nullptr;
    QList<toolButton *> m_buttons;
    QPoint m_pressPos;
    bool m_pressed = false;
};

#endif
