#pragma once

// Full-width / half-width conversion of drawing texts.
//
// The ten class routines convert one class of characters in one direction,
// driven by the constant table ZenHanTable. AllHanToZen and AllZenToHan map
// every character of the string through the whole-string width mapping.
// Each routine replaces the given string with its converted form.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// The character classes of ZenHanTable, in the order they are stored.
enum class ZenHanClass { Digits, Letters, Symbols, Kana, Numerals };

// The two columns of a class: entry k of one column pairs with entry k of
// the other.
enum class ZenHanColumn { FullWidth, HalfWidth };

constexpr std::size_t ZenHanTableSize = 386;

// 386 strings: for each class in ZenHanClass order, its full-width column
// followed by its half-width column of the same length.
extern const std::array<std::u16string_view, ZenHanTableSize> ZenHanTable;

// One column of one class, in table order.
std::span<const std::u16string_view> zenHanColumn(ZenHanClass cls, ZenHanColumn column);

// Replaces, entry by entry in table order, every occurrence of the entries
// of the "from" column by the paired entry of the "to" column.
void convertZenHanClass(std::u16string &s, ZenHanClass cls, ZenHanColumn from, ZenHanColumn to);

void KanaHanToZen(std::u16string &s);
void KanaZenToHan(std::u16string &s);
void DigitHanToZen(std::u16string &s);
void DigitZenToHan(std::u16string &s);
void NumHanToZen(std::u16string &s);
void NumZenToHan(std::u16string &s);
void AlphaHanToZen(std::u16string &s);
void AlphaZenToHan(std::u16string &s);
void SymbolHanToZen(std::u16string &s);
void SymbolZenToHan(std::u16string &s);

// Every character that has a full-width (half-width) form takes it.
void AllHanToZen(std::u16string &s);
void AllZenToHan(std::u16string &s);
