#include "herbinfowidget.h"

#include "knowledge/loadfunctions.h"
#include "herbs/herbbase.h"
#include "text/phrasedictionary.h"

#include <quazip.h>

herbInfoWidget::herbInfoWidget(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setCenterOnScroll(false);
    setWindowTitle(lookupPhrase(QStringLiteral("herb"), QStringLiteral("herbintroduction")));
    setFrameShape(QFrame::NoFrame);
    document()->setDocumentMargin(12);
    if (!herbTable().isEmpty())
        showRecord(herbTable().first());
}

QString herbInfoWidget::renderRecord(const QString &htmlTemplate, const herbRecord &r)
{
    QString commentary = QStringLiteral("<br>");
    QStringList entries;
    for (const auto &c : r.comments)
        entries << c.first + QStringLiteral(": ") + c.second + QStringLiteral("<br>");
    commentary += entries.join(QLatin1Char('\n'));
    const QString comma = QStringLiteral(",");
    return htmlTemplate.arg(r.name)
        .arg(r.alias.join(comma))
        .arg(r.desc)
        .arg(r.pattern)
        .arg((r.feature + r.meridian).join(comma))
        .arg(r.function.join(comma))
        .arg(r.indication.join(comma))
        .arg(r.caution.join(comma))
        .arg(QStringLiteral(" %1 ~ %2 g").arg(r.doseMin).arg(r.doseMax))
        .arg(r.distribution)
        .arg(r.store)
        .arg(r.prepare)
        .arg(commentary);
}

void herbInfoWidget::showRecord(const herbRecord &record)
{
    QuaZip archive(knowledgeArchivePath());
    if (!archive.open(QuaZip::mdUnzip))
        return;
    clear();
    const QString html = readArchiveEntry(&archive, QStringLiteral("data/herbinfo.html"));
    appendHtml(html.isEmpty() ? QString() : renderRecord(html, record));
    archive.close();
    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
}
