#ifndef LICENSEAGREEMENT_H
#define LICENSEAGREEMENT_H

#include "frame/abstractwidget.h"

// The first-run page: the licence text, accepted once.
class licenseAgreement : public abstractWidget
{
    Q_OBJECT
public:
    explicit licenseAgreement(QWidget *parent = nullptr);

signals:
    void accepted(QWidget *mainWindow);

public slots:
    void onYes();
    void onNo();
};

#endif
