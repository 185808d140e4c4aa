// Explicit little- and big-endian encoding and a bounded reader over bytes. Standard C++ only,
// shared by the program and the libraries; nothing here casts a struct onto a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qrl::bytes {

inline std::uint16_t getU16LE(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint16_t getU16BE(const unsigned char* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t getU32LE(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint32_t getU32BE(const unsigned char* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}
inline std::uint64_t getU64LE(const unsigned char* p)
{
    return static_cast<std::uint64_t>(getU32LE(p)) | (static_cast<std::uint64_t>(getU32LE(p + 4)) << 32);
}

inline void putU16LE(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void putU16BE(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}
inline void putU32LE(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void putU32BE(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * (3 - i)));
}

// A text field of `size` bytes: the bytes up to the first NUL, never past the field.
inline std::string getFixedText(const unsigned char* p, std::size_t size)
{
    const void* nul = std::memchr(p, 0, size);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - p) : size;
    return std::string(reinterpret_cast<const char*>(p), len);
}

// Writes text into a field of `size` bytes: at most size-1 bytes, NUL-filled to the end.
inline void putFixedText(unsigned char* p, std::size_t size, std::string_view text)
{
    if (size == 0)
        return;
    const std::size_t len = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(p, text.data(), len);
    std::memset(p + len, 0, size - len);
}

// A read cursor over a byte range that refuses every read past its end. Once a read fails the
// cursor stays failed, so a parse can check ok() once at the end.
class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t size() const { return m_size; }
    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_size - m_pos; }
    bool ok() const { return m_ok; }

    bool seek(std::size_t pos)
    {
        if (!m_ok || pos > m_size)
            return fail();
        m_pos = pos;
        return true;
    }
    bool skip(std::size_t n)
    {
        if (!m_ok || n > m_size - m_pos)
            return fail();
        m_pos += n;
        return true;
    }
    std::uint8_t readU8() { return take(1) ? m_data[m_pos - 1] : 0; }
    std::uint16_t readU16LE() { return take(2) ? getU16LE(m_data + m_pos - 2) : 0; }
    std::uint16_t readU16BE() { return take(2) ? getU16BE(m_data + m_pos - 2) : 0; }
    std::uint32_t readU32LE() { return take(4) ? getU32LE(m_data + m_pos - 4) : 0; }
    std::uint32_t readU32BE() { return take(4) ? getU32BE(m_data + m_pos - 4) : 0; }
    // A pointer to the next n bytes, or nullptr (and failed) when fewer remain.
    const unsigned char* readBytes(std::size_t n) { return take(n) ? m_data + m_pos - n : nullptr; }

private:
    bool take(std::size_t n)
    {
        if (!m_ok || n > m_size - m_pos)
            return fail();
        m_pos += n;
        return true;
    }
    bool fail()
    {
        m_ok = false;
        return false;
    }

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

} // namespace qrl::bytes
