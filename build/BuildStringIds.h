#pragma once

// The string ids of the build's messages and status texts, each named once.
namespace qrl::build::ids {

inline constexpr int kNoResources = 2200;
inline constexpr int kFormatDisk = 2202;
inline constexpr int kCardCapacityNotSupported = 2222;
inline constexpr int kCouldNotAccessFile = 2232;
inline constexpr int kFailedToOpenPrinter = 2310;
inline constexpr int kHexExportTitle = 2324;
inline constexpr int kStatusBuildingFont = 2350;
inline constexpr int kStatusBuildingResources = 2351;
inline constexpr int kStatusBuildingSlots = 2352;
inline constexpr int kStatusCreatingBxf = 2353;
inline constexpr int kStatusCreatingEprom = 2354;
inline constexpr int kStatusWritingToPrinter = 2355;
inline constexpr int kCardImageFilter = 2373;
inline constexpr int kHexExportFilter = 2374;
inline constexpr int kBinaryExportFilter = 2375;
inline constexpr int kBinaryExportTitle = 2376;
inline constexpr int kFailedToBuild = 2379;
inline constexpr int kErrorOpeningFile = 2380;
inline constexpr int kProgramDataStructure = 2391;
inline constexpr int kFileErrorFormat = 2400;
inline constexpr int kNotInsertedHint = 2401;
inline constexpr int kFileLengthError = 2403;
inline constexpr int kFileFailureFormat = 2404;
inline constexpr int kCheckFileHint = 2407;
inline constexpr int kStartSequenceNotFound = 2442;
inline constexpr int kLdfcNotFound = 2450;
inline constexpr int kExportForCfNotImplemented = 2462;
inline constexpr int kResolution600Failed = 2463;
inline constexpr int kNameNotSendable = 2464;
inline constexpr int kFilePrinter = 3000;
inline constexpr int kFormatPcmcia = 3030;
inline constexpr int kFormatCompactFlash = 3031;
inline constexpr int kFormatSram = 3033;
inline constexpr int kCardCapacityNoHelpFile = 9020;

} // namespace qrl::build::ids
