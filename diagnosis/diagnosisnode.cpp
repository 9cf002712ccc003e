#include "diagnosisnode.h"

diagnosisNode &diagnosisNode::instance()
{
    static diagnosisNode node;
    return node;
}

bool diagnosisNode::readGroupFile(QIODevice *) { return false; }
bool diagnosisNode::readMapFile(QIODevice *) { return false; }
bool diagnosisNode::readTextRules(QIODevice *) { return true; }
bool diagnosisNode::readComplaintCatalogue(QIODevice *) { return false; }
bool diagnosisNode::readComplaintRestrictions(QIODevice *) { return false; }
bool diagnosisNode::readCategories(const QDomElement &root) { return !root.isNull(); }
bool diagnosisNode::readJudgeRules(const QDomElement &root) { return !root.isNull(); }
int diagnosisNode::groupCount() const { return 0; }
int diagnosisNode::cellCount() const { return 0; }
int diagnosisNode::complaintCount() const { return 0; }
void diagnosisNode::cleanup() {}
