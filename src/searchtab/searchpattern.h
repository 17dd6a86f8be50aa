#pragma once
// What the search asks the CAD for: the wildcard pattern made of the search
// field, and the selection filter "TEXT entities whose string matches".

#include "cad/selectionset.h"

#include <QString>

// "*" for an empty field; otherwise the field with "*" behind it (prefix
// match) or on both sides (partial match). The field's own "*" and "?"
// stay wildcards: the CAD's filter does the matching.
QString SearchPattern(const QString &field, bool prefixMatch);

// Group code 0 = "TEXT" (entity type), group code 1 = pattern (text value).
cad::SelectionFilter SearchFilter(const QString &pattern);

// With "属性": group code 0 = "INSERT". The CAD's filter cannot look at
// attribute values; the tool matches them itself.
cad::SelectionFilter SearchBlockFilter();

// What Label7 shows of a search: "[" pattern "] (部分一致)", the options
// that were on joined to the words: "[*ﾓｰﾀｰ*] (部分一致・全半角)".
QString SearchPatternCaption(const QString &pattern, bool widthInsensitive, bool attributes);
