#pragma once

// Reading the serial number dialog's fields into a run, and its preview line.

#include "transform/serialrun.h"

#include <string>

// The dialog's fields as typed.
struct SerialRunFields
{
    std::u16string prefix;    // 前固定
    std::u16string startText; // 開始数
    std::u16string suffix;    // 後固定
    std::u16string stepText;  // アップ数, decimal
    std::u16string countText; // 作成数, decimal
    int radix = 10;           // 10, 16 or 8
};

// The preview tolerates half-typed fields differently from the creation: a
// start that does not read counts as 0 in the preview but 1 when creating,
// and so does a count with a start text (in the hexadecimal and octal
// radixes the preview counts it as 1 as well).
enum class SerialFieldUse { Preview, Creation };

SerialRun ReadSerialRun(const SerialRunFields &fields, SerialFieldUse use);

// "[ XY ] x 3" without a start text; otherwise the first and the last text of
// the run, "[ 00 ] ～ [ 15 ]", with the start text shown as typed.
std::u16string SerialPreview(const SerialRunFields &fields);
