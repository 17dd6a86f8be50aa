#pragma once
// Placing TEXT entities and finding the text new ones are copied from.

#include "morv.h"

#include "cad/document.h"

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

// Gives every record without point the point one offset step after the
// record before it.
void fillMissingPoints(MorvList &records, double dX, double dY);
