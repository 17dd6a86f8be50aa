#pragma once
// "全半角同一": a search pattern that matches whatever the width of the
// characters. Plain C++, no Qt.
//
// A text matches when the pattern matches it after both are folded to one
// width form (foldWidth): "ﾓｰﾀｰ1", "モーター1" and "モーター１" are one
// text to the pattern "*モーター*". The wildcard characters keep their
// meaning; letter case counts, as the CAD's filter counts it.
//
// The CAD still does the filtering: filterPattern() is the pattern widened
// so that the CAD's filter selects at least every text that matches, and
// matches() then keeps exactly those.

#include "cad/memory/wildcardmatch.h"

#include <string>
#include <string_view>

class WidthInsensitivePattern
{
public:
    explicit WidthInsensitivePattern(std::u16string_view pattern);

    // For the CAD's filter: each character that has another width becomes
    // the set of its forms ("[モﾓ]"); a voiced kana becomes the set of its
    // one-character forms and of its half-width base, followed by "*"
    // ("[ガｶ]*"), as do the one-character wildcards, which a voiced kana of
    // two half-width characters passes; a negated alternative selects
    // everything.
    const std::u16string &filterPattern() const { return m_filterPattern; }

    // Whether the folded text matches the folded pattern.
    bool matches(std::u16string_view text) const;

private:
    cad::CompiledWildcard m_folded;
    std::u16string m_filterPattern;
};

// The pattern of a search, matched in the tool the way the CAD's filter
// matches it, or width-insensitively: for the attribute values, which the
// CAD's filter cannot select.
class SearchMatcher
{
public:
    SearchMatcher(std::u16string_view pattern, bool widthInsensitive);

    // What the CAD's filter is given for the TEXT entities.
    const std::u16string &filterPattern() const;
    bool matches(std::u16string_view text) const;

private:
    bool m_widthInsensitive;
    std::u16string m_pattern;
    cad::CompiledWildcard m_compiled;
    WidthInsensitivePattern m_width;
};
