#include "window/ReaderRecord.h"

#include "browse/SutraTexts.h"
#include "window/WindowScreens.h"
#include "session/ScreenFit.h"

#include <QWidget>

#include <algorithm>

TReaderRecord::TReaderRecord(QWidget& form, IReaderWindow& window, const TVesko_File& catalogue, TReaderStateFile file)
    : Form(form), Window(window), Catalogue(catalogue), File(std::move(file))
{
}

void TReaderRecord::LoadBeforeShow()
{
    if (File.Path.empty() || File.IgnoreSaved) return;
    Saved = LoadReaderState(File.Path);
    if (!Saved) return;
    // The splitters' borders were saved for the window's normal size as it was then.
    if (const auto& g = Saved->NormalGeometry) SavedWindow = QSize((*g)[2], (*g)[3]);
    FitReaderStateToScreens(*Saved, AvailableScreenAreas(), {Form.minimumWidth(), Form.minimumHeight()});
    if (const auto& g = Saved->NormalGeometry) Form.setGeometry((*g)[0], (*g)[1], (*g)[2], (*g)[3]);
}

void TReaderRecord::RestoreAfterLoad()
{
    if (!Saved) return;
    TReaderState state = std::move(*Saved);
    Saved.reset();
    DropUnknownSutras(state, Catalogue);

    Window.RestorePanes(state.Splitters, SavedWindow);
    Window.RestoreSearchInputs({state.SearchLines, state.SearchTitle, state.SearchKind, state.SearchMode,
                                state.Searched, state.SearchByReading});
    Window.SelectListTab(state.ListTab);

    Places.Assign(std::move(state.History), state.HistoryIndex);
    if (const TReadingPlace* place = Places.CurrentPlace()) (void)Window.ShowPlace(ToShow(*place));
    Window.SelectViewTab(state.ViewTab);
}

void TReaderRecord::Save()
{
    if (File.Path.empty()) return;
    UpdateCurrentPlace();
    TReaderState state;
    state.History = Places.Places();
    state.HistoryIndex = Places.Index();
    state.ListTab = Window.ListTab();
    state.ViewTab = Window.ViewTab();
    const QRect normal = Form.normalGeometry().isValid() ? Form.normalGeometry() : Form.geometry();
    state.NormalGeometry = std::array<std::int32_t, 4>{normal.x(), normal.y(), normal.width(), normal.height()};
    state.Splitters = Window.Panes();
    const TSearchInputs inputs = Window.SearchInputs();
    state.SearchLines = inputs.Lines;
    if (state.SearchLines.size() > static_cast<std::size_t>(MaxStoredSearchLines))
        state.SearchLines.resize(MaxStoredSearchLines);
    state.SearchTitle = inputs.Title;
    state.SearchKind = inputs.Kind;
    state.SearchMode = inputs.Mode;
    state.Searched = inputs.Searched;
    state.SearchByReading = inputs.ByReading;
    (void)SaveReaderState(File.Path, state);
}

void TReaderRecord::Open(const TPlace& place)
{
    UpdateCurrentPlace();
    if (Window.ShowPlace(place)) Places.Visit(PlaceOnShow(place.Sutra, place.Hit));
}

void TReaderRecord::Go(int step)
{
    UpdateCurrentPlace();
    if (const TReadingPlace* place = Places.Go(step)) (void)Window.ShowPlace(ToShow(*place));
}

TReadingPlace TReaderRecord::PlaceOnShow(std::int32_t sutra, bool hit) const
{
    TReadingPlace place;
    place.Sutra = sutra;
    NamePlace(place, Catalogue);
    place.Hit = hit;
    place.Tab = std::min(Window.ViewTab(), SutraViewTabCount - 1);
    place.Scrolls = Window.ViewScrolls();
    return place;
}

void TReaderRecord::UpdateCurrentPlace()
{
    const TReadingPlace* current = Places.CurrentPlace();
    if (current == nullptr) return;
    TReadingPlace place = *current;
    const int tab = Window.ViewTab();
    if (tab < SutraViewTabCount) place.Tab = tab;
    place.Scrolls = Window.ViewScrolls();
    Places.UpdateCurrent(place);
}

TPlace TReaderRecord::ToShow(const TReadingPlace& place)
{
    // A hit is marked again with the words of the search that lists it now.
    TPlace shown(place.Sutra, place.Hit);
    shown.Tab = std::clamp(place.Tab, 0, SutraViewTabCount - 1);
    shown.Scrolls = place.Scrolls;
    return shown;
}
