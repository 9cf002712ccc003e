// The symptom test window, the prescription choice, the result dialog and
// the main menu entry that opens the symptom test.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "app/lcwidget.h"
#include "app/mainmenu.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnoseinfodlg.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientrecord.h"
#include "diagnosis/prescriptionchoicedlg.h"
#include "diagnosis/rundiagnosis.h"
#include "diagnosis/symptomdebug.h"
#include "formulas/formulalibrary.h"
#include "knowledge/knowledgearchive.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

QByteArray fixture(const QString &name)
{
    QFile f(sourcePath(QStringLiteral("tests/data/diagnosis/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void loadFixture()
{
    diagnosisNode &n = diagnosisNode::instance();
    const auto group = [&n](QIODevice *d) { return n.readGroupFile(d); };
    for (const char *g : {"001.xml", "002.xml", "014.xml", "888.xml", "999.xml"})
        QVERIFY(feedBytes(group, fixture(QLatin1String(g))));
    QVERIFY(feedBytes([&n](QIODevice *d) { return n.readMapFile(d); }, fixture(QStringLiteral("map.xml"))));
    QVERIFY(feedBytes([&n](QIODevice *d) { return n.readComplaintCatalogue(d); },
                      fixture(QStringLiteral("diagnosis_data.xml"))));
    QVERIFY(feedBytes(loadNameMap, fixture(QStringLiteral("namemap.xml"))));
    QVERIFY(feedBytes(loadDiagnosisFormulas, fixture(QStringLiteral("scripts.xml"))));
    QVERIFY(feedBytes(loadAcuScript,
                      encodeSystemCodePage(QString::fromUtf8(fixture(QStringLiteral("acu_script.txt"))))));
}

const QString coldCase = QStringLiteral("9024:001-0-0,001-1-0,002-0-1,002-0-3,002-3-1");

QString diagnosisPhrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

QString writeFile(const QString &name, const QByteArray &content)
{
    const QString path = freshTestDir(QStringLiteral("symptom_") + name) + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

} // namespace

class tst_diagnosispages : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        patientRecord::setProfileDefaults();
        loadFixture();
    }

    void symptomTestWindow()
    {
        symptomDebug w;
        QCOMPARE(w.title(), QStringLiteral("诊断测试"));
        QCOMPARE(w.loadButton()->text(), QStringLiteral("载入"));
        QCOMPARE(w.okButton()->text(), QStringLiteral("确定"));
    }

    void loadingAConsultation()
    {
        symptomDebug w;
        w.input()->setText(QStringLiteral("typed"));
        const QString good = writeFile(QStringLiteral("late.dg"),
                                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<diagnosis><version>4.9.6.10</version>"
                                       "<item>001-0-0</item><mainsuit>9024</mainsuit><item>001-1-0</item><item>002-0-1</item>"
                                       "</diagnosis>");
        QVERIFY(w.loadFile(good));
        QCOMPARE(w.input()->text(), QStringLiteral("9024:001-1-0,002-0-1")); // the item before the complaint is lost

        const QString bad = writeFile(QStringLiteral("plain.dg"), "9024:001-0-0,001-1-0");
        QVERIFY(!w.loadFile(bad));
        QCOMPARE(w.input()->text(), QStringLiteral("9024:001-1-0,002-0-1"));
        QCOMPARE(w.output()->toPlainText(),
                 lookupPhrase(QStringLiteral("misc"), QStringLiteral("dg_not_xml")).arg(QStringLiteral("plain.dg")));

        const QString other = writeFile(QStringLiteral("other.dg"), "<psif><name>x</name></psif>");
        QVERIFY(!w.loadFile(other));
        QCOMPARE(w.input()->text(), QStringLiteral("9024:001-1-0,002-0-1"));
    }

    void runningTheTest()
    {
        symptomDebug w;
        w.output()->setPlainText(QStringLiteral("before"));
        w.input()->setText(QStringLiteral("9024 001-0-0"));
        w.okButton()->click();
        QCOMPARE(w.output()->toPlainText(), QStringLiteral("before")); // no ":" - nothing happens
        w.input()->setText(QStringLiteral("9024:"));
        w.okButton()->click();
        QCOMPARE(w.output()->toPlainText(), diagnosisPhrase("insufficientinformation"));
        w.input()->setText(QStringLiteral("9134:001-0-0,001-1-0,002-0-1,002-3-1"));
        QTest::keyClick(w.input(), Qt::Key_Return);
        QCOMPARE(w.output()->toPlainText(), diagnosisPhrase("current_mainsuit_isnt_support"));
    }

    void choosingTheSide_data()
    {
        QTest::addColumn<int>("choice"); // 0 formula, 1 acupuncture, 2 close the window
        QTest::addColumn<QString>("start");
        QTest::newRow("formula") << 0 << "方剂名：麻黄汤\n";
        QTest::newRow("acupuncture") << 1 << "治法：祛风解表,疏风散寒\n";
        QTest::newRow("closed") << 2 << "方剂名：麻黄汤\n";
    }

    void choosingTheSide()
    {
        QFETCH(int, choice);
        QFETCH(QString, start);
        symptomDebug w;
        w.input()->setText(coldCase);
        onNextModal<prescriptionChoiceDlg> handler([choice](prescriptionChoiceDlg *d) {
            QCOMPARE(d->title(), QStringLiteral("处方选择"));
            if (choice == 0)
                d->formulaButton()->click();
            else if (choice == 1)
                d->acupunctureButton()->click();
            else
                d->reject();
        });
        w.onOK();
        QVERIFY(handler.seen());
        QVERIFY2(w.output()->toPlainText().startsWith(start), qPrintable(w.output()->toPlainText()));
    }

    void noChoiceWithOneSide()
    {
        // 9310 has a formula only: no choice window.
        patientRecord::setValue(QStringLiteral("age"), QStringLiteral("5"));
        symptomDebug w;
        w.input()->setText(QStringLiteral("9310:001-0-0,001-1-0,002-0-1,002-3-1"));
        onNextModal<prescriptionChoiceDlg> handler([](prescriptionChoiceDlg *d) { d->reject(); });
        w.onOK();
        QVERIFY(!handler.seen());
        QVERIFY(w.output()->toPlainText().startsWith(QStringLiteral("方剂名：麻黄汤\n")));
    }

    void resultDialog()
    {
        QString shown;
        QString mainsuit;
        QSet<QString> answers;
        onNextModal<diagnoseInfoDlg> info([&](diagnoseInfoDlg *d) {
            shown = d->view()->toPlainText();
            mainsuit = d->mainsuit();
            answers = d->answers();
            QCOMPARE(d->title(), QStringLiteral("输出结果"));
            d->findChild<QPushButton *>(QStringLiteral("closeButton"))->click();
        });
        onNextModal<prescriptionChoiceDlg> choice([](prescriptionChoiceDlg *d) { d->acupunctureButton()->click(); });
        const QSet<QString> given = {QStringLiteral("001-0-0"), QStringLiteral("001-1-0"), QStringLiteral("002-0-1"),
                                     QStringLiteral("002-3-1")};
        const QString text = runDiagnosis(nullptr, QStringLiteral("9024"), given);
        QVERIFY(choice.seen());
        QVERIFY(info.seen());
        QVERIFY(text.startsWith(QStringLiteral("治法：")));
        QCOMPARE(shown, text);
        QCOMPARE(mainsuit, QStringLiteral("9024"));
        QCOMPARE(answers, given); // the complaint's own answer is not added
    }

    void mainMenuOpensTheSymptomTest()
    {
        lcWidget window;
        auto *action = window.menu()->findChild<QAction *>(QStringLiteral("symptomTestAction"));
        QVERIFY(action);
        onNextModal<symptomDebug> handler([](symptomDebug *d) {
            d->input()->setText(QStringLiteral("9024:"));
            d->okButton()->click();
            QCOMPARE(d->output()->toPlainText(), diagnosisPhrase("insufficientinformation"));
            d->close();
        });
        action->trigger();
        QVERIFY(handler.seen());
        QVERIFY(!window.findChild<symptomDebug *>()); // destroyed when it closed
    }
};

QTEST_MAIN(tst_diagnosispages)
#include "tst_diagnosispages.moc"
