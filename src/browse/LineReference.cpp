#include "browse/LineReference.h"

#include "util/MyUtils.h"

#include <algorithm>

namespace {

// Longer digit runs than any Taishō number can have are no reference at all.
constexpr std::size_t MaxDigits = 6;

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool IsColumn(char16_t c)
{
    return c == u'a' || c == u'b' || c == u'c';
}

// Reads a reference from left to right; every step leaves the position unchanged on failure.
class TReferenceCursor
{
public:
    explicit TReferenceCursor(std::u16string_view text) : Text(text) {}

    bool AtEnd() const { return At >= Text.size(); }
    char16_t Peek(std::size_t ahead = 0) const { return At + ahead < Text.size() ? Lower(Text[At + ahead]) : u'\0'; }

    // Blanks, commas and underscores between the parts.
    void SkipSeparators()
    {
        while (!AtEnd() && (Peek() == u' ' || Peek() == u',' || Peek() == u'_' || Peek() == u'\t'))
            ++At;
    }

    bool Take(char16_t c)
    {
        if (Peek() != c) return false;
        ++At;
        return true;
    }

    // A digit run of 1 to MaxDigits digits.
    std::optional<std::int32_t> Number()
    {
        std::size_t end = At;
        std::int32_t value = 0;
        while (end < Text.size() && IsDigit(Text[end]) && end - At < MaxDigits)
            value = value * 10 + (Text[end++] - u'0');
        if (end == At || (end < Text.size() && IsDigit(Text[end]))) return std::nullopt;
        At = end;
        return value;
    }

    // Whether a digit run starts here and a column letter follows it: the page, not a text number.
    bool PageAhead() const
    {
        std::size_t end = At;
        while (end < Text.size() && IsDigit(Text[end]))
            ++end;
        return end > At && end < Text.size() && IsColumn(Lower(Text[end]));
    }

private:
    std::u16string_view Text;
    std::size_t At = 0;
};

// "no." or "n" (any case, the dot optional) before a text number.
bool TakeTextMarker(TReferenceCursor& cursor)
{
    if (!cursor.Take(u'n')) return false;
    if (cursor.Take(u'o')) cursor.Take(u'.');
    cursor.SkipSeparators();
    return true;
}

std::optional<TTaishoLine> ParseScholarlyForm(std::u16string_view text)
{
    TReferenceCursor cursor(text);
    TTaishoLine line;
    if (!cursor.Take(u't')) return std::nullopt;
    const std::optional<std::int32_t> volume = cursor.Number();
    if (!volume) return std::nullopt;
    line.Volume = *volume;
    cursor.SkipSeparators();
    const bool marked = TakeTextMarker(cursor);
    if (marked || (!cursor.PageAhead() && IsDigit(cursor.Peek()))) {
        line.Text = cursor.Number();
        if (!line.Text) return std::nullopt;
        cursor.SkipSeparators();
    }
    if (cursor.Take(u'p')) {
        cursor.Take(u'.');
        cursor.SkipSeparators();
    }
    const std::optional<std::int32_t> page = cursor.Number();
    if (!page || !IsColumn(cursor.Peek())) return std::nullopt;
    line.Page = *page;
    line.Column = cursor.Peek();
    cursor.Take(line.Column);
    const std::optional<std::int32_t> number = cursor.Number();
    if (!number || !cursor.AtEnd()) return std::nullopt;
    line.Line = *number;
    return line;
}

bool IsLineIdUnit(char16_t c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

// The number at the end of a title and the words before it, blanks dropped from both sides.
struct TTitleParts
{
    std::u16string_view Words;
    std::int32_t Number = 0;
};

std::optional<TTitleParts> SplitTitle(std::u16string_view text)
{
    text = TrimControlAndBlank(text);
    std::size_t digits = text.size();
    while (digits > 0 && IsDigit(text[digits - 1]))
        --digits;
    if (digits == text.size() || text.size() - digits > MaxDigits) return std::nullopt;
    std::int32_t number = 0;
    for (std::size_t i = digits; i < text.size(); ++i)
        number = number * 10 + (text[i] - u'0');
    return TTitleParts{TrimControlAndBlank(text.substr(0, digits)), number};
}

} // namespace

std::optional<TNumberedLineId> ParseNumberedLineId(std::u16string_view id)
{
    // T01n0001_p0011a08: every index of an id is read once, so the index reads its lines fast.
    if (id.size() != static_cast<std::size_t>(LineIdLength) || !IsLineHeadOpener(id[0]) || id[3] != u'n' ||
        id[8] != u'_' || id[9] != u'p' || !IsColumn(id[14]))
        return std::nullopt;
    bool digits = true;
    auto number = [&](std::size_t at, std::size_t width) {
        std::int32_t value = 0;
        for (std::size_t i = at; i < at + width; ++i) {
            const auto digit = static_cast<std::uint32_t>(id[i] - u'0');
            digits = digits && digit <= 9;
            value = value * 10 + static_cast<std::int32_t>(digit);
        }
        return value;
    };
    const TNumberedLineId parsed{id[0], {number(1, 2), number(4, 4), number(10, 4), id[14], number(15, 2)}};
    return digits ? std::optional(parsed) : std::nullopt;
}

std::optional<TTaishoLine> ParseTaishoLineId(std::u16string_view id)
{
    const std::optional<TNumberedLineId> numbered = ParseNumberedLineId(id);
    if (!numbered || numbered->Opener != SinsuHeadOpener) return std::nullopt;
    return numbered->Numbers;
}

std::u16string TaishoLineId(const TTaishoLine& line)
{
    if (!line.Text || line.Volume > 99 || *line.Text > 9999 || line.Page > 9999 || line.Line > 99) return {};
    return u"T" + ZeroPad(line.Volume, 2) + u"n" + ZeroPad(*line.Text, 4) + u"_p" + ZeroPad(line.Page, 4) +
           line.Column + ZeroPad(line.Line, 2);
}

std::optional<TLineReference> ParseLineReference(std::u16string_view text)
{
    text = TrimControlAndBlank(text);
    // Any head's id, as the texts hold it: its letter and 16 units of letters, digits and "_".
    if (text.size() == static_cast<std::size_t>(LineIdLength) && IsLineHeadOpener(text[0])) {
        // The usual shape is all such units; another is looked at unit by unit.
        const std::optional<TNumberedLineId> numbered = ParseNumberedLineId(text);
        bool plain = numbered.has_value();
        if (!plain) {
            plain = true;
            for (char16_t c : text)
                plain = plain && IsLineIdUnit(c);
        }
        if (plain) {
            TLineReference reference;
            std::copy(text.begin(), text.end(), reference.IdUnits.begin());
            reference.HasId = true;
            reference.Numbered = numbered;
            if (numbered && numbered->Opener == SinsuHeadOpener) reference.Taisho = numbered->Numbers;
            return reference;
        }
    }
    if (std::optional<TTaishoLine> line = ParseScholarlyForm(text))
        return TLineReference{{}, false, line, std::nullopt};
    return std::nullopt;
}

std::optional<std::int32_t> FindCatalogueTitle(const TVesko_File& catalogue, std::u16string_view text)
{
    const std::optional<TTitleParts> wanted = SplitTitle(text);
    if (!wanted || wanted->Words.empty()) return std::nullopt;
    for (std::int32_t n = 0; n < catalogue.SuttaTable.Count; ++n) {
        const std::optional<TTitleParts> title = SplitTitle(FieldText(catalogue.SuttaTable.Items[n].Title));
        if (title && title->Number == wanted->Number && title->Words == wanted->Words) return n;
    }
    return std::nullopt;
}
