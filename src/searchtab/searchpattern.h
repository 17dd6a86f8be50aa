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
