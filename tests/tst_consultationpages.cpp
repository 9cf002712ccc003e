// Consultation pages on small knowledge written for the test: the queue the
// group chooser builds, which questions and answers a page shows to which
// patient, the button captions and layout, locked boxes, table pages and the
// consultation state of the engine.

#include "testsupport.h"

#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/diagnosistab.h"
#include "diagnosis/diagnosisunitwidget.h"
#include "diagnosis/diagnosiswidget.h"
#include "diagnosis/patientrecord.h"
#include "diagnosis/patwidget.h"
#include "diagnosis/questionbox.h"
#include "knowledge/knowledgearchive.h"
#include "text/phrasedictionary.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

diagnosisNode &node()
{
    return diagnosisNode::instance();
}

QByteArray fixture(const QString &name)
{
    QFile f(sourcePath(QStringLiteral("tests/data/diagnosis/") + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Questions that depend on the patient's age and sex and the complaint.
const char *const patientGroup = R"(<?xml version="1.0" encoding="UTF-8"?>
<group name="体质" id="003">
    <comment>按年龄与性别显示的问题</comment>
    <list rule="age(2">
        <tag>两岁以下</tag>
        <item><id>003-0-0</id><name>囟门未闭</name></item>
    </list>
    <list rule="age)6">
        <tag>六岁以上</tag>
        <item><id>003-1-0</id><name>换牙</name></item>
    </list>
    <list>
        <tag>只有女性的答案</tag>
        <item sex="female"><id>003-2-0</id><name>带下</name></item>
    </list>
    <list>
        <tag>各种答案</tag>
        <ratio>false</ratio>
        <item sex="male"><id>003-3-0</id><name>男</name></item>
        <item sex="female"><id>003-3-1</id><name>女</name></item>
        <item sex="other"><id>003-3-2</id><name>从不显示</name></item>
        <item mainsuit="9032"><id>003-3-3</id><name>只为头痛</name></item>
        <item age="(3"><id>003-3-4</id><name>三岁以下</name></item>
        <item age=")49"><id>003-3-5</id><name>四十九岁以上</name></item>
        <item><id>003-3-6</id><name></name><desc>只有说明</desc></item>
        <item><id>003-3-7</id><name>名称</name><desc>说明</desc></item>
    </list>
    <list>
        <tag>一列的问题</tag>
        <ratio>true</ratio>
        <item><id>003-4-0</id><name>甲</name></item>
        <item><id>003-4-1</id><name>乙</name></item>
    </list>
</group>)";

// A group answered in two tables.
const char *const tableGroup = R"(<?xml version="1.0" encoding="UTF-8"?>
<group name="杂项" id="004">
    <comment>从左表选择</comment>
    <tablelist>true</tablelist>
    <list>
        <tag>饮食</tag>
        <item><id>004-0-0</id><name>喜热饮</name></item>
        <item><id>004-0-1</id><name>喜冷饮</name></item>
    </list>
    <list>
        <tag>其他</tag>
        <item sex="female"><id>004-1-0</id><name>妇人专有</name></item>
        <item><id>004-1-1</id><name>口苦</name></item>
    </list>
</group>)";

void loadKnowledge()
{
    clearKnowledgeTables();
    loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    const auto group = [](QIODevice *d) { return node().readGroupFile(d); };
    for (const char *g : {"001.xml", "002.xml", "014.xml", "888.xml", "999.xml"})
        QVERIFY(feedBytes(group, fixture(QLatin1String(g))));
    QVERIFY(feedBytes(group, QByteArray(patientGroup)));
    QVERIFY(feedBytes(group, QByteArray(tableGroup)));
    QVERIFY(feedBytes([](QIODevice *d) { return node().readMapFile(d); }, fixture(QStringLiteral("map.xml"))));
    QVERIFY(feedBytes([](QIODevice *d) { return node().readComplaintCatalogue(d); },
                      fixture(QStringLiteral("diagnosis_data.xml"))));
    QVERIFY(feedBytes(loadNameMap, fixture(QStringLiteral("namemap.xml"))));
}

void setPatient(int age, const char *sex)
{
    patientRecord::setProfileDefaults();
    patientRecord::setValue(QStringLiteral("age"), QString::number(age));
    patientRecord::setValue(QStringLiteral("sex"), QLatin1String(sex));
}

QStringList titles(const diagnosisUnitWidget &page)
{
    QStringList out;
    for (const questionBox *box : page.questionBoxes())
        out << box->title();
    return out;
}

QStringList buttonIds(const diagnosisUnitWidget &page)
{
    QStringList out;
    for (const questionBox *box : page.questionBoxes()) {
        for (const QAbstractButton *b : box->buttons())
            out << b->objectName();
    }
    return out;
}

QStringList rowIds(const QTableWidget *table)
{
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, 0)->data(Qt::UserRole).toString();
    return out;
}

} // namespace

class tst_consultationpages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        loadKnowledge();
    }

    void init()
    {
        node().reset();
        patientRecord::setProfileDefaults();
    }

    void consultationState()
    {
        diagnosisNode &n = node();
        QCOMPARE(n.mainsuit(), QStringLiteral("9024"));
        QCOMPARE(n.department(), 0);
        QCOMPARE(n.groupQueue(), QStringList{QStringLiteral("888")});
        QCOMPARE(n.selectComplaint(3, QStringLiteral("9501")), QStringLiteral("婴儿吐乳。"));
        QCOMPARE(n.department(), 3);
        // A complaint of another department has no description there.
        QCOMPARE(n.selectComplaint(2, QStringLiteral("9501")), QString());
        QCOMPARE(n.department(), 2);
        QCOMPARE(n.selectComplaint(9, QStringLiteral("9024")), QString());
        n.setMainsuit(QStringLiteral("9032"));
        n.addAnswers({QStringLiteral("001-0-0"), QString(), QString(), QStringLiteral("001-0-0")});
        QCOMPARE(n.answers(), (QSet<QString>{QStringLiteral("001-0-0"), QString()}));
        n.queueGroups({QStringLiteral("001"), QStringLiteral("002")});
        QCOMPARE(n.nextPageIndex(), 0);
        QVERIFY(n.morePagesQueued());
        QCOMPARE(n.nextPageIndex(), 1);
        QCOMPARE(n.groupIdAt(1), QStringLiteral("001"));
        QCOMPARE(n.nextPageIndex(), 2);
        QVERIFY(!n.morePagesQueued());
        QCOMPARE(n.nextPageIndex(), -1);
        QCOMPARE(n.nextPageIndex(), -1);
        QCOMPARE(n.groupIdAt(7), QString());
        n.reset();
        QCOMPARE(n.mainsuit(), QStringLiteral("9024"));
        QCOMPARE(n.department(), 0);
        QCOMPARE(n.answers(), QSet<QString>());
        QCOMPARE(n.groupQueue(), QStringList{QStringLiteral("888")});
        QCOMPARE(n.nextIndex(), 0);
    }

    void chooserQueue_data()
    {
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QStringList>("queue");
        // 9024 needs 014 and 001, which are ticked and locked.
        QTest::newRow("untouched") << "male" << QStringList() << QStringList{"888", "001", "014"};
        QTest::newRow("one reason tag") << "male" << QStringList{"888-0-1"} << QStringList{"888", "001", "002", "014"};
        QTest::newRow("two reason tags queue nothing")
            << "male" << QStringList{"888-0-3"} << QStringList{"888", "001", "014"};
        QTest::newRow("a tag naming two groups")
            << "female" << QStringList{"888-0-4"} << QStringList{"888", "001", "014", "003", "004"};
    }

    void chooserQueue()
    {
        QFETCH(QString, sex);
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, queue);
        diagnosisWidget w;
        w.patient()->sexBox()->setCurrentIndex(sex == QLatin1String("female") ? 1 : 0);
        w.currentPage()->nextButton()->click();
        diagnosisUnitWidget *chooser = w.currentPage();
        QCOMPARE(chooser->groupId(), QStringLiteral("888"));
        QCOMPARE(chooser->answerButton(QStringLiteral("888-0-4")) != nullptr, sex == QLatin1String("female"));
        for (const char *locked : {"888-0-0", "888-0-2"}) {
            QAbstractButton *b = chooser->answerButton(QLatin1String(locked));
            QVERIFY(b->isChecked());
            QVERIFY(!b->isEnabled());
        }
        for (const QString &id : ticked)
            chooser->answerButton(id)->click();
        chooser->nextButton()->click();
        QCOMPARE(node().groupQueue(), queue);
        // Chooser answers are not consultation answers.
        QCOMPARE(node().answers(), QSet<QString>());
        QCOMPARE(w.currentPage()->groupId(), queue.at(1));
    }

    void questionVisibility_data()
    {
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("mainsuit");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("answers");
        QTest::newRow("boy of 1") << 1 << "male" << "9024" << QStringList{"两岁以下", "各种答案", "一列的问题"}
                                  << QStringList{"003-0-0", "003-3-0", "003-3-4", "003-3-6", "003-3-7", "003-4-0",
                                                 "003-4-1"};
        QTest::newRow("boy of 2") << 2 << "male" << "9024" << QStringList{"各种答案", "一列的问题"}
                                  << QStringList{"003-3-0", "003-3-4", "003-3-6", "003-3-7", "003-4-0", "003-4-1"};
        QTest::newRow("girl of 3") << 3 << "female" << "9024"
                                   << QStringList{"只有女性的答案", "各种答案", "一列的问题"}
                                   << QStringList{"003-2-0", "003-3-1", "003-3-6", "003-3-7", "003-4-0", "003-4-1"};
        QTest::newRow("boy of 7, headache")
            << 7 << "male" << "9032" << QStringList{"六岁以上", "各种答案", "一列的问题"}
            << QStringList{"003-1-0", "003-3-0", "003-3-3", "003-3-6", "003-3-7", "003-4-0", "003-4-1"};
        QTest::newRow("woman of 50") << 50 << "female" << "9024"
                                     << QStringList{"六岁以上", "只有女性的答案", "各种答案", "一列的问题"}
                                     << QStringList{"003-1-0", "003-2-0", "003-3-1", "003-3-5", "003-3-6", "003-3-7",
                                                    "003-4-0", "003-4-1"};
    }

    void questionVisibility()
    {
        QFETCH(int, age);
        QFETCH(QString, sex);
        QFETCH(QString, mainsuit);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, answers);
        setPatient(age, qPrintable(sex));
        node().setMainsuit(mainsuit);
        diagnosisUnitWidget page;
        page.buildGroupPage(QStringLiteral("003"));
        QCOMPARE(titles(page), questions);
        QCOMPARE(buttonIds(page), answers);
        QCOMPARE(page.title(), QStringLiteral("请回答关于 体质 的问题"));
    }

    void buttonsAndLayout()
    {
        setPatient(30, "male");
        diagnosisUnitWidget page;
        page.buildGroupPage(QStringLiteral("003"));
        QCOMPARE(page.answerButton(QStringLiteral("003-3-0"))->text(), QStringLiteral("男"));
        QCOMPARE(page.answerButton(QStringLiteral("003-3-6"))->text(), QStringLiteral("只有说明"));
        QCOMPARE(page.answerButton(QStringLiteral("003-3-7"))->text(), QStringLiteral("名称 - 说明"));
        QVERIFY(qobject_cast<QCheckBox *>(page.answerButton(QStringLiteral("003-3-0"))));
        QVERIFY(qobject_cast<QRadioButton *>(page.answerButton(QStringLiteral("003-4-0"))));
        // An exclusive question without a cannot-tell key starts with nothing checked.
        const questionBox *oneColumn = page.questionBoxes().last();
        QVERIFY(!oneColumn->cannotTellButton());
        QCOMPARE(oneColumn->checkedIds(), QStringList());
        auto *grid = oneColumn->findChild<QGridLayout *>();
        QCOMPARE(grid->columnCount(), 1);
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), page.answerButton(QStringLiteral("003-4-1")));

        // The grid question of group 001 fills two columns row by row; its
        // cannot-tell choice comes last, across both.
        diagnosisUnitWidget other;
        other.buildGroupPage(QStringLiteral("001"));
        const questionBox *box = other.questionBoxes().first();
        auto *twoColumns = box->findChild<QGridLayout *>();
        QCOMPARE(twoColumns->itemAtPosition(0, 0)->widget(), other.answerButton(QStringLiteral("001-0-0")));
        QCOMPARE(twoColumns->itemAtPosition(0, 1)->widget(), other.answerButton(QStringLiteral("001-0-1")));
        QCOMPARE(twoColumns->itemAtPosition(1, 0)->widget(), box->cannotTellButton());
        QCOMPARE(twoColumns->itemAtPosition(1, 1)->widget(), box->cannotTellButton());
        // The radio buttons of a question exclude one another.
        other.answerButton(QStringLiteral("001-0-0"))->click();
        other.answerButton(QStringLiteral("001-0-1"))->click();
        QCOMPARE(box->checkedIds(), QStringList{QStringLiteral("001-0-1")});
        // An item marked checked is ticked and cannot be changed.
        QAbstractButton *locked = other.answerButton(QStringLiteral("001-1-1"));
        QVERIFY(locked->isChecked());
        QVERIFY(!locked->isEnabled());
        QTest::mouseClick(locked, Qt::LeftButton);
        QVERIFY(locked->isChecked());
        QVERIFY(other.answerButton(QStringLiteral("001-1-0"))->isEnabled());
        QCOMPARE(other.collectAnswers(), (QStringList{"001-0-1", "001-1-1"}));
    }

    void longCaptionsWrap()
    {
        setPatient(30, "male");
        diagnosisUnitWidget page;
        page.buildGroupPage(QStringLiteral("003"));
        QAbstractButton *b = page.answerButton(QStringLiteral("003-3-7"));
        b->setText(QString(40, QChar(0x75c5)));
        QVERIFY(b->hasHeightForWidth());
        const int oneLine = b->heightForWidth(b->sizeHint().width());
        QCOMPARE(oneLine, b->sizeHint().height());
        QVERIFY(b->heightForWidth(b->sizeHint().width() / 3) >= 3 * b->fontMetrics().height());
        QVERIFY(b->minimumSizeHint().width() < b->sizeHint().width() / 3);
    }

    void unknownGroupHasNoQuestions()
    {
        diagnosisUnitWidget page;
        page.buildGroupPage(QStringLiteral("047"));
        QVERIFY(page.questionBoxes().isEmpty());
        QCOMPARE(page.title(), QStringLiteral("请回答关于 047 的问题"));
        QCOMPARE(page.collectAnswers(), QStringList());
    }

    void tablePage()
    {
        setPatient(30, "male");
        diagnosisWidget w;
        node().queueGroups({QStringLiteral("004")});
        node().nextPageIndex(); // the chooser
        w.onDo(QString());
        diagnosisUnitWidget *page = w.currentPage();
        QCOMPARE(page->groupId(), QStringLiteral("004"));
        QVERIFY(page->isTablePage());
        QVERIFY(page->questionBoxes().isEmpty());
        QTableWidget *available = page->availableTable();
        QTableWidget *selected = page->selectedTable();
        QCOMPARE(available->horizontalHeaderItem(0)->text(), QStringLiteral("杂项信息"));
        QCOMPARE(selected->horizontalHeaderItem(0)->text(), QStringLiteral("选择信息"));
        QCOMPARE(page->addButton()->text(), QStringLiteral("增加"));
        QCOMPARE(page->removeButton()->text(), QStringLiteral("移除"));
        QCOMPARE(rowIds(available), (QStringList{"004-0-0", "004-0-1", "004-1-1"}));
        QCOMPARE(available->item(2, 0)->text(), QStringLiteral("其他 - 口苦"));

        page->onTableAdd(); // nothing chosen yet
        QCOMPARE(selected->rowCount(), 0);
        page->onClickCellAdd(2, 0);
        page->onTableAdd();
        available->setCurrentCell(0, 0);
        page->addButton()->click();
        QCOMPARE(rowIds(available), QStringList{"004-0-1"});
        QCOMPARE(rowIds(selected), (QStringList{"004-1-1", "004-0-0"}));
        selected->setCurrentCell(0, 0);
        page->removeButton()->click();
        QCOMPARE(rowIds(selected), QStringList{"004-0-0"});
        QCOMPARE(rowIds(available), (QStringList{"004-0-1", "004-1-1"}));
        QCOMPARE(page->collectAnswers(), QStringList{"004-0-0"});

        node().queueGroups({QStringLiteral("002")});
        page->nextButton()->click();
        QCOMPARE(node().answers(), QSet<QString>{QStringLiteral("004-0-0")});
        QCOMPARE(w.currentPage()->groupId(), QStringLiteral("002"));
        QVERIFY(w.history()->toPlainText().endsWith(QStringLiteral("饮食-喜热饮")));
    }

    void complaintsOfAnUnnamedBlock()
    {
        // A block beyond the six known ones starts with its first complaint.
        diagnosisTab tab;
        QCOMPARE(tab.count(), 7);
        QCOMPARE(tab.rememberedComplaint(6), QStringLiteral("9600"));
        QCOMPARE(tab.complaintButton(QStringLiteral("9600"))->text(), QStringLiteral("其他主诉"));
        QVERIFY(tab.complaintButton(QStringLiteral("9600"))->isChecked());
        QSignalSpy spy(&tab, &diagnosisTab::senderData);
        tab.setCurrentIndex(6);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("9600"));
        QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("不归科的主诉。"));
        QCOMPARE(node().department(), 6);
    }
};

QTEST_MAIN(tst_consultationpages)
#include "tst_consultationpages.moc"
