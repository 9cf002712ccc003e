#include "titlerow.h"

#include "pushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

QLabel *addTitleRow(QVBoxLayout *outer, QWidget *owner)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(5);
    row->setContentsMargins(10, 0, 5, 0);
    auto *caption = new QLabel(owner);
    caption->setTextFormat(Qt::PlainText);
    caption->setFixedHeight(30);
    caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    caption->setStyleSheet(QStringLiteral("color:white;"));
    auto *close = new pushButton(QStringLiteral(":/sysbutton/close"), owner);
    close->setObjectName(QStringLiteral("closeButton"));
    QObject::connect(close, &QPushButton::clicked, owner, &QWidget::close);
    row->addWidget(caption);
    row->addStretch();
    row->addWidget(close, 0, Qt::AlignTop);
    outer->addLayout(row);
    return caption;
}
