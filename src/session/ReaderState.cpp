#include "session/ReaderState.h"

#include "search/SearchWords.h"
#include "session/ProgramPaths.h"
#include "util/Files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <exception>

namespace {

constexpr std::string_view FormatName = "vesko3-reader-state";
constexpr int FormatVersion = 1;
constexpr int ListTabCount = 4;
constexpr int ViewTabCount = 7;
constexpr int MaxSplitters = 16;
// A hundred places and two hundred memo lines take kilobytes: a file near this is no state of
// ours, and a sparse one must not be allocated.
constexpr std::size_t MaxStateBytes = 4 << 20;

QString ToJson(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// Reading stops at the first field that is missing, of another type or out of its range;
// the caller then refuses the whole file.
class TReader
{
public:
    bool Ok = true;

    std::int32_t Int(const QJsonObject& object, const char* key, std::int32_t low, std::int32_t high)
    {
        return Int(object.value(QLatin1String(key)), low, high);
    }
    std::int32_t Int(const QJsonValue& value, std::int32_t low, std::int32_t high)
    {
        const double number = value.toDouble(-1.0);
        // The range first: converting a number beyond 64 bits to an integer is undefined.
        if (!value.isDouble() || !(number >= low && number <= high) ||
            number != static_cast<double>(static_cast<std::int64_t>(number))) {
            Ok = false;
            return low;
        }
        return static_cast<std::int32_t>(number);
    }
    bool Bool(const QJsonObject& object, const char* key)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isBool()) Ok = false;
        return value.toBool();
    }
    std::u16string Text(const QJsonObject& object, const char* key)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isString()) Ok = false;
        return value.toString().toStdU16String();
    }
    QJsonArray Array(const QJsonObject& object, const char* key, qsizetype maximum)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isArray() || value.toArray().size() > maximum) Ok = false;
        return value.toArray();
    }
    QJsonObject Object(const QJsonValue& value)
    {
        if (!value.isObject()) Ok = false;
        return value.toObject();
    }
};

QJsonObject PlaceObject(const TReadingPlace& place)
{
    QJsonArray scrolls;
    for (const TViewScroll& scroll : place.Scrolls)
        scrolls.append(QJsonArray{scroll.Vertical, scroll.Horizontal});
    return QJsonObject{{"sutra", place.Sutra},       {"title", ToJson(place.Title)},
                       {"name", ToJson(place.Name)}, {"tab", place.Tab},
                       {"hit", place.Hit},           {"scrolls", scrolls}};
}

TReadingPlace ReadPlace(TReader& reader, const QJsonValue& value)
{
    const QJsonObject object = reader.Object(value);
    TReadingPlace place;
    place.Sutra = reader.Int(object, "sutra", 0, MaxSuttaCount - 1);
    place.Title = reader.Text(object, "title");
    place.Name = reader.Text(object, "name");
    place.Tab = reader.Int(object, "tab", 0, ViewTabCount - 1);
    place.Hit = reader.Bool(object, "hit");
    const QJsonArray scrolls = reader.Array(object, "scrolls", ReaderViewCount);
    if (scrolls.size() != ReaderViewCount) reader.Ok = false;
    for (qsizetype v = 0; reader.Ok && v < scrolls.size(); ++v) {
        const QJsonArray pair = scrolls[v].toArray();
        if (!scrolls[v].isArray() || pair.size() != 2) reader.Ok = false;
        place.Scrolls[v] = {reader.Int(pair[0], 0, MaxStoredExtent), reader.Int(pair[1], 0, MaxStoredExtent)};
    }
    return place;
}

} // namespace

const TReadingPlace* TReadingHistory::CurrentPlace() const
{
    return Current >= 0 ? &List[Current] : nullptr;
}

void TReadingHistory::Visit(const TReadingPlace& place)
{
    if (const TReadingPlace* current = CurrentPlace(); current != nullptr && current->Sutra == place.Sutra) {
        List[Current] = place;
        return;
    }
    List.resize(Current + 1);
    List.push_back(place);
    if (List.size() > static_cast<std::size_t>(MaxHistoryPlaces)) List.erase(List.begin());
    Current = static_cast<std::int32_t>(List.size()) - 1;
}

void TReadingHistory::UpdateCurrent(const TReadingPlace& place)
{
    if (Current >= 0) List[Current] = place;
}

const TReadingPlace* TReadingHistory::Go(int step)
{
    const std::int32_t target = Current + step;
    if (Current < 0 || target < 0 || target >= static_cast<std::int32_t>(List.size())) return nullptr;
    Current = target;
    return &List[Current];
}

void TReadingHistory::Assign(std::vector<TReadingPlace> places, std::int32_t index)
{
    List = std::move(places);
    if (List.size() > static_cast<std::size_t>(MaxHistoryPlaces))
        List.erase(List.begin(), List.end() - MaxHistoryPlaces);
    Current = List.empty() ? -1 : std::clamp(index, 0, static_cast<std::int32_t>(List.size()) - 1);
}

std::string SerializeReaderState(const TReaderState& state)
{
    QJsonArray history;
    for (const TReadingPlace& place : state.History)
        history.append(PlaceObject(place));
    QJsonArray splitters;
    for (const TSplitterPane& pane : state.Splitters)
        splitters.append(QJsonObject{{"splitter", ToJson(pane.Splitter)}, {"first", pane.FirstPane}});
    QJsonArray lines;
    for (const std::u16string& line : state.SearchLines)
        lines.append(ToJson(line));
    QJsonObject root{
        {"format", QString::fromLatin1(FormatName.data(), static_cast<qsizetype>(FormatName.size()))},
        {"version", FormatVersion},
        {"history", history},
        {"historyIndex", state.HistoryIndex},
        {"listTab", state.ListTab},
        {"viewTab", state.ViewTab},
        {"splitters", splitters},
        {"search", QJsonObject{{"lines", lines},
                               {"title", state.SearchTitle},
                               {"kind", state.SearchKind},
                               {"mode", state.SearchMode},
                               {"searched", state.Searched},
                               {"reading", state.SearchByReading}}},
    };
    if (state.NormalGeometry) {
        const auto& g = *state.NormalGeometry;
        root.insert("geometry", QJsonArray{g[0], g[1], g[2], g[3]});
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::optional<TReaderState> ParseReaderState(std::string_view bytes)
{
    if (bytes.size() > MaxStateBytes) return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject root = document.object();
    if (root.value("format").toString().toStdString() != FormatName) return std::nullopt;

    TReader reader;
    if (reader.Int(root, "version", FormatVersion, FormatVersion) != FormatVersion || !reader.Ok) return std::nullopt;
    TReaderState state;
    for (const QJsonValue& place : reader.Array(root, "history", MaxHistoryPlaces))
        if (reader.Ok) state.History.push_back(ReadPlace(reader, place));
    state.HistoryIndex = reader.Int(root, "historyIndex", -1, static_cast<std::int32_t>(state.History.size()) - 1);
    if (state.HistoryIndex < 0 && !state.History.empty()) reader.Ok = false;
    state.ListTab = reader.Int(root, "listTab", 0, ListTabCount - 1);
    state.ViewTab = reader.Int(root, "viewTab", 0, ViewTabCount - 1);
    for (const QJsonValue& value : reader.Array(root, "splitters", MaxSplitters)) {
        const QJsonObject pane = reader.Object(value);
        state.Splitters.push_back({reader.Text(pane, "splitter"), reader.Int(pane, "first", 0, MaxStoredExtent)});
    }
    const QJsonObject search = reader.Object(root.value("search"));
    for (const QJsonValue& line : reader.Array(search, "lines", MaxStoredSearchLines)) {
        if (!line.isString()) reader.Ok = false;
        state.SearchLines.push_back(line.toString().toStdU16String());
    }
    state.SearchTitle = reader.Int(search, "title", 0, static_cast<std::int32_t>(std::size(CanonNames)) - 1);
    state.SearchKind = reader.Int(search, "kind", 0, static_cast<std::int32_t>(std::size(KindNames)) - 1);
    state.SearchMode = reader.Int(search, "mode", 0, 1);
    state.Searched = reader.Bool(search, "searched");
    // Files kept before search by reading existed lack the key.
    state.SearchByReading = search.contains("reading") && reader.Bool(search, "reading");
    if (root.contains("geometry")) {
        const QJsonArray g = reader.Array(root, "geometry", 4);
        std::array<std::int32_t, 4> geometry{};
        if (g.size() != 4) reader.Ok = false;
        for (qsizetype i = 0; reader.Ok && i < 4; ++i)
            geometry[i] = reader.Int(g[i], i < 2 ? -MaxStoredExtent : 1, MaxStoredExtent);
        state.NormalGeometry = geometry;
    }
    if (!reader.Ok) return std::nullopt;
    return state;
}

void NamePlace(TReadingPlace& place, const TVesko_File& catalogue)
{
    place.Title.clear();
    place.Name.clear();
    if (place.Sutra < 0 || place.Sutra >= catalogue.SuttaTable.Count ||
        static_cast<std::size_t>(place.Sutra) >= catalogue.SuttaTable.Items.size())
        return;
    const TSuttaEntry& entry = catalogue.SuttaTable.Items[place.Sutra];
    place.Title = FieldText(entry.Title);
    place.Name = FieldText(entry.Name);
}

void DropUnknownSutras(TReaderState& state, const TVesko_File& catalogue)
{
    std::vector<TReadingPlace> kept;
    std::int32_t index = -1;
    for (std::size_t i = 0; i < state.History.size(); ++i) {
        TReadingPlace named = state.History[i];
        NamePlace(named, catalogue);
        const bool known =
            !named.Title.empty() && named.Title == state.History[i].Title && named.Name == state.History[i].Name;
        if (known) kept.push_back(state.History[i]);
        if (static_cast<std::int32_t>(i) == state.HistoryIndex) index = static_cast<std::int32_t>(kept.size()) - 1;
    }
    state.History = std::move(kept);
    state.HistoryIndex = state.History.empty() ? -1 : std::max(index, 0);
}

std::filesystem::path DefaultReaderStatePath()
{
    const std::filesystem::path folder = AppConfigFolder();
    if (folder.empty()) return {};
    return folder / "reader-state.json";
}

std::optional<TReaderState> LoadReaderState(const std::filesystem::path& path)
{
    std::string bytes;
    if (path.empty() || ReadWholeFile(path, bytes, MaxStateBytes) != TFileRead::Ok) return std::nullopt;
    return ParseReaderState(bytes);
}

bool SaveReaderState(const std::filesystem::path& path, const TReaderState& state)
{
    if (path.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return ReplaceFile(path, SerializeReaderState(state));
}
