#include "characters/IncludeMatcher.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The rule the matcher must reproduce: ask every character at every position.
std::vector<int> scanWinners(const CharacterList &characters, const QStringList &tokens,
                             bool caseSensitive, bool looseMatch)
{
    std::vector<int> winners;
    for (int j = 0; j < tokens.size(); ++j) {
        int best = -1;
        for (int c = 0; c < static_cast<int>(characters.size()); ++c) {
            if (characters[c]->occursAt(tokens, j, caseSensitive, looseMatch) &&
                (best < 0 || characters[c]->names.size() > characters[best]->names.size()))
                best = c;
        }
        if (best >= 0)
            winners.push_back(best);
    }
    return winners;
}

} // namespace

TEST(IncludeMatcher, Winners_LongestNameThenListOrder)
{
    const CharacterList list{characterNamed("BOB"), characterNamed("BOB STONE"),
                             characterNamed("ANN"), characterNamed("ANNE"),
                             characterNamed("JOHN SMITH", {{"MR", "SMITH"}})};
    IncludeMatcher matcher(list, false, false);
    // "x SMITH" is a partial match of JOHN SMITH at the x.
    EXPECT_EQ(matcher.winners(QString("bob ann x SMITH mr smith").split(' ')),
              (std::vector<int>{1, 2, 4, 4}));
    EXPECT_TRUE(matcher.winners({""}).empty());
}

TEST(IncludeMatcher, Winners_SameAsAskingEveryCharacter)
{
    const CharacterList list{
        characterNamed("BOB"),
        characterNamed("JOHN SMITH", {{"MR", "SMITH"}, {"JOHNNY"}, {}}),
        characterNamed("MARY JANE WATSON", {{"MJ"}}),
        characterNamed("BOB "), // an empty name word matches empty tokens
        characterNamed("\u00C9MILE", {{"\u00C9M"}}),
        characterNamed("STRASSE"),
        std::make_shared<Character>(QStringList{}),
        characterNamed("ANN", {{"A.", "N."}}),
    };
    const QStringList vocabulary{
        "BOB", "bob", "Bob's",      "JOHN",       "john",     "SMITH",       "MR",
        "MR.", "mr.", "JOHNNY",     "MARY",       "JANE",     "WATSON",      "MJ",
        "",    "and", "\u00C9MILE", "\u00E9mile", "\u00C9M!", "STRA\u00DFE", "strasse",
        "ANN", "A.",  "N.",         "A",          "N",        "\u017FMITH",  "\xF0\x9F\x98\x80"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pick(0, vocabulary.size() - 1);
    std::uniform_int_distribution<int> length(0, 9);
    for (int line = 0; line < 400; ++line) {
        QStringList tokens;
        for (int t = length(random); t >= 0; --t)
            tokens.append(vocabulary.at(pick(random)));
        for (const bool caseSensitive : {false, true}) {
            for (const bool loose : {false, true}) {
                IncludeMatcher matcher(list, caseSensitive, loose);
                EXPECT_EQ(matcher.winners(tokens), scanWinners(list, tokens, caseSensitive, loose))
                    << tokens.join('|').toStdString() << " cs=" << caseSensitive
                    << " loose=" << loose;
            }
        }
    }
}

TEST(IncludeMatcher, WordKey_EqualForWordsThatCompareEqual)
{
    const QStringList pairs{"BOB", "bob",    "\u00C9MILE", "\u00E9mile",       "\u017F",
                            "S",   "\u212A", "k",          "\xF0\x90\x90\x80", "\xF0\x90\x90\xA8"};
    int checked = 0;
    for (int i = 0; i < pairs.size(); i += 2) {
        const QString &a = pairs.at(i);
        const QString &b = pairs.at(i + 1);
        if (a.compare(b, Qt::CaseInsensitive) != 0)
            continue;
        ++checked;
        EXPECT_EQ(IncludeMatcher::wordKey(a, false), IncludeMatcher::wordKey(b, false))
            << a.toStdString();
    }
    EXPECT_GE(checked, 3);
    EXPECT_NE(IncludeMatcher::wordKey("BOB", true), IncludeMatcher::wordKey("bob", true));
    EXPECT_EQ(IncludeMatcher::strippedWordKey("\u00ABMr.\u2014", false),
              IncludeMatcher::wordKey("MR", false));
    EXPECT_EQ(IncludeMatcher::strippedWordKey("...", true), IncludeMatcher::wordKey("", true));
}
