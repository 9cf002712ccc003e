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
    // Record text goes into HTML: it is escaped, and every placeholder of the
    // template is filled in one pass, so that a "%1" inside a value stays text.
    const auto text = [](const QString &value) { return value.toHtmlEscaped(); };
    const auto list = [](const QStringList &values) { return values.join(QLatin1Char(',')).toHtmlEscaped(); };
    QString commentary = QStringLiteral("<br>");
    QStringList entries;
    for (const auto &c : r.comments)
        entries << text(c.first) + QStringLiteral(": ") + text(c.second) + QStringLiteral("<br>");
    commentary += entries.join(QLatin1Char('\n'));
    const QString dose = doseLine(r);
    return htmlTemplate.arg(text(r.name), list(r.alias), text(r.desc), text(r.pattern), list(r.feature + r.meridian),
                            list(r.function), list(r.indication), list(r.caution), dose, text(r.distribution),
                            text(r.store), text(r.prepare), commentary);
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
