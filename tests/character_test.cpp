#include "characters/Character.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
QStringList words(const QString &text)
{
    return text.split(QLatin1Char(' '));
}
} // namespace

TEST(Character, Construction_DefaultsAndNameDerivedColour)
{
    const Character bob(QStringList{"BOB"});
    EXPECT_EQ(bob.count, 0);
    EXPECT_FALSE(bob.forcedColor);
    EXPECT_EQ(bob.color.saturation(), 200);
    EXPECT_GE(bob.color.value(), 150);
    EXPECT_LE(bob.color.value(), 205);
    // Same name, same first colour; the seed is the sum of signed 8-bit codes.
    EXPECT_EQ(Character(QStringList{"BOB"}).color, bob.color);
    EXPECT_EQ(Character::nameSeed({"AB", "C"}), 65 + 66 + 67);
    EXPECT_EQ(Character::nameSeed({QString::fromUtf8("\xC3\xA9")}), -23);
}

TEST(Character, DisplayTextAndClass)
{
    const Character mary(QStringList{"MARY", "JANE"});
    EXPECT_EQ(mary.displayText(), QString("MARY JANE "));
    EXPECT_EQ(mary.characterClass(), QString("MARYJANE"));
}

TEST(Character, MatchAt_StrictPartialAndCase)
{
    const Character john(QStringList{"JOHN", "SMITH"});
    EXPECT_EQ(john.matchAt(words("said JOHN SMITH today"), 1, false, false),
              (QStringList{"JOHN", "SMITH"}));
    // Only the first word is in its place: a partial, non-empty result.
    EXPECT_EQ(john.matchAt(words("JOHN DOE"), 0, false, false), QStringList{"JOHN"});
    EXPECT_EQ(john.matchAt(words("john smith"), 0, false, false), (QStringList{"john", "smith"}));
    EXPECT_TRUE(john.matchAt(words("john smith"), 0, true, false).isEmpty());
    // Text runs out after one word.
    EXPECT_EQ(john.matchAt(words("x JOHN"), 1, false, false), QStringList{"JOHN"});
}

TEST(Character, MatchAt_LooseContainmentAndAliasPunctuation)
{
    Character bob(QStringList{"BOB"});
    EXPECT_EQ(bob.matchAt(words("BOB'S"), 0, false, true), QStringList{"BOB'S"});
    EXPECT_TRUE(bob.matchAt(words("BOB'S"), 0, false, false).isEmpty());

    Character smith(QStringList{"JOHN", "SMITH"});
    smith.aliases.append(QStringList{"MR", "SMITH"});
    EXPECT_EQ(smith.matchAt(words("MR. SMITH"), 0, false, true), (QStringList{"MR", "SMITH"}));
    // Strict mode keeps the full stop, so only the partial name match remains.
    EXPECT_EQ(smith.matchAt(words("MR. SMITH"), 0, false, false), QStringList{"SMITH"});
}

TEST(Character, OccursAt_AgreesWithMatchAt)
{
    Character bob(QStringList{"BOB"});
    Character smith(QStringList{"JOHN", "SMITH"});
    smith.aliases = {QStringList{"MR", "SMITH"}, QStringList{}, QStringList{"JOHNNY"}};
    Character spaced(QStringList{"BOB", ""});
    Character nameless{QStringList{}};
    const QStringList texts{"BOB'S here",
                            "said JOHN DOE",
                            "MR. SMITH left",
                            "mr smith",
                            "Johnny!",
                            "x SMITH",
                            "BOB  and",
                            "",
                            "\u00AB\u2014JOHNNY\u00BB",
                            "sMiTh jOhN SMITH"};
    for (const Character *character : {&bob, &smith, &spaced, &nameless}) {
        for (const QString &text : texts) {
            const QStringList words = text.split(QLatin1Char(' '));
            for (int start = 0; start < words.size(); ++start) {
                for (const bool caseSensitive : {false, true}) {
                    for (const bool loose : {false, true}) {
                        EXPECT_EQ(character->occursAt(words, start, caseSensitive, loose),
                                  !character->matchAt(words, start, caseSensitive, loose).isEmpty())
                            << character->displayText().toStdString() << "| " << text.toStdString()
                            << " @" << start << " cs=" << caseSensitive << " loose=" << loose;
                    }
                }
            }
        }
    }
    // The guillemets and the em dash are punctuation for loose alias matching.
    EXPECT_TRUE(smith.occursAt({"\u00AB\u2014JOHNNY\u00BB"}, 0, true, true));
    EXPECT_FALSE(smith.occursAt({"\u00AB\u2014JOHNNY\u00BB"}, 0, true, false));
    EXPECT_FALSE(nameless.occursAt({""}, 0, false, true));
}
