#include "warnningbox.h"

#include "text/phrasedictionary.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

warnningBox::warnningBox(const QString &text, QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("software"), QStringLiteral("lc")));

    auto *icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icon/warnning64")).scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    icon->setScaledContents(false);
    icon->setFixedSize(48, 48);

    // The message may carry names read from the user's files: never markup.
    m_text = new QLabel(this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setText(text);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_text->setMinimumWidth(220);

    auto *close = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("close")), this);
    close->setObjectName(QStringLiteral("warnningClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 14, 16, 12);
    body->setSpacing(12);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(m_text, 1);
    body->addLayout(row, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    body->addLayout(buttons);
    addContent(body);
    resize(340, 170);
}

QString warnningBox::text() const
{
    return m_text->text();
}

void showWarning(const QString &text, QWidget *parent)
{
    warnningBox box(text, parent);
    box.exec();
}
