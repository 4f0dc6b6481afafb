#pragma once
// What an edit changed, as the one run of records between the part the motion keeps at its start
// and the part it keeps at its end. An undo command keeps this, not the whole motion before and
// after: a long session on a 12,010-record motion then holds only what its edits touched, where
// two copies of every record per edit grew by megabytes a minute.

#include "core/motion/step_buffer.h"

#include <optional>
#include <vector>

namespace edits {

struct Span {
    int first = 0;              // index of the first record that differs
    std::vector<Step> removed;  // the records from `first` before the edit
    std::vector<Step> inserted; // the records that stand there after it
    friend bool operator==(const Span &, const Span &) = default;
};

// The smallest span that turns `before` into `after`; empty (removed and inserted both) when
// they are the same. Where a run could be taken in more than one place (a record inserted next
// to its twin), the span starts after the longest common start.
Span spanBetween(const std::vector<Step> &before, const std::vector<Step> &after);

// The same change the other way round: what undoes `span`.
Span inverse(Span span);

// `records` with the span applied; none when records do not hold span.removed at span.first,
// which means they are not the motion the span was taken from, and nothing is guessed.
std::optional<std::vector<Step>> applied(const std::vector<Step> &records, const Span &span);

} // namespace edits
