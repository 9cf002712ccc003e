#include "systemdesktop.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

void systemDesktop::showWarning(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QStringLiteral("Lumicara"), text);
}

void systemDesktop::showAbout(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

bool systemDesktop::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

systemDesktop &systemDesktop::instance()
{
    static systemDesktop desktop;
    return desktop;
}
