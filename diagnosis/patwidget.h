#ifndef PATWIDGET_H
#define PATWIDGET_H

#include "patientprofile.h"
#include "userdialogs.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QScrollArea>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The patient profile: name, sex, age, height, weight, region, occupation,
// marital or pregnancy state and constitution of the person diagnosed. It is
// collected into the process-wide patient record when a diagnosis starts
// and can be saved to and opened from a personal information file (".psif").
class patWidget : public QScrollArea
{
    Q_OBJECT
public:
    explicit patWidget(QWidget *parent = nullptr);

    // Fills the process-wide patient record from the form (emptied first)
    // and returns a copy of it.
    QMap<QString, QString> collect();
    // The patient of the record, one line per item, for the history.
    static QString summary();

    // The form as a personal information file stores it, and back. Only the
    // items the profile holds are changed; the constitution boxes are set to
    // exactly the items of a profile that lists them.
    patientProfile profile() const;
    void setProfile(const patientProfile &profile);

    // Opens a personal information file; a file that cannot be used leaves
    // the form unchanged and tells the user why.
    bool importFile(const QString &path);
    // Writes the form to the path; tells the user when it cannot.
    bool exportFile(const QString &path);

    QLineEdit *nameField() const { return m_name; }
    QComboBox *sexBox() const { return m_sex; }
    QSpinBox *ageBox() const { return m_age; }
    QSpinBox *heightBox() const { return m_height; }
    QSpinBox *weightBox() const { return m_weight; }
    QComboBox *locationBox() const { return m_location; }
    QComboBox *occupationBox() const { return m_occupation; }
    QComboBox *stateBox() const { return m_state; }
    QComboBox *solarTermBox() const { return m_solarTerm; }
    QGroupBox *constitutionBox() const { return m_inbornBox; }
    const QList<QPair<QCheckBox *, QString>> &constitutionItems() const { return m_inborn; }
    QCheckBox *constitutionItem(const QString &id) const;
    userDialogs &dialogs() { return m_dialogs; }

public slots:
    void changedSexIndex(int index);
    void onImport();
    void onExport();

private:
    QLineEdit *m_name = nullptr;
    QComboBox *m_sex = nullptr;
    QSpinBox *m_age = nullptr;
    QSpinBox *m_height = nullptr;
    QSpinBox *m_weight = nullptr;
    QComboBox *m_location = nullptr;
    QComboBox *m_occupation = nullptr;
    QComboBox *m_state = nullptr;
    QComboBox *m_solarTerm = nullptr;
    QGroupBox *m_inbornBox = nullptr;
    QList<QPair<QCheckBox *, QString>> m_inborn;
    userDialogs m_dialogs;
};

#endif
