#pragma once

// TMainForm, the one window: the two page controls, start-up, loading and shut-down. Each
// tab sheet is a page of window/pages that owns its controls; the window creates them, hears
// what they tell (a row chosen, a setting changed), passes on what spans pages (the place to
// show, the fonts and colours of the settings) and handles the window's own events. Tests and
// benchmarks reach a page by its sheet's object name.

#include "window/AppShell.h"
#include "window/ReaderRecord.h"
#include "window/ReaderWindow.h"
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
class TCharacterGlance;
class TConcordanceTab;
class TConvertTab;
class TOptionsTab;
class TPageControl;
class TProgramInfoTab;
class TSearchTab;
class TSubjectSheet;
class TSutraListSheet;
class TTextViews;

// The event the window posts itself once it is first on the screen; loading runs when it
// arrives. The number is the first private message number (1024) plus 103.
inline constexpr int LoadDataMessage = 1127;

inline constexpr std::u16string_view MainFormCaption = u"베스코 3  (2007.11.05 버전)";
inline constexpr std::u16string_view UnusableProgramText = u"베스코 프로그램을 사용할 수 없습니다.";
inline constexpr std::u16string_view ConfirmCaption = u"확인";

class TMainForm : public QWidget, private ILoadListener
{
    Q_OBJECT
public:
    // paths name the Data folder and the folder of Vesko3.ini (a program folder alone holds
    // both). installedFaces stands in for the platform's font list (tests); without it the
    // platform's faces are used. The data files are checked first: when one is missing the
    // program is ended through the shell and the window must not be shown; otherwise
    // FormCreate runs, and the files are read once the window is first on the screen.
    // stateFile names the reader's state file; without one nothing is restored or kept.
    TMainForm(TVesko3Session& session, IAppShell& shell, TProgramPaths paths,
              std::optional<std::vector<std::u16string>> installedFaces = std::nullopt,
              TReaderStateFile stateFile = {});
    ~TMainForm() override;

    bool DataLoaded() const { return Loaded; }

    // Shows place as a list row, a result row or a concordance row does: the place on show
    // keeps its tab and scrolling, and place becomes the newest of the way back.
    void OpenPlace(const TPlace& place);
    // The sutra on show as a plain place (from a list, or back and forward to one); -1 for
    // none and for a search hit, whose sutra a list row shows afresh.
    std::int32_t PlainSutraOnShow() const;

    // Paints a tab caption of either page control: bold and blue when selected.
    void SearchPageDrawTab(TPageControl* control, QPainter& painter, int index, const QRect& rect, bool selected);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up, loading and shut-down.
    void FormCreate();
    bool CheckDataFiles();
    void LoadAllData();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormDestroy();
    void BuildEditors();
    // The character panel and tooltips over the Chinese views, the conversion's input and the words.
    void WatchCharacters();
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

    // ILoadListener: the loaders' information lines and the moment the catalogue is in.
    void AppendInfoLine(const std::u16string& line) override;
    void CatalogueLoaded() override;

    // Watches every control of the window for the mouse's back and forward buttons and for
    // input to hold back until the data are shown.
    void WatchInput();
    // Whether event is the user's input to a window on the screen whose data are not shown yet.
    bool IsInputWhileLoading(const QEvent& event) const;
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

    TVesko3Session& Session;
    IAppShell& Shell;
    TProgramPaths Paths;
    std::vector<std::u16string> InstalledFaces;
    bool LoadPosted = false;
    bool Loaded = false;

    // The page controls and their pages, owned by Qt as the window's children.
    TPageControl *SearchPage = nullptr, *ViewPage = nullptr;
    TSutraListSheet *OrderSheet = nullptr, *NameSheet = nullptr;
    TSubjectSheet* SubjectSheet = nullptr;
    TSearchTab* SearchTab = nullptr;
    TConcordanceTab* ConcordanceTab = nullptr;
    TTextViews* TextViews = nullptr;
    TConvertTab* ConvertTab = nullptr;
    TOptionsTab* OptionsTab = nullptr;
    TProgramInfoTab* ProgramInfoTab = nullptr;
    TCharacterGlance* CharacterGlance = nullptr; // made with the editors it watches
    std::unique_ptr<TReaderWindow> ReaderWindow;
    std::unique_ptr<TReaderRecord> Reader;
};
