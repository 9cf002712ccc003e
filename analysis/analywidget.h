#ifndef ANALYWIDGET_H
#define ANALYWIDGET_H

#include "prescriptionentry.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QRadioButton;
class QDoubleSpinBox;
class QTableWidget;

// The prescription analysis page: herbs and doses are entered, checked and
// analysed into a report; prescriptions are saved to and read from files.
class analyWidget : public QWidget
{
    Q_OBJECT
public:
    explicit analyWidget(QWidget *parent = nullptr);

    const QList<prescriptionEntry> &entries() const { return m_entries; }
    QStringList herbNames() const;
    QString form() const { return m_form; }
    int selectedRow() const { return m_selected; }
    QLineEdit *herbField() const { return m_herb; }
    QDoubleSpinBox *doseField() const { return m_dose; }
    QTableWidget *table() const { return m_table; }
    QPlainTextEdit *report() const { return m_report; }
    QProgressBar *progressBar() const { return m_progress; }
    QRadioButton *formButton(const QString &form) const;

    // Replaces the prescription with the content of a file. A file that
    // cannot be read or is refused leaves the page as it was and tells the
    // user why. Returns whether it was read.
    bool importFile(const QString &path);
    // Writes the prescription; tells the user when the file cannot be written.
    bool exportFile(const QString &path);

signals:
    void sendShowGrid();

public slots:
    void onAdd();
    void onRemove();
    void onClear();
    void onCancel();
    void onClickCell(int row, int column);
    void onAnaly();
    void onClickDec();
    void onClickPill();
    void onClickPowder();
    void onClickExternal();
    void onImport();
    void onExport();
    void onShowGrid();

private:
    void appendEntry(const prescriptionEntry &entry);
    void setForm(const QString &form);
    // Whole grams, or steps of 0.01 g, as the herb and the form need.
    void updateDoseField();

    QList<prescriptionEntry> m_entries;
    int m_selected = -1;
    QString m_form = QStringLiteral("decoction");
    QLineEdit *m_herb = nullptr;
    QDoubleSpinBox *m_dose = nullptr;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_report = nullptr;
    QProgressBar *m_progress = nullptr;
    QRadioButton *m_decoction = nullptr;
    QRadioButton *m_pill = nullptr;
    QRadioButton *m_powder = nullptr;
    QRadioButton *m_external = nullptr;
};

#endif
