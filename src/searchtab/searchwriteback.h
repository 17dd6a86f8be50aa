#pragma once
// Writing edited rows of the search grid back into their TEXT entities.

#include "morv2.h"

#include "cad/document.h"

// Where the record's text comes from after a write.
enum class RecordTextAfterWrite {
    ReadBack, // the entity's TextString read again (the Enter key)
    Sent,     // the text that was sent ("更新")
};

// Puts `text` into the record's entity and updates it; then the record
// takes the entity's InsertionPoint and its new text. A failing call throws
// CadError and leaves the record as it was.
void writeSearchText(const cad::Document &doc, Morv2 &rec, const QString &text, RecordTextAfterWrite after);

// What one "更新" did: the rows it tried to write, those written, and the
// changed rows on locked layers it left alone.
struct SearchUpdateCounts
{
    int targets = 0;
    int written = 0;
    int lockedRows = 0;
};

// The information message that closes "更新".
QString searchUpdateMessage(const SearchUpdateCounts &counts);
