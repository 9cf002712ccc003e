// Files the program writes, on a disk that is full: every write is replaced
// whole or not at all, so the old file stays as it was, nothing half-written
// is left beside it, and the failure is told.

#include "testsupport.h"

#include "analysis/analywidget.h"
#include "analysis/prescriptionfile.h"
#include "app/lcwidget.h"
#include "diagnosis/consultationfile.h"
#include "diagnosis/patientfile.h"
#include "frame/skinsettings.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

class tst_userfiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(loadStartupKnowledge());
        fullFolder probe(QStringLiteral("userfiles_probe"));
        if (!probe.mounted())
            qInfo("no file system can be mounted here: the file size limit stands in for a full disk");
    }

    void prescriptionFile()
    {
        fullFolder folder(QStringLiteral("userfiles_pf"));
        const QByteArray old = prescriptionFileText(QStringLiteral("pill"), {{6, QStringLiteral("甘草")}});
        QVERIFY(folder.put(QStringLiteral("a.pf"), old));
        const QString path = folder.path() + QStringLiteral("/a.pf");

        analyWidget page;
        boxCatcher boxes;
        page.herbField()->setText(QStringLiteral("当归"));
        page.doseField()->setValue(9);
        page.onAdd();
        folder.fill();
        QVERIFY(!writePrescriptionFile(path, QStringLiteral("decoction"), page.entries()));
        QVERIFY(!page.exportFile(path));
        folder.release();

        QCOMPARE(boxes.messages, QStringList{QStringLiteral("无法写入文件:%1").arg(path)});
        QCOMPARE(folder.read(QStringLiteral("a.pf")), old);
        QCOMPARE(folder.files(), QStringList{QStringLiteral("a.pf")});
        // With room again the same export goes through.
        QVERIFY(page.exportFile(path));
        QCOMPARE(folder.read(QStringLiteral("a.pf")), prescriptionFileText(QStringLiteral("decoction"), page.entries()));
    }

    // The personal information and consultation files, written on a full
    // disk over an older file of the same name.
    void diagnosisFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow(".psif") << "p.psif" << lookupPhrase(QStringLiteral("diagnosis"), QStringLiteral("psif_unwritable"));
        QTest::newRow(".dg") << "c.dg" << lookupPhrase(QStringLiteral("misc"), QStringLiteral("dg_unwritable"));
    }

    void diagnosisFiles()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        fullFolder folder(QStringLiteral("userfiles_diagnosis"));
        const QByteArray old("<?xml version=\"1.0\"?>\n<old/>\n");
        QVERIFY(folder.put(name, old));
        const QString path = folder.path() + QLatin1Char('/') + name;
        patientProfile profile;
        profile.name = QStringLiteral("张三");
        const auto write = [&](QString *why) {
            return name.endsWith(QLatin1String(".psif"))
                ? writePatientFile(path, profile, why)
                : writeConsultationFile(path, QStringLiteral("9024"), {QStringLiteral("001-0-0")}, why);
        };

        folder.fill();
        QString why;
        QVERIFY(!write(&why));
        folder.release();

        QCOMPARE(why, reason.arg(path));
        QCOMPARE(folder.read(name), old);
        QCOMPARE(folder.files(), QStringList{name});
        QVERIFY(write(&why));
        QVERIFY(folder.read(name) != old);
    }

    void settingsFile()
    {
        fullFolder folder(QStringLiteral("userfiles_ini"));
        const QByteArray old("[config]\ninit=true\nskin=skin/2_200.png\n");
        QVERIFY(folder.put(QStringLiteral("config.ini"), old));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        resetSkinCache();

        folder.fill();
        QVERIFY(!writeIniValue(settingsFilePath(), QStringLiteral("skin"), QStringLiteral("skin/7_200.png")));
        boxCatcher boxes;
        {
            lcWidget window;
            window.onChangeSkin(QStringLiteral("skin/5_200.png"));
        }
        folder.release();

        QCOMPARE(boxes.messages.size(), 1);
        QVERIFY2(boxes.messages.first().contains(QStringLiteral("config.ini")), qPrintable(boxes.messages.first()));
        QCOMPARE(folder.read(QStringLiteral("config.ini")), old);
        QCOMPARE(folder.files(), QStringList{QStringLiteral("config.ini")});
        QVERIFY(QDir::setCurrent(before));
        resetSkinCache();
    }

    void packedArchive()
    {
        fullFolder folder(QStringLiteral("userfiles_zip"));
        const QString source = freshTestDir(QStringLiteral("userfiles_zipsource"));
        QDir().mkpath(source + QStringLiteral("/item"));
        QFile dose(source + QStringLiteral("/item/dozemap.txt"));
        QVERIFY(dose.open(QIODevice::WriteOnly));
        dose.write(fillerText());
        dose.close();
        const QByteArray old("the archive of an earlier build");
        QVERIFY(folder.put(QStringLiteral("impl.zip"), old));

        QProcess packer;
        folder.limit(packer);
        folder.fill();
        packer.start(QStringLiteral(LC_MKARCHIVE_PATH), {source, folder.path() + QStringLiteral("/impl.zip")});
        QVERIFY(packer.waitForFinished(60000));
        folder.release();

        QCOMPARE(packer.exitCode(), 1);
        QVERIFY2(packer.readAllStandardError().contains("mkarchive: cannot write"), "the failure is told");
        QCOMPARE(folder.read(QStringLiteral("impl.zip")), old);
        QCOMPARE(folder.files(), QStringList{QStringLiteral("impl.zip")});
    }
};

QTEST_MAIN(tst_userfiles)
#include "tst_userfiles.moc"
