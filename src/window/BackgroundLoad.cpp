#include "window/BackgroundLoad.h"

#include "session/Vesko3Session.h"

#include <QEvent>

#include <algorithm>
#include <utility>

TBackgroundLoad::TBackgroundLoad(TVesko3Session& session)
    : Thread([this, &session] {
          try {
              Loaded = session.LoadData(*this, this);
          } catch (...) {
              Failure = std::current_exception();
          }
          Done.store(true, std::memory_order_release);
      })
{
}

TBackgroundLoad::~TBackgroundLoad()
{
    if (Thread.joinable()) Thread.join();
}

bool TBackgroundLoad::Wait()
{
    if (Thread.joinable()) Thread.join();
    if (Failure) std::rethrow_exception(std::exchange(Failure, nullptr));
    return Loaded;
}

bool TBackgroundLoad::HasMessages() const
{
    return std::any_of(Calls.begin(), Calls.end(),
                       [](const TCall& call) { return call.Kind == TCall::TKind::Message; });
}

void TBackgroundLoad::Replay(IMessages& messages, ILoadListener* listener)
{
    std::vector<TCall> calls = std::move(Calls);
    Calls.clear();
    for (const TCall& call : calls) {
        switch (call.Kind) {
        case TCall::TKind::Message:
            messages.Show(call.Text, call.Caption);
            break;
        case TCall::TKind::InfoLine:
            if (listener) listener->AppendInfoLine(call.Text);
            break;
        case TCall::TKind::CatalogueLoaded:
            if (listener) listener->CatalogueLoaded();
            break;
        }
    }
}

void TBackgroundLoad::Show(const std::u16string& text, const std::u16string& caption)
{
    Calls.push_back({TCall::TKind::Message, text, caption});
}

void TBackgroundLoad::AppendInfoLine(const std::u16string& line)
{
    Calls.push_back({TCall::TKind::InfoLine, line, {}});
}

void TBackgroundLoad::CatalogueLoaded()
{
    Calls.push_back({TCall::TKind::CatalogueLoaded, {}, {}});
}

bool IsUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}
