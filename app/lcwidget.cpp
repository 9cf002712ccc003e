#include "lcwidget.h"

#include "aboutwidget.h"
#include "appversion.h"
#include "frame/framepainter.h"
#include "mainmenu.h"
#include "pagefactory.h"
#include "settingswarning.h"
#include "frame/skinsettings.h"
#include "skinwidgetchoice.h"
#include "text/phrasedictionary.h"
#include "titlewidget.h"
#include "update/updateapp.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPropertyAnimation>
#include <QResizeEvent>
#include <QScreen>
#include <QSignalTransition>
#include <QStackedWidget>
#include <QState>
#include <QStateMachine>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// Whether the main window is maximised, and the geometry to come back to.
bool g_maximized = false;
QRect g_normalGeometry;
} // namespace

lcWidget::lcWidget(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window)
{
    setWindowIcon(QIcon(QStringLiteral(":/logo/logo48")));
    setWindowTitle(lookupPhrase(QStringLiteral("software"), QStringLiteral("software_with_version"))
                       .arg(QLatin1String(lcVersion)));
    setAutoFillBackground(true);
    resize(810, 622);
    g_maximized = false;
    g_normalGeometry = geometry();

    m_menu = new mainMenu(this);
    m_title = new titleWidget(this);
    m_pages = new QStackedWidget(this);
    for (int i = 0; i < 6; ++i)
        m_pages->addWidget(createMainPage(i, this));
    m_skins = new skinWidgetChoice(this);
    m_skins->hide();
    m_updater = new UpdateApp(this);

    m_footer = new QLabel(this);
    m_footer->setStyleSheet(QStringLiteral("background-color:white;"));
    m_footer->setContentsMargins(0, 0, 8, 0);
    m_footer->setTextFormat(Qt::RichText);
    m_footer->setText(lookupPhrase(QStringLiteral("software"), QStringLiteral("qq_group")));
    m_footer->setOpenExternalLinks(true);
    m_footer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_footer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_footer->setMaximumHeight(22);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_title);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_footer);

    connect(m_title, &titleWidget::showSkin, this, &lcWidget::onShowSkinWidget);
    connect(m_title, &titleWidget::showMainMenu, this, &lcWidget::onShowMainMenu);
    connect(m_title, &titleWidget::showMax, this, &lcWidget::onShowMax);
    connect(m_title, &titleWidget::showMin, this, &QWidget::showMinimized);
    connect(m_title, &titleWidget::closeWidget, this, &lcWidget::onClose);
    connect(m_title, &titleWidget::closeWidget, this, &lcWidget::prepareCollapse);
    connect(m_title, &titleWidget::turnIndex, this, &lcWidget::onCurrentIndex);
    connect(m_skins, &skinWidgetChoice::changeSkin, this, &lcWidget::onChangeSkin);
    connect(m_menu, &mainMenu::onlineHelp, this, &lcWidget::onOnlineHelp);
    connect(m_menu->updateAction(), &QAction::triggered, this, &lcWidget::onUpdate);
    connect(m_menu, &mainMenu::aboutUS, this, &lcWidget::onShowAboutUs);
    connect(m_menu, &mainMenu::popReader, this, &lcWidget::onShowReader);
    connect(m_menu, &mainMenu::popHerbComparer, this, &lcWidget::onShowHerbComparer);
    connect(m_menu, &mainMenu::popDataSearch, this, &lcWidget::onShowDataSearch);
    connect(m_menu, &mainMenu::popSympTomTest, this, &lcWidget::onShowSympTomTest);

    m_title->onTurnPage(QString());
}

bool lcWidget::isShownMaximized() const
{
    return g_maximized;
}

void lcWidget::onShowWidget()
{
    showNormal();
    raise();
    activateWindow();
    m_title->onTurnPage(QString());
}

void lcWidget::onCurrentIndex(int index)
{
    if (index >= 0 && index < m_pages->count())
        m_pages->setCurrentIndex(index);
}

void lcWidget::onUpdate()
{
    m_updater->start();
}

void lcWidget::onShowMax()
{
    if (!g_maximized) {
        g_normalGeometry = geometry();
        if (QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        g_maximized = true;
    } else {
        setGeometry(g_normalGeometry);
        g_maximized = false;
    }
}

void lcWidget::onShowSkinWidget()
{
    m_skins->move(mapToGlobal(QPoint(width() - m_skins->width() - 10, 32)));
    m_skins->show();
    m_skins->raise();
}

void lcWidget::onShowMainMenu()
{
    m_menu->popup(mapToGlobal(QPoint(width() - 150, 22)));
}

void lcWidget::onShowSettingDialog()
{
}

void lcWidget::onShowAboutUs()
{
    aboutWidget about(this);
    about.exec();
}

void lcWidget::onOnlineHelp()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://lumicara.example/help/")));
}

void lcWidget::onChangeSkin(const QString &path)
{
    const bool saved = setSkin(path);
    update();
    if (!saved)
        warnSettingsNotSaved(this);
}

void lcWidget::onShowReader()
{
    showReaderDialog(this);
}

void lcWidget::onShowHerbComparer()
{
    showHerbComparerDialog(this);
}

void lcWidget::onShowDataSearch()
{
    showDataSearchDialog(this);
}

void lcWidget::onShowSympTomTest()
{
    showSymptomTestDialog(this);
}

void lcWidget::onClose()
{
}

void lcWidget::paintEvent(QPaintEvent *)
{
    paintSkinnedFrame(this, 100, false);
}

void lcWidget::resizeEvent(QResizeEvent *event)
{
    if (event->size().height() == 0) {
        close();
        return;
    }
    if (!m_machine)
        setupCollapse();
    QWidget::resizeEvent(event);
}

void lcWidget::setupCollapse()
{
    m_machine = new QStateMachine(this);
    auto *open = new QState(m_machine);
    m_collapsed = new QState(m_machine);
    m_collapse = new QPropertyAnimation(this, "geometry", this);
    m_collapse->setDuration(300);
    m_collapse->setEasingCurve(QEasingCurve::Linear);
    QSignalTransition *t = open->addTransition(this, &lcWidget::collapseRequested, m_collapsed);
    t->addAnimation(m_collapse);
    // The animation may stop a pixel short of nothing on some platforms; the
    // collapsed window closes either way.
    connect(m_collapse, &QPropertyAnimation::finished, this, [this] {
        if (isVisible())
            close();
    });
    m_machine->setInitialState(open);
    m_machine->start();
}

void lcWidget::prepareCollapse()
{
    if (!m_machine)
        setupCollapse();
    // The target is taken from where the window is now, so a moved or
    // maximised window collapses in place.
    const QRect now = geometry();
    if (layout())
        layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(0, 0);
    m_collapsed->assignProperty(this, "geometry", QRect(now.x(), now.y() + now.height() / 2, now.width(), 0));
    emit collapseRequested();
}
