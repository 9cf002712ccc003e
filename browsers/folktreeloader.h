#ifndef FOLKTREELOADER_H
#define FOLKTREELOADER_H

#include "folkremedy.h"
#include "text/abstractfilereader.h"

// Reads the folk remedy file: the tags fill the remedy in hand; [target] ends
// it, once per complaint it names; [function] carries over.
class folkTreeLoader : public abstractFileReader
{
protected:
    void parseLine(const QString &tag, const QString &value) override;

private:
    folkRemedy m_remedy;
};

#endif
