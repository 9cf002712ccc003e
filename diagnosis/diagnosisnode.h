#ifndef DIAGNOSISNODE_H
#define DIAGNOSISNODE_H

#include "complaintblock.h"
#include "complaintcategory.h"
#include "complaintrestriction.h"
#include "diagnosisrules.h"
#include "inbornitem.h"
#include "questiongroup.h"

#include <QDomElement>
#include <QList>
#include <QMap>
#include <QMultiMap>
#include <QObject>
#include <QSet>
#include <QStringList>

class QIODevice;

// The diagnosis engine: holds the questionnaires, the rules that turn answers
// into patterns, the complaint catalogue and its restrictions. One instance
// per process, created on first use.
class diagnosisNode : public QObject
{
    Q_OBJECT
public:
    static diagnosisNode &instance();

    // Readers used by the start-up loading; each adds to what is loaded.
    bool readGroupFile(QIODevice *device);
    bool readRules(const QDomElement &element);
    bool readMapFile(QIODevice *device);
    bool readTextRules(QIODevice *device);
    bool readComplaintCatalogue(QIODevice *device);
    bool readComplaintRestrictions(QIODevice *device);
    bool readCategories(const QDomElement &root);
    bool readJudgeRules(const QDomElement &root);

    // Questionnaire groups in load order; a group by id (null when none).
    const QList<questionGroup *> &groups() const { return m_groups; }
    const questionGroup *group(const QString &id) const;
    // The answer with that id, found through the group named by its first
    // part; null when there is none.
    const questionItem *findAnswer(const QString &answerId, const questionList **question = nullptr) const;

    const diagnosisRules &rules() const { return m_rules; }

    // The complaint catalogue.
    const QList<complaintBlock> &complaintBlocks() const { return m_blocks; }
    const QStringList &complaintCodes() const { return m_complaintCodes; }
    const complaintEntry *complaint(const QString &code) const;
    QString complaintDescription(const QString &code) const;
    QStringList complaintGroups(const QString &code) const;
    QStringList complaintFurtherGroups(const QString &code) const;
    QString complaintType(const QString &code) const;
    // Position of the complaint's department block; -1 when not catalogued.
    int departmentOf(const QString &code) const;

    QList<complaintRestriction> restrictions(const QString &key) const;
    const QMultiMap<QString, complaintRestriction> &restrictionTable() const { return m_restrictions; }
    const QList<complaintCategory> &categories() const { return m_categories; }
    const QList<inbornItem> &inbornItems() const { return m_inborn; }

    int groupCount() const { return int(m_groups.size()); }
    int cellCount() const { return int(m_rules.cellList.size()); }
    int complaintCount() const { return int(m_complaintCodes.size()); }

    // The consultation under way: its main complaint and department, the
    // answers confirmed so far and the pages still to show. One at a time.
    const QString &mainsuit() const { return m_mainsuit; }
    int department() const { return m_department; }
    const QSet<QString> &answers() const { return m_answers; }
    const QStringList &groupQueue() const { return m_groupQueue; }
    int nextIndex() const { return m_nextIndex; }

    // Starts a new consultation: complaint "9024" in department 0, no
    // answers, only the group chooser "888" queued.
    void reset();
    // Makes the department current and returns the description of the
    // complaint; empty when the code is not in that department.
    QString selectComplaint(int department, const QString &code);
    void setMainsuit(const QString &code);
    void addAnswers(const QStringList &ids);
    // Appends group ids to the pages still to show.
    void queueGroups(const QStringList &ids);
    // The position in the queue of the page to show next (and moves past
    // it); -1 when every queued page has been shown.
    int nextPageIndex();
    QString groupIdAt(int index) const;
    // True while pages remain after the one last handed out.
    bool morePagesQueued() const { return m_nextIndex < m_groupQueue.size(); }

    // Destroys the questionnaire objects; called once after the event loop.
    void cleanup();
    // Empties every table (for tests and tools that load other data).
    void clear();

private:
    diagnosisNode() = default;
    ~diagnosisNode() override;

    QList<questionGroup *> m_groups;
    diagnosisRules m_rules;
    QList<complaintBlock> m_blocks;
    QStringList m_complaintCodes;
    QMap<QString, complaintEntry> m_complaints;
    QMultiMap<QString, complaintRestriction> m_restrictions;
    QList<complaintCategory> m_categories;
    QList<inbornItem> m_inborn;

    QString m_mainsuit = QStringLiteral("9024");
    int m_department = 0;
    QSet<QString> m_answers;
    QStringList m_groupQueue{QStringLiteral("888")};
    int m_nextIndex = 0;
};

#endif
