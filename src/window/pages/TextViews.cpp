#include "window/pages/TextViews.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
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
#include <QResizeEvent>
#include <QSplitter>
#include <QTextCharFormat>
#include <QVBoxLayout>

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
    : State(state), Menu(std::make_unique<TRichEditMenu>(window, state.GlobalInfo.Settings)), Window(window),
      ViewPage(viewPage)
{
    TotalTabSheet = AddSheet(viewPage, "TotalTabSheet", "함께보기");
    TotalSplitter1 = FillingSplitter(TotalTabSheet, "TotalSplitter1", Qt::Vertical, 60);
    TotalPanel1 = TitledPane(TotalSplitter1, "TotalPanel1", "Panel12", " 한글대장경", TotalHanRichEditPanel,
                             "TotalHanRichEditPanel");
    TotalPanel2 = MakePanel(TotalSplitter1, "TotalPanel2");
    AddPanes(TotalSplitter1, TotalPanel1, TotalPanel2, 311, ViewSheetSize.height() - 311 - SplitterWidth);
    TotalSplitter2 = FillingSplitter(TotalPanel2, "TotalSplitter2", Qt::Horizontal, 60);
    TotalPanel2_1 = TitledPane(TotalSplitter2, "TotalPanel2_1", "Panel16", " 고려대장경", TotalKorRichEditPanel,
                               "TotalKorRichEditPanel");
    TotalPanel2_2 = TitledPane(TotalSplitter2, "TotalPanel2_2", "Panel18", " 신수대장경", TotalSinsuRichEditPanel,
                               "TotalSinsuRichEditPanel");
    AddPanes(TotalSplitter2, TotalPanel2_1, TotalPanel2_2, 280, ViewSheetSize.width() - 280 - SplitterWidth);

    HangeulTabSheet = AddSheet(viewPage, "HangeulTabSheet", "한글대장경");
    Splitter5 = FillingSplitter(HangeulTabSheet, "Splitter5", Qt::Vertical, 60);
    HangeulPanel1 = TitledPane(Splitter5, "HangeulPanel1", "Panel28", " 본문", HanRichEditPanel0, "HanRichEditPanel0");
    HangeulPanel2 = MakePanel(Splitter5, "HangeulPanel2");
    AddPanes(Splitter5, HangeulPanel1, HangeulPanel2, 511, ViewSheetSize.height() - 511 - SplitterWidth);
    Splitter4 = FillingSplitter(HangeulPanel2, "Splitter4", Qt::Horizontal, 60);
    HangeulPanel2_1 =
        TitledPane(Splitter4, "HangeulPanel2_1", "Panel22", " 주제", HanRichEditPanel1, "HanRichEditPanel1");
    HangeulPanel2_2 =
        TitledPane(Splitter4, "HangeulPanel2_2", "Panel25", " 요약", HanRichEditPanel2, "HanRichEditPanel2");
    AddPanes(Splitter4, HangeulPanel2_1, HangeulPanel2_2, 280, ViewSheetSize.width() - 280 - SplitterWidth);

    KorTabSheet = AddSheet(viewPage, "KorTabSheet", "고려대장경");
    QVBoxLayout* kor = StackOf(KorTabSheet);
    kor->addWidget(MakeTitleBar(KorTabSheet, "Panel30", " 고려대장경"));
    KorRichEditPanel = MakePanel(KorTabSheet, "KorRichEditPanel");
    kor->addWidget(KorRichEditPanel, 1);

    SinsuTabSheet = AddSheet(viewPage, "SinsuTabSheet", "신수대장경");
    QVBoxLayout* sinsu = StackOf(SinsuTabSheet);
    sinsu->addWidget(MakeTitleBar(SinsuTabSheet, "Panel32", " 신수대장경"));
    SinsuRichEditPanel = MakePanel(SinsuTabSheet, "SinsuRichEditPanel");
    sinsu->addWidget(SinsuRichEditPanel, 1);

    for (QSplitter* splitter : {TotalSplitter1, TotalSplitter2, Splitter5, Splitter4})
        splitter->installEventFilter(this);
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
    KeptPanes.clear();
    for (QSplitter* splitter : {TotalSplitter1, TotalSplitter2, Splitter5, Splitter4})
        ArrangePane(splitter);
}

void TTextViews::ArrangePane(QSplitter* splitter)
{
    if (splitter == TotalSplitter1) SetFirstPane(TotalSplitter1, TotalTabSheet->height(), 0.5);
    if (splitter == TotalSplitter2) SetFirstPane(TotalSplitter2, TotalPanel2->width(), 0.4);
    if (splitter == Splitter5) SetFirstPane(Splitter5, HangeulTabSheet->height(), 0.8);
    if (splitter == Splitter4) SetFirstPane(Splitter4, HangeulPanel2->width(), 0.4);
}

bool TTextViews::eventFilter(QObject* watched, QEvent* event)
{
    // Qt sizes a tab page only when it is showing, so the proportions of a page that was
    // hidden when ArrangePanes last ran are applied when its splitter gets its size. Only a
    // change along the splitter counts, so dragging the other border keeps this one, and
    // only this splitter is arranged: a border dragged on another page stays where it is.
    if (event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        auto* splitter = static_cast<QSplitter*>(watched);
        const bool vertical = splitter->orientation() == Qt::Vertical;
        if (vertical ? resize->size().height() != resize->oldSize().height()
                     : resize->size().width() != resize->oldSize().width()) {
            // A border restored from the last run is put back instead, once.
            const auto kept = KeptPanes.find(splitter);
            if (kept == KeptPanes.end()) {
                ArrangePane(splitter);
            } else {
                SetFirstPaneSize(splitter, kept->second);
                KeptPanes.erase(kept);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void TTextViews::FillViews(std::int32_t n, const std::u16string& titleLine)
{
    if (Navigator) Navigator->Clear();
    FillHanViews(n, titleLine);
    FillKorViews(n, titleLine);
    FillSinsuViews(n, titleLine);
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
        [this] { return SameCharacter(); });
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

void TTextViews::KeepScrolls(const std::array<TViewScroll, ReaderViewCount>& scrolls)
{
    const auto views = ViewsInOrder();
    for (int v = 0; v < ReaderViewCount; ++v)
        if (auto* keeper = views[v]->findChild<TScrollKeeper*>(QString(), Qt::FindDirectChildrenOnly))
            keeper->Keep(scrolls[v].Vertical, scrolls[v].Horizontal);
}

std::vector<TSplitterPane> TTextViews::Panes() const
{
    std::vector<TSplitterPane> panes;
    for (QSplitter* splitter : {TotalSplitter1, TotalSplitter2, Splitter5, Splitter4}) {
        const auto kept = KeptPanes.find(splitter);
        panes.push_back({splitter->objectName().toStdU16String(),
                         kept != KeptPanes.end() ? kept->second : splitter->sizes().value(0)});
    }
    return panes;
}

void TTextViews::KeepPanes(const std::vector<TSplitterPane>& panes)
{
    for (QSplitter* splitter : {TotalSplitter1, TotalSplitter2, Splitter5, Splitter4})
        for (const TSplitterPane& pane : panes)
            if (pane.Splitter == splitter->objectName().toStdU16String()) {
                // A splitter on show takes it now; a hidden one when it first gets its size.
                if (splitter->isVisible())
                    SetFirstPaneSize(splitter, pane.FirstPane);
                else
                    KeptPanes[splitter] = pane.FirstPane;
            }
}

std::vector<QWidget*> TTextViews::FocusOrder() const
{
    const auto views = ViewsInOrder();
    return {views.begin(), views.end()};
}
