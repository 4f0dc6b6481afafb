#include "core/edit/timed_spans.h"

#include <algorithm>

namespace edits {

std::vector<TimedSpan> spansAfter(const std::vector<TimedSpan> &spans, const Span &change,
                                  const std::optional<TimedSpan> &added)
{
    const int removedEnd = change.first + int(change.removed.size());
    const int shift = int(change.inserted.size()) - int(change.removed.size());
    const bool changes = !change.removed.empty() || !change.inserted.empty();
    std::vector<TimedSpan> out;
    for (TimedSpan s : spans) {
        const int end = s.first + s.count;
        if (!changes || end <= change.first) {
            out.push_back(s); // wholly before the change (an insert at its end leaves it whole)
        } else if (s.first >= removedEnd) {
            s.first += shift;
            out.push_back(s);
        }
    }
    if (added) {
        const int addedEnd = added->first + added->count;
        std::erase_if(out, [&](const TimedSpan &s) {
            return s.first < addedEnd && added->first < s.first + s.count;
        });
        out.push_back(*added);
    }
    std::sort(out.begin(), out.end(),
              [](const TimedSpan &a, const TimedSpan &b) { return a.first < b.first; });
    return out;
}

const TimedSpan *spanAt(const std::vector<TimedSpan> &spans, int first, int count)
{
    for (const TimedSpan &s : spans)
        if (s.first == first && s.count == count)
            return &s;
    return nullptr;
}

} // namespace edits
