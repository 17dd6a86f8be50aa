#include "widthinsensitivepattern.h"

#include "transform/widthfold.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using cad::WildcardToken;
using Ranges = std::vector<std::pair<char32_t, char32_t>>;

// A set of characters as sorted, disjoint, non-adjacent ranges.
class CharacterSet
{
public:
    void add(char32_t lo, char32_t hi)
    {
        if (lo > hi)
            return;
        m_ranges.emplace_back(lo, hi);
        normalise();
    }
    void add(char32_t c) { add(c, c); }
    void add(const Ranges &ranges)
    {
        for (const auto &[lo, hi] : ranges)
            add(lo, hi);
    }
    void remove(char32_t c)
    {
        Ranges out;
        for (const auto &[lo, hi] : m_ranges) {
            if (c < lo || c > hi) {
                out.emplace_back(lo, hi);
                continue;
            }
            if (lo < c)
                out.emplace_back(lo, c - 1);
            if (c < hi)
                out.emplace_back(c + 1, hi);
        }
        m_ranges = std::move(out);
    }
    bool empty() const { return m_ranges.empty(); }
    bool single() const { return m_ranges.size() == 1 && m_ranges[0].first == m_ranges[0].second; }
    const Ranges &ranges() const { return m_ranges; }
    bool operator==(const CharacterSet &) const = default;

private:
    void normalise()
    {
        std::sort(m_ranges.begin(), m_ranges.end());
        Ranges merged;
        for (const auto &r : m_ranges) {
            if (!merged.empty() && r.first <= merged.back().second + 1)
                merged.back().second = std::max(merged.back().second, r.second);
            else
                merged.push_back(r);
        }
        m_ranges = std::move(merged);
    }

    Ranges m_ranges;
};

const Ranges DigitRanges = {{U'0', U'9'}};
const Ranges LetterRanges = {{U'A', U'Z'}, {U'a', U'z'}, {0xC0, 0xD6}, {0xD8, 0xF6}, {0xF8, 0x24F}, {0x1E00, 0x1EFF}};

char32_t foldCharacter(char32_t c)
{
    return c <= 0xFFFF ? foldWidthChar(char16_t(c)) : c;
}

bool isSoundMark(char32_t c) { return c == 0xFF9E || c == 0xFF9F; }

// The token as it stands in the folded pattern: its characters folded one
// by one.
WildcardToken foldToken(const WildcardToken &token)
{
    WildcardToken folded = token;
    if (folded.kind == WildcardToken::Literal)
        folded.ch = foldCharacter(folded.ch);
    for (auto &[lo, hi] : folded.ranges) {
        lo = foldCharacter(lo);
        hi = foldCharacter(hi);
    }
    return folded;
}

// The tokens of one alternative folded; a half-width kana followed by a
// sound mark is one literal, the voiced kana, as in a folded text.
std::vector<WildcardToken> foldTokens(const std::vector<WildcardToken> &tokens)
{
    std::vector<WildcardToken> folded;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const WildcardToken &t = tokens[i];
        if (t.kind == WildcardToken::Literal && t.ch <= 0xFFFF && i + 1 < tokens.size()
            && tokens[i + 1].kind == WildcardToken::Literal && isSoundMark(tokens[i + 1].ch)) {
            const std::u16string pair{char16_t(t.ch), char16_t(tokens[i + 1].ch)};
            const std::u16string kana = foldWidth(pair);
            if (kana.size() == 1) {
                WildcardToken voiced;
                voiced.ch = kana[0];
                folded.push_back(voiced);
                ++i;
                continue;
            }
        }
        folded.push_back(foldToken(t));
    }
    return folded;
}

void appendCharacter(std::u16string &out, char32_t c)
{
    if (c > 0xFFFF) {
        c -= 0x10000;
        out += char16_t(0xD800 + (c >> 10));
        out += char16_t(0xDC00 + (c & 0x3FF));
    } else {
        out += char16_t(c);
    }
}

// A character standing for itself outside a set.
void appendLiteral(std::u16string &out, char32_t c)
{
    if (std::u16string_view(u"*?#@.[~`,").find(char16_t(c)) != std::u16string_view::npos)
        out += u'`';
    appendCharacter(out, c);
}

// A member of a set.
void appendMember(std::u16string &out, char32_t c)
{
    if (std::u16string_view(u"[]~`-,").find(char16_t(c)) != std::u16string_view::npos)
        out += u'`';
    appendCharacter(out, c);
}

void appendRanges(std::u16string &out, const Ranges &ranges)
{
    for (const auto &[lo, hi] : ranges) {
        appendMember(out, lo);
        if (hi == lo + 1) {
            appendMember(out, hi);
        } else if (hi > lo) {
            out += u'-';
            appendMember(out, hi);
        }
    }
}

// The characters others fold to or that fold to others, and whether a
// one-character token of the folded pattern takes each of them.
struct WidthCandidates
{
    CharacterSet taken;   // the characters whose folded form the token takes
    bool voiced = false;  // it takes a voiced kana, which may be two characters
};

WidthCandidates candidatesOf(const WildcardToken &folded)
{
    WidthCandidates result;
    for (const char16_t c : widthFoldedCharacters()) {
        const char16_t f = foldWidthChar(c);
        if (!cad::wildcardTokenMatches(folded, f))
            continue;
        result.taken.add(c);
        if (const char16_t base = halfWidthVoicedBase(f)) {
            result.taken.add(base);
            result.voiced = true;
        }
    }
    return result;
}

// Appends the widened form of one folded token; returns whether it ends in
// a "*".
bool appendWidened(std::u16string &out, const WildcardToken &folded)
{
    const WidthCandidates candidates = candidatesOf(folded);
    switch (folded.kind) {
    case WildcardToken::AnyRun:
        out += u'*';
        return true;
    case WildcardToken::Literal:
    case WildcardToken::Digit:
    case WildcardToken::Letter:
    case WildcardToken::Set:
        if (folded.kind != WildcardToken::Set || !folded.negated) {
            // Outside the candidates a character folds to itself: the
            // folded token's own members stay.
            CharacterSet accepted = candidates.taken;
            if (folded.kind == WildcardToken::Literal)
                accepted.add(folded.ch);
            else if (folded.kind == WildcardToken::Digit)
                accepted.add(DigitRanges);
            else if (folded.kind == WildcardToken::Letter)
                accepted.add(LetterRanges);
            else
                accepted.add(folded.ranges);
            if (accepted.empty()) {
                // A set that holds nothing (a range the wrong way round).
                out += u"[b-a]";
                return false;
            }
            if (accepted.single() && !candidates.voiced) {
                appendLiteral(out, accepted.ranges()[0].first);
                return false;
            }
            out += u'[';
            appendRanges(out, accepted.ranges());
            out += u']';
            break;
        }
        [[fallthrough]];
    case WildcardToken::AnyOne:
    case WildcardToken::NonAlnum: {
        CharacterSet excluded;
        if (folded.kind == WildcardToken::NonAlnum) {
            excluded.add(DigitRanges);
            excluded.add(LetterRanges);
        } else if (folded.kind == WildcardToken::Set) {
            excluded.add(folded.ranges);
        }
        const CharacterSet own = excluded;
        for (const auto &[lo, hi] : candidates.taken.ranges()) {
            for (char32_t c = lo; c <= hi; ++c)
                excluded.remove(c);
        }
        if (excluded.empty()) {
            out += u'?';
        } else if (folded.kind == WildcardToken::NonAlnum && excluded == own) {
            out += u'.';
        } else {
            out += u"[~";
            appendRanges(out, excluded.ranges());
            out += u']';
        }
        break;
    }
    }
    if (candidates.voiced) {
        out += u'*';
        return true;
    }
    return false;
}

std::u16string widenAlternative(const cad::WildcardAlternative &folded)
{
    // "Anything but" cannot be widened: every text goes to the tool.
    if (folded.negated)
        return u"*";
    std::u16string out;
    bool endsInStar = false;
    for (const WildcardToken &token : folded.tokens) {
        if (token.kind == WildcardToken::AnyRun && endsInStar)
            continue;
        endsInStar = appendWidened(out, token);
    }
    return out;
}

} // namespace

WidthInsensitivePattern::WidthInsensitivePattern(std::u16string_view pattern)
{
    const cad::CompiledWildcard compiled = cad::compileWildcard(pattern);
    for (const cad::WildcardAlternative &alternative : compiled) {
        cad::WildcardAlternative folded;
        folded.negated = alternative.negated;
        folded.tokens = foldTokens(alternative.tokens);
        if (!m_filterPattern.empty() || !m_folded.empty())
            m_filterPattern += u',';
        m_filterPattern += widenAlternative(folded);
        m_folded.push_back(std::move(folded));
    }
}

bool WidthInsensitivePattern::matches(std::u16string_view text) const
{
    return cad::wildcardMatch(foldWidth(text), m_folded);
}

SearchMatcher::SearchMatcher(std::u16string_view pattern, bool widthInsensitive)
    : m_widthInsensitive(widthInsensitive)
    , m_pattern(pattern)
    , m_compiled(cad::compileWildcard(pattern))
    , m_width(pattern)
{
}

const std::u16string &SearchMatcher::filterPattern() const
{
    return m_widthInsensitive ? m_width.filterPattern() : m_pattern;
}

bool SearchMatcher::matches(std::u16string_view text) const
{
    return m_widthInsensitive ? m_width.matches(text) : cad::wildcardMatch(text, m_compiled);
}
