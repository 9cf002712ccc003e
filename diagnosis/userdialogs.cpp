#include "userdialogs.h"

#include "text/warnningbox.h"

#include <QCoreApplication>
#include <QFileDialog>

userDialogs::userDialogs(QWidget *owner)
    : m_owner(owner)
{
}

QString userDialogs::saveFileName(const QString &caption, const QString &suggested, const QString &filter) const
{
    if (m_saveName)
        return m_saveName(caption, suggested, filter);
    return QFileDialog::getSaveFileName(m_owner, caption, suggested, filter);
}

QString userDialogs::openFileName(const QString &caption, const QString &folder, const QString &filter) const
{
    if (m_openName)
        return m_openName(caption, folder, filter);
    return QFileDialog::getOpenFileName(m_owner, caption, folder, filter);
}

void userDialogs::tell(const QString &message) const
{
    if (m_message)
        m_message(message);
    else
        showWarning(message, m_owner);
}

QString userDialogs::programFolder()
{
    return QCoreApplication::applicationDirPath();
}
