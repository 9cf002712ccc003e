#include "knowledgearchive.h"

#include "acupuncture/acupointdata.h"
#include "knowledge/herbengine.h"
#include "knowledge/loadfunctions.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "diagnosis/codenames.h"
#include "diagnosis/diagnosisnode.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "pairs/pairrules.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <quazip.h>

#include <cstdio>
#include <functional>

namespace {

using deviceLoader = std::function<bool(QIODevice *)>;

enum class whenUnopenable {
    stopSilently,   // the whole loading ends, nothing is printed
    reportAndStop,  // "load file:<entry> failed." then the loading ends
    skip            // the entry is passed over
};

knowledgeLoadState &loadState()
{
    static knowledgeLoadState state;
    return state;
}

void reportFailure(const QString &entry)
{
    const QByteArray line = "load file:" + entry.toUtf8() + " failed.\n";
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

// Reads an entry whole and verified. An entry that is there but cannot be
// read is remembered for the start-up message. Returns false for such an entry.
bool readEntry(QuaZip &zip, const QString &entry, QByteArray *bytes, bool *present)
{
    const archiveEntryRead result = readArchiveBytes(&zip, entry, bytes);
    *present = result != archiveEntryRead::missing;
    if (result == archiveEntryRead::unreadable)
        loadState().unreadableEntries << entry;
    return result == archiveEntryRead::complete;
}

// Loads one entry. Returns false when loading must stop.
bool loadEntry(QuaZip &zip, const QString &entry, const deviceLoader &loader, whenUnopenable rule)
{
    QByteArray bytes;
    bool present = false;
    if (!readEntry(zip, entry, &bytes, &present)) {
        if (!present)
            return true;
        if (rule == whenUnopenable::reportAndStop)
            reportFailure(entry);
        return rule == whenUnopenable::skip;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    loader(&buffer);
    return true;
}

// Row 1: the herb list, then every listed record in ascending name order.
bool loadHerbs(QuaZip &zip)
{
    QByteArray bytes;
    bool present = false;
    if (!readEntry(zip, QStringLiteral("item/list.xml"), &bytes, &present))
        return !present;
    QMap<QString, QString> idsByName;
    {
        QBuffer list(&bytes);
        list.open(QIODevice::ReadOnly);
        idsByName = readHerbList(&list);
    }
    for (auto it = idsByName.constBegin(); it != idsByName.constEnd(); ++it) {
        if (!readEntry(zip, QStringLiteral("item/%1.xml").arg(it.value()), &bytes, &present)) {
            if (!present)
                continue;
            break; // the remaining herbs are not loaded; the archive goes on
        }
        QBuffer record(&bytes);
        record.open(QIODevice::ReadOnly);
        loadHerbRecord(&record);
    }
    return true;
}

// Row 17: rule files on disk, smallest first.
void loadDictFolder()
{
    for (const QString &path : dictFolderFiles(QStringLiteral("data/dict"))) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        diagnosisNode::instance().readTextRules(&file);
        file.close();
    }
}

// "diagnosis/007.xml": the group number in three digits.
QString diagnosisEntry(int number)
{
    return QStringLiteral("diagnosis/%1.xml").arg(number, 3, 10, QLatin1Char('0'));
}

bool runSequence(QuaZip &zip)
{
    const auto report = whenUnopenable::reportAndStop;
    const auto skip = whenUnopenable::skip;
    diagnosisNode &node = diagnosisNode::instance();

    if (!loadHerbs(zip))
        return false;
    if (!loadEntry(zip, QStringLiteral("script/basic.xml"), loadClassicFormulas, report)
        || !loadEntry(zip, QStringLiteral("pair/plist22.xml"), loadPairTable, report)
        || !loadEntry(zip, QStringLiteral("pair/dict.xml"), loadCodeDictionary, report)
        || !loadEntry(zip, QStringLiteral("pair/common_pair.xml"), loadCommonPairs, report)
        || !loadEntry(zip, QStringLiteral("pair/super_pair.xml"), loadSuperPairs, report)
        || !loadEntry(zip, QStringLiteral("script/scripts.xml"), loadDiagnosisFormulas, report)
        || !loadEntry(zip, QStringLiteral("data/acupoint.txt"), loadAcuPoints, whenUnopenable::stopSilently)
        || !loadEntry(zip, QStringLiteral("folk/folk.xml"), loadFolkCategories, report)
        || !loadEntry(zip, QStringLiteral("folk/data.txt"), loadFolkRemedies, whenUnopenable::stopSilently)
        || !loadEntry(zip, QStringLiteral("wisdom/songs.txt"), loadReaderVerses, report)
        || !loadEntry(zip, QStringLiteral("script/hate.xml"), loadHateList, report)
        || !loadEntry(zip, QStringLiteral("script/oppose.xml"), loadOpposeList, report))
        return false;

    static const char *const quoteFiles[] = {"wisdom/quote.xml", "wisdom/lpf.xml", "wisdom/njquote.xml",
                                             "wisdom/wbtb.xml", "wisdom/quotemisc.xml", "wisdom/xfquote.xml"};
    for (const char *q : quoteFiles)
        loadEntry(zip, QLatin1String(q), loadReaderQuotes, skip);

    const auto readGroup = [&node](QIODevice *d) { return node.readGroupFile(d); };
    for (int i = 0; i <= 50; ++i)
        loadEntry(zip, diagnosisEntry(i), readGroup, skip);
    loadEntry(zip, QStringLiteral("diagnosis/888.xml"), readGroup, skip);
    loadEntry(zip, QStringLiteral("diagnosis/999.xml"), readGroup, skip);

    if (!loadEntry(zip, QStringLiteral("diagnosis/map.xml"),
                   [&node](QIODevice *d) { return node.readMapFile(d); }, report))
        return false;
    loadDictFolder();
    if (!loadEntry(zip, QStringLiteral("diagnosis/diagnosis_data.xml"),
                   [&node](QIODevice *d) { return node.readComplaintCatalogue(d); }, report)
        || !loadEntry(zip, QStringLiteral("data/namemap.xml"), loadNameMap, report)
        || !loadEntry(zip, QStringLiteral("diagnosis/contradiction.xml"),
                      [&node](QIODevice *d) { return node.readComplaintRestrictions(d); }, report)
        || !loadEntry(zip, QStringLiteral("script/script_flow.xml"), loadFlowFile, report)
        || !loadEntry(zip, QStringLiteral("script/line.xml"), loadFlowFile, report))
        return false;
    mergeLibraryFormulas();
    if (!loadEntry(zip, QStringLiteral("script/script_translation.xml"), loadHerbGroupFunctions, report)
        || !loadEntry(zip, QStringLiteral("script/acu_script.txt"), loadAcuScript, report)
        || !loadEntry(zip, QStringLiteral("script/herb_unit.xml"), loadHerbUnits, report)
        || !loadEntry(zip, QStringLiteral("script/method_table.xml"), loadDecoctionMethods, report))
        return false;
    // An unreadable dose table is read as empty text; it is still reported,
    // since without it no dose is checked against its herb's range.
    const QString doses = QStringLiteral("item/dozemap.txt");
    QByteArray bytes;
    bool present = false;
    if (!readEntry(zip, doses, &bytes, &present) && present)
        reportFailure(doses);
    loadDoseRanges(decodeSystemCodePage(bytes));
    return true;
}

} // namespace

QStringList dictFolderFiles(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    if (!dir.exists())
        return paths;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                                                  QDir::Size | QDir::Reversed);
    for (const QFileInfo &info : files)
        paths << info.canonicalFilePath();
    return paths;
}

namespace {
bool loadArchive(QuaZip &zip, const QString &archivePath)
{
    knowledgeLoadState &state = loadState();
    state = knowledgeLoadState();
    state.archivePath = archivePath;
    if (!zip.open(QuaZip::mdUnzip))
        return false;
    state.archiveOpened = true;
    state.complete = runSequence(zip);
    zip.close();
    return true;
}
} // namespace

bool loadKnowledgeArchive(const QString &archivePath)
{
    QuaZip zip(archivePath);
    return loadArchive(zip, archivePath);
}

bool loadKnowledgeArchive(QIODevice *device)
{
    QuaZip zip(device);
    return loadArchive(zip, QString());
}

bool loadKnowledgeArchive()
{
    return loadKnowledgeArchive(knowledgeArchivePath());
}

const knowledgeLoadState &lastKnowledgeLoad()
{
    return loadState();
}

QString knowledgeDamageMessage()
{
    const knowledgeLoadState &state = loadState();
    if (state.archiveOpened && state.unreadableEntries.isEmpty())
        return QString();
    const QString what = state.archiveOpened ? state.unreadableEntries.join(QStringLiteral("、"))
                                             : QFileInfo(state.archivePath).fileName();
    return lookupPhrase(QStringLiteral("software"), QStringLiteral("knowledgedamaged")).arg(what);
}

bool loadStartupKnowledge()
{
    loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    loadPairMap(QStringLiteral(":/qrc/pair/pmap.xml"));
    loadKnowledgeArchive();
    return herbEngine::instance().loadConfig(configurationPath());
}

void loadDiagnosisCategories()
{
    diagnosisNode::instance().readCategories(loadXmlRoot(QStringLiteral(":/qrc/diagnosis/diaglist.xml")));
}

void clearKnowledgeTables()
{
    clearHerbBase();
    clearCodeNames();
    clearPairRules();
    clearFormulaLibrary();
    clearFlowGraph();
    clearAcupointData();
    clearFolkData();
    clearReaderTexts();
    diagnosisNode::instance().clear();
    loadState() = knowledgeLoadState();
}
