#ifndef PAIRITEM_H
#define PAIRITEM_H

#include "pairherb.h"
#include "textset.h"

// One pair rule: its herbs, functions, indications, taboos and comments.
class pairItem
{
public:
    virtual ~pairItem();

    virtual bool addHerb(const pairHerb &herb) = 0;
    virtual int herbCount() const = 0;
    virtual pairHerb herbAt(int position) const = 0;
    virtual void clearHerbs();

    QString id;
    QString name;
    QString type;
    QString stem;
    textSet comments;
    textSet functions;
    textSet targets;
    textSet taboos;
    bool miss = false;
    bool external = false;
};

// A pair rule that holds at most N herbs.
template <int N>
class pairItemN : public pairItem
{
public:
    bool addHerb(const pairHerb &herb) override
    {
        if (m_count >= N)
            return false;
        m_herbs[m_count++] = herb;
        return true;
    }
    int herbCount() const override { return m_count; }
    pairHerb herbAt(int position) const override
    {
        return position >= 0 && position < m_count ? m_herbs[position] : pairHerb();
    }
    void clearHerbs() override
    {
        pairItem::clearHerbs();
        m_count = 0;
    }

private:
    pairHerb m_herbs[N];
    int m_count = 0;
};

using pairRule = pairItemN<2>;

#endif
