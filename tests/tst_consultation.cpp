// The consultation on the diagnosis page with the shipped knowledge: the
// start page and complaint chooser, the group chooser, question pages, the
// history, cancelling, the result dialog and its ".dg" export, which the
// symptom test reads back.

#include "testsupport.h"

#include "diagnosis/codenames.h"
#include "diagnosis/consultationfile.h"
#include "diagnosis/diagnoseinfodlg.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/diagnosistab.h"
#include "diagnosis/diagnosisunitwidget.h"
#include "diagnosis/diagnosiswidget.h"
#include "diagnosis/patientrecord.h"
#include "diagnosis/patwidget.h"
#include "diagnosis/prescriptionchoicedlg.h"
#include "diagnosis/questionbox.h"
#include "diagnosis/symptomdebug.h"
#include "knowledge/knowledgearchive.h"
#include "text/phrasedictionary.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

diagnosisNode &node()
{
    return diagnosisNode::instance();
}

QString groupOf(const QString &answerId)
{
    return answerId.section(QLatin1Char('-'), 0, 0);
}

void confirm(diagnosisWidget &w)
{
    w.currentPage()->nextButton()->click();
}

// The chooser button that stands for a group; null when the chooser has none.
QAbstractButton *chooserButton(diagnosisUnitWidget *page, const QString &group)
{
    const questionGroup *chooser = node().group(QStringLiteral("888"));
    if (!chooser)
        return nullptr;
    for (const questionList &q : chooser->lists) {
        for (const questionItem &item : q.items) {
            if (item.chosenGroups() == QStringList{group})
                return page->answerButton(item.id);
        }
    }
    return nullptr;
}

struct typicalCase
{
    QString complaint;
    int age = 0;
    QString sex;
    QString state;
    QStringList answers;
};

QList<typicalCase> firstCaseOfEachComplaint()
{
    QList<typicalCase> cases;
    QSet<QString> seen;
    QFile f(sourcePath(QStringLiteral("tests/data/diagnosis_cases.tsv")));
    if (!f.open(QIODevice::ReadOnly))
        return cases;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList p = line.split(QLatin1Char('\t'));
        if (line.startsWith(QLatin1Char('#')) || p.size() < 8 || p.at(4) == QLatin1String("insufficient") ||
            seen.contains(p.at(0)))
            continue;
        seen.insert(p.at(0));
        cases.append({p.at(0), p.at(1).toInt(), p.at(2), p.at(3), p.at(7).split(QLatin1Char(','))});
    }
    return cases;
}

// Fills the profile form for a patient.
void describePatient(patWidget *p, int age, const QString &sex, const QString &state)
{
    p->nameField()->setText(QStringLiteral("  张三 "));
    const bool woman = sex == QLatin1String("female");
    p->sexBox()->setCurrentIndex(woman ? 1 : 0);
    p->ageBox()->setValue(age);
    const QStringList states = woman ? QStringList{QStringLiteral("normal"), QStringLiteral("pregnant"),
                                                   QStringLiteral("suckling"), QStringLiteral("married")}
                                     : QStringList{QStringLiteral("unmarried"), QStringLiteral("married")};
    p->stateBox()->setCurrentIndex(qMax(0, int(states.indexOf(state))));
}

void chooseComplaint(diagnosisWidget &w, const QString &code)
{
    diagnosisTab *tab = w.currentPage()->complaintTab();
    QVERIFY(tab);
    tab->setCurrentIndex(node().departmentOf(code));
    QPushButton *button = tab->complaintButton(code);
    QVERIFY(button);
    button->click();
}

QSet<QString> itemsOfFile(const QString &path, QString *mainsuit = nullptr)
{
    QFile f(path);
    QDomDocument doc;
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return {};
    QSet<QString> items;
    for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == QLatin1String("item"))
            items.insert(e.text());
        else if (e.tagName() == QLatin1String("mainsuit") && mainsuit)
            *mainsuit = e.text();
    }
    return items;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_consultation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(loadStartupKnowledge());
        QVERIFY(node().group(QStringLiteral("888")));
    }

    void init()
    {
        patientRecord::setProfileDefaults();
    }

    void wholeConsultation_data()
    {
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QStringList>("answers");
        const QStringList wanted = {QStringLiteral("9024"), QStringLiteral("9280"), QStringLiteral("9310"),
                                    QStringLiteral("9900"), QStringLiteral("9134"), QStringLiteral("9074")};
        for (const typicalCase &c : firstCaseOfEachComplaint()) {
            if (wanted.contains(c.complaint))
                QTest::newRow(qPrintable(c.complaint)) << c.complaint << c.age << c.sex << c.state << c.answers;
        }
    }

    // Profile, complaint, chooser, every page, result; the text is what lcq
    // gives for the same answers, the export lists exactly the confirmed
    // answers and the symptom test reads it back to the same result.
    void wholeConsultation()
    {
        QFETCH(QString, complaint);
        QFETCH(int, age);
        QFETCH(QString, sex);
        QFETCH(QString, state);
        QFETCH(QStringList, answers);
        // The complaint's own answer counts without being given; leave it out
        // so that the export shows it is not added.
        const QString own = node().rules().mainsuitMap.value(complaint);
        answers.removeAll(own);

        diagnosisWidget w;
        describePatient(w.patient(), age, sex, state);
        chooseComplaint(w, complaint);
        QCOMPARE(node().mainsuit(), complaint);
        confirm(w);
        QCOMPARE(w.currentPage()->groupId(), QStringLiteral("888"));

        QSet<QString> groups;
        for (const QString &id : std::as_const(answers))
            groups.insert(groupOf(id));
        for (const QString &g : std::as_const(groups)) {
            QAbstractButton *b = chooserButton(w.currentPage(), g);
            QVERIFY2(b, qPrintable(g));
            if (!b->isChecked())
                b->click();
            QVERIFY(b->isChecked());
        }

        const QString dir = freshTestDir(QStringLiteral("consultation_") + complaint);
        const QString exported = dir + QStringLiteral("/case.dg");
        QString shown;
        QSet<QString> consulted;
        onNextModal<prescriptionChoiceDlg> choice([](prescriptionChoiceDlg *d) { d->formulaButton()->click(); });
        onNextModal<diagnoseInfoDlg> result([&](diagnoseInfoDlg *d) {
            shown = d->text();
            consulted = d->answers();
            QVERIFY(d->exportButton()->isVisible());
            d->dialogs().setSaveNameProvider([&](const QString &caption, const QString &, const QString &filter) {
                if (caption != phrase("export_person_data") || filter != QLatin1String("Export File (*.dg)"))
                    return QString();
                return exported;
            });
            d->exportButton()->click();
            d->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
        });

        QSet<QString> answered, confirmed;
        for (int pages = 0; pages < 40 && !result.seen(); ++pages) {
            if (!w.currentPage()->isStartPage() && w.currentPage()->groupId() != QLatin1String("888")) {
                for (const QString &id : w.currentPage()->collectAnswers())
                    confirmed.insert(id);
            }
            confirm(w);
            if (result.seen())
                break;
            diagnosisUnitWidget *page = w.currentPage();
            QVERIFY(!page->isStartPage());
            QCOMPARE(page->groupId(), node().groupIdAt(node().nextIndex() - 1));
            for (const QString &id : std::as_const(answers)) {
                if (groupOf(id) != page->groupId())
                    continue;
                QAbstractButton *b = page->answerButton(id);
                QVERIFY2(b, qPrintable(id));
                if (!b->isChecked())
                    b->click();
                answered.insert(id);
            }
        }
        QVERIFY(result.seen());
        QCOMPARE(answered, QSet<QString>(answers.cbegin(), answers.cend()));
        QCOMPARE(consulted, confirmed);
        confirmed.remove(QString());
        QVERIFY(confirmed.contains(answered));

        QStringList args = {QStringLiteral("diagnose"), QStringLiteral("--age"), QString::number(age),
                            QStringLiteral("--sex"), sex, QStringLiteral("--state"), state,
                            QStringLiteral("--side"), QStringLiteral("formula"), complaint};
        args << confirmed.values();
        QString expected;
        QCOMPARE(runLcq(args, &expected), 0);
        QVERIFY(shown.startsWith(QStringLiteral("方剂名：")) || shown.startsWith(QStringLiteral("治法：")));
        QCOMPARE(shown + (shown.endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")), expected);

        // Back on a fresh start page.
        QVERIFY(w.currentPage()->isStartPage());
        QCOMPARE(node().answers(), QSet<QString>());
        QCOMPARE(node().groupQueue(), QStringList{QStringLiteral("888")});
        QCOMPARE(node().nextIndex(), 0);
        QCOMPARE(node().mainsuit(), QStringLiteral("9024"));

        // The export: exactly the confirmed answers, the patient, the complaint.
        QString fileMainsuit;
        const QSet<QString> items = itemsOfFile(exported, &fileMainsuit);
        QCOMPARE(items, confirmed);
        // The answer the complaint stands for is listed only when a page
        // showed and confirmed it.
        QVERIFY(!own.isEmpty());
        QCOMPARE(items.contains(own), confirmed.contains(own));
        if (complaint == QLatin1String("9024"))
            QVERIFY(!items.contains(own));
        QCOMPARE(fileMainsuit, complaint);

        symptomDebug test;
        test.dialogs().setOpenNameProvider([&exported](const QString &, const QString &, const QString &filter) {
            return filter == QLatin1String("File (*.dg)") ? exported : QString();
        });
        test.loadButton()->click();
        QStringList sorted = confirmed.values();
        sorted.sort();
        QCOMPARE(test.input()->text(), complaint + QLatin1Char(':') + sorted.join(QLatin1Char(',')));
        onNextModal<prescriptionChoiceDlg> again([](prescriptionChoiceDlg *d) { d->formulaButton()->click(); });
        test.okButton()->click();
        QCOMPARE(test.output()->toPlainText(), shown);
    }

    void untouchedStartPageUses9024()
    {
        node().setMainsuit(QStringLiteral("9134"));
        diagnosisWidget w; // starts a fresh consultation
        confirm(w);
        QCOMPARE(node().mainsuit(), QStringLiteral("9024"));
        QCOMPARE(node().department(), 0);
        diagnosisUnitWidget *chooser = w.currentPage();
        QCOMPARE(chooser->groupId(), QStringLiteral("888"));
        // The complaint's own groups are ticked and locked, the others free.
        const QStringList required = node().complaintGroups(QStringLiteral("9024"));
        QVERIFY(!required.isEmpty());
        int locked = 0;
        for (QAbstractButton *b : chooser->questionBoxes().first()->buttons()) {
            const questionItem *item = node().findAnswer(b->objectName());
            QVERIFY(item);
            const bool needed = required.contains(item->reasons.first().name);
            QCOMPARE(b->isChecked(), needed);
            QCOMPARE(b->isEnabled(), !needed);
            locked += needed ? 1 : 0;
        }
        QCOMPARE(locked, required.size());
        // Confirming the chooser untouched queues exactly those groups.
        confirm(w);
        QStringList queued = node().groupQueue().mid(1);
        QStringList wanted = required;
        queued.sort();
        wanted.sort();
        QCOMPARE(queued, wanted);
    }

    void complaintChooser()
    {
        diagnosisWidget w;
        diagnosisTab *tab = w.currentPage()->complaintTab();
        QVERIFY(tab);
        const QList<complaintBlock> &blocks = node().complaintBlocks();
        QCOMPARE(tab->count(), blocks.size());
        const QStringList first = {"9024", "9134", "9280", "9310", "9900", "9074"};
        for (int i = 0; i < tab->count(); ++i) {
            QCOMPARE(tab->tabText(i), blocks.at(i).name);
            QCOMPARE(tab->rememberedComplaint(i), first.at(i));
            for (const complaintEntry &e : blocks.at(i).entries)
                QCOMPARE(tab->complaintButton(e.code)->text(), lookupCodeName(e.code));
        }
        QCOMPARE(w.description()->toPlainText(), node().complaintDescription(QStringLiteral("9024")));

        tab->setCurrentIndex(2);
        QCOMPARE(node().department(), 2);
        QCOMPARE(node().mainsuit(), QStringLiteral("9280"));
        QCOMPARE(w.description()->toPlainText(), node().complaintDescription(QStringLiteral("9280")));

        // A complaint chosen in a tab is remembered when the tab comes back.
        tab->setCurrentIndex(0);
        tab->complaintButton(QStringLiteral("9025"))->click();
        QCOMPARE(node().mainsuit(), QStringLiteral("9025"));
        QVERIFY(tab->complaintButton(QStringLiteral("9025"))->isChecked());
        QVERIFY(!tab->complaintButton(QStringLiteral("9024"))->isChecked());
        tab->setCurrentIndex(1);
        QCOMPARE(node().mainsuit(), QStringLiteral("9134"));
        QCOMPARE(node().department(), 1);
        tab->setCurrentIndex(0);
        QCOMPARE(node().mainsuit(), QStringLiteral("9025"));
        QCOMPARE(node().department(), 0);
        QCOMPARE(w.description()->toPlainText(), node().complaintDescription(QStringLiteral("9025")));
        QCOMPARE(w.descriptionCaption(), phrase("mainsuit_desc"));
    }

    void cannotTellAddsOneEmptyId()
    {
        diagnosisWidget w;
        confirm(w); // start
        confirm(w); // chooser
        diagnosisUnitWidget *page = w.currentPage();
        const QList<questionBox *> boxes = page->questionBoxes();
        int cannotTell = 0;
        for (questionBox *box : boxes) {
            if (!box->cannotTellButton())
                continue;
            ++cannotTell;
            QVERIFY(box->exclusive());
            QVERIFY(box->cannotTellButton()->isChecked());
            QCOMPARE(box->cannotTellButton()->text(), phrase("dimness"));
            QCOMPARE(box->cannotTellButton()->objectName(), QString());
        }
        QVERIFY2(cannotTell >= 2, qPrintable(page->groupId()));
        // One real answer; the other questions stay at "cannot tell".
        questionBox *chosen = nullptr;
        for (questionBox *box : boxes) {
            if (box->cannotTellButton()) {
                chosen = box;
                break;
            }
        }
        QAbstractButton *real = chosen->buttons().first();
        real->click();
        QVERIFY(!chosen->cannotTellButton()->isChecked());
        QStringList collected = page->collectAnswers();
        QCOMPARE(collected.count(QString()), cannotTell - 1);
        confirm(w);
        QCOMPARE(node().answers(), (QSet<QString>{QString(), real->objectName()}));
        // The history names the real answer only.
        const questionList *question = nullptr;
        const questionItem *item = node().findAnswer(real->objectName(), &question);
        QVERIFY(item);
        QVERIFY(w.history()->toPlainText().endsWith(QStringLiteral("%1-%2").arg(question->title, item->name)));
    }

    void historyPane()
    {
        diagnosisWidget w;
        describePatient(w.patient(), 40, QStringLiteral("female"), QStringLiteral("married"));
        confirm(w);
        const QString start = patientRecord::summary() + phrase("main_suit") + QStringLiteral(" - 感冒\n");
        QCOMPARE(w.history()->toPlainText(), start);
        QVERIFY(start.startsWith(QStringLiteral("姓名 - 张三\n性别 - 女\n年龄 - 40\n")));
        // Chooser answers are no symptoms.
        w.onRefreshHistoryTips({QStringLiteral("888-0-1"), QStringLiteral("001-0-0"), QString()});
        QCOMPARE(w.history()->toPlainText(), start + QStringLiteral("\n怕冷的情况-恶寒"));
    }

    void pagesAndSteps()
    {
        diagnosisWidget w;
        confirm(w);
        QCOMPARE(w.currentPage()->title(), phrase("answer_for_1").arg(node().group(QStringLiteral("888"))->name));
        QCOMPARE(w.currentPage()->stepText(), QString());
        confirm(w);
        const int pages = int(node().groupQueue().size()) - 1;
        QVERIFY(pages >= 2);
        for (int i = 1; i <= pages; ++i) {
            diagnosisUnitWidget *page = w.currentPage();
            const questionGroup *group = node().group(page->groupId());
            QVERIFY(group);
            QCOMPARE(page->title(), phrase("answer_for_1").arg(group->name));
            QCOMPARE(page->stepText(), phrase("page_step").arg(i).arg(pages));
            QCOMPARE(page->nextButton()->text(), phrase(i == pages ? "result" : "next"));
            QCOMPARE(w.description()->toPlainText(), group->comment);
            QCOMPARE(w.descriptionCaption(), group->name);
            if (i < pages)
                confirm(w);
        }
        // Too few answers: the result says so, and the start page comes back.
        QString shown;
        onNextModal<diagnoseInfoDlg> result([&shown](diagnoseInfoDlg *d) {
            shown = d->text();
            d->doClose();
        });
        confirm(w);
        QVERIFY(result.seen());
        QCOMPARE(shown, phrase("insufficientinformation"));
        QVERIFY(w.currentPage()->isStartPage());
        QCOMPARE(w.description()->toPlainText(), node().complaintDescription(QStringLiteral("9024")));
    }

    void aPageIsConfirmedOnce()
    {
        diagnosisWidget w;
        confirm(w);
        confirm(w);
        diagnosisUnitWidget *page = w.currentPage();
        const int next = node().nextIndex();
        page->nextButton()->click();
        page->nextButton()->click(); // while it slides away
        QCOMPARE(node().nextIndex(), next + 1);
        QVERIFY(w.currentPage() != page);
        page->cancelButton()->click();
        QCOMPARE(node().nextIndex(), next + 1);
    }

    void pagesSlide()
    {
        diagnosisWidget w;
        w.resize(700, 500);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<QPropertyAnimation *> slides = w.findChildren<QPropertyAnimation *>();
        QCOMPARE(slides.size(), 2);
        for (const QPropertyAnimation *a : slides) {
            QCOMPARE(a->duration(), 1200);
            QCOMPARE(a->propertyName(), QByteArray("geometry"));
        }
        diagnosisUnitWidget *a = w.page(0);
        diagnosisUnitWidget *b = w.page(1);
        const QRect area = a->parentWidget()->rect();
        QCOMPARE(a->geometry(), area);
        QCOMPARE(b->height(), 0);
        confirm(w);
        QCOMPARE(w.currentPage(), b);
        QTRY_COMPARE_WITH_TIMEOUT(b->geometry(), area, 5000);
        QCOMPARE(a->geometry(), QRect(0, 0, area.width(), 0));
        QVERIFY(w.showingSecond());
    }

    void cancelFromAnyPage_data()
    {
        QTest::addColumn<int>("confirms");
        QTest::newRow("chooser") << 1;
        QTest::newRow("first group") << 2;
        QTest::newRow("second group") << 3;
    }

    void cancelFromAnyPage()
    {
        QFETCH(int, confirms);
        diagnosisWidget w;
        w.patient()->nameField()->setText(QStringLiteral("李四"));
        w.currentPage()->complaintTab()->complaintButton(QStringLiteral("9025"))->click();
        for (int i = 0; i < confirms; ++i) {
            if (i == 2)
                w.currentPage()->questionBoxes().first()->buttons().first()->click();
            confirm(w);
        }
        diagnosisUnitWidget *before = w.currentPage();
        QVERIFY(!before->isStartPage());
        QVERIFY(before->cancelButton()->isVisible() || !before->cancelButton()->isHidden());
        before->cancelButton()->click();
        QVERIFY(w.currentPage() != before);
        QVERIFY(w.currentPage()->isStartPage());
        QCOMPARE(node().answers(), QSet<QString>());
        QCOMPARE(node().groupQueue(), QStringList{QStringLiteral("888")});
        QCOMPARE(node().nextIndex(), 0);
        QCOMPARE(node().mainsuit(), QStringLiteral("9024"));
        QCOMPARE(node().department(), 0);
        QCOMPARE(w.history()->toPlainText(), QString());
        // The profile is kept for the next consultation.
        QCOMPARE(w.patient()->nameField()->text(), QStringLiteral("李四"));
        QVERIFY(w.currentPage()->isAncestorOf(w.patient()));
        QVERIFY(w.currentPage()->complaintTab()->complaintButton(QStringLiteral("9024"))->isChecked());
    }

    void refusedPatient_data()
    {
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("complaint");
        QTest::addColumn<QString>("reason");
        QTest::newRow("child with an adult complaint") << 11 << "male" << "unmarried" << "9024"
                                                       << "contradication_patient_info";
        QTest::newRow("man with a woman's complaint") << 30 << "male" << "married" << "9280"
                                                      << "contradication_patient_info";
        QTest::newRow("pregnant") << 30 << "female" << "pregnant" << "9024" << "not_support_pregnancy";
    }

    void refusedPatient()
    {
        QFETCH(int, age);
        QFETCH(QString, sex);
        QFETCH(QString, state);
        QFETCH(QString, complaint);
        QFETCH(QString, reason);
        diagnosisWidget w;
        describePatient(w.patient(), age, sex, state);
        chooseComplaint(w, complaint);
        diagnosisUnitWidget *start = w.currentPage();
        QString shown;
        bool exportable = true;
        onNextModal<diagnoseInfoDlg> result([&](diagnoseInfoDlg *d) {
            shown = d->text();
            exportable = d->exportButton()->isVisible();
            d->doClose();
        });
        confirm(w);
        QVERIFY(result.seen());
        QCOMPARE(shown, phrase(qPrintable(reason)));
        QVERIFY(!exportable);
        QCOMPARE(w.currentPage(), start);
        QVERIFY(start->nextButton()->isEnabled());
        QCOMPARE(node().nextIndex(), 0);
        // The patient fits after a correction.
        describePatient(w.patient(), 30, QStringLiteral("female"), QStringLiteral("normal"));
        confirm(w);
        QCOMPARE(w.currentPage()->groupId(), QStringLiteral("888"));
    }

    void exportWritesTheDocument()
    {
        patientRecord::setValue(QStringLiteral("name"), QStringLiteral("王五"));
        patientRecord::setValue(QStringLiteral("inborn"), QStringLiteral("0273,"));
        const QSet<QString> answers = {QStringLiteral("011-2-0"), QString(), QStringLiteral("001-0-0")};
        diagnoseInfoDlg d(answers, QStringLiteral("9024"), QStringLiteral("text"));
        const QString path = freshTestDir(QStringLiteral("dg_export")) + QStringLiteral("/a.dg");
        QVERIFY(d.exportTo(path));
        QDomDocument doc;
        QVERIFY(doc.setContent(readAll(path)));
        QStringList tags, texts;
        for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            tags << e.tagName();
            texts << e.text();
        }
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("diagnosis"));
        QCOMPARE(tags, (QStringList{"version", "mainsuit", "name", "sex", "height", "weight", "age", "inborn",
                                    "state", "item", "item"}));
        QCOMPARE(texts, (QStringList{"4.9.6.10", "9024", "王五", "male", "172", "60", "24", "0273,", "unmarried",
                                     "001-0-0", "011-2-0"}));
        QVERIFY(readAll(path).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<diagnosis>\n    <version>"));

        // A cancelled save dialog writes nothing.
        QStringList told;
        d.dialogs().setMessageSink([&told](const QString &m) { told << m; });
        d.dialogs().setSaveNameProvider([](const QString &, const QString &, const QString &) { return QString(); });
        QFile::remove(path);
        d.doExport();
        QVERIFY(!QFile::exists(path));
        QVERIFY(told.isEmpty());
        // A name without an extension gets ".dg".
        const QString bare = path.chopped(3);
        d.dialogs().setSaveNameProvider([&bare](const QString &, const QString &, const QString &) { return bare; });
        d.doExport();
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(bare));
        QVERIFY(told.isEmpty());
    }

    void unwritableExport_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("existing");
        // A file name so long that no temporary file can be made beside it.
        QTest::newRow("existing file") << QString(247, QLatin1Char('d')) + QStringLiteral(".dg") << true;
        QTest::newRow("folder is a file") << QStringLiteral("plain/case.dg") << false;
        QTest::newRow("no such folder") << QStringLiteral("missing/deeper/case.dg") << false;
    }

    void unwritableExport()
    {
        QFETCH(QString, target);
        QFETCH(bool, existing);
        const QString dir = freshTestDir(QStringLiteral("dg_unwritable"));
        QFile plain(dir + QStringLiteral("/plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString path = dir + QLatin1Char('/') + target;
        const QByteArray before = "<keep/>";
        if (existing) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        diagnoseInfoDlg d({QStringLiteral("001-0-0")}, QStringLiteral("9024"), QStringLiteral("text"));
        QStringList told;
        d.dialogs().setMessageSink([&told](const QString &m) { told << m; });
        d.dialogs().setSaveNameProvider([&path](const QString &, const QString &, const QString &) { return path; });
        d.exportButton()->click();
        QCOMPARE(told, QStringList{lookupPhrase(QStringLiteral("misc"), QStringLiteral("dg_unwritable")).arg(path)});
        if (existing)
            QCOMPARE(readAll(path), before);
        else
            QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(tst_consultation)
#include "tst_consultation.moc"
