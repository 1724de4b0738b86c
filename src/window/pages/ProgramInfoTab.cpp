#include "window/pages/ProgramInfoTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "util/TextCodec.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

const QStringList ReadmeLines = {
    "읽어보세요.",
    "",
    "*  고려대장경 내용중 글자가 제대로 나오지 않는 몇몇 글자는 ",
    "   다른 글자로 대체하였습니다.",
    "",
    "*  좀 더 자세한 사항은 <베스코3 사용설명서.hwp>를 참고하세요.",
};

} // namespace

TProgramInfoTab::TProgramInfoTab(QWidget* parent) : QWidget(parent)
{
    MakeSheet(this, "ProgramInfoTabSheet");
    auto* info = new TAnchorLayout(this, ViewSheetSize);
    ReadmeMemo = Spoken(ReadOnlyMemo(this, "ReadmeMemo", ReadmeLines, false, true), "프로그램 안내");
    info->Place(ReadmeMemo, {10, 10, 511, 171});
    Panel40 = LabelPanel(this, "Panel40", "파일 정보");
    info->Place(Panel40, {10, 200, 511, 21});
    InfoMemo = ReadOnlyMemo(this, "InfoMemo", {"InfoMemo"}, true, false);
    LabelledBy(Panel40, InfoMemo);
    info->Place(InfoMemo, {10, 220, 511, 141});
    // Never shown; named all the same, as a screen reader lists hidden controls too.
    TempFontMemo = Spoken(Named(new QPlainTextEdit(this), "TempFontMemo"), "글꼴 견본");
    QFont templateFont(QStringLiteral("한컴바탕"));
    templateFont.setPixelSize(16);
    TempFontMemo->setFont(templateFont);
    TempFontMemo->hide();
    info->Place(TempFontMemo, {10, 370, 151, 21}, AnchorLeft | AnchorBottom);
}

void TProgramInfoTab::ApplyDesignedColors()
{
    SetContentColor(InfoMemo, DesignedWindowColor);
}

void TProgramInfoTab::ApplyColors(const TColorScheme& scheme)
{
    // The information reads as part of the window, not as an editor.
    SetContentColor(InfoMemo, scheme.Window);
}

void TProgramInfoTab::ClearInfo()
{
    InfoMemo->clear();
}

void TProgramInfoTab::AppendInfoLine(const std::u16string& line)
{
    InfoMemo->appendPlainText(ToQString(line));
}

QFont TProgramInfoTab::EditorFont(const QString& face)
{
    QFont templateFont = TempFontMemo->font();
    templateFont.setFamily(face);
    TempFontMemo->setFont(templateFont);
    return TempFontMemo->font();
}
