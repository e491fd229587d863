#include "execution/ParamConversion.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "execution/ParamTypeNames.h"

namespace varnok {

namespace {

std::string Quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

TParamDate ToParamDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

// The locale's short date form with the year always written with four digits:
// a two-digit year would silently land in the wrong century.
QString FourDigitYear(QString form) {
    if (!form.contains(QLatin1String("yyyy"))) form.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return form;
}

QStringList DateForms(const QLocale& locale) {
    return {FourDigitYear(locale.dateFormat(QLocale::ShortFormat)), locale.dateFormat(QLocale::LongFormat),
            QStringLiteral("yyyy-MM-dd")};
}

QStringList TimeForms(const QLocale& locale) {
    return {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat),
            QStringLiteral("H:mm:ss.zzz"), QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")};
}

// Qt reads "yyyy" from fewer digits too ("24" as the year 24); a date is only
// taken when its year was written out in full.
bool HasFullYear(const QString& text) {
    static const QRegularExpression fourDigits(QStringLiteral("\\d{4}"));
    return fourDigits.match(text).hasMatch();
}

std::optional<QDate> ParseDate(const QString& text, const QLocale& locale) {
    if (!HasFullYear(text)) return std::nullopt;
    for (const auto& form : DateForms(locale)) {
        const QDate date = locale.toDate(text, form);
        if (date.isValid()) return date;
    }
    return std::nullopt;
}

std::optional<QDateTime> ParseDateTime(const QString& text, const QLocale& locale) {
    if (!HasFullYear(text)) return std::nullopt;
    if (auto date = ParseDate(text, locale)) return QDateTime(*date, QTime(0, 0));
    for (const auto& dateForm : DateForms(locale)) {
        for (const auto& timeForm : TimeForms(locale)) {
            for (const auto* separator : {" ", "T"}) {
                const QDateTime value = locale.toDateTime(text, dateForm + QLatin1String(separator) + timeForm);
                if (value.isValid()) return value;
            }
        }
    }
    return std::nullopt;
}

// Exact fixed-point reading: optional sign, digits, the locale's decimal
// point, digits; more than four decimals round half away from zero.
std::optional<std::int64_t> ParseCurrency(const QString& text, const QLocale& locale) {
    int at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+' || text.mid(at).startsWith(locale.negativeSign()))) {
        negative = text[at] != u'+';
        at += (text[at] == u'-' || text[at] == u'+') ? 1 : static_cast<int>(locale.negativeSign().size());
    }
    const QString point = locale.decimalPoint();
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t scaled = 0;
    int digits = 0, decimals = 0;
    bool inFraction = false, roundUp = false;
    for (; at < text.size(); ++at) {
        if (!inFraction && text.mid(at).startsWith(point)) {
            inFraction = true;
            at += static_cast<int>(point.size()) - 1;
            continue;
        }
        if (!text[at].isDigit() || text[at].digitValue() < 0) return std::nullopt;
        const int digit = text[at].digitValue();
        ++digits;
        if (inFraction && decimals >= 4) {
            if (decimals == 4) roundUp = digit >= 5;
            ++decimals;
            continue;
        }
        if (scaled > (kMax - digit) / 10) return std::nullopt;
        scaled = scaled * 10 + digit;
        if (inFraction) ++decimals;
    }
    if (digits == 0) return std::nullopt;
    for (int i = std::min(decimals, 4); i < 4; ++i) {
        if (scaled > kMax / 10) return std::nullopt;
        scaled *= 10;
    }
    if (roundUp) {
        if (scaled == kMax) return std::nullopt;
        ++scaled;
    }
    return negative ? -scaled : scaled;
}

QString DecimalExample(const QLocale& locale, const char* whole, const char* fraction) {
    return QLatin1String(whole) + locale.decimalPoint() + QLatin1String(fraction);
}

}  // namespace

QString ParamDateForm(const QLocale& locale) {
    return FourDigitYear(locale.dateFormat(QLocale::ShortFormat));
}

QString ParamDateTimeForm(const QLocale& locale) {
    return ParamDateForm(locale) + QLatin1Char(' ') + locale.timeFormat(QLocale::ShortFormat);
}

TParamConversion ConvertParamText(std::string_view typeName, const std::string& text, const QLocale& locale) {
    const auto dataType = DataTypeOfTypeName(typeName);
    if (!dataType) throw std::logic_error("Unknown parameter type.");
    TParamConversion result;
    result.dataType = *dataType;
    if (typeName == kParamTypeNull) return result;
    if (*dataType == TParamDataType::String) {
        result.value = text;
        return result;
    }
    const QString value = QString::fromStdString(text).trimmed();
    if (value.isEmpty()) return result;  // left empty: bound as null
    const std::string shown = Quoted(value);
    bool ok = false;
    switch (*dataType) {
    case TParamDataType::Integer: {
        const int number = locale.toInt(value, &ok);
        if (ok) result.value = static_cast<std::int32_t>(number);
        else result.error = shown + " is not a valid Integer value (a whole number from -2147483648 to 2147483647).";
        break;
    }
    case TParamDataType::Int8: {
        const qlonglong number = locale.toLongLong(value, &ok);
        if (ok) result.value = static_cast<std::int64_t>(number);
        else
            result.error = shown +
                           " is not a valid Int8 value (a whole number from -9223372036854775808 to "
                           "9223372036854775807).";
        break;
    }
    case TParamDataType::Float: {
        const double number = locale.toDouble(value, &ok);
        if (ok && std::isfinite(number)) result.value = number;
        else
            result.error =
                shown + " is not a valid Float/Decimal value (for example " + DecimalExample(locale, "-12", "5").toStdString() + ").";
        break;
    }
    case TParamDataType::Currency: {
        if (auto scaled = ParseCurrency(value, locale)) result.value = TParamCurrency{*scaled};
        else
            result.error =
                shown + " is not a valid Money value (for example " + DecimalExample(locale, "1250", "75").toStdString() + ").";
        break;
    }
    case TParamDataType::Date: {
        if (auto date = ParseDate(value, locale)) result.value = ToParamDate(*date);
        else result.error = shown + " is not a valid Date value (expected " + ParamDateForm(locale).toStdString() + ").";
        break;
    }
    case TParamDataType::DateTime: {
        if (auto stamp = ParseDateTime(value, locale)) {
            const QTime time = stamp->time();
            result.value = TParamDateTime{ToParamDate(stamp->date()), time.hour(), time.minute(), time.second(), time.msec()};
        } else {
            result.error =
                shown + " is not a valid DateTime value (expected " + ParamDateTimeForm(locale).toStdString() + ").";
        }
        break;
    }
    case TParamDataType::String:
    case TParamDataType::Unknown:
        break;
    }
    return result;
}

}  // namespace varnok
