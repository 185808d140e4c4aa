#pragma once

// The string ids of the EMCR creator's texts and messages, each named once.
namespace emcr::ids {

inline constexpr int kFirstSourceName = 2900; // "Cassette 1" ... "NR-4", in source order
inline constexpr int kNameNotAcceptable = 3015;
inline constexpr int kNotANumber = 3041;
inline constexpr int kNoAssignment = 3920;
inline constexpr int kEnableFilter = 3921;
inline constexpr int kDisableFilter = 3922;
inline constexpr int kSourceColumn = 3941;
inline constexpr int kMacroColumn = 3942;
inline constexpr int kParametersColumn = 3943;
inline constexpr int kRepeatColumn = 3946;
inline constexpr int kSideColumn = 3948;
inline constexpr int kFront = 3949;
inline constexpr int kBack = 3950;
inline constexpr int kMacroNameColumn = 3951;
inline constexpr int kFileNameColumn = 3952;
inline constexpr int kItemTitle = 3955;
inline constexpr int kEnableTitle = 3957;
inline constexpr int kDisableTitle = 3958;
inline constexpr int kModify = 3980;
inline constexpr int kClear = 3981;
inline constexpr int kEnableBase = 3982;
inline constexpr int kDisableBase = 3983;
inline constexpr int kNoMacroChosen = 3985;
inline constexpr int kParametersTooLong = 3986;
inline constexpr int kRepeatRange = 3989;
inline constexpr int kParametersNotAcceptable = 9040;

} // namespace emcr::ids
