// The catalogue lists and the display of a chosen sutra: TMainForm's browse handlers.

#include "window/Unit1.h"

#include "window/widgets/ControlWidget.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"
#include "browse/SutraTexts.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

// Whether the grid holds a filled list and has a current row to act on.
bool HasFilledCurrentRow(const QTableWidget* grid)
{
    return grid->rowCount() >= 1 && grid->currentRow() >= 0 && IsFilledList(CellText(grid, 0, 0));
}

// Writes list into grid, cleared first. The grid's signals stay blocked throughout: making row 0
// current after a refill must not read as the user choosing that row.
void WriteList(TMainForm& form, QTableWidget* grid, const TCatalogueList& list, int columns)
{
    const QSignalBlocker blocker(grid);
    form.ClearGrid(grid);
    if (list.RowCount > 0) grid->setRowCount(list.RowCount);
    const int rows = static_cast<int>(std::min<std::size_t>(list.RowCount, list.Rows.size()));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid->setItem(r, c, new QTableWidgetItem(ToQString(list.Rows[r].Cells[c])));
    if (list.RowCount > 0) grid->setCurrentCell(0, 0);
}

void SetViewText(TRichEdit* view, const QString& text)
{
    // A scroll bar on show stays on show while the text is replaced: hidden for the emptied
    // document and shown again for the new one, it would narrow the view twice and lay a
    // wrapped text out twice.
    QScrollBar* bars[] = {view->verticalScrollBar(), view->horizontalScrollBar()};
    const Qt::ScrollBarPolicy policies[] = {view->verticalScrollBarPolicy(), view->horizontalScrollBarPolicy()};
    const bool pinned[] = {bars[0]->isVisible() && policies[0] == Qt::ScrollBarAsNeeded,
                           bars[1]->isVisible() && policies[1] == Qt::ScrollBarAsNeeded};
    if (pinned[0]) view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (pinned[1]) view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // One assignment replaces the whole document; a CR LF pair becomes one block break, so
    // a line break is a single character of the view, as the search's offsets count it. The
    // document is set directly: the editor's own setPlainText formats the whole text once
    // more with its typing format.
    view->document()->setPlainText(text);

    if (pinned[0]) view->setVerticalScrollBarPolicy(policies[0]);
    if (pinned[1]) view->setHorizontalScrollBarPolicy(policies[1]);
    for (QScrollBar* bar : bars)
        bar->setValue(0);
}

// The text a view holds, for the view that shows the same: toPlainText would turn a no-break
// space into a blank and a line separator into a line break.
QString HeldText(const TRichEdit* view)
{
    return view->document()->toRawText();
}

} // namespace

void TMainForm::RadioGroup0_1Click()
{
    FillSutraGrid(OrdGrid, OrdCountPanel, false, RadioGroup0_1->ItemIndex());
}

void TMainForm::RadioGroup0_2Click()
{
    FillSutraGrid(NameGrid, NameCountPanel, true, RadioGroup0_2->ItemIndex());
}

void TMainForm::OrdGridClick()
{
    ShowGridSutra(OrdGrid);
    OrdGrid->repaint();
}

void TMainForm::NameGridClick()
{
    ShowGridSutra(NameGrid);
    NameGrid->repaint();
}

void TMainForm::SubjGrid1Click()
{
    FillSubjectSutraGrid();
}

void TMainForm::SubjGrid2Click()
{
    ShowGridSutra(SubjGrid2);
    SubjGrid2->repaint();
}

void TMainForm::ClearGrid(QTableWidget* grid)
{
    grid->setRowCount(1);
    grid->clearContents();
}

void TMainForm::FillSutraGrid(QTableWidget* grid, QLabel* countPanel, bool byName, int kind)
{
    const std::optional<TCatalogueList> list = SutraListRows(State.Data.TextFiles[0], byName, kind);
    if (!list) return;
    countPanel->clear();
    WriteList(*this, grid, *list, 3);
    countPanel->setText(ToQString(list->CountText));
}

void TMainForm::FillSubjectGrid()
{
    WriteList(*this, SubjGrid1, SubjectRows(State.Data.TextFiles[0]), 2);
}

void TMainForm::FillSubjectSutraGrid()
{
    if (!HasFilledCurrentRow(SubjGrid1)) return;
    const std::optional<TCatalogueList> list = SubjectSutraRows(State.Data.TextFiles[0], SubjGrid1->currentRow());
    if (!list) return;
    Subj2CountPanel->clear();
    WriteList(*this, SubjGrid2, *list, 3);
    Subj2CountPanel->setText(ToQString(list->CountText));
}

void TMainForm::ShowGridSutra(QTableWidget* grid)
{
    if (!HasFilledCurrentRow(grid)) return;
    const std::optional<std::int32_t> n =
        RowSutra(State.Data.TextFiles[0], CellText(grid, 0, 0), CellText(grid, grid->currentRow(), 0));
    if (n) ShowSutra(*n);
}

void TMainForm::ShowSutra(std::int32_t n)
{
    if (n == CurrentSutra) return;
    const std::u16string titleLine = TitleLine(State.Data.TextFiles[0], n);
    FillHanViews(n, titleLine);
    FillKorViews(n, titleLine);
    FillSinsuViews(n, titleLine);
    CurrentSutra = n;
    const int page = ViewPageAfterShow(ViewPage->currentIndex());
    if (page != ViewPage->currentIndex()) SelectPage(ViewPage, page);
}

void TMainForm::FillHanViews(std::int32_t n, const std::u16string& titleLine)
{
    const TVesko_File& han = State.Data.TextFiles[0];
    SetViewText(TotalHanRichEdit, ToQString(HanBodyViewText(han, n, titleLine)));
    SetViewText(HanRichEdit0, HeldText(TotalHanRichEdit));
    SetViewText(HanRichEdit1, ToQString(HanSubjectViewText(han, n)));
    SetViewText(HanRichEdit2, ToQString(HanSummaryViewText(han, n)));
}

void TMainForm::FillKorViews(std::int32_t n, const std::u16string& titleLine)
{
    SetViewText(TotalKorRichEdit, ToQString(HanmoonViewText(State.Data.TextFiles[1], n, titleLine)));
    SetViewText(KorRichEdit, HeldText(TotalKorRichEdit));
}

void TMainForm::FillSinsuViews(std::int32_t n, const std::u16string& titleLine)
{
    SetViewText(TotalSinsuRichEdit, ToQString(HanmoonViewText(State.Data.TextFiles[2], n, titleLine)));
    SetViewText(SinsuRichEdit, HeldText(TotalSinsuRichEdit));
}
