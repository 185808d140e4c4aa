#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <variant>

namespace qrl {

// One argument of formatText: an integer, a floating value or a text.
class FormatArg {
public:
    FormatArg(int v) : m_value(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : m_value(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : m_value(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : m_value(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long v) : m_value(static_cast<std::uint64_t>(v)) {}
    FormatArg(unsigned long long v) : m_value(static_cast<std::uint64_t>(v)) {}
    FormatArg(double v) : m_value(v) {}
    FormatArg(const QString& v) : m_value(v) {}
    FormatArg(const char* v) : m_value(QString::fromUtf8(v)) {}

    const std::variant<std::int64_t, std::uint64_t, double, QString>& value() const { return m_value; }

private:
    std::variant<std::int64_t, std::uint64_t, double, QString> m_value;
};

// Fills a printf-style format ("%s", "%d", "%lu", "%05d", "%.4d", "%x", "%02X", "%c", "%f", "%%")
// with the arguments, locale-free. It never reads past the arguments given: a conversion without
// an argument becomes empty, a text given to a number conversion is inserted as text, a number
// given to "%s" is written in decimal. Unknown conversions are copied as they stand.
QString formatText(const QString& format, std::initializer_list<FormatArg> args);

// The sequence of conversion letters of a format ("%s%d" gives "sd"); used to check that a
// translated text takes the same arguments as the built-in one.
QString formatSignature(const QString& format);

// The same formatter over bytes, for printer commands and file contents: format and result are
// single bytes (qrl::singlebyte).
QByteArray formatBytes(const char* format, std::initializer_list<FormatArg> args);

} // namespace qrl
