#include "sortsearchtexts.h"

#include "form/messagepump.h"
#include "grid/exchangesortorder.h"

#include <QLabel>

#include <algorithm>

bool textSortsAfter(const QString &a, const QString &b)
{
    return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                        [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
}

void SortSearchTexts(Morv2List &records, QLabel *label, MessagePump &pump)
{
    const int n = int(records.size());
    if (n >= 2) {
        const std::vector<int> order = exchangeSortOrder(
            n, [&records](int a, int b) { return textSortsAfter(records[size_t(a)].text, records[size_t(b)].text); });
        Morv2List sorted;
        sorted.reserve(records.size());
        const int step = std::max(1, n / 100);
        for (int i = 0; i < n; ++i) {
            if (i < n - 1 && i % step == 0) {
                label->setText(QStringLiteral("%1 / %2").arg(i + 1).arg(n - 1));
                label->repaint();
                pump.processPendingMessages();
            }
            sorted.push_back(std::move(records[size_t(order[size_t(i)])]));
        }
        records = std::move(sorted);
    }
    label->clear();
}
