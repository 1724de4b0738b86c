#include "window/pages/TextSheets.h"

#include "window/pages/PageParts.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/PaneKeeper.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace {

QWidget* PaneOf(QWidget* parent, const TTitledPaneNames& names, QWidget*& placeholder)
{
    return TitledPane(parent, names.Pane, names.TitleBar, names.Title, placeholder, names.Placeholder);
}

} // namespace

TThreeViewSheet::TThreeViewSheet(const TThreeViewSheetLayout& layout, QWidget* parent)
    : QWidget(parent), TopShare(layout.TopShare), LeftShare(layout.LeftShare)
{
    MakeSheet(this, layout.Sheet);
    TopSplitter = FillingSplitter(this, layout.TopSplitter, Qt::Vertical, 60);
    QWidget* topPane = PaneOf(TopSplitter, layout.Top, Top);
    BottomPanel = MakePanel(TopSplitter, layout.BottomPanel);
    AddPanes(TopSplitter, topPane, BottomPanel, layout.TopPane,
             ViewSheetSize.height() - layout.TopPane - SplitterWidth);
    BottomSplitter = FillingSplitter(BottomPanel, layout.BottomSplitter, Qt::Horizontal, 60);
    QWidget* leftPane = PaneOf(BottomSplitter, layout.Left, Left);
    QWidget* rightPane = PaneOf(BottomSplitter, layout.Right, Right);
    AddPanes(BottomSplitter, leftPane, rightPane, 280, ViewSheetSize.width() - 280 - SplitterWidth);
    // Qt sizes a tab page only when it is showing, so the proportions of a page that was
    // hidden when ArrangePanes last ran are applied when its splitter gets its size; only this
    // splitter is arranged then, so a border dragged on another page stays where it is.
    TopPanes = new TPaneKeeper(TopSplitter, [this] { ArrangePane(TopSplitter); });
    BottomPanes = new TPaneKeeper(BottomSplitter, [this] { ArrangePane(BottomSplitter); });
}

void TThreeViewSheet::ArrangePanes()
{
    for (TPaneKeeper* panes : {TopPanes, BottomPanes})
        panes->DropRestored();
    ArrangePane(TopSplitter);
    ArrangePane(BottomSplitter);
}

void TThreeViewSheet::ArrangePane(QSplitter* splitter)
{
    if (splitter == TopSplitter) SetFirstPane(TopSplitter, height(), TopShare);
    if (splitter == BottomSplitter) SetFirstPane(BottomSplitter, BottomPanel->width(), LeftShare);
}

std::vector<TSplitterPane> TThreeViewSheet::Panes() const
{
    std::vector<TSplitterPane> panes;
    for (const TPaneKeeper* keeper : {TopPanes, BottomPanes})
        if (std::optional<TSplitterPane> pane = keeper->Pane()) panes.push_back(std::move(*pane));
    return panes;
}

void TThreeViewSheet::RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    for (TPaneKeeper* keeper : {TopPanes, BottomPanes})
        keeper->Restore(panes, savedWindow);
}

TOneViewSheet::TOneViewSheet(const char* sheet, const char* titleBar, const char* title, const char* placeholder,
                             QWidget* parent)
    : QWidget(parent)
{
    MakeSheet(this, sheet);
    QVBoxLayout* stack = StackOf(this);
    stack->addWidget(MakeTitleBar(this, titleBar, title));
    View = MakePanel(this, placeholder);
    stack->addWidget(View, 1);
}
