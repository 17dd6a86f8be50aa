#pragma once
// A tag set of the attribute grid: one line of the tag-set list file, such
// as "機器,NAME,NAME1,SPEC,TYPE" — a name, then the attribute tags in grid
// column order. The name may carry a block name filter in square brackets
// ("図枠[ABC*]").

#include <QChar>
#include <QString>
#include <QStringList>

// Splits a line into its elements at each separator. Blanks belong to the
// element they stand in. An element that begins with a double quote runs to
// its closing quote and may hold separators; a doubled quote inside stands
// for one. A separator at the very end adds an empty last element; an empty
// line has no elements.
QStringList splitQuotedList(const QString &line, QChar separator);

struct TagSet
{
    QString name;
    QString blockFilter = QStringLiteral("*"); // the CAD's wildcard for block names
    QStringList tags;                          // tag c goes to grid column c + 1
};

// The tag set of a ComboBox2 item; an empty text has no elements.
TagSet readTagSet(const QString &itemText);

// The characters between the first '[' and the first ']' after it when at
// least one lies between; otherwise "*".
QString blockFilterOfName(const QString &name);
