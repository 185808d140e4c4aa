#include "TextFormat.h"

#include "SingleByteText.h"

#include <QByteArray>

#include <charconv>
#include <vector>

namespace qrl {

namespace {

struct Conversion {
    bool leftAlign = false;
    bool zeroPad = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    int width = -1;
    int precision = -1;
    QChar conversion;
};

bool isConversion(QChar c)
{
    return QStringLiteral("diouxXcsfFeEgGp").contains(c);
}

// Parses one conversion starting after '%'. Returns the index after it, or -1 when the text there
// is no complete conversion.
qsizetype parseConversion(const QString& f, qsizetype i, Conversion& cs)
{
    const qsizetype n = f.size();
    for (; i < n; ++i) {
        const QChar c = f[i];
        if (c == QLatin1Char('-'))
            cs.leftAlign = true;
        else if (c == QLatin1Char('0'))
            cs.zeroPad = true;
        else if (c == QLatin1Char('+'))
            cs.plus = true;
        else if (c == QLatin1Char(' '))
            cs.space = true;
        else if (c == QLatin1Char('#'))
            cs.alternate = true;
        else
            break;
    }
    auto readNumber = [&](int& out) {
        int value = 0;
        bool any = false;
        while (i < n && f[i].isDigit()) {
            value = std::min(value * 10 + f[i].digitValue(), 4096);
            ++i;
            any = true;
        }
        if (any)
            out = value;
        return any;
    };
    readNumber(cs.width);
    if (i < n && f[i] == QLatin1Char('.')) {
        ++i;
        cs.precision = 0;
        readNumber(cs.precision);
    }
    // Length modifiers change nothing here: every argument carries its own width.
    while (i < n && QStringLiteral("hlLqjzt").contains(f[i]))
        ++i;
    if (i < n && f[i] == QLatin1Char('I')) { // I64
        if (i + 2 < n && f[i + 1] == QLatin1Char('6') && f[i + 2] == QLatin1Char('4'))
            i += 3;
    }
    if (i >= n || !isConversion(f[i]))
        return -1;
    cs.conversion = f[i];
    return i + 1;
}

QString integerText(std::uint64_t magnitude, int base, bool upper)
{
    char buf[72];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, base);
    QString s = QString::fromLatin1(buf, res.ptr - buf);
    return upper ? s.toUpper() : s;
}

QString pad(QString body, const Conversion& cs, bool numeric, QString sign = {})
{
    const qsizetype total = body.size() + sign.size();
    if (cs.width > total) {
        const qsizetype fill = cs.width - total;
        if (cs.leftAlign)
            return sign + body + QString(fill, QLatin1Char(' '));
        if (cs.zeroPad && numeric && cs.precision < 0)
            return sign + QString(fill, QLatin1Char('0')) + body;
        return QString(fill, QLatin1Char(' ')) + sign + body;
    }
    return sign + body;
}

QString formatNumber(const Conversion& cs, const FormatArg& arg)
{
    const QChar conv = cs.conversion;
    bool negative = false;
    std::uint64_t magnitude = 0;
    double real = 0;
    const auto& v = arg.value();
    if (const auto* s = std::get_if<QString>(&v))
        return pad(*s, cs, false);
    if (const auto* d = std::get_if<double>(&v)) {
        real = *d;
        negative = real < 0;
        magnitude = static_cast<std::uint64_t>(negative ? -real : real);
    } else if (const auto* i = std::get_if<std::int64_t>(&v)) {
        real = static_cast<double>(*i);
        negative = *i < 0;
        magnitude = negative ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(*i)
                             : static_cast<std::uint64_t>(*i);
    } else {
        magnitude = std::get<std::uint64_t>(v);
        real = static_cast<double>(magnitude);
    }

    if (conv == QLatin1Char('c'))
        return pad(QString(QChar(static_cast<char16_t>(magnitude & 0xFFFF))), cs, false);

    if (QStringLiteral("fFeEgG").contains(conv)) {
        const char fmt = conv.toLatin1();
        QString body = QString::number(negative ? -real : real, fmt == 'F' ? 'f' : fmt,
                                       cs.precision < 0 ? 6 : cs.precision);
        return pad(body, cs, true,
                   negative ? QStringLiteral("-") : (cs.plus ? QStringLiteral("+") : QString()));
    }

    int base = 10;
    bool upper = false;
    bool isSigned = conv == QLatin1Char('d') || conv == QLatin1Char('i');
    if (conv == QLatin1Char('x') || conv == QLatin1Char('p')) {
        base = 16;
    } else if (conv == QLatin1Char('X')) {
        base = 16;
        upper = true;
    } else if (conv == QLatin1Char('o')) {
        base = 8;
    }
    if (!isSigned && negative) {
        // A negative value through an unsigned conversion prints as C does for a 32-bit int.
        magnitude = static_cast<std::uint32_t>(-static_cast<std::int64_t>(magnitude));
        negative = false;
    }
    QString body = integerText(magnitude, base, upper);
    if (cs.precision >= 0 && body.size() < cs.precision)
        body = QString(cs.precision - body.size(), QLatin1Char('0')) + body;
    if (cs.precision == 0 && magnitude == 0)
        body.clear();
    QString sign;
    if (isSigned)
        sign = negative   ? QStringLiteral("-")
               : cs.plus  ? QStringLiteral("+")
               : cs.space ? QStringLiteral(" ")
                          : QString();
    if (cs.alternate && base == 16 && magnitude != 0)
        sign += upper ? QStringLiteral("0X") : QStringLiteral("0x");
    return pad(body, cs, true, sign);
}

QString formatOne(const Conversion& cs, const FormatArg& arg)
{
    if (cs.conversion == QLatin1Char('s')) {
        const auto& v = arg.value();
        QString s;
        if (const auto* t = std::get_if<QString>(&v)) {
            s = *t;
        } else {
            Conversion decimal;
            decimal.conversion = QLatin1Char('d');
            s = formatNumber(decimal, arg);
        }
        if (cs.precision >= 0 && s.size() > cs.precision)
            s.truncate(cs.precision);
        return pad(s, cs, false);
    }
    return formatNumber(cs, arg);
}

} // namespace

QString formatText(const QString& format, std::initializer_list<FormatArg> args)
{
    QString out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < n && format[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        Conversion cs;
        const qsizetype end = parseConversion(format, i + 1, cs);
        if (end < 0) {
            out += c;
            continue;
        }
        if (next != args.end())
            out += formatOne(cs, *next++);
        i = end - 1;
    }
    return out;
}

QString formatSignature(const QString& format)
{
    QString sig;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (format[i] != QLatin1Char('%'))
            continue;
        if (i + 1 < n && format[i + 1] == QLatin1Char('%')) {
            ++i;
            continue;
        }
        Conversion cs;
        const qsizetype end = parseConversion(format, i + 1, cs);
        if (end < 0)
            continue;
        const QChar conv = cs.conversion;
        // Conversions that take the same kind of argument count as one.
        if (conv == QLatin1Char('s'))
            sig += QLatin1Char('s');
        else if (QStringLiteral("fFeEgG").contains(conv))
            sig += QLatin1Char('f');
        else
            sig += QLatin1Char('d');
        i = end - 1;
    }
    return sig;
}

QByteArray formatBytes(const char* format, std::initializer_list<FormatArg> args)
{
    return singlebyte::toBytes(formatText(singlebyte::fromBytes(format), args));
}

} // namespace qrl
