#include "sortsearchtexts.h"

#include "form/messagepump.h"
#include "form/progressrepaint.h"
#include "grid/exchangesortorder.h"

#include <QHash>
#include <QLabel>

#include <algorithm>
#include <numeric>

bool textSortsAfter(const QString &a, const QString &b)
{
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                        [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
}

namespace {

// Each record's rank among the distinct texts (equal texts, equal ranks).
// A drawing repeats its texts many times: the exchange order then compares
// integers that lie side by side instead of strings spread over memory,
// and only the distinct texts are compared as strings.
std::vector<int> textRanks(const Morv2List &records)
{
    QHash<QString, int> idOfText;
    std::vector<const QString *> distinct;
    std::vector<int> ranks;
    ranks.reserve(records.size());
    for (const Morv2 &rec : records) {
        auto it = idOfText.constFind(rec.text);
        if (it == idOfText.constEnd()) {
            it = idOfText.insert(rec.text, int(distinct.size()));
            distinct.push_back(&rec.text);
        }
        ranks.push_back(*it);
    }
    std::vector<int> byText(distinct.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(), [&distinct](int a, int b) { return textSortsAfter(*distinct[size_t(b)], *distinct[size_t(a)]); });
    std::vector<int> rankOfId(distinct.size());
    for (size_t r = 0; r < byText.size(); ++r)
        rankOfId[size_t(byText[r])] = int(r);
    for (int &rank : ranks)
        rank = rankOfId[size_t(rank)];
    return ranks;
}

} // namespace

void SortSearchTexts(Morv2List &records, QLabel *label, MessagePump &pump)
{
    const int n = int(records.size());
    if (n >= 2) {
        const std::vector<int> order = exchangeSortOrderOfRanks(textRanks(records));
        Morv2List sorted;
        sorted.reserve(records.size());
        const int step = std::max(1, n / 100);
        ProgressRepaint repaint;
        for (int i = 0; i < n; ++i) {
            if (i < n - 1 && i % step == 0) {
                label->setText(QStringLiteral("%1 / %2").arg(i + 1).arg(n - 1));
                repaint(label);
                pump.processPendingMessages();
            }
            sorted.push_back(std::move(records[size_t(order[size_t(i)])]));
        }
        records = std::move(sorted);
    }
    label->clear();
}
