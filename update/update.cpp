#include "update.h"

#include "processterminator.h"
#include "systemdesktop.h"
#include "updatearchive.h"
#include "updatenames.h"
#include "updatenetwork.h"
#include "versionnumber.h"

#include "text/wholefile.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QUrl>

#include <climits>

update::update(const QString &entryName, QWidget *parent)
    : QWidget(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_dir(QDir::current())
    , m_entry(entryName)
    , m_desktop(&systemDesktop::instance())
    , m_terminator(&processTerminator::platformTerminator())
{
    setObjectName(QStringLiteral("Form"));
    resize(400, 374);
    setMinimumHeight(374);
    setMaximumHeight(374);

    auto *grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("gridLayout"));

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setText(QStringLiteral("<html><head/><body><p>Lumicara发布新的版本了!</p>"
                                    "<p>您希望更新到该版本吗?</p></body></html>"));
    grid->addWidget(m_label, 0, 0, 1, 2);

    m_download = new QPushButton(QStringLiteral("手动下载 "), this);
    m_download->setObjectName(QStringLiteral("mDownload"));
    grid->addWidget(m_download, 1, 0);
    m_update = new QPushButton(QStringLiteral(" 升级 "), this);
    m_update->setObjectName(QStringLiteral("mUpdate"));
    grid->addWidget(m_update, 1, 1);
    grid->addItem(new QSpacerItem(136, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
    m_cancel = new QPushButton(QStringLiteral(" 取消 "), this);
    m_cancel->setObjectName(QStringLiteral("mCancel"));
    grid->addWidget(m_cancel, 1, 3);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 2, 0, 1, 4);

    m_versionShow = new QLabel(this);
    m_versionShow->setObjectName(QStringLiteral("mVersionShow"));
    grid->addWidget(m_versionShow, 3, 0, 1, 3);

    m_show = new QTextEdit(this);
    m_show->setObjectName(QStringLiteral("mShow"));
    m_show->setReadOnly(true);
    grid->addWidget(m_show, 4, 0, 1, 4);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    grid->addWidget(m_progress, 5, 0, 1, 4);

    m_view = new QPushButton(QStringLiteral("查看详细"), this);
    m_view->setObjectName(QStringLiteral("mView"));
    grid->addWidget(m_view, 6, 0);

    connect(m_cancel, &QPushButton::clicked, this, &update::cancel);
    connect(m_view, &QPushButton::clicked, this, &update::visit);
    connect(m_update, &QPushButton::clicked, this, &update::auto_download);
    connect(m_download, &QPushButton::clicked, this, &update::manual);

    m_progress->hide();
    m_progress->setValue(0);
    setWindowIcon(QIcon(QStringLiteral(":/update.ico")));
    setWindowTitle(QStringLiteral("更新"));
}

update::~update() = default;

void update::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit sendClosed();
}

void update::setReleaseInfo(const releaseInfo &info)
{
    m_info = info;
    m_show->setPlainText(info.content);
    m_versionShow->setText(QStringLiteral("当前版本：%1     升级版本：%2").arg(info.currentVersion, info.version));
}

void update::setDesktop(updateDesktop *desktop)
{
    m_desktop = desktop ? desktop : &systemDesktop::instance();
}

void update::setTerminator(processTerminator *terminator)
{
    m_terminator = terminator ? terminator : &processTerminator::platformTerminator();
}

QString update::programPath() const
{
    return m_dir.absoluteFilePath(m_entry);
}

QString update::archivePath() const
{
    // The version is written back from its numbers, so that nothing but
    // digits and dots from the manifest reaches the file name.
    QString version = versionNumber(m_info.version).toString();
    if (version.isEmpty())
        version = QStringLiteral("0.0.0.0");
    return m_dir.absoluteFilePath(QLatin1String(updateDownloadFolder) + QLatin1Char('/') + version
                                  + QStringLiteral(".zip"));
}

void update::visit()
{
    const QUrl url(m_info.detail.trimmed());
    if (isWebUrl(url))
        m_desktop->openUrl(url);
}

void update::manual()
{
    const QUrl url(m_info.download.trimmed());
    if (isWebUrl(url))
        m_desktop->openUrl(url);
}

bool update::canReplaceProgram() const
{
    // The new program and the archive are both written into this folder;
    // tried rather than asked, as permission bits know nothing of read-only
    // mounts.
    QTemporaryFile probe(m_dir.absoluteFilePath(QStringLiteral(".update-probe-XXXXXX")));
    return probe.open();
}

void update::auto_download()
{
    if (m_reply)
        return; // one download at a time
    if (!canReplaceProgram()) {
        // A program installed into a system folder (by a package) belongs to
        // the package manager: nothing is downloaded.
        m_desktop->showWarning(
            this, QStringLiteral("Lumicara 安装在 %1，当前用户不能改写这个文件夹，更新程序无法替换其中的程序，"
                                 "没有下载更新。\n由软件包安装的 Lumicara 请通过系统的软件包管理器更新；"
                                 "也可以点击“手动下载”。")
                      .arg(QDir::toNativeSeparators(m_dir.absolutePath())));
        return;
    }
    const QUrl url(m_info.win32.trimmed());
    if (!isWebUrl(url)) {
        m_desktop->showWarning(this, QStringLiteral("更新包的地址无效：%1").arg(m_info.win32));
        return;
    }
    // The folder for the archive is made and the running program stopped only
    // once the archive has arrived whole: a failed or cancelled download
    // leaves everything as it was.
    m_aborted = false;
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->show();
    m_update->setEnabled(false);
    m_reply = startUpdateRequest(*m_manager, url);
    connect(m_reply, &QNetworkReply::finished, this, &update::httpFinished);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &update::updateDataReadProgress);
}

void update::updateDataReadProgress(qint64 bytesRead, qint64 totalBytes)
{
    if (m_aborted)
        return;
    if (totalBytes <= 0) {
        m_progress->setRange(0, 0); // size unknown: a busy bar
        return;
    }
    const qint64 scale = totalBytes > INT_MAX ? totalBytes / INT_MAX + 1 : 1;
    m_progress->setRange(0, int(totalBytes / scale));
    m_progress->setValue(int(qMin(bytesRead, totalBytes) / scale));
}

void update::cancelDownload()
{
    if (!m_reply)
        return;
    m_aborted = true;
    QNetworkReply *reply = m_reply;
    reply->abort();
    reply->deleteLater();
}

void update::cancel()
{
    cancelDownload();
    close();
}

void update::httpFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_progress->hide();
    m_update->setEnabled(true);
    if (!reply)
        return;
    reply->deleteLater();
    if (m_aborted) {
        close();
        return;
    }
    finishDownload(reply);
}

void update::finishDownload(QNetworkReply *reply)
{
    const QString failure = replyFailure(reply);
    if (!failure.isEmpty()) {
        m_desktop->showWarning(this, QStringLiteral("下载更新失败：%1").arg(failure));
        return;
    }
    const QByteArray archive = reply->readAll();
    if (!m_info.sha256.trimmed().isEmpty() && !matchesSha256(archive, m_info.sha256)) {
        m_desktop->showWarning(this, QStringLiteral("下载的更新包与发布的校验值不符，没有升级。"));
        return;
    }
    QByteArray program;
    switch (readArchiveEntryData(archive, m_entry, program)) {
    case archiveEntryResult::found:
        break;
    case archiveEntryResult::notZip:
        m_desktop->showWarning(this, QStringLiteral("下载的更新包无法打开，没有升级。"));
        return;
    case archiveEntryResult::damaged:
        m_desktop->showWarning(this, QStringLiteral("下载的更新包已损坏，没有升级。"));
        return;
    case archiveEntryResult::missingEntry:
        m_desktop->showWarning(this, QStringLiteral("更新包中没有 %1，没有升级。").arg(m_entry));
        close();
        return;
    }
    if (!saveArchive(archive)) {
        m_desktop->showWarning(this, QStringLiteral("无法保存更新包 %1，没有升级。")
                                         .arg(QDir::toNativeSeparators(archivePath())));
        close();
        return;
    }
    const QString target = programPath();
    const QString canonical = QFileInfo(target).canonicalFilePath();
    m_terminator->terminateAll(m_entry, canonical.isEmpty() ? target : canonical);
    if (!replaceProgram(program)) {
        m_desktop->showWarning(this, QStringLiteral("无法写入 %1，原来的程序没有改变。")
                                         .arg(QDir::toNativeSeparators(target)));
        close();
        return;
    }
    hide();
    m_desktop->showAbout(this, QStringLiteral("Lumicara"), QStringLiteral("Lumicara已升级至最新版本"));
    close();
}

bool update::saveArchive(const QByteArray &archive)
{
    if (!m_dir.mkpath(QLatin1String(updateDownloadFolder)))
        return false;
    return writeWholeFile(archivePath(), archive);
}

bool update::replaceProgram(const QByteArray &program)
{
    const QString target = programPath();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (QFileInfo::exists(target))
        permissions = QFile::permissions(target);
    permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (permissions & QFileDevice::ReadGroup)
        permissions |= QFileDevice::ExeGroup;
    if (permissions & QFileDevice::ReadOther)
        permissions |= QFileDevice::ExeOther;

    // Written beside the old program and renamed over it on commit.
    return writeWholeFile(target, program, nullptr, permissions);
}
