#ifndef DXFCODEPAGEDETECTOR_H
#define DXFCODEPAGEDETECTOR_H

#include <QByteArray>
#include <QByteArrayView>

// Decides the code page of a pre-R2007 drawing that names none, from every
// non-ASCII value it holds (strings, layer, style and block names), as a CAD
// on Japanese Windows would read it: Shift_JIS as Windows writes it
// (ANSI_932) when every such value is well-formed Windows-31J, none uses the
// user-defined area (lead bytes F0 to F9), and some run of two or more
// double-byte characters looks Japanese (a lead byte 82 or 83, the kana
// rows, or a trail byte of 80 or more); windows-1252 otherwise. Latin text in
// windows-1252 seldom forms valid Windows-31J at all, and hardly ever such a
// run: its accented letters stand alone between ASCII letters.
class DxfCodePageDetector
{
public:
    // One value of the file as read; ASCII values tell nothing and are skipped.
    void add(QByteArrayView value);

    bool isShiftJis() const { return m_wellFormed && m_japanese; }
    // "ANSI_932" or "ANSI_1252".
    QByteArray codePage() const;

private:
    bool m_wellFormed = true;
    bool m_japanese = false;
};

#endif // DXFCODEPAGEDETECTOR_H
