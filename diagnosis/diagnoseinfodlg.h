#ifndef DIAGNOSEINFODLG_H
#define DIAGNOSEINFODLG_H

#include "frame/abstractdialog.h"
#include "userdialogs.h"

#include <QSet>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// The result of a diagnosis as plain text, with the consultation it came
// from (main complaint and confirmed answers), which can be exported as a
// ".dg" file.
class diagnoseInfoDlg : public abstractDialog
{
    Q_OBJECT
public:
    diagnoseInfoDlg(const QSet<QString> &answers, const QString &mainsuit, const QString &text,
                    QWidget *parent = nullptr);

    QString text() const;
    QString mainsuit() const { return m_mainsuit; }
    const QSet<QString> &answers() const { return m_answers; }
    QPlainTextEdit *view() const { return m_view; }
    QPushButton *exportButton() const { return m_export; }
    userDialogs &dialogs() { return m_dialogs; }

    // A message that is no consultation (a refused patient) has nothing to
    // export.
    void setExportable(bool exportable);

    // Writes the consultation to the path; tells the user when it cannot.
    bool exportTo(const QString &path);

public slots:
    void doClose();
    void doExport();

private:
    QSet<QString> m_answers;
    QString m_mainsuit;
    QPlainTextEdit *m_view = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
    userDialogs m_dialogs;
};

#endif
