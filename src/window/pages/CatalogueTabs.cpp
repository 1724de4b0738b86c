#include "window/pages/CatalogueTabs.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/Grid.h"
#include "window/widgets/ListFindBox.h"
#include "window/widgets/PaneKeeper.h"
#include "window/widgets/RadioGroup.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"
#include "browse/ListFind.h"

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

// Writes list into grid and its count into countPanel.
void WriteCountedList(TGrid* grid, QLabel* countPanel, TCatalogueList list)
{
    const QString count = ToQString(list.CountText);
    countPanel->clear();
    WriteList(grid, std::move(list));
    countPanel->setText(count);
}

// The sutra of the grid's current row, if it names one.
std::optional<std::int32_t> GridSutra(const TGrid* grid, const TVesko_File& catalogue)
{
    if (!HasFilledCurrentRow(grid)) return std::nullopt;
    return RowSutra(catalogue, CellText(grid, 0, 0), CellText(grid, grid->currentRow(), 0));
}

} // namespace

TSutraListSheet::TSutraListSheet(const TSutraListKind& kind, const TVesko_File& catalogue, QWidget* parent)
    : QWidget(parent), Catalogue(catalogue), ByName(kind.ByName)
{
    MakeSheet(this, kind.Sheet);
    auto* place = new TAnchorLayout(this, SearchSheetSize);
    Group = Named(new TRadioGroup(" 분류 ", KindItems, 3, 0, this), kind.Group);
    place->Place(Group, {0, 0, 294, 72}, AnchorLeft | AnchorTop | AnchorRight);
    Grid = Spoken(MakeGrid(this, kind.Grid), kind.Spoken);
    place->Place(Grid, {0, 70, 293, 550}, AnchorAll);
    CountPanel = ::CountPanel(this, place, kind.Count);
    if (kind.LoadingMessage) {
        ReadFileMsgPanel = MessagePanel(this, "ReadFileMsgPanel", "데이터 읽는 중 . . .");
        place->Place(ReadFileMsgPanel, {40, 260, 211, 91});
    }
    if (ByName)
        SetGridColumns(Grid, {{40, "번호"}, {130, "이름"}, {100, "제목"}});
    else
        SetGridColumns(Grid, {{40, "번호"}, {100, "제목"}, {130, "이름"}});

    connect(Group, &TRadioGroup::Clicked, this, &TSutraListSheet::RadioGroupClick);
    ConnectGridClick(Grid, this, [this] { GridClick(); });
    FindBox = new TListFindBox(
        Grid, [this] { GridClick(); },
        [this](const std::vector<TListRowCells>& rows, std::u16string_view typed, int from, int step) {
            return FindTypedRow(Catalogue, ListKind, rows, typed, from, step);
        });
}

void TSutraListSheet::SetListColor(const QColor& color)
{
    SetContentColor(Grid, color);
}

void TSutraListSheet::ShowLoadingMessage()
{
    if (!ReadFileMsgPanel) return;
    ReadFileMsgPanel->show();
    ReadFileMsgPanel->raise();
    ReadFileMsgPanel->repaint();
}

void TSutraListSheet::HideLoadingMessage()
{
    if (ReadFileMsgPanel) ReadFileMsgPanel->hide();
}

void TSutraListSheet::PaintNow()
{
    Grid->LayOutNow();
    repaint();
}

void TSutraListSheet::RadioGroupClick()
{
    FillSutraGrid(Group->ItemIndex());
}

void TSutraListSheet::GridClick()
{
    if (const std::optional<std::int32_t> n = GridSutra(Grid, Catalogue)) emit SutraChosen(*n);
    Grid->repaint();
}

void TSutraListSheet::FillSutraGrid(int kind)
{
    std::optional<TCatalogueList> list = SutraListRows(Catalogue, ByName, kind);
    if (!list) return;
    ListKind = kind;
    FindBox->Close();
    WriteCountedList(Grid, CountPanel, std::move(*list));
}

std::vector<QWidget*> TSutraListSheet::FocusOrder() const
{
    std::vector<QWidget*> order;
    for (QWidget* button : Group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (button->focusPolicy() != Qt::NoFocus) order.push_back(button);
    order.push_back(Grid);
    return order;
}

void TSutraListSheet::FocusList()
{
    Grid->setFocus(Qt::ShortcutFocusReason);
}

void TSutraListSheet::MarkShownSutra(std::int32_t n)
{
    MarkSutraRow(Grid, Catalogue, n);
}

TSubjectSheet::TSubjectSheet(const TVesko_File& catalogue, QWidget* parent) : QWidget(parent), Catalogue(catalogue)
{
    MakeSheet(this, "SubjTabSheet");
    auto* subj = new TAnchorLayout(this, SearchSheetSize);
    SubjectPanel = MakePanel(this, "SubjectPanel");
    subj->Place(SubjectPanel, {0, 0, 293, 620}, AnchorAll);
    SubjectSplitter = FillingSplitter(SubjectPanel, "SubjectSplitter", Qt::Vertical, 60);
    SubjGrid1 = Spoken(MakeGrid(SubjectSplitter, "SubjGrid1"), "주제 목록");
    SubjGrid2 = Spoken(MakeGrid(SubjectSplitter, "SubjGrid2"), "주제별 경전 목록");
    AddPanes(SubjectSplitter, SubjGrid1, SubjGrid2, 320, 620 - 320 - SplitterWidth);
    Subj2CountPanel = CountPanel(this, subj, "Subj2CountPanel");
    SetGridColumns(SubjGrid1, {{220, "주제"}, {50, "경전 수"}});
    SetGridColumns(SubjGrid2, {{40, "번호"}, {100, "제목"}, {130, "이름"}});

    ConnectGridClick(SubjGrid1, this, [this] { SubjGrid1Click(); });
    ConnectGridClick(SubjGrid2, this, [this] { SubjGrid2Click(); });
    SubjectPanel->installEventFilter(this);
    SubjectPanes = new TPaneKeeper(SubjectSplitter);
}

void TSubjectSheet::SetListColor(const QColor& color)
{
    SetContentColor({SubjGrid1, SubjGrid2}, color);
}

void TSubjectSheet::SubjGrid1Click()
{
    FillSubjectSutraGrid();
}

void TSubjectSheet::SubjGrid2Click()
{
    if (const std::optional<std::int32_t> n = GridSutra(SubjGrid2, Catalogue)) emit SutraChosen(*n);
    SubjGrid2->repaint();
}

void TSubjectSheet::FillSubjectGrid()
{
    WriteList(SubjGrid1, SubjectRows(Catalogue));
}

void TSubjectSheet::FillSubjectSutraGrid()
{
    if (!HasFilledCurrentRow(SubjGrid1)) return;
    std::optional<TCatalogueList> list = SubjectSutraRows(Catalogue, SubjGrid1->currentRow());
    if (list) WriteCountedList(SubjGrid2, Subj2CountPanel, std::move(*list));
}

void TSubjectSheet::SubjectPanelResize()
{
    // A border restored from the last run replaces this once, as the splitter follows the panel.
    SetFirstPane(SubjectSplitter, SubjectPanel->height(), 0.6);
}

std::vector<TSplitterPane> TSubjectSheet::Panes() const
{
    if (std::optional<TSplitterPane> pane = SubjectPanes->Pane()) return {std::move(*pane)};
    return {};
}

void TSubjectSheet::RestorePanes(const std::vector<TSplitterPane>& panes, QSize savedWindow)
{
    SubjectPanes->Restore(panes, savedWindow);
}

std::vector<QWidget*> TSubjectSheet::FocusOrder() const
{
    return {SubjGrid1, SubjGrid2};
}

void TSubjectSheet::FocusList()
{
    SubjGrid1->setFocus(Qt::ShortcutFocusReason);
}

bool TSubjectSheet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SubjectPanel && event->type() == QEvent::Resize) SubjectPanelResize();
    return QWidget::eventFilter(watched, event);
}
