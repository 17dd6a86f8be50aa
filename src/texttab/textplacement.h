#pragma once
// Placing TEXT entities and finding the text new ones are copied from.

#include "morv.h"

#include "cad/caderror.h"
#include "cad/document.h"

#include <optional>

// Puts a text at its position: the insertion point of a left-aligned text,
// else the alignment point. An aligned or fit text lies between its two
// points, so its insertion point moves by the same offset: it keeps its
// length and direction instead of being stretched or turned.
void placeText(const cad::Entity &text, const cad::Point &position);
// The same for a text whose alignment the caller already holds (its
// record's, or the one just read from it): no call asks for it again.
void placeText(const cad::Entity &text, const cad::Point &position, int alignment);

// The entity of the last record that has one and can still be reached;
// false when there is none.
bool LastTextObject(const cad::Document &doc, const MorvList &records, cad::Entity &object);

// A record read back from a TEXT entity (handle, string, alignment, layer,
// position).
Morv recordFromText(const cad::Entity &text);

// Where the write-back puts the text of editor line `line` (from 1): the
// record's own point; for a record without point (a place kept for a data
// line) and for a line beyond the records, the point of the nearest record
// above that has one, one offset step further for every line between.
// None when no record above has a point: the write-back places nothing
// there either.
std::optional<cad::Point> placeOfLine(const MorvList &records, int line, double dX, double dY);

// Gives every record without point the point one offset step after the
// record before it.
void fillMissingPoints(MorvList &records, double dX, double dY);

// Runs the steps that make a fresh copy the text of its line; when one of
// them fails, deletes the copy before the failure goes on, so that no new
// text is left holding the string of the text it was copied from.
template <typename Steps>
void fillCopyOrDeleteIt(const cad::Entity &copy, Steps steps)
{
    try {
        steps();
    } catch (const cad::CadError &) {
        try {
            copy.erase();
        } catch (const cad::CadError &) {
            // The command's undo group still takes it back with the rest.
        }
        throw;
    }
}
