#include "pagefactory.h"

#include "acupuncture/acupoint3dwidget.h"
#include "acupuncture/searchwidget.h"
#include "analysis/herbcompare.h"
#include "analysis/scriptwidget.h"
#include "browsers/herbinfo.h"
#include "browsers/pairinfo.h"
#include "browsers/readerwidget.h"
#include "diagnosis/diagnosiswidget.h"
#include "diagnosis/symptomdebug.h"
#include "formulas/scriptflow.h"
#include "frame/framechrome.h"
#include "text/phrasedictionary.h"

#include <QLabel>

namespace {
QWidget *placeholder(const char *captionKey, QWidget *parent)
{
    auto *page = new QLabel(lookupPhrase(QStringLiteral("software"), QLatin1String(captionKey)), parent);
    page->setAlignment(Qt::AlignCenter);
    setWhiteBackground(page);
    return page;
}
} // namespace

QWidget *createMainPage(int index, QWidget *parent)
{
    static const char *const captions[] = {"herbbrowser", "acupoint3d", "pairlist",
                                           "agentiaanaly", "agentiaflow", "diseasediagnosis"};
    switch (index) {
    case 0:
        return new herbInfo(parent);
    case 1:
        // Without OpenGL (a display server that offers none) the page stays
        // a plain placeholder instead of taking the window down.
        if (acupoint3DWidget::openGLAvailable())
            return new acupoint3DWidget(parent);
        return placeholder(captions[index], parent);
    case 2:
        return new pairInfo(parent);
    case 3:
        return new scriptWidget(parent);
    case 4:
        return new scriptFlow(parent);
    case 5:
        return new diagnosisWidget(parent);
    default:
        return placeholder(captions[index], parent);
    }
}

void showReaderDialog(QWidget *parent)
{
    readerWidget dialog(parent);
    dialog.exec();
}

void showHerbComparerDialog(QWidget *parent)
{
    herbCompare dialog(parent);
    dialog.exec();
}

void showDataSearchDialog(QWidget *parent)
{
    searchWidget dialog(parent);
    dialog.exec();
}

void showSymptomTestDialog(QWidget *parent)
{
    symptomDebug dialog(parent);
    dialog.exec();
}
