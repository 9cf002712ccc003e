#ifndef UPDATE_H
#define UPDATE_H

#include "releaseinfo.h"

#include <QDir>
#include <QWidget>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QPushButton;
class QTextEdit;
class processTerminator;
class updateDesktop;

// The update window: offers the release of the manifest, and on "升级"
// downloads its archive, checks it, stops the running main program and puts
// the archive's entry in place of the main program's executable.
//
// Nothing is replaced until the whole archive has arrived, matches its
// digest (when the manifest gives one) and yields the entry intact; the new
// executable is written beside the old one and renamed over it, so a failure
// at any point leaves the old program as it was. Every failure is reported.
class update : public QWidget
{
    Q_OBJECT
public:
    // entryName: the archive entry to take, which is also the file name of the
    // main program's executable in the working directory.
    explicit update(const QString &entryName, QWidget *parent = nullptr);
    ~update() override;

    void setReleaseInfo(const releaseInfo &info);
    const releaseInfo &release() const { return m_info; }

    // The folder of the main program (the working directory by default).
    void setWorkingDirectory(const QDir &dir) { m_dir = dir; }
    // Where messages and opened pages go (the real desktop by default).
    void setDesktop(updateDesktop *desktop);
    // Who stops the running main program (this platform's by default).
    void setTerminator(processTerminator *terminator);

    bool isDownloading() const { return m_reply != nullptr; }
    // The executable that an update replaces.
    QString programPath() const;
    // Where the downloaded archive of the offered version is kept.
    QString archivePath() const;
    // Whether files can be made in the main program's folder, which the
    // update writes (the archive and the new program).
    bool canReplaceProgram() const;

public slots:
    void visit();
    void auto_download();
    void manual();
    void cancelDownload();
    void httpFinished();
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);
    void cancel();

signals:
    // The window has closed: the program's work is over.
    void sendClosed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void finishDownload(QNetworkReply *reply);
    bool saveArchive(const QByteArray &archive);
    bool replaceProgram(const QByteArray &program);

    QLabel *m_label = nullptr;
    QPushButton *m_download = nullptr;
    QPushButton *m_update = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_versionShow = nullptr;
    QTextEdit *m_show = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_view = nullptr;

    QNetworkAccessManager *m_manager = nullptr;
    QDir m_dir;
    QNetworkReply *m_reply = nullptr;
    releaseInfo m_info;
    bool m_aborted = false;
    QString m_entry;

    updateDesktop *m_desktop = nullptr;
    processTerminator *m_terminator = nullptr;
};

#endif
