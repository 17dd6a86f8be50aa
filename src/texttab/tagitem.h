#pragma once
// A tag list item "TAG:description[BLOCK]": the tag, and the block name
// that limits the pick.

#include <QString>

// The text before the first ':'; the whole text without one.
QString tagOfItem(const QString &item);
// The characters between the first '[' and the first ']' of the part that
// starts at the first ':', when at least one lies between; else "*".
QString blockFilterOfItem(const QString &item);
