#include "aboutwidget.h"

#include "app/appversion.h"
#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"

#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QTextBrowser>

#include <quazip.h>

aboutWidget::aboutWidget(QWidget *parent)
    : abstractDialog(parent)
{
    setWhiteBackground();
    const auto phrase = [](const char *key) { return lookupPhrase(QStringLiteral("software"), QLatin1String(key)); };
    setTitle(phrase("about"));

    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/logo/logo")));
    // The logo is drawn for the dark title bar; give it a dark ground here.
    logo->setStyleSheet(QStringLiteral("background-color:#2f6470; border-radius:6px; padding:6px;"));
    auto *name = new QLabel(phrase("lc"), this);
    name->setFont(QFont(QStringLiteral("Times"), 15));
    auto *description = new QLabel(phrase("aboutlc"), this);
    description->setFont(QFont(description->font().family(), 11));
    auto *version = new QLabel(QLatin1String(lcVersion), this);

    m_tabs = new QTabWidget(this);
    QuaZip archive(knowledgeArchivePath());
    const bool open = archive.open(QuaZip::mdUnzip);
    const struct { const char *caption; const char *entry; } pages[] = {
        {"information", "html/info.htm"},
        {"version", "html/version.htm"},
        {"reference", "html/reference.htm"},
        {"license", "html/LA.htm"},
    };
    for (const auto &page : pages) {
        auto *view = new QTextBrowser(m_tabs);
        view->setOpenExternalLinks(true);
        view->setHtml(open ? readArchiveEntry(&archive, QLatin1String(page.entry)) : QString());
        m_tabs->addTab(view, phrase(page.caption));
    }
    if (open)
        archive.close();

    auto *grid = new QGridLayout;
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);
    grid->addWidget(logo, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(name, 0, 1);
    grid->addWidget(description, 1, 1);
    grid->addWidget(version, 2, 1);
    grid->addWidget(m_tabs, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    addContent(grid);
    resize(520, 440);
}
