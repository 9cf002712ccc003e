// Knowledge archives made to break the loading: every entry of the loading
// sequence truncated, empty, not XML, in the wrong encoding, nested ten
// megabytes deep, with a bad CRC, or a whole gibibyte of zeros. The loading
// ends, in bounded memory, in the state the failure rules give.

#include "testsupport.h"

#include "herbs/herbbase.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QFile>
#include <QtTest>

#include <quazip.h>

#include <sys/resource.h>

namespace {

enum class damage {
    truncated,     // the first half of the real entry
    empty,         // no bytes
    notXml,        // binary bytes
    wrongEncoding, // the real text in another encoding than it declares or than is read
    nested,        // ten megabytes of elements inside one another
    badCrc,        // a flipped byte in the compressed data
    gibibyte,      // a GiB of zeros (its size refused before it is inflated)
    gibibyteUnderstated // the same, with a directory that claims one KiB
};

const char *const damageNames[] = {"truncated", "empty", "not XML", "wrong encoding", "nested", "bad CRC",
                                   "1 GiB", "1 GiB understated"};

// Whether the damage leaves an entry that reads whole and verified.
bool readable(damage d)
{
    return d < damage::badCrc;
}

// Entries that are read in the system code page, not as XML.
bool inCodePage(const QString &entry)
{
    return entry == QLatin1String("wisdom/songs.txt") || entry == QLatin1String("script/acu_script.txt")
        || entry == QLatin1String("item/dozemap.txt");
}

QByteArray shippedEntry(const QString &entry)
{
    QuaZip zip(QStringLiteral(":qrc/impl.zip"));
    if (!zip.open(QuaZip::mdUnzip))
        return QByteArray();
    QByteArray bytes;
    readArchiveBytes(&zip, entry, &bytes);
    zip.close();
    return bytes;
}

QByteArray nestedElements()
{
    QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const QByteArray open("<list>");
    bytes.reserve(10 * 1024 * 1024 + 64);
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += open;
    return bytes;
}

testEntry damagedEntry(const QString &name, damage d)
{
    const QByteArray real = shippedEntry(name);
    testEntry e{name, real};
    switch (d) {
    case damage::truncated:
        e.data = real.left(real.size() / 2);
        break;
    case damage::empty:
        e.data.clear();
        break;
    case damage::notXml:
        e.data.clear();
        for (int i = 0; i < 4096; ++i)
            e.data += char((i * 131 + 7) % 256);
        break;
    case damage::wrongEncoding:
        if (inCodePage(name)) {
            const QString text = decodeSystemCodePage(real);
            e.data = QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2); // UTF-16, no mark
        } else {
            e.data = encodeSystemCodePage(QString::fromUtf8(real)); // says UTF-8, is GB18030
        }
        break;
    case damage::nested:
        e.data = nestedElements();
        break;
    case damage::badCrc:
        e.data = real.size() > 2048 ? real : fillerText(QString::fromUtf8(real));
        e.corrupt = true;
        break;
    case damage::gibibyte:
        e.zeroBytes = 1024 * 1024 * 1024;
        break;
    case damage::gibibyteUnderstated:
        e.zeroBytes = 1024 * 1024 * 1024;
        e.declaredSize = 1024;
        break;
    }
    return e;
}

// Under AddressSanitizer the process keeps freed memory aside and shadows
// all of it, so its peak says nothing about what the loading held.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoryMeasured = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool memoryMeasured = false;
#else
constexpr bool memoryMeasured = true;
#endif
#else
constexpr bool memoryMeasured = true;
#endif

// Peak resident memory of this process so far.
qint64 peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const QString herbList = QStringLiteral("item/list.xml");
const QString herbRecordEntry = QStringLiteral("item/0001.xml");
const QString doseTable = QStringLiteral("item/dozemap.txt");

} // namespace

class tst_hostileknowledge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml")); }
    void init() { clearKnowledgeTables(); }

    void everyEntryEveryDamage_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("kind");
        QList<archiveRow> rows = archiveRows();
        // A herb record that cannot be read ends the herbs, not the loading.
        rows.insert(1, {1, "item/0001.xml", onFailure::skip});
        for (const archiveRow &r : rows) {
            for (int d = 0; d <= int(damage::gibibyteUnderstated); ++d)
                QTest::addRow("%d %s %s", r.row, r.entry, damageNames[d]) << QString::fromLatin1(r.entry) << int(r.rule) << d;
        }
    }

    // Beside the damaged entry the archive holds a herb list that names
    // record 0001, the record, and the dose table (the last row) as a marker
    // that tells whether the loading went past the damage.
    void everyEntryEveryDamage()
    {
        QFETCH(QString, entry);
        QFETCH(int, rule);
        QFETCH(int, kind);
        const auto d = damage(kind);
        QList<testEntry> entries{damagedEntry(entry, d)};
        if (entry != herbList)
            entries << testEntry{herbList, withBom(QStringLiteral("<list><item><id>0001</id><name>甲</name></item></list>"))};
        if (entry != herbRecordEntry)
            entries << testEntry{herbRecordEntry, shippedEntry(herbRecordEntry)};
        if (entry != doseTable)
            entries << testEntry{doseTable, doseLines()};
        const QString path = freshTestDir(QStringLiteral("hostile")) + QStringLiteral("/impl.zip");
        QVERIFY(writeTestArchive(path, entries));

        QVERIFY(loadKnowledgeArchive(path));
        const knowledgeLoadState &state = lastKnowledgeLoad();
        const auto expected = onFailure(rule);
        const bool goesOn = readable(d) || expected == onFailure::skip || expected == onFailure::readEmpty;
        QCOMPARE(state.complete, goesOn);
        QCOMPARE(state.unreadableEntries, readable(d) ? QStringList() : QStringList{entry});
        if (entry != doseTable)
            QCOMPARE(doseRangeTable().size(), goesOn ? 300 : 0);
        else if (!readable(d))
            QCOMPARE(doseRangeTable().size(), 0);
        if (entry != herbList && entry != herbRecordEntry)
            QCOMPARE(herbTable().size(), 1);
        // Nothing was ever inflated to its gibibyte.
        if (memoryMeasured)
            QVERIFY2(peakMemoryKiB() < 768 * 1024, qPrintable(QString::number(peakMemoryKiB())));
    }

    // The shipped archive cut short, or with its middle wiped: the loading
    // ends with the damage told, whatever it met.
    void damagedArchiveFile_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("wiped");
        for (const int p : {1, 25, 50, 99})
            QTest::addRow("cut at %d%%", p) << p << false;
        for (const int p : {10, 50, 90})
            QTest::addRow("wiped at %d%%", p) << p << true;
    }

    void damagedArchiveFile()
    {
        QFETCH(int, percent);
        QFETCH(bool, wiped);
        QFile shipped(QStringLiteral(":qrc/impl.zip"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray bytes = shipped.readAll();
        const qsizetype at = bytes.size() * percent / 100;
        if (wiped)
            memset(bytes.data() + at, 0, size_t(qMin<qsizetype>(65536, bytes.size() - at - 1024)));
        else
            bytes.truncate(at);
        const QString path = freshTestDir(QStringLiteral("hostilefile")) + QStringLiteral("/impl.zip");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();

        loadKnowledgeArchive(path);
        const knowledgeLoadState &state = lastKnowledgeLoad();
        // A cut archive has lost its directory; a wiped one opens and meets
        // entries that do not verify.
        QCOMPARE(state.archiveOpened, wiped);
        if (wiped)
            QVERIFY(!state.unreadableEntries.isEmpty());
        const QString told = wiped ? state.unreadableEntries.join(QStringLiteral("、")) : QStringLiteral("impl.zip");
        QVERIFY2(knowledgeDamageMessage().startsWith(QStringLiteral("知识库文件%1已损坏").arg(told)),
                 qPrintable(knowledgeDamageMessage()));
    }
};

QTEST_GUILESS_MAIN(tst_hostileknowledge)
#include "tst_hostileknowledge.moc"
