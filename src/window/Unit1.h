#pragma once

// TMainForm, the one window. This file declares all of it; window/Unit1.cpp holds creation,
// loading, shut-down and the editors, window/LayoutForm.cpp the controls, and each subsystem
// defines its own handlers in its own folder (browse/, search/, tools/).

#include "window/AppShell.h"
#include "session/ProgramPaths.h"
#include "session/Vesko3State.h"
#include "data/DataFile.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QAction;
class QPainter;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableWidget;
class TPageControl;
class TRadioGroup;
class TRichEdit;

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
    // platform's faces are used. FormCreate runs here: when it ends the program through the
    // shell, the window must not be shown.
    TMainForm(TVesko3State& state, IAppShell& shell, TProgramPaths paths,
              std::optional<std::vector<std::u16string>> installedFaces = std::nullopt);
    ~TMainForm() override;

    bool DataLoaded() const { return Loaded; }

    TVesko3State& State;
    // Catalogue position of the sutra last shown from a browse list, -1 for none.
    std::int32_t CurrentSutra = -1;

    // The controls, named as the window's layout names them (each is also its objectName).
    TPageControl* SearchPage = nullptr;
    QWidget *OrdTabSheet = nullptr, *NameTabSheet = nullptr, *SubjTabSheet = nullptr, *SearchTabSheet = nullptr;
    TRadioGroup *RadioGroup0_1 = nullptr, *RadioGroup0_2 = nullptr;
    QTableWidget *OrdGrid = nullptr, *NameGrid = nullptr, *SubjGrid1 = nullptr, *SubjGrid2 = nullptr,
                 *SearchGrid = nullptr;
    QLabel *OrdCountPanel = nullptr, *NameCountPanel = nullptr, *Subj2CountPanel = nullptr, *SearchCountPanel = nullptr;
    QLabel* ReadFileMsgPanel = nullptr;
    QWidget* SubjectPanel = nullptr;
    QSplitter* SubjectSplitter = nullptr;
    QLabel *Panel5 = nullptr, *Panel6 = nullptr, *Panel7 = nullptr;
    QComboBox *TitleCombo = nullptr, *KindCombo = nullptr;
    QCheckBox* SameCharacterCB = nullptr;
    QWidget *SearchMemoPanel = nullptr, *Panel8 = nullptr;
    QRadioButton *SearchRadio0 = nullptr, *SearchRadio1 = nullptr;
    QPushButton* SearchButton = nullptr;
    QLabel *SearchTimePanel = nullptr, *SearchMsgPanel = nullptr;
    QProgressBar* SearchProgress = nullptr;

    TPageControl* ViewPage = nullptr;
    QWidget *TotalTabSheet = nullptr, *HangeulTabSheet = nullptr, *KorTabSheet = nullptr, *SinsuTabSheet = nullptr,
            *ConvertTabSheet = nullptr, *OptionTabSheet = nullptr, *ProgramInfoTabSheet = nullptr;
    QWidget *TotalPanel1 = nullptr, *TotalPanel2 = nullptr, *TotalPanel2_1 = nullptr, *TotalPanel2_2 = nullptr;
    QSplitter *TotalSplitter1 = nullptr, *TotalSplitter2 = nullptr;
    QWidget *HangeulPanel1 = nullptr, *HangeulPanel2 = nullptr, *HangeulPanel2_1 = nullptr, *HangeulPanel2_2 = nullptr;
    QSplitter *Splitter5 = nullptr, *Splitter4 = nullptr;
    QWidget *ConvertPanel1 = nullptr, *ConvertPanel2 = nullptr, *ConvertButtonPanel = nullptr;
    QSplitter* ConvertSplitter = nullptr;
    QPushButton* ConvertButton = nullptr;
    QLabel* Panel1 = nullptr;
    TRadioGroup *CopyRG = nullptr, *HangeulFontRG = nullptr, *HanmoonFontRG = nullptr, *SearchFontRG = nullptr,
                *TransparentRG = nullptr, *ColorRG = nullptr;
    QWidget* Panel17 = nullptr;
    QPlainTextEdit *OptionNoteMemo = nullptr, *ReadmeMemo = nullptr, *InfoMemo = nullptr, *TempFontMemo = nullptr;
    QLabel* Panel40 = nullptr;

    // Placeholders of the run-time editors.
    QWidget *CopyMemoPanel = nullptr, *TotalHanRichEditPanel = nullptr, *TotalKorRichEditPanel = nullptr,
            *TotalSinsuRichEditPanel = nullptr, *HanRichEditPanel0 = nullptr, *HanRichEditPanel1 = nullptr,
            *HanRichEditPanel2 = nullptr, *KorRichEditPanel = nullptr, *SinsuRichEditPanel = nullptr,
            *ConvertSrcMemoPanel = nullptr, *ConvertDestMemoPanel = nullptr;

    // The twelve run-time editors (BuildEditors).
    QPlainTextEdit *CopyMemo = nullptr, *SearchMemo = nullptr;
    TRichEdit *TotalHanRichEdit = nullptr, *TotalKorRichEdit = nullptr, *TotalSinsuRichEdit = nullptr,
              *HanRichEdit0 = nullptr, *HanRichEdit1 = nullptr, *HanRichEdit2 = nullptr, *KorRichEdit = nullptr,
              *SinsuRichEdit = nullptr;
    QPlainTextEdit *ConvertSrcMemo = nullptr, *ConvertDestMemo = nullptr;

    // The rich edits' context menu and the editor it was last opened on.
    QMenu* RichPopup = nullptr;
    QAction *CtrlC1 = nullptr, *CtrlV1 = nullptr, *CtrlA1 = nullptr, *CtrlX1 = nullptr;
    TRichEdit* PopupComponent = nullptr;

    // Start-up, loading and shut-down (window/Unit1.cpp).
    void FormCreate();
    bool CheckDataFiles();
    void LoadAllData();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void FormDestroy();
    void BuildEditors();
    void SetupGridColumns();
    void SelectPage(TPageControl* page, int index);
    std::u16string TextFontFace() const; // ChooseTextFont over this window's face list

    // Catalogue lists and display (window/pages/BrowseForm.cpp).
    void RadioGroup0_1Click();
    void RadioGroup0_2Click();
    void OrdGridClick();
    void NameGridClick();
    void SubjGrid1Click();
    void SubjGrid2Click();
    void FillSutraGrid(QTableWidget* grid, QLabel* countPanel, bool byName, int kind);
    void FillSubjectGrid();
    void FillSubjectSutraGrid();
    void ClearGrid(QTableWidget* grid);
    void ShowGridSutra(QTableWidget* grid);
    void ShowSutra(std::int32_t n);
    void FillHanViews(std::int32_t n, const std::u16string& titleLine);
    void FillKorViews(std::int32_t n, const std::u16string& titleLine);
    void FillSinsuViews(std::int32_t n, const std::u16string& titleLine);

    // Search and hit display (window/pages/SearchForm.cpp).
    void SearchButtonClick();
    void TitleComboSelect();
    void SearchGridClick();

    // Reading conversion (window/pages/ConvertForm.cpp).
    void ConvertButtonClick();

    // Clipboard and context menu (window/pages/ClipboardForm.cpp).
    void RichPopupPopup();
    void CtrlC1Click();
    void CtrlV1Click();
    void CtrlA1Click();
    void CtrlX1Click();
    void RichEditKeyPress(TRichEdit* sender, char16_t key);
    void MakeClipboardPlain(char16_t key);
    void CopyRGClick();

    // Appearance (window/pages/AppearanceForm.cpp).
    void ApplyDesignedColors(); // the colours before any scheme is chosen
    void ShowSettings();
    void ApplyHangeulFont();
    void ApplyHanmoonFont();
    void ApplySearchFont();
    void ApplyTransparency();
    void ApplyFullScreen();
    void ApplyColorScheme();
    void ArrangePanes();
    void SubjectPanelResize();
    void FormResize();
    void SearchPageDrawTab(TPageControl* control, QPainter& painter, int index, const QRect& rect, bool selected);
    void HangeulFontRGClick();
    void HanmoonFontRGClick();
    void SearchFontRGClick();
    void TransparentRGClick();
    void ColorRGClick();

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

    // Posts LoadDataMessage the first time the window is on the screen, never again.
    void AppIdle();
    // Runs LoadAllData for LoadDataMessage and reports it handled; other events pass.
    bool AppMessage(QEvent* event);

    // window/LayoutForm.cpp
    void CreateControls();
    void CreateSearchPage();
    void CreateViewPage();
    void ConnectHandlers();

    IAppShell& Shell;
    TProgramPaths Paths;
    std::vector<std::u16string> InstalledFaces;
    bool LoadPosted = false;
    bool Loaded = false;
};
