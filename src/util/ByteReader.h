#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Bounds-checked little-endian reading of untrusted bytes. A read past the end sets a
// sticky failure flag and yields zeros, so a record is read whole and checked once.
class TByteReader
{
public:
    explicit TByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : Bytes(bytes), Position(position), Failed(position > bytes.size())
    {
    }

    bool ok() const { return !Failed; }

    std::int32_t ReadInt32()
    {
        if (!Require(4)) return 0;
        const std::uint8_t* p = Bytes.data() + Position;
        Position += 4;
        return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                         std::uint32_t(p[3]) << 24);
    }

    void ReadUnits(char16_t* out, std::size_t count)
    {
        if (!Require(count * 2)) {
            std::fill(out, out + count, u'\0');
            return;
        }
        const std::uint8_t* p = Bytes.data() + Position;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
        Position += count * 2;
    }

    void ReadBytes(std::uint8_t* out, std::size_t count)
    {
        if (!Require(count)) {
            std::fill(out, out + count, std::uint8_t(0));
            return;
        }
        std::copy(Bytes.data() + Position, Bytes.data() + Position + count, out);
        Position += count;
    }

private:
    bool Require(std::size_t count)
    {
        if (Failed || count > Bytes.size() - Position) {
            Failed = true;
            return false;
        }
        return true;
    }

    std::span<const std::uint8_t> Bytes;
    std::size_t Position;
    bool Failed;
};

// Little-endian writing into a growing byte buffer; the counterpart of TByteReader.
class TByteWriter
{
public:
    void WriteInt32(std::int32_t value)
    {
        auto v = static_cast<std::uint32_t>(value);
        Bytes.insert(Bytes.end(),
                     {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    void WriteUnit(char16_t unit)
    {
        Bytes.push_back(static_cast<std::uint8_t>(unit));
        Bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    void WriteUnits(const char16_t* units, std::size_t count)
    {
        Bytes.reserve(Bytes.size() + 2 * count);
        for (std::size_t i = 0; i < count; ++i)
            WriteUnit(units[i]);
    }
    void WriteBytes(const std::uint8_t* bytes, std::size_t count) { Bytes.insert(Bytes.end(), bytes, bytes + count); }
    void WriteZeros(std::size_t count) { Bytes.resize(Bytes.size() + count, 0); }

    std::size_t size() const { return Bytes.size(); }
    std::vector<std::uint8_t>& bytes() { return Bytes; }

private:
    std::vector<std::uint8_t> Bytes;
};
