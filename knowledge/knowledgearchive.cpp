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
#include "text/phrasedictionary.h"

#include <QDir>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <quazip.h>
#include <quazipfile.h>

#include <cstdio>
#include <functional>

namespace {

using deviceLoader = std::function<bool(QIODevice *)>;

enum class whenUnopenable {
    stopSilently,   // the whole loading ends, nothing is printed
    reportAndStop,  // "load file:<entry> failed." then the loading ends
    skip            // the entry is passed over
};

void reportFailure(const QString &entry)
{
    const QByteArray line = "load file:" + entry.toUtf8() + " failed.\n";
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}

// Loads one entry. Returns false when loading must stop.
bool loadEntry(QuaZip &zip, const QString &entry, const deviceLoader &loader, whenUnopenable rule)
{
    if (!zip.setCurrentFile(entry))
        return true;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) {
        if (rule == whenUnopenable::reportAndStop)
            reportFailure(entry);
        return rule == whenUnopenable::skip;
    }
    loader(&file);
    file.close();
    return true;
}

// Row 1: the herb list, then every listed record in ascending name order.
bool loadHerbs(QuaZip &zip)
{
    const QString listEntry = QStringLiteral("item/list.xml");
    if (!zip.setCurrentFile(listEntry))
        return true;
    QMap<QString, QString> idsByName;
    {
        QuaZipFile list(&zip);
        if (!list.open(QIODevice::ReadOnly))
            return false;
        const QDomElement root = loadXmlDevice(&list);
        list.close();
        for (QDomElement item = root.firstChildElement(); !item.isNull(); item = item.nextSiblingElement()) {
            if (item.tagName() == QLatin1String("name"))
                continue;
            const QDomElement idElement = item.firstChildElement();
            const QDomElement nameElement = idElement.nextSiblingElement();
            const QString name = nameElement.text();
            if (!idsByName.contains(name))
                idsByName.insert(name, idElement.text());
        }
    }
    for (auto it = idsByName.constBegin(); it != idsByName.constEnd(); ++it) {
        const QString entry = QStringLiteral("item/%1.xml").arg(it.value());
        if (!zip.setCurrentFile(entry))
            continue;
        QuaZipFile record(&zip);
        if (!record.open(QIODevice::ReadOnly))
            break; // the remaining herbs are not loaded; the archive goes on
        loadHerbRecord(&record);
        record.close();
    }
    return true;
}

// Row 17: rule files on disk, smallest first.
void loadDictFolder()
{
    QDir dir(QStringLiteral("data/dict"));
    if (!dir.exists())
        return;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                                                  QDir::Size | QDir::Reversed);
    for (const QFileInfo &info : files) {
        QFile file(info.canonicalFilePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        diagnosisNode::instance().readTextRules(&file);
        file.close();
    }
}

QString diagnosisEntry(int number)
{
    return QStringLiteral("diagnosis/0") + (number < 10 ? QStringLiteral("0") : QString())
        + QString::number(number) + QStringLiteral(".xml");
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
    loadDoseRanges(readArchiveEntry(&zip, QStringLiteral("item/dozemap.txt")));
    return true;
}

} // namespace

void loadKnowledgeArchive(const QString &archivePath)
{
    QuaZip zip(archivePath);
    if (!zip.open(QuaZip::mdUnzip))
        return;
    runSequence(zip);
    zip.close();
}

void loadKnowledgeArchive()
{
    loadKnowledgeArchive(knowledgeArchivePath());
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
}
