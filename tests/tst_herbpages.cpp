// The herb browser page and the herb comparison dialog.

#include "testsupport.h"

#include "analysis/herbcompare.h"
#include "knowledge/knowledgearchive.h"
#include "browsers/herbinfo.h"
#include "browsers/herbinfowidget.h"
#include "browsers/herblistwidget.h"
#include "herbs/herbbase.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class tst_herbpages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(loadStartupKnowledge()); }

    void listRowShowsThatRecord()
    {
        herbInfo page;
        QCOMPARE(page.list()->rowCount(), int(herbTable().size()));
        QVERIFY(page.view()->toPlainText().contains(herbTable().first().name));
        const int n = int(herbTable().size()) / 2;
        QCOMPARE(page.list()->textAt(n), herbTable().at(n).name);
        page.onClickHerbList(n, 0);
        QVERIFY(page.view()->toPlainText().contains(herbTable().at(n).desc.left(10)));
        QVERIFY(page.view()->toPlainText().startsWith(herbTable().at(n).name));
    }

    void aliasSearchShowsCanonicalHerb()
    {
        herbInfo page;
        page.searchField()->setText(QStringLiteral("  炙麻黄 "));
        page.onClickSearch();
        const QString text = page.view()->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("麻黄")));
        QVERIFY(text.contains(QStringLiteral("2 ~ 10 g")));
        page.searchField()->setText(QStringLiteral("龙肝凤胆"));
        page.onClickSearch(); // unknown: nothing changes
        QCOMPARE(page.view()->toPlainText(), text);
    }

    // The record's own (pharmacopoeia) range, and the range of the classic
    // formulas where the analysis accepts more; external use where there is
    // no internal dose.
    void doseLineShowsBothRanges_data()
    {
        QTest::addColumn<QString>("herb");
        QTest::addColumn<QString>("line");
        QTest::newRow("widened") << QStringLiteral("麻黄") << QStringLiteral("2 ~ 10 g（药典用量；古方用量 2 ~ 12 g）");
        QTest::newRow("decimals") << QStringLiteral("朱砂") << QStringLiteral(" 0.1 ~ 0.5 g\n");
        QTest::newRow("external") << QStringLiteral("水银") << QStringLiteral("仅供外用，不作内服");
    }

    void doseLineShowsBothRanges()
    {
        QFETCH(QString, herb);
        QFETCH(QString, line);
        herbInfo page;
        page.searchField()->setText(herb);
        page.onClickSearch();
        const QString text = page.view()->toPlainText();
        QVERIFY2(text.contains(line), qPrintable(text.section(QStringLiteral("常用剂量"), 1).left(60)));
        QVERIFY(!text.contains(QStringLiteral(" 0 ~ 0 g")));
    }

    void emptySearchIsTold()
    {
        herbInfo page;
        boxCatcher boxes;
        const QString shown = page.view()->toPlainText();
        for (const QString &typed : {QString(), QStringLiteral("   ")}) {
            page.searchField()->setText(typed);
            page.onClickSearch();
        }
        QCOMPARE(boxes.messages, (QStringList{QStringLiteral("输入药名不存在或者未录入"), QStringLiteral("输入药名不存在或者未录入")}));
        QCOMPARE(page.view()->toPlainText(), shown);
    }

    // Record text is text: a "%1" stays where it is written, "<" and "&" are
    // shown, and every field keeps its heading.
    void recordTextIsNotMarkup()
    {
        const QString tpl = QStringLiteral("<p>名称%1</p><p>别名%2</p><p>简介%3</p><p>形态%4</p><p>归经%5</p><p>功能%6</p><p>主治%7</p>"
                                           "<p>禁忌%8</p><p>剂量%9</p><p>分布%10</p><p>储藏%11</p><p>炮制%12</p><p>论述%13</p>");
        herbRecord r;
        r.name = QStringLiteral("甲");
        r.alias = QStringList{QStringLiteral("a<b")};
        r.desc = QStringLiteral("含%1与%2，剂量<3g & 慎用");
        r.pattern = QStringLiteral("形");
        r.function = QStringList{QStringLiteral("功%9")};
        r.distribution = QStringLiteral("地</p><h1>大");
        r.comments = {{QStringLiteral("本经<"), QStringLiteral("主%3热")}};
        herbInfoWidget view;
        view.clear();
        view.appendHtml(herbInfoWidget::renderRecord(tpl, r));
        const QStringList lines = view.toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{QStringLiteral("名称甲"), QStringLiteral("别名a<b"), QStringLiteral("简介含%1与%2，剂量<3g & 慎用"),
                                     QStringLiteral("形态形"), QStringLiteral("归经"), QStringLiteral("功能功%9"), QStringLiteral("主治"),
                                     QStringLiteral("禁忌"), QStringLiteral("剂量 0 ~ 0 g"), QStringLiteral("分布地</p><h1>大"),
                                     QStringLiteral("储藏"), QStringLiteral("炮制"), QStringLiteral("论述"),
                                     QStringLiteral("本经<: 主%3热")}));
    }

    void templateRendering()
    {
        const QString tpl = QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10|%11|%12|%13");
        herbRecord r;
        r.name = QStringLiteral("甲");
        r.alias = QStringList{QStringLiteral("a"), QStringLiteral("b")};
        r.feature = QStringList{QStringLiteral("苦")};
        r.meridian = QStringList{QStringLiteral("心"), QStringLiteral("肝")};
        QCOMPARE(herbInfoWidget::renderRecord(tpl, r), QStringLiteral("甲|a,b|||苦,心,肝|||| 0 ~ 0 g||||<br>"));
        r.comments = {{QStringLiteral("本经"), QStringLiteral("主热")}, {QStringLiteral("按语"), QStringLiteral("良")}};
        QVERIFY(herbInfoWidget::renderRecord(tpl, r).endsWith(QStringLiteral("|<br>本经: 主热<br>\n按语: 良<br>")));
    }

    void comparisonFillsBothColumns()
    {
        herbCompare dialog;
        dialog.left().name->setText(QStringLiteral("草麻黄"));
        dialog.pressOK1();
        dialog.right().name->setText(QStringLiteral("麻黄"));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("ok2")), Qt::LeftButton);
        const herbRecord r = findHerbByName(QStringLiteral("麻黄"));
        QCOMPARE(dialog.left().function->toPlainText(), r.function.join(QLatin1Char(',')));
        QCOMPARE(dialog.right().function->toPlainText(), dialog.left().function->toPlainText());
        QCOMPARE(dialog.left().guijing->toPlainText(), (r.feature + r.meridian).join(QLatin1Char(',')));
        QCOMPARE(dialog.left().name->text(), QStringLiteral("草麻黄")); // what was typed stays
        dialog.right().name->setText(QStringLiteral("龙肝凤胆"));
        dialog.pressOK2();
        QCOMPARE(dialog.right().taboo->toPlainText(), r.caution.join(QLatin1Char(',')));
    }
};

QTEST_MAIN(tst_herbpages)
#include "tst_herbpages.moc"
