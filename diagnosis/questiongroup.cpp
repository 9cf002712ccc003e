#include "questiongroup.h"

const questionItem *questionGroup::findItem(const QString &answerId, const questionList **question) const
{
    for (const questionList &list : lists) {
        for (const questionItem &item : list.items) {
            if (item.id == answerId) {
                if (question)
                    *question = &list;
                return &item;
            }
        }
    }
    return nullptr;
}
