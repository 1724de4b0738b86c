#pragma once

#include "search/SearchHit.h"

#include <QBasicTimer>
#include <QTextCharFormat>
#include <QTextEdit>

#include <cstddef>
#include <functional>
#include <vector>

// A rich edit that reports every typed character after it has acted on the key, so that a
// copy made by Ctrl+C is already on the clipboard when the character (3) is reported. Its
// copy carries the view's font with the colours and bold marks.
//
// A sutra's text goes to the views of every tab, but only the tab on show is looked at,
// and only its first screens at first. A text set on a hidden view waits until the view is
// shown or read; a view on show takes the lines of its first screens at once and the rest
// in short steps after, so that the program answers the reader meanwhile. Whatever reads
// or edits the whole document (a key, a click, the find bar, a copy of all) fills it first.
// Marked runs reach the document as the view comes to them: every run that starts before
// the end of a screen below what the view shows is formatted. Everything above the screen
// is therefore laid out as it would be with all runs formatted, and a scroll position
// means the same text either way.
class TRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    // text with every line break as the document makes it: one U+2029 per block break.
    static QString HeldForm(QString text);

    // The text the view is to hold, from its first line with the caret at its start. A
    // view on show takes it at once; a hidden one when it is first shown or read.
    void SetText(const QString& text);
    // The text the view holds or is to hold, each block break as U+2029.
    QString HeldText() const;
    // The same with each block break as one carriage return, every other unit as the view
    // holds it: offsets into it are the view's character positions.
    std::u16string PositionText() const;
    // Puts the whole text in the document, or at least the lines up to position's and two
    // screens after it.
    void Fill();
    void FillTo(int position);
    bool Filled() const { return !Waiting && (!Kept || Appended >= Held.size()); }

    // Runs of the text last set shown in format, with the caret at the last run's start. The
    // runs come in text order, as the hit display makes them and the hit navigator counts them.
    void SetMarks(std::vector<THighlightRun> runs, const QTextCharFormat& format);
    // Formats every waiting run that starts before position.
    void MarkUpTo(int position);
    // Fills and formats everything, for a reader or an editor of the whole document.
    void Complete();

signals:
    void KeyPressed(char16_t character);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // Formats the runs up to a screen below what the view shows.
    void MarkShown();
    // The first screens of the text set last, from top (the screen of the view) on.
    void Start(int position);
    // The text up to end, which ends a line or the text.
    void Append(qsizetype end);
    // Runs change without laying the text out in between.
    void Unlaid(const std::function<void()>& change);
    // The caret at position, put there by the view itself: a caret waiting for its run stays
    // waiting.
    void PlaceCaret(int position);
    // A position of the text at least two screens on from top, reckoned without a layout.
    int ScreensEnd(int top) const;

    QString Held;           // the text set last
    bool Waiting = false;   // Held is not in the document yet
    bool Kept = false;      // Held is what the document holds or is filling in
    qsizetype Appended = 0; // the units of Held in the document
    QBasicTimer Stepper;    // the steps that put the rest in
    int Caret = 0;          // where the caret goes when the text is in
    bool CaretWaiting = false;
    std::vector<THighlightRun> Marks;
    QTextCharFormat MarkFormat;
    std::size_t MarkedRuns = 0; // Marks before this are in the document
    bool OwnChange = false;     // the view itself changes the document
};
