#ifndef USERDIALOGS_H
#define USERDIALOGS_H

#include <QString>

#include <functional>

class QWidget;

// How a page asks the user for a file name and tells them something. By
// default the file dialogs and the program's message box are used; tests put
// their own functions in place so that nothing waits for a person.
class userDialogs
{
public:
    // (caption, suggested path or starting folder, filter) -> chosen path,
    // empty when the user cancelled.
    using nameProvider = std::function<QString(const QString &, const QString &, const QString &)>;
    using messageSink = std::function<void(const QString &)>;

    explicit userDialogs(QWidget *owner);

    void setSaveNameProvider(nameProvider provider) { m_saveName = std::move(provider); }
    void setOpenNameProvider(nameProvider provider) { m_openName = std::move(provider); }
    void setMessageSink(messageSink sink) { m_message = std::move(sink); }

    QString saveFileName(const QString &caption, const QString &suggested, const QString &filter) const;
    QString openFileName(const QString &caption, const QString &folder, const QString &filter) const;
    void tell(const QString &message) const;

    // The folder the file dialogs start in: the program's own.
    static QString programFolder();

private:
    QWidget *m_owner;
    nameProvider m_saveName;
    nameProvider m_openName;
    messageSink m_message;
};

#endif
