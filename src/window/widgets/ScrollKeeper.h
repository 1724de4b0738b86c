#pragma once

#include <QObject>

class QAbstractScrollArea;
class QScrollBar;

// Brings a view back to a stored scroll position. A view on a hidden tab has no scroll range
// yet, and a view shown for the first time scrolls to its caret, so the position waits until
// the view can take it after it is shown; scrolling by the reader or a new text drops it.
class TScrollKeeper : public QObject
{
    Q_OBJECT
public:
    explicit TScrollKeeper(QAbstractScrollArea* view);

    void Restore(int vertical, int horizontal);
    void Drop();
    // The position the view shows, or the one it waits for.
    int Vertical() const;
    int Horizontal() const;

signals:
    // The view has reached the vertical position it waited for.
    void Restored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    QAbstractScrollArea* View;
    int Wanted[2] = {-1, -1};
    bool Shown = false; // the view's first show, with its scroll to the caret, is over
};
