#include "window/ReaderWindow.h"

#include "window/pages/CatalogueTabs.h"
#include "window/pages/ConvertTab.h"
#include "window/pages/ParallelsTab.h"
#include "window/reading/HitNavigator.h"
#include "window/pages/SearchTab.h"
#include "window/pages/TextViews.h"
#include "window/widgets/PageControl.h"
#include "session/Vesko3Session.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"

#include <algorithm>

TReaderWindow::TReaderWindow(const TVesko3Session& session, const TReaderPages& pages) : Session(session), Pages(pages)
{
}

TPlace GoToPlace(const TLinePlace& target)
{
    TPlace place(target.Sutta);
    if (target.Family == KorFamily || target.Family == SinsuFamily) {
        place.Tab = FamilyViewTab(target.Family);
        place.Line = TViewLine{target.Family, target.Position};
    }
    return place;
}

bool TReaderWindow::ShowPlace(const TPlace& place)
{
    // The same row chosen again in a list leaves the views as the reader has them.
    const bool onShow = !place.Hit && place.Sutra == PlainSutra;
    if (onShow && !place.Line) return false;
    if (place.Sutra < 0 || place.Sutra >= Session.Data.TextFiles[0].SuttaTable.Count) return false;
    TSearchHitPlan plan;
    if (!onShow) {
        const std::u16string titleLine = TitleLine(Session.Data.TextFiles[0], place.Sutra);
        Pages.Views->FillViews(place.Sutra, titleLine);
        Pages.Parallels->ShowSutra(place.Sutra);
        // However the sutra came to be shown, the catalogue lists mark its row, so that Up and
        // Down there go on from it.
        for (TSutraListSheet* list : Pages.CatalogueLists)
            if (list) list->MarkShownSutra(place.Sutra);
        // A hit is marked with the words of the search that lists it now.
        if (place.Hit) plan = PlanSearchHit(Session.SearchInfo, place.Sutra);
        if (plan.Highlight) {
            Pages.Views->HighlightHit(place.Sutra);
            // However the hit came to be shown (its row, the way back, a restart), its row is current.
            Pages.Search->MarkShownHit(place.Sutra);
        }
    }
    // After a hit, the same row chosen in a list shows its sutra afresh, without the marks.
    PlainSutra = place.Hit ? -1 : place.Sutra;
    const int tab =
        place.Tab ? std::clamp(*place.Tab, 0, SutraViewTabCount - 1) : TabAfterShowing(place, plan.Highlight);
    if (tab >= 0 && tab != Pages.ViewPages->currentIndex()) Pages.ViewPages->setCurrentIndex(tab);
    if (place.Scrolls) Pages.Views->RestoreScrolls(*place.Scrolls);
    if (place.Run) Pages.Views->Hits().GoToOccurrence(place.Run->Family, place.Run->Begin);
    if (place.Line) Pages.Views->ShowLine(place.Line->Family, place.Line->Position);
    return true;
}

int TReaderWindow::TabAfterShowing(const TPlace& place, bool highlighted) const
{
    if (!place.Hit) return ViewPageAfterShow(Pages.ViewPages->currentIndex());
    return highlighted ? SearchHitTab(Session.SearchInfo.TitleIndex, Pages.ViewPages->currentIndex()) : -1;
}

int TReaderWindow::ViewTab() const
{
    return Pages.ViewPages->currentIndex();
}

std::array<TViewScroll, ReaderViewCount> TReaderWindow::ViewScrolls() const
{
    return Pages.Views->Scrolls();
}

int TReaderWindow::ListTab() const
{
    return Pages.ListPages->currentIndex();
}

void TReaderWindow::SelectListTab(int tab)
{
    Pages.ListPages->setCurrentIndex(tab);
}

void TReaderWindow::SelectViewTab(int tab)
{
    Pages.ViewPages->setCurrentIndex(tab);
}

std::vector<TSplitterPane> TReaderWindow::Panes() const
{
    std::vector<TSplitterPane> panes;
    for (const auto& part : {Pages.Views->Panes(), Pages.Subjects->Panes(), Pages.Conversion->Panes()})
        panes.insert(panes.end(), part.begin(), part.end());
    return panes;
}

void TReaderWindow::RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    Pages.Views->RestorePanes(panes, savedWindow);
    Pages.Subjects->RestorePanes(panes, savedWindow);
    Pages.Conversion->RestorePanes(panes, savedWindow);
}

TSearchInputs TReaderWindow::SearchInputs() const
{
    return Pages.Search->Inputs();
}

void TReaderWindow::RestoreSearchInputs(const TSearchInputs& inputs)
{
    Pages.Search->RestoreInputs(inputs);
}
