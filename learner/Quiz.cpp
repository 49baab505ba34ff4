#include "Quiz.h"

#include "Random.h"

#include <algorithm>
#include <initializer_list>
#include <numeric>

namespace learner {

namespace {

bool IsOpening(QChar c) {
    return c == u'<' || c == u'(';
}
bool IsClosing(QChar c) {
    return c == u'>' || c == u')';
}

} // namespace

QString StripMarks(const QString& text) {
    QString shown = text;
    shown.remove(u'<');
    shown.remove(u'>');
    return shown;
}

bool CheckAnswer(const QString& answer, const QString& expected) {
    if (answer.isEmpty() || expected.isEmpty())
        return false;
    bool accepted = false;
    bool skipping = false;
    QString alternative;
    const qsizetype last = expected.size() - 1;
    for (qsizetype k = 0; k <= last; ++k) {
        const QChar c = expected[k];
        const bool spaceAfterClosing = c == u' ' && k > 0 && IsClosing(expected[k - 1]);
        const bool spaceBeforeOpening = c == u' ' && k < last && IsOpening(expected[k + 1]);
        if (IsOpening(c) || spaceAfterClosing || spaceBeforeOpening)
            skipping = true;
        // A ";" ends an alternative even inside brackets, so an unclosed bracket cannot swallow
        // the alternatives before it.
        if (c == u';') {
            accepted = accepted || alternative == answer;
            alternative.clear();
        } else if (!skipping) {
            alternative += c;
        }
        if (IsClosing(c) || spaceAfterClosing)
            skipping = false;
    }
    return accepted || alternative == answer;
}

void ShuffleOrder(std::vector<int32_t>& order, int32_t count) {
    if (count <= 0)
        return;
    if (std::ssize(order) < count)
        order.resize(count);
    std::iota(order.begin(), order.begin() + count, 0);
    // The pair at p is "bad" when item k at p is followed by item k + 1. Every draw swaps the
    // place `first` of the first bad pair with a random place j, which can only change the pairs
    // at first − 1, first, j − 1 and j. So rather than scan again from 0, `first` steps back only
    // to a pair that the swap made bad, and the swaps and draws stay those of a full rescan. Below
    // `first` only the pairs at first − 1 and j − 1 can turn bad (not the one at j: the item after
    // the swapped-away one sits at first + 1). Each needs j to be one particular place, a chance
    // of 1 in count, and costs at most count to walk back over: the shuffle is expected linear.
    const auto bad = [&order, count](int32_t p) {
        return p >= 0 && p < count - 1 && order[p] + 1 == order[p + 1];
    };
    int32_t first = 0;
    while (first < count - 1) {
        if (!bad(first)) {
            ++first;
            continue;
        }
        const int32_t j = Random().Draw(count);
        std::swap(order[first], order[j]);
        for (const int32_t p : {first - 1, j - 1})
            if (p < first && bad(p))
                first = p;
    }
}

void RequeueMissed(std::vector<int32_t>& order, int32_t pos, int32_t count, int32_t groupEnd) {
    // At the last place of the whole order pos = groupEnd, so the range is one item and nothing
    // moves; a caller outside these limits would otherwise write past the order or lose an item.
    if (pos < 0 || pos > groupEnd || groupEnd >= count || groupEnd >= std::ssize(order))
        return;
    std::rotate(order.begin() + pos, order.begin() + pos + 1, order.begin() + groupEnd + 1);
}

} // namespace learner
