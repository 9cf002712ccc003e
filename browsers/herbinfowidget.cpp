#include "herbinfowidget.h"

#include "knowledge/loadfunctions.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
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

namespace {

// The record's own (pharmacopoeia) range; where the analysis accepts other
// doses for the classic formulas, that range as well. A herb for external use
// only says so instead.
QString doseLine(const herbRecord &r)
{
    if (isExternalOnly(r.name))
        return lookupPhrase(QStringLiteral("herb"), QStringLiteral("externaldose"));
    QString line = QStringLiteral(" %1 ~ %2 g").arg(doseText(r.doseMin), doseText(r.doseMax));
    double lower = 0, upper = 0;
    if (doseRange(r.name, &lower, &upper) && (!sameDose(lower, r.doseMin) || !sameDose(upper, r.doseMax)))
        line += lookupPhrase(QStringLiteral("herb"), QStringLiteral("classicdose")).arg(doseText(lower), doseText(upper));
    return line;
}

} // namespace

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
        .arg(doseLine(r))
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
