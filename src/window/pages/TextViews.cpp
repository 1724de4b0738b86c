#include "window/pages/TextViews.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/pages/TextSheets.h"
#include "window/reading/EditionMarks.h"
#include "window/reading/FindBar.h"
#include "window/reading/HitNavigator.h"
#include "window/reading/RichEditMenu.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "window/widgets/ScrollKeeper.h"
#include "session/Vesko3Session.h"
#include "util/TextCodec.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"

#include <QApplication>
#include <QLabel>
#include <QTextCharFormat>

#include <algorithm>
#include <array>

namespace {

QTextCharFormat HighlightFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(255, 0, 0));
    format.setFontWeight(QFont::Bold);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    return format;
}

// A view text as the views take it: each line break one character, as the core's positions
// count it.
QString ViewString(std::u16string text)
{
    NormalizeLineBreaks(text);
    return ToQString(text);
}

} // namespace

TTextViews::TTextViews(TPageControl* viewPage, QWidget* window, TVesko3Session& state)
    : QObject(window), State(state), Menu(std::make_unique<TRichEditMenu>(window, state.GlobalInfo.Settings)),
      Window(window), ViewPage(viewPage)
{
    TotalTabSheet = new TThreeViewSheet(TotalSheetLayout);
    viewPage->addTab(TotalTabSheet, "함께보기");
    const std::array<QWidget*, 3> together = TotalTabSheet->Placeholders();
    TotalHanRichEditPanel = together[0];
    TotalKorRichEditPanel = together[1];
    TotalSinsuRichEditPanel = together[2];
    HangeulTabSheet = new TThreeViewSheet(HangeulSheetLayout);
    viewPage->addTab(HangeulTabSheet, "한글대장경");
    const std::array<QWidget*, 3> hangeul = HangeulTabSheet->Placeholders();
    HanRichEditPanel0 = hangeul[0];
    HanRichEditPanel1 = hangeul[1];
    HanRichEditPanel2 = hangeul[2];
    KorTabSheet = new TOneViewSheet("KorTabSheet", "Panel30", " 고려대장경", "KorRichEditPanel");
    viewPage->addTab(KorTabSheet, "고려대장경");
    KorRichEditPanel = KorTabSheet->Placeholder();
    SinsuTabSheet = new TOneViewSheet("SinsuTabSheet", "Panel32", " 신수대장경", "SinsuRichEditPanel");
    viewPage->addTab(SinsuTabSheet, "신수대장경");
    SinsuRichEditPanel = SinsuTabSheet->Placeholder();
}

TTextViews::~TTextViews() = default;

void TTextViews::BuildEditors(const QFont& editorFont)
{
    Menu->BuildCopyMemo();
    struct TEditorEntry
    {
        const char* Name;
        QWidget* Placeholder;
        TRichEdit** Made;
        bool WordWrap; // the Korean texts wrap; the Chinese ones keep their lines
    };
    const TEditorEntry editors[] = {
        {"TotalHanRichEdit", TotalHanRichEditPanel, &TotalHanRichEdit, true},
        {"TotalKorRichEdit", TotalKorRichEditPanel, &TotalKorRichEdit, false},
        {"TotalSinsuRichEdit", TotalSinsuRichEditPanel, &TotalSinsuRichEdit, false},
        {"HanRichEdit0", HanRichEditPanel0, &HanRichEdit0, true},
        {"HanRichEdit1", HanRichEditPanel1, &HanRichEdit1, true},
        {"HanRichEdit2", HanRichEditPanel2, &HanRichEdit2, true},
        {"KorRichEdit", KorRichEditPanel, &KorRichEdit, false},
        {"SinsuRichEdit", SinsuRichEditPanel, &SinsuRichEdit, false},
    };
    for (const TEditorEntry& entry : editors) {
        auto* rich = new TRichEdit(entry.Placeholder);
        rich->setLineWrapMode(entry.WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        Menu->Attach(rich);
        FillPlaceholder(rich, entry.Placeholder, entry.Name, editorFont, entry.WordWrap);
        new TScrollKeeper(rich);
        *entry.Made = rich;
    }
    BuildNavigation();
}

void TTextViews::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor({TotalHanRichEdit, TotalKorRichEdit, TotalSinsuRichEdit, HanRichEdit0, HanRichEdit1, HanRichEdit2,
                     KorRichEdit, SinsuRichEdit},
                    scheme.Content);
}

void TTextViews::SetHangeulFont(const QString& family, int pointSize)
{
    SetTextFont({TotalHanRichEdit, HanRichEdit0, HanRichEdit1, HanRichEdit2}, family, pointSize);
}

void TTextViews::SetHanmoonFont(const QString& family, int pointSize)
{
    SetTextFont({TotalKorRichEdit, KorRichEdit, TotalSinsuRichEdit, SinsuRichEdit}, family, pointSize);
}

void TTextViews::ArrangePanes()
{
    TotalTabSheet->ArrangePanes();
    HangeulTabSheet->ArrangePanes();
}

void TTextViews::FillViews(std::int32_t n, const std::u16string& titleLine)
{
    if (Navigator) Navigator->Clear();
    FillHanViews(n, titleLine);
    FillKorViews(n, titleLine);
    FillSinsuViews(n, titleLine);
    if (EditionMarks) EditionMarks->TextsReplaced();
}

void TTextViews::FillHanViews(std::int32_t n, const std::u16string& titleLine)
{
    // The two views of a body share one string.
    const TVesko_File& han = State.Data.TextFiles[0];
    const QString body = ViewString(HanBodyViewText(han, n, titleLine));
    TotalHanRichEdit->SetText(body);
    HanRichEdit0->SetText(body);
    HanRichEdit1->SetText(ViewString(HanSubjectViewText(han, n)));
    HanRichEdit2->SetText(ViewString(HanSummaryViewText(han, n)));
}

void TTextViews::FillKorViews(std::int32_t n, const std::u16string& titleLine)
{
    const QString body = ViewString(HanmoonViewText(State.Data.TextFiles[1], n, titleLine));
    TotalKorRichEdit->SetText(body);
    KorRichEdit->SetText(body);
}

void TTextViews::FillSinsuViews(std::int32_t n, const std::u16string& titleLine)
{
    const QString body = ViewString(HanmoonViewText(State.Data.TextFiles[2], n, titleLine));
    TotalSinsuRichEdit->SetText(body);
    SinsuRichEdit->SetText(body);
}

void TTextViews::HighlightHit(std::int32_t n)
{
    const std::array together{TotalHanRichEdit, TotalKorRichEdit, TotalSinsuRichEdit};
    const std::array own{HanRichEdit0, KorRichEdit, SinsuRichEdit};
    for (const TFamilyRuns& family : SearchHitRuns(State.Data, State.SearchInfo, n)) {
        // Formatted as each view comes to them, so that the cost follows what is on screen.
        for (TRichEdit* view : {together[family.Family], own[family.Family]}) {
            view->SetRuns(family.Runs, HighlightFormat());
            Navigator->SetOccurrences(view, family.Occurrences);
        }
    }
}

void TTextViews::BuildNavigation()
{
    Navigator = new THitNavigator(Window, ViewPage);
    auto bar = [this](const char* name) { return ViewPage->findChild<QLabel*>(name); };
    Navigator->Attach(TotalHanRichEdit, bar("Panel12"), 0, 0);
    Navigator->Attach(TotalKorRichEdit, bar("Panel16"), 0, 1);
    Navigator->Attach(TotalSinsuRichEdit, bar("Panel18"), 0, 2);
    Navigator->Attach(HanRichEdit0, bar("Panel28"), 1, 0);
    Navigator->Attach(KorRichEdit, bar("Panel30"), 2, 1);
    Navigator->Attach(SinsuRichEdit, bar("Panel32"), 3, 2);
    for (TRichEdit* view : ViewsInOrder())
        if (auto* keeper = view->findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly))
            connect(keeper, &TScrollKeeper::Restored, Navigator, [this, view] { Navigator->Settle(view); });
    EditionMarks =
        new TEditionMarks(Window, TotalKorRichEdit, TotalSinsuRichEdit, bar("Panel18"),
                          ViewPage->findChild<QWidget*>("TotalSinsuRichEditHitStrip"), State.Data.VariantFiles);

    // Ctrl+F works on the focused view, else the first highlighted view of the tab, else
    // the first view of the tab.
    Find = new TFindBar(
        Window, State.Data.VariantFiles,
        [this]() -> TFindBar::TTarget {
            const std::array<std::pair<TRichEdit*, int>, 8> views{{{TotalHanRichEdit, 0},
                                                                   {TotalKorRichEdit, 1},
                                                                   {TotalSinsuRichEdit, 2},
                                                                   {HanRichEdit0, 0},
                                                                   {HanRichEdit1, 0},
                                                                   {HanRichEdit2, 0},
                                                                   {KorRichEdit, 1},
                                                                   {SinsuRichEdit, 2}}};
            const QWidget* focus = QApplication::focusWidget();
            TRichEdit* chosen = Navigator->ActiveView();
            for (const auto& [view, family] : views)
                if (view == focus) chosen = view;
            if (chosen == nullptr)
                for (const auto& [view, family] : views)
                    if (chosen == nullptr && ViewPage->currentWidget()->isAncestorOf(view)) chosen = view;
            for (const auto& [view, family] : views)
                if (view == chosen) return {view, family};
            return {};
        },
        [this] { return SameCharacter; });
}

std::array<TRichEdit*, ReaderViewCount> TTextViews::ViewsInOrder() const
{
    return {TotalHanRichEdit, HanRichEdit0, HanRichEdit1,       HanRichEdit2,
            TotalKorRichEdit, KorRichEdit,  TotalSinsuRichEdit, SinsuRichEdit};
}

std::array<TViewScroll, ReaderViewCount> TTextViews::Scrolls() const
{
    std::array<TViewScroll, ReaderViewCount> scrolls{};
    const auto views = ViewsInOrder();
    for (int v = 0; v < ReaderViewCount; ++v)
        if (const auto* keeper = views[v]->findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly))
            scrolls[v] = {keeper->Vertical(), keeper->Horizontal()};
    return scrolls;
}

void TTextViews::RestoreScrolls(const std::array<TViewScroll, ReaderViewCount>& scrolls)
{
    const auto views = ViewsInOrder();
    for (int v = 0; v < ReaderViewCount; ++v)
        if (auto* keeper = views[v]->findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly))
            keeper->Restore(scrolls[v].Vertical, scrolls[v].Horizontal);
}

std::vector<TSplitterPane> TTextViews::Panes() const
{
    std::vector<TSplitterPane> panes = TotalTabSheet->Panes();
    for (const TSplitterPane& pane : HangeulTabSheet->Panes())
        panes.push_back(pane);
    return panes;
}

void TTextViews::RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    TotalTabSheet->RestorePanes(panes, savedWindow);
    HangeulTabSheet->RestorePanes(panes, savedWindow);
}

std::vector<QWidget*> TTextViews::FocusOrder() const
{
    const auto views = ViewsInOrder();
    return {views.begin(), views.end()};
}

std::vector<QAbstractScrollArea*> TTextViews::ChineseViews() const
{
    return {TotalKorRichEdit, TotalSinsuRichEdit, KorRichEdit, SinsuRichEdit};
}
