#include "settingswarning.h"

#include "knowledge/loadfunctions.h"
#include "text/phrasedictionary.h"
#include "text/warnningbox.h"

#include <QDir>
#include <QFileInfo>

void warnSettingsNotSaved(QWidget *parent)
{
    const QString path = QDir::toNativeSeparators(QFileInfo(settingsFilePath()).absoluteFilePath());
    showWarning(lookupPhrase(QStringLiteral("software"), QStringLiteral("settingsnotsaved")).arg(path), parent);
}
