#include "skinwidgetchoice.h"

#include "skinwidgetblock.h"
#include "text/phrasedictionary.h"

skinWidgetChoice::skinWidgetChoice(QWidget *parent)
    : abstractWidget(parent)
{
    setTitle(lookupPhrase(QStringLiteral("software"), QStringLiteral("settingskin")));
    m_block = new skinWidgetBlock(this);
    addContent(m_block);
    connect(m_block, &skinWidgetBlock::changeSkin, this, &skinWidgetChoice::varyfySkin);
    resize(640, 320);
}

void skinWidgetChoice::varyfySkin(const QString &path)
{
    emit changeSkin(path);
}
