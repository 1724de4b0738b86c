#pragma once

// Loading the data set on a thread of its own while the window builds its controls and shows
// itself. The loaders' message boxes and information lines cannot be shown from that thread,
// so they are recorded in the order the loaders make them and replayed on the window's
// thread once loading has ended; the user sees them as if loading had run there.

#include "data/DataFile.h"
#include "util/Messages.h"

#include <atomic>
#include <exception>
#include <string>
#include <thread>
#include <vector>

class QEvent;
struct TVesko3Session;

// Whether event is one by which the user acts on a window (a click, a key, a shortcut), to be
// held back from a window whose data are still loading.
bool IsUserInput(const QEvent& event);

class TBackgroundLoad : private IMessages, private ILoadListener
{
public:
    // Starts session.LoadData() at once. Until Wait has returned, nothing else may read or
    // write session.Data, session.SearchInfo or session.GlobalInfo.LoadError; the thread reads
    // session.GlobalInfo.DataPath, which must not change meanwhile either.
    explicit TBackgroundLoad(TVesko3Session& session);
    // Waits for the thread, so that a window closed early never leaves it loading.
    ~TBackgroundLoad() override;
    TBackgroundLoad(const TBackgroundLoad&) = delete;
    TBackgroundLoad& operator=(const TBackgroundLoad&) = delete;

    // Whether the thread has ended; a hint only, Wait is what makes the results safe to read.
    bool Finished() const { return Done.load(std::memory_order_acquire); }
    // Waits for the thread and returns what LoadData returned. A failure thrown on the thread
    // (out of memory) is thrown again here, as it would have been without the thread.
    bool Wait();
    // After Wait: whether any message box is waiting to be replayed.
    bool HasMessages() const;
    // After Wait: every recorded call made again, in its order, and the record emptied.
    void Replay(IMessages& messages, ILoadListener* listener);

private:
    void Show(const std::u16string& text, const std::u16string& caption) override;
    void AppendInfoLine(const std::u16string& line) override;
    void CatalogueLoaded() override;

    struct TCall
    {
        enum class TKind
        {
            Message,
            InfoLine,
            CatalogueLoaded,
        };
        TKind Kind;
        std::u16string Text;
        std::u16string Caption;
    };

    // Written by the thread only, read by the window only after the join.
    std::vector<TCall> Calls;
    bool Loaded = false;
    std::exception_ptr Failure;
    std::atomic<bool> Done{false};
    std::thread Thread; // last, so that it starts when everything it writes exists
};
