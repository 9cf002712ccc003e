// The data search window over small tables: what each mode offers the
// completer, its title and placeholder, and which duplicate a search shows.

#include "testsupport.h"

#include "acupuncture/acupointdata.h"
#include "acupuncture/searchwidget.h"
#include "browsers/folkdata.h"
#include "diagnosis/codenames.h"
#include "knowledge/knowledgearchive.h"
#include "text/phrasedictionary.h"

#include <QAbstractItemModel>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QStringList completions(const searchWidget &search)
{
    QStringList words;
    const QCompleter *completer = search.input()->completer();
    if (!completer)
        return words;
    const QAbstractItemModel *model = completer->model();
    for (int row = 0; row < model->rowCount(); ++row)
        words << model->index(row, 0).data().toString();
    words.sort();
    return words;
}
} // namespace

class tst_searchwindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        clearKnowledgeTables();
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
        QVERIFY(feedBytes(loadAcuPoints, withBom(QStringLiteral(
            "[J]甲经\r\n[I]同名\r\n[N]X1\r\n[L]first place\r\n[M]a\r\n"
            "[I]别名\r\n[N]X3\r\n[M]b\r\n"
            "[I]同名\r\n[N]X2\r\n[L]last place\r\n[M]c\r\n"))));
        QVERIFY(feedBytes(loadNameMap, withBom(QStringLiteral(
            "<map><item id=\"0301\" name=\"心血虚证\"/><item id=\"0302\" name=\"心气虚证\"/></map>"))));
        const QString dir = freshTestDir(QStringLiteral("searchwindow"));
        QFile f(dir + QStringLiteral("/syndromes.xml"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(withBom(QStringLiteral(
            "<list><item id=\"0302\"><key>心悸;气短</key><pulse>脉弱</pulse></item>"
            "<item id=\"0301\"><tongue>舌淡</tongue><desc>失眠@心悸;多梦</desc></item></list>")));
        f.close();
        QVERIFY(loadSyndromeTable(f.fileName()));
        QVERIFY(feedBytes(loadFolkRemedies, withBom(QStringLiteral(
            "[component]乌梅\r\n[target]自汗,盗汗\r\n[component]浮小麦\r\n[target]自汗,\r\n"))));
    }

    void acupointMode()
    {
        searchWidget search;
        QCOMPARE(search.title(), QStringLiteral("穴位查询"));
        QCOMPARE(search.input()->placeholderText(), QStringLiteral("水沟"));
        QCOMPARE(completions(search), (QStringList{QStringLiteral("别名"), QStringLiteral("同名")}));
        search.input()->setText(QStringLiteral("同名"));
        search.onSearch();
        // the last point of that name is shown
        QCOMPARE(search.result()->toPlainText(), QStringLiteral("J:甲经\nL:last place\nN:X2\nT:\nP:\nM:c\nC:\n"));
    }

    void symptomMode()
    {
        searchWidget search;
        search.modeButton(1)->click();
        QCOMPARE(completions(search), (QStringList{QStringLiteral("多梦"), QStringLiteral("失眠"), QStringLiteral("心悸"),
                                                   QStringLiteral("气短"), QStringLiteral("脉弱"), QStringLiteral("舌淡")}));
    }

    void folkMode()
    {
        searchWidget search;
        search.input()->setText(QStringLiteral("left over"));
        search.modeButton(2)->click();
        QCOMPARE(search.title(), QStringLiteral("偏方查询"));
        QCOMPARE(search.input()->placeholderText(), QStringLiteral("自汗"));
        QVERIFY(search.input()->text().isEmpty());
        // distinct complaints, the empty one left out
        QCOMPARE(completions(search), (QStringList{QStringLiteral("盗汗"), QStringLiteral("自汗")}));

        // back to the acupoints: their names again, not the complaints
        search.modeButton(0)->click();
        QCOMPARE(search.title(), QStringLiteral("穴位查询"));
        QCOMPARE(completions(search), (QStringList{QStringLiteral("别名"), QStringLiteral("同名")}));
    }
};

QTEST_MAIN(tst_searchwindow)
#include "tst_searchwindow.moc"
