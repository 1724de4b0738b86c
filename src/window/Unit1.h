#pragma once

// TMainForm, the one window: the two page controls, start-up, loading and shut-down. The
// pages in window/pages own the controls of their sheets; the window creates them, passes
// between them what spans pages (the sutra to show, a search hit, the fonts and colours of
// the settings) and handles the window's own events.

#include "window/AppShell.h"
#include "window/ReaderSession.h"
#include "window/pages/SutraViewer.h"
#include "session/ProgramPaths.h"
#include "session/Vesko3Session.h"
#include "data/DataFile.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class TBackgroundLoad;
class TCatalogueTabs;
class TConcordanceTab;
class TConvertTab;
class TOptionsTab;
class TPageControl;
class TProgramInfoTab;
class TSearchTab;
class TTextViews;

// The event the window posts itself once it is first on the screen; loading runs when it
// arrives. The number is the first private message number (1024) plus 103.
inline constexpr int LoadDataMessage = 1127;

inline constexpr std::u16string_view MainFormCaption = u"베스코 3  (2007.11.05 버전)";
inline constexpr std::u16string_view UnusableProgramText = u"베스코 프로그램을 사용할 수 없습니다.";
inline constexpr std::u16string_view ConfirmCaption = u"확인";

class TMainForm : public QWidget, private ILoadListener, private ISutraViewer
{
    Q_OBJECT
public:
    // paths name the Data folder and the folder of Vesko3.ini (a program folder alone holds
    // both). installedFaces stands in for the platform's font list (tests); without it the
    // platform's faces are used. The data files are checked first: when one is missing the
    // program is ended through the shell and the window must not be shown; otherwise their
    // loading starts on a thread of its own before the controls are built, and FormCreate
    // runs. stateFile names the reader's state file; without one nothing is restored or kept.
    TMainForm(TVesko3Session& state, IAppShell& shell, TProgramPaths paths,
              std::optional<std::vector<std::u16string>> installedFaces = std::nullopt,
              TReaderStateFile stateFile = {});
    ~TMainForm() override;

    bool DataLoaded() const { return Loaded; }
    // Waits until the loading begun at creation has ended, without showing what it found
    // (that waits for LoadDataMessage). A window that is never shown must wait here before
    // anything else reads or writes State.Data or State.SearchInfo.
    void AwaitLoading();

    TVesko3Session& State;
    // Catalogue position of the sutra last shown from a browse list, -1 for none.
    std::int32_t CurrentSutra = -1;

    // The pages, for the handlers and calls each offers.
    TCatalogueTabs& Catalogue() { return *CatalogueTabs; }
    TSearchTab& Search() { return *SearchTab; }
    TTextViews& Views() { return *TextViews; }
    TConvertTab& Conversion() { return *ConvertTab; }
    TOptionsTab& Options() { return *OptionsTab; }
    TProgramInfoTab& ProgramInfo() { return *ProgramInfoTab; }
    TConcordanceTab& Concordance() { return *ConcordanceTab; }

    // A concordance row: sutra n as a search result, its view moved to the run of family
    // that begins at begin.
    void ShowHitRun(std::int32_t n, int family, std::int32_t begin);
    TPageControl* ListPages() const { return SearchPage; }
    TPageControl* TextPages() const { return ViewPage; }
    TReaderSession& Reader() { return *Session; }

    // ISutraViewer: the text views and the view tab for a chosen row.
    void ShowSutra(std::int32_t n) override;
    bool ShowSearchHit(std::int32_t n) override;

    // Start-up, loading and shut-down.
    void FormCreate();
    bool CheckDataFiles();
    void LoadAllData();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormDestroy();
    void BuildEditors();
    void SelectPage(TPageControl* page, int index);
    std::u16string TextFontFace() const; // ChooseTextFont over this window's face list

    // What the settings change across the pages.
    void ApplyDesignedColors(); // the colours before any scheme is chosen
    void ApplyHangeulFont();
    void ApplyHanmoonFont();
    void ApplySearchFont();
    void ApplyTransparency();
    void ApplyFullScreen();
    void ApplyColorScheme();
    void FormResize();
    void SearchPageDrawTab(TPageControl* control, QPainter& painter, int index, const QRect& rect, bool selected);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ILoadListener: the loaders' information lines and the moment the catalogue is in.
    void AppendInfoLine(const std::u16string& line) override;
    void CatalogueLoaded() override;

    // Starts loading State on its own thread.
    void StartLoading();
    // Whether event is the user's input to this window, held back while loading runs.
    bool HeldWhileLoading(QObject* watched, QEvent* event) const;
    // Posts LoadDataMessage the first time the window is on the screen, never again.
    void AppIdle();
    // Runs LoadAllData for LoadDataMessage and reports it handled; other events pass.
    bool AppMessage(QEvent* event);

    void CreateControls();
    void ConnectHandlers();
    // The keys of the whole window: the search words, the left tabs, back and forward.
    void CreateKeys();
    // Tab from the lists to the views, and through the search sheet from the words on.
    void ChainFocus();

    IAppShell& Shell;
    TProgramPaths Paths;
    std::vector<std::u16string> InstalledFaces;
    bool LoadPosted = false;
    bool Loaded = false;
    // The loading under way, or ended and not yet shown. The user's input to the window is
    // held back meanwhile, as every handler that reads the data would read them half-written.
    std::unique_ptr<TBackgroundLoad> Loader;

    TPageControl *SearchPage = nullptr, *ViewPage = nullptr;
    // Destroyed with the window's own part, before Qt deletes the controls they watch.
    std::unique_ptr<TCatalogueTabs> CatalogueTabs;
    std::unique_ptr<TSearchTab> SearchTab;
    std::unique_ptr<TTextViews> TextViews;
    std::unique_ptr<TConvertTab> ConvertTab;
    std::unique_ptr<TOptionsTab> OptionsTab;
    std::unique_ptr<TProgramInfoTab> ProgramInfoTab;
    std::unique_ptr<TConcordanceTab> ConcordanceTab;
    std::unique_ptr<TReaderSession> Session;
};
