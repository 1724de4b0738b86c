#include "window/pages/SearchTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/Grid.h"
#include "window/widgets/SelectionText.h"
#include "data/Vesko3Common.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"
#include "search/SearchScan.h"
#include "util/MyUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTime>

#include <algorithm>
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
    if (text != PlainDocumentText(memo->document())) memo->setPlainText(text);
}

// The hourglass, SearchMsgPanel and SearchProgress for the length of a scan, put back
// however the handler is left.
class TScanFeedback
{
public:
    TScanFeedback(QLabel* panel, QProgressBar* progress, std::int32_t total) : Panel(panel), Progress(progress)
    {
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
    }
    TScanFeedback(const TScanFeedback&) = delete;
    TScanFeedback& operator=(const TScanFeedback&) = delete;

private:
    const TBusyCursor Busy; // first made, last gone
    QLabel* Panel;
    QProgressBar* Progress;
};

} // namespace

TSearchTab::TSearchTab(const TLoadedData& data, TSearchInfo& searchInfo, IMessages& messages, QWidget* parent)
    : QWidget(parent), Data(data), SearchInfo(searchInfo), Messages(messages)
{
    MakeSheet(this, "SearchTabSheet");
    auto* search = new TAnchorLayout(this, SearchSheetSize);
    Panel5 = LabelPanel(this, "Panel5", "검색 대상 :");
    search->Place(Panel5, {10, 10, 91, 21});
    Panel6 = LabelPanel(this, "Panel6", "검색 범위 :");
    search->Place(Panel6, {10, 50, 91, 21});
    Panel7 = LabelPanel(this, "Panel7", "검색할 단어들을 여러줄로 입력하세요.");
    search->Place(Panel7, {10, 80, 271, 21});
    TitleCombo = DropDownList(this, "TitleCombo", NameItems(CanonNames));
    search->Place(TitleCombo, {90, 10, 191, 21});
    SameCharacterCB = Named(new QCheckBox("유사 한자도 검색", this), "SameCharacterCB");
    SameCharacterCB->setChecked(true);
    SameCharacterCB->setEnabled(false);
    search->Place(SameCharacterCB, {90, 30, 121, 21});
    KindCombo = DropDownList(this, "KindCombo", KindItems);
    search->Place(KindCombo, {90, 50, 191, 21});
    SearchMemoPanel = MakePanel(this, "SearchMemoPanel");
    search->Place(SearchMemoPanel, {10, 100, 271, 101});
    Panel8 = MakePanel(this, "Panel8");
    search->Place(Panel8, {0, 200, 291, 51});
    SearchRadio0 = Named(new QRadioButton("하나의 단어라도 포함된 경전은 보여주기", Panel8), "SearchRadio0");
    SearchRadio0->setGeometry(10, 2, 261, 21);
    SearchRadio0->setChecked(true);
    SearchRadio1 = Named(new QRadioButton("모든 단어가 포함된 경전만 보여주기", Panel8), "SearchRadio1");
    SearchRadio1->setGeometry(10, 27, 261, 21);
    SearchButton = Named(new QPushButton("검색시작", this), "SearchButton");
    search->Place(SearchButton, {10, 260, 81, 21});
    SearchTimePanel = MakeCaptionPanel(this, "SearchTimePanel", {}, QFrame::NoFrame);
    SearchTimePanel->hide();
    search->Place(SearchTimePanel, {100, 260, 61, 21});
    ReadingCB = Named(new QCheckBox("한글 독음으로 찾기", this), "ReadingCB");
    ReadingCB->setAccessibleName("한글 독음으로 찾기");
    ReadingCB->setToolTip("한글 단어를 그 음으로 읽히는 한자로 찾습니다 (사리불 → 舍利弗). 한문 대장경에서만 씁니다.");
    ReadingCB->setEnabled(false);
    search->Place(ReadingCB, {156, 260, 137, 21});
    SearchGrid = Spoken(MakeGrid(this, "SearchGrid"), "검색 결과");
    search->Place(SearchGrid, {0, 290, 293, 330}, AnchorAll);
    SearchCountPanel = CountPanel(this, search, "SearchCountPanel");
    SearchMsgPanel = MessagePanel(this, "SearchMsgPanel", "검색하는 중 . . .");
    search->Place(SearchMsgPanel, {30, 370, 231, 101});
    SearchProgress = Named(new QProgressBar(SearchMsgPanel), "SearchProgress");
    SearchProgress->setRange(0, 100);
    SearchProgress->setValue(0);
    SearchProgress->setTextVisible(false);
    SearchProgress->setGeometry(8, 80, 213, 10);
    SetGridColumns(SearchGrid, {{40, "번호"}, {100, "제목"}, {130, "이름"}});
    LabelledBy(Panel5, TitleCombo);
    LabelledBy(Panel6, KindCombo);

    ConnectGridClick(SearchGrid, this, [this] { SearchGridClick(); });
    connect(SearchButton, &QPushButton::clicked, this, &TSearchTab::SearchButtonClick);
    connect(SameCharacterCB, &QCheckBox::toggled, this, &TSearchTab::SameCharacterChanged);
    connect(TitleCombo, &QComboBox::activated, this, &TSearchTab::TitleComboSelect);
}

void TSearchTab::BuildEditors(const QFont& editorFont)
{
    SearchMemo = Spoken(PlaceholderMemo(SearchMemoPanel, "SearchMemo", editorFont), "검색할 단어들");
    SearchMemo->setAccessibleDescription(Panel7->text());
    SearchMemo->setPlainText(QStringLiteral("毘婆尸\n大比丘衆\n사리불\n목건련"));
    // Ctrl+Enter searches; Enter alone still starts a new line.
    for (QKeyCombination keys : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter})
        new QShortcut(
            QKeySequence(keys), SearchMemo, [this] { SearchButtonClick(); }, Qt::WidgetShortcut);
}

void TSearchTab::ApplyDesignedColors()
{
    SetContentColor({TitleCombo, KindCombo}, DesignedWhite);
    SetContentColor(SearchGrid, SystemWindowColor());
}

void TSearchTab::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor({SearchGrid, TitleCombo, KindCombo, SearchMemo}, scheme.Content);
}

void TSearchTab::SetSearchFont(const QString& family, int pointSize)
{
    SetTextFont({SearchMemo}, family, pointSize);
}

void TSearchTab::SearchButtonClick()
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

    TSearchOptions options;
    options.TitleIndex = TitleCombo->currentIndex();
    options.KindIndex = KindCombo->currentIndex();
    options.SearchMode = SearchRadio1->isChecked() ? 1 : 0;
    options.SameCharacter = SameCharacterCB->isChecked();
    options.ByReading = ReadingCB->isEnabled() && ReadingCB->isChecked();

    // The bar and the busy cursor stay until the list is filled.
    std::optional<TScanFeedback> scanFeedback;
    TSearchFeedback feedback;
    feedback.LinesCleaned = [this](const std::vector<std::u16string>& cleanedLines, TWordCheck check) {
        if (check == TWordCheck::NoWords)
            SearchMemo->clear();
        else
            WriteMemoLines(SearchMemo, cleanedLines);
    };
    feedback.ScanStarting = [&](std::int32_t total) { scanFeedback.emplace(SearchMsgPanel, SearchProgress, total); };
    feedback.Progress = [this](std::int32_t examined) { SearchProgress->setValue(examined); };
    const TSearchOutcome outcome = SearchSutras(Data, SearchInfo, options, MemoLines(SearchMemo), Messages, feedback);
    if (outcome.Check != TWordCheck::Accepted) {
        SearchMemo->setFocus();
        emit SearchEnded();
        return;
    }

    SearchedLines = MemoLines(SearchMemo);
    {
        const TCatalogueList& list = outcome.List;
        const std::int32_t hitCount = SearchInfo.HitCount;
        // Making row 0 current must not read as the user choosing it.
        const QSignalBlocker blocker(SearchGrid);
        SearchGrid->setRowCount(MaxOf(1, hitCount));
        std::vector<TGridCells> cells;
        cells.reserve(list.Rows.size());
        for (const TCatalogueRow& row : list.Rows)
            cells.push_back(row.Cells);
        SearchGrid->SetCells(std::move(cells));
        SearchCountPanel->setText(ToQString(list.CountText));
        if (hitCount > 0) {
            SearchGrid->setCurrentCell(0, 0);
            SearchGrid->setFocus();
        }
    }
    scanFeedback.reset();

    SearchTimePanel->setText(ToQString(SearchTimeText(startTime.msecsTo(QTime::currentTime()))));
    emit SearchEnded();
}

bool TSearchTab::SameCharacterChecked() const
{
    return SameCharacterCB->isChecked();
}

TSearchInputs TSearchTab::Inputs() const
{
    TSearchInputs inputs;
    inputs.Lines = MemoLines(SearchMemo);
    inputs.Title = TitleCombo->currentIndex();
    inputs.Kind = KindCombo->currentIndex();
    inputs.Mode = SearchRadio1->isChecked() ? 1 : 0;
    inputs.ByReading = ReadingCB->isChecked();
    inputs.Searched = !SearchedLines.empty() && inputs.Lines == SearchedLines &&
                      SearchInfo.TitleIndex == inputs.Title && SearchInfo.KindIndex == inputs.Kind &&
                      SearchInfo.SearchMode == inputs.Mode &&
                      SearchInfo.ByReading == (ReadingCB->isEnabled() && inputs.ByReading);
    return inputs;
}

void TSearchTab::RestoreInputs(const TSearchInputs& inputs)
{
    WriteMemoLines(SearchMemo, inputs.Lines);
    TitleCombo->setCurrentIndex(std::clamp(inputs.Title, 0, TitleCombo->count() - 1));
    TitleComboSelect();
    KindCombo->setCurrentIndex(std::clamp(inputs.Kind, 0, KindCombo->count() - 1));
    (inputs.Mode == 1 ? SearchRadio1 : SearchRadio0)->setChecked(true);
    ReadingCB->setChecked(inputs.ByReading);
    if (inputs.Searched) SearchButtonClick();
}

void TSearchTab::FocusWords()
{
    SearchMemo->setFocus(Qt::ShortcutFocusReason);
    SearchMemo->selectAll();
}

void TSearchTab::FocusList()
{
    if (SearchInfo.HitCount > 0)
        SearchGrid->setFocus(Qt::ShortcutFocusReason);
    else
        SearchMemo->setFocus(Qt::ShortcutFocusReason);
}

std::vector<QWidget*> TSearchTab::FocusOrder() const
{
    return {TitleCombo,   SameCharacterCB, KindCombo, SearchMemo, SearchRadio0,
            SearchRadio1, SearchButton,    ReadingCB, SearchGrid};
}

void TSearchTab::TitleComboSelect()
{
    SameCharacterCB->setEnabled(TitleCombo->currentIndex() > 0);
    // Readings come from the character file; without one a Hangul word is only itself.
    ReadingCB->setEnabled(TitleCombo->currentIndex() > 0 && Data.CharacterFile.Loaded);
}

void TSearchTab::SearchCharacter(const QString& c)
{
    SearchMemo->setPlainText(c);
    if (TitleCombo->currentIndex() == HanCanon) {
        TitleCombo->setCurrentIndex(BothHanmoonCanons);
        TitleComboSelect();
    }
    SearchButtonClick();
}

void TSearchTab::MarkShownHit(std::int32_t n)
{
    MarkSutraRow(SearchGrid, Data.TextFiles[0], n);
}

void TSearchTab::SearchGridClick()
{
    // Nothing for the single empty row, nor for a number that names no sutra.
    if (SearchGrid->rowCount() >= 1 && SearchGrid->currentRow() >= 0) {
        const std::optional<std::int32_t> n =
            RowSutra(Data.TextFiles[0], CellText(SearchGrid, 0, 0), CellText(SearchGrid, SearchGrid->currentRow(), 0));
        if (n) {
            emit HitChosen(*n);
            SearchGrid->setFocus();
        }
    }
    SearchGrid->repaint();
}
