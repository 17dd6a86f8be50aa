#pragma once
// QString and the CAD link's UTF-16 strings hold the same code units.

#include <QString>

#include <string>

inline QString qs(const std::u16string &s) { return QString::fromStdU16String(s); }
inline std::u16string us(const QString &s) { return s.toStdU16String(); }
