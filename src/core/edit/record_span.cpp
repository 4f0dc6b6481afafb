#include "core/edit/record_span.h"

#include <algorithm>

namespace edits {

Span spanBetween(const std::vector<Step> &before, const std::vector<Step> &after)
{
    const auto shorter = std::min(before.size(), after.size());
    const auto head =
        size_t(std::mismatch(before.begin(), before.begin() + shorter, after.begin()).first -
               before.begin());
    // The common end is looked for only past the common start, so the two never overlap.
    const auto tail = size_t(
        std::mismatch(before.rbegin(), before.rend() - head, after.rbegin(), after.rend() - head)
            .first -
        before.rbegin());
    return {int(head),
            {before.begin() + head, before.end() - tail},
            {after.begin() + head, after.end() - tail}};
}

Span inverse(Span span)
{
    std::swap(span.removed, span.inserted);
    return span;
}

std::optional<std::vector<Step>> applied(const std::vector<Step> &records, const Span &span)
{
    const auto first = size_t(std::max(span.first, 0));
    if (span.first < 0 || first > records.size() || records.size() - first < span.removed.size() ||
        !std::equal(span.removed.begin(), span.removed.end(), records.begin() + first))
        return std::nullopt;
    std::vector<Step> out;
    out.reserve(records.size() - span.removed.size() + span.inserted.size());
    out.insert(out.end(), records.begin(), records.begin() + first);
    out.insert(out.end(), span.inserted.begin(), span.inserted.end());
    out.insert(out.end(), records.begin() + first + span.removed.size(), records.end());
    return out;
}

} // namespace edits
