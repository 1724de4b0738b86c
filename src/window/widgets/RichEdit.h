#pragma once

#include "search/SearchHit.h"

#include <QBasicTimer>
#include <QTextCharFormat>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTextDocument;
class QTimer;

// The text view of the reading pages: a rich edit that holds the whole of the text it is
// given from the moment it is given, so that whatever reads it (a copy, the find bar, F3, a
// screen reader) reads all of it, and that lays out and marks only as the reader comes to it.
//
// A sutra's text goes to the views of every tab, but only the tab on show is looked at, and
// only its first screens at first. A hidden view holds its text without laying it out; a view
// on show lays out what it shows and Qt's editor lays out the rest in steps after. Marked runs
// up to a screen below what the view shows are formatted at once, so that the view shows
// them without delay; the rest right after, when the events of the showing are done: in
// short steps while the view is hidden and lays nothing out, in one change while it is on
// show, laid out afresh from the top. Formatting text laid out already moves every line below
// it, so formatting as the reader scrolls would cost each key the whole text. Everything
// above the screen is laid out as it would be with all runs formatted, and a scroll position
// means the same text either way. A waiting run moves with an edit as a formatted one would.
//
// It reports every typed character after it has acted on the key, so that a copy made by
// Ctrl+C is already on the clipboard when the character (3) is reported. Its copy carries the
// view's font with the colours and bold marks, waiting runs included.
class TRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    // The text the view shows from its first line, the caret at its start; each line break of
    // text (CR, LF or CR LF) is one character of the view, as view-text positions count it.
    void SetText(const QString& text);
    // Runs of the text in format (view-text positions, in text order), the caret at the first
    // run's start, where the reader starts reading them; the runs of an earlier text or call go.
    void SetRuns(std::vector<THighlightRun> runs, const QTextCharFormat& format);
    // The runs as they stand now, moved by the edits made since they were set.
    const std::vector<THighlightRun>& Runs() const { return Marks; }

    // The whole text with each line break one carriage return: offsets into it are the view's
    // character positions.
    std::u16string PositionText() const;
    // The whole text as a plain copy gives it: each line break "\n", every other character as
    // the view holds it.
    QString PlainText() const;
    // The whole text, or the part [begin, end), with every run in its format, as a reader sees
    // it once the view has come to it.
    std::unique_ptr<QTextDocument> FormattedCopy(int begin = 0, int end = -1) const;

    // Scrolls so that [position, end) stands about a third from the top, or the first screen
    // when it stands on that screen, so that a title line is not scrolled away for it. A text
    // that does not wrap scrolls sideways only as far as the part needs, to the line starts
    // when it fits beside them.
    void ShowPosition(int position, int end = -1);
    // The caret at position, nothing selected, the view left where it stands.
    void PlaceCaret(int position);
    // Keeps a strip of height pixels below the text free for a bar over the bottom of the
    // view, so that nothing the view scrolls to stands under it; 0 gives the strip back.
    void ReserveBottom(int height);
    // Selects [begin, end) and scrolls it into sight.
    void Select(int begin, int end);
    // Lays a background under the whole line holding position for a moment, painted beneath
    // the text so that the text and its formats stay as they are; a new text or flash ends
    // the one before.
    void FlashLine(int position);
    bool Flashing() const { return FlashedBlock >= 0; }
    // Whether the whole text is laid out with every run in its format; a view on show lays out
    // the rest in steps after its first screens, a hidden one lays out nothing.
    bool LaidOut() const;

    // Backgrounds under runs of the text that leave its formats and its copies alone, drawn
    // as the view comes to them like the runs; a new text drops them.
    struct TTint
    {
        THighlightRun Run;
        QColor Color;
    };
    void SetTints(std::vector<TTint> tints);
    const std::vector<TTint>& Tints() const { return TintRuns; }
    // The line at the top of the view: its first position, and how far below the view's top
    // it starts (less than 0 when it is cut).
    struct TTopLine
    {
        int Position = 0;
        int Offset = 0;
    };
    TTopLine TopLine() const;
    // Scrolls so that the line holding position starts offset pixels below the view's top.
    void ShowLineAt(int position, int offset);

signals:
    void KeyPressed(char16_t character);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Scrolls sideways as ShowPosition does for [begin, end).
    void ShowSideways(int begin, int end);
    // Formats every waiting run that starts before position.
    void MarkUpTo(int position);
    // Formats the runs up to a screen below what the view shows.
    void MarkShown();
    // Formats the runs left after the first screens: a step of them in a hidden view, all of
    // them in a view on show.
    void MarkRest();
    // Changes the document without laying it out; a hidden view stays unlaid until it is
    // shown, a view on show lays itself out again lazily, the part on screen first.
    void WithoutLayout(const std::function<void()>& change);
    // A position of the text at least two screens on from top, reckoned without a layout.
    int ScreensEnd(int top) const;
    // Moves the runs with an edit of the document by other hands.
    void MoveRuns(int from, int removed, int added);
    int Clamped(int position) const;
    // The character at the view's top left, and whether the view is scrolled sideways; none
    // for a view at the text's start or not laid out.
    struct TFirstShown
    {
        int Position = 0;
        bool Sideways = false;
    };
    std::optional<TFirstShown> FirstShown() const;
    // Scrolls the line of first's character to the top and, when it was scrolled sideways,
    // the character to the left edge.
    void ShowFirst(const TFirstShown& first);

    // Draws the tints up to a screen below what the view shows.
    void TintShown();

    std::vector<TTint> TintRuns; // in text order
    std::size_t TintedRuns = 0;  // TintRuns before this are drawn
    std::vector<THighlightRun> Marks;
    QTextCharFormat MarkFormat;
    std::size_t MarkedRuns = 0; // Marks before this are in the document
    QBasicTimer AheadSteps;     // runs MarkRest while runs wait
    bool OwnChange = false;     // the view itself changes the document
    int FlashedBlock = -1;      // the block of the flashed line, -1 for none
    QTimer* FlashEnd = nullptr; // made with the first flash
};
