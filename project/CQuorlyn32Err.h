#pragma once

#include <QString>

#include <cstdint>

// Why the document's add road refused a file, for the caller to show.
enum AddItemError : std::uint16_t {
    kAddErrorNone = 0,
    kAddErrorCapacity = 1,  // the medium's capacity would be exceeded
    kAddErrorDuplicate = 2, // the file is already in the project
    kAddErrorShown = 7,     // refused with the reason already shown, or cancelled
};

// The one holder of the add road's refusal code. The add road stores a code; the caller fetches
// it, which clears it.
class CQuorlyn32Err {
public:
    virtual ~CQuorlyn32Err() = default;

    void SetError(std::uint16_t code) { m_code = code; }
    // The code, reset to 0.
    std::uint16_t FetchError();
    std::uint16_t PeekError() const { return m_code; }

    // The message the project window shows for a refusal of `path`: string kNoRoomForFile and the path for
    // 1, the path and string kAlreadyInProject for 2, nothing for other codes.
    static QString RefusalMessage(std::uint16_t code, const QString& path);

private:
    std::uint16_t m_code = 0;
};

CQuorlyn32Err& GetQuorlyn32Err();
