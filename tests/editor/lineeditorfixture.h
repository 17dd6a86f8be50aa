#pragma once

// A shown line editor of the first tab's size, for tests that type, click
// and read back.

#include "editor/lineeditor.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class LineEditorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editor.resize(320, 154);
        editor.show();
    }

    // Types text at the caret as the keyboard would, one key event per
    // character (non-ASCII text goes through Key_unknown).
    void type(const QString &text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&editor, key, modifiers);
    }

    LineEditor editor;
};
