#ifndef UNITITEM_H
#define UNITITEM_H

#include <QObject>
#include <QStringList>

// A category of folk remedies and the complaints it holds.
class unitItem : public QObject
{
    Q_OBJECT
public:
    explicit unitItem(const QString &name, QObject *parent = nullptr);

    bool hasChildren() const { return !children.isEmpty(); }

    QString name;
    QStringList children;
};

#endif
