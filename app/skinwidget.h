#ifndef SKINWIDGET_H
#define SKINWIDGET_H

#include <QWidget>

// One tile of the skin chooser: the picture and a button that applies it.
class skinWidget : public QWidget
{
    Q_OBJECT
public:
    skinWidget(const QString &path, QWidget *parent = nullptr);

    QString path() const { return m_path; }

signals:
    void changeSkin(const QString &path);

private:
    QString m_path;
};

#endif
