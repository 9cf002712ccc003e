// The patient profile page: the form, the state list that follows the sex,
// the constitution box, collecting into the patient record, the summary and
// personal information files (".psif").

#include "testsupport.h"

#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientfile.h"
#include "diagnosis/patientrecord.h"
#include "diagnosis/patwidget.h"
#include "diagnosis/userdialogs.h"
#include "knowledge/knowledgearchive.h"
#include "text/phrasedictionary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

diagnosisNode &node()
{
    return diagnosisNode::instance();
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The constitution list of the judgement file and names for two of its codes.
void loadConstitution()
{
    QDomDocument doc;
    QVERIFY(doc.setContent(QStringLiteral("<judge><inborn>"
                                          "<item id=\"0275\" name=\"气虚质\"/>"
                                          "<item id=\"0273\" name=\"过敏\"/>"
                                          "<item id=\"0280\" name=\"阳虚质\"/>"
                                          "</inborn></judge>")));
    QVERIFY(node().readJudgeRules(doc.documentElement()));
    QVERIFY(feed(loadNameMap, QStringLiteral("<map><item id=\"0273\" name=\"特禀质\"/>"
                                             "<item id=\"0280\" name=\"阳虚体质\"/></map>")));
}

struct recorder
{
    QStringList told;
    QStringList asked; // caption|suggestion|filter of every file dialog
    QString answer;    // the path the dialog "chooses"
    void attach(userDialogs &d)
    {
        d.setMessageSink([this](const QString &m) { told << m; });
        const auto provider = [this](const QString &caption, const QString &suggested, const QString &filter) {
            asked << caption + QLatin1Char('|') + suggested + QLatin1Char('|') + filter;
            return answer;
        };
        d.setSaveNameProvider(provider);
        d.setOpenNameProvider(provider);
    }
};

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QString &name, const QByteArray &content)
{
    const QString path = freshTestDir(QStringLiteral("psif_") + QString::number(qHash(name))) + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

// Everything the form shows, for comparing before and after.
QString formState(const patWidget &w)
{
    const patientProfile p = w.profile();
    return QStringList{w.nameField()->text(), QString::number(p.sex), QString::number(p.age),
                       QString::number(p.height), QString::number(p.weight), QString::number(p.occupation),
                       QString::number(p.location), QString::number(p.state), items(w.stateBox()).join(QLatin1Char('/')),
                       p.inborn.join(QLatin1Char(','))}
        .join(QLatin1Char(';'));
}

void fillWoman(patWidget &w)
{
    w.nameField()->setText(QStringLiteral("  刘芳 "));
    w.sexBox()->setCurrentIndex(1);
    w.ageBox()->setValue(36);
    w.heightBox()->setValue(160);
    w.weightBox()->setValue(52);
    w.occupationBox()->setCurrentIndex(2);
    w.locationBox()->setCurrentIndex(34);
    w.stateBox()->setCurrentIndex(2);
    w.constitutionItem(QStringLiteral("0275"))->setChecked(true);
    w.constitutionItem(QStringLiteral("0273"))->setChecked(true);
}

} // namespace

class tst_patientprofile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    void init()
    {
        clearKnowledgeTables();
        loadConstitution();
        patientRecord::clear();
    }

    void theForm()
    {
        patWidget w;
        QVERIFY(w.widgetResizable());
        QCOMPARE(w.nameField()->text(), QStringLiteral("您的姓名"));
        QCOMPARE(items(w.sexBox()), (QStringList{"男", "女"}));
        QCOMPARE(w.sexBox()->currentIndex(), 0);
        const struct {
            QSpinBox *box;
            int low, high, value;
        } spins[] = {{w.ageBox(), 0, 100, 24}, {w.heightBox(), 30, 210, 172}, {w.weightBox(), 5, 120, 60}};
        for (const auto &s : spins) {
            QCOMPARE(s.box->minimum(), s.low);
            QCOMPARE(s.box->maximum(), s.high);
            QCOMPARE(s.box->value(), s.value);
        }
        QCOMPARE(w.locationBox()->count(), 35);
        QCOMPARE(w.locationBox()->itemText(0), QStringLiteral("北京"));
        QCOMPARE(items(w.occupationBox()), (QStringList{"脑力劳动者", "体力劳动者", "学生", "其他"}));
        QCOMPARE(w.solarTermBox()->count(), 24);
        QCOMPARE(items(w.stateBox()), (QStringList{"未婚", "已婚"}));
        QCOMPARE(w.constitutionBox()->title(), QStringLiteral("先天禀赋"));
        QVERIFY(!w.constitutionBox()->isHidden());
        QCOMPARE(w.constitutionItems().size(), 3);
        QCOMPARE(w.constitutionItems().at(0).second, QStringLiteral("0275"));
        QCOMPARE(w.constitutionItems().at(0).first->text(), QStringLiteral("气虚质"));
    }

    void withoutConstitutionList()
    {
        clearKnowledgeTables();
        patWidget w;
        QVERIFY(w.constitutionItems().isEmpty());
        QVERIFY(w.constitutionBox()->isHidden());
        QCOMPARE(w.collect().value(QStringLiteral("inborn")), QString());
    }

    void stateListFollowsTheSex()
    {
        patWidget w;
        w.stateBox()->setCurrentIndex(1);
        w.sexBox()->setCurrentIndex(1);
        QCOMPARE(items(w.stateBox()), (QStringList{"正常", "妊娠", "哺乳期", "已婚"}));
        QCOMPARE(w.stateBox()->currentIndex(), 0);
        w.stateBox()->setCurrentIndex(3);
        w.sexBox()->setCurrentIndex(0);
        QCOMPARE(items(w.stateBox()), (QStringList{"未婚", "已婚"}));
        QCOMPARE(w.stateBox()->currentIndex(), 0);
    }

    void collecting_data()
    {
        QTest::addColumn<int>("sex");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QString>("sexWord");
        QTest::addColumn<QString>("stateWord");
        QTest::addColumn<QString>("inborn");
        QTest::newRow("unmarried man") << 0 << 0 << QStringList() << "male" << "unmarried" << "";
        QTest::newRow("married man") << 0 << 1 << QStringList{"0280"} << "male" << "married" << "0280,";
        QTest::newRow("woman") << 1 << 0 << QStringList() << "female" << "normal" << "";
        QTest::newRow("pregnant") << 1 << 1 << QStringList() << "female" << "pregnant" << "";
        QTest::newRow("suckling") << 1 << 2 << QStringList{"0280", "0275"} << "female" << "suckling" << "0275,0280,";
        QTest::newRow("married woman") << 1 << 3 << QStringList() << "female" << "married" << "";
    }

    void collecting()
    {
        QFETCH(int, sex);
        QFETCH(int, state);
        QFETCH(QStringList, ticked);
        QFETCH(QString, sexWord);
        QFETCH(QString, stateWord);
        QFETCH(QString, inborn);
        patWidget w;
        patientRecord::setValue(QStringLiteral("stale"), QStringLiteral("x"));
        w.nameField()->setText(QStringLiteral(" 赵六  "));
        w.sexBox()->setCurrentIndex(sex);
        w.stateBox()->setCurrentIndex(state);
        w.ageBox()->setValue(41);
        w.heightBox()->setValue(181);
        w.weightBox()->setValue(77);
        w.occupationBox()->setCurrentIndex(3);
        w.locationBox()->setCurrentIndex(12);
        for (const QString &id : ticked)
            w.constitutionItem(id)->setChecked(true);
        const QMap<QString, QString> record = w.collect();
        const QMap<QString, QString> expected = {
            {"name", "赵六"},   {"sex", sexWord},      {"age", "41"},          {"height", "181"},
            {"weight", "77"}, {"occupation", "3"}, {"area", "12"},         {"state", stateWord},
            {"inborn", inborn}};
        QCOMPARE(record, expected);
        QCOMPARE(patientRecord::values(), expected);
    }

    void summary()
    {
        patWidget w;
        fillWoman(w);
        w.collect();
        QCOMPARE(patientRecord::value(QStringLiteral("inborn")), QStringLiteral("0275,0273,"));
        // The constitution line is sorted by id; names come from the code
        // names, else from the judgement file.
        QCOMPARE(patWidget::summary(), QStringLiteral("姓名 - 刘芳\n性别 - 女\n年龄 - 36\n身高(厘米) - 160\n"
                                                      "体重(千克) - 52\n地区 - 海外\n职业 - 学生\n状态 - 哺乳期\n"
                                                      "先天禀赋 - 特禀质,气虚质\n"));
        w.constitutionItem(QStringLiteral("0280"))->setChecked(true);
        w.collect();
        QVERIFY(patWidget::summary().endsWith(QStringLiteral("先天禀赋 - 特禀质,气虚质,阳虚体质\n")));
        for (const auto &entry : w.constitutionItems())
            entry.first->setChecked(false);
        w.sexBox()->setCurrentIndex(0);
        w.collect();
        QVERIFY(patWidget::summary().endsWith(QStringLiteral("状态 - 未婚\n")));
        QVERIFY(!patWidget::summary().contains(phrase("inborn")));
    }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("woman");
        QTest::addColumn<QStringList>("tags");
        QTest::newRow("man") << false
                             << QStringList{"name", "sexuality", "age", "height", "weight", "occupation", "location",
                                            "inborn"};
        QTest::newRow("woman with two constitution items")
            << true
            << QStringList{"name", "sexuality", "age", "height", "weight", "occupation", "location", "state",
                           "inborn"};
    }

    void roundTrip()
    {
        QFETCH(bool, woman);
        QFETCH(QStringList, tags);
        patWidget w;
        if (woman) {
            fillWoman(w);
        } else {
            w.nameField()->setText(QStringLiteral("陈七"));
            w.ageBox()->setValue(58);
            w.locationBox()->setCurrentIndex(7);
        }
        recorder r;
        r.attach(w.dialogs());
        const QString dir = freshTestDir(QStringLiteral("psif_roundtrip"));
        r.answer = dir + QStringLiteral("/profile.psif");
        w.findChild<QPushButton *>(QStringLiteral("exportButton"))->click();
        QCOMPARE(r.told, QStringList());
        const QString name = woman ? QStringLiteral("刘芳") : QStringLiteral("陈七");
        QCOMPARE(r.asked, QStringList{phrase("exppat") + QLatin1Char('|') + userDialogs::programFolder() +
                                      QLatin1Char('/') + name + QStringLiteral(".psif|Personal information File (*.psif)")});

        QDomDocument doc;
        QVERIFY(doc.setContent(readAll(r.answer)));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("psif"));
        QStringList written;
        for (QDomElement e = doc.documentElement().firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            written << e.tagName();
        QCOMPARE(written, tags);
        const QDomElement inborn = doc.documentElement().firstChildElement(QStringLiteral("inborn"));
        QCOMPARE(inborn.elementsByTagName(QStringLiteral("item")).size(), woman ? 2 : 0);

        // Into a form that shows something else.
        patWidget other;
        recorder r2;
        r2.attach(other.dialogs());
        other.sexBox()->setCurrentIndex(woman ? 0 : 1);
        other.stateBox()->setCurrentIndex(woman ? 1 : 3);
        other.ageBox()->setValue(5);
        other.constitutionItem(QStringLiteral("0280"))->setChecked(true);
        r2.answer = r.answer;
        other.findChild<QPushButton *>(QStringLiteral("importButton"))->click();
        QCOMPARE(r2.told, QStringList());
        QCOMPARE(r2.asked.size(), 1);
        QVERIFY(r2.asked.first().startsWith(phrase("imppat") + QLatin1Char('|')));
        QCOMPARE(formState(other), formState(w));
        if (!woman) {
            QCOMPARE(items(other.stateBox()), (QStringList{"未婚", "已婚"}));
            QCOMPARE(other.stateBox()->currentIndex(), 0); // no state in a man's file
            QVERIFY(!other.constitutionItem(QStringLiteral("0280"))->isChecked());
        } else {
            QCOMPARE(other.stateBox()->currentIndex(), 2);
            QCOMPARE(other.profile().inborn, (QStringList{"0275", "0273"}));
        }
    }

    void importTakesWhatTheFileHolds()
    {
        patWidget w;
        fillWoman(w);
        recorder r;
        r.attach(w.dialogs());
        // Out-of-range numbers are held by the boxes' ranges; unknown
        // constitution ids and other elements are passed over.
        const QString path = writeFile(QStringLiteral("part.psif"),
                                       "<psif><age>130</age><weight>1</weight><hobby>x</hobby>"
                                       "<inborn><item>0280</item><item>9999</item></inborn></psif>");
        QVERIFY(w.importFile(path));
        QCOMPARE(r.told, QStringList());
        QCOMPARE(w.ageBox()->value(), 100);
        QCOMPARE(w.weightBox()->value(), 5);
        QCOMPARE(w.nameField()->text(), QStringLiteral("  刘芳 "));
        QCOMPARE(w.sexBox()->currentIndex(), 1);
        QCOMPARE(w.stateBox()->currentIndex(), 2);
        QCOMPARE(w.profile().inborn, QStringList{"0280"});
        // A file without a constitution element leaves the boxes alone.
        QVERIFY(w.importFile(writeFile(QStringLiteral("noinborn.psif"), "<psif><height>150</height></psif>")));
        QCOMPARE(w.profile().inborn, QStringList{"0280"});
        QCOMPARE(w.heightBox()->value(), 150);
    }

    void refusedImport_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not xml") << "a.psif" << QByteArray("name=x") << phrase("psif_not_xml").arg("a.psif");
        QTest::newRow("other root") << "b.psif" << QByteArray("<diagnosis><name>x</name></diagnosis>")
                                    << phrase("psif_not_profile").arg("b.psif");
        QTest::newRow("sex 2") << "c.psif" << QByteArray("<psif><name>x</name><sexuality>2</sexuality></psif>")
                               << phrase("psif_bad_value").arg("c.psif", "sexuality", "2");
        QTest::newRow("age not a number") << "d.psif" << QByteArray("<psif><name>x</name><age>二十</age></psif>")
                                          << phrase("psif_bad_value").arg("d.psif", "age", "二十");
        QTest::newRow("no such occupation") << "e.psif" << QByteArray("<psif><occupation>4</occupation></psif>")
                                            << phrase("psif_bad_value").arg("e.psif", "occupation", "4");
        QTest::newRow("negative location") << "f.psif" << QByteArray("<psif><location>-1</location></psif>")
                                           << phrase("psif_bad_value").arg("f.psif", "location", "-1");
        QTest::newRow("a man's state 2") << "g.psif"
                                         << QByteArray("<psif><sexuality>0</sexuality><state>2</state></psif>")
                                         << phrase("psif_bad_value").arg("g.psif", "state", "2");
    }

    void refusedImport()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        patWidget w;
        fillWoman(w);
        const QString before = formState(w);
        recorder r;
        r.attach(w.dialogs());
        QVERIFY(!w.importFile(writeFile(file, content)));
        QCOMPARE(r.told, QStringList{message});
        QCOMPARE(formState(w), before);
    }

    void missingFile()
    {
        patWidget w;
        recorder r;
        r.attach(w.dialogs());
        const QString before = formState(w);
        QVERIFY(!w.importFile(freshTestDir(QStringLiteral("psif_missing")) + QStringLiteral("/gone.psif")));
        QCOMPARE(r.told, QStringList{phrase("psif_unreadable").arg(QStringLiteral("gone.psif"))});
        QCOMPARE(formState(w), before);
        // A cancelled open dialog changes nothing and says nothing.
        r.told.clear();
        w.onImport();
        QCOMPARE(r.asked.size(), 1);
        QCOMPARE(r.told, QStringList());
        QCOMPARE(formState(w), before);
    }

    void exportNeedsAName()
    {
        patWidget w;
        recorder r;
        r.attach(w.dialogs());
        w.nameField()->setText(QStringLiteral("   "));
        w.onExport();
        QCOMPARE(r.asked, QStringList());
        QCOMPARE(r.told, QStringList{phrase("psif_need_name")});
    }

    void exportFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("trimmed") << " 孙八 " << "孙八.psif" << "x.psif" << "x.psif";
        QTest::newRow("no file name characters") << "a/b:c" << "a_b_c.psif" << "y.psif" << "y.psif";
        QTest::newRow("extension added") << "孙八" << "孙八.psif" << "plain" << "plain.psif";
        QTest::newRow("cancelled") << "孙八" << "孙八.psif" << "" << "";
    }

    void exportFileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, suggested);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        const QString dir = freshTestDir(QStringLiteral("psif_names"));
        patWidget w;
        recorder r;
        r.attach(w.dialogs());
        w.nameField()->setText(name);
        r.answer = chosen.isEmpty() ? QString() : dir + QLatin1Char('/') + chosen;
        w.onExport();
        QCOMPARE(r.asked.size(), 1);
        QCOMPARE(r.asked.first().section(QLatin1Char('|'), 1, 1),
                 userDialogs::programFolder() + QLatin1Char('/') + suggested);
        QCOMPARE(QDir(dir).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        QCOMPARE(r.told, QStringList());
    }

    void unwritableExport()
    {
        const QString dir = freshTestDir(QStringLiteral("psif_unwritable"));
        // So long a name that no temporary file fits beside it.
        const QString path = dir + QLatin1Char('/') + QString(245, QLatin1Char('p')) + QStringLiteral(".psif");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<psif/>");
        }
        patWidget w;
        recorder r;
        r.attach(w.dialogs());
        r.answer = path;
        w.onExport();
        QCOMPARE(r.told, QStringList{phrase("psif_unwritable").arg(path)});
        QCOMPARE(readAll(path), QByteArray("<psif/>"));
        r.told.clear();
        QVERIFY(!w.exportFile(dir + QStringLiteral("/no/such/folder.psif")));
        QCOMPARE(r.told.size(), 1);
    }
};

QTEST_MAIN(tst_patientprofile)
#include "tst_patientprofile.moc"
