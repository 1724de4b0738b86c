#pragma once

// The lines of the Chinese view texts: where each begins in its view, and which line a view
// position lies on. A view text is the title line, the body with its line heads dropped and a
// closing line break (FamilyViewText), each line break one unit as the views and the search
// count it; a line begins where the unit after its head lands. The
// line break that ends a line belongs to that line, so an empty line's position is that of its
// own break; the title line belongs to the first line.

#include "browse/LineReference.h"
#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

struct TSutraLine
{
    std::int32_t Position = 0; // view position of the line's first unit
    std::int32_t Head = 0;     // where its head starts in the file's text area
};

struct TSutraLines
{
    std::vector<TSutraLine> Lines; // in view order; none for the Korean family or a body without heads
    std::int32_t ViewLength = 0;   // view units of the view text; 0 for no position of the catalogue
};

// The lines of family's view text of catalogue position n.
TSutraLines SutraLines(const TLoadedData& data, std::int32_t n, int family);

// The line holding view position p: the last line beginning at or before it, the first line
// for a position in the title line; nullopt when there are no lines.
std::optional<TSutraLine> LineHolding(std::span<const TSutraLine> lines, std::int32_t p);

// The 17-unit id of a line of family's text.
std::u16string_view LineId(const TLoadedData& data, int family, const TSutraLine& line);

// A line by its place in the views: the sutra's catalogue position, the family and the view
// position of the line's first unit.
struct TLinePlace
{
    std::int32_t Sutta = 0;
    int Family = 0;
    std::int32_t Position = 0;
};

// Every line of both Chinese texts by its id, and the Taishō lines by their numbers, for
// going to a reference. Ids of the usual shape are packed into numbers and kept sorted with
// their places, so that the index costs one pass over the bodies and one sort, and references
// asked in text order find their neighbours in the cache; other ids are compared in place in
// the text, so the index lives no longer than the data it was built from. A line id met
// twice keeps its first line in catalogue order, 고려대장경 before 신수대장경.
class TLineIndex
{
public:
    explicit TLineIndex(const TLoadedData& data);

    std::optional<TLinePlace> Find(const TLineReference& reference) const;
    // Where the last of a run of references was found: the next one is looked for outward
    // from there, so that references asked in text order cost a step each rather than a
    // search across the whole index.
    struct TNear
    {
        std::size_t At = 0;
    };
    std::optional<TLinePlace> Find(const TLineReference& reference, TNear& near) const;
    std::size_t LineCount() const { return Count; }

    // A line under a packed key: the key shifted left by two bits with the family below it.
    struct TKeyedLine
    {
        std::uint64_t KeyAndFamily = 0;
        std::int32_t Sutta = 0;
        std::int32_t Position = 0;
    };

private:
    struct TOtherLine
    {
        std::int32_t Head = 0; // where the head starts in its family's text
        TLinePlace Place;
    };

    std::u16string_view IdOf(const TOtherLine& line) const;
    std::optional<TLinePlace> FindOtherId(std::u16string_view id) const;
    std::optional<TLinePlace> FindNumbered(const TLineReference& reference, TNear* near) const;
    std::optional<TLinePlace> FindWithoutText(std::uint64_t numbers) const;

    std::size_t Count = 0;
    std::array<const char16_t*, TextFileCount> Texts{};
    // Ids of the usual shape, by letter, text number and then volume, page, column and line:
    // the form without a text number looks in each text's run.
    std::vector<TKeyedLine> ById;
    std::vector<TOtherLine> OtherLines;    // ids of any other shape, in the order of OtherSlots' hash
    std::vector<std::uint32_t> OtherSlots; // open addressing: 0 free, else the index in OtherLines plus one
};

// Where the go-to box goes for text: the line of a line reference, or for a catalogue title
// ("중아함 30") its sutra with Family -1 (no tab of its own) and Position 0; nullopt when
// the text names neither.
std::optional<TLinePlace> FindGoToTarget(const TLoadedData& data, const TLineIndex& index, std::u16string_view text);
