#pragma once

#include "util/UnitBlocks.h"

#include <string_view>
#include <vector>

// The lines of a text, as views into it. CR LF, a lone CR and a lone LF each end a line, so
// a Windows text, a Unix text and an old Mac text split alike. A break at the very end opens
// no further line, and an empty text has no lines. The settings file splits its raw bytes
// this way; the memo, the source tables and the demo tables their decoded text.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::u16string_view> SplitLines(std::u16string_view text);

// The position of the first CR or LF in text at or after from; text.size() when there is none.
std::size_t FindLineBreak(std::string_view text, std::size_t from);
std::size_t FindLineBreak(std::u16string_view text, std::size_t from);

// Calls onLine with each line SplitLines would give, in order, without making the list.
template <typename TChar, typename TOnLine> void ForEachLine(std::basic_string_view<TChar> text, TOnLine&& onLine)
{
    std::size_t start = 0;
    for (std::size_t i = FindLineBreak(text, 0); i < text.size(); i = FindLineBreak(text, i + 1)) {
        onLine(text.substr(start, i - start));
        if (text[i] == TChar('\r') && i + 1 < text.size() && text[i + 1] == TChar('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) onLine(text.substr(start));
}

// The line breaks of a text handed over in pieces, each read as joined to those before it:
// every break (CR LF, LF CR, a lone CR or LF) is written as one carriage return. The units are
// written from out on, never more than were read, and the end is returned.
class TLineBreakNormalizer
{
public:
    char16_t* Write(std::u16string_view piece, char16_t* out);
    // One unit.
    char16_t* Put(char16_t c, char16_t* out);
    // Units that are no line break were written past the normalizer (as Write would write
    // them), so that a CR or LF after them opens a break of its own.
    void PlainWritten() { Pair = 0; }

private:
    char16_t Pair = 0; // the unit that would finish the line break written last
};

inline char16_t* TLineBreakNormalizer::Put(char16_t c, char16_t* out)
{
    if (c > u'\r') {
        // Nearly every unit: written as it is.
        Pair = 0;
        *out++ = c;
    } else if (Pair != 0 && c == Pair) {
        Pair = 0;
    } else if (c == u'\r' || c == u'\n') {
        Pair = c == u'\r' ? u'\n' : u'\r';
        *out++ = u'\r';
    } else {
        Pair = 0;
        *out++ = c;
    }
    return out;
}

inline char16_t* TLineBreakNormalizer::Write(std::u16string_view piece, char16_t* out)
{
    const char16_t* in = piece.data();
    const char16_t* const end = in + piece.size();
    while (in < end) {
#if VESKO3_UNIT_BLOCKS
        // Nearly every unit is written as it is, a block at a time up to the first that is
        // not. A block is written whole only when it is read whole, and what goes before the
        // unit found unit by unit, so that out may run behind in over the same memory.
        if (Pair == 0) {
            for (; end - in >= UnitBlockSize;) {
                const TUnitBlock units = LoadUnitBlock(in);
                const int plain = FirstSetLane(units <= UnitBlockOf(u'\r'));
                if (plain == UnitBlockSize) {
                    StoreUnitBlock(out, units);
                    in += UnitBlockSize;
                    out += UnitBlockSize;
                    continue;
                }
                for (int k = 0; k < plain; ++k)
                    *out++ = *in++;
                break;
            }
            if (in == end) break;
        }
#endif
        out = Put(*in++, out);
    }
    return out;
}
