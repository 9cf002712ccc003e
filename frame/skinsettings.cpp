#include "skinsettings.h"

#include "knowledge/loadfunctions.h"

namespace {
QString &cachedSkin()
{
    static QString skin;
    return skin;
}
} // namespace

QString skinPath(int number)
{
    return QStringLiteral("skin/%1_200.png").arg(number);
}

QString currentSkin()
{
    QString &skin = cachedSkin();
    if (skin.isEmpty()) {
        QString value;
        readIniValue(settingsFilePath(), QStringLiteral("skin"), value);
        skin = value.isEmpty() ? skinPath(10) : value;
    }
    return skin;
}

bool setSkin(const QString &path)
{
    cachedSkin() = path;
    return writeIniValue(settingsFilePath(), QStringLiteral("skin"), path);
}

void resetSkinCache()
{
    cachedSkin().clear();
}
