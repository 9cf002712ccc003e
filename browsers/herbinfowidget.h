#ifndef HERBINFOWIDGET_H
#define HERBINFOWIDGET_H

#include <QPlainTextEdit>

struct herbRecord;

// Shows one herb record rendered into the archive's herb page template.
class herbInfoWidget : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit herbInfoWidget(QWidget *parent = nullptr);

    void showRecord(const herbRecord &record);

    // The template filled with a record (empty when the template is missing).
    static QString renderRecord(const QString &htmlTemplate, const herbRecord &record);
};

#endif
