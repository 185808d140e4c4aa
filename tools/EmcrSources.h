#pragma once

#include <QString>

// The printer's paper sources as the EMCR creator lists them, and how assigner rows, assignment
// slots, sides and the printer's source numbers relate. A slot is 2 x source + side (0 front,
// 1 back); without duplex the assigner shows one row per source (the front slots), with duplex
// one row per slot.
namespace qrl::emcr {

inline constexpr int kSourceCount = 8;
inline constexpr int kSlotCount = 2 * kSourceCount;
inline constexpr int kManualFeederSource = 6;
inline constexpr int kNr4Source = 7;

inline int rowCount(bool duplex)
{
    return duplex ? kSlotCount : kSourceCount;
}
inline int sourceOfRow(int row, bool duplex)
{
    return duplex ? row / 2 : row;
}
inline int slotOfRow(int row, bool duplex)
{
    return duplex ? row : 2 * row;
}
// 0 front, 1 back; always the front without duplex.
inline int sideOfRow(int row, bool duplex)
{
    return duplex ? row % 2 : 0;
}

// "Cassette 1" ... "NR-4" from the string table; empty outside 0 to 7.
QString sourceName(int source);
// "Front" or "Back".
QString sideName(int side);
// The number the EMCR command gives a source: cassettes 1 to 6, the manual feeder 0, NR-4 99.
int sourceNumber(int source);

// How many characters parameters and repeat count of one assignment may hold together: 236, two
// less with duplex (the "=side" of the command), one less for NR-4 (its two-digit number).
int lengthLimit(bool duplex, int source);

// What the assignment dialog makes of a repeat count on OK: plain decimal, with 0 and 1 (which
// mean nothing to the printer) as empty. `ok` is false for a text that is not a number in 0 to
// 32767.
struct RepeatCount {
    bool ok = false;
    QString text;
};
inline constexpr int kMaxRepeatCount = 32767;
RepeatCount normaliseRepeatCount(const QString& digits);

bool isAllDigits(const QString& text);

} // namespace qrl::emcr
