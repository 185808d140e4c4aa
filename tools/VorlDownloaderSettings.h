#pragma once

#include "FontDownloadText.h"
#include "SettingsKeys.h"

#include <QString>

#include <array>

// What the font downloader keeps in its profile section "Vorl Font Downloader": the printer, the
// medium and the widths of its four list columns (the window placement is kept beside them).
struct VorlDownloaderSettings {
    static constexpr const char* kSection = qrl::settings::kVorlDownloaderSection;
    static constexpr int kColumnCount = 4;

    QString printer;
    qrl::fontdownload::Medium mediumType = qrl::fontdownload::Medium::CompactFlash;
    std::array<int, kColumnCount> columnWidths{};

    // The stored settings; with `useDefaultWidths` (the program's version changed) the stored
    // widths are ignored. A stored medium other than the two is read as the first.
    static VorlDownloaderSettings load(bool useDefaultWidths);
    // Writes every value; false when the profile cannot be written.
    bool save() const;
};
