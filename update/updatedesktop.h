#ifndef UPDATEDESKTOP_H
#define UPDATEDESKTOP_H

class QString;
class QUrl;
class QWidget;

// What the update program hands to the desktop: messages for the user and
// pages to open in the browser. The program uses systemDesktop; tests put a
// recorder in its place.
class updateDesktop
{
public:
    virtual ~updateDesktop();

    // A failure the user must know of (a warning box titled "Lumicara").
    virtual void showWarning(QWidget *parent, const QString &text) = 0;
    // The closing news of a finished update (an "about" box).
    virtual void showAbout(QWidget *parent, const QString &title, const QString &text) = 0;
    // Opens an address with the desktop's default handler.
    virtual bool openUrl(const QUrl &url) = 0;
};

#endif
