// The pair browser, the data search window and the daily reader.

#include "testsupport.h"

#include "acupuncture/searchwidget.h"
#include "knowledge/knowledgearchive.h"
#include "browsers/pairinfo.h"
#include "browsers/pairlistwidget.h"
#include "browsers/readertexts.h"
#include "browsers/readerwidget.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"

#include <QBuffer>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTreeWidget>
#include <QtTest>

class tst_browserpages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(loadStartupKnowledge()); }

    void pairListAndHerbClick()
    {
        pairInfo page;
        QCOMPARE(page.list()->rowCount(), int(pairHerbSet().size()));
        const int row = page.list()->rowOf(QStringLiteral("麻黄"));
        QVERIFY(row >= 0);
        page.onClickHerbList(row, 0);
        QCOMPARE(page.report()->toPlainText(), pairTextForHerb(QStringLiteral("麻黄")));
        QVERIFY(page.report()->toPlainText().startsWith(QStringLiteral("麻黄    : ")));
    }

    void pairSearchForms()
    {
        pairInfo page;
        boxCatcher boxes;
        page.searchField()->setText(QStringLiteral("麻黄,桂枝"));
        page.onClickSearch();
        const QString forward = page.report()->toPlainText();
        QVERIFY(!forward.isEmpty());
        page.report()->clear();
        page.searchField()->setText(QStringLiteral(" 桂枝,麻黄 "));
        page.onClickSearch();
        QCOMPARE(page.report()->toPlainText(), forward); // herbs in the rule's stored order
        // not a pair: nothing changes, no message
        page.searchField()->setText(QStringLiteral("麻黄,龙肝"));
        page.onClickSearch();
        QCOMPARE(page.report()->toPlainText(), forward);
        // the two names are taken as typed: " 桂枝" after the comma is no herb
        page.searchField()->setText(QStringLiteral("麻黄, 桂枝"));
        page.onClickSearch();
        QCOMPARE(page.report()->toPlainText(), forward);
        page.report()->clear();
        page.searchField()->setText(QStringLiteral("麻黄, 桂枝"));
        page.onClickSearch();
        QVERIFY(page.report()->toPlainText().isEmpty());
        // an alias shows the pairs of its herb
        page.searchField()->setText(QStringLiteral("炙麻黄"));
        page.onClickSearch();
        QCOMPARE(page.report()->toPlainText(), pairTextForHerb(QStringLiteral("麻黄")));
        QVERIFY(boxes.messages.isEmpty());
        // a herb in no pair, and no herb at all
        QString lonely;
        for (const herbRecord &r : herbTable()) {
            if (!pairHerbSet().contains(r.name)) {
                lonely = r.name;
                break;
            }
        }
        QVERIFY(!lonely.isEmpty());
        const QString shown = page.report()->toPlainText();
        for (const QString &typed : {lonely, QStringLiteral("龙肝凤胆"), QStringLiteral("麻黄,桂枝,甘草")}) {
            page.searchField()->setText(typed);
            page.onClickSearch();
        }
        QCOMPARE(boxes.messages, QStringList(3, QStringLiteral("输入药名不存在或者未录入")));
        QCOMPARE(page.report()->toPlainText(), shown);
    }

    void searchWindowModes()
    {
        searchWidget search;
        QCOMPARE(search.title(), QStringLiteral("穴位查询"));
        QVERIFY(search.modeButton(0)->isChecked());
        QCOMPARE(search.input()->placeholderText(), QStringLiteral("水沟"));
        search.input()->setText(QStringLiteral("  足三里 "));
        search.onSearch();
        QVERIFY(search.result()->toPlainText().contains(QStringLiteral("N:ST36\n")));
        const QString shown = search.result()->toPlainText();
        search.input()->setText(QStringLiteral("足三")); // part of a name finds nothing
        search.onSearch();
        QCOMPARE(search.result()->toPlainText(), shown);

        search.modeButton(1)->click();
        QCOMPARE(search.title(), QStringLiteral("证候查询"));
        QVERIFY(search.input()->text().isEmpty());
        QVERIFY(search.result()->toPlainText().isEmpty());
        QCOMPARE(search.input()->placeholderText(), QStringLiteral("心悸"));
        search.input()->setText(QStringLiteral("心悸"));
        search.onSearch();
        QVERIFY(search.result()->toPlainText().startsWith(QStringLiteral("以下证候均会出现心悸症状：\n")));
        QVERIFY(search.result()->toPlainText().count(QLatin1Char('\n')) > 2);

        QVERIFY(search.categories()->isHidden());
        search.modeButton(2)->click();
        QVERIFY(!search.categories()->isHidden());
        QVERIFY(search.categories()->topLevelItemCount() >= 15);
        QTreeWidgetItem *category = search.categories()->topLevelItem(0);
        QTreeWidgetItem *complaint = category->child(0);
        search.onCategoryClicked(category, 0); // a category searches nothing
        QVERIFY(search.result()->toPlainText().isEmpty());
        search.onCategoryClicked(complaint, 0);
        QCOMPARE(search.input()->text(), complaint->text(0));
        QVERIFY(search.result()->toPlainText().contains(QStringLiteral("主治:")));
        search.input()->clear();
        search.onSearch(); // empty input: nothing happens
        QVERIFY(!search.result()->toPlainText().isEmpty());
    }

    // A first-aid measure or an exercise names its own source; a remedy
    // without one is shown as a folk remedy.
    void folkSourceLabels()
    {
        searchWidget search;
        search.modeButton(2)->click();
        const QList<QTreeWidgetItem *> found = search.categories()->findItems(
            QStringLiteral("中暑"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first()->parent()->text(0), QStringLiteral("急救"));
        search.onCategoryClicked(found.first(), 0);
        const QString shown = search.result()->toPlainText();
        // what to do at once comes before the drinks for afterwards
        QVERIFY(shown.startsWith(QStringLiteral("名称:中暑现场处理法\n主治:中暑\n出处:急救常识\n")));
        QVERIFY(shown.contains(QStringLiteral("名称:绿豆汤\n主治:中暑\n出处:民间偏方\n")));
        // an exercise is listed under its own source too
        const QList<QTreeWidgetItem *> sitting = search.categories()->findItems(
            QStringLiteral("久坐少动"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(sitting.size(), 1);
        search.onCategoryClicked(sitting.first(), 0);
        QVERIFY(search.result()->toPlainText().contains(
            QStringLiteral("名称:八段锦\n主治:久坐少动\n出处:传统导引\n")));
    }

    // A click opens or closes a category; a double click is a click and
    // toggles it once.
    void folkCategoryToggles()
    {
        searchWidget search;
        search.modeButton(2)->click();
        search.resize(680, 500);
        search.show();
        QVERIFY(QTest::qWaitForWindowExposed(&search));
        QTreeWidget *tree = search.categories();
        QTreeWidgetItem *category = tree->topLevelItem(0);
        QVERIFY(category->childCount() > 0);
        QVERIFY(!category->isExpanded());
        const QPoint at = tree->visualItemRect(category).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(category->isExpanded());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!category->isExpanded());
        // press, release, double click, release
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(category->isExpanded());
        QVERIFY(search.result()->toPlainText().isEmpty());
    }

    void readerNeverRepeats()
    {
        QVERIFY(readerTexts().size() > 2);
        readerWidget reader;
        QVERIFY(reader.currentIndex() >= 0);
        QVERIFY(!reader.view()->toPlainText().isEmpty());
        int previous = reader.currentIndex();
        for (int i = 0; i < 50; ++i) {
            reader.onNext();
            QVERIFY(reader.currentIndex() != previous);
            previous = reader.currentIndex();
        }
        // a verse is shown with its name and one line per line
        QVERIFY(readerWidget::displayText(0).startsWith(QStringLiteral("【")));
    }

    void readerWithFewTexts()
    {
        clearReaderTexts();
        {
            readerWidget empty;
            QCOMPARE(empty.currentIndex(), -1);
            QVERIFY(empty.view()->toPlainText().isEmpty());
            empty.onNext(); // must return
        }
        QByteArray one("<list><item>上工治未病</item></list>");
        QBuffer buffer(&one);
        buffer.open(QIODevice::ReadOnly);
        loadReaderQuotes(&buffer);
        readerWidget single;
        QCOMPARE(single.currentIndex(), 0);
        single.onNext();
        QCOMPARE(single.view()->toPlainText(), QStringLiteral("上工治未病"));
    }

    // A verse keeps its blank lines.
    void readerVerseLines()
    {
        clearReaderTexts();
        QByteArray songs = withBom(QStringLiteral("#桂枝汤\r\n桂枝芍药等量伍\r\n\r\n姜枣甘草微火煮\r\n#空方\r\n"));
        QBuffer buffer(&songs);
        buffer.open(QIODevice::ReadOnly);
        loadReaderVerses(&buffer);
        QCOMPARE(readerWidget::displayText(0), QStringLiteral("【桂枝汤】\n桂枝芍药等量伍\n\n姜枣甘草微火煮"));
        QCOMPARE(readerWidget::displayText(1), QStringLiteral("【空方】\n"));
    }
};

QTEST_MAIN(tst_browserpages)
#include "tst_browserpages.moc"
