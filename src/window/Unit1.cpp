#include "window/Unit1.h"

#include "window/BackgroundLoad.h"
#include "window/TextFonts.h"
#include "window/pages/Appearance.h"
#include "window/pages/CatalogueTabs.h"
#include "window/pages/ConcordanceTab.h"
#include "window/pages/ConvertTab.h"
#include "window/pages/OptionsTab.h"
#include "window/pages/ProgramInfoTab.h"
#include "window/pages/SearchTab.h"
#include "window/pages/TextViews.h"
#include "window/reading/HitNavigator.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/PageControl.h"
#include "util/TextCodec.h"
#include "session/Settings.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"
#include "util/MyUtils.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

// Every name a data file has in the Data folder, in the order they are checked and loaded.
const std::u16string_view DataFileNames[] = {TextFileNames[0],    TextFileNames[1],    TextFileNames[2],
                                             VariantFileNames[0], VariantFileNames[1], ReadingFileName};

// The window's client area as designed.
constexpr QSize FormClientSize(892, 673);

// The tabs of the page controls that start-up and loading bring forward.
constexpr int OrderListTab = 0;
constexpr int HangeulTextTab = 1;

} // namespace

TMainForm::TMainForm(TVesko3Session& state, IAppShell& shell, TProgramPaths paths,
                     std::optional<std::vector<std::u16string>> installedFaces, TReaderStateFile stateFile)
    : State(state), Shell(shell), Paths(std::move(paths)),
      InstalledFaces(installedFaces ? std::move(*installedFaces) : std::vector<std::u16string>{}),
      Session(std::make_unique<TReaderSession>(*this, std::move(stateFile)))
{
    // Loading takes longer than building the window, so it starts before anything else: the
    // window is built and shown while the files are read.
    TGlobalInfo& global = State.GlobalInfo;
    global.DataPath = Paths.DataFolder;
    global.LoadError = false;
    const bool filesPresent = CheckDataFiles();
    if (filesPresent) StartLoading();
    if (!installedFaces) InstalledFaces = InstalledFontFaces();
    RegisterFontSubstitutions();
    CreateControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (filesPresent) FormCreate();
}

TMainForm::~TMainForm()
{
    // The loading thread writes the data that FormDestroy releases.
    Loader.reset();
    FormDestroy();
}

void TMainForm::StartLoading()
{
    Loader = std::make_unique<TBackgroundLoad>(State);
}

void TMainForm::AwaitLoading()
{
    // What loading found is told by LoadAllData, which asks Wait again.
    if (Loader) (void)Loader->Wait();
}

void TMainForm::CreateControls()
{
    setObjectName("MainForm");
    setWindowTitle(ToQString(MainFormCaption));
    QFont windowFont(QStringLiteral("굴림"));
    windowFont.setPixelSize(13);
    setFont(windowFont);

    auto* place = new TAnchorLayout(this, FormClientSize);
    SearchPage = new TPageControl(this);
    SearchPage->setObjectName("SearchPage");
    place->Place(SearchPage, {0, 0, 301, 671}, AnchorLeft | AnchorTop | AnchorBottom);
    ViewPage = new TPageControl(this);
    ViewPage->setObjectName("ViewPage");
    place->Place(ViewPage, {310, 0, 582, 666}, AnchorAll);
    // The pages add their sheets in tab order.
    ISutraViewer& viewer = *this;
    CatalogueTabs = std::make_unique<TCatalogueTabs>(SearchPage, State, viewer);
    SearchTab = std::make_unique<TSearchTab>(SearchPage, State, Shell, viewer);
    TextViews = std::make_unique<TTextViews>(ViewPage, this, State);
    ConvertTab = std::make_unique<TConvertTab>(ViewPage, State);
    OptionsTab = std::make_unique<TOptionsTab>(ViewPage, State.GlobalInfo.Settings);
    ProgramInfoTab = std::make_unique<TProgramInfoTab>(ViewPage);
    ConcordanceTab = std::make_unique<TConcordanceTab>(
        SearchPage, State, [this](std::int32_t n, int family, std::int32_t begin) { ShowHitRun(n, family, begin); });

    resize(FormClientSize);
    // The client areas of a 900 x 700 and an 800 x 600 window with a common frame.
    setMinimumSize(FormClientSize.width() - 100, FormClientSize.height() - 100);
    ApplyDesignedColors();
    ConnectHandlers();
    CreateKeys();
}

void TMainForm::ConnectHandlers()
{
    connect(OptionsTab.get(), &TOptionsTab::HangeulFontChosen, this, &TMainForm::ApplyHangeulFont);
    connect(OptionsTab.get(), &TOptionsTab::HanmoonFontChosen, this, &TMainForm::ApplyHanmoonFont);
    connect(OptionsTab.get(), &TOptionsTab::SearchFontChosen, this, &TMainForm::ApplySearchFont);
    connect(OptionsTab.get(), &TOptionsTab::TransparencyChosen, this, &TMainForm::ApplyTransparency);
    connect(OptionsTab.get(), &TOptionsTab::ColorSchemeChosen, this, &TMainForm::ApplyColorScheme);
    connect(SearchTab.get(), &TSearchTab::SearchEnded, ConcordanceTab.get(), &TConcordanceTab::SearchEnded);
    TextViews->SetSameCharacterSource([this] { return SearchTab->SameCharacterChecked(); });
}

void TMainForm::CreateKeys()
{
    auto key = [this](const QKeySequence& sequence, auto action) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    constexpr int SearchWordsTab = 3;
    for (const QKeySequence& words : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_L)})
        key(words, [this] {
            SelectPage(SearchPage, SearchWordsTab);
            SearchTab->FocusWords();
        });
    for (int tab = 0; tab < SearchPage->count(); ++tab)
        key(QKeySequence(Qt::CTRL | (Qt::Key_1 + tab)), [this, tab] { SelectPage(SearchPage, tab); });
    // Alt+Left and Alt+Right, and the platform's own back and forward keys where they differ.
    for (const int step : {-1, 1}) {
        QList<QKeySequence> keys{QKeySequence(Qt::ALT | (step < 0 ? Qt::Key_Left : Qt::Key_Right))};
        for (const QKeySequence& own : QKeySequence::keyBindings(step < 0 ? QKeySequence::Back : QKeySequence::Forward))
            if (!keys.contains(own)) keys.append(own);
        for (const QKeySequence& sequence : keys)
            key(sequence, [this, step] {
                if (Loaded) Session->Go(step);
            });
    }
    QCoreApplication::instance()->installEventFilter(this);
}

void TMainForm::ChainFocus()
{
    // Hidden sheets' controls are skipped when tabbing, so one chain serves every pair of tabs.
    std::vector<QWidget*> order{SearchPage};
    for (const auto& part :
         {CatalogueTabs->FocusOrder(), SearchTab->FocusOrder(), TextViews->FocusOrder(), ConvertTab->FocusOrder()})
        order.insert(order.end(), part.begin(), part.end());
    order.push_back(ViewPage);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMainForm::FormCreate()
{
    TGlobalInfo& global = State.GlobalInfo;
    // The deferred load is posted from the first exposure of the window (eventFilter) and
    // handled in event(); both stay in place for the whole run.
    LoadPosted = false;
    for (TPageControl* page : {SearchPage, ViewPage})
        page->OwnerTabBar()->SetPainter([this, page](QPainter& painter, int index, const QRect& rect, bool selected) {
            SearchPageDrawTab(page, painter, index, rect, selected);
        });
    CurrentSutra = -1;
    ProgramInfoTab->ClearInfo();
    BuildEditors();
    ChainFocus();
    TextViews->ArrangePanes();
    SelectPage(SearchPage, OrderListTab);
    SelectPage(ViewPage, HangeulTextTab);
    LoadSettings(global.Settings, Paths.SettingsFolder);
    Session->LoadBeforeShow();
    ApplyFullScreen();
    OptionsTab->ShowSettings();
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
    SelectPage(SearchPage, OrderListTab);
    // Only a window shown despite a missing file comes here without its loading under way.
    if (!Loader) StartLoading();
    // The loading message shows while the thread still runs, and under the boxes of a
    // damaged or missing file as it did when loading ran here.
    bool loadingShown = false;
    if (!Loader->Finished()) {
        CatalogueTabs->ShowLoadingMessage();
        loadingShown = true;
    }
    const bool loaded = Loader->Wait();
    if (!loadingShown && Loader->HasMessages()) CatalogueTabs->ShowLoadingMessage();
    Loader->Replay(Shell, this);
    Loader.reset();

    if (!loaded) {
        Shell.Show(std::u16string(UnusableProgramText), std::u16string(ConfirmCaption));
        Shell.RequestExit(0);
        return;
    }
    CatalogueTabs->HideLoadingMessage();
    TextViews->ArrangePanes();
    Session->RestoreAfterLoad();
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
    if (Loaded) Session->Save();
}

void TMainForm::FormDestroy()
{
    TLoadedData& data = State.Data;
    for (TVesko_File& file : data.TextFiles)
        TTextUnits().swap(file.Text);
    for (TVariantFile& file : data.VariantFiles)
        std::vector<char16_t>().swap(file.Text);
    std::vector<char16_t>().swap(data.ReadingFile.Text);
}

void TMainForm::BuildEditors()
{
    // The editors take the template's font in the face chosen from the installed ones.
    const QFont editorFont = ProgramInfoTab->EditorFont(ToQString(TextFontFace()));
    SearchTab->BuildEditors(editorFont);
    TextViews->BuildEditors(editorFont);
    ConvertTab->BuildEditors(editorFont);
}

void TMainForm::SelectPage(TPageControl* page, int index)
{
    page->setCurrentIndex(index);
}

std::u16string TMainForm::TextFontFace() const
{
    return ChooseTextFont(InstalledFaces);
}

void TMainForm::ShowSutra(std::int32_t n)
{
    if (n == CurrentSutra) return;
    Session->Leaving();
    TextViews->FillViews(n, TitleLine(State.Data.TextFiles[0], n));
    CurrentSutra = n;
    const int page = ViewPageAfterShow(ViewPage->currentIndex());
    if (page != ViewPage->currentIndex()) SelectPage(ViewPage, page);
    Session->Visited(n, false);
}

bool TMainForm::ShowSearchHit(std::int32_t n)
{
    if (n == CurrentSutra) return false;
    const std::u16string titleLine = TitleLine(State.Data.TextFiles[0], n);
    Session->Leaving();
    TextViews->FillViews(n, titleLine);
    const TSearchHitPlan plan = PlanSearchHit(State.SearchInfo, n);
    if (plan.Highlight) {
        TextViews->HighlightHit(n);
        const int tab = SearchHitTab(State.SearchInfo.TitleIndex, ViewPage->currentIndex());
        if (tab >= 0) SelectPage(ViewPage, tab);
    }
    // The same row chosen again in a browse list shows its sutra afresh, without the marks.
    CurrentSutra = -1;
    Session->Visited(n, true);
    return true;
}

void TMainForm::ShowHitRun(std::int32_t n, int family, std::int32_t begin)
{
    // Shown afresh even when a browse list showed it last, so that it carries the marks.
    CurrentSutra = -1;
    if (ShowSearchHit(n)) TextViews->Hits().GoToOccurrence(family, begin);
}

void TMainForm::ApplyDesignedColors()
{
    SetWindowColor(this, DesignedWindowColor);
    ProgramInfoTab->ApplyDesignedColors();
    CatalogueTabs->ApplyDesignedColors();
    SearchTab->ApplyDesignedColors();
    OptionsTab->ApplyDesignedColors();
}

void TMainForm::ApplyHangeulFont()
{
    TextViews->SetHangeulFont(ToQString(TextFontFace()), HangeulPointSize(State.GlobalInfo.Settings.HangeulFontSize));
}

void TMainForm::ApplyHanmoonFont()
{
    const QString face = ToQString(TextFontFace());
    const int pointSize = HanmoonPointSize(State.GlobalInfo.Settings.HanmoonFontSize);
    TextViews->SetHanmoonFont(face, pointSize);
    ConvertTab->SetHanmoonFont(face, pointSize);
}

void TMainForm::ApplySearchFont()
{
    SearchTab->SetSearchFont(ToQString(TextFontFace()), SearchPointSize(State.GlobalInfo.Settings.SearchFontSize));
}

void TMainForm::ApplyTransparency()
{
    setWindowOpacity(TransparentAlpha(State.GlobalInfo.Settings.Transparent) / 255.0);
}

void TMainForm::ApplyFullScreen()
{
    if (State.GlobalInfo.Settings.FullScreen == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::ApplyColorScheme()
{
    const TColorScheme scheme = ColorSchemeAt(State.GlobalInfo.Settings.ColorIndex);
    SetWindowColor(this, scheme.Window);
    ProgramInfoTab->ApplyColors(scheme);
    CatalogueTabs->ApplyColors(scheme);
    SearchTab->ApplyColors(scheme);
    TextViews->ApplyColors(scheme);
    ConvertTab->ApplyColors(scheme);
    OptionsTab->ApplyColors(scheme);
    ConcordanceTab->ApplyColors(scheme);
    // Everything is painted again in the new colours.
    update();
    for (QWidget* child : findChildren<QWidget*>())
        child->update();
}

void TMainForm::FormResize()
{
    TextViews->ArrangePanes();
}

void TMainForm::SearchPageDrawTab(TPageControl* control, QPainter& painter, int index, const QRect& rect, bool selected)
{
    QFont font = control->tabBar()->font();
    font.setBold(selected);
    painter.setFont(font);
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.fillRect(rect, control->palette().color(QPalette::Window));
    painter.setPen(selected ? QColor(0, 0, 255) : QColor(0, 0, 0));
    const QString caption = control->tabText(index);
    const QFontMetrics metrics(font);
    // The right edge is exclusive, as the tab's rectangle counts it.
    const int right = rect.left() + rect.width();
    const int centre = (rect.left() + right) / 2;
    painter.drawText(QPoint(centre - metrics.horizontalAdvance(caption) / 2, rect.top() + 2 + metrics.ascent()),
                     caption);
}

void TMainForm::AppendInfoLine(const std::u16string& line)
{
    ProgramInfoTab->AppendInfoLine(line);
}

void TMainForm::CatalogueLoaded()
{
    CatalogueTabs->FillLoadedLists();
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

bool TMainForm::HeldWhileLoading(QObject* watched, QEvent* event) const
{
    // A window on the screen holds the input until what loading found is shown, so that no
    // search runs on the files of a failed load; one never shown (a test's) only while the
    // thread runs.
    if (!Loader || (!isVisible() && Loader->Finished())) return false;
    if (!IsUserInput(*event)) return false;
    // A key (a QShortcut) counts as the widget it belongs to, wherever in the window that is.
    for (const QObject* owner = watched; owner; owner = owner->parent())
        if (owner->isWidgetType()) return static_cast<const QWidget*>(owner)->window() == this;
    return false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (HeldWhileLoading(watched, event)) return true;
    // The mouse's back and forward buttons, wherever they are pressed in this window.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            if (Loaded) Session->Go(button == Qt::BackButton ? -1 : 1);
            return true;
        }
    }
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) AppIdle();
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
