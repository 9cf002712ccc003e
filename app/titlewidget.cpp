#include "titlewidget.h"

#include "appversion.h"
#include "frame/pushbutton.h"
#include "text/phrasedictionary.h"
#include "toolbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalMapper>
#include <QVBoxLayout>

namespace {
const char *const pageIcons[] = {":/toolbar/list", ":/toolbar/pair", ":/toolbar/folk",
                                 ":/toolbar/analysis", ":/toolbar/info", ":/toolbar/diagnose"};
const char *const pageCaptions[] = {"herbbrowser", "acupoint3d", "pairlist",
                                    "agentiaanaly", "agentiaflow", "diseasediagnosis"};
} // namespace

titleWidget::titleWidget(QWidget *parent)
    : QWidget(parent)
{
    m_version = new QLabel(this);
    m_version->setStyleSheet(QStringLiteral("color:white;"));

    auto *skin = new pushButton(QStringLiteral(":/sysbutton/skin_button"), this);
    auto *menu = new pushButton(QStringLiteral(":/sysbutton/main_menu"), this);
    auto *min = new pushButton(QStringLiteral(":/sysbutton/min_button"), this);
    auto *max = new pushButton(QStringLiteral(":/sysbutton/max_button"), this);
    auto *close = new pushButton(QStringLiteral(":/sysbutton/close_button"), this);
    skin->setObjectName(QStringLiteral("skinButton"));
    menu->setObjectName(QStringLiteral("menuButton"));
    min->setObjectName(QStringLiteral("minButton"));
    max->setObjectName(QStringLiteral("maxButton"));
    close->setObjectName(QStringLiteral("closeButton"));
    skin->setToolTip(lookupPhrase(QStringLiteral("software"), QStringLiteral("settingskin")));
    connect(skin, &QPushButton::clicked, this, &titleWidget::showSkin);
    connect(menu, &QPushButton::clicked, this, &titleWidget::showMainMenu);
    connect(min, &QPushButton::clicked, this, &titleWidget::showMin);
    connect(max, &QPushButton::clicked, this, &titleWidget::showMax);
    connect(close, &QPushButton::clicked, this, &titleWidget::closeWidget);

    auto *upper = new QHBoxLayout;
    upper->setSpacing(0);
    upper->setContentsMargins(15, 0, 5, 0);
    upper->addWidget(m_version, 0, Qt::AlignVCenter);
    upper->addStretch();
    for (pushButton *b : {skin, menu, min, max, close})
        upper->addWidget(b, 0, Qt::AlignTop);

    auto *mapper = new QSignalMapper(this);
    auto *lower = new QHBoxLayout;
    lower->setSpacing(8);
    lower->setContentsMargins(15, 0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        auto *b = new toolButton(QLatin1String(pageIcons[i]), this);
        b->setObjectName(QStringLiteral("pageButton%1").arg(i));
        m_buttons << b;
        lower->addWidget(b);
        connect(b, &toolButton::clicked, mapper, qOverload<>(&QSignalMapper::map));
        mapper->setMapping(b, QString::number(i));
    }
    connect(mapper, &QSignalMapper::mappedString, this, &titleWidget::onTurnPage);
    lower->addStretch();
    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/logo/logo")));
    logo->setCursor(Qt::PointingHandCursor);
    lower->addWidget(logo, 0, Qt::AlignVCenter);
    lower->addSpacing(10);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(upper);
    layout->addLayout(lower);

    onTranslateLanguage();
}

void titleWidget::onTurnPage(const QString &index)
{
    const int page = index.toInt(); // empty or not a number gives 0
    emit turnIndex(page);
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->setSelected(i == page);
}

void titleWidget::onTranslateLanguage()
{
    m_version->setText(lookupPhrase(QStringLiteral("software"), QStringLiteral("software_with_version"))
                           .arg(QLatin1String(lcVersion)));
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->setText(lookupPhrase(QStringLiteral("software"), QLatin1String(pageCaptions[i])));
}

void titleWidget::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    m_pressPos = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

void titleWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
}

void titleWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit showMax();
    QWidget::mouseDoubleClickEvent(event);
}

void titleWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed && (event->buttons() & Qt::LeftButton)) {
        QWidget *win = window();
        win->move(event->globalPosition().toPoint() - m_pressPos - mapTo(win, QPoint(0, 0)));
    }
    QWidget::mouseMoveEvent(event);
}
