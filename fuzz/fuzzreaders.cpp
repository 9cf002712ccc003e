#include "fuzzreaders.h"

#include "acupuncture/acupointdata.h"
#include "acupuncture/acuposition.h"
#include "analysis/prescriptionanalysis.h"
#include "analysis/prescriptionfile.h"
#include "browsers/folkdata.h"
#include "browsers/readertexts.h"
#include "diagnosis/answerfilter.h"
#include "diagnosis/codenames.h"
#include "diagnosis/consultationfile.h"
#include "diagnosis/diagnosisinference.h"
#include "diagnosis/diagnosisnode.h"
#include "diagnosis/patientfile.h"
#include "diagnosis/patientrecord.h"
#include "formulas/flowgraph.h"
#include "formulas/formulalibrary.h"
#include "herbs/herbbase.h"
#include "herbs/herbdose.h"
#include "knowledge/herbengine.h"
#include "knowledge/knowledgearchive.h"
#include "knowledge/loadfunctions.h"
#include "pairs/pairrules.h"
#include "text/codepage.h"
#include "text/phrasedictionary.h"
#include "update/releaseinfo.h"
#include "update/updatearchive.h"
#include "update/updatestartup.h"
#include "update/versionnumber.h"

#include <QBuffer>
#include <QDomDocument>
#include <QResource>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// Stops the run as a finding when a reader breaks a promise of its own.
void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz reader: %s\n", what);
        std::abort();
    }
}

using deviceLoader = std::function<bool(QIODevice *)>;

bool feed(const deviceLoader &loader, const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return loader(&buffer);
}

// Readers that take a path read the bytes as a resource file ":/lcfuzz/NAME",
// registered from memory for each run: a file on disk would cost a dozen
// system calls a run, which on a busy machine each wait for the processor.
// The data is Qt's binary resource format, version 1: a root folder holding
// one file.
uint resourceNameHash(const QString &name)
{
    uint h = 0;
    for (const QChar c : name) {
        h = (h << 4) + c.unicode();
        h ^= (h & 0xf0000000) >> 23;
        h &= 0x0fffffff;
    }
    return h;
}

QString writeScratch(const QByteArray &bytes, const char *name)
{
    static QByteArray registered;
    if (!registered.isEmpty())
        QResource::unregisterResource(reinterpret_cast<const uchar *>(registered.constData()), QStringLiteral("/lcfuzz"));
    const QString fileName = QLatin1String(name);
    QByteArray tree, names, data;
    const auto be16 = [](QByteArray &to, quint16 v) { to += char(v >> 8); to += char(v & 0xFF); };
    const auto be32 = [&be16](QByteArray &to, quint32 v) { be16(to, quint16(v >> 16)); be16(to, quint16(v & 0xFFFF)); };
    // node 0: the root folder (name, flags, child count, first child)
    be32(tree, 0); be16(tree, 0x02); be32(tree, 1); be32(tree, 1);
    // node 1: the file (name, flags, any territory, language C: the default, data)
    be32(tree, 0); be16(tree, 0); be16(tree, 0); be16(tree, 1); be32(tree, 0);
    be16(names, quint16(fileName.size()));
    be32(names, resourceNameHash(fileName));
    for (const QChar c : fileName)
        be16(names, c.unicode());
    be32(data, quint32(bytes.size()));
    data += bytes;
    QByteArray rcc("qres");
    const quint32 header = 20;
    be32(rcc, 1);
    be32(rcc, header);
    be32(rcc, header + quint32(tree.size() + names.size()));
    be32(rcc, header + quint32(tree.size()));
    rcc += tree + names + data;
    registered = rcc;
    require(QResource::registerResource(reinterpret_cast<const uchar *>(registered.constData()), QStringLiteral("/lcfuzz")),
            "cannot register the input as a resource");
    return QStringLiteral(":/lcfuzz/") + fileName;
}

// Empty tables, but the shipped phrases: the messages the readers and the
// queries build take their texts from there.
void clearAll()
{
    clearKnowledgeTables();
    if (phraseCount() == 0)
        loadPhraseDictionary(QStringLiteral(":/qrc/lang/lmap.xml"));
    patientRecord::setProfileDefaults();
}

// A prescription of the first herbs the rules name, analysed as a page would.
void analyseHerbs(const QStringList &names)
{
    QList<prescriptionEntry> entries;
    QSet<QString> seen;
    for (const QString &n : names) {
        const QString c = canonicalHerbName(n.trimmed());
        if (c.isEmpty() || seen.contains(c))
            continue;
        seen.insert(c);
        entries.append({9, c});
        if (entries.size() == maxPrescriptionHerbs)
            break;
    }
    for (const char *form : {"decoction", "pill"}) {
        prescriptionAnalysis analysis;
        analysis.setInput(QLatin1String(form), entries);
        analysis.analyse();
        analysis.explanationText();
        analysis.notesText();
    }
}

QStringList pairRuleHerbs()
{
    QStringList names;
    for (const pairRule &r : pairTable()) {
        for (int i = 0; i < r.herbCount(); ++i)
            names << r.herbAt(i).name;
    }
    return names;
}

// Answers for an inference: those the questionnaires offer, or a few codes
// of the shapes the rules use.
QSet<QString> someAnswers()
{
    QSet<QString> answers;
    for (const questionGroup *g : diagnosisNode::instance().groups()) {
        for (const questionList &l : g->lists) {
            for (const questionItem &i : l.items) {
                if (answers.size() < 40)
                    answers.insert(i.id);
            }
        }
    }
    const diagnosisRules &r = diagnosisNode::instance().rules();
    for (const diagnosisCell &c : r.cellList) {
        for (const QStringList &alternatives : c.key) {
            for (const QString &a : alternatives) {
                if (answers.size() < 80)
                    answers.insert(a);
            }
        }
    }
    if (answers.isEmpty())
        answers = {QStringLiteral("000-0-0"), QStringLiteral("000-0-1"), QStringLiteral("000-0-2"),
                   QStringLiteral("000-0-3")};
    return answers;
}

void infer(const QString &mainsuit, const QSet<QString> &answers)
{
    const diagnosisContext context = runInference(mainsuit, answers);
    diagnosisResultText(context, prescriptionSide::formula);
    diagnosisResultText(context, prescriptionSide::acupuncture);
    needsPrescriptionChoice(context);
    resultPattern(context);
}

void inferWithLoadedRules()
{
    const QSet<QString> answers = someAnswers();
    QString mainsuit = diagnosisNode::instance().rules().mainsuitMap.isEmpty()
                           ? QStringLiteral("001")
                           : diagnosisNode::instance().rules().mainsuitMap.firstKey();
    infer(mainsuit, answers);
    for (const QString &code : diagnosisNode::instance().complaintCodes().mid(0, 4)) {
        checkPatientAgainstComplaint(code);
        answerFilter filter = answerFilter::forPatient(code);
        for (const QString &id : filter.consultationGroups()) {
            if (const questionGroup *g = diagnosisNode::instance().group(id)) {
                for (const questionList &l : g->lists)
                    filter.visibleAnswers(l);
            }
        }
    }
}

// ---- the knowledge archive -------------------------------------------------

void runArchive(const QByteArray &bytes)
{
    clearAll();
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    loadKnowledgeArchive(&buffer);
    knowledgeDamageMessage();
    const knowledgeLoadState &state = lastKnowledgeLoad();
    require(!state.complete || state.archiveOpened, "a loading completed without an archive");
    analyseHerbs(pairRuleHerbs());
    inferWithLoadedRules();
}

// ---- herbs -------------------------------------------------------------------

void runHerbList(const QByteArray &bytes)
{
    clearAll();
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    readHerbList(&buffer);
}

void runHerbRecord(const QByteArray &bytes)
{
    clearAll();
    feed(loadHerbRecord, bytes);
    feed(loadHerbRecord, bytes); // a second record of the same names
    for (const herbRecord &r : herbTable()) {
        canonicalHerbName(r.name);
        for (const QString &a : r.alias)
            findHerbByName(a);
        herbNameById(r.id);
        doseFieldDecimals(r.name, QStringLiteral("decoction"));
    }
    analyseHerbs(herbNameWords());
}

void runDoseMap(const QByteArray &bytes)
{
    clearAll();
    feed(loadHerbRecord, "<data><id>0001</id><name>A</name></data>");
    loadDoseRanges(decodeSystemCodePage(bytes));
    for (const doseRangeEntry &d : doseRangeTable()) {
        for (const char *form : {"decoction", "pill", "external"}) {
            doseAccepted(d.name, d.lower, QLatin1String(form));
            doseAccepted(d.name, d.upper, QLatin1String(form));
            doseFieldDecimals(d.name, QLatin1String(form));
        }
        doseAboveLimit(d.name, d.upper + 1);
        doseText(d.upper);
    }
}

void runDosageForms(const QByteArray &bytes)
{
    clearAll();
    loadDosageForms(parseXmlBytes(bytes));
    for (auto it = dosageFormTable().begin(); it != dosageFormTable().end(); ++it)
        isAllowedInForm(it.key(), QStringLiteral("powder"));
}

void runDecoctionMethods(const QByteArray &bytes)
{
    clearAll();
    feed(loadDecoctionMethods, bytes);
    QStringList names;
    for (const decoctionMethodEntry &m : decoctionMethodTable()) {
        decoctionNote(m.name, m.method);
        names << m.name;
    }
    analyseHerbs(names);
}

// ---- pair rules --------------------------------------------------------------

void runPairList(const QByteArray &bytes)
{
    clearAll();
    feed(loadPairTable, bytes);
    const int count = int(qMin<qsizetype>(pairTable().size(), 64));
    for (int i = 0; i < count; ++i) {
        const pairRule &r = pairTable().at(i);
        pairTextByIndex(i);
        findPair(r.herbAt(0).name, r.herbAt(1).name);
        pairTextForHerb(r.herbAt(0).name);
        joinCodeSet(r.functions, true);
    }
    pairTextByIndex(-1);
    pairTextByIndex(int(pairTable().size()));
    analyseHerbs(pairRuleHerbs());
}

void runPairMap(const QByteArray &bytes)
{
    clearAll();
    loadPairMap(writeScratch(bytes, "pmap.xml"));
    textSet herbs;
    for (const QString &rule : pairMapRules())
        herbs.unite(splitToSet(rule.section(QLatin1Char('#'), 0, 0)));
    applyPairMap(herbs);
    analyseHerbs(QStringList(herbs.begin(), herbs.end()));
}

void runSuperPairs(const QByteArray &bytes)
{
    clearAll();
    feed(loadSuperPairs, bytes);
    QStringList names;
    for (const superPair &p : superPairTable()) {
        names << p.names;
        for (const superPairUnit &u : p.units)
            names << QStringList(u.data.begin(), u.data.end());
    }
    analyseHerbs(names);
}

void runCommonPairs(const QByteArray &bytes)
{
    clearAll();
    feed(loadCommonPairs, bytes);
    QStringList names;
    for (const commonPair &p : commonPairTable())
        names << QStringList(p.herbs.begin(), p.herbs.end());
    analyseHerbs(names);
}

void runCodeDictionary(const QByteArray &bytes)
{
    clearAll();
    feed(loadCodeDictionary, bytes);
    for (auto it = pairCodePhrases().begin(); it != pairCodePhrases().end(); ++it)
        translateCode(it.key());
    for (const textSet &group : pairCodeGroups())
        joinCodeSet(group, false);
}

void runHerbCategories(const QByteArray &bytes)
{
    clearAll();
    loadHerbCategories(writeScratch(bytes, "group.xml"));
    QStringList names;
    for (const herbCategoryNode &n : herbCategoryNodes())
        categoryNodeByName(n.item);
    for (const herbCategoryUnit &u : herbCategoryUnits())
        names << QStringList(u.herbs.begin(), u.herbs.end());
    analyseHerbs(names);
}

void runIncompatibility(const QByteArray &bytes)
{
    clearAll();
    feed(loadHateList, bytes);
    feed(loadOpposeList, bytes);
    QStringList names;
    for (const auto *table : {&hateList(), &opposeList()}) {
        for (const auto &p : *table)
            names << p.first << p.second;
    }
    findIncompatibleHerbs(textSet(names.begin(), names.end()), nullptr, nullptr);
    analyseHerbs(names);
}

// ---- formulas ----------------------------------------------------------------

void runClassicFormulas(const QByteArray &bytes)
{
    clearAll();
    feed(loadClassicFormulas, bytes);
    QStringList names;
    for (const classicFormula &f : classicFormulaTable()) {
        findClassicFormula(f.name);
        for (const auto *role : {&f.sovereign, &f.minister, &f.assistant, &f.envoy}) {
            for (const formulaHerb &h : *role)
                names << h.name;
        }
    }
    mergeLibraryFormulas();
    analyseHerbs(names);
}

void runDiagnosisFormulas(const QByteArray &bytes)
{
    clearAll();
    feed(loadDiagnosisFormulas, bytes);
    const QStringList symptoms = symptomIndex().keys().mid(0, 8);
    for (const QString &s : symptoms) {
        for (const formulaProposal &p : formulasForSymptom(s))
            formulaProposalText(p);
        for (const QString &pattern : patternsForSymptom(s).mid(0, 4))
            formulasForSymptomAndPattern(s, pattern);
    }
}

void runFlowFile(const QByteArray &bytes)
{
    clearAll();
    feed(loadFlowFile, bytes);
    feed(loadFlowFile, bytes);
    mergeLibraryFormulas();
    for (const flowLine &l : flowLines().mid(0, 32)) {
        indexOfUnit(l.fromName);
        indexOfUnit(l.toName);
    }
    shuffleFlowUnits();
}

void runHerbGroups(const QByteArray &bytes)
{
    clearAll();
    feed(loadHerbGroupFunctions, bytes);
    QStringList names;
    for (const herbGroupFunction &g : herbGroupTable()) {
        for (const QStringList &slot : g.slotList)
            names << slot.value(0);
    }
    analyseHerbs(names);
}

void runHerbUnits(const QByteArray &bytes)
{
    clearAll();
    feed(loadHerbUnits, bytes);
    analyseHerbs(herbUnitTable().keys());
}

// ---- diagnosis ---------------------------------------------------------------

void runGroupFile(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readGroupFile(d); }, bytes);
    for (const questionGroup *g : node.groups()) {
        for (const questionList &l : g->lists) {
            for (const questionItem &i : l.items)
                node.findAnswer(i.id);
        }
    }
    inferWithLoadedRules();
}

void runMapRules(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readMapFile(d); }, bytes);
    inferWithLoadedRules();
}

void runTextRules(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readTextRules(d); }, bytes);
    inferWithLoadedRules();
}

void runComplaintCatalogue(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readComplaintCatalogue(d); }, bytes);
    for (const QString &code : node.complaintCodes().mid(0, 16)) {
        node.departmentOf(code);
        node.complaintDescription(code);
        node.complaintFurtherGroups(code);
    }
    inferWithLoadedRules();
}

void runRestrictions(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode &node = diagnosisNode::instance();
    feed([&node](QIODevice *d) { return node.readComplaintRestrictions(d); }, bytes);
    const QStringList keys = node.restrictionTable().uniqueKeys().mid(0, 16);
    for (const QString &key : keys) {
        node.restrictions(key);
        checkPatientAgainstComplaint(key);
    }
}

void runJudgeRules(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode::instance().readJudgeRules(parseXmlBytes(bytes));
}

void runComplaintCategories(const QByteArray &bytes)
{
    clearAll();
    diagnosisNode::instance().readCategories(parseXmlBytes(bytes));
}

void runNameMap(const QByteArray &bytes)
{
    clearAll();
    feed(loadNameMap, bytes);
    lookupCodeName(QStringLiteral("0401"));
}

void runSyndromes(const QByteArray &bytes)
{
    clearAll();
    loadSyndromeTable(writeScratch(bytes, "syndrome.xml"));
    const QStringList words = syndromeWords();
    for (const QString &w : words.mid(0, 8))
        symptomSearchText(w);
    symptomSyndromeNames(QString());
}

// ---- acupuncture -------------------------------------------------------------

void runAcupoints(const QByteArray &bytes)
{
    clearAll();
    feed(loadAcuPoints, bytes);
    for (const acuPoint &p : acuPointTable().mid(0, 16)) {
        acuPointText(p.name);
        findAcuPointByCode(p.code);
    }
}

void runAcuScript(const QByteArray &bytes)
{
    clearAll();
    feed(loadAcuScript, bytes);
    for (auto it = acuScriptIdMap().begin(); it != acuScriptIdMap().end(); ++it)
        findAcuScripts(it.key());
}

void runAcuPositions(const QByteArray &bytes)
{
    const QList<acuPosition> positions = parseAcuPositions(decodeSystemCodePage(bytes));
    for (const acuPosition &p : positions) {
        require(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z), "a position that is no number");
        findAcuPosition(positions, p.code, nullptr);
    }
}

// ---- browsers ----------------------------------------------------------------

void runFolkCategories(const QByteArray &bytes)
{
    clearAll();
    feed(loadFolkCategories, bytes);
}

void runFolkRemedies(const QByteArray &bytes)
{
    clearAll();
    feed(loadFolkRemedies, bytes);
    for (const folkRemedy &r : folkTable().mid(0, 8))
        folkListing(r.target);
}

void runReaderVerses(const QByteArray &bytes)
{
    clearAll();
    feed(loadReaderVerses, bytes);
    require(readerVerseCount() <= readerTexts().size(), "more verses than texts");
}

void runReaderQuotes(const QByteArray &bytes)
{
    clearAll();
    feed(loadReaderQuotes, bytes);
}

// ---- resources and configuration ---------------------------------------------

void runPhrases(const QByteArray &bytes)
{
    clearKnowledgeTables();
    clearPhraseDictionary();
    loadPhraseDictionary(writeScratch(bytes, "lmap.xml"));
    QString shown;
    for (auto b = phraseBlocks().begin(); b != phraseBlocks().end(); ++b) {
        for (auto p = b->begin(); p != b->end(); ++p)
            shown = lookupPhrase(b.key(), p.key()).arg(QStringLiteral("x"));
    }
    clearPhraseDictionary(); // the shipped ones come back for the next run
}

void runConfig(const QByteArray &bytes)
{
    clearAll();
    herbEngine::instance().loadConfig(writeScratch(bytes, "config.xml"));
}

// ---- the user's files --------------------------------------------------------

void runPrescriptionFile(const QByteArray &bytes)
{
    clearAll();
    prescriptionFile read;
    if (!readPrescriptionFile(writeScratch(bytes, "input.pf"), &read)) {
        require(read.entries.isEmpty() && !read.refusal.isEmpty(), "a refused prescription file keeps entries");
        return;
    }
    require(read.entries.size() <= maxPrescriptionHerbs, "a prescription file of too many herbs");
    // What was read is written and read again unchanged.
    prescriptionFile again;
    require(readPrescriptionBytes(prescriptionFileText(read.form, read.entries), QStringLiteral("again.pf"), &again),
            "a prescription file written from one read is refused");
    require(again.entries.size() == read.entries.size(), "a prescription file changes when written again");
    for (int i = 0; i < read.entries.size(); ++i) {
        require(again.entries.at(i).name == read.entries.at(i).name, "a herb changes when written again");
        require(sameDose(again.entries.at(i).dose, read.entries.at(i).dose), "a dose changes when written again");
    }
    require(again.form == read.form, "the form changes when written again");
    analyseHerbs([&read] {
        QStringList names;
        for (const prescriptionEntry &e : read.entries)
            names << e.name;
        return names;
    }());
}

void runConsultationFile(const QByteArray &bytes)
{
    clearAll();
    QString input = QStringLiteral("unchanged");
    QString reason;
    if (!readConsultationInput(writeScratch(bytes, "input.dg"), &input, &reason)) {
        require(input == QLatin1String("unchanged") && !reason.isEmpty(), "a refused consultation file changes the input");
        return;
    }
    QString mainsuit;
    QSet<QString> answers;
    if (parseSymptomTestInput(input, &mainsuit, &answers))
        infer(mainsuit, answers);
}

void runPatientFile(const QByteArray &bytes)
{
    clearAll();
    patientProfile read;
    QString reason;
    if (!readPatientFile(writeScratch(bytes, "input.psif"), &read, &reason)) {
        require(!reason.isEmpty(), "a refused personal information file tells no reason");
        return;
    }
    // What was read is written and read again unchanged.
    patientProfile again;
    require(readPatientBytes(patientDocument(read), QStringLiteral("again.psif"), &again),
            "a personal information file written from one read is refused");
    require(again.name == read.name && again.sex == read.sex && again.age == read.age && again.height == read.height
                && again.weight == read.weight && again.occupation == read.occupation
                && again.location == read.location && again.inborn == read.inborn
                && (read.sex != 1 || again.state == read.state),
            "a personal information file changes when written again");
}

// The symptom test's input against the shipped knowledge.
void runSymptomTest(const QByteArray &bytes)
{
    if (diagnosisNode::instance().groupCount() == 0 || codeNameCount() == 0) {
        clearAll();
        loadStartupKnowledge();
    }
    QString mainsuit;
    QSet<QString> answers;
    if (parseSymptomTestInput(QString::fromUtf8(bytes), &mainsuit, &answers)) {
        infer(mainsuit, answers);
        checkPatientAgainstComplaint(mainsuit);
    }
}

// ---- the update program ------------------------------------------------------

void runUpdateManifest(const QByteArray &bytes)
{
    const QString text = decodeManifest(bytes);
    releaseInfo info;
    info.currentVersion = QStringLiteral("4.9.6.10");
    if (readReleaseInfo(text, info))
        require(versionNumber::accepts(info.version, info.currentVersion), "an older release is offered");
    versionNumber(text.left(64)).toString();
}

void runUpdateArchive(const QByteArray &bytes)
{
    QByteArray program;
    const archiveEntryResult result = readArchiveEntryData(bytes, QStringLiteral("LC"), program);
    require(result == archiveEntryResult::found || program.isEmpty(), "a refused archive hands out a program");
    matchesSha256(bytes, QStringLiteral("00"));
}

// ---- a device that fails part-way ----------------------------------------------

// Gives the bytes in pieces of a chosen size up to a chosen point, then fails
// every read without ever saying it is at its end.
class failingDevice : public QIODevice
{
public:
    failingDevice(const QByteArray &bytes, qint64 failAt, qint64 piece)
        : m_bytes(bytes), m_failAt(failAt), m_piece(piece)
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return false; }
    qint64 bytesAvailable() const override { return 0; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos >= m_failAt || m_pos >= m_bytes.size())
            return -1;
        qint64 n = qMin(maxSize, qMin(m_failAt, qint64(m_bytes.size())) - m_pos);
        if (m_piece > 0)
            n = qMin(n, m_piece);
        memcpy(data, m_bytes.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failAt;
    qint64 m_piece;
    qint64 m_pos = 0;
};

const QList<deviceLoader> &deviceLoaders()
{
    static const QList<deviceLoader> loaders = {
        loadHerbRecord, loadDecoctionMethods, loadPairTable, loadCodeDictionary, loadCommonPairs, loadSuperPairs,
        loadHateList, loadOpposeList, loadClassicFormulas, loadDiagnosisFormulas, loadHerbGroupFunctions,
        loadHerbUnits, loadFlowFile, loadNameMap, loadAcuPoints, loadAcuScript, loadFolkCategories,
        loadFolkRemedies, loadReaderVerses, loadReaderQuotes,
        [](QIODevice *d) { return diagnosisNode::instance().readGroupFile(d); },
        [](QIODevice *d) { return diagnosisNode::instance().readMapFile(d); },
        [](QIODevice *d) { return diagnosisNode::instance().readTextRules(d); },
        [](QIODevice *d) { return diagnosisNode::instance().readComplaintCatalogue(d); },
        [](QIODevice *d) { return diagnosisNode::instance().readComplaintRestrictions(d); },
        [](QIODevice *d) { return !readHerbList(d).isEmpty(); },
        [](QIODevice *d) { return loadKnowledgeArchive(d); },
    };
    return loaders;
}

// The first byte picks the reader, the next two where the device fails, the
// fourth the largest piece one read brings (0: as much as asked for).
void runFailingDevice(const QByteArray &bytes)
{
    if (bytes.size() < 4)
        return;
    clearAll();
    const auto *head = reinterpret_cast<const unsigned char *>(bytes.constData());
    const deviceLoader &loader = deviceLoaders().at(head[0] % deviceLoaders().size());
    const qint64 failAt = head[1] | (head[2] << 8);
    failingDevice device(bytes.mid(4), failAt, head[3]);
    loader(&device);
}

// The quick count of nesting that guards every XML parse: it may never come
// out lower than the stream reader's, and on a well-formed document it is
// the same.
void runXmlDepth(const QByteArray &bytes)
{
    for (const int limit : {0, 1, 2, 3, 8, maxXmlDepth}) {
        const bool quick = xmlNestedDeeperThan(bytes, limit);
        const bool stream = xmlStreamNestedDeeperThan(bytes, limit);
        require(quick || !stream, "the quick depth count is lower than the stream reader's");
        if (quick && !stream) {
            QDomDocument doc;
            require(!doc.setContent(bytes, false), "a well-formed document refused for a depth it does not have");
        }
    }
}

} // namespace

const QList<fuzzReader> &fuzzReaders()
{
    static const QList<fuzzReader> readers = {
        {"archive", runArchive},
        {"herb_list", runHerbList},
        {"herb_record", runHerbRecord},
        {"dose_map", runDoseMap},
        {"dosage_forms", runDosageForms},
        {"decoction_methods", runDecoctionMethods},
        {"pair_list", runPairList},
        {"pair_map", runPairMap},
        {"super_pairs", runSuperPairs},
        {"common_pairs", runCommonPairs},
        {"code_dictionary", runCodeDictionary},
        {"herb_categories", runHerbCategories},
        {"incompatibility", runIncompatibility},
        {"classic_formulas", runClassicFormulas},
        {"diagnosis_formulas", runDiagnosisFormulas},
        {"flow_file", runFlowFile},
        {"herb_groups", runHerbGroups},
        {"herb_units", runHerbUnits},
        {"group_file", runGroupFile},
        {"map_rules", runMapRules},
        {"text_rules", runTextRules},
        {"complaint_catalogue", runComplaintCatalogue},
        {"restrictions", runRestrictions},
        {"judge_rules", runJudgeRules},
        {"complaint_categories", runComplaintCategories},
        {"name_map", runNameMap},
        {"syndromes", runSyndromes},
        {"acupoints", runAcupoints},
        {"acu_script", runAcuScript},
        {"acu_positions", runAcuPositions},
        {"folk_categories", runFolkCategories},
        {"folk_remedies", runFolkRemedies},
        {"reader_verses", runReaderVerses},
        {"reader_quotes", runReaderQuotes},
        {"phrases", runPhrases},
        {"config", runConfig},
        {"prescription_file", runPrescriptionFile},
        {"consultation_file", runConsultationFile},
        {"patient_file", runPatientFile},
        {"symptom_test", runSymptomTest},
        {"update_manifest", runUpdateManifest},
        {"update_archive", runUpdateArchive},
        {"failing_device", runFailingDevice},
        {"xml_depth", runXmlDepth},
    };
    return readers;
}

const fuzzReader *findFuzzReader(const QByteArray &name)
{
    for (const fuzzReader &r : fuzzReaders()) {
        if (name == r.name)
            return &r;
    }
    return nullptr;
}
