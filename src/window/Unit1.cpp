#include "window/Unit1.h"

#include "window/TextFonts.h"
#include "window/widgets/ControlWidget.h"
#include "util/TextCodec.h"
#include "session/Settings.h"
#include "data/LoadDriver.h"
#include "search/SearchWords.h"
#include "util/MyUtils.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Every name a data file has in the Data folder, in the order they are checked and loaded.
const std::u16string_view DataFileNames[] = {TextFileNames[0],    TextFileNames[1],    TextFileNames[2],
                                             VariantFileNames[0], VariantFileNames[1], ReadingFileName};

// The selection stays visible, in the focused colours, when the editor loses the focus.
void KeepSelectionVisible(QWidget* editor)
{
    QPalette palette = editor->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    editor->setPalette(palette);
}

} // namespace

TMainForm::TMainForm(TVesko3State& state, IAppShell& shell, TProgramPaths paths,
                     std::optional<std::vector<std::u16string>> installedFaces)
    : State(state), Shell(shell), Paths(std::move(paths)),
      InstalledFaces(installedFaces ? std::move(*installedFaces) : InstalledFontFaces())
{
    RegisterFontSubstitutions();
    CreateControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::FormCreate()
{
    TGlobalInfo& global = State.GlobalInfo;
    global.DataPath = Paths.DataFolder;
    global.LoadError = false;
    if (!CheckDataFiles()) return;
    // The deferred load is posted from the first exposure of the window (eventFilter) and
    // handled in event(); both stay in place for the whole run.
    LoadPosted = false;
    for (QSplitter* splitter : {TotalSplitter1, TotalSplitter2, Splitter5, Splitter4})
        splitter->installEventFilter(this);
    for (TPageControl* page : {SearchPage, ViewPage})
        page->OwnerTabBar()->SetPainter([this, page](QPainter& painter, int index, const QRect& rect, bool selected) {
            SearchPageDrawTab(page, painter, index, rect, selected);
        });
    CurrentSutra = -1;
    InfoMemo->clear();
    BuildEditors();
    SetupGridColumns();
    ArrangePanes();
    SelectPage(SearchPage, 0);
    SelectPage(ViewPage, 1);
    LoadSettings(global.Settings, Paths.SettingsFolder);
    ApplyFullScreen();
    ShowSettings();
    ApplyHangeulFont();
    ApplyHanmoonFont();
    ApplySearchFont();
    ApplyTransparency();
}

bool TMainForm::CheckDataFiles()
{
    bool missing = false;
    for (std::u16string_view name : DataFileNames) {
        const std::filesystem::path path = State.GlobalInfo.DataPath / std::filesystem::path(std::u16string(name));
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            Shell.Show(u"파일이 없습니다.\r\n\r\n" + PathText(path), std::u16string(ConfirmCaption));
            missing = true;
        }
    }
    if (!missing) return true;
    Shell.ShowAppMessage(std::u16string(UnusableProgramText));
    Shell.RequestExit(0);
    return false;
}

void TMainForm::LoadAllData()
{
    SearchPage->setCurrentWidget(OrdTabSheet);
    ReadFileMsgPanel->show();
    ReadFileMsgPanel->raise();
    // Nothing is painted again until loading ends.
    ReadFileMsgPanel->repaint();

    TGlobalInfo& global = State.GlobalInfo;
    TLoadContext context{global.DataPath, Shell, global.LoadError, this};
    LoadAllDataFiles(context, State.Data);
    if (global.LoadError) {
        Shell.Show(std::u16string(UnusableProgramText), std::u16string(ConfirmCaption));
        Shell.RequestExit(0);
        return;
    }

    PrepareSearch(State.SearchInfo, State.Data);
    ReadFileMsgPanel->hide();
    ArrangePanes();
    Loaded = true;
}

void TMainForm::FormCloseQuery(bool& canClose)
{
    State.GlobalInfo.Settings.FullScreen = isMaximized() ? 1 : 0;
    canClose = true;
}

void TMainForm::FormClose()
{
    // The user's configuration folder may not exist before the first save. A settings file
    // that cannot be written costs this run's settings, nothing more.
    std::error_code error;
    std::filesystem::create_directories(Paths.SettingsFolder, error);
    (void)SaveSettings(State.GlobalInfo.Settings);
}

void TMainForm::FormDestroy()
{
    TLoadedData& data = State.Data;
    for (TVesko_File& file : data.TextFiles)
        std::vector<char16_t>().swap(file.Text);
    for (TVariantFile& file : data.VariantFiles)
        std::vector<char16_t>().swap(file.Text);
    std::vector<char16_t>().swap(data.ReadingFile.Text);
}

void TMainForm::BuildEditors()
{
    QFont templateFont = TempFontMemo->font();
    templateFont.setFamily(ToQString(TextFontFace()));
    TempFontMemo->setFont(templateFont);

    enum TKind
    {
        Memo,
        Rich
    };
    struct TEditorSpec
    {
        const char* Name;
        TKind Kind;
        QWidget* Placeholder;
        bool WindowFont; // the placeholder's (the window's) font instead of TempFontMemo's
        bool WordWrap;   // wrapped texts have only the vertical scroll bar
    };
    struct TMade
    {
        QPlainTextEdit** Memo;
        TRichEdit** RichEdit;
    };
    const std::pair<TEditorSpec, TMade> editors[] = {
        {{"CopyMemo", Memo, CopyMemoPanel, true, false}, {&CopyMemo, nullptr}},
        {{"SearchMemo", Memo, SearchMemoPanel, false, false}, {&SearchMemo, nullptr}},
        {{"TotalHanRichEdit", Rich, TotalHanRichEditPanel, false, true}, {nullptr, &TotalHanRichEdit}},
        {{"TotalKorRichEdit", Rich, TotalKorRichEditPanel, false, false}, {nullptr, &TotalKorRichEdit}},
        {{"TotalSinsuRichEdit", Rich, TotalSinsuRichEditPanel, false, false}, {nullptr, &TotalSinsuRichEdit}},
        {{"HanRichEdit0", Rich, HanRichEditPanel0, false, true}, {nullptr, &HanRichEdit0}},
        {{"HanRichEdit1", Rich, HanRichEditPanel1, false, true}, {nullptr, &HanRichEdit1}},
        {{"HanRichEdit2", Rich, HanRichEditPanel2, false, true}, {nullptr, &HanRichEdit2}},
        {{"KorRichEdit", Rich, KorRichEditPanel, false, false}, {nullptr, &KorRichEdit}},
        {{"SinsuRichEdit", Rich, SinsuRichEditPanel, false, false}, {nullptr, &SinsuRichEdit}},
        {{"ConvertSrcMemo", Memo, ConvertSrcMemoPanel, false, false}, {&ConvertSrcMemo, nullptr}},
        {{"ConvertDestMemo", Memo, ConvertDestMemoPanel, false, false}, {&ConvertDestMemo, nullptr}},
    };
    for (const auto& [spec, made] : editors) {
        QAbstractScrollArea* editor = nullptr;
        if (spec.Kind == Rich) {
            auto* rich = new TRichEdit(spec.Placeholder);
            rich->setLineWrapMode(spec.WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
            rich->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(rich, &QWidget::customContextMenuRequested, this, [this, rich](const QPoint& at) {
                PopupComponent = rich;
                RichPopup->exec(rich->viewport()->mapToGlobal(at));
            });
            connect(rich, &TRichEdit::KeyPressed, this, [this, rich](char16_t key) { RichEditKeyPress(rich, key); });
            *made.RichEdit = rich;
            editor = rich;
        } else {
            auto* memo = new TPlainMemo(spec.Placeholder);
            memo->setLineWrapMode(spec.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            *made.Memo = memo;
            editor = memo;
        }
        editor->setObjectName(spec.Name);
        editor->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        editor->setFont(spec.WindowFont ? spec.Placeholder->font() : TempFontMemo->font());
        editor->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        editor->setHorizontalScrollBarPolicy(spec.WordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        KeepSelectionVisible(editor);
        auto* fill = new QVBoxLayout(spec.Placeholder);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(editor);
        editor->show();
    }
    SearchMemo->setPlainText(QStringLiteral("毘婆尸\n大比丘衆\n사리불\n목건련"));
}

void TMainForm::SetupGridColumns()
{
    const std::pair<QTableWidget*, std::vector<int>> columns[] = {
        {OrdGrid, {40, 100, 130}},   {NameGrid, {40, 130, 100}},   {SubjGrid1, {220, 50}},
        {SubjGrid2, {40, 100, 130}}, {SearchGrid, {40, 100, 130}},
    };
    for (const auto& [grid, widths] : columns) {
        grid->setColumnCount(static_cast<int>(widths.size()));
        for (int c = 0; c < static_cast<int>(widths.size()); ++c)
            grid->setColumnWidth(c, widths[c]);
    }
}

void TMainForm::SelectPage(TPageControl* page, int index)
{
    page->setCurrentIndex(index);
}

std::u16string TMainForm::TextFontFace() const
{
    return ChooseTextFont(InstalledFaces);
}

void TMainForm::AppendInfoLine(const std::u16string& line)
{
    InfoMemo->appendPlainText(ToQString(line));
}

void TMainForm::CatalogueLoaded()
{
    FillSutraGrid(OrdGrid, OrdCountPanel, false, 0);
    FillSutraGrid(NameGrid, NameCountPanel, true, 0);
    FillSubjectGrid();
}

bool TMainForm::event(QEvent* event)
{
    return AppMessage(event) || QWidget::event(event);
}

bool TMainForm::AppMessage(QEvent* event)
{
    if (event->type() != LoadDataMessage) return false;
    LoadAllData();
    return true;
}

void TMainForm::AppIdle()
{
    if (LoadPosted) return;
    LoadPosted = true;
    QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(LoadDataMessage)));
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Loading waits until the window is on the screen; its exposure tells when.
    if (QWindow* window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
        if (window->isExposed()) AppIdle();
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        AppIdle();
    } else if (watched == SubjectPanel && event->type() == QEvent::Resize) {
        SubjectPanelResize();
    } else if (event->type() == QEvent::Resize && watched->inherits("QSplitter") && watched != SubjectSplitter) {
        // Qt sizes a tab page only when it is showing, so the proportions of a page that was
        // hidden when ArrangePanes last ran are applied when its splitter gets its size. Only
        // a change along the splitter counts, so dragging the other border keeps this one.
        const auto* resize = static_cast<QResizeEvent*>(event);
        const bool vertical = static_cast<QSplitter*>(watched)->orientation() == Qt::Vertical;
        if (vertical ? resize->size().height() != resize->oldSize().height()
                     : resize->size().width() != resize->oldSize().width())
            ArrangePanes();
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}
