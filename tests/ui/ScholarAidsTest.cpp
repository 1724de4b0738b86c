// The reader's aids for classical Chinese, driven through the window: a character's card on a
// click or under the pointer, the two editions compared in the 함께보기 views, and search by
// Korean reading.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include "window/pages/ConcordanceTab.h"
#include "window/reading/EditionMarks.h"
#include "data/CharacterFile.h"
#include "search/EditionCompare.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::u16string ChineseBody(char16_t letter, char16_t close, const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += letter;
        text += u"01n0001_p0001a";
        text += static_cast<char16_t>(u'0' + (i + 1) / 10 % 10);
        text += static_cast<char16_t>(u'0' + (i + 1) % 10);
        text += close;
        text += lines[i];
    }
    return text;
}

// Sutra 1's editions differ three times: 衆 and its variant 眾 on line 60, a line only the
// second edition has after line 79, and 是 against 此 on line 100. The other lines are
// numbered, so that aligned lines read alike.
TDataSetSource EditionsSource(bool characters)
{
    TDataSetSource source = SmallDataSetSource();
    std::vector<std::u16string> kor, sinsu;
    for (int i = 0; i < 150; ++i) {
        std::u16string line = u"如是我聞一時" + DecimalText(i);
        std::u16string other = line;
        if (i == 60) line = u"舍利弗白佛言大衆", other = u"舍利弗白佛言大眾";
        if (i == 100) line = u"佛說是經已", other = u"佛說此經已";
        kor.push_back(line);
        sinsu.push_back(other);
        if (i == 79) sinsu.push_back(u"爾時世尊告諸比丘");
    }
    source.Suttas[0].KorBody = ChineseBody(u'K', u';', kor);
    source.Suttas[0].SinsuBody = ChineseBody(u'T', u'\u2551', sinsu);
    if (characters) {
        TCharacterInfo li{U'利', u"리이", 0, u"이로울 리", u"gain, advantage", u"18.5", 7};
        TCharacterInfo bul{U'弗', u"불", 0, u"아닐 불", u"not, negative", u"57.2", 5};
        TCharacterInfo sa{U'舍', u"사서", 0, u"집 사", u"house, dwelling", u"135.2", 8};
        source.Characters = {li, bul, sa};
    }
    return source;
}

struct TRange
{
    int Begin, End;
    bool operator==(const TRange&) const = default;
};

std::vector<TRange> RedBold(const TRichEdit* view)
{
    std::vector<TRange> ranges;
    const std::unique_ptr<QTextDocument> shown = view->FormattedCopy();
    for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().foreground().color() == QColor(255, 0, 0))
                ranges.push_back({fragment.position(), fragment.position() + fragment.length()});
        }
    return ranges;
}

// A point across the character at position of a text, at share of its width (its middle unless
// told), in its viewport.
QPoint CharacterCentre(const QTextEdit* text, int position, double share = 0.5)
{
    QTextCursor cursor(text->document());
    cursor.setPosition(position);
    const QRect left = text->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect right = text->cursorRect(cursor);
    return {left.center().x() + static_cast<int>((right.center().x() - left.center().x()) * share), left.center().y()};
}

QPoint CharacterCentre(const QPlainTextEdit* text, int position)
{
    QTextCursor cursor(text->document());
    cursor.setPosition(position);
    const QRect left = text->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect right = text->cursorRect(cursor);
    return {(left.center().x() + right.center().x()) / 2, left.center().y()};
}

std::int64_t Occurrences(const TDataSetSource& source, bool kor, char16_t c)
{
    std::int64_t count = 0;
    for (const TSourceSutta& s : source.Suttas) {
        const std::u16string& body = kor ? s.KorBody : s.SinsuBody;
        count += std::count(body.begin(), body.end(), c);
    }
    return count;
}

int LineOf(const TRichEdit* view, int position)
{
    return view->document()->findBlock(position).blockNumber();
}

class ScholarAidsTest : public testing::Test
{
protected:
    void Start(bool characters = true)
    {
        Source = EditionsSource(characters);
        WriteTestDataSet(Source, Program.Path() / "Data");
        Started = StartWindow(Program.Path(), std::vector<std::u16string>{u"Arial"});
        ASSERT_TRUE(Started->WaitUntilSettled());
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    TMainForm& Form() { return *Started->Form; }

    void Search(const QString& words, int canon, bool byReading = false)
    {
        Page(Form(), "SearchPage")->setCurrentWidget(Widget<QWidget>(Form(), "SearchTabSheet"));
        Memo(Form(), "SearchMemo")->setPlainText(words);
        auto* title = Widget<QComboBox>(Form(), "TitleCombo");
        title->setCurrentIndex(canon);
        emit title->activated(canon);
        Widget<QCheckBox>(Form(), "ReadingCB")->setChecked(byReading);
        QTest::mouseClick(Widget<QPushButton>(Form(), "SearchButton"), Qt::LeftButton);
    }
    void ShowFirst()
    {
        TGrid* grid = Grid(Form(), "SearchGrid");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
    }
    // Sutra 1 on the 함께보기 sheet.
    void ShowTogether()
    {
        Form().OpenPlace({0});
        Page(Form(), "ViewPage")->setCurrentIndex(0);
        QCoreApplication::processEvents();
    }
    QString PanelText() { return Label(Form(), "CharacterPanelText")->text(); }

    TDataSetSource Source;
    TTemporaryFolder Program;
    std::unique_ptr<TStartedWindow> Started;
};

TEST_F(ScholarAidsTest, ClickingAHanCharacterShowsItsCardAndTheButtonSearchesIt)
{
    Start();
    ShowTogether();
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    const int sa = static_cast<int>(kor->toPlainText().indexOf(u"舍利弗白"));
    ASSERT_GT(sa, 0);
    kor->ShowPosition(sa);
    QWidget* panel = Widget(Form(), "CharacterPanel");
    const QRect before = Widget(Form(), "TotalKorRichEdit")->geometry();

    // Near its right edge, the character is still the one clicked.
    QTest::mouseClick(kor->viewport(), Qt::LeftButton, {}, CharacterCentre(kor, sa, 0.85));
    ASSERT_TRUE(panel->isVisible());
    const QString card = PanelText();
    EXPECT_TRUE(card.contains(u"舍"));
    EXPECT_TRUE(card.contains("<b><u>사</u></b>, 서")) << "the conversion's reading marked, the others after it";
    EXPECT_TRUE(card.contains(u"집 사"));
    EXPECT_TRUE(card.contains("house, dwelling"));
    EXPECT_TRUE(card.contains("135.2"));
    EXPECT_TRUE(card.contains(QString("고려</td><td>%1번 · 신수 %2번")
                                  .arg(Occurrences(Source, true, u'舍'))
                                  .arg(Occurrences(Source, false, u'舍'))));
    EXPECT_EQ(Widget(Form(), "TotalKorRichEdit")->geometry(), before) << "the panel floats over the views";

    // The next character, 利, replaces the card; a click on a line head's digits closes it.
    QTest::mouseClick(kor->viewport(), Qt::LeftButton, {}, CharacterCentre(kor, sa + 1));
    EXPECT_TRUE(PanelText().contains(u"이로울 리"));
    kor->verticalScrollBar()->setValue(kor->verticalScrollBar()->value() + 1);
    EXPECT_FALSE(panel->isVisible()) << "the card goes when its character moves";
    QTest::mouseClick(kor->viewport(), Qt::LeftButton, {}, CharacterCentre(kor, sa + 1, 0.15));
    EXPECT_TRUE(PanelText().contains(u"이로울 리"));
    const int digit = static_cast<int>(kor->toPlainText().indexOf(u"一時61"));
    QTest::mouseClick(kor->viewport(), Qt::LeftButton, {}, CharacterCentre(kor, digit + 2));
    EXPECT_FALSE(panel->isVisible());

    // 眾 in the other edition: its variant group is on the card; its button searches it.
    TRichEdit* sinsu = View(Form(), "TotalSinsuRichEdit");
    const int variant = static_cast<int>(sinsu->toPlainText().indexOf(u"眾"));
    sinsu->ShowPosition(variant);
    QTest::mouseClick(sinsu->viewport(), Qt::LeftButton, {}, CharacterCentre(sinsu, variant));
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(PanelText().contains("이체</td><td>衆"));
    EXPECT_TRUE(PanelText().contains(u"글자 정보에 없는 글자")) << "no entry of its own";
    QTest::mouseClick(Widget<QPushButton>(Form(), "CharacterSearchButton"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(Page(Form(), "SearchPage")->currentWidget()->objectName(), "SearchTabSheet");
    EXPECT_EQ(Lines(Memo(Form(), "SearchMemo")), std::vector<std::u16string>{u"眾"});
    EXPECT_EQ(Widget<QComboBox>(Form(), "TitleCombo")->currentIndex(), 3) << "the Chinese editions, not the Korean";
    // 眾 itself is in sutra 1 only; with variants, 衆 brings sutra 2.
    EXPECT_EQ(Numbers(Grid(Form(), "SearchGrid")), (std::vector<std::u16string>{u"1", u"2"}));
}

TEST_F(ScholarAidsTest, PointingAtACharacterOfTheWordsOrTheConversionShowsItsCard)
{
    Start();
    for (const char* name : {"SearchMemo", "ConvertSrcMemo"}) {
        QPlainTextEdit* memo = Memo(Form(), name);
        memo->setPlainText(QString::fromUtf16(u"사리불 舍利弗"));
        Page(Form(), name[0] == 'S' ? "SearchPage" : "ViewPage")
            ->setCurrentWidget(Widget(Form(), name[0] == 'S' ? "SearchTabSheet" : "ConvertTabSheet"));
        QCoreApplication::processEvents();
        const QPoint at = CharacterCentre(memo, 6);
        QHelpEvent help(QEvent::ToolTip, at, memo->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(memo->viewport(), &help);
        EXPECT_TRUE(QToolTip::text().contains(u"아닐 불")) << name;
        const QPoint hangul = CharacterCentre(memo, 2);
        QHelpEvent none(QEvent::ToolTip, hangul, memo->viewport()->mapToGlobal(hangul));
        QCoreApplication::sendEvent(memo->viewport(), &none);
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
            << name << ": a Hangul syllable has no card";
    }
}

TEST_F(ScholarAidsTest, WithoutACharacterFileTheCardSaysSoAndStillCounts)
{
    Start(false);
    ShowTogether();
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    const int sa = static_cast<int>(kor->toPlainText().indexOf(u"舍利弗白"));
    kor->ShowPosition(sa);
    QTest::mouseClick(kor->viewport(), Qt::LeftButton, {}, CharacterCentre(kor, sa));
    ASSERT_TRUE(Widget(Form(), "CharacterPanel")->isVisible());
    EXPECT_TRUE(PanelText().contains(ToQString(CharacterFileMissingText()).toHtmlEscaped()));
    EXPECT_TRUE(PanelText().contains(QString("%1번").arg(Occurrences(Source, true, u'舍'))));
    // Search by reading needs the readings.
    Search("사리불", 3, true);
    EXPECT_FALSE(Widget<QCheckBox>(Form(), "ReadingCB")->isEnabled());
}

TEST_F(ScholarAidsTest, TheEditionToggleMarksEveryDifferenceAndLeavesTheHitsAlone)
{
    Start();
    Search("舍利弗\n如是", 3);
    ShowFirst();
    Page(Form(), "ViewPage")->setCurrentIndex(0);
    QCoreApplication::processEvents();
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    TRichEdit* sinsu = View(Form(), "TotalSinsuRichEdit");
    const std::vector<TRange> korHits = RedBold(kor), sinsuHits = RedBold(sinsu);
    ASSERT_FALSE(korHits.empty());
    const QString korBefore = kor->toPlainText();

    QTest::mouseClick(Widget<QToolButton>(Form(), "EditionToggle"), Qt::LeftButton);
    const std::vector<TEditionDifference> expected = CompareEditions(Started->State.Data, 0).Differences;
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(Label(Form(), "EditionCount")->text(), "차이 3");
    // Each difference tinted on the side that has characters, the variant one lighter.
    std::vector<TRange> korTints, sinsuTints;
    for (const TRichEdit::TTint& tint : kor->Tints())
        korTints.push_back({tint.Run.Begin, tint.Run.End});
    for (const TRichEdit::TTint& tint : sinsu->Tints())
        sinsuTints.push_back({tint.Run.Begin, tint.Run.End});
    EXPECT_EQ(korTints, (std::vector<TRange>{{expected[0].KorBegin, expected[0].KorEnd},
                                             {expected[2].KorBegin, expected[2].KorEnd}}));
    EXPECT_EQ(sinsuTints.size(), 3u);
    EXPECT_EQ(korBefore.mid(expected[0].KorBegin, 1), "衆");
    EXPECT_EQ(kor->Tints()[0].Color, VariantDifferenceTint);
    EXPECT_EQ(kor->Tints()[1].Color, DifferenceTint);
    EXPECT_GT(VariantDifferenceTint.lightness(), DifferenceTint.lightness());
    EXPECT_EQ(RedBold(kor), korHits);
    EXPECT_EQ(RedBold(sinsu), sinsuHits);
    EXPECT_EQ(kor->toPlainText(), korBefore);

    // F4 steps both views to each difference in turn.
    for (std::size_t d = 0; d < expected.size(); ++d) {
        QTest::keyClick(&Form(), Qt::Key_F4);
        EXPECT_EQ(kor->textCursor().position(), expected[d].KorBegin) << d;
        EXPECT_EQ(sinsu->textCursor().position(), expected[d].SinsuBegin) << d;
        for (TRichEdit* view : {kor, sinsu}) {
            const QRect at = view->cursorRect();
            EXPECT_TRUE(at.top() >= 0 && at.bottom() < view->viewport()->height()) << d;
        }
    }
    EXPECT_EQ(Label(Form(), "EditionCount")->text(), "차이 3 / 3");
    EXPECT_EQ(kor->extraSelections().size(), 2) << "each tint drawn once the view has come to it";
    QTest::keyClick(&Form(), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(Label(Form(), "EditionCount")->text(), "차이 2 / 3");

    // Another sutra, whose editions agree, is compared as it is shown.
    Form().OpenPlace({1});
    EXPECT_EQ(Label(Form(), "EditionCount")->text(), "차이 0");
    EXPECT_TRUE(sinsu->Tints().empty());
    Search("舍利弗\n如是", 3);
    ShowFirst();

    // Off: the tints go, the hits stay.
    QTest::mouseClick(Widget<QToolButton>(Form(), "EditionToggle"), Qt::LeftButton);
    EXPECT_TRUE(kor->Tints().empty());
    EXPECT_TRUE(kor->extraSelections().isEmpty());
    EXPECT_EQ(RedBold(kor), korHits);
}

TEST_F(ScholarAidsTest, WhileComparingTheChineseViewsScrollTogetherByAlignedLines)
{
    Start();
    ShowTogether();
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    TRichEdit* sinsu = View(Form(), "TotalSinsuRichEdit");
    QTest::mouseClick(Widget<QToolButton>(Form(), "EditionToggle"), Qt::LeftButton);
    // Before and after the line only the second edition has, from either side.
    for (const int line : {40, 120}) {
        for (const bool fromKor : {true, false}) {
            TRichEdit* from = fromKor ? kor : sinsu;
            TRichEdit* to = fromKor ? sinsu : kor;
            const int fromLine = fromKor || line < 80 ? line : line + 1;
            from->ShowLineAt(from->document()->findBlockByNumber(fromLine).position(), 0);
            const int expected = line < 80 ? fromLine : fromKor ? fromLine + 1 : fromLine - 1;
            EXPECT_EQ(LineOf(to, to->TopLine().Position), expected) << line << fromKor;
            EXPECT_EQ(to->document()->findBlockByNumber(expected).text(),
                      from->document()->findBlockByNumber(fromLine).text());
        }
    }
    // Off, they go their own ways.
    QTest::mouseClick(Widget<QToolButton>(Form(), "EditionToggle"), Qt::LeftButton);
    const int sinsuTop = sinsu->verticalScrollBar()->value();
    kor->verticalScrollBar()->setValue(0);
    EXPECT_EQ(sinsu->verticalScrollBar()->value(), sinsuTop);
}

TEST_F(ScholarAidsTest, TheReadingBoxFindsTheHanRunsAKoreanWordReads)
{
    Start();
    auto* reading = Widget<QCheckBox>(Form(), "ReadingCB");
    Search("사리불", 0);
    EXPECT_FALSE(reading->isEnabled()) << "the Korean texts are searched as written";
    Search("사리불", 3);
    EXPECT_EQ(Text(Label(Form(), "SearchCountPanel")), u"0 개");
    Search("사리불", 3, true);
    EXPECT_EQ(Numbers(Grid(Form(), "SearchGrid")), (std::vector<std::u16string>{u"1", u"2"}));
    ShowFirst();
    TRichEdit* kor = View(Form(), "TotalKorRichEdit");
    const QString korText = kor->toPlainText();
    const int at = static_cast<int>(korText.indexOf(u"舍利弗"));
    EXPECT_EQ(RedBold(kor), (std::vector<TRange>{{at, at + 3}}));

    Page(Form(), "SearchPage")->setCurrentWidget(Widget(Form(), "ConcordanceTabSheet"));
    const TConcordance& rows = Widget<TConcordanceTab>(Form(), "ConcordanceTabSheet")->Rows();
    ASSERT_EQ(rows.Rows.size(), 4u);
    for (const TConcordanceRow& row : rows.Rows)
        EXPECT_EQ(row.Text, u"舍利弗");
}

} // namespace
