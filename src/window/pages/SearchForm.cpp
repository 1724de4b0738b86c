// The search tab and the display of its hits: TMainForm's search handlers.

#include "window/Unit1.h"

#include "window/widgets/ControlWidget.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"
#include "search/SearchScan.h"
#include "util/MyUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTime>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// The memo's lines as typed. toPlainText would turn a no-break space into a blank; a line
// separator (Shift+Enter) starts a new line as the user sees it.
std::vector<std::u16string> MemoLines(const QPlainTextEdit* memo)
{
    std::vector<std::u16string> lines;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        for (const QString& line : block.text().split(QChar::LineSeparator))
            lines.push_back(line.toStdU16String());
    return lines;
}

void WriteMemoLines(QPlainTextEdit* memo, const std::vector<std::u16string>& lines)
{
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += u'\n';
        text += ToQString(lines[i]);
    }
    // Left alone when cleaning changed nothing, so the caret stays where the user left it.
    if (text != memo->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n')) memo->setPlainText(text);
}

// The hourglass, SearchMsgPanel and SearchProgress for the length of a scan, put back
// however the handler is left.
class TScanFeedback
{
public:
    TScanFeedback(QLabel* panel, QProgressBar* progress, std::int32_t total) : Panel(panel), Progress(progress)
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        Panel->show();
        Panel->raise();
        Panel->repaint();
        Progress->setRange(0, std::max(total, 0));
        Progress->setValue(0);
    }
    ~TScanFeedback()
    {
        Progress->setValue(0);
        Panel->hide();
        QGuiApplication::restoreOverrideCursor();
    }
    TScanFeedback(const TScanFeedback&) = delete;
    TScanFeedback& operator=(const TScanFeedback&) = delete;

private:
    QLabel* Panel;
    QProgressBar* Progress;
};

// The view's whole text with each block break as one carriage return, every other unit as
// the view holds it: offsets into it are the view's character positions.
std::u16string ViewText(const TRichEdit* view)
{
    QString text = view->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\r');
    return text.toStdU16String();
}

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

// Formats the runs in view, hidden meanwhile so that it is painted once with every run. One
// edit block makes the document lay itself out once, not once per run.
void HighlightMarks(TRichEdit* view, const std::vector<THighlightRun>& runs)
{
    if (QWidget* panel = view->parentWidget()) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, view->palette().color(QPalette::Base));
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    const bool wasHidden = view->isHidden();
    view->hide();

    QTextDocument* document = view->document();
    const int last = std::max(document->characterCount() - 1, 0);
    const QTextCharFormat format = HighlightFormat();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const THighlightRun& run : runs) {
        cursor.setPosition(std::clamp(run.Begin, 0, last));
        cursor.setPosition(std::clamp(run.End, 0, last), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();

    // Placing a cursor asks the document layout where it stands, which lays the whole text
    // out up to the last run at once. With no page size the layout answers without laying
    // anything out; put back, the view lays itself out lazily as after a plain fill.
    const QSizeF pageSize = document->pageSize();
    document->setPageSize(QSizeF(0, 0));
    QTextCursor caret = view->textCursor();
    caret.setPosition(runs.empty() ? caret.selectionStart() : std::clamp(runs.back().Begin, 0, last));
    view->setTextCursor(caret);
    document->setPageSize(pageSize);
    if (!wasHidden) view->show();
}

// Shows the sutra of the grid's current row and highlights the last search's words in the
// views of the families it was found in.
void ShowSearchHit(TMainForm& form, QTableWidget* grid)
{
    if (grid->rowCount() < 1 || grid->currentRow() < 0) return;
    const TVesko_File& catalogue = form.State.Data.TextFiles[0];
    // nullopt for the single empty row, and for a number that names no sutra.
    const std::optional<std::int32_t> n =
        RowSutra(catalogue, CellText(grid, 0, 0), CellText(grid, grid->currentRow(), 0));
    if (!n || *n == form.CurrentSutra) return;

    const std::u16string titleLine = TitleLine(catalogue, *n);
    form.FillHanViews(*n, titleLine);
    form.FillKorViews(*n, titleLine);
    form.FillSinsuViews(*n, titleLine);

    TSearchInfo& info = form.State.SearchInfo;
    const TSearchHitPlan plan = PlanSearchHit(info, *n);
    if (plan.Highlight) {
        const std::int32_t start = HighlightStart(titleLine);
        const std::array together{form.TotalHanRichEdit, form.TotalKorRichEdit, form.TotalSinsuRichEdit};
        const std::array own{form.HanRichEdit0, form.KorRichEdit, form.SinsuRichEdit};
        for (int family : plan.Families) {
            // One match of the text read back serves both views: they hold the same text.
            const std::vector<THighlightRun> runs =
                HighlightRuns(info, form.State.Data.VariantFiles, ViewText(together[family]), start);
            HighlightMarks(together[family], runs);
            HighlightMarks(own[family], runs);
        }
        const int tab = SearchHitTab(info.TitleIndex, form.ViewPage->currentIndex());
        if (tab >= 0) form.SelectPage(form.ViewPage, tab);
    }
    form.CurrentSutra = -1;
    grid->setFocus();
}

} // namespace

void TMainForm::SearchButtonClick()
{
    SearchTimePanel->clear();
    const QTime startTime = QTime::currentTime();
    SearchCountPanel->clear();
    SearchCountPanel->repaint();
    {
        const QSignalBlocker blocker(SearchGrid);
        ClearGrid(SearchGrid);
    }
    SearchGrid->repaint();

    TSearchInfo& info = State.SearchInfo;
    TSearchOptions options;
    options.TitleIndex = TitleCombo->currentIndex();
    options.KindIndex = KindCombo->currentIndex();
    options.SearchMode = SearchRadio1->isChecked() ? 1 : 0;
    options.SameCharacter = SameCharacterCB->isChecked();
    BeginSearch(info, options);

    std::vector<std::u16string> cleanedLines = CleanSearchLines(MemoLines(SearchMemo), info.TitleIndex);
    WriteMemoLines(SearchMemo, cleanedLines);
    const TWordCheck check = CollectSearchWords(info, cleanedLines);
    if (check != TWordCheck::Accepted) {
        if (check == TWordCheck::NoWords) SearchMemo->clear();
        ShowWordCheckMessage(check, Shell);
        SearchMemo->setFocus();
        return;
    }

    {
        TScanFeedback feedback(SearchMsgPanel, SearchProgress, SearchProgressTotal(State.Data, info.KindIndex));
        ScanSutras(State.Data, info, [this](std::int32_t examined) { SearchProgress->setValue(examined); });

        const TCatalogueList list = SearchResultList(State.Data, info);
        // Making row 0 current must not read as the user choosing it.
        const QSignalBlocker blocker(SearchGrid);
        SearchGrid->setRowCount(MaxOf(1, info.HitCount));
        const int rows = static_cast<int>(std::min<std::size_t>(SearchGrid->rowCount(), list.Rows.size()));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 3; ++c)
                SearchGrid->setItem(r, c, new QTableWidgetItem(ToQString(list.Rows[r].Cells[c])));
        SearchCountPanel->setText(ToQString(list.CountText));
        if (info.HitCount > 0) {
            SearchGrid->setCurrentCell(0, 0);
            SearchGrid->setFocus();
        }
    }

    SearchTimePanel->setText(ToQString(SearchTimeText(startTime.msecsTo(QTime::currentTime()))));
}

void TMainForm::TitleComboSelect()
{
    SameCharacterCB->setEnabled(TitleCombo->currentIndex() > 0);
}

void TMainForm::SearchGridClick()
{
    ShowSearchHit(*this, SearchGrid);
    SearchGrid->repaint();
}
