#include "herbdose.h"

#include "herbbase.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// Half a milligram: doses closer than this are the same dose.
constexpr double tolerance = 0.0005;

constexpr double defaultLower = 6;
constexpr double defaultUpper = 15;

bool isDecoction(const QString &form)
{
    return form == QLatin1String("decoction");
}

} // namespace

bool parseDose(const QString &text, double *grams)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (grams)
        *grams = v;
    return true;
}

QString doseText(double grams)
{
    QString text = QString::number(grams, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

bool sameDose(double a, double b)
{
    return std::abs(a - b) < tolerance;
}

int doseDecimals(double grams)
{
    for (int decimals = 0; decimals < 3; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        if (sameDose(std::round(grams * scale) / scale, grams))
            return decimals;
    }
    return 3;
}

bool doseAccepted(const QString &name, double dose, const QString &form)
{
    if (!std::isfinite(dose) || dose <= 0 || sameDose(dose, 0))
        return false;
    const bool external = form == QLatin1String("external");
    if (isExternalOnly(name))
        return external && dose <= largestDose + tolerance;
    if (external)
        return dose <= largestDose + tolerance;
    double lower = defaultLower, upper = defaultUpper;
    doseRange(name, &lower, &upper);
    if (dose > upper + tolerance)
        return false;
    return !isDecoction(form) || dose >= lower - tolerance;
}

bool doseAboveLimit(const QString &name, double dose)
{
    double lower = defaultLower, upper = defaultUpper;
    doseRange(name, &lower, &upper);
    return dose > upper + tolerance;
}

int doseFieldDecimals(const QString &typed, const QString &form)
{
    const QString name = canonicalHerbName(typed.trimmed());
    double lower = defaultLower, upper = defaultUpper;
    const bool known = doseRange(name, &lower, &upper);
    const int needed = std::max(doseDecimals(lower), doseDecimals(upper));
    if (isDecoction(form)) {
        if (!known || (needed == 0 && lower >= 1))
            return 0;
        return std::max(2, needed);
    }
    // One dose of a pill or powder holds milligrams of a herb dosed in
    // centigrams (麝香, 雄黄 …).
    return known && lower > 0 && lower < 0.1 ? 3 : std::max(2, needed);
}
