#ifndef SKINWIDGET_H
#define SKINWIDGET_H

#include <QWidget>

class QLabel;

// One tile of the skin chooser: the picture and a button that applies it.
class skinWidget : public QWidget
{
    Q_OBJECT
public:
    skinWidget(const QString &path, QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QLabel *picture() const { return m_picture; }

signals:
    void changeSkin(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString m_path;
    QLabel *m_picture = nullptr;
    bool m_pictureLoaded = false;
};

#endif
