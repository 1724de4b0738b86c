#include "window/Unit1.h"

#include "window/TextFonts.h"
#include "window/WindowScreens.h"
#include "window/pages/Appearance.h"
#include "window/pages/CatalogueTabs.h"
#include "window/pages/ConcordanceTab.h"
#include "window/pages/ConvertTab.h"
#include "window/pages/OptionsTab.h"
#include "window/pages/ParallelsTab.h"
#include "window/pages/ProgramInfoTab.h"
#include "window/pages/SearchTab.h"
#include "window/pages/TextViews.h"
#include "window/reading/CharacterGlance.h"
#include "window/reading/GoToBar.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/PageControl.h"
#include "util/TextCodec.h"
#include "session/Settings.h"
#include "browse/SutraTexts.h"
#include "search/SearchHit.h"
#include "util/MyUtils.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// Every name a data file has in the Data folder, in the order they are checked and loaded.
const std::u16string_view DataFileNames[] = {TextFileNames[0],    TextFileNames[1],    TextFileNames[2],
                                             VariantFileNames[0], VariantFileNames[1], ReadingFileName};

// The window's client area as designed.
constexpr QSize FormClientSize(892, 673);

// Whether event is one by which the user acts on a window (a click, a key, a shortcut).
bool IsUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

// The tabs of the page controls that start-up and loading bring forward.
constexpr int OrderListTab = 0;
constexpr int HangeulTextTab = 1;
constexpr int SearchWordsTab = 3;

} // namespace

TMainForm::TMainForm(TVesko3Session& session, IAppShell& shell, TProgramPaths paths,
                     std::optional<std::vector<std::u16string>> installedFaces, TReaderStateFile stateFile)
    : Session(session), Shell(shell), Paths(std::move(paths)),
      InstalledFaces(installedFaces ? std::move(*installedFaces) : std::vector<std::u16string>{})
{
    TGlobalInfo& global = Session.GlobalInfo;
    global.DataPath = Paths.DataFolder;
    global.LoadError = false;
    const bool filesPresent = CheckDataFiles();
    if (!installedFaces) InstalledFaces = InstalledFontFaces();
    RegisterFontSubstitutions();
    CreateControls();
    ReaderWindow = std::make_unique<TReaderWindow>(Session, TReaderPages{SearchPage,
                                                                         ViewPage,
                                                                         TextViews,
                                                                         SubjectSheet,
                                                                         ConvertTab,
                                                                         SearchTab,
                                                                         ParallelsTab,
                                                                         {OrderSheet, NameSheet}});
    Reader = std::make_unique<TReaderRecord>(*this, *ReaderWindow, Session.Data.TextFiles[0], std::move(stateFile));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (filesPresent) FormCreate();
    WatchInput();
}

TMainForm::~TMainForm()
{
    // The loading thread writes the data that FormDestroy releases.
    FormDestroy();
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
    // Its width is fixed, and the tabs added to the four it was designed with must fit it.
    SearchPage->OwnerTabBar()->SetFitToWidth(true);
    place->Place(SearchPage, {0, 0, 301, 671}, AnchorLeft | AnchorTop | AnchorBottom);
    ViewPage = new TPageControl(this);
    ViewPage->setObjectName("ViewPage");
    place->Place(ViewPage, {310, 0, 582, 666}, AnchorAll);
    // Each page is given only what it shows and the one thing it changes.
    const TVesko_File& catalogue = Session.Data.TextFiles[0];
    OrderSheet = new TSutraListSheet(OrderList, catalogue);
    SearchPage->addTab(OrderSheet, "경전순");
    NameSheet = new TSutraListSheet(NameList, catalogue);
    SearchPage->addTab(NameSheet, "이름순");
    SubjectSheet = new TSubjectSheet(catalogue);
    SearchPage->addTab(SubjectSheet, "주제별");
    SearchTab = new TSearchTab(Session.Data, Session.SearchInfo, Shell);
    SearchPage->addTab(SearchTab, "검색하기");
    ConcordanceTab = new TConcordanceTab(Session);
    SearchPage->addTab(ConcordanceTab, "용례");
    ParallelsTab = new TParallelsTab(Session);
    SearchPage->addTab(ParallelsTab, "대응경전");
    // The text views add their four sheets first.
    TextViews = new TTextViews(ViewPage, this, Session);
    TextViews->setObjectName("TextViews");
    ConvertTab = new TConvertTab(Session.Data.ReadingFile);
    ViewPage->addTab(ConvertTab, "한자음변환");
    OptionsTab = new TOptionsTab(Session.GlobalInfo.Settings);
    ViewPage->addTab(OptionsTab, "선택사항");
    ProgramInfoTab = new TProgramInfoTab;
    ViewPage->addTab(ProgramInfoTab, "프로그램 정보");

    resize(FormClientSize);
    // The client areas of a 900 x 700 and an 800 x 600 window with a common frame; the minimum
    // is cut to a smaller screen (at a large scale factor), where the window system may then
    // fit the window.
    SetMinimumOnScreen(*this, FormClientSize - QSize(100, 100));
    ApplyDesignedColors();
    ConnectHandlers();
    CreateKeys();
}

void TMainForm::ConnectHandlers()
{
    connect(OptionsTab, &TOptionsTab::HangeulFontChosen, this, &TMainForm::ApplyHangeulFont);
    connect(OptionsTab, &TOptionsTab::HanmoonFontChosen, this, &TMainForm::ApplyHanmoonFont);
    connect(OptionsTab, &TOptionsTab::SearchFontChosen, this, &TMainForm::ApplySearchFont);
    connect(OptionsTab, &TOptionsTab::TransparencyChosen, this, &TMainForm::ApplyTransparency);
    connect(OptionsTab, &TOptionsTab::ColorSchemeChosen, this, &TMainForm::ApplyColorScheme);
    // The concordance is made when its sheet is on show, after each search.
    auto fillConcordance = [this] {
        if (SearchPage->currentWidget() == ConcordanceTab) ConcordanceTab->FillIfStale();
    };
    connect(SearchTab, &TSearchTab::SearchEnded, this, [this, fillConcordance] {
        ConcordanceTab->SearchEnded();
        fillConcordance();
    });
    connect(SearchPage, &QTabWidget::currentChanged, this, fillConcordance);
    // Rows of the lists, the result list and the concordance all show their sutra as a place.
    for (TSutraListSheet* list : {OrderSheet, NameSheet})
        connect(list, &TSutraListSheet::SutraChosen, this, [this](std::int32_t n) { OpenPlace({n}); });
    connect(SubjectSheet, &TSubjectSheet::SutraChosen, this, [this](std::int32_t n) { OpenPlace({n}); });
    connect(ParallelsTab, &TParallelsTab::SutraChosen, this, [this](std::int32_t n) { OpenPlace({n}); });
    connect(&TextViews->GoToBar(), &TGoToBar::PlaceChosen, this,
            [this](const TLinePlace& target) { OpenPlace(GoToPlace(target)); });
    connect(SearchTab, &TSearchTab::HitChosen, this, [this](std::int32_t n) { OpenPlace({n, true}); });
    connect(ConcordanceTab, &TConcordanceTab::RunChosen, this, [this](std::int32_t n, int family, std::int32_t begin) {
        TPlace place(n, true);
        place.Run = THitRunPlace{family, begin};
        OpenPlace(place);
    });
    // The find bar matches variant forms as the search does.
    TextViews->SetSameCharacter(SearchTab->SameCharacterChecked());
    connect(SearchTab, &TSearchTab::SameCharacterChanged, this,
            [this](bool same) { TextViews->SetSameCharacter(same); });
}

void TMainForm::CreateKeys()
{
    auto key = [this](const QKeySequence& sequence, auto action) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    for (const QKeySequence& words : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_L)})
        key(words, [this] {
            SelectPage(SearchPage, SearchWordsTab);
            SearchTab->FocusWords();
        });
    // Ctrl+1 to Ctrl+6 bring a list tab forward with the focus in its list, so that typing
    // finds a sutra there rather than landing where the focus was.
    const std::function<void()> focusLists[] = {
        [this] { OrderSheet->FocusList(); },     [this] { NameSheet->FocusList(); },
        [this] { SubjectSheet->FocusList(); },   [this] { SearchTab->FocusList(); },
        [this] { ConcordanceTab->FocusList(); }, [this] { ParallelsTab->FocusList(); }};
    for (int tab = 0; tab < static_cast<int>(std::size(focusLists)); ++tab)
        key(QKeySequence(Qt::CTRL | (Qt::Key_1 + tab)), [this, tab, focus = focusLists[tab]] {
            SelectPage(SearchPage, tab);
            focus();
        });
    // Alt+Left and Alt+Right, and the platform's own back and forward keys where they differ.
    for (const int step : {-1, 1}) {
        QList<QKeySequence> keys{QKeySequence(Qt::ALT | (step < 0 ? Qt::Key_Left : Qt::Key_Right))};
        for (const QKeySequence& own : QKeySequence::keyBindings(step < 0 ? QKeySequence::Back : QKeySequence::Forward))
            if (!keys.contains(own)) keys.append(own);
        for (const QKeySequence& sequence : keys)
            key(sequence, [this, step] {
                if (Loaded) Reader->Go(step);
            });
    }
}

void TMainForm::ChainFocus()
{
    // Hidden sheets' controls are skipped when tabbing, so one chain serves every pair of tabs.
    std::vector<QWidget*> order{SearchPage};
    for (const auto& part : {OrderSheet->FocusOrder(), NameSheet->FocusOrder(), SubjectSheet->FocusOrder(),
                             SearchTab->FocusOrder(), TextViews->FocusOrder(), ConvertTab->FocusOrder()})
        order.insert(order.end(), part.begin(), part.end());
    order.push_back(ViewPage);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMainForm::FormCreate()
{
    TGlobalInfo& global = Session.GlobalInfo;
    // The deferred load is posted from the first exposure of the window (eventFilter) and
    // handled in event(); both stay in place for the whole run.
    LoadPosted = false;
    for (TPageControl* page : {SearchPage, ViewPage})
        page->OwnerTabBar()->SetPainter([this, page](QPainter& painter, int index, const QRect& rect, bool selected) {
            SearchPageDrawTab(page, painter, index, rect, selected);
        });
    ProgramInfoTab->ClearInfo();
    BuildEditors();
    ChainFocus();
    TextViews->ArrangePanes();
    SelectPage(SearchPage, OrderListTab);
    SelectPage(ViewPage, HangeulTextTab);
    LoadSettings(global.Settings, Paths.SettingsFolder);
    Reader->LoadBeforeShow();
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
        const std::filesystem::path path = Session.GlobalInfo.DataPath / std::filesystem::path(std::u16string(name));
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
    // The loading message shows while the files are read, and under the boxes of a damaged
    // or missing file.
    OrderSheet->ShowLoadingMessage();
    const bool loaded = Session.LoadData(Shell, this);

    if (!loaded) {
        Shell.Show(std::u16string(UnusableProgramText), std::u16string(ConfirmCaption));
        Shell.RequestExit(0);
        return;
    }
    OrderSheet->HideLoadingMessage();
    TextViews->ArrangePanes();
    Reader->RestoreAfterLoad();
    Loaded = true;
}

void TMainForm::FormCloseQuery(bool& canClose)
{
    Session.GlobalInfo.Settings.FullScreen = isMaximized() ? 1 : 0;
    canClose = true;
}

void TMainForm::FormClose()
{
    // The user's configuration folder may not exist before the first save. A settings file
    // that cannot be written costs this run's settings, nothing more.
    std::error_code error;
    std::filesystem::create_directories(Paths.SettingsFolder, error);
    (void)SaveSettings(Session.GlobalInfo.Settings);
    if (Loaded) Reader->Save();
}

void TMainForm::FormDestroy()
{
    TLoadedData& data = Session.Data;
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
    WatchCharacters();
}

void TMainForm::WatchCharacters()
{
    CharacterGlance = new TCharacterGlance(this, Session.Data);
    for (QAbstractScrollArea* view : TextViews->ChineseViews())
        CharacterGlance->Watch(view);
    CharacterGlance->Watch(ConvertTab->InputMemo());
    CharacterGlance->Watch(SearchTab->WordsMemo());
    connect(CharacterGlance, &TCharacterGlance::SearchRequested, this, [this](const QString& c) {
        SelectPage(SearchPage, SearchWordsTab);
        SearchTab->SearchCharacter(c);
    });
}

void TMainForm::SelectPage(TPageControl* page, int index)
{
    page->setCurrentIndex(index);
}

std::u16string TMainForm::TextFontFace() const
{
    return ChooseTextFont(InstalledFaces);
}

void TMainForm::OpenPlace(const TPlace& place)
{
    Reader->Open(place);
}

std::int32_t TMainForm::PlainSutraOnShow() const
{
    return ReaderWindow->PlainSutraOnShow();
}

void TMainForm::ApplyDesignedColors()
{
    SetWindowColor(this, DesignedWindowColor);
    ProgramInfoTab->ApplyDesignedColors();
    OrderSheet->SetListColor(DesignedWhite);
    NameSheet->SetListColor(SystemWindowColor());
    SubjectSheet->SetListColor(SystemWindowColor());
    SearchTab->ApplyDesignedColors();
    OptionsTab->ApplyDesignedColors();
}

void TMainForm::ApplyHangeulFont()
{
    TextViews->SetHangeulFont(ToQString(TextFontFace()), HangeulPointSize(Session.GlobalInfo.Settings.HangeulFontSize));
}

void TMainForm::ApplyHanmoonFont()
{
    const QString face = ToQString(TextFontFace());
    const int pointSize = HanmoonPointSize(Session.GlobalInfo.Settings.HanmoonFontSize);
    TextViews->SetHanmoonFont(face, pointSize);
    ConvertTab->SetHanmoonFont(face, pointSize);
}

void TMainForm::ApplySearchFont()
{
    SearchTab->SetSearchFont(ToQString(TextFontFace()), SearchPointSize(Session.GlobalInfo.Settings.SearchFontSize));
}

void TMainForm::ApplyTransparency()
{
    setWindowOpacity(TransparentAlpha(Session.GlobalInfo.Settings.Transparent) / 255.0);
}

void TMainForm::ApplyFullScreen()
{
    if (Session.GlobalInfo.Settings.FullScreen == 1) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::ApplyColorScheme()
{
    const TColorScheme scheme = ColorSchemeAt(Session.GlobalInfo.Settings.ColorIndex);
    SetWindowColor(this, scheme.Window);
    ProgramInfoTab->ApplyColors(scheme);
    for (TSutraListSheet* list : {OrderSheet, NameSheet})
        list->SetListColor(scheme.Content);
    SubjectSheet->SetListColor(scheme.Content);
    SearchTab->ApplyColors(scheme);
    TextViews->ApplyColors(scheme);
    ConvertTab->ApplyColors(scheme);
    OptionsTab->ApplyColors(scheme);
    ConcordanceTab->ApplyColors(scheme);
    ParallelsTab->ApplyColors(scheme);
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
    // The three lists of a freshly loaded catalogue, each with every collection.
    OrderSheet->FillSutraGrid(0);
    NameSheet->FillSutraGrid(0);
    SubjectSheet->FillSubjectGrid();
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

void TMainForm::WatchInput()
{
    // The controls made later (a menu's popup) are not the reader's way around the texts.
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool TMainForm::IsInputWhileLoading(const QEvent& event) const
{
    // A window on the screen holds the input until what loading found is shown, so that no
    // search runs on missing data or the files of a failed load; one never shown (a test's)
    // loads nothing and holds nothing.
    return !Loaded && isVisible() && IsUserInput(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (IsInputWhileLoading(*event)) {
        // An accepted override keeps a shortcut from firing; the key itself is dropped here.
        if (event->type() == QEvent::ShortcutOverride) event->accept();
        return true;
    }
    // The mouse's back and forward buttons, wherever they are pressed in this window.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            if (Loaded) Reader->Go(button == Qt::BackButton ? -1 : 1);
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
