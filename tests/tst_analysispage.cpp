// The analysis page, its files, the pair grid and the sliding frame.

#include "testsupport.h"

#include "analysis/analywidget.h"
#include "analysis/prescriptionfile.h"
#include "analysis/scriptgridwidget.h"
#include "analysis/scriptwidget.h"
#include "knowledge/knowledgearchive.h"
#include "pairs/pairrules.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QDoubleSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {
QString writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir + QLatin1Char('/') + name);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

void add(analyWidget &page, const QString &herb, double dose)
{
    page.herbField()->setText(herb);
    page.doseField()->setValue(dose);
    page.onAdd();
}
} // namespace

class tst_analysispage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(loadStartupKnowledge()); }

    void addingChecksTheInput()
    {
        analyWidget page;
        boxCatcher boxes;
        add(page, QStringLiteral("炙麻黄"), 9);
        QCOMPARE(page.herbField()->text(), QStringLiteral("麻黄")); // the canonical name is written back
        QCOMPARE(page.table()->item(0, 0)->text(), QStringLiteral("麻黄"));
        QCOMPARE(page.table()->item(0, 1)->text(), QStringLiteral("9"));
        add(page, QStringLiteral("草麻黄"), 6);
        add(page, QString(), 9);
        add(page, QStringLiteral("北细辛"), 9);
        QCOMPARE(boxes.messages, (QStringList{QStringLiteral("中药:麻黄已存在"), QStringLiteral("输入药名不存在或者未录入"),
                                              QStringLiteral("中药:北细辛剂量异常")}));
        for (int i = 1; i < 18; ++i)
            add(page, QStringLiteral("药%1").arg(i), 9);
        QCOMPARE(page.entries().size(), 18);
        add(page, QStringLiteral("黄芪"), 15);
        QCOMPARE(boxes.messages.last(), QStringLiteral("最大支持的中药味数味为:18"));
        QCOMPARE(page.table()->rowCount(), 18);
    }

    // Whole grams for most herbs, steps of 0.01 g for those whose range
    // reaches below a gram, and for any herb in a pill, powder or ointment.
    void doseFieldFollowsTheHerb()
    {
        analyWidget page;
        boxCatcher boxes;
        QCOMPARE(page.doseField()->decimals(), 0);
        page.herbField()->setText(QStringLiteral("辰砂"));
        QCOMPARE(page.doseField()->decimals(), 2);
        QCOMPARE(page.doseField()->value(), 0.1); // 9 g is no dose of 朱砂
        QCOMPARE(page.doseField()->singleStep(), 0.01);
        page.doseField()->setValue(0.3);
        page.onAdd();
        QCOMPARE(page.table()->item(0, 1)->text(), QStringLiteral("0.3"));
        QCOMPARE(page.entries().first().dose, 0.3);
        page.herbField()->setText(QStringLiteral("黄连"));
        QCOMPARE(page.doseField()->decimals(), 0);
        QVERIFY(page.doseField()->minimum() >= 1);
        page.formButton(QStringLiteral("pill"))->click();
        QCOMPARE(page.doseField()->decimals(), 2);
        page.doseField()->setValue(0.17);
        page.onAdd();
        QCOMPARE(page.table()->item(1, 1)->text(), QStringLiteral("0.17"));
        page.onClickDec();
        QCOMPARE(page.doseField()->decimals(), 0);
        page.herbField()->setText(QStringLiteral("水银"));
        page.doseField()->setValue(1);
        page.onAdd();
        QCOMPARE(boxes.messages, QStringList{QStringLiteral("中药:水银仅供外用,不可内服")});
        page.onClickExternal();
        page.onAdd();
        QCOMPARE(page.entries().size(), 3);
    }

    void removingMovesTheSelectionUp()
    {
        analyWidget page;
        add(page, QStringLiteral("麻黄"), 9);
        add(page, QStringLiteral("桂枝"), 6);
        add(page, QStringLiteral("苦杏仁"), 6);
        page.onRemove(); // nothing selected
        QCOMPARE(page.entries().size(), 3);
        page.onClickCell(1, 0);
        page.onRemove();
        QCOMPARE(page.herbNames(), (QStringList{QStringLiteral("麻黄"), QStringLiteral("苦杏仁")}));
        QCOMPARE(page.selectedRow(), 0);
        page.onRemove();
        QCOMPARE(page.selectedRow(), -1);
        QCOMPARE(page.herbNames(), QStringList{QStringLiteral("苦杏仁")});
        QCOMPARE(page.table()->rowCount(), 1);
        page.onClear();
        QVERIFY(page.entries().isEmpty());
    }

    void analysingShowsTheReport()
    {
        analyWidget page;
        boxCatcher boxes;
        page.onAnaly(); // empty: nothing happens
        QVERIFY(boxes.messages.isEmpty());
        add(page, QStringLiteral("麻黄"), 9);
        add(page, QStringLiteral("桂枝"), 6);
        add(page, QStringLiteral("杏仁"), 6);
        add(page, QStringLiteral("甘草"), 3);
        page.onAnaly();
        QVERIFY(page.report()->toPlainText().startsWith(QStringLiteral("功效：")));
        QVERIFY(page.progressBar()->isHidden());
        page.onClickPill();
        QCOMPARE(page.form(), QStringLiteral("pill"));
        page.onClear();
        add(page, QStringLiteral("甘草"), 6);
        page.herbField()->setText(QStringLiteral("甘遂"));
        page.doseField()->setValue(1);
        page.onAdd();
        page.onAnaly();
        QCOMPARE(boxes.messages, QStringList{QStringLiteral("中药:甘草,甘遂不可配伍")});
        QVERIFY(page.progressBar()->isHidden());
        QCOMPARE(page.entries().size(), 2); // a failed analysis changes nothing
    }

    void filesRoundTrip()
    {
        const QString dir = freshTestDir(QStringLiteral("analysispage"));
        analyWidget page;
        boxCatcher boxes;
        add(page, QStringLiteral("当归"), 9);
        add(page, QStringLiteral("川芎"), 6);
        page.formButton(QStringLiteral("powder"))->click();
        QVERIFY(page.exportFile(dir + QStringLiteral("/a.pf")));

        analyWidget other;
        QVERIFY(other.importFile(dir + QStringLiteral("/a.pf")));
        QCOMPARE(other.herbNames(), page.herbNames());
        QCOMPARE(other.entries().at(1).dose, 6.0);
        QCOMPARE(other.form(), QStringLiteral("powder"));
        QVERIFY(other.formButton(QStringLiteral("powder"))->isChecked());

        const QString tablet = writeFile(dir, QStringLiteral("t.pf"),
            "<prescription><type>tablet</type><list><node><name>川军</name><doze>6</doze></node></list></prescription>");
        QVERIFY(other.importFile(tablet));
        QCOMPARE(other.form(), QStringLiteral("tablet"));
        QVERIFY(other.formButton(QStringLiteral("decoction"))->isChecked());
        QCOMPARE(other.herbNames(), QStringList{QStringLiteral("大黄")});
        QCOMPARE(other.table()->item(0, 1)->text(), QStringLiteral("6"));

        QVERIFY(boxes.messages.isEmpty());
        QVERIFY(!page.exportFile(dir + QStringLiteral("/no/such/folder/a.pf")));
        QCOMPARE(boxes.messages.size(), 1);
        QVERIFY(boxes.messages.first().contains(QStringLiteral("no/such/folder")));
    }

    // A file that is refused, for any reason, leaves the prescription, the
    // table, the form and the report as they were, and says why.
    void refusedImportsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const auto rx = [](const QString &nodes) {
            return (QStringLiteral("<prescription><type>pill</type><list>") + nodes + QStringLiteral("</list></prescription>")).toUtf8();
        };
        QTest::newRow("empty name") << rx(QStringLiteral("<node><name>桂枝</name><doze>6</doze></node><node><name></name><doze>6</doze></node>"))
                                    << QStringLiteral("处方文件中第2味中药没有名称");
        QTest::newRow("garbage") << QByteArray("PK\x03\x04 garbage") << QStringLiteral("x.pf不是有效的处方文件");
        QTest::newRow("deeply nested") << (QByteArray("<prescription><list>") + QByteArray("<node>").repeated(40000)
                                           + QByteArray("</node>").repeated(40000) + "</list></prescription>")
                                       << QStringLiteral("处方文件x.pf的层次嵌套过深,未予读取");
        QString many;
        for (int i = 0; i < 19; ++i)
            many += QStringLiteral("<node><name>药%1</name><doze>9</doze></node>").arg(i);
        QTest::newRow("19 herbs") << rx(many) << QStringLiteral("最大支持的中药味数味为:18");
        QTest::newRow("same herb twice") << rx(QStringLiteral("<node><name>大黄</name><doze>6</doze></node><node><name>川军</name><doze>6</doze></node>"))
                                         << QStringLiteral("中药:大黄已存在");
        QTest::newRow("dose 0") << rx(QStringLiteral("<node><name>桂枝</name><doze>0</doze></node>")) << QStringLiteral("中药:桂枝剂量异常");
    }

    void refusedImportsChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = writeFile(freshTestDir(QStringLiteral("refusedimport")), QStringLiteral("x.pf"), content);
        analyWidget page;
        boxCatcher boxes;
        // 八珍汤
        const QStringList herbs = {QStringLiteral("人参"), QStringLiteral("白术"), QStringLiteral("茯苓"), QStringLiteral("甘草"),
                                   QStringLiteral("当归"), QStringLiteral("川芎"), QStringLiteral("白芍"), QStringLiteral("熟地黄")};
        for (const QString &h : herbs)
            add(page, h, h == QStringLiteral("川芎") || h == QStringLiteral("甘草") ? 6 : 9);
        page.formButton(QStringLiteral("powder"))->click();
        page.onAnaly();
        const QStringList names = page.herbNames();
        const QString report = page.report()->toPlainText();
        QVERIFY(report.startsWith(QStringLiteral("功效：")));
        QCOMPARE(names.size(), 8);
        boxes.messages.clear();

        QVERIFY(!page.importFile(path));
        QCOMPARE(boxes.messages, QStringList{message});
        QCOMPARE(page.herbNames(), names);
        QCOMPARE(page.table()->rowCount(), 8);
        QCOMPARE(page.table()->item(7, 0)->text(), QStringLiteral("熟地黄"));
        QCOMPARE(page.form(), QStringLiteral("powder"));
        QVERIFY(page.formButton(QStringLiteral("powder"))->isChecked());
        QCOMPARE(page.report()->toPlainText(), report);

        // the pair grid keeps its herbs as well
        scriptGridWidget grid;
        grid.setHerbs(names);
        boxes.messages.clear();
        QVERIFY(!grid.importFile(path));
        QCOMPARE(boxes.messages, QStringList{message});
        QCOMPARE(grid.herbs(), names);
        QCOMPARE(grid.table()->rowCount(), 8);
        QCOMPARE(grid.table()->horizontalHeaderItem(0)->text(), QStringLiteral("人参"));
    }

    // A herb name read from a file is shown as it is written, not as markup.
    void namesFromFilesAreShownAsText()
    {
        const QString name = QStringLiteral("<h1 style=\"color:red\">红</h1><a href=\"http://x\">链接</a>");
        const QString path = writeFile(freshTestDir(QStringLiteral("markup")), QStringLiteral("m.pf"),
            QStringLiteral("<prescription><list><node><name>%1</name><doze>9</doze></node></list></prescription>")
                .arg(name.toHtmlEscaped()).toUtf8());
        analyWidget page;
        boxCatcher boxes;
        QVERIFY(page.importFile(path));
        QCOMPARE(page.herbNames(), QStringList{name});
        page.onAnaly(); // one herb the herb base does not know
        QCOMPARE(boxes.messages, QStringList{QStringLiteral("中药:%1不存在或未录入").arg(name)});
        QVERIFY2(boxes.markupTexts.isEmpty(), qPrintable(boxes.markupTexts.join(QLatin1Char('|'))));
    }

    void gridMarksPairsBothWays()
    {
        scriptGridWidget grid;
        grid.setHerbs({QStringLiteral("麻黄")});
        QCOMPARE(grid.table()->rowCount(), 1);
        QCOMPARE(grid.table()->item(0, 0)->background().color(), QColor(Qt::gray));
        grid.onClickCell(0, 0);
        QVERIFY(grid.label()->text().isEmpty());

        const int index = findPair(QStringLiteral("麻黄"), QStringLiteral("桂枝"));
        QVERIFY(index >= 0);
        // the stored order is 麻黄-桂枝; the grid is given the reverse order
        grid.setHerbs({QStringLiteral("桂枝"), QStringLiteral("龙肝"), QStringLiteral("麻黄")});
        QCOMPARE(grid.table()->item(0, 2)->data(32).toInt(), index);
        QCOMPARE(grid.table()->item(2, 0)->data(32).toInt(), index);
        QVERIFY(!grid.table()->item(0, 1));
        grid.onClickCell(2, 0);
        // the pair's functions, codes translated, each followed by ";" but the last
        QCOMPARE(grid.label()->text(), QStringLiteral("发汗解表;温通经脉"));
        QCOMPARE(grid.label()->textFormat(), Qt::PlainText);
        grid.onClickCell(0, 1);
        QVERIFY(grid.label()->text().isEmpty());

        const QString dir = freshTestDir(QStringLiteral("gridimport"));
        writePrescriptionFile(dir + QStringLiteral("/g.pf"), QStringLiteral("decoction"),
                              {{9, QStringLiteral("桂枝")}, {9, QStringLiteral("白芍")}});
        QVERIFY(grid.importFile(dir + QStringLiteral("/g.pf")));
        QCOMPARE(grid.herbs(), (QStringList{QStringLiteral("桂枝"), QStringLiteral("白芍")}));
        QCOMPARE(grid.table()->item(0, 0)->background().color(), QColor(100, 90, 90));
    }

    void frameSlidesToTheGridAndBack()
    {
        scriptWidget frame;
        frame.show();
        QTest::qWait(20); // the state machine starts with the event loop
        add(*frame.analysis(), QStringLiteral("麻黄"), 9);
        add(*frame.analysis(), QStringLiteral("桂枝"), 6);
        QCOMPARE(frame.analysis()->geometry(), QRect(0, 0, 806, 490));
        QCOMPARE(frame.grid()->geometry().width(), 0);
        QSignalSpy toGrid(&frame, &scriptWidget::triggeredGrid);
        frame.analysis()->onShowGrid();
        QCOMPARE(toGrid.count(), 1);
        QCOMPARE(frame.grid()->herbs(), (QStringList{QStringLiteral("麻黄"), QStringLiteral("桂枝")}));
        QTest::qWait(400); // part of the way
        const int midway = frame.grid()->geometry().width();
        QVERIFY(midway > 0 && midway < 806);
        frame.grid()->onBack(); // turns back from where the views are
        QTest::qWait(150);
        QVERIFY(frame.grid()->geometry().width() < midway + 200);
        QTRY_COMPARE_WITH_TIMEOUT(frame.analysis()->geometry(), QRect(0, 0, 806, 490), 3000);
        QVERIFY(!frame.showingGrid());
        frame.analysis()->onShowGrid();
        QTRY_COMPARE_WITH_TIMEOUT(frame.grid()->geometry(), QRect(0, 0, 806, 490), 3000);
        QVERIFY(frame.showingGrid());
    }
};

QTEST_MAIN(tst_analysispage)
#include "tst_analysispage.moc"
