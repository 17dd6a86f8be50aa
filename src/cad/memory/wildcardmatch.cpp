#include "wildcardmatch.h"

#include "cad/ustring.h"

#include <string>
#include <vector>

namespace cad {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isLetter(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
        return true;
    // Latin letters with diacritics, without × and ÷.
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

// One element of a compiled pattern.
struct Token
{
    enum Kind { Literal, AnyRun, AnyOne, Digit, Letter, NonAlnum, Set } kind = Literal;
    char16_t ch = 0;
    bool negated = false;
    std::vector<std::pair<char16_t, char16_t>> ranges;
};

char16_t fold(char16_t c, bool ignoreCase) { return ignoreCase ? asciiUpper(c) : c; }

std::vector<Token> compile(std::u16string_view p, bool ignoreCase)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < p.size(); ++i) {
        const char16_t c = p[i];
        Token t;
        switch (c) {
        case u'*': t.kind = Token::AnyRun; break;
        case u'?': t.kind = Token::AnyOne; break;
        case u'#': t.kind = Token::Digit; break;
        case u'@': t.kind = Token::Letter; break;
        case u'.': t.kind = Token::NonAlnum; break;
        case u'`':
            t.ch = (i + 1 < p.size()) ? p[++i] : u'`';
            break;
        case u'[': {
            size_t j = i + 1;
            t.kind = Token::Set;
            if (j < p.size() && p[j] == u'~') {
                t.negated = true;
                ++j;
            }
            // A ']' right after the opening bracket is a member, as in the CAD.
            bool first = true;
            bool closed = false;
            while (j < p.size()) {
                char16_t m = p[j];
                if (m == u']' && !first) {
                    closed = true;
                    break;
                }
                if (m == u'`' && j + 1 < p.size())
                    m = p[++j];
                if (j + 2 < p.size() && p[j + 1] == u'-' && p[j + 2] != u']') {
                    char16_t hi = p[j + 2];
                    j += 2;
                    if (hi == u'`' && j + 1 < p.size())
                        hi = p[++j];
                    t.ranges.emplace_back(fold(m, ignoreCase), fold(hi, ignoreCase));
                } else {
                    t.ranges.emplace_back(fold(m, ignoreCase), fold(m, ignoreCase));
                }
                first = false;
                ++j;
            }
            if (!closed) {
                // An unclosed bracket stands for itself.
                t = Token();
                t.ch = c;
            } else {
                i = j;
            }
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

bool matchesOne(const Token &t, char16_t c)
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

// Iterative matching with backtracking to the last '*', linear in practice.
bool matchTokens(std::u16string_view text, const std::vector<Token> &tokens, bool ignoreCase)
{
    size_t ti = 0, pi = 0;
    size_t starPi = std::u16string_view::npos, starTi = 0;
    while (ti < text.size()) {
        if (pi < tokens.size() && tokens[pi].kind == Token::AnyRun) {
            starPi = pi++;
            starTi = ti;
        } else if (pi < tokens.size() && matchesOne(tokens[pi], fold(text[ti], ignoreCase))) {
            ++pi;
            ++ti;
        } else if (starPi != std::u16string_view::npos) {
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
std::vector<std::u16string_view> alternatives(std::u16string_view pattern)
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    bool inSet = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'`') {
            ++i;
        } else if (c == u'[' && !inSet) {
            inSet = pattern.find(u']', i + 2) != std::u16string_view::npos;
        } else if (c == u']' && inSet) {
            inSet = false;
        } else if (c == u',' && !inSet) {
            parts.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(pattern.substr(start));
    return parts;
}

} // namespace

bool wildcardMatch(std::u16string_view text, std::u16string_view pattern, bool ignoreCase)
{
    for (std::u16string_view alt : alternatives(pattern)) {
        bool negate = false;
        if (!alt.empty() && alt.front() == u'~') {
            negate = true;
            alt.remove_prefix(1);
        }
        if (matchTokens(text, compile(alt, ignoreCase), ignoreCase) != negate)
            return true;
    }
    return false;
}

} // namespace cad
