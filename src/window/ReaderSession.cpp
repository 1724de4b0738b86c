#include "window/ReaderSession.h"

#include "window/Unit1.h"
#include "window/pages/CatalogueTabs.h"
#include "window/pages/ConvertTab.h"
#include "window/pages/SearchTab.h"
#include "window/pages/TextViews.h"
#include "window/widgets/PageControl.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"
#include "session/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// The view tabs that hold a sutra's texts; a place remembers the last of them it was read on.
constexpr int SutraTabCount = 4;

} // namespace

TReaderSession::TReaderSession(TMainForm& form, TReaderStateFile file) : Form(form), File(std::move(file)) {}

void TReaderSession::LoadBeforeShow()
{
    if (File.Path.empty() || File.IgnoreSaved) return;
    Saved = LoadReaderState(File.Path);
    if (!Saved) return;
    std::vector<TScreenArea> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    FitReaderStateToScreens(*Saved, screens, {Form.minimumWidth(), Form.minimumHeight()});
    if (const auto& g = Saved->NormalGeometry) Form.setGeometry((*g)[0], (*g)[1], (*g)[2], (*g)[3]);
}

void TReaderSession::RestoreAfterLoad()
{
    if (!Saved) return;
    TReaderState state = std::move(*Saved);
    Saved.reset();
    DropUnknownSutras(state, Form.State.Data.TextFiles[0]);

    std::vector<TSplitterPane> panes = state.Splitters;
    Form.Views().KeepPanes(panes);
    Form.Catalogue().KeepPanes(panes);
    Form.Conversion().KeepPanes(panes);
    Form.Search().RestoreInputs(
        {state.SearchLines, state.SearchTitle, state.SearchKind, state.SearchMode, state.Searched});
    Form.SelectPage(Form.ListPages(), state.ListTab);

    Places.Assign(std::move(state.History), state.HistoryIndex);
    if (const TReadingPlace* place = Places.CurrentPlace()) ShowPlace(*place);
    Form.SelectPage(Form.TextPages(), state.ViewTab);
}

void TReaderSession::Save()
{
    if (File.Path.empty()) return;
    UpdateCurrentPlace();
    TReaderState state;
    state.History = Places.Places();
    state.HistoryIndex = Places.Index();
    state.ListTab = Form.ListPages()->currentIndex();
    state.ViewTab = Form.TextPages()->currentIndex();
    const QRect normal = Form.normalGeometry().isValid() ? Form.normalGeometry() : Form.geometry();
    state.NormalGeometry = std::array<std::int32_t, 4>{normal.x(), normal.y(), normal.width(), normal.height()};
    for (const auto& panes : {Form.Views().Panes(), Form.Catalogue().Panes(), Form.Conversion().Panes()})
        state.Splitters.insert(state.Splitters.end(), panes.begin(), panes.end());
    const TSearchInputs inputs = Form.Search().Inputs();
    state.SearchLines = inputs.Lines;
    if (state.SearchLines.size() > static_cast<std::size_t>(MaxStoredSearchLines))
        state.SearchLines.resize(MaxStoredSearchLines);
    state.SearchTitle = inputs.Title;
    state.SearchKind = inputs.Kind;
    state.SearchMode = inputs.Mode;
    state.Searched = inputs.Searched;
    (void)SaveReaderState(File.Path, state);
}

void TReaderSession::Visited(std::int32_t n, bool hit)
{
    TReadingPlace place;
    place.Sutra = n;
    NamePlace(place, Form.State.Data.TextFiles[0]);
    place.Hit = hit;
    place.Tab = std::min(Form.TextPages()->currentIndex(), SutraTabCount - 1);
    place.Scrolls = Form.Views().Scrolls();
    Places.Visit(place);
}

void TReaderSession::Go(int step)
{
    UpdateCurrentPlace();
    if (const TReadingPlace* place = Places.Go(step)) ShowPlace(*place);
}

void TReaderSession::UpdateCurrentPlace()
{
    const TReadingPlace* current = Places.CurrentPlace();
    if (current == nullptr) return;
    TReadingPlace place = *current;
    const int tab = Form.TextPages()->currentIndex();
    if (tab < SutraTabCount) place.Tab = tab;
    place.Scrolls = Form.Views().Scrolls();
    Places.UpdateCurrent(place);
}

void TReaderSession::ShowPlace(const TReadingPlace& place)
{
    TVesko3Session& state = Form.State;
    const std::u16string titleLine = TitleLine(state.Data.TextFiles[0], place.Sutra);
    Form.Views().FillViews(place.Sutra, titleLine);
    // A hit is marked again with the words of the search that lists it now.
    const TSearchHitPlan plan = place.Hit ? PlanSearchHit(state.SearchInfo, place.Sutra) : TSearchHitPlan{};
    if (plan.Highlight) Form.Views().HighlightHit(place.Sutra);
    // As after a hit, the same row chosen again in a list shows its sutra afresh.
    Form.CurrentSutra = place.Hit ? -1 : place.Sutra;
    Form.SelectPage(Form.TextPages(), std::clamp(place.Tab, 0, SutraTabCount - 1));
    Form.Views().KeepScrolls(place.Scrolls);
}
