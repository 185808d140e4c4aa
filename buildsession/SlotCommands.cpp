#include "SlotCommands.h"

#include "BuildOptions.h"
#include "SingleByteText.h"
#include "TextFormat.h"

#include <QString>

namespace qrl::build {

namespace {

// One row of slot prefixes: the templates with and without formatting the medium first.
struct PrefixTemplates {
    const char* withFormat;
    const char* withoutFormat;
};

// Per family (in the order of CommandFamily) for fonts, forms, macros and program data.
constexpr PrefixTemplates kFontPrefixes[] = {
    {"!R!ICCD I,D;ICCD F,A;ICCD W,A,1,'%s';", "!R!ICCD I,D;ICCD W,A,1,'%s';"},
    {"!R!RWER I,D;RWER F,A;RWER W,A,1,'%s';", "!R!RWER I,D;RWER W,A,1,'%s';"},
    {"!R!RWER I,D;RWER F,0;RWER W,0,1,'%s';", "!R!RWER I,D;RWER W,0,1,'%s';"},
    {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'FNT','RSF','%s';", "!R!RWRF I,D;RWRF W,A,'FNT','RSF','%s';"},
    {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'FNT','RSF','%s';", "!R!RWRF I,D;RWRF W,0,'FNT','RSF','%s';"},
};
constexpr PrefixTemplates kFormPrefixes[] = {
    {"!R!ICCD I,D;ICCD F,A;ICCD W,A,2,'%s';", "!R!ICCD I,D;ICCD W,A,2,'%s';"},
    {"!R!RWER I,D;RWER F,A;RWER W,A,2,'%s';", "!R!RWER I,D;RWER W,A,2,'%s';"},
    {"!R!RWER I,D;RWER F,0;RWER W,0,2,'%s';", "!R!RWER I,D;RWER W,0,2,'%s';"},
    {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'PRN','%s';", "!R!RWRF I,D;RWRF W,A,'PRN','%s';"},
    {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'PRN','%s';", "!R!RWRF I,D;RWRF W,0,'PRN','%s';"},
};
constexpr PrefixTemplates kMacroPrefixes[] = {
    {"!R!ICCD I,D;ICCD F,A;ICCD W,A,16,'%s';", "!R!ICCD I,D;ICCD W,A,16,'%s';"},
    {"!R!RWER I,D;RWER F,A;RWER W,A,16,'%s';", "!R!RWER I,D;RWER W,A,16,'%s';"},
    {"!R!RWER I,D;RWER F,0;RWER W,0,16,'%s';", "!R!RWER I,D;RWER W,0,16,'%s';"},
    {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'MCR','TLR','%s','%s.mcr';",
     "!R!RWRF I,D;RWRF W,A,'MCR','TLR','%s','%s.mcr';"},
    {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'MCR','TLR','%s','%s.mcr';",
     "!R!RWRF I,D;RWRF W,0,'MCR','TLR','%s','%s.mcr';"},
};
// The Tarnwick families' macro named by a PCL macro number, which stands unquoted.
constexpr PrefixTemplates kNumberedMacroPrefixes[] = {
    {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'MCR','PCL',%s,'%s.mcr';",
     "!R!RWRF I,D;RWRF W,A,'MCR','PCL',%s,'%s.mcr';"},
    {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'MCR','PCL',%s,'%s.mcr';",
     "!R!RWRF I,D;RWRF W,0,'MCR','PCL',%s,'%s.mcr';"},
};
constexpr PrefixTemplates kProgramDataPrefixes[] = {
    {"!R!ICCD I,D;ICCD F,A;ICCD W,A,128,'%s';", "!R!ICCD I,D;ICCD W,A,128,'%s';"},
    {"!R!RWER I,D;RWER F,A;RWER W,A,128,'%s';", "!R!RWER I,D;RWER W,A,128,'%s';"},
    {"!R!RWER I,D;RWER F,0;RWER W,0,128,'%s';", "!R!RWER I,D;RWER W,0,128,'%s';"},
    {"!R!RWRF I,D;RWRF F,A;RWRF W,A,'API','TLR','%s','api_main','%s_prg';",
     "!R!RWRF I,D;RWRF W,A,'API','TLR','%s','api_main','%s_prg';"},
    {"!R!RWRF I,D;RWRF F,0;RWRF W,0,'API','TLR','%s','api_main','%s_prg';",
     "!R!RWRF I,D;RWRF W,0,'API','TLR','%s','api_main','%s_prg';"},
};

// The Tarnwick families' program data is named by its first four characters.
constexpr int kProgramDataNameLength = 4;

constexpr char kWriteProtectOff[] = "\033%%-12345X@PJL\r\n@PJL JOB NAME=\"%s\"\r\n@PJL DEFAULT %sLOCK=OFF\r\n"
                                    "@PJL EOJ NAME=\"%s\"\r\n\033%%-12345X";
constexpr char kWriteProtectOn[] = "\033%%-12345X@PJL\r\n@PJL JOB NAME=\"%s\"\r\n@PJL DEFAULT %sLOCK=ON\r\n"
                                   "@PJL EOJ NAME=\"%s\"\r\n\033%%-12345X";
constexpr char kPowerOnForm[] = "!R!FRPO I0,'%s';EXIT,E;";

QByteArray upperAscii(QByteArray text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool startsWithDigit(const QByteArray& name)
{
    return !name.isEmpty() && name.front() >= '0' && name.front() <= '9';
}

int familyIndex(CommandFamily family)
{
    return static_cast<int>(family);
}

// The name as the template of `kind` writes it.
QByteArray nameInCommand(int kind, const QByteArray& slotName, CommandFamily family)
{
    if (kind == kSlotMacros)
        return upperAscii(slotName);
    if (kind == kSlotProgramData && isTarnwickFamily(family))
        return upperAscii(slotName.left(kProgramDataNameLength));
    return slotName;
}

const PrefixTemplates* templatesOf(int kind, const QByteArray& name, CommandFamily family)
{
    const int index = familyIndex(family);
    switch (kind) {
    case kSlotFonts:
        return &kFontPrefixes[index];
    case kSlotForms:
        return &kFormPrefixes[index];
    case kSlotMacros:
        if (isTarnwickFamily(family) && startsWithDigit(name))
            return &kNumberedMacroPrefixes[family == CommandFamily::RwrfCard ? 0 : 1];
        return &kMacroPrefixes[index];
    case kSlotProgramData:
        return &kProgramDataPrefixes[index];
    default:
        return nullptr;
    }
}

} // namespace

CommandFamily commandFamily(BuildTarget target, bool compactFlash, bool tarnwick)
{
    if (target == BuildTarget::Disk)
        return tarnwick ? CommandFamily::RwrfDisk : CommandFamily::RwerDisk;
    if (!compactFlash)
        return CommandFamily::IccdCard;
    return tarnwick ? CommandFamily::RwrfCard : CommandFamily::RwerCard;
}

NameCheck checkCommandName(const QByteArray& name)
{
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\'')
            return NameCheck::Quote;
        if (byte < 0x20 || byte == 0x7F)
            return NameCheck::ControlByte;
    }
    return NameCheck::Ok;
}

NameCheck checkSlotName(int kind, const QByteArray& name, CommandFamily family)
{
    const QByteArray used = nameInCommand(kind, name, family);
    const NameCheck check = checkCommandName(used);
    if (check != NameCheck::Ok)
        return check;
    if (kind == kSlotMacros && isTarnwickFamily(family) && startsWithDigit(used)) {
        for (const char c : used) {
            if (c < '0' || c > '9')
                return NameCheck::NotANumber;
        }
    }
    return NameCheck::Ok;
}

QByteArray slotPrefix(int kind, const QByteArray& slotName, CommandFamily family, bool withFormat)
{
    const QByteArray name = nameInCommand(kind, slotName, family);
    const PrefixTemplates* templates = templatesOf(kind, name, family);
    if (!templates)
        return {};
    const QString text = singlebyte::fromBytes(name);
    return qrl::formatBytes(withFormat ? templates->withFormat : templates->withoutFormat, {text, text});
}

QByteArray MakeWriteProtectJob(bool off, bool disk)
{
    const char* variable = disk ? "DISK" : "KCARD1";
    const char* name = disk ? (off ? "HDMD Disable Write Protection" : "HDMD Enable Write Protection")
                            : (off ? "CF Disable Write Protection" : "CF Enable Write Protection");
    return qrl::formatBytes(off ? kWriteProtectOff : kWriteProtectOn, {name, variable, name});
}

QByteArray MakePowerOnFormCommand(const QByteArray& formName)
{
    return qrl::formatBytes(kPowerOnForm, {singlebyte::fromBytes(formName)});
}

} // namespace qrl::build
