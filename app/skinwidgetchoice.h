#ifndef SKINWIDGETCHOICE_H
#define SKINWIDGETCHOICE_H

#include "frame/abstractwidget.h"

class skinWidgetBlock;

// The skin chooser panel opened from the title bar.
class skinWidgetChoice : public abstractWidget
{
    Q_OBJECT
public:
    explicit skinWidgetChoice(QWidget *parent = nullptr);

    skinWidgetBlock *block() const { return m_block; }

signals:
    void changeSkin(const QString &path);

public slots:
    void varyfySkin(const QString &path);

private:
    skinWidgetBlock *m_block = nullptr;
};

#endif
