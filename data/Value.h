#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace zandoval {

// An exact decimal number: units × 10^scale, scale zero or negative. This is
// how the server delivers numeric(p,s) columns.
struct Decimal
{
    std::int64_t units = 0;
    int scale = 0;

    double toDouble() const;
    // Shortest text with "." as decimal point and no trailing zeros ("12.5").
    std::string toString() const;
    // The same value at another scale; a narrower scale rounds halves away from zero.
    Decimal rescaled(int newScale) const;
    // A real number at the given scale, rounded halves away from zero.
    static Decimal fromDouble(double value, int scale);

    friend bool operator==(const Decimal& a, const Decimal& b);
};

struct TimeOfDay
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int fractions = 0; // ten-thousandths of a second

    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

using Date = std::chrono::year_month_day;

struct Timestamp
{
    Date date;
    TimeOfDay time;

    friend bool operator==(const Timestamp&, const Timestamp&) = default;
};

// One value read from or sent to the database. Texts are UTF-8.
class Value
{
public:
    using Storage = std::variant<std::monostate, std::int64_t, double, Decimal, std::string, Date,
                                 TimeOfDay, Timestamp>;

    Value() = default;
    Value(std::int64_t v)
        : m_v(v)
    {
    }
    Value(int v)
        : m_v(std::int64_t{v})
    {
    }
    Value(double v)
        : m_v(v)
    {
    }
    Value(Decimal v)
        : m_v(v)
    {
    }
    Value(std::string v)
        : m_v(std::move(v))
    {
    }
    Value(const char* v)
        : m_v(std::string(v))
    {
    }
    Value(Date v)
        : m_v(v)
    {
    }
    Value(TimeOfDay v)
        : m_v(v)
    {
    }
    Value(Timestamp v)
        : m_v(v)
    {
    }

    bool isNull() const { return std::holds_alternative<std::monostate>(m_v); }
    const Storage& storage() const { return m_v; }

    // The value's text as the program shows and compares it: whole numbers in
    // decimal digits, real and decimal numbers in their shortest form with "."
    // as decimal point, dates as dd/mm/yy, times as hh:mm:ss; NULL is empty.
    std::string asString() const;
    // Whole number; NULL and text that is not a number read as 0; real numbers
    // are rounded halves away from zero.
    std::int64_t asInt() const;
    // Real number; NULL and text that is not a number read as 0.
    double asDouble() const;
    // An exact number with at least `scale` decimal places (scale ≤ 0), more
    // when the value has more; real numbers are rounded to `scale`, halves away
    // from zero; NULL and text that is not a number read as 0.
    Decimal asDecimal(int scale) const;
    // The date, when the value is a date or a timestamp.
    std::optional<Date> asDate() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    Storage m_v;
};

// Date helpers used wherever dates meet text.
std::string formatarData(const Date& d);      // dd/mm/yy
std::string formatarDataLonga(const Date& d); // dd/mm/yyyy
// Reads dd/mm/yy or dd/mm/yyyy; a two-digit year is taken as 20yy when it is
// below 50 and 19yy otherwise, as the suite's date fields do.
std::optional<Date> lerData(std::string_view texto);

// Real number in the shortest general form, up to 15 significant digits, "." as
// decimal point ("0.25", "1E-7", "100").
std::string formatarReal(double v);

} // namespace zandoval
