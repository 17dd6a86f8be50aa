#include "wildcardmatch.h"

#include "cad/ustring.h"

#include <string>
#include <vector>

namespace cad {

namespace {

bool isDigit(char32_t c) { return isWildcardDigit(c); }
bool isLetter(char32_t c) { return isWildcardLetter(c); }

// The pattern and the text are matched character by character: a surrogate
// pair is one character for "?", "[...]" and "." like any other. A lone
// surrogate stays a character of its own.
std::u32string codePoints(std::u16string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// The index of the "]" that closes the set opened by the "[" at p[open], or
// npos when nothing closes it (the "[" then stands for itself). A "]" right
// after "[" or "[~" is a member, and "`" takes the next character as a
// member. Compiling a set and splitting at commas both go by this, so a
// comma inside a set is always a member ("[~],]x" is one pattern).
size_t setEnd(std::u32string_view p, size_t open)
{
    size_t j = open + 1;
    if (j < p.size() && p[j] == U'~')
        ++j;
    for (bool first = true; j < p.size(); ++j, first = false) {
        if (p[j] == U']' && !first)
            return j;
        if (p[j] == U'`' && j + 1 < p.size())
            ++j;
    }
    return std::u32string_view::npos;
}

using Token = WildcardToken;

char32_t fold(char32_t c, bool ignoreCase)
{
    return ignoreCase && c < 0x80 ? asciiUpper(char16_t(c)) : c;
}

std::vector<Token> compile(std::u32string_view p, bool ignoreCase)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        Token t;
        switch (c) {
        case U'*': t.kind = Token::AnyRun; break;
        case U'?': t.kind = Token::AnyOne; break;
        case U'#': t.kind = Token::Digit; break;
        case U'@': t.kind = Token::Letter; break;
        case U'.': t.kind = Token::NonAlnum; break;
        case U'`':
            t.ch = (i + 1 < p.size()) ? p[++i] : U'`';
            break;
        case U'[': {
            const size_t end = setEnd(p, i);
            if (end == std::u32string_view::npos) {
                // An unclosed bracket stands for itself.
                t.ch = c;
                break;
            }
            t.kind = Token::Set;
            size_t j = i + 1;
            if (p[j] == U'~') {
                t.negated = true;
                ++j;
            }
            for (; j < end; ++j) {
                char32_t m = p[j];
                if (m == U'`')
                    m = p[++j];
                if (j + 2 < end && p[j + 1] == U'-') {
                    char32_t hi = p[j + 2];
                    j += 2;
                    if (hi == U'`')
                        hi = p[++j];
                    t.ranges.emplace_back(fold(m, ignoreCase), fold(hi, ignoreCase));
                } else {
                    t.ranges.emplace_back(fold(m, ignoreCase), fold(m, ignoreCase));
                }
            }
            i = end;
            break;
        }
        default:
            t.ch = c;
        }
        if (t.kind == Token::Literal)
            t.ch = fold(t.ch, ignoreCase);
        tokens.push_back(std::move(t));
    }
    return tokens;
}

} // namespace

bool isWildcardDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool isWildcardLetter(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'))
        return true;
    // Latin letters with diacritics: Latin-1 to Latin Extended-B without
    // × and ÷, and Latin Extended Additional (Vietnamese, Welsh Ẁ …).
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c <= 0x1EFF);
}

bool wildcardTokenMatches(const WildcardToken &t, char32_t c)
{
    switch (t.kind) {
    case Token::Literal: return c == t.ch;
    case Token::AnyOne: return true;
    case Token::Digit: return isDigit(c);
    case Token::Letter: return isLetter(c);
    case Token::NonAlnum: return !isDigit(c) && !isLetter(c);
    case Token::Set: {
        bool in = false;
        for (const auto &r : t.ranges) {
            if (c >= r.first && c <= r.second) {
                in = true;
                break;
            }
        }
        return in != t.negated;
    }
    case Token::AnyRun: return false;
    }
    return false;
}

namespace {

bool matchesOne(const Token &t, char32_t c) { return wildcardTokenMatches(t, c); }

// Iterative matching with backtracking to the last '*', linear in practice.
bool matchTokens(std::u32string_view text, const std::vector<Token> &tokens, bool ignoreCase)
{
    size_t ti = 0, pi = 0;
    size_t starPi = std::u32string_view::npos, starTi = 0;
    while (ti < text.size()) {
        if (pi < tokens.size() && tokens[pi].kind == Token::AnyRun) {
            starPi = pi++;
            starTi = ti;
        } else if (pi < tokens.size() && matchesOne(tokens[pi], fold(text[ti], ignoreCase))) {
            ++pi;
            ++ti;
        } else if (starPi != std::u32string_view::npos) {
            pi = starPi + 1;
            ti = ++starTi;
        } else {
            return false;
        }
    }
    while (pi < tokens.size() && tokens[pi].kind == Token::AnyRun)
        ++pi;
    return pi == tokens.size();
}

// Splits at commas that are neither escaped nor inside brackets.
std::vector<std::u32string_view> alternatives(std::u32string_view pattern)
{
    std::vector<std::u32string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char32_t c = pattern[i];
        if (c == U'`') {
            ++i;
        } else if (c == U'[') {
            const size_t end = setEnd(pattern, i);
            if (end != std::u32string_view::npos)
                i = end;
        } else if (c == U',') {
            parts.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(pattern.substr(start));
    return parts;
}

} // namespace

namespace {

CompiledWildcard compileAll(std::u16string_view pattern, bool ignoreCase)
{
    const std::u32string patternCharacters = codePoints(pattern);
    CompiledWildcard compiled;
    for (std::u32string_view alt : alternatives(patternCharacters)) {
        WildcardAlternative alternative;
        if (!alt.empty() && alt.front() == U'~') {
            alternative.negated = true;
            alt.remove_prefix(1);
        }
        alternative.tokens = compile(alt, ignoreCase);
        compiled.push_back(std::move(alternative));
    }
    return compiled;
}

bool matchCompiled(std::u16string_view text, const CompiledWildcard &compiled, bool ignoreCase)
{
    const std::u32string characters = codePoints(text);
    for (const WildcardAlternative &alternative : compiled) {
        if (matchTokens(characters, alternative.tokens, ignoreCase) != alternative.negated)
            return true;
    }
    return false;
}

} // namespace

bool wildcardMatch(std::u16string_view text, std::u16string_view pattern, bool ignoreCase)
{
    return matchCompiled(text, compileAll(pattern, ignoreCase), ignoreCase);
}

CompiledWildcard compileWildcard(std::u16string_view pattern)
{
    return compileAll(pattern, false);
}

bool wildcardMatch(std::u16string_view text, const CompiledWildcard &pattern)
{
    return matchCompiled(text, pattern, false);
}

} // namespace cad
