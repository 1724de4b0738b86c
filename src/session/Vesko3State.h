#pragma once

// The window's name for the session.
// TODO(issue 9): remove once the window includes session/Vesko3Session.h and names TVesko3Session.

#include "session/Vesko3Session.h"

using TVesko3State = TVesko3Session;
