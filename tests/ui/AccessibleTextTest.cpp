// Screen readers read the text views through Qt's accessibility interface: a view gives its
// whole text from the moment it holds it, shown or hidden, however little of it is laid out,
// and so does the conversion result.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "browse/SutraTexts.h"
#include "tools/ReadingConversion.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The whole text of widget as a screen reader asks for it, each line break as "\n".
QString AccessibleText(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->textInterface() == nullptr) return "(no text interface)";
    QAccessibleTextInterface* text = accessible->textInterface();
    return text->text(0, text->characterCount()).replace(QChar::ParagraphSeparator, u'\n');
}

// A text as the views show it, each line break "\n".
QString Shown(std::u16string text)
{
    return QString::fromStdU16String(text).replace("\r\n", "\n");
}

class AccessibleTextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(LongTextDataSetSource(), Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
    }
    TMainForm& Form() { return *Started->Form; }
    const TLoadedData& Data() const { return Started->State.Data; }

    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(AccessibleTextTest, AViewGivesItsWholeTextRightAfterItIsShownAndSoDoesTheConversionResult)
{
    TMainForm& form = Form();
    TPageControl* views = Page(form, "ViewPage");
    views->setCurrentIndex(0);
    Grid(form, "OrdGrid")->setCurrentCell(1, 0);
    const std::u16string title = TitleLine(Data().TextFiles[0], 1);
    const QString kor = Shown(HanmoonViewText(Data().TextFiles[1], 1, title));
    ASSERT_GT(kor.count(u'\n'), 80) << "many screens long";
    EXPECT_EQ(AccessibleText(View(form, "TotalKorRichEdit")), kor);
    EXPECT_EQ(AccessibleText(View(form, "TotalHanRichEdit")), Shown(HanBodyViewText(Data().TextFiles[0], 1, title)));
    EXPECT_EQ(AccessibleText(View(form, "KorRichEdit")), kor) << "on a hidden tab";
    views->setCurrentIndex(2);
    EXPECT_EQ(AccessibleText(View(form, "KorRichEdit")), kor) << "right after its tab is shown";

    views->setCurrentWidget(Widget<QWidget>(form, "ConvertTabSheet"));
    QString source;
    for (int line = 0; line < 3000; ++line)
        source += "如是我聞一時佛在舍衛國\n";
    Memo(form, "ConvertSrcMemo")->setPlainText(source);
    QTest::mouseClick(Widget<QPushButton>(form, "ConvertButton"), Qt::LeftButton);
    QString converted;
    for (const std::u16string& line : ConvertReadings(source.toStdU16String(), Data().ReadingFile))
        converted += QString::fromStdU16String(line) + "\n";
    EXPECT_EQ(AccessibleText(Widget<QWidget>(form, "ConvertDestMemo")), converted);
}

} // namespace
