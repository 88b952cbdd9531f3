#include "facts/SceneHeading.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct HeadingCase
{
    const char *line;
    const char *interior;
    const char *location;
    const char *time;
};

} // namespace

TEST(SceneHeadingTest, PrefixLocationAndTime_InTheWaysScriptsWriteThem)
{
    const HeadingCase cases[] = {
        {"INT. LIGHTHOUSE - STAIRS - NIGHT", "INT", "LIGHTHOUSE - STAIRS", "NIGHT"},
        {"EXT. PARK--DAY", "EXT", "PARK", "DAY"},
        {"EXT. YARD -- dusk", "EXT", "YARD", "DUSK"},
        {"INT./EXT. CAR - MOVING - DAY", "INT/EXT", "CAR - MOVING", "DAY"},
        {"I/E CAR - DAY", "INT/EXT", "CAR", "DAY"},
        {"EXT./INT. SHED - LATER", "INT/EXT", "SHED", "LATER"},
        {"INT X-RAY ROOM", "INT", "X-RAY ROOM", ""},
        {"INTERIOR. CHAPEL - MORNING", "INT", "CHAPEL", "MORNING"},
        {"int. kitchen - night", "INT", "kitchen", "NIGHT"},
        // What follows the time of day in brackets, and scene numbers, are not part of it.
        {"INT. HALL - NIGHT (1987)", "INT", "HALL", "NIGHT"},
        {"EXT. YARD - NIGHT [CONTINUOUS]", "EXT", "YARD", "NIGHT"},
        {"12 INT. HALL - DAY 12", "INT", "HALL", "DAY"},
        {"EXT. FERRY DECK - NIGHT #1#", "EXT", "FERRY DECK", "NIGHT"},
        // No prefix: the heading (a manual break, an establishing shot) is all location.
        {"THE MOON - NIGHT", "", "THE MOON", "NIGHT"},
        {"EST. HARBOUR - DAWN", "", "HARBOUR", "DAWN"},
        {"INTERVIEW ROOM", "", "INTERVIEW ROOM", ""},
    };
    for (const HeadingCase &expected : cases) {
        const SceneHeading heading = parseSceneHeading(QString::fromUtf8(expected.line));
        EXPECT_EQ(heading.interior, QString::fromUtf8(expected.interior)) << expected.line;
        EXPECT_EQ(heading.location, QString::fromUtf8(expected.location)) << expected.line;
        EXPECT_EQ(heading.time, QString::fromUtf8(expected.time)) << expected.line;
    }
}
