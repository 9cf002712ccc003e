#ifndef DIAGNOSISNODE_H
#define DIAGNOSISNODE_H

#include <QDomElement>
#include <QObject>

class QIODevice;

// The diagnosis engine: holds the questionnaires and the rules that turn
// answers into patterns. One instance per process.
class diagnosisNode : public QObject
{
    Q_OBJECT
public:
    static diagnosisNode &instance();

    bool readGroupFile(QIODevice *device);
    bool readMapFile(QIODevice *device);
    bool readTextRules(QIODevice *device);
    bool readComplaintCatalogue(QIODevice *device);
    bool readComplaintRestrictions(QIODevice *device);
    bool readCategories(const QDomElement &root);
    bool readJudgeRules(const QDomElement &root);

    int groupCount() const;
    int cellCount() const;
    int complaintCount() const;

    // Destroys the questionnaire objects; called once after the event loop.
    void cleanup();

private:
    diagnosisNode() = default;
};

#endif
