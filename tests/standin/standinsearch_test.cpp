// The text search on real drawings (every DXF under $MORVEX_SHARED_DRAWINGS
// and the folders of $MORVEX_DRAWINGS): the search tab's wildcard patterns,
// selected through the automation model of the stand-in's drawing, find the
// same strings as ezdxf's TEXT strings filtered by wildcardsearch.py, a
// wildcard matcher of its own written from the CAD's rules.

#include "ezdxfreader.h"

#include "app/caddocument.h"

#include "cad/connection.h"
#include "cad/document.h"
#include "cad/memory/memorydrawing.h"
#include "searchtab/searchpattern.h"
#include "searchtab/searchtexts.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

using namespace standintest;

// Patterns for every drawing: each rule of the CAD's wildcards at least once,
// with Japanese text, digit and letter classes, negation, escape and
// alternatives.
const char16_t *const FixedPatterns[] = {
    u"*", u"*A*", u"*ー*", u"#*", u"*[0-9]", u"[~A-Z]*", u"*-*,*_*", u"~*E*", u"`**",
};

const QString WildcardCharacters = QStringLiteral("*?#@.[]~`,");

std::string nameOf(const QString &path)
{
    return QFileInfo(path).fileName().toStdString();
}

// The strings of the TEXT entities the search tab finds for a pattern: the
// same filter, the same temporary selection set, the same reading.
QStringList searchStrings(const cad::Document &doc, const QString &pattern)
{
    const cad::TempSelectionSet temp(doc);
    temp->clear();
    temp->selectAll(SearchFilter(pattern));
    const FoundTexts found = readSearchTexts(
        temp.set(), temp->count(), [](int, int) {}, [] { return true; });
    QStringList strings;
    for (const Morv2 &record : found.records)
        strings << record.text;
    strings.sort();
    return strings;
}

// Moves a cut position off the middle of a surrogate pair.
qsizetype cutAt(const QString &text, qsizetype position)
{
    if (position > 0 && position < text.size() && text.at(position).isLowSurrogate())
        return position + 1;
    return position;
}

// A string of the drawing to build patterns from, as a user copies part of a
// text into the search field: preferably one holding wildcard characters,
// which then act as wildcards; else one with characters beyond ASCII.
QString sourceString(const QStringList &strings)
{
    QString best;
    int bestScore = -1;
    for (const QString &text : strings) {
        if (text.size() < 2)
            continue;
        int score = 0;
        for (const QChar c : WildcardCharacters)
            score += text.contains(c) ? 2 : 0;
        score += std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0x7F; }) ? 1 : 0;
        if (score > bestScore) {
            best = text;
            bestScore = score;
        }
    }
    return best;
}

// A prefix search and a partial search with parts of the drawing's own string.
QStringList patternsFrom(const QString &text)
{
    if (text.isEmpty())
        return {};
    const qsizetype size = text.size();
    const qsizetype prefixEnd = cutAt(text, (size + 1) / 2);
    const qsizetype middleStart = cutAt(text, size / 4);
    const qsizetype middleEnd = std::max(middleStart + 1, cutAt(text, size - size / 4));
    return {SearchPattern(text.left(prefixEnd), true),
            SearchPattern(text.mid(middleStart, middleEnd - middleStart), false)};
}

struct ReferenceSearch
{
    bool ok = false;
    QStringList texts;              // every model- and paper-space TEXT string
    QList<QStringList> matches;     // sorted, one list per pattern
};

// One run of wildcardsearch.py for all patterns of a drawing.
ReferenceSearch referenceSearch(const QString &path, const QStringList &patterns)
{
    ReferenceSearch result;
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(MORVEX_WILDCARDSEARCH_SCRIPT), path});
    process.write(QJsonDocument(QJsonArray::fromStringList(patterns)).toJson(QJsonDocument::Compact));
    process.closeWriteChannel();
    if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        ADD_FAILURE() << "wildcardsearch.py failed on " << path.toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return result;
    }
    const QJsonObject output = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    for (const QJsonValue &text : output.value(QStringLiteral("texts")).toArray())
        result.texts << text.toString();
    for (const QJsonValue &indexes : output.value(QStringLiteral("matches")).toArray()) {
        QStringList strings;
        for (const QJsonValue &index : indexes.toArray())
            strings << result.texts.value(index.toInt());
        strings.sort();
        result.matches << strings;
    }
    result.ok = result.matches.size() == patterns.size();
    EXPECT_TRUE(result.ok) << "wildcardsearch.py gave " << result.matches.size() << " results for "
                           << patterns.size() << " patterns";
    return result;
}

// What one sorted multiset holds more than the other, a few of them quoted.
std::string surplus(const QStringList &sorted, const QStringList &otherSorted)
{
    QStringList extra;
    std::set_difference(sorted.cbegin(), sorted.cend(), otherSorted.cbegin(), otherSorted.cend(),
                        std::back_inserter(extra));
    QStringList quoted;
    for (const QString &text : extra.mid(0, 10))
        quoted << u'"' + text + u'"';
    return QStringLiteral("%1 [%2%3]")
        .arg(extra.size())
        .arg(quoted.join(QStringLiteral(", ")), extra.size() > 10 ? QStringLiteral(", …") : QString())
        .toStdString();
}

class StandInSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString skipReason;
        m_drawings = corpusDrawings(&skipReason);
        if (!skipReason.isEmpty())
            std::printf("Note: %s\n", qPrintable(skipReason));
        if (m_drawings.isEmpty())
            GTEST_SKIP() << "no drawings to test: " << skipReason.toStdString();
        if (!ezdxfAvailable())
            GTEST_SKIP() << "ezdxf is missing (/usr/bin/python3 with python3-ezdxf)";
    }

    QStringList m_drawings;
};

TEST_F(StandInSearch, WildcardSearchFindsTheStringsOfTheReferenceMatcher)
{
    for (const QString &path : std::as_const(m_drawings)) {
        SCOPED_TRACE(nameOf(path));
        const auto document = standin::CadDocument::open(path);
        const cad::Application app(document->drawing()->application());
        const cad::Document doc = app.activeDocument();

        QStringList patterns;
        for (const char16_t *pattern : FixedPatterns)
            patterns << QString::fromUtf16(pattern);
        const QString source = sourceString(searchStrings(doc, QStringLiteral("*")));
        patterns += patternsFrom(source);

        const ReferenceSearch reference = referenceSearch(path, patterns);
        if (!reference.ok)
            continue;
        QStringList counts;
        for (qsizetype i = 0; i < patterns.size(); ++i) {
            SCOPED_TRACE("pattern " + patterns[i].toStdString());
            const QStringList found = searchStrings(doc, patterns[i]);
            const QStringList &expected = reference.matches[i];
            EXPECT_TRUE(found == expected) << "found by the CAD only: " << surplus(found, expected)
                                           << "\nfound by the reference only: " << surplus(expected, found);
            counts << QStringLiteral("%1 %2").arg(patterns[i]).arg(found.size());
        }
        // "*" is every TEXT string ezdxf reads, for the reference too.
        EXPECT_EQ(reference.matches.value(0).size(), reference.texts.size());
        std::printf("%s (%lld texts, patterns from \"%s\"): %s\n", nameOf(path).c_str(),
                    static_cast<long long>(reference.texts.size()), qPrintable(source),
                    qPrintable(counts.join(QStringLiteral("; "))));
    }
}

} // namespace
