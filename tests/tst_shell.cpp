// Main window, page buttons, maximising, skins, first-run agreement, closing.

#include "testsupport.h"

#include "frame/abstractdialog.h"
#include "knowledge/knowledgearchive.h"
#include "app/lcwidget.h"
#include "app/licenseagreement.h"
#include "knowledge/loadfunctions.h"
#include "frame/skinsettings.h"
#include "app/skinwidget.h"
#include "app/skinwidgetblock.h"
#include "app/skinwidgetchoice.h"
#include "app/startup.h"
#include "app/titlewidget.h"
#include "app/toolbutton.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

class tst_shell : public QObject
{
    Q_OBJECT

    QString m_dir;

    void closeTopLevels()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            w->hide();
            w->deleteLater();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QStandardPaths::setTestModeEnabled(true); // the user's folders of this test only
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    }

    void init()
    {
        m_dir = freshTestDir(QStringLiteral("shell"));
        QVERIFY(QDir::setCurrent(m_dir));
        resetSkinCache();
    }

    void cleanup() { closeTopLevels(); }

    void pageButtonShowsItsPage()
    {
        lcWidget w;
        QCOMPARE(w.pages()->count(), 6);
        QCOMPARE(w.pages()->currentIndex(), 0);
        for (int i = 5; i >= 0; --i) {
            toolButton *b = w.title()->pageButton(i);
            QTest::mousePress(b, Qt::LeftButton); // reacts on press
            QCOMPARE(w.pages()->currentIndex(), i);
            QVERIFY(b->isSelected());
            QVERIFY(!w.title()->pageButton((i + 1) % 6)->isSelected());
        }
        QTest::mousePress(w.title()->pageButton(4), Qt::RightButton);
        QCOMPARE(w.pages()->currentIndex(), 0);
    }

    void outOfRangeIndexIgnored()
    {
        lcWidget w;
        w.onCurrentIndex(3);
        w.onCurrentIndex(6);
        w.onCurrentIndex(-1);
        QCOMPARE(w.pages()->currentIndex(), 3);
        w.title()->onTurnPage(QStringLiteral("abc")); // not a number: page 0
        QCOMPARE(w.pages()->currentIndex(), 0);
    }

    void maximiseTogglesBack()
    {
        lcWidget w;
        w.show();
        w.setGeometry(40, 50, 820, 630);
        const QRect before = w.geometry();
        QTest::mouseDClick(w.title(), Qt::LeftButton, {}, QPoint(300, 10));
        QVERIFY(w.isShownMaximized());
        QTest::mouseDClick(w.title(), Qt::LeftButton, {}, QPoint(300, 10));
        QVERIFY(!w.isShownMaximized());
        QCOMPARE(w.geometry(), before);
    }

    void skinDefaultAndChoice()
    {
        QCOMPARE(currentSkin(), QStringLiteral("skin/10_200.png"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QStringLiteral(LC_BINARY_DIR))); // the skins lie beside the program
        skinWidgetChoice chooser;
        QSignalSpy spy(&chooser, &skinWidgetChoice::changeSkin);
        skinWidget *third = chooser.block()->tiles().at(2);
        QTest::mouseClick(third->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toString(), QStringLiteral("skin/3_200.png"));
        // The pictures are decoded when the chooser is first shown, not when
        // the main window is built.
        QVERIFY(third->picture()->pixmap().isNull());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        chooser.hide();
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(third->picture()->pixmap().size(), QSize(144, 90));

        lcWidget w;
        boxCatcher boxes;
        w.onChangeSkin(spy.first().first().toString());
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(currentSkin(), QStringLiteral("skin/3_200.png"));
        QSettings ini(QStringLiteral("./config.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("config/skin")).toString(), QStringLiteral("skin/3_200.png"));
        resetSkinCache();
        QCOMPARE(currentSkin(), QStringLiteral("skin/3_200.png"));
    }

    void agreementFirstThenMainWindow()
    {
        showFirstWindow();
        auto *agreement = qobject_cast<licenseAgreement *>(QApplication::topLevelWidgets().value(0));
        QVERIFY(agreement);
        QVERIFY(agreement->isVisible());
        QCOMPARE(agreement->size(), QSize(400, 320));
        QVERIFY(agreement->findChild<QPushButton *>(QStringLiteral("yesButton")));
        {
            boxCatcher boxes;
            agreement->onYes();
            QVERIFY(boxes.messages.isEmpty()); // written: nothing to tell
        }
        QString init;
        QVERIFY(readIniValue(QStringLiteral("./config.ini"), QStringLiteral("init"), init));
        QCOMPARE(init, QStringLiteral("true"));
        closeTopLevels();

        showFirstWindow();
        const QWidgetList windows = QApplication::topLevelWidgets();
        bool mainShown = false;
        for (QWidget *w : windows) {
            QVERIFY(!qobject_cast<licenseAgreement *>(w));
            if (qobject_cast<lcWidget *>(w) && w->isVisible())
                mainShown = true;
        }
        QVERIFY(mainShown);
    }

    void settingsThatCannotBeWrittenAreTold()
    {
        // A folder of its own: the settings layer remembers unsaved values per file.
        const QString dir = freshTestDir(QStringLiteral("shell_unwritable"));
        QVERIFY(QDir::setCurrent(dir));
        QVERIFY(QDir().mkdir(QStringLiteral("config.ini"))); // a folder where the file should be
        const QString expected = QStringLiteral("设置无法保存到%1，下次启动时将不会保留本次的选择。")
                                     .arg(QDir::toNativeSeparators(dir + QStringLiteral("/config.ini")));
        boxCatcher boxes;
        auto *agreement = new licenseAgreement;
        agreement->show();
        agreement->onYes();
        QCOMPARE(boxes.messages, QStringList{expected});
        bool mainShown = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            mainShown = mainShown || (qobject_cast<lcWidget *>(w) && w->isVisible());
        QVERIFY(mainShown); // accepted all the same, for this run

        lcWidget w;
        w.onChangeSkin(QStringLiteral("skin/3_200.png"));
        QCOMPARE(boxes.messages, (QStringList{expected, expected}));
        QCOMPARE(currentSkin(), QStringLiteral("skin/3_200.png")); // the choice holds for this run
    }

    void programFolderIsTheWorkingFolder()
    {
        QVERIFY(enterProgramFolder());
        QCOMPARE(QFileInfo(settingsFilePath()).absoluteFilePath(),
                 QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("config.ini")));
    }

    // A program installed into a system folder: the agreement, the skin and
    // every other setting go to the user's configuration folder, made on the
    // first write, and are read back from there.
    void settingsOfAnUnwritableProgramFolderGoToTheUser()
    {
        const QString user = userSettingsFilePath();
        QVERIFY(!user.isEmpty());
        QCOMPARE(QFileInfo(user).fileName(), QStringLiteral("config.ini"));
        QDir(QFileInfo(user).absolutePath()).removeRecursively();

        QVERIFY(QDir::setCurrent(unwritableTestDir(QStringLiteral("shell_system"))));
        QCOMPARE(settingsFilePath(), user);

        showFirstWindow();
        auto *agreement = qobject_cast<licenseAgreement *>(QApplication::topLevelWidgets().value(0));
        QVERIFY(agreement);
        {
            boxCatcher boxes;
            agreement->onYes();
            QVERIFY2(boxes.messages.isEmpty(), qPrintable(boxes.messages.join('\n')));
        }
        QString init;
        QVERIFY(readIniValue(user, QStringLiteral("init"), init));
        QCOMPARE(init, QStringLiteral("true"));
        closeTopLevels();

        showFirstWindow();
        bool mainShown = false;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            QVERIFY(!qobject_cast<licenseAgreement *>(w));
            mainShown = mainShown || (qobject_cast<lcWidget *>(w) && w->isVisible());
        }
        QVERIFY(mainShown);

        boxCatcher boxes;
        lcWidget w;
        w.onChangeSkin(QStringLiteral("skin/5_200.png"));
        QVERIFY(boxes.messages.isEmpty());
        QSettings ini(user, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("config/skin")).toString(), QStringLiteral("skin/5_200.png"));
        resetSkinCache();
        QCOMPARE(currentSkin(), QStringLiteral("skin/5_200.png"));
    }

    // Whether a folder takes files is tried, and the trial leaves nothing.
    void foldersThatTakeFiles_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("takesFiles");
        const QString dir = freshTestDir(QStringLiteral("shell_probe"));
        QFile file(dir + QStringLiteral("/plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QTest::newRow("writable") << dir << true;
        QTest::newRow("missing") << dir + QStringLiteral("/missing") << false;
        QTest::newRow("a file") << dir + QStringLiteral("/plain") << false;
        QTest::newRow("unwritable") << unwritableTestDir(QStringLiteral("shell_probe_ro")) << false;
    }

    void foldersThatTakeFiles()
    {
        QFETCH(QString, folder);
        QFETCH(bool, takesFiles);
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(canCreateFilesIn(folder), takesFiles);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }

    // The file dialogs open in the program's folder while it takes files,
    // otherwise in a folder of the user's that does.
    void userFilesFolder()
    {
        QCOMPARE(userFileFolder(), QCoreApplication::applicationDirPath());
        const QString writable = freshTestDir(QStringLiteral("shell_userfiles"));
        QCOMPARE(userFileFolder(writable), writable);
        const QString system = unwritableTestDir(QStringLiteral("shell_userfiles_ro"));
        const QString fallback = userFileFolder(system);
        QVERIFY(fallback != system);
        QVERIFY2(canCreateFilesIn(fallback), qPrintable(fallback));
    }

    void agreementRefusedWritesNothing()
    {
        licenseAgreement *agreement = new licenseAgreement;
        agreement->show();
        agreement->onNo();
        QString init = QStringLiteral("x");
        readIniValue(QStringLiteral("./config.ini"), QStringLiteral("init"), init);
        QVERIFY(init.isEmpty());
    }

    void closingCollapsesThenEndsTheLoop()
    {
        auto *w = new lcWidget;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->move(120, 80); // the collapse starts from where the window is now
        const QRect start = w->geometry();
        QEventLoop loop;
        connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
        QList<QRect> seen;
        QTimer probe;
        connect(&probe, &QTimer::timeout, w, [&seen, w] { seen << w->geometry(); });
        probe.start(40);
        QTimer::singleShot(0, w->title(), &titleWidget::closeWidget);
        QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(loop.exec(), 0);
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(!seen.isEmpty());
        for (const QRect &g : seen) {
            QCOMPARE(g.x(), start.x());
            QCOMPARE(g.width(), start.width());
            QVERIFY(g.height() <= start.height());
        }
    }

    void warningBoxShowsTextAndCloses()
    {
        warnningBox box(lookupPhrase(QStringLiteral("script"), QStringLiteral("exist")).arg(QStringLiteral("甘草")));
        QCOMPARE(box.text(), QStringLiteral("中药:甘草已存在"));
        QCOMPARE(box.title(), QStringLiteral("Lumicara"));
        QTimer::singleShot(0, &box, [&box] {
            QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("warnningClose")), Qt::LeftButton);
        });
        box.exec();
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(tst_shell)
#include "tst_shell.moc"
