#include "patwidget.h"

#include "answercheckbox.h"
#include "diagnosisnode.h"
#include "patientfile.h"
#include "patientrecord.h"
#include "text/phrasedictionary.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString phrase(const char *key)
{
    return lookupPhrase(QStringLiteral("diagnosis"), QLatin1String(key));
}

QStringList phraseList(const char *key)
{
    return phrase(key).split(QLatin1Char(','));
}

QSpinBox *spinBox(int low, int high, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

const QString fileFilter = QStringLiteral("Personal information File (*.psif)");

} // namespace

patWidget::patWidget(QWidget *parent)
    : QScrollArea(parent), m_dialogs(this)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("patientContent"));
    content->setAutoFillBackground(true);
    content->setBackgroundRole(QPalette::Base);

    m_name = new QLineEdit(phrase("yourname"), content);
    m_name->setObjectName(QStringLiteral("nameField"));
    m_sex = new QComboBox(content);
    m_sex->addItems({phrase("male"), phrase("female")});
    m_age = spinBox(0, 100, 24, content);
    m_height = spinBox(30, 210, 172, content);
    m_weight = spinBox(5, 120, 60, content);
    m_location = new QComboBox(content);
    m_location->addItems(phraseList("province"));
    m_location->setMaxVisibleItems(15);
    m_occupation = new QComboBox(content);
    m_occupation->addItems(phraseList("occupationlist"));
    m_state = new QComboBox(content);
    m_solarTerm = new QComboBox(content);
    m_solarTerm->addItems(phraseList("solarTerms24Item"));
    m_solarTerm->setMaxVisibleItems(12);
    changedSexIndex(0);

    auto *formHolder = new QWidget(content);
    formHolder->setMaximumWidth(196);
    formHolder->setMinimumWidth(30);
    auto *form = new QFormLayout(formHolder);
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(6);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(phrase("name_pat"), m_name);
    form->addRow(phrase("sexuality"), m_sex);
    form->addRow(phrase("age"), m_age);
    form->addRow(phrase("height"), m_height);
    form->addRow(phrase("weight"), m_weight);
    form->addRow(phrase("location"), m_location);
    form->addRow(phrase("occupation"), m_occupation);
    form->addRow(phrase("state"), m_state);
    form->addRow(phrase("solarTerms24"), m_solarTerm);

    auto *importButton = new QPushButton(phrase("import"), content);
    importButton->setObjectName(QStringLiteral("importButton"));
    auto *exportButton = new QPushButton(phrase("export"), content);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    for (QPushButton *b : {importButton, exportButton}) {
        b->setAutoDefault(false);
        b->setToolTip(phrase(b == importButton ? "imppat" : "exppat"));
    }
    auto *files = new QHBoxLayout;
    files->setSpacing(6);
    files->addWidget(importButton);
    files->addWidget(exportButton);

    auto *line = new QFrame(content);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_inbornBox = new QGroupBox(phrase("inborn"), content);
    m_inbornBox->setObjectName(QStringLiteral("constitutionBox"));
    // Two columns keep the list short beside the form.
    auto *inborn = new QGridLayout(m_inbornBox);
    inborn->setContentsMargins(6, 6, 4, 6);
    inborn->setHorizontalSpacing(4);
    inborn->setVerticalSpacing(2);
    for (const inbornItem &item : diagnosisNode::instance().inbornItems()) {
        auto *box = new answerCheckBox(item.name, m_inbornBox);
        box->setObjectName(item.id);
        const int at = int(m_inborn.size());
        inborn->addWidget(box, at / 2, at % 2);
        m_inborn.append({box, item.id});
    }
    // Without a constitution list there is nothing to tick.
    line->setVisible(!m_inborn.isEmpty());
    m_inbornBox->setVisible(!m_inborn.isEmpty());

    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 8, 4);
    layout->setSpacing(8);
    layout->addWidget(formHolder);
    layout->addLayout(files);
    layout->addWidget(line);
    layout->addWidget(m_inbornBox);
    layout->addStretch(1);
    setWidget(content);

    connect(m_sex, &QComboBox::currentIndexChanged, this, &patWidget::changedSexIndex);
    connect(importButton, &QPushButton::clicked, this, &patWidget::onImport);
    connect(exportButton, &QPushButton::clicked, this, &patWidget::onExport);
}

QCheckBox *patWidget::constitutionItem(const QString &id) const
{
    for (const auto &entry : m_inborn) {
        if (entry.second == id)
            return entry.first;
    }
    return nullptr;
}

void patWidget::changedSexIndex(int index)
{
    m_state->clear();
    if (index == 1)
        m_state->addItems({phrase("normal"), phrase("pregnant"), phrase("suckling"), phrase("married")});
    else if (index == 0)
        m_state->addItems({phrase("unmarried"), phrase("married")});
}

QMap<QString, QString> patWidget::collect()
{
    static const char *const womanStates[] = {"normal", "pregnant", "suckling", "married"};
    patientRecord::clear();
    const bool woman = m_sex->currentIndex() != 0;
    const int state = m_state->currentIndex();
    QString stateWord;
    if (woman)
        stateWord = QLatin1String(womanStates[qBound(0, state, 3)]);
    else
        stateWord = QLatin1String(state == 0 ? "unmarried" : "married");
    QString inborn;
    for (const auto &entry : std::as_const(m_inborn)) {
        if (entry.first->isChecked())
            inborn += entry.second + QLatin1Char(',');
    }
    patientRecord::setValue(QStringLiteral("name"), m_name->text().trimmed());
    patientRecord::setValue(QStringLiteral("sex"), QLatin1String(woman ? "female" : "male"));
    patientRecord::setValue(QStringLiteral("age"), QStringLiteral("%1").arg(m_age->value()));
    patientRecord::setValue(QStringLiteral("height"), QStringLiteral("%1").arg(m_height->value()));
    patientRecord::setValue(QStringLiteral("weight"), QStringLiteral("%1").arg(m_weight->value()));
    patientRecord::setValue(QStringLiteral("occupation"), QStringLiteral("%1").arg(m_occupation->currentIndex()));
    patientRecord::setValue(QStringLiteral("area"), QStringLiteral("%1").arg(m_location->currentIndex()));
    patientRecord::setValue(QStringLiteral("state"), stateWord);
    patientRecord::setValue(QStringLiteral("inborn"), inborn);
    return patientRecord::values();
}

QString patWidget::summary()
{
    return patientRecord::summary();
}

patientProfile patWidget::profile() const
{
    patientProfile p;
    p.name = m_name->text();
    p.sex = m_sex->currentIndex();
    p.age = m_age->value();
    p.height = m_height->value();
    p.weight = m_weight->value();
    p.occupation = m_occupation->currentIndex();
    p.location = m_location->currentIndex();
    p.state = m_state->currentIndex();
    for (const auto &entry : m_inborn) {
        if (entry.first->isChecked())
            p.inborn << entry.second;
    }
    return p;
}

void patWidget::setProfile(const patientProfile &p)
{
    const auto has = [&p](const char *tag) { return p.present.contains(QLatin1String(tag)); };
    if (has("name"))
        m_name->setText(p.name);
    if (has("sexuality")) {
        changedSexIndex(p.sex);
        const QSignalBlocker quiet(m_sex);
        m_sex->setCurrentIndex(p.sex);
    }
    if (has("age"))
        m_age->setValue(p.age);
    if (has("height"))
        m_height->setValue(p.height);
    if (has("weight"))
        m_weight->setValue(p.weight);
    if (has("occupation"))
        m_occupation->setCurrentIndex(p.occupation);
    if (has("location"))
        m_location->setCurrentIndex(p.location);
    if (has("state"))
        m_state->setCurrentIndex(p.state);
    if (has("inborn")) {
        for (const auto &entry : std::as_const(m_inborn))
            entry.first->setChecked(p.inborn.contains(entry.second));
    }
}

bool patWidget::importFile(const QString &path)
{
    patientProfile p;
    QString reason;
    if (!readPatientFile(path, &p, &reason)) {
        m_dialogs.tell(reason);
        return false;
    }
    // The list positions must exist in this program's lists.
    const int sex = p.present.contains(QStringLiteral("sexuality")) ? p.sex : m_sex->currentIndex();
    const int states = sex == 1 ? 4 : 2;
    const QString name = QFileInfo(path).fileName();
    const struct {
        const char *tag;
        int value;
        int count;
    } lists[] = {{"occupation", p.occupation, m_occupation->count()},
                 {"location", p.location, m_location->count()},
                 {"state", p.state, states}};
    for (const auto &list : lists) {
        if (p.present.contains(QLatin1String(list.tag)) && list.value >= list.count) {
            m_dialogs.tell(phrase("psif_bad_value").arg(name, QLatin1String(list.tag), QString::number(list.value)));
            return false;
        }
    }
    setProfile(p);
    return true;
}

bool patWidget::exportFile(const QString &path)
{
    QString reason;
    if (writePatientFile(path, profile(), &reason))
        return true;
    m_dialogs.tell(reason);
    return false;
}

void patWidget::onImport()
{
    const QString path = m_dialogs.openFileName(phrase("imppat"), userDialogs::programFolder(), fileFilter);
    if (!path.isEmpty())
        importFile(path);
}

void patWidget::onExport()
{
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        m_dialogs.tell(phrase("psif_need_name"));
        return;
    }
    // Characters that no file name may hold are replaced in the suggestion.
    QString fileName = name;
    for (QChar &c : fileName) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32)
            c = QLatin1Char('_');
    }
    QString path = m_dialogs.saveFileName(
        phrase("exppat"), userDialogs::programFolder() + QLatin1Char('/') + fileName + QStringLiteral(".psif"),
        fileFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".psif");
    exportFile(path);
}
