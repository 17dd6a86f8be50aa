#pragma once
// SortSearchTexts: the found texts in the order of their strings.

#include "morv2.h"

class MessagePump;
class QLabel;

// Whether text a sorts after text b: UTF-16 code units compared one by one
// as unsigned numbers, a proper prefix first; no locale, no case folding.
bool textSortsAfter(const QString &a, const QString &b);

// Sorts the records by text. Records with equal texts end in the order of
// the exchange sort the search has always used (see exchangesortorder.h),
// computed in O(n log n) over the ranks of the distinct texts, so that
// 1,000,000 texts sort at once. While the records are put in place the
// label shows "i / n-1" about a hundred times, each time followed by a turn
// of the message pump; at the end the label is empty. There is no stop test.
void SortSearchTexts(Morv2List &records, QLabel *label, MessagePump &pump);
