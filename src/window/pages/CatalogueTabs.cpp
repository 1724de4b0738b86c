#include "window/pages/CatalogueTabs.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/Grid.h"
#include "window/widgets/ListFindBox.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RadioGroup.h"
#include "session/Vesko3Session.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"

#include <QEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>

#include <algorithm>

namespace {

// Whether the grid holds a filled list and has a current row to act on.
bool HasFilledCurrentRow(const TGrid* grid)
{
    return grid->rowCount() >= 1 && grid->currentRow() >= 0 && IsFilledList(CellText(grid, 0, 0));
}

// Writes list into grid, cleared first. The grid's signals stay blocked throughout: making row 0
// current after a refill must not read as the user choosing that row.
void WriteList(TGrid* grid, TCatalogueList list)
{
    const QSignalBlocker blocker(grid);
    ClearGrid(grid);
    if (list.RowCount > 0) grid->setRowCount(list.RowCount);
    std::vector<TGridCells> cells;
    cells.reserve(list.Rows.size());
    for (TCatalogueRow& row : list.Rows)
        cells.push_back(std::move(row.Cells));
    grid->SetCells(std::move(cells));
    if (list.RowCount > 0) grid->setCurrentCell(0, 0);
}

// The 경전순 and 이름순 sheets: the collection choice over the list, its count below.
struct TSutraListSheet
{
    QWidget* Sheet;
    TAnchorLayout* Layout;
    TRadioGroup* Group;
    TGrid* Grid;
    QLabel* Count;
};

TSutraListSheet SutraListSheet(TPageControl* searchPage, const char* sheetName, const QString& caption,
                               const char* groupName, const char* gridName, const char* countName)
{
    TSutraListSheet made{};
    made.Sheet = AddSheet(searchPage, sheetName, caption);
    made.Layout = new TAnchorLayout(made.Sheet, SearchSheetSize);
    made.Group = Named(new TRadioGroup(" 분류 ", KindItems, 3, 0, made.Sheet), groupName);
    made.Layout->Place(made.Group, {0, 0, 294, 72}, AnchorLeft | AnchorTop | AnchorRight);
    made.Grid = MakeGrid(made.Sheet, gridName);
    made.Layout->Place(made.Grid, {0, 70, 293, 550}, AnchorAll);
    made.Count = CountPanel(made.Sheet, made.Layout, countName);
    return made;
}

} // namespace

TCatalogueTabs::TCatalogueTabs(TPageControl* searchPage, TVesko3Session& state) : State(state)
{
    const TSutraListSheet ord =
        SutraListSheet(searchPage, "OrdTabSheet", "경전순", "RadioGroup0_1", "OrdGrid", "OrdCountPanel");
    OrdTabSheet = ord.Sheet;
    RadioGroup0_1 = ord.Group;
    OrdGrid = ord.Grid;
    OrdCountPanel = ord.Count;
    ReadFileMsgPanel = MessagePanel(OrdTabSheet, "ReadFileMsgPanel", "데이터 읽는 중 . . .");
    ord.Layout->Place(ReadFileMsgPanel, {40, 260, 211, 91});

    const TSutraListSheet name =
        SutraListSheet(searchPage, "NameTabSheet", "이름순", "RadioGroup0_2", "NameGrid", "NameCountPanel");
    NameTabSheet = name.Sheet;
    RadioGroup0_2 = name.Group;
    NameGrid = name.Grid;
    NameCountPanel = name.Count;

    SubjTabSheet = AddSheet(searchPage, "SubjTabSheet", "주제별");
    auto* subj = new TAnchorLayout(SubjTabSheet, SearchSheetSize);
    SubjectPanel = MakePanel(SubjTabSheet, "SubjectPanel");
    subj->Place(SubjectPanel, {0, 0, 293, 620}, AnchorAll);
    SubjectSplitter = FillingSplitter(SubjectPanel, "SubjectSplitter", Qt::Vertical, 60);
    SubjGrid1 = MakeGrid(SubjectSplitter, "SubjGrid1");
    SubjGrid2 = MakeGrid(SubjectSplitter, "SubjGrid2");
    AddPanes(SubjectSplitter, SubjGrid1, SubjGrid2, 320, 620 - 320 - SplitterWidth);
    Subj2CountPanel = CountPanel(SubjTabSheet, subj, "Subj2CountPanel");

    SetGridColumns(OrdGrid, {40, 100, 130});
    SetGridColumns(NameGrid, {40, 130, 100});
    SetGridColumns(SubjGrid1, {220, 50});
    SetGridColumns(SubjGrid2, {40, 100, 130});

    connect(RadioGroup0_1, &TRadioGroup::Clicked, this, &TCatalogueTabs::RadioGroup0_1Click);
    connect(RadioGroup0_2, &TRadioGroup::Clicked, this, &TCatalogueTabs::RadioGroup0_2Click);
    ConnectGridClick(OrdGrid, this, [this] { OrdGridClick(); });
    ConnectGridClick(NameGrid, this, [this] { NameGridClick(); });
    ConnectGridClick(SubjGrid1, this, [this] { SubjGrid1Click(); });
    ConnectGridClick(SubjGrid2, this, [this] { SubjGrid2Click(); });
    SubjectPanel->installEventFilter(this);
    OrdFindBox = new TListFindBox(OrdGrid, [this] { OrdGridClick(); });
    NameFindBox = new TListFindBox(NameGrid, [this] { NameGridClick(); });
}

void TCatalogueTabs::ApplyDesignedColors()
{
    SetContentColor(OrdGrid, DesignedWhite);
    SetContentColor({NameGrid, SubjGrid1, SubjGrid2}, SystemWindowColor());
}

void TCatalogueTabs::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor({OrdGrid, NameGrid, SubjGrid1, SubjGrid2}, scheme.Content);
}

void TCatalogueTabs::ShowLoadingMessage()
{
    ReadFileMsgPanel->show();
    ReadFileMsgPanel->raise();
    ReadFileMsgPanel->repaint();
}

void TCatalogueTabs::HideLoadingMessage()
{
    ReadFileMsgPanel->hide();
}

void TCatalogueTabs::FillLoadedLists()
{
    FillSutraGrid(OrdGrid, OrdCountPanel, false, 0);
    FillSutraGrid(NameGrid, NameCountPanel, true, 0);
    FillSubjectGrid();
}

void TCatalogueTabs::RadioGroup0_1Click()
{
    FillSutraGrid(OrdGrid, OrdCountPanel, false, RadioGroup0_1->ItemIndex());
}

void TCatalogueTabs::RadioGroup0_2Click()
{
    FillSutraGrid(NameGrid, NameCountPanel, true, RadioGroup0_2->ItemIndex());
}

void TCatalogueTabs::OrdGridClick()
{
    ShowGridSutra(OrdGrid);
    OrdGrid->repaint();
}

void TCatalogueTabs::NameGridClick()
{
    ShowGridSutra(NameGrid);
    NameGrid->repaint();
}

void TCatalogueTabs::SubjGrid1Click()
{
    FillSubjectSutraGrid();
}

void TCatalogueTabs::SubjGrid2Click()
{
    ShowGridSutra(SubjGrid2);
    SubjGrid2->repaint();
}

void TCatalogueTabs::FillSutraGrid(TGrid* grid, QLabel* countPanel, bool byName, int kind)
{
    std::optional<TCatalogueList> list = SutraListRows(State.Data.TextFiles[0], byName, kind);
    if (!list) return;
    for (TListFindBox* box : {OrdFindBox, NameFindBox})
        if (box->parentWidget() == grid) box->Close();
    const QString count = ToQString(list->CountText);
    countPanel->clear();
    WriteList(grid, std::move(*list));
    countPanel->setText(count);
}

void TCatalogueTabs::FillSubjectGrid()
{
    WriteList(SubjGrid1, SubjectRows(State.Data.TextFiles[0]));
}

void TCatalogueTabs::FillSubjectSutraGrid()
{
    if (!HasFilledCurrentRow(SubjGrid1)) return;
    std::optional<TCatalogueList> list = SubjectSutraRows(State.Data.TextFiles[0], SubjGrid1->currentRow());
    if (!list) return;
    const QString count = ToQString(list->CountText);
    Subj2CountPanel->clear();
    WriteList(SubjGrid2, std::move(*list));
    Subj2CountPanel->setText(count);
}

void TCatalogueTabs::ShowGridSutra(TGrid* grid)
{
    if (!HasFilledCurrentRow(grid)) return;
    const std::optional<std::int32_t> n =
        RowSutra(State.Data.TextFiles[0], CellText(grid, 0, 0), CellText(grid, grid->currentRow(), 0));
    if (n) emit SutraChosen(*n);
}

void TCatalogueTabs::SubjectPanelResize()
{
    // A border restored from the last run is put back once instead.
    if (KeptSubjectPane) {
        SetFirstPaneSize(SubjectSplitter, *KeptSubjectPane);
        KeptSubjectPane.reset();
        return;
    }
    SetFirstPane(SubjectSplitter, SubjectPanel->height(), 0.6);
}

std::vector<TSplitterPane> TCatalogueTabs::Panes() const
{
    return {
        {SubjectSplitter->objectName().toStdU16String(), KeptSubjectPane.value_or(SubjectSplitter->sizes().value(0))}};
}

void TCatalogueTabs::KeepPanes(const std::vector<TSplitterPane>& panes)
{
    for (const TSplitterPane& pane : panes) {
        if (pane.Splitter != SubjectSplitter->objectName().toStdU16String()) continue;
        if (SubjectSplitter->isVisible())
            SetFirstPaneSize(SubjectSplitter, pane.FirstPane);
        else
            KeptSubjectPane = pane.FirstPane;
    }
}

std::vector<QWidget*> TCatalogueTabs::FocusOrder() const
{
    std::vector<QWidget*> order;
    for (QWidget* control : std::initializer_list<QWidget*>{RadioGroup0_1, OrdGrid, RadioGroup0_2, NameGrid}) {
        if (auto* group = qobject_cast<TRadioGroup*>(control))
            for (QWidget* button : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (button->focusPolicy() != Qt::NoFocus) order.push_back(button);
        if (control == OrdGrid || control == NameGrid) order.push_back(control);
    }
    order.push_back(SubjGrid1);
    order.push_back(SubjGrid2);
    return order;
}

bool TCatalogueTabs::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SubjectPanel && event->type() == QEvent::Resize) SubjectPanelResize();
    return QObject::eventFilter(watched, event);
}
