#include "rundiagnosis.h"

#include "diagnoseinfodlg.h"
#include "diagnosisinference.h"
#include "prescriptionchoicedlg.h"

QString chooseResultText(QWidget *parent, const diagnosisContext &context)
{
    prescriptionSide side = prescriptionSide::formula;
    if (needsPrescriptionChoice(context))
        side = prescriptionChoiceDlg::ask(parent);
    return diagnosisResultText(context, side);
}

QString runDiagnosis(QWidget *parent, const QString &mainsuit, const QSet<QString> &answers)
{
    const diagnosisContext context = runInference(mainsuit, answers);
    const QString text = chooseResultText(parent, context);
    diagnoseInfoDlg dialog(answers, mainsuit, text, parent);
    dialog.exec();
    return text;
}
