#include "ProjectTextIds.h"
#include "ResourceCheck.h"

#include "ResourceCheckFile.h"
#include "ResourceCheckSupport.h"

#include <array>
#include <string>
#include <string_view>

using namespace qrl::resourcecheck;

namespace {

constexpr unsigned char kEscape = 0x1B;
constexpr std::size_t kPclMacroMinimum = 10;  // a file must be longer than this
constexpr std::size_t kTelluradeMinimum = 20; // a file must be longer than this
// Values of macro escapes are a few characters; longer runs are cut, only the first counts.
constexpr std::size_t kValueCapacity = 16;

// The four keywords of a Tellurade file and the error of each when it is missing. The first is
// compared exactly, the others without regard to case.
struct KeywordSet {
    std::array<std::string_view, 4> words;
    std::array<int, 4> missing;
};
constexpr KeywordSet kMacroKeywords = {{"!R!", "MCRO", "ENDM", "EXIT"},
                                       {qrl::ids::kStartSequenceMissing, qrl::ids::kMcroMissing,
                                        qrl::ids::kEndmMissing, qrl::ids::kExitMissing}};
constexpr KeywordSet kFontKeywords = {
    {"!R!", "LDFC", "SFA", "EXIT"},
    {qrl::ids::kStartSequenceMissing, qrl::ids::kLdfcMissing, qrl::ids::kSfaMissing, qrl::ids::kExitMissing}};

bool checkTellurade(const QString& path, ResourceCheckMessages& messages, const KeywordSet& set)
{
    constexpr Shown shown = Shown::Quietly;
    ResourceCheckFile file(path);
    if (!readableAndLonger(file, kTelluradeMinimum, messages, shown, path))
        return false;
    // Each keyword is looked for from the position after the one where the previous one began,
    // up to four bytes before the end.
    const std::size_t lastStart = file.size() - 4;
    std::size_t from = 0;
    for (std::size_t k = 0; k < set.words.size(); ++k) {
        const auto at = findKeyword(file, from, lastStart, set.words[k], k == 0);
        if (!at)
            return refuseMissing(file, messages, shown, qrl::ids::kFileFailureFormat, set.missing[k], path);
        from = *at + 1;
    }
    return true;
}

// The PCL macro escapes: ESC "&" "f" value terminator. "Y" gives the macro number, "X" the macro
// control: 0 (or no value) starts the definition, 1 ends it.
class PclMacroScan {
public:
    // True when the end of a definition comes after both the number and the start.
    bool run(ResourceCheckFile& file)
    {
        for (std::size_t i = 0; i < file.size(); ++i) {
            const int c = file.at(i);
            if (c < 0)
                break;
            if (c == kEscape) {
                m_state = 1;
                continue;
            }
            if (m_state == 1 && c == '&') {
                m_state = 2;
            } else if (m_state == 2 && c == 'f') {
                m_state = 3;
                m_value.clear();
            } else if (m_state == 3) {
                if (c >= 0x2A && c <= 0x3F) {
                    if (m_value.size() < kValueCapacity)
                        m_value.push_back(static_cast<char>(c));
                } else if (terminate(c)) {
                    return m_number && m_start;
                }
            }
        }
        return false;
    }
    bool numberFound() const { return m_number; }
    bool startFound() const { return m_start; }

private:
    // Handles a terminator; true when it ends the definition.
    bool terminate(int c)
    {
        if (c == 'Y' || c == 'y') {
            m_number = true;
            // A lower-case terminator goes on with the same escape (a combined escape).
            m_state = c == 'y' ? 3 : 0;
            m_value.clear();
            return false;
        }
        m_state = 0;
        if (c == 'X' || c == 'x') {
            if (m_value.empty() || m_value[0] == '0')
                m_start = true;
            else if (m_value[0] == '1')
                return true;
        }
        return false;
    }

    int m_state = 0;
    std::string m_value;
    bool m_number = false;
    bool m_start = false;
};

} // namespace

bool CheckPclMacro(const QString& path, ResourceCheckMessages& messages)
{
    constexpr Shown shown = Shown::Always;
    ResourceCheckFile file(path);
    if (!readableAndLonger(file, kPclMacroMinimum, messages, shown, path))
        return false;
    PclMacroScan scan;
    if (scan.run(file))
        return true;
    const int missing = !scan.numberFound()  ? qrl::ids::kPclMacroNumberMissing
                        : !scan.startFound() ? qrl::ids::kPclMacroStartMissing
                                             : qrl::ids::kPclMacroEndMissing;
    return refuseMissing(file, messages, shown, qrl::ids::kFileFailureFormat, missing, path);
}

bool CheckTelluradeMacro(const QString& path, ResourceCheckMessages& messages)
{
    return checkTellurade(path, messages, kMacroKeywords);
}

bool CheckTelluradeFontFile(const QString& path, ResourceCheckMessages& messages)
{
    return checkTellurade(path, messages, kFontKeywords);
}
