#pragma once

#include "ResourceTypes.h"
#include "SettingsKeys.h"

#include <QString>

#include <cstdint>
#include <optional>

class CQuorlyn32Doc;

// What the resource properties dialog edits for one project item: the numbers the build needs
// of it, together with the values they had when the dialog opened (to tell what changed).
struct ResPrefForm {
    ResourceKind kind = kKindFont;
    int subtype = 0; // a ResourceSubtype
    std::uint32_t id = 0;
    std::uint32_t typefaceId = 0;
    int symbolSet = -1; // 0 to 31, the entry of the symbol-set list
    bool flag = false;  // automatic overlay (Tellurade macro) or power-on default (form)

    std::uint32_t storedId = 0;
    std::uint32_t storedTypeface = 0;
    int storedSymbolSet = -1;
};

// What OK changed in the project window's columns: the new decimal texts, empty when unchanged.
struct ResPrefChange {
    QString idText;
    QString typefaceText;
};

namespace qrl::respref {

inline constexpr int kSymbolSetCount = 32;
inline constexpr std::uint32_t kMaxNumber = 65535;
inline constexpr std::uint32_t kLowestFontId = 129;
inline constexpr std::uint32_t kHighestWarnedFontId = 256;
inline constexpr int kMaxNumberDigits = 5;

inline constexpr const char* kIdNotANumber = "Please give a number between 256 and 65535";
inline constexpr const char* kTypefaceNotANumber = "Typeface should be a number between 0 and 65535";

inline constexpr const char* kSection = qrl::settings::kResPrefSection;

// The form of the item with this serial, as stored in its record.
ResPrefForm loadForm(const CQuorlyn32Doc& document, int serial);

// The id after one spin step: a font id stays within 129 to 65535, any other id within 0 to
// 65535 (computed without wrapping, so spinning down from 0 never lands on a huge id).
std::uint32_t spinId(const ResPrefForm& form, int step);
// The typeface id after one spin step, held in 0 to 65535.
std::uint32_t spinTypeface(std::uint32_t typefaceId, int step);

// A typed number: nothing for a text with any character other than the ASCII digits (the caller
// shows the number message and the last accepted value); 65535 for a value above it or a text of
// more than five digits. The caller leaves the value unchanged for an empty text.
std::optional<std::uint32_t> parseNumberText(const QString& text);

// The string id of the type line of an item of this kind and subtype.
int typeLineTextId(ResourceKind kind, int subtype);

// The location line: a path of more than 40 characters is shortened to its first three
// characters, "..", and its last 34 (or 33) characters when they begin with a separator, else a
// separator, a tilde and its last 33 characters.
QString locationText(const QString& path);

// The check-box rule, done at once: marks the project modified and, when the box becomes
// checked, clears the flag of every other item of the item's group (forms, or macros) so that
// after OK at most one item of the group is flagged. The item's own flag is left as stored.
void applyFlagClick(CQuorlyn32Doc& document, int serial, bool checked);

// OK's checks for a font, with their messages and the question through qrl::ui(): kFontIdTooLow
// for an id below 129, the question kResidentFontRangeWarning for 129 to 256 (Cancel refuses),
// kResourceIdTaken for an id that another font already has (only when the id was changed). True
// when OK may go on.
bool confirmFontId(const CQuorlyn32Doc& document, int serial, const ResPrefForm& form);

// Writes a checked form into the item's record by its kind (a font's numbers and a TrueType
// font's symbol set; a macro's id, 0 for a Tellurade macro, and its flag, 0 for a PCL macro; a
// form's flag) and marks the project modified when a number changed; answers the font column
// texts that changed.
ResPrefChange applyForm(CQuorlyn32Doc& document, int serial, const ResPrefForm& form);

} // namespace qrl::respref
