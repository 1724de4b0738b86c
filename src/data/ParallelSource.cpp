#include "data/ParallelSource.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"
#include "util/TextLines.h"

#include <array>
#include <optional>

namespace {

constexpr std::size_t ParallelColumns = 5;

// The five fields of a line; nullopt for any other count.
std::optional<std::array<std::u16string_view, ParallelColumns>> SplitColumns(std::u16string_view line)
{
    std::array<std::u16string_view, ParallelColumns> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < ParallelColumns; ++i) {
        const std::size_t end = line.find(u'\t', start);
        if ((end == std::u16string_view::npos) != (i + 1 == ParallelColumns)) return std::nullopt;
        fields[i] = line.substr(start, end == std::u16string_view::npos ? end : end - start);
        start = end + 1;
    }
    return fields;
}

// A catalogue number from 1 to count; 0 for anything else.
std::int32_t CatalogueNumber(std::u16string_view text, std::int32_t count)
{
    if (text.empty() || text.size() > 9) return 0;
    std::int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + (c - u'0');
    }
    return value <= count ? value : 0;
}

std::optional<TParallelRelation> RelationNamed(std::u16string_view name)
{
    for (int r = 0; r < ParallelRelationCount; ++r)
        if (name == Utf8ToUtf16(ParallelRelationNames[r])) return static_cast<TParallelRelation>(r);
    return std::nullopt;
}

bool FieldFits(std::u16string_view field)
{
    return !field.empty() && field.size() <= MaxParallelFieldUnits && field.find(u'\0') == std::u16string_view::npos;
}

} // namespace

TParallelSourceError ParseParallelSource(std::u16string_view text, std::int32_t suttaCount,
                                         std::vector<TParallel>& rows)
{
    rows.clear();
    std::size_t number = 0;
    bool header = true;
    for (std::u16string_view line : SplitLines(text)) {
        ++number;
        if (line.empty()) continue;
        if (header) {
            header = false;
            continue;
        }
        const auto fields = SplitColumns(line);
        if (!fields) return {number, u"번호, 관계, 식별자, 표시, 대응 번호 다섯 칸이 있어야 합니다."};
        const std::int32_t sutta = CatalogueNumber((*fields)[0], suttaCount);
        if (sutta == 0) return {number, u"번호가 목록에 없습니다."};
        const std::optional<TParallelRelation> relation = RelationNamed((*fields)[1]);
        if (!relation) return {number, u"관계는 full, partial, resembling 가운데 하나여야 합니다."};
        if (!FieldFits((*fields)[2]) || !FieldFits((*fields)[3]))
            return {number, u"식별자와 표시는 1자에서 " + DecimalText(MaxParallelFieldUnits) + u"자 사이여야 합니다."};
        const std::int32_t corpus = (*fields)[4].empty() ? 0 : CatalogueNumber((*fields)[4], suttaCount);
        if (!(*fields)[4].empty() && corpus == 0) return {number, u"대응 번호가 목록에 없습니다."};
        rows.push_back({sutta - 1, *relation, corpus - 1, std::u16string((*fields)[2]), std::u16string((*fields)[3])});
    }
    return {};
}

std::u16string ParallelSourceText(const std::vector<TParallel>& rows)
{
    std::u16string text = u"number\trelation\tid\tlabel\tcorpus\n";
    for (const TParallel& row : rows) {
        for (const std::u16string* field : {&row.Id, &row.Label})
            if (field->find_first_of(u"\t\r\n") != std::u16string::npos) return {};
        text += DecimalText(std::int64_t(row.Sutta) + 1) + u"\t" +
                Utf8ToUtf16(ParallelRelationNames[static_cast<int>(row.Relation)]) + u"\t" + row.Id + u"\t" +
                row.Label + u"\t" + (row.Corpus >= 0 ? DecimalText(std::int64_t(row.Corpus) + 1) : std::u16string()) +
                u"\n";
    }
    return text;
}
