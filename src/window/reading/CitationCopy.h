#pragma once

// Copying a view's selection with its citation: 「selection」 and the edition's lines, title and
// name as the core cites them, as plain text on the clipboard in either copy mode, since a
// citation is pasted into notes and papers rather than kept in its colours.

#include "data/Vesko3Common.h"

#include <cstdint>

class TRichEdit;

// Puts view's selection with the citation of family's view text of catalogue position n on
// the clipboard; a Korean view (subject and summary included) is cited by its title and name.
// False, the clipboard left as it was, when nothing is selected or the selection is no range
// of that view text (the reader has edited the view).
bool CopyWithCitation(const TLoadedData& data, std::int32_t n, int family, const TRichEdit& view);
