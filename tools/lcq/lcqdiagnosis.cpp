// lcq complaints / questions / diagnose / group: the diagnosis engine on the
// command line, running the same code as the consultation and the symptom
// test.

#include "lcqdiagnosis.h"

#include "lcqcommands.h"

#include "diagnosis/answerfilter.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientrecord.h"
#include "text/phrasedictionary.h"

#include <QRegularExpression>
#include <QSet>

namespace {

int usage(const QString &message)
{
    lcqErr(QStringLiteral("lcq: %1\n").arg(message));
    return lcqUsage;
}

// The patient options shared by questions and diagnose. Unknown options and
// bad values give false with the message in error.
struct patientOptions
{
    int age = 24;
    QString sex = QStringLiteral("male");
    QString state;
    QString side = QStringLiteral("formula");
};

bool takeOptions(QStringList &args, patientOptions &o, const QStringList &allowed, QString *error)
{
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (!allowed.contains(option) || args.isEmpty()) {
            *error = QStringLiteral("unknown option or missing value: %1").arg(option);
            return false;
        }
        const QString value = args.takeFirst();
        if (option == QLatin1String("--age")) {
            bool ok = false;
            o.age = value.toInt(&ok, 10);
            if (!ok || o.age < 0 || o.age > 150) {
                *error = QStringLiteral("the age is a number of years, not %1").arg(value);
                return false;
            }
        } else if (option == QLatin1String("--sex")) {
            if (value != QLatin1String("male") && value != QLatin1String("female")) {
                *error = QStringLiteral("the sex is male or female");
                return false;
            }
            o.sex = value;
        } else if (option == QLatin1String("--state")) {
            static const QStringList states = {QStringLiteral("normal"), QStringLiteral("pregnant"),
                                               QStringLiteral("suckling"), QStringLiteral("married"),
                                               QStringLiteral("unmarried")};
            if (!states.contains(value)) {
                *error = QStringLiteral("the state is one of %1").arg(states.join(QLatin1Char(',')));
                return false;
            }
            o.state = value;
        } else if (option == QLatin1String("--side")) {
            if (value != QLatin1String("formula") && value != QLatin1String("acupuncture")) {
                *error = QStringLiteral("the side is formula or acupuncture");
                return false;
            }
            o.side = value;
        }
    }
    return true;
}

// The patient record as the profile would hold it for these options.
void fillPatient(const patientOptions &o)
{
    patientRecord::setProfileDefaults();
    patientRecord::setValue(QStringLiteral("age"), QString::number(o.age));
    patientRecord::setValue(QStringLiteral("sex"), o.sex);
    QString state = o.state;
    if (state.isEmpty())
        state = o.sex == QLatin1String("female") ? QStringLiteral("normal") : QStringLiteral("unmarried");
    patientRecord::setValue(QStringLiteral("state"), state);
}

bool knownComplaint(const QString &code)
{
    return diagnosisNode::instance().departmentOf(code) >= 0;
}

QString lineText(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

int lcqComplaints(const QStringList &args)
{
    if (!args.isEmpty())
        return usage(QStringLiteral("complaints takes no arguments"));
    const QList<complaintBlock> &blocks = diagnosisNode::instance().complaintBlocks();
    int count = 0;
    for (const complaintBlock &block : blocks) {
        for (const complaintEntry &entry : block.entries) {
            lcqOut(QStringLiteral("%1\t%2\t%3\n").arg(block.name, entry.code, lookupCodeName(entry.code)));
            ++count;
        }
    }
    if (count == 0) {
        lcqErr(QStringLiteral("not found\n"));
        return lcqNotFound;
    }
    return lcqDone;
}

int lcqQuestions(const QStringList &arguments)
{
    const QString help = QStringLiteral("usage: lcq questions [--age N] [--sex male|female] CODE");
    QStringList args = arguments;
    patientOptions o;
    QString error;
    if (!takeOptions(args, o, {QStringLiteral("--age"), QStringLiteral("--sex")}, &error))
        return usage(error + QLatin1Char('\n') + help);
    if (args.size() != 1)
        return usage(help);
    const QString code = args.first();
    if (!knownComplaint(code))
        return usage(QStringLiteral("%1 is not a main complaint of the catalogue").arg(code));
    const diagnosisNode &node = diagnosisNode::instance();
    const answerFilter filter(code, o.sex != QLatin1String("female"), o.age);
    for (const QString &id : filter.consultationGroups()) {
        const questionGroup *group = node.group(id);
        if (!group)
            continue;
        for (const questionList &question : group->lists) {
            if (!filter.questionShown(question))
                continue;
            for (const questionItem *item : filter.visibleAnswers(question))
                lcqOut(QStringLiteral("%1\t%2\t%3\t%4\n")
                           .arg(item->id, lineText(group->name), lineText(question.title), lineText(item->buttonText())));
        }
    }
    return lcqDone;
}

int lcqDiagnose(const QStringList &arguments)
{
    const QString help = QStringLiteral("usage: lcq diagnose [--age N] [--sex male|female] [--state S] "
                                        "[--side formula|acupuncture] CODE ANSWER_ID ...");
    QStringList args = arguments;
    patientOptions o;
    QString error;
    if (!takeOptions(args, o,
                     {QStringLiteral("--age"), QStringLiteral("--sex"), QStringLiteral("--state"),
                      QStringLiteral("--side")},
                     &error))
        return usage(error + QLatin1Char('\n') + help);
    if (args.isEmpty())
        return usage(help);
    const QString code = args.takeFirst();
    if (!knownComplaint(code))
        return usage(QStringLiteral("%1 is not a main complaint of the catalogue").arg(code));
    static const QRegularExpression answerId(QStringLiteral("^[0-9]+-[0-9]+-[0-9]+$"));
    QSet<QString> answers;
    for (const QString &arg : std::as_const(args)) {
        for (const QString &part : arg.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString id = part.trimmed();
            if (!answerId.match(id).hasMatch())
                return usage(QStringLiteral("%1 is not an answer id (GROUP-QUESTION-ANSWER)").arg(id));
            if (!diagnosisNode::instance().findAnswer(id))
                lcqErr(QStringLiteral("lcq: warning: no questionnaire has the answer %1\n").arg(id));
            answers.insert(id);
        }
    }
    fillPatient(o);
    const QString refusal = checkPatientAgainstComplaint(code);
    if (!refusal.isEmpty()) {
        lcqOut(lookupPhrase(QStringLiteral("diagnosis"), refusal) + QLatin1Char('\n'));
        return lcqRefused;
    }
    const diagnosisContext context = runInference(code, answers);
    const prescriptionSide side =
        o.side == QLatin1String("acupuncture") ? prescriptionSide::acupuncture : prescriptionSide::formula;
    QString text = diagnosisResultText(context, side);
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    lcqOut(text);
    return resultPattern(context, side).isEmpty() ? lcqNotFound : lcqDone;
}

int lcqGroup(const QStringList &args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("usage: lcq group ID"));
    const questionGroup *group = diagnosisNode::instance().group(args.first());
    if (!group) {
        lcqErr(QStringLiteral("not found\n"));
        return lcqNotFound;
    }
    lcqOut(QStringLiteral("group\t%1\t%2\n").arg(group->id, lineText(group->name)));
    lcqKeyValue(QStringLiteral("comment"), group->comment);
    if (!group->type.isEmpty())
        lcqKeyValue(QStringLiteral("type"), group->type);
    for (int i = 0; i < group->lists.size(); ++i) {
        const questionList &q = group->lists.at(i);
        QString line = QStringLiteral("question\t%1\t%2\t%3")
                           .arg(QString::number(i), q.exclusive ? QStringLiteral("single") : QStringLiteral("multiple"),
                                lineText(q.title));
        if (!q.rule.isEmpty())
            line += QStringLiteral("\trule=") + q.rule;
        if (!q.unselect.isEmpty())
            line += QStringLiteral("\tcannot-tell");
        lcqOut(line + QLatin1Char('\n'));
        for (const questionItem &item : q.items) {
            QString answer = QStringLiteral("answer\t%1\t%2").arg(item.id, lineText(item.buttonText()));
            if (!item.mainsuit.isEmpty())
                answer += QStringLiteral("\tmainsuit=") + item.mainsuit;
            if (!item.sex.isEmpty())
                answer += QStringLiteral("\tsex=") + item.sex;
            if (!item.age.isEmpty())
                answer += QStringLiteral("\tage=") + item.age;
            if (item.checked == QLatin1String("true"))
                answer += QStringLiteral("\tchecked");
            if (group->id == QLatin1String("888"))
                answer += QStringLiteral("\tgroups=") + item.chosenGroups().join(QLatin1Char(','));
            lcqOut(answer + QLatin1Char('\n'));
        }
    }
    return lcqDone;
}
