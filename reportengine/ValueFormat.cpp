#include "reportengine/ValueFormat.h"

#include "reportengine/Expression.h"

#include <QLocale>
#include <QRegularExpression>

namespace reportengine {

namespace {

bool isNumberPattern(const QString& format) {
    return format.contains('0') || format.contains('#');
}

QString formatNumber(double value, const QString& format) {
    const qsizetype first = format.indexOf(QRegularExpression("[0#]"));
    const qsizetype last = format.lastIndexOf(QRegularExpression("[0#]"));
    const QString prefix = format.left(first);
    const QString pattern = format.mid(first, last - first + 1);
    const QString suffix = format.mid(last + 1);
    const qsizetype point = pattern.indexOf('.');
    const QString fraction = point < 0 ? QString() : pattern.mid(point + 1);
    // 0 after the point is a decimal always written, # one written when it is not 0.
    const int decimals = int(fraction.size());
    const int required = int(fraction.count('0'));
    QLocale c = QLocale::c();
    c.setNumberOptions(pattern.contains(',') ? QLocale::DefaultNumberOptions
                                             : QLocale::OmitGroupSeparator);
    QString text = c.toString(value, 'f', decimals);
    if (decimals > required) {
        int keep = int(text.size()) - (decimals - required);
        while (text.size() > keep && text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return prefix + text + suffix;
}

QString qtDatePattern(const QString& format) {
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    auto run = [&](QChar c) {
        qsizetype n = 0;
        while (i + n < format.size() && format[i + n].toLower() == c)
            ++n;
        return n;
    };
    while (i < format.size()) {
        const QChar c = format[i].toLower();
        if (format.mid(i, 5).compare("AM/PM", Qt::CaseInsensitive) == 0) {
            out += "AP";
            i += 5;
            continue;
        }
        if (c == 'y' || c == 'd' || c == 'h' || c == 'n' || c == 's' || c == 'm') {
            const qsizetype n = run(c);
            const QString letters(n, c);
            if (c == 'y')
                out += n >= 3 ? "yyyy" : "yy";
            else if (c == 'd')
                out += letters.left(4);
            else if (c == 'h')
                out += n >= 2 ? "hh" : "h";
            else if (c == 'n')
                out += n >= 2 ? "mm" : "m";
            else if (c == 's')
                out += n >= 2 ? "ss" : "s";
            else if (afterHour)
                out += n >= 2 ? "mm" : "m";
            else
                out += QString(qMin<qsizetype>(n, 4), 'M');
            afterHour = c == 'h';
            i += n;
            continue;
        }
        if (c.isLetter()) {
            out += "'" + QString(format[i]) + "'";
        } else {
            out += format[i];
        }
        if (c != ':')
            afterHour = afterHour && c.isSpace();
        ++i;
    }
    return out;
}

} // namespace

std::optional<QDateTime> dateTimeOf(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString().trimmed();
    for (const char* f : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-ddThh:mm:ss", "yyyy-MM-dd hh:mm:ss.zzz",
                          "yyyy-MM-ddThh:mm:ss.zzz", "MM/dd/yyyy hh:mm:ss", "M/d/yyyy h:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(text, f);
        if (dt.isValid())
            return dt;
    }
    for (const char* f : {"yyyy-MM-dd", "MM/dd/yyyy", "M/d/yyyy"}) {
        const QDate d = QDate::fromString(text, f);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return std::nullopt;
}

QString formatValue(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull())
        return {};
    const QString f = format.trimmed();
    if (f.isEmpty())
        return plainText(value);
    if (f.startsWith("regional", Qt::CaseInsensitive)) {
        bool ok = false;
        const double number = numberOf(value, &ok);
        if (!ok)
            return plainText(value);
        bool digitsOk = false;
        const int digits = f.mid(8).toInt(&digitsOk);
        return QLocale::system().toString(number, 'f', digitsOk ? digits : 2);
    }
    if (isNumberPattern(f)) {
        bool ok = false;
        const double number = numberOf(value, &ok);
        if (!ok || plainText(value).trimmed().isEmpty())
            return plainText(value);
        return formatNumber(number, f);
    }
    const std::optional<QDateTime> when = dateTimeOf(value);
    if (!when)
        return plainText(value);
    return QLocale::c().toString(*when, qtDatePattern(f));
}

} // namespace reportengine
