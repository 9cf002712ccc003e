#include "herbcompare.h"

#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"

#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

herbCompare::herbCompare(QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();
    setTitle(lookupPhrase(QStringLiteral("script"), QStringLiteral("herbcompare")));
    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(10, 8, 10, 10);
    columns->setSpacing(16);
    columns->addLayout(buildColumn(m_columns[0], 1));
    columns->addLayout(buildColumn(m_columns[1], 2));
    addContent(columns);
    resize(760, 520);
}

QLayout *herbCompare::buildColumn(column &c, int number)
{
    const auto caption = [this](const char *key) {
        auto *label = new QLabel(lookupPhrase(QStringLiteral("script"), QLatin1String(key)), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        return label;
    };
    const auto field = [this](int height) {
        auto *edit = new QPlainTextEdit(this);
        edit->setReadOnly(true);
        edit->setMinimumHeight(height);
        return edit;
    };
    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(6);
    c.name = new QLineEdit(this);
    c.name->setObjectName(QStringLiteral("name%1").arg(number));
    auto *completer = new QCompleter(herbNameWords(), c.name);
    completer->setFilterMode(Qt::MatchContains);
    c.name->setCompleter(completer);
    auto *ok = new QPushButton(lookupPhrase(QStringLiteral("common"), QStringLiteral("ok")), this);
    ok->setObjectName(QStringLiteral("ok%1").arg(number));
    ok->setAutoDefault(false);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(c.name, 1);
    nameRow->addWidget(ok);
    c.desc = field(90);
    c.guijing = field(50);
    c.function = field(50);
    c.target = field(70);
    c.taboo = field(70);
    grid->addWidget(caption("name"), 0, 0);
    grid->addLayout(nameRow, 0, 1);
    grid->addWidget(caption("desc"), 1, 0);
    grid->addWidget(c.desc, 1, 1);
    grid->addWidget(caption("guijing"), 2, 0);
    grid->addWidget(c.guijing, 2, 1);
    grid->addWidget(caption("function"), 3, 0);
    grid->addWidget(c.function, 3, 1);
    grid->addWidget(caption("target"), 4, 0);
    grid->addWidget(c.target, 4, 1);
    grid->addWidget(caption("taboo"), 5, 0);
    grid->addWidget(c.taboo, 5, 1);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(4, 1);
    grid->setRowStretch(5, 1);
    if (number == 1) {
        connect(ok, &QPushButton::clicked, this, &herbCompare::pressOK1);
        connect(c.name, &QLineEdit::returnPressed, this, &herbCompare::pressOK1);
    } else {
        connect(ok, &QPushButton::clicked, this, &herbCompare::pressOK2);
        connect(c.name, &QLineEdit::returnPressed, this, &herbCompare::pressOK2);
    }
    return grid;
}

void herbCompare::fill(column &c)
{
    const QString name = canonicalHerbName(c.name->text());
    for (const herbRecord &r : herbTable()) {
        if (r.name != name)
            continue;
        const QString comma = QStringLiteral(",");
        c.desc->setPlainText(r.desc);
        c.guijing->setPlainText((r.feature + r.meridian).join(comma));
        c.function->setPlainText(r.function.join(comma));
        c.target->setPlainText(r.indication.join(comma));
        c.taboo->setPlainText(r.caution.join(comma));
        return;
    }
}

void herbCompare::pressOK1()
{
    fill(m_columns[0]);
}

void herbCompare::pressOK2()
{
    fill(m_columns[1]);
}
