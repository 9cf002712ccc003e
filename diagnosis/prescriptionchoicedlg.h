#ifndef PRESCRIPTIONCHOICEDLG_H
#define PRESCRIPTIONCHOICEDLG_H

#include "diagnosisinference.h"
#include "frame/abstractdialog.h"

class QPushButton;

// Asks whether the formula or the acupuncture prescription is wanted when a
// diagnosis found both. Closing it without a choice keeps the formula.
class prescriptionChoiceDlg : public abstractDialog
{
    Q_OBJECT
public:
    explicit prescriptionChoiceDlg(QWidget *parent = nullptr);

    prescriptionSide side() const { return m_side; }
    QPushButton *formulaButton() const { return m_formula; }
    QPushButton *acupunctureButton() const { return m_acupuncture; }

    // Shows the window modally and returns the side chosen.
    static prescriptionSide ask(QWidget *parent);

public slots:
    void onFormula();
    void onAcupuncture();

private:
    prescriptionSide m_side = prescriptionSide::formula;
    QPushButton *m_formula = nullptr;
    QPushButton *m_acupuncture = nullptr;
};

#endif
