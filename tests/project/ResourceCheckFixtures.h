#pragma once

#include <string>

// Small resource files built in code, each the least that a content check accepts, with knobs for
// the defects the checks look for.
namespace qrl::test::fixtures {

inline const std::string kEsc = "\x1b";

inline void putBE16(std::string& s, std::size_t at, unsigned v)
{
    s[at] = static_cast<char>(v >> 8);
    s[at + 1] = static_cast<char>(v);
}

inline void putBE32(std::string& s, std::size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        s[at + i] = static_cast<char>(v >> (8 * (3 - i)));
}

// A TrueType file of `size` bytes with `tables` directory entries, the head table at entry
// `headIndex` (none when negative) pointing at `headOffset`, with or without its magic number.
inline std::string trueType(unsigned tables = 10, int headIndex = 3, unsigned headOffset = 200,
                            bool magic = true, std::size_t size = 400)
{
    std::string s(size, '\0');
    putBE16(s, 4, tables);
    for (unsigned i = 0; i < tables; ++i) {
        const std::size_t entry = 12 + i * 16;
        if (entry + 16 > size)
            break;
        s.replace(entry, 4, static_cast<int>(i) == headIndex ? "head" : "xxxx");
        if (static_cast<int>(i) == headIndex)
            putBE32(s, entry + 8, headOffset);
    }
    if (magic && std::size_t{headOffset} + 16 <= size)
        s.replace(headOffset + 12, 4, "\x5f\x0f\x3c\xf5");
    return s;
}

// A PCL soft font: junk, the header escape, a descriptor with `format` at its byte 2 and the font
// number at its bytes 25-26 (low byte first), padded to `size`.
inline std::string pclFont(int format, unsigned fontNumber = 0, std::size_t size = 120)
{
    std::string s = "junk" + kEsc + ")s64W";
    std::string descriptor(64, '\0');
    descriptor[2] = static_cast<char>(format);
    descriptor[25] = static_cast<char>(fontNumber & 0xFF);
    descriptor[26] = static_cast<char>(fontNumber >> 8);
    s += descriptor;
    s.resize(size, ' ');
    return s;
}

// A PCL macro definition: number, start, body, end.
inline std::string pclMacro(const std::string& number = "100Y", const std::string& start = "0X",
                            const std::string& end = "1X")
{
    std::string s;
    if (!number.empty())
        s += kEsc + "&f" + number;
    if (!start.empty())
        s += kEsc + "&f" + start;
    s += "macro body bytes";
    if (!end.empty())
        s += kEsc + "&f" + end;
    return s;
}

inline std::string telluradeMacro(const std::string& start = "!R!", const std::string& mcro = "MCRO",
                                  const std::string& endm = "ENDM", const std::string& exit = "EXIT")
{
    return start + " " + mcro + " ABCD; TEXT 'x'; " + endm + "; " + exit + ";";
}

// A Zentrix bitmap font file whose SFA command carries `number` after its eighth comma.
inline std::string zentrixFont(const std::string& number = "4711", const std::string& ldfc = "LDFC",
                               const std::string& sfa = "SFA")
{
    return "!R! " + ldfc + " 12,1; " + sfa + " 1,2,3,4,5,6,7,8," + number + "; EXIT;";
}

// Program data: a slot image whose bytes 198-199 hold `kind`, or an ELF file, of `size` bytes.
inline std::string slotImage(unsigned kind = 0x0010, std::size_t size = 200)
{
    std::string s(size, '\0');
    s.replace(0, 4, "\xae\x00\xa0\x02", 4);
    if (size >= 200)
        putBE16(s, 198, kind);
    return s;
}

inline std::string elf(std::size_t size = 200)
{
    std::string s(size, '\0');
    s.replace(0, 4,
              "\x7f"
              "ELF");
    return s;
}

} // namespace qrl::test::fixtures
