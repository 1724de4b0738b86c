#include "window/pages/TextSheets.h"

#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/CaptionPanel.h"

#include <QResizeEvent>
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
    for (QSplitter* splitter : {TopSplitter, BottomSplitter})
        splitter->installEventFilter(this);
}

void TThreeViewSheet::ArrangePanes()
{
    PendingPanes.clear();
    ArrangePane(TopSplitter);
    ArrangePane(BottomSplitter);
}

void TThreeViewSheet::ArrangePane(QSplitter* splitter)
{
    if (splitter == TopSplitter) SetFirstPane(TopSplitter, height(), TopShare);
    if (splitter == BottomSplitter) SetFirstPane(BottomSplitter, BottomPanel->width(), LeftShare);
}

bool TThreeViewSheet::eventFilter(QObject* watched, QEvent* event)
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
            const auto pending = PendingPanes.find(splitter);
            if (pending == PendingPanes.end()) {
                ArrangePane(splitter);
            } else {
                SetFirstPaneSize(splitter, pending->second);
                PendingPanes.erase(pending);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<TSplitterPane> TThreeViewSheet::Panes() const
{
    std::vector<TSplitterPane> panes;
    for (QSplitter* splitter : {TopSplitter, BottomSplitter}) {
        const auto pending = PendingPanes.find(splitter);
        panes.push_back({splitter->objectName().toStdU16String(),
                         pending != PendingPanes.end() ? pending->second : splitter->sizes().value(0)});
    }
    return panes;
}

void TThreeViewSheet::RestorePanes(const std::vector<TSplitterPane>& panes)
{
    for (QSplitter* splitter : {TopSplitter, BottomSplitter})
        for (const TSplitterPane& pane : panes)
            if (pane.Splitter == splitter->objectName().toStdU16String()) {
                if (splitter->isVisible())
                    SetFirstPaneSize(splitter, pane.FirstPane);
                else
                    PendingPanes[splitter] = pane.FirstPane;
            }
}

TOneViewSheet::TOneViewSheet(const char* sheet, const char* titleBar, const char* title, const char* placeholder,
                             QWidget* parent)
    : QWidget(parent)
{
    MakeSheet(this, sheet);
    QVBoxLayout* stack = StackOf(this);
    stack->addWidget(MakeTitleBar(this, titleBar, title));
    View = Spoken(MakePanel(this, placeholder), CaptionName(title));
    stack->addWidget(View, 1);
}
