#include "data/TextFile.h"

#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <algorithm>
#include <numeric>

namespace {

// Room a display header may add to a sutra's text; a TextSize beyond the text area plus
// this cannot describe a sutra and would size the search's work arrays from nothing.
constexpr std::int64_t DisplayHeaderRoom = 1024;

bool RegionFits(std::int64_t offset, std::int64_t length, std::int64_t available)
{
    return offset >= 0 && length >= 0 && offset <= available && length <= available - offset;
}

bool RangeInText(std::int32_t start, std::int32_t length, std::int32_t textLength)
{
    return start >= 0 && length >= 0 && start <= textLength && length <= textLength - start;
}

void ReadSuttaEntry(TSourceCursor& in, TSuttaEntry& e)
{
    e.Number = in.ReadInt32();
    e.Kind = in.ReadInt32();
    e.Reserved8 = in.ReadInt32();
    e.TextSize = in.ReadInt32();
    e.SubjectStart = in.ReadInt32();
    e.SubjectLength = in.ReadInt32();
    e.BodyStart = in.ReadInt32();
    e.BodyLength = in.ReadInt32();
    e.SummaryStart = in.ReadInt32();
    e.SummaryLength = in.ReadInt32();
    in.ReadBytes(e.Reserved40, sizeof e.Reserved40);
    in.ReadUnits(e.Title, NameUnits);
    in.ReadUnits(e.Name, NameUnits);
}

bool HeaderIsSound(const TDataFileHeader& h, std::int64_t fileSize, int fileIndex, std::int32_t file0SuttaCount)
{
    if (h.SuttaCount < 0 || h.SuttaCount > MaxSuttaCount || h.JoojeCount < 0 || h.JoojeCount > MaxJoojeCount)
        return false;
    if (fileIndex > 0 && h.SuttaCount < file0SuttaCount) return false;
    for (int k = 1; k < KindSlots; ++k)
        if (h.KindCounts[k] < 0 || h.KindCounts[k] > MaxSuttaCount) return false;
    if (!RegionFits(h.SuttaTableOffset, std::int64_t(h.SuttaCount) * SuttaEntrySize, fileSize)) return false;
    if (!RegionFits(h.TextOffset, std::int64_t(h.TextLength) * 2, fileSize)) return false;
    // Every subject takes at least 68 bytes: bounds JoojeCount before anything is allocated.
    return RegionFits(h.JoojeTableOffset, std::int64_t(h.JoojeCount) * JoojeEntryFixedSize, fileSize);
}

bool EntryIsSound(const TSuttaEntry& e, int position, int fileIndex, std::int32_t textLength)
{
    if (!RangeInText(e.BodyStart, e.BodyLength, textLength)) return false;
    if (e.TextSize < 0 || e.TextSize > std::int64_t(textLength) + DisplayHeaderRoom) return false;
    if (fileIndex == HanFamily)
        return e.Number == position && RangeInText(e.SubjectStart, e.SubjectLength, textLength) &&
               RangeInText(e.SummaryStart, e.SummaryLength, textLength);
    // Files 1 and 2 never read their subject and summary ranges, but a negative one is
    // still not a range.
    return e.SubjectStart >= 0 && e.SubjectLength >= 0 && e.SummaryStart >= 0 && e.SummaryLength >= 0;
}

// The header and the two tables, checked, into loaded; the text area is left unread.
TDataFileStatus ParseTextTables(IDataSource& source, int fileIndex, std::int32_t file0SuttaCount, TVesko_File& loaded)
{
    const TDataFileStatus status = ReadHeader(source, TextFileMagic, loaded.Header);
    if (status != TDataFileStatus::Ok) return status;
    const TDataFileHeader& h = loaded.Header;
    // Bytes past the 32-bit offsets' reach cannot belong to any region.
    const std::int64_t available = std::min<std::int64_t>(source.Size(), MaxDataFileBytes);
    if (!HeaderIsSound(h, available, fileIndex, file0SuttaCount)) return TDataFileStatus::Damaged;

    loaded.SuttaTable.Count = h.SuttaCount;
    loaded.SuttaTable.Items.assign(h.SuttaCount + 1, TSuttaEntry{});
    TSourceCursor suttas(source, h.SuttaTableOffset,
                         h.SuttaTableOffset + std::int64_t(h.SuttaCount) * std::int64_t(SuttaEntrySize));
    for (int i = 0; i < h.SuttaCount; ++i) {
        TSuttaEntry& e = loaded.SuttaTable.Items[i];
        ReadSuttaEntry(suttas, e);
        if (!suttas.ok()) return suttas.status();
        if (!EntryIsSound(e, i, fileIndex, h.TextLength)) return TDataFileStatus::Damaged;
    }

    loaded.JoojeTable.Count = h.JoojeCount;
    loaded.JoojeTable.Items.assign(h.JoojeCount + 1, TJoojeEntry{});
    TSourceCursor subjects(source, h.JoojeTableOffset,
                           h.JoojeTableOffset + std::int64_t(h.JoojeCount) * std::int64_t(LargestJoojeEntrySize));
    for (int s = 0; s < h.JoojeCount; ++s) {
        TJoojeEntry& j = loaded.JoojeTable.Items[s];
        subjects.ReadUnits(j.Name, NameUnits);
        j.Count = subjects.ReadInt32();
        if (!subjects.ok()) return subjects.status();
        if (j.Count < 0 || j.Count > MaxJoojeSuttas) return TDataFileStatus::Damaged;
        j.Suttas.resize(static_cast<std::size_t>(j.Count));
        for (int k = 0; k < j.Count; ++k) {
            j.Suttas[k] = subjects.ReadInt32();
            if (fileIndex == HanFamily && (j.Suttas[k] < 0 || j.Suttas[k] >= h.SuttaCount))
                return subjects.ok() ? TDataFileStatus::Damaged : subjects.status();
        }
        if (!subjects.ok()) return subjects.status();
    }

    // The stored total is ignored: slot 0 always holds the sum of the seven collections.
    loaded.Header.KindCounts[0] = std::accumulate(h.KindCounts + 1, h.KindCounts + KindSlots, 0);
    return TDataFileStatus::Ok;
}

// The text area that file's checked header gives, into file.Text with the spare units after it.
TDataFileStatus ReadTextArea(IDataSource& source, TVesko_File& file)
{
    const TDataFileHeader& h = file.Header;
    // Read straight into the record, which is left unfilled until then; only the spare units
    // after the text are written here.
    const auto textLength = static_cast<std::size_t>(h.TextLength);
    switch (source.MapUnits(h.TextOffset, textLength, TextSpareUnits, file.Text)) {
    case TMapResult::Mapped:
        return TDataFileStatus::Ok;
    case TMapResult::ReadFailed:
        return TDataFileStatus::Unreadable;
    case TMapResult::NotMapped:
        break;
    }
    file.Text.resize(textLength + TextSpareUnits);
    std::fill(file.Text.begin() + static_cast<std::ptrdiff_t>(textLength), file.Text.end(), u'\0');
    return ReadUnitsAt(source, h.TextOffset, textLength, file.Text.data());
}

} // namespace

TDataFileStatus ParseTextFile(IDataSource& source, int fileIndex, std::int32_t file0SuttaCount, TVesko_File& file)
{
    TVesko_File loaded;
    TDataFileStatus status = ParseTextTables(source, fileIndex, file0SuttaCount, loaded);
    if (status == TDataFileStatus::Ok) status = ReadTextArea(source, loaded);
    if (status == TDataFileStatus::Ok) file = std::move(loaded);
    return status;
}

TDataFileStatus ParseTextFile(std::span<const std::uint8_t> bytes, int fileIndex, std::int32_t file0SuttaCount,
                              TVesko_File& file)
{
    TByteSource source(bytes);
    return ParseTextFile(source, fileIndex, file0SuttaCount, file);
}

TNamePositions MakeNameOrder(const TVesko_SuttaTable& table)
{
    // Each key is the name as code page 949 shows it, six spaces and the 5-digit index; the
    // index makes every key distinct, so equal names keep table order and a name sorts
    // before every longer name it begins.
    const int count =
        std::clamp<int>(table.Count, 0, std::min<int>(MaxSuttaCount, static_cast<int>(table.Items.size())));
    TCp949Trip cp949;
    TKoreanCollator collator;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        keys.push_back(collator.SortKey(cp949.Through(FieldText(table.Items[i].Name)) + u"      " + ZeroPad(i, 5)));

    std::vector<std::int32_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::int32_t a, std::int32_t b) { return keys[a].compare(keys[b]) < 0; });

    TNamePositions positions{};
    std::copy(order.begin(), order.end(), positions.begin());
    return positions;
}

void BuildNameOrder(TVesko_File& file)
{
    file.NameOrder.Set(std::make_shared<const TNamePositions>(MakeNameOrder(file.SuttaTable)));
}

const TNamePositions& NameOrderOf(const TVesko_File& file)
{
    if (std::shared_ptr<const TNamePositions> made = file.NameOrder.Made()) return *made;
    return file.NameOrder.Keep(std::make_shared<const TNamePositions>(MakeNameOrder(file.SuttaTable)));
}

void LoadTextFile(TLoadContext& context, TLoadedData& data, int fileIndex)
{
    const std::u16string_view name = TextFileNames[fileIndex];
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, name, TextFileMagic);
    if (!opened) return;

    TVesko_File& file = data.TextFiles[fileIndex];
    const std::int32_t file0Count = fileIndex > 0 ? data.TextFiles[0].SuttaTable.Count : 0;
    TVesko_File tables;
    TDataFileStatus status = ParseTextTables(*opened, fileIndex, file0Count, tables);
    if (status == TDataFileStatus::Ok) {
        const bool catalogue = tables.Header.CatalogueFlag == 0;
        if (catalogue && context.Options.NameOrder) BuildNameOrder(tables);
        file = std::move(tables);
        // The lists need only the tables, so they are filled before the text area, nearly the
        // whole file, is read; a text that then fails leaves the record empty as any failure does.
        if (catalogue && context.Listener) context.Listener->CatalogueLoaded();
        status = ReadTextArea(*opened, file);
        if (status != TDataFileStatus::Ok) file = TVesko_File{};
    }
    if (status != TDataFileStatus::Ok) {
        ReportDataFileFailure(context, status, opened->Path);
        return;
    }
    opened.reset();

    if (context.Listener) {
        context.Listener->AppendInfoLine(std::u16string(name));
        context.Listener->AppendInfoLine(CreationDateLine(file.Header));
    }
}
