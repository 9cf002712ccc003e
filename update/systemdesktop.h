#ifndef SYSTEMDESKTOP_H
#define SYSTEMDESKTOP_H

#include "updatedesktop.h"

// The real desktop: Qt message boxes and the desktop's URL opener.
class systemDesktop : public updateDesktop
{
public:
    void showWarning(QWidget *parent, const QString &text) override;
    void showAbout(QWidget *parent, const QString &title, const QString &text) override;
    bool openUrl(const QUrl &url) override;

    // The one instance the program uses.
    static systemDesktop &instance();
};

#endif
