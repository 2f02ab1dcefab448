// Which lines of an edited text are lines of the text as it was read: the longest common
// subsequence of the two lists of lines (Myers' difference algorithm), so that an
// unchanged line is known by its place and not by its text.
#pragma once

#include <QList>
#include <algorithm>
#include <vector>

namespace linematch {

/// Past this many inserted and deleted lines (between the common start and end) the
/// lines between are taken as all new: the search costs time in proportion to it.
constexpr qsizetype kMaxEdits = 400;

/// For each of the m new lines, the index of the old line it is (or -1 for a new line);
/// equal(i, j) tells whether old line i and new line j are the same text. The matched
/// indexes rise with the new lines.
template <typename Equal> QList<qsizetype> match(qsizetype n, qsizetype m, Equal equal)
{
    QList<qsizetype> matched(m, -1);
    qsizetype head = 0;
    while (head < n && head < m && equal(head, head)) {
        matched[head] = head;
        ++head;
    }
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && equal(n - 1 - tail, m - 1 - tail)) {
        matched[m - 1 - tail] = n - 1 - tail;
        ++tail;
    }
    const qsizetype oldCount = n - head - tail;
    const qsizetype newCount = m - head - tail;
    if (oldCount == 0 || newCount == 0)
        return matched;
    const qsizetype maxD = std::min(oldCount + newCount, kMaxEdits);
    const qsizetype offset = maxD + 1;
    // furthest[k]: the furthest old index reached on diagonal k (old - new = k).
    std::vector<qsizetype> furthest(2 * maxD + 3, 0);
    std::vector<std::vector<qsizetype>> trace;
    for (qsizetype d = 0; d <= maxD; ++d) {
        trace.push_back(furthest);
        for (qsizetype k = -d; k <= d; k += 2) {
            const bool down =
                k == -d || (k != d && furthest[offset + k - 1] < furthest[offset + k + 1]);
            qsizetype x = down ? furthest[offset + k + 1] : furthest[offset + k - 1] + 1;
            qsizetype y = x - k;
            while (x < oldCount && y < newCount && equal(head + x, head + y)) {
                ++x;
                ++y;
            }
            furthest[offset + k] = x;
            if (x < oldCount || y < newCount)
                continue;
            // Walk back through the steps, marking the diagonals (equal lines).
            for (qsizetype e = d; e >= 0; --e) {
                const std::vector<qsizetype> &before = trace[e];
                const qsizetype kk = x - y;
                const bool wasDown =
                    kk == -e || (kk != e && before[offset + kk - 1] < before[offset + kk + 1]);
                const qsizetype prevK = wasDown ? kk + 1 : kk - 1;
                const qsizetype prevX = before[offset + prevK];
                const qsizetype prevY = prevX - prevK;
                while (x > prevX && y > prevY) {
                    --x;
                    --y;
                    matched[head + y] = head + x;
                }
                x = prevX;
                y = prevY;
            }
            return matched;
        }
    }
    return matched;
}

} // namespace linematch
