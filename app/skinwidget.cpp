#include "skinwidget.h"

#include "text/phrasedictionary.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

skinWidget::skinWidget(const QString &path, QWidget *parent)
    : QWidget(parent)
    , m_path(path)
{
    m_picture = new QLabel(this);
    m_picture->setFixedSize(144, 90);
    m_picture->setStyleSheet(QStringLiteral("border:1px solid #c8d0d2;"));
    auto *apply = new QPushButton(lookupPhrase(QStringLiteral("software"), QStringLiteral("applyskin")), this);
    apply->setCursor(Qt::PointingHandCursor);
    connect(apply, &QPushButton::clicked, this, [this] { emit changeSkin(m_path); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    layout->addWidget(apply, 0, Qt::AlignHCenter);
}

void skinWidget::showEvent(QShowEvent *event)
{
    // The twelve skins are large pictures: each is decoded when its tile is
    // first seen, not while the main window is being built.
    if (!m_pictureLoaded) {
        m_pictureLoaded = true;
        m_picture->setPixmap(QPixmap(m_path).scaled(m_picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QWidget::showEvent(event);
}
