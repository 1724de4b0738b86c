#pragma once

// Keeps one splitter's border for the next run. The border a run leaves is the one the
// splitter showed; a splitter never laid out (Qt sizes a tab page only when it shows) leaves
// the border put back from the last run and not yet taken, or none.
//
// A saved border is pixels of the window at its normal size, as the reader state keeps the
// window: a maximised window's border is saved as its share of the space the splitter has at
// the normal size. It is put back as its share of the space the splitter gets, the rest of the
// window taking the same pixels as when it was saved, and never below a pane's minimum.

#include "session/ReaderState.h"

#include <QObject>
#include <QSize>

#include <functional>
#include <optional>
#include <vector>

class QSplitter;

class TPaneKeeper : public QObject
{
    Q_OBJECT
public:
    // arrange sets the border by the sheet's own rule whenever the splitter's length changes;
    // without it the splitter's stretch factors share a change.
    TPaneKeeper(QSplitter* splitter, std::function<void()> arrange = {});

    std::optional<TSplitterPane> Pane() const;
    // Puts back the pane of panes named as the splitter, saved while the window's normal size
    // was savedWindow (an invalid size when unknown): a splitter on show takes it now, a hidden
    // one when it next gets its length.
    void Restore(const std::vector<TSplitterPane>& panes, QSize savedWindow);
    // A border put back and not yet taken is dropped.
    void DropRestored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRestored
    {
        std::int32_t First = 0;
        QSize SavedWindow;
    };
    void Take(const TRestored& restored);
    // A size's extent along the splitter.
    int Along(QSize size) const;

    QSplitter* Splitter;
    std::function<void()> Arrange;
    std::optional<TRestored> Restored;
    bool LaidOut = false;
};
