#include "data/ParallelFile.h"

#include "data/DataWriter.h"
#include "util/MyUtils.h"

#include <algorithm>
#include <system_error>

namespace {

bool FieldFits(const std::u16string& field)
{
    return !field.empty() && field.size() <= MaxParallelFieldUnits;
}

// Reads the rows from the units; false at the first unit that breaks the layout.
bool ReadRows(const std::vector<char16_t>& units, std::size_t length, std::int32_t suttaCount,
              std::vector<TParallel>& rows)
{
    std::size_t at = 0;
    auto field = [&](std::u16string& out) {
        if (at >= length) return false;
        const std::size_t size = units[at++];
        if (size == 0 || size > MaxParallelFieldUnits || size > length - at) return false;
        out.assign(units.data() + at, size);
        at += size;
        return true;
    };
    std::int32_t previous = 0;
    while (at < length) {
        if (length - at < ParallelRowFixedUnits) return false;
        const std::int32_t number = units[at];
        const char16_t relation = units[at + 1];
        const std::int32_t corpus = units[at + 2];
        at += 3;
        if (number < previous || number < 1 || number > suttaCount || relation >= ParallelRelationCount ||
            corpus > suttaCount)
            return false;
        previous = number;
        TParallel row{number - 1, static_cast<TParallelRelation>(relation), corpus - 1, {}, {}};
        if (!field(row.Id) || !field(row.Label)) return false;
        rows.push_back(std::move(row));
    }
    return true;
}

// Adds the failure of the optional file to a message that names it, and passes it on.
class TWithoutParallels : public IMessages
{
public:
    explicit TWithoutParallels(IMessages& messages) : Messages(messages) {}
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        Messages.Show(text + u"\r\n\r\n대응경전 자료 없이 계속합니다.", caption);
    }

private:
    IMessages& Messages;
};

} // namespace

std::span<const TParallel> TParallelTable::Of(std::int32_t n) const
{
    const auto first = std::lower_bound(Rows.begin(), Rows.end(), n,
                                        [](const TParallel& row, std::int32_t s) { return row.Sutta < s; });
    const auto last =
        std::upper_bound(first, Rows.end(), n, [](std::int32_t s, const TParallel& row) { return s < row.Sutta; });
    return {first, last};
}

std::u16string CheckParallels(const std::vector<TParallel>& rows, std::int32_t suttaCount)
{
    std::int64_t units = 0;
    for (const TParallel& row : rows) {
        const std::u16string where = u"대응경전 " + DecimalText(std::int64_t(row.Sutta) + 1) + u": ";
        if (row.Sutta < 0 || row.Sutta >= suttaCount) return where + u"목록에 없는 경전입니다.";
        if (row.Corpus < -1 || row.Corpus >= suttaCount) return where + u"대응하는 경전 번호가 목록에 없습니다.";
        if (static_cast<int>(row.Relation) >= ParallelRelationCount) return where + u"알 수 없는 관계입니다.";
        if (!FieldFits(row.Id) || !FieldFits(row.Label))
            return where + u"식별자와 표시는 1자에서 " + DecimalText(MaxParallelFieldUnits) + u"자 사이여야 합니다.";
        units += static_cast<std::int64_t>(ParallelRowFixedUnits + row.Id.size() + row.Label.size());
    }
    if (units > MaxTextAreaUnits) return std::u16string(ParallelFileName) + u": " + TooLargeForDataFileText();
    return {};
}

std::vector<std::uint8_t> SerializeParallelFile(const std::vector<TParallel>& rows)
{
    std::vector<const TParallel*> order;
    order.reserve(rows.size());
    for (const TParallel& row : rows)
        order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](const TParallel* a, const TParallel* b) { return a->Sutta < b->Sutta; });
    std::u16string units;
    for (const TParallel* row : order) {
        units += static_cast<char16_t>(row->Sutta + 1);
        units += static_cast<char16_t>(row->Relation);
        units += static_cast<char16_t>(row->Corpus + 1);
        units += static_cast<char16_t>(row->Id.size());
        units += row->Id;
        units += static_cast<char16_t>(row->Label.size());
        units += row->Label;
    }
    return SerializeUnitsFile(ParallelFileMagic, units);
}

TDataFileStatus ParseParallelFile(IDataSource& source, std::int32_t suttaCount, TParallelTable& table)
{
    TDataFileHeader header;
    std::vector<char16_t> units;
    TDataFileStatus status = ParseUnitsBody(source, ParallelFileMagic, header, units);
    if (status != TDataFileStatus::Ok) return status;
    TParallelTable loaded;
    loaded.Present = true;
    if (!ReadRows(units, static_cast<std::size_t>(header.DataLength), suttaCount, loaded.Rows))
        return TDataFileStatus::Damaged;
    table = std::move(loaded);
    return TDataFileStatus::Ok;
}

TDataFileStatus ParseParallelFile(std::span<const std::uint8_t> bytes, std::int32_t suttaCount, TParallelTable& table)
{
    TByteSource source(bytes);
    return ParseParallelFile(source, suttaCount, table);
}

void LoadParallelFile(const std::filesystem::path& dataPath, std::int32_t suttaCount, IMessages& messages,
                      TParallelTable& table)
{
    table = TParallelTable{};
    const std::filesystem::path path = dataPath / std::filesystem::path(ParallelFileName);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return;
    // The run goes on whatever this file holds: its failure is told but marks no load error.
    bool failed = false;
    TWithoutParallels told(messages);
    TLoadContext context{dataPath, told, failed, nullptr, {}};
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, ParallelFileName, ParallelFileMagic);
    if (!opened) return;
    const TDataFileStatus status = ParseParallelFile(*opened, suttaCount, table);
    if (status != TDataFileStatus::Ok) ReportDataFileFailure(context, status, opened->Path);
}
