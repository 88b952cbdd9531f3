// The corpus table row and the co-presence network of hand-made scene indexes.

#include "SceneIndexBuilder.h"

#include "facts/FactsColumns.h"
#include "scenes/CoPresenceNetwork.h"
#include "scenes/CorpusSummary.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

QStringList fieldsOf(const QString &row)
{
    EXPECT_TRUE(row.endsWith(QLatin1Char('\n')));
    return row.chopped(1).split(QLatin1Char(','));
}

} // namespace

TEST(CorpusSummaryTest, RowCountsScenesPerBreakString_AndNamesTheLeaders)
{
    auto index = makeSceneIndex(3, {{0.0f, 0.2f, {0, 0, 0}},
                                    {0.2f, 0.5f, {4, 1, 0}},
                                    {0.5f, 0.8f, {0, 3, 2}},
                                    {0.8f, 1.0f, {2, 2, 0}}});
    index->scenes[0].type = QStringLiteral("START");
    index->scenes[1].type = QStringLiteral("INT.");
    index->scenes[2].type = QStringLiteral("EXT.");
    index->scenes[3].type = QStringLiteral("INT.");
    index->characters[1]->names = QStringList{QStringLiteral("ANNA"), QStringLiteral("LEE,")};
    const QStringList breakStrings{QStringLiteral("INT."), QStringLiteral("EXT."),
                                   QStringLiteral("INT.")};

    SummarySource source;
    source.file = QStringLiteral("a.txt");
    source.format = QStringLiteral("text");
    source.lines = 120;
    source.index = index.get();
    const QStringList header = fieldsOf(corpusSummaryHeader(breakStrings));
    const QStringList row = fieldsOf(corpusSummaryRow(source, breakStrings));
    const int factColumns = factsColumnNames().size();
    ASSERT_EQ(header.size(), 15 + factColumns) << "a repeated break string has one column";
    // The name with a comma is quoted, so it takes two raw fields after the split.
    ASSERT_EQ(row.size(), 16 + factColumns);
    EXPECT_EQ(row.mid(0, 9), (QStringList{"a.txt", "text", "120", "", "4", "3", "14", "2", "1"}));
    // C0 and ANNA LEE, both have 6 lines: the first in index order leads.
    EXPECT_EQ(row.at(9), QStringLiteral("C0"));
    EXPECT_EQ(row.at(10), QStringLiteral("0.4286"));
    EXPECT_EQ(row.at(11) + QLatin1Char(',') + row.at(12), QStringLiteral("\"ANNA LEE,\""));
    // Without the screenplay's facts their columns stay empty.
    const QStringList empty(factColumns, QString());
    EXPECT_EQ(row.mid(13), (QStringList{"3"} + empty + QStringList{"no", ""}));
}

TEST(CorpusSummaryTest, FailedScreenplay_KeepsItsRowWithTheReason)
{
    SummarySource source;
    source.file = QStringLiteral("gone.fdx");
    source.format = QStringLiteral("fdx");
    source.failure = QStringLiteral("is not well-formed XML");
    const QStringList breakStrings{QStringLiteral("INT.")};
    const QStringList row = fieldsOf(corpusSummaryRow(source, breakStrings));
    EXPECT_EQ(row.size(), fieldsOf(corpusSummaryHeader(breakStrings)).size());
    EXPECT_EQ(row.first(), QStringLiteral("gone.fdx"));
    EXPECT_EQ(row.at(2), QString()) << "nothing was read, so no line count";
    EXPECT_EQ(row.mid(row.size() - 2), (QStringList{"yes", "is not well-formed XML"}));
}

TEST(CoPresenceNetworkTest, EdgesWeighSharedScenes_AndTheFileIsValidXmlForAnyName)
{
    auto index = makeSceneIndex(
        4, {{0.0f, 0.3f, {1, 1, 0, 0}}, {0.3f, 0.6f, {2, 1, 1, 0}}, {0.6f, 1.0f, {0, 0, 3, 0}}});
    index->characters[0]->names = QStringList{QString::fromUtf8("A&B <\x01\xEF\xBF\xBF>")};
    const QString graphml = coPresenceGraphml(*index);

    QXmlStreamReader xml(graphml);
    QStringList edges;
    QString firstName;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("edge"))
            edges.append(attributes.value(QLatin1String("source")).toString() + QLatin1Char('-') +
                         attributes.value(QLatin1String("target")).toString());
        else if (xml.name() == QLatin1String("data") &&
                 attributes.value(QLatin1String("key")) == QLatin1String("weight"))
            edges.last() += QLatin1Char('=') + xml.readElementText();
        else if (xml.name() == QLatin1String("data") && firstName.isNull() &&
                 attributes.value(QLatin1String("key")) == QLatin1String("name"))
            firstName = xml.readElementText();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(firstName, QStringLiteral("A&B <>"));
    // C3 meets nobody: a node without edges.
    EXPECT_EQ(edges, (QStringList{"n0-n1=2", "n0-n2=1", "n1-n2=1"}));
    EXPECT_EQ(graphml.count(QStringLiteral("<node ")), 4);
}

TEST(CoPresenceNetworkTest, TooLarge_PairsCountedOncePerSharedScene)
{
    // Two scenes of 1,000 together: 499,500 pairs each, 999,000 meetings, within the bound.
    const std::vector<int> all(1000, 1);
    auto twice = makeSceneIndex(1000, {{0.0f, 0.5f, all}, {0.5f, 1.0f, all}});
    EXPECT_EQ(coPresenceTooLarge(*twice), QString());
    auto crowded = makeSceneIndex(1500, {{0.0f, 1.0f, std::vector<int>(1500, 1)}});
    EXPECT_EQ(coPresenceTooLarge(*crowded), "its scenes bring together 1124250 pairs of "
                                            "characters, more than the 1000000 a network is "
                                            "written for");
}
