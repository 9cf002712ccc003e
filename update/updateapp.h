#ifndef UPDATEAPP_H
#define UPDATEAPP_H

#include <QStringList>
#include <QThread>

// The main program's update check: runs the update program beside the main
// program with the running version, the manifest address, the platform word
// and the executable's name, and waits for it on this thread so that the
// window stays responsive. Starting it while it runs does nothing.
class UpdateApp : public QThread
{
    Q_OBJECT
public:
    explicit UpdateApp(QObject *parent = nullptr);
    // When the main program ends first, the update program ends with it.
    ~UpdateApp() override;

    // The update program: by default the one beside this program.
    void setProgram(const QString &path) { m_program = path; }
    QString program() const;

    // The four arguments, in order.
    static QStringList updateArguments();
    // The manifest address: key "updateurl" of ./config.ini, or ours.
    static QString manifestUrl();

protected:
    void run() override;

private:
    QString m_program;
};

#endif
