// The controls of the main window: both page controls with their tabs, panels, lists,
// option groups and placeholders. Geometry is in pixels at 96 dpi; Qt scales it on
// high-density screens.

#include "window/widgets/ControlWidget.h"
#include "window/Unit1.h"
#include "util/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// Client areas as designed: the window, and a tab sheet of each page control.
constexpr QSize FormClientSize(892, 673);
constexpr QSize SearchSheetSize(293, 643);
constexpr QSize ViewSheetSize(574, 638);
constexpr int SplitterWidth = 5;

const QStringList KindItems = {"전체", "장아함", "중아함", "잡아함", "증일아함"};
const QStringList FontSizeItems = {"작게", "중간", "크게"};

const QStringList OptionNoteLines = {
    "읽어보세요.",
    "",
    "1. 만약 한문 글꼴을 [중간], 또는 [크게] ",
    "선택 했는데도 화면에서 흐릿하게 보인다",
    "면 이렇게 해보세요.",
    "",
    "1) 컴퓨터 바탕화면에서 마우스 오른쪽 버",
    "튼을 클릭한다.",
    "2) [속성] 메뉴를 선택한다.",
    "3) [화면배색] 탭을 선택한다.",
    "4) [효과] 버튼을 누른다.",
    "5) [화면 글꼴의 가장자리를 다듬는 데 다",
    "음 방법 사용]을 체크하고  아래에서 ",
    "[ClearType]을 선택한다.",
    "6) [확인 ] 버튼을 누른다.",
    "7) [적용] 버튼을 누른다.",
    "8) 베스코에서 한문 글꼴을 확인해보",
    "세요.",
};

const QStringList ReadmeLines = {
    "읽어보세요.",
    "",
    "*  고려대장경 내용중 글자가 제대로 나오지 않는 몇몇 글자는 ",
    "   다른 글자로 대체하였습니다.",
    "",
    "*  좀 더 자세한 사항은 <베스코3 사용설명서.hwp>를 참고하세요.",
};

template <typename T> T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QWidget* MakePanel(QWidget* parent, const QString& name)
{
    return Named(new QWidget(parent), name);
}

QWidget* AddSheet(TPageControl* page, const QString& name, const QString& caption)
{
    QWidget* sheet = MakePanel(page, name);
    page->addTab(sheet, caption);
    return sheet;
}

QVBoxLayout* StackOf(QWidget* parent)
{
    auto* stack = new QVBoxLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    return stack;
}

// A pane made of a title bar on top and a placeholder filling the rest.
QWidget* TitledPane(QWidget* parent, const QString& name, const QString& titleName, const QString& title,
                    QWidget*& placeholder, const QString& placeholderName)
{
    QWidget* pane = MakePanel(parent, name);
    QVBoxLayout* stack = StackOf(pane);
    stack->addWidget(MakeTitleBar(pane, titleName, title));
    placeholder = MakePanel(pane, placeholderName);
    stack->addWidget(placeholder, 1);
    return pane;
}

// A splitter filling parent whose panes keep at least minimumPane pixels and follow it
// while it is dragged.
QSplitter* FillingSplitter(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimumPane)
{
    auto* splitter = Named(new QSplitter(orientation, parent), name);
    splitter->setHandleWidth(SplitterWidth);
    splitter->setChildrenCollapsible(false);
    splitter->setOpaqueResize(true);
    splitter->setProperty("minimumPane", minimumPane);
    StackOf(parent)->addWidget(splitter);
    return splitter;
}

void AddPanes(QSplitter* splitter, QWidget* first, QWidget* second, int firstSize, int secondSize)
{
    const int minimumPane = splitter->property("minimumPane").toInt();
    for (QWidget* pane : {first, second}) {
        if (splitter->orientation() == Qt::Vertical)
            pane->setMinimumHeight(minimumPane);
        else
            pane->setMinimumWidth(minimumPane);
        splitter->addWidget(pane);
    }
    splitter->setSizes({firstSize, secondSize});
}

QLabel* CountPanel(QWidget* sheet, TAnchorLayout* place, const QString& name)
{
    QLabel* panel = MakeCaptionPanel(sheet, name, {}, QFrame::Panel | QFrame::Sunken, Qt::AlignCenter);
    place->Place(panel, {0, 619, 293, 21}, AnchorLeft | AnchorRight | AnchorBottom);
    return panel;
}

QLabel* LabelPanel(QWidget* parent, const QString& name, const QString& caption)
{
    return MakeCaptionPanel(parent, name, caption, QFrame::NoFrame);
}

QLabel* MessagePanel(QWidget* parent, const QString& name, const QString& caption)
{
    QLabel* panel = MakeCaptionPanel(parent, name, caption, QFrame::Box | QFrame::Plain, Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}

QPlainTextEdit* ReadOnlyMemo(QWidget* parent, const QString& name, const QStringList& lines, bool wrap,
                             bool horizontalBar)
{
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(horizontalBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    memo->setPlainText(lines.join('\n'));
    return memo;
}

QComboBox* DropDownList(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->setEditable(false);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

} // namespace

void TMainForm::CreateControls()
{
    setObjectName("MainForm");
    setWindowTitle(ToQString(MainFormCaption));
    QFont windowFont(QStringLiteral("굴림"));
    windowFont.setPixelSize(13);
    setFont(windowFont);

    auto* place = new TAnchorLayout(this, FormClientSize);
    SearchPage = Named(new TPageControl(this), "SearchPage");
    place->Place(SearchPage, {0, 0, 301, 671}, AnchorLeft | AnchorTop | AnchorBottom);
    ViewPage = Named(new TPageControl(this), "ViewPage");
    place->Place(ViewPage, {310, 0, 582, 666}, AnchorAll);
    CreateSearchPage();
    CreateViewPage();

    RichPopup = Named(new QMenu(this), "RichPopup");
    CtrlC1 = Named(RichPopup->addAction("복사하기(&C)"), "CtrlC1");
    CtrlV1 = Named(RichPopup->addAction("붙이기(&P)"), "CtrlV1");
    CtrlA1 = Named(RichPopup->addAction("모두 선택(&A)"), "CtrlA1");
    CtrlX1 = Named(RichPopup->addAction("잘라내기(&T)"), "CtrlX1");

    resize(FormClientSize);
    // The client areas of a 900 x 700 and an 800 x 600 window with a common frame.
    setMinimumSize(FormClientSize.width() - 100, FormClientSize.height() - 100);
    ApplyDesignedColors();
    ConnectHandlers();
}

void TMainForm::CreateSearchPage()
{
    OrdTabSheet = AddSheet(SearchPage, "OrdTabSheet", "경전순");
    auto* ord = new TAnchorLayout(OrdTabSheet, SearchSheetSize);
    RadioGroup0_1 = Named(new TRadioGroup(" 분류 ", KindItems, 3, 0, OrdTabSheet), "RadioGroup0_1");
    ord->Place(RadioGroup0_1, {0, 0, 294, 72}, AnchorLeft | AnchorTop | AnchorRight);
    OrdGrid = MakeGrid(OrdTabSheet, "OrdGrid");
    ord->Place(OrdGrid, {0, 70, 293, 550}, AnchorAll);
    OrdCountPanel = CountPanel(OrdTabSheet, ord, "OrdCountPanel");
    ReadFileMsgPanel = MessagePanel(OrdTabSheet, "ReadFileMsgPanel", "데이터 읽는 중 . . .");
    ord->Place(ReadFileMsgPanel, {40, 260, 211, 91});

    NameTabSheet = AddSheet(SearchPage, "NameTabSheet", "이름순");
    auto* name = new TAnchorLayout(NameTabSheet, SearchSheetSize);
    RadioGroup0_2 = Named(new TRadioGroup(" 분류 ", KindItems, 3, 0, NameTabSheet), "RadioGroup0_2");
    name->Place(RadioGroup0_2, {0, 0, 294, 72}, AnchorLeft | AnchorTop | AnchorRight);
    NameGrid = MakeGrid(NameTabSheet, "NameGrid");
    name->Place(NameGrid, {0, 70, 293, 550}, AnchorAll);
    NameCountPanel = CountPanel(NameTabSheet, name, "NameCountPanel");

    SubjTabSheet = AddSheet(SearchPage, "SubjTabSheet", "주제별");
    auto* subj = new TAnchorLayout(SubjTabSheet, SearchSheetSize);
    SubjectPanel = MakePanel(SubjTabSheet, "SubjectPanel");
    subj->Place(SubjectPanel, {0, 0, 293, 620}, AnchorAll);
    SubjectSplitter = FillingSplitter(SubjectPanel, "SubjectSplitter", Qt::Vertical, 60);
    SubjGrid1 = MakeGrid(SubjectSplitter, "SubjGrid1");
    SubjGrid2 = MakeGrid(SubjectSplitter, "SubjGrid2");
    AddPanes(SubjectSplitter, SubjGrid1, SubjGrid2, 320, 620 - 320 - SplitterWidth);
    Subj2CountPanel = CountPanel(SubjTabSheet, subj, "Subj2CountPanel");

    SearchTabSheet = AddSheet(SearchPage, "SearchTabSheet", "검색하기");
    auto* search = new TAnchorLayout(SearchTabSheet, SearchSheetSize);
    Panel5 = LabelPanel(SearchTabSheet, "Panel5", "검색 대상 :");
    search->Place(Panel5, {10, 10, 91, 21});
    Panel6 = LabelPanel(SearchTabSheet, "Panel6", "검색 범위 :");
    search->Place(Panel6, {10, 50, 91, 21});
    Panel7 = LabelPanel(SearchTabSheet, "Panel7", "검색할 단어들을 여러줄로 입력하세요.");
    search->Place(Panel7, {10, 80, 271, 21});
    TitleCombo = DropDownList(SearchTabSheet, "TitleCombo",
                              {"한글대장경", "고려대장경", "신수대장경", "고려대장경+신수대장경 함께"});
    search->Place(TitleCombo, {90, 10, 191, 21});
    SameCharacterCB = Named(new QCheckBox("유사 한자도 검색", SearchTabSheet), "SameCharacterCB");
    SameCharacterCB->setChecked(true);
    SameCharacterCB->setEnabled(false);
    search->Place(SameCharacterCB, {90, 30, 121, 21});
    KindCombo = DropDownList(SearchTabSheet, "KindCombo", KindItems);
    search->Place(KindCombo, {90, 50, 191, 21});
    SearchMemoPanel = MakePanel(SearchTabSheet, "SearchMemoPanel");
    search->Place(SearchMemoPanel, {10, 100, 271, 101});
    Panel8 = MakePanel(SearchTabSheet, "Panel8");
    search->Place(Panel8, {0, 200, 291, 51});
    SearchRadio0 = Named(new QRadioButton("하나의 단어라도 포함된 경전은 보여주기", Panel8), "SearchRadio0");
    SearchRadio0->setGeometry(10, 2, 261, 21);
    SearchRadio0->setChecked(true);
    SearchRadio1 = Named(new QRadioButton("모든 단어가 포함된 경전만 보여주기", Panel8), "SearchRadio1");
    SearchRadio1->setGeometry(10, 27, 261, 21);
    SearchButton = Named(new QPushButton("검색시작", SearchTabSheet), "SearchButton");
    search->Place(SearchButton, {10, 260, 81, 21});
    SearchTimePanel = MakeCaptionPanel(SearchTabSheet, "SearchTimePanel", {}, QFrame::NoFrame);
    SearchTimePanel->hide();
    search->Place(SearchTimePanel, {100, 260, 61, 21});
    SearchGrid = MakeGrid(SearchTabSheet, "SearchGrid");
    search->Place(SearchGrid, {0, 290, 293, 330}, AnchorAll);
    SearchCountPanel = CountPanel(SearchTabSheet, search, "SearchCountPanel");
    SearchMsgPanel = MessagePanel(SearchTabSheet, "SearchMsgPanel", "검색하는 중 . . .");
    search->Place(SearchMsgPanel, {30, 370, 231, 101});
    SearchProgress = Named(new QProgressBar(SearchMsgPanel), "SearchProgress");
    SearchProgress->setRange(0, 100);
    SearchProgress->setValue(0);
    SearchProgress->setTextVisible(false);
    SearchProgress->setGeometry(8, 80, 213, 10);
}

void TMainForm::CreateViewPage()
{
    TotalTabSheet = AddSheet(ViewPage, "TotalTabSheet", "함께보기");
    TotalSplitter1 = FillingSplitter(TotalTabSheet, "TotalSplitter1", Qt::Vertical, 60);
    TotalPanel1 = TitledPane(TotalSplitter1, "TotalPanel1", "Panel12", " 한글대장경", TotalHanRichEditPanel,
                             "TotalHanRichEditPanel");
    TotalPanel2 = MakePanel(TotalSplitter1, "TotalPanel2");
    AddPanes(TotalSplitter1, TotalPanel1, TotalPanel2, 311, ViewSheetSize.height() - 311 - SplitterWidth);
    TotalSplitter2 = FillingSplitter(TotalPanel2, "TotalSplitter2", Qt::Horizontal, 60);
    TotalPanel2_1 = TitledPane(TotalSplitter2, "TotalPanel2_1", "Panel16", " 고려대장경", TotalKorRichEditPanel,
                               "TotalKorRichEditPanel");
    TotalPanel2_2 = TitledPane(TotalSplitter2, "TotalPanel2_2", "Panel18", " 신수대장경", TotalSinsuRichEditPanel,
                               "TotalSinsuRichEditPanel");
    AddPanes(TotalSplitter2, TotalPanel2_1, TotalPanel2_2, 280, ViewSheetSize.width() - 280 - SplitterWidth);

    HangeulTabSheet = AddSheet(ViewPage, "HangeulTabSheet", "한글대장경");
    Splitter5 = FillingSplitter(HangeulTabSheet, "Splitter5", Qt::Vertical, 60);
    HangeulPanel1 = TitledPane(Splitter5, "HangeulPanel1", "Panel28", " 본문", HanRichEditPanel0, "HanRichEditPanel0");
    HangeulPanel2 = MakePanel(Splitter5, "HangeulPanel2");
    AddPanes(Splitter5, HangeulPanel1, HangeulPanel2, 511, ViewSheetSize.height() - 511 - SplitterWidth);
    Splitter4 = FillingSplitter(HangeulPanel2, "Splitter4", Qt::Horizontal, 60);
    HangeulPanel2_1 =
        TitledPane(Splitter4, "HangeulPanel2_1", "Panel22", " 주제", HanRichEditPanel1, "HanRichEditPanel1");
    HangeulPanel2_2 =
        TitledPane(Splitter4, "HangeulPanel2_2", "Panel25", " 요약", HanRichEditPanel2, "HanRichEditPanel2");
    AddPanes(Splitter4, HangeulPanel2_1, HangeulPanel2_2, 280, ViewSheetSize.width() - 280 - SplitterWidth);

    KorTabSheet = AddSheet(ViewPage, "KorTabSheet", "고려대장경");
    QVBoxLayout* kor = StackOf(KorTabSheet);
    kor->addWidget(MakeTitleBar(KorTabSheet, "Panel30", " 고려대장경"));
    KorRichEditPanel = MakePanel(KorTabSheet, "KorRichEditPanel");
    kor->addWidget(KorRichEditPanel, 1);

    SinsuTabSheet = AddSheet(ViewPage, "SinsuTabSheet", "신수대장경");
    QVBoxLayout* sinsu = StackOf(SinsuTabSheet);
    sinsu->addWidget(MakeTitleBar(SinsuTabSheet, "Panel32", " 신수대장경"));
    SinsuRichEditPanel = MakePanel(SinsuTabSheet, "SinsuRichEditPanel");
    sinsu->addWidget(SinsuRichEditPanel, 1);

    ConvertTabSheet = AddSheet(ViewPage, "ConvertTabSheet", "한자음변환");
    ConvertSplitter = FillingSplitter(ConvertTabSheet, "ConvertSplitter", Qt::Vertical, 120);
    ConvertPanel1 = TitledPane(ConvertSplitter, "ConvertPanel1", "ConvertTitlePanel1", " 한문본을 여기에 붙여넣으세요",
                               ConvertSrcMemoPanel, "ConvertSrcMemoPanel");
    ConvertPanel2 = MakePanel(ConvertSplitter, "ConvertPanel2");
    AddPanes(ConvertSplitter, ConvertPanel1, ConvertPanel2, 251, ViewSheetSize.height() - 251 - SplitterWidth);
    // The upper pane keeps its height when the window is resized.
    ConvertSplitter->setStretchFactor(0, 0);
    ConvertSplitter->setStretchFactor(1, 1);
    QVBoxLayout* convert = StackOf(ConvertPanel2);
    ConvertButtonPanel = MakePanel(ConvertPanel2, "ConvertButtonPanel");
    ConvertButtonPanel->setFixedHeight(30);
    convert->addWidget(ConvertButtonPanel);
    auto* buttons = new TAnchorLayout(ConvertButtonPanel, {ViewSheetSize.width(), 30});
    ConvertButton = Named(new QPushButton("변환하기", ConvertButtonPanel), "ConvertButton");
    buttons->Place(ConvertButton, {0, 4, 91, 21});
    Panel1 = LabelPanel(ConvertButtonPanel, "Panel1", "한자를 입력할 때 쓰여진 한글 음을 보여주는 기능입니다.");
    buttons->Place(Panel1, {100, 4, 471, 21}, AnchorLeft | AnchorTop | AnchorRight);
    convert->addWidget(MakeTitleBar(ConvertPanel2, "ConvertTitlePanel2", " 한자 변환 결과"));
    ConvertDestMemoPanel = MakePanel(ConvertPanel2, "ConvertDestMemoPanel");
    convert->addWidget(ConvertDestMemoPanel, 1);

    OptionTabSheet = AddSheet(ViewPage, "OptionTabSheet", "선택사항");
    auto* option = new TAnchorLayout(OptionTabSheet, ViewSheetSize);
    auto group = [&](TRadioGroup*& field, const QString& name, const QString& caption, const QStringList& items,
                     int columns, int itemIndex, QRect rect) {
        field = Named(new TRadioGroup(caption, items, columns, itemIndex, OptionTabSheet), name);
        option->Place(field, rect);
    };
    group(CopyRG, "CopyRG", " Ctrl+C 복사 대상 ", {"모든 프로그램 호환", "MS-Word (또는 워드패드) 전용"}, 1, 0,
          {10, 10, 221, 71});
    group(HangeulFontRG, "HangeulFontRG", " 한글 경전 글꼴 크기 ", FontSizeItems, 3, 1, {10, 100, 221, 51});
    group(HanmoonFontRG, "HanmoonFontRG", " 한문 경전 글꼴 크기 ", FontSizeItems, 3, 1, {10, 170, 221, 51});
    group(SearchFontRG, "SearchFontRG", " 검색 단어 글꼴 크기 ", FontSizeItems, 3, 1, {10, 240, 221, 51});
    group(TransparentRG, "TransparentRG", " 화면을 투명하게 ", {"불투명", "조금 투명하게", "많이 투명하게"}, 1, 0,
          {10, 310, 221, 101});
    group(ColorRG, "ColorRG", " 화면 색상 ",
          {"기본", "흰색", "푸른색1", "푸른색2", "푸른색3", "초록색1", "초록색2", "초록색3", "연갈색1", "연갈색2",
           "연갈색3"},
          2, 2, {10, 430, 221, 151});
    auto* noteFrame = Named(new QFrame(OptionTabSheet), "Panel17");
    noteFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel17 = noteFrame;
    option->Place(Panel17, {270, 105, 261, 306});
    OptionNoteMemo = ReadOnlyMemo(Panel17, "OptionNoteMemo", OptionNoteLines, true, false);
    OptionNoteMemo->setFrameStyle(QFrame::NoFrame);
    QVBoxLayout* note = StackOf(Panel17);
    note->setContentsMargins(1, 1, 1, 1);
    note->addWidget(OptionNoteMemo);

    ProgramInfoTabSheet = AddSheet(ViewPage, "ProgramInfoTabSheet", "프로그램 정보");
    auto* info = new TAnchorLayout(ProgramInfoTabSheet, ViewSheetSize);
    ReadmeMemo = ReadOnlyMemo(ProgramInfoTabSheet, "ReadmeMemo", ReadmeLines, false, true);
    info->Place(ReadmeMemo, {10, 10, 511, 171});
    Panel40 = LabelPanel(ProgramInfoTabSheet, "Panel40", "파일 정보");
    info->Place(Panel40, {10, 200, 511, 21});
    InfoMemo = ReadOnlyMemo(ProgramInfoTabSheet, "InfoMemo", {"InfoMemo"}, true, false);
    info->Place(InfoMemo, {10, 220, 511, 141});
    // The font template of the editors; BuildEditors sets its face.
    TempFontMemo = Named(new QPlainTextEdit(ProgramInfoTabSheet), "TempFontMemo");
    QFont templateFont(QStringLiteral("한컴바탕"));
    templateFont.setPixelSize(16);
    TempFontMemo->setFont(templateFont);
    TempFontMemo->hide();
    info->Place(TempFontMemo, {10, 370, 151, 21}, AnchorLeft | AnchorBottom);
    CopyMemoPanel = MakePanel(ProgramInfoTabSheet, "CopyMemoPanel");
    CopyMemoPanel->hide();
    info->Place(CopyMemoPanel, {10, 410, 151, 81});
}

void TMainForm::ConnectHandlers()
{
    connect(RadioGroup0_1, &TRadioGroup::Clicked, this, &TMainForm::RadioGroup0_1Click);
    connect(RadioGroup0_2, &TRadioGroup::Clicked, this, &TMainForm::RadioGroup0_2Click);
    ConnectGridClick(OrdGrid, this, [this] { OrdGridClick(); });
    ConnectGridClick(NameGrid, this, [this] { NameGridClick(); });
    ConnectGridClick(SubjGrid1, this, [this] { SubjGrid1Click(); });
    ConnectGridClick(SubjGrid2, this, [this] { SubjGrid2Click(); });
    ConnectGridClick(SearchGrid, this, [this] { SearchGridClick(); });
    SubjectPanel->installEventFilter(this);

    connect(SearchButton, &QPushButton::clicked, this, &TMainForm::SearchButtonClick);
    connect(TitleCombo, &QComboBox::activated, this, &TMainForm::TitleComboSelect);
    connect(ConvertButton, &QPushButton::clicked, this, &TMainForm::ConvertButtonClick);

    connect(CopyRG, &TRadioGroup::Clicked, this, &TMainForm::CopyRGClick);
    connect(HangeulFontRG, &TRadioGroup::Clicked, this, &TMainForm::HangeulFontRGClick);
    connect(HanmoonFontRG, &TRadioGroup::Clicked, this, &TMainForm::HanmoonFontRGClick);
    connect(SearchFontRG, &TRadioGroup::Clicked, this, &TMainForm::SearchFontRGClick);
    connect(TransparentRG, &TRadioGroup::Clicked, this, &TMainForm::TransparentRGClick);
    connect(ColorRG, &TRadioGroup::Clicked, this, &TMainForm::ColorRGClick);

    connect(RichPopup, &QMenu::aboutToShow, this, &TMainForm::RichPopupPopup);
    connect(CtrlC1, &QAction::triggered, this, &TMainForm::CtrlC1Click);
    connect(CtrlV1, &QAction::triggered, this, &TMainForm::CtrlV1Click);
    connect(CtrlA1, &QAction::triggered, this, &TMainForm::CtrlA1Click);
    connect(CtrlX1, &QAction::triggered, this, &TMainForm::CtrlX1Click);
}
