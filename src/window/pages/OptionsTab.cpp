#include "window/pages/OptionsTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/RadioGroup.h"
#include "session/Settings.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

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

} // namespace

TOptionsTab::TOptionsTab(TSettings& settings, QWidget* parent) : QWidget(parent), Settings(settings)
{
    MakeSheet(this, "OptionTabSheet");
    auto* option = new TAnchorLayout(this, ViewSheetSize);
    auto group = [&](TRadioGroup*& field, const QString& name, const QString& caption, const QStringList& items,
                     int columns, int itemIndex, QRect rect) {
        field = Named(new TRadioGroup(caption, items, columns, itemIndex, this), name);
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
    Panel17 = Named(new QFrame(this), "Panel17");
    Panel17->setFrameStyle(QFrame::Box | QFrame::Plain);
    option->Place(Panel17, {270, 105, 261, 306});
    OptionNoteMemo = Spoken(ReadOnlyMemo(Panel17, "OptionNoteMemo", OptionNoteLines, true, false), "글꼴 도움말");
    OptionNoteMemo->setFrameStyle(QFrame::NoFrame);
    QVBoxLayout* note = StackOf(Panel17);
    note->setContentsMargins(1, 1, 1, 1);
    note->addWidget(OptionNoteMemo);

    connect(CopyRG, &TRadioGroup::Clicked, this, &TOptionsTab::CopyRGClick);
    connect(HangeulFontRG, &TRadioGroup::Clicked, this, &TOptionsTab::HangeulFontRGClick);
    connect(HanmoonFontRG, &TRadioGroup::Clicked, this, &TOptionsTab::HanmoonFontRGClick);
    connect(SearchFontRG, &TRadioGroup::Clicked, this, &TOptionsTab::SearchFontRGClick);
    connect(TransparentRG, &TRadioGroup::Clicked, this, &TOptionsTab::TransparentRGClick);
    connect(ColorRG, &TRadioGroup::Clicked, this, &TOptionsTab::ColorRGClick);
}

void TOptionsTab::ApplyDesignedColors()
{
    SetContentColor(OptionNoteMemo, SystemWindowColor());
}

void TOptionsTab::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor(OptionNoteMemo, scheme.Content);
}

void TOptionsTab::ShowSettings()
{
    HangeulFontRG->SetItemIndex(Settings.HangeulFontSize);
    HanmoonFontRG->SetItemIndex(Settings.HanmoonFontSize);
    SearchFontRG->SetItemIndex(Settings.SearchFontSize);
    TransparentRG->SetItemIndex(Settings.Transparent);
    ColorRG->SetItemIndex(Settings.ColorIndex);
    CopyRG->SetItemIndex(Settings.CopyTarget);
}

void TOptionsTab::CopyRGClick()
{
    Settings.CopyTarget = CopyRG->ItemIndex();
}

void TOptionsTab::HangeulFontRGClick()
{
    Settings.HangeulFontSize = HangeulFontRG->ItemIndex();
    emit HangeulFontChosen();
}

void TOptionsTab::HanmoonFontRGClick()
{
    Settings.HanmoonFontSize = HanmoonFontRG->ItemIndex();
    emit HanmoonFontChosen();
}

void TOptionsTab::SearchFontRGClick()
{
    Settings.SearchFontSize = SearchFontRG->ItemIndex();
    emit SearchFontChosen();
}

void TOptionsTab::TransparentRGClick()
{
    Settings.Transparent = TransparentRG->ItemIndex();
    emit TransparencyChosen();
}

void TOptionsTab::ColorRGClick()
{
    Settings.ColorIndex = ColorRG->ItemIndex();
    emit ColorSchemeChosen();
}
