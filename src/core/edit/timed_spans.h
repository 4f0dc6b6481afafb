#pragma once
// Where the motion holds timed moves, so that the timeline can mark them and the preview can draw
// their eased paths. A movement file keeps only steps, so this lives with the edits of a session:
// a motion opened from a file has none. An edit that touches a span's records unmakes it (its
// steps no longer follow its path); an edit before it moves it.

#include "core/edit/record_span.h"
#include "core/edit/timed_move.h"

#include <vector>

namespace edits {

struct TimedSpan {
    int first = 0; // index of its first record
    int count = 0;
    moves::Path path;
};

// The spans after `change` (from record_span.h): those before it kept, those after it moved by
// what it added or removed, those it touches dropped; then `added`, when there is one, in its
// place. Kept in order of their first record.
std::vector<TimedSpan> spansAfter(const std::vector<TimedSpan> &spans, const Span &change,
                                  const std::optional<TimedSpan> &added = std::nullopt);

// The span that is exactly `first`..`first + count`, or none.
const TimedSpan *spanAt(const std::vector<TimedSpan> &spans, int first, int count);

} // namespace edits
