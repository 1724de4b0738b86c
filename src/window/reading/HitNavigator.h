#pragma once

// Taking the reader to the occurrences of a shown search result: the first occurrence of each
// highlighted view is scrolled into sight, F3 and Shift+F3 go from where the reader is to the
// next or previous occurrence of the active view, and each highlighted view's title bar shows
// "3 / 17" for the occurrence in view, with two small step buttons at its right end. An
// occurrence broken by a line break is one step and counts once.

#include "search/SearchHit.h"

#include <QObject>

#include <vector>

class QLabel;
class QToolButton;
class TPageControl;
class TRichEdit;

class THitNavigator : public QObject
{
    Q_OBJECT
public:
    // The F3 shortcuts belong to window; tabs are those of viewPage.
    THitNavigator(QWidget* window, TPageControl* viewPage);

    // A view that can be highlighted: its title bar, the ViewPage tab it is on and its text
    // family (0 Korean, 1 고려대장경, 2 신수대장경), in the order the tab shows them.
    void Attach(TRichEdit* view, QLabel* titleBar, int tab, int family);

    // Forgets every occurrence; the indications go.
    void Clear();
    // The occurrences of the runs view marks; the first is scrolled into sight with the caret
    // at its start.
    void SetOccurrences(TRichEdit* view, const std::vector<THitOccurrence>& occurrences);

    // Moves the active view to the next (step 1) or previous (-1) occurrence after or before
    // the caret, or the start of the first line shown when the caret is off screen; without
    // wrapping: past either end the view stays and the indication says so.
    void Step(int step);
    // A text view brought back to a scroll position of its own: the occurrence in view
    // becomes current and the caret goes to its start, or to the first line shown when none
    // is in view, so that the reader's next key starts from what the view shows.
    void Settle(TRichEdit* view);
    // Makes the occurrence of family that begins at begin current in that family's view on
    // the current tab, if that view holds it.
    bool GoToOccurrence(int family, std::int32_t begin);

    // The view F3 works on: the focused highlightable view, else the first highlighted view
    // of the current tab, else none.
    TRichEdit* ActiveView() const;

    // "3 / 17"; at either end the word "끝" or "처음" follows. Empty for a view without
    // occurrences.
    QString Indication(const TRichEdit* view) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TNavigatedView
    {
        TRichEdit* View = nullptr;
        QLabel* TitleBar = nullptr;
        QWidget* Strip = nullptr; // the indication and buttons, a child of the title bar
        QLabel* Count = nullptr;
        QToolButton *Previous = nullptr, *Next = nullptr;
        int Tab = 0;
        int Family = 0;
        std::vector<THighlightRun> Spans; // each occurrence, from its first character to one past its last
        int Current = -1;
        bool RevealPending = false; // scrolled when the view is next on show
        bool EverShown = false;     // its first showing scrolls to the caret, which a fill leaves at the end
        int StoppedAt = 0;          // -1 or 1 when the last step asked to go past the first or last
    };

    TNavigatedView* Find(const TRichEdit* view);
    const TNavigatedView* Find(const TRichEdit* view) const;
    void Step(TNavigatedView& entry, int step);
    void MoveTo(TNavigatedView& entry, int index);
    // The occurrence in view becomes current when the current one has left the screen.
    void Follow(TNavigatedView& entry);
    void Reveal(TNavigatedView& entry);
    void ShowIndication(TNavigatedView& entry);
    void PlaceStrip(TNavigatedView& entry);

    TPageControl* ViewPage;
    std::vector<TNavigatedView> Views;
};
