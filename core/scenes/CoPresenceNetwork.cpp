#include "scenes/CoPresenceNetwork.h"

#include "scenes/ResearchName.h"
#include "scenes/TimeIndexVector.h"

#include <QXmlStreamWriter>

#include <algorithm>
#include <vector>

namespace {

// A pair of character positions, the lower one in the high half, so that sorted keys list the
// edges by first node, then second.
using PairKey = quint64;

PairKey pairKey(int lower, int higher)
{
    return (static_cast<PairKey>(lower) << 32) | static_cast<PairKey>(higher);
}

// The positions of the characters present in the scene, in index order.
std::vector<int> presentIn(const Scene &scene)
{
    std::vector<int> present;
    for (int k = 0; k < scene.counts.size(); ++k) {
        if (scene.counts.at(k) > 0)
            present.push_back(k);
    }
    return present;
}

// The pairs that meet in some scene, each counted once per scene, in each scene's order.
qint64 meetingCount(const TimeIndexVector &index)
{
    qint64 meetings = 0;
    for (const Scene &scene : index.scenes) {
        const qint64 present = qint64(presentIn(scene).size());
        meetings += present * (present - 1) / 2;
    }
    return meetings;
}

struct Edge
{
    PairKey pair;
    int sharedScenes;
};

// Every meeting's key, sorted, then counted in runs: time in the number of meetings (and its
// logarithm), with no hash table whose keys could all fall into a few buckets.
std::vector<Edge> sharedSceneCounts(const TimeIndexVector &index)
{
    std::vector<PairKey> meetings;
    meetings.reserve(size_t(meetingCount(index)));
    for (const Scene &scene : index.scenes) {
        const std::vector<int> present = presentIn(scene);
        for (size_t a = 0; a < present.size(); ++a) {
            for (size_t b = a + 1; b < present.size(); ++b)
                meetings.push_back(pairKey(present[a], present[b]));
        }
    }
    std::sort(meetings.begin(), meetings.end());
    std::vector<Edge> edges;
    for (size_t i = 0; i < meetings.size();) {
        size_t end = i + 1;
        while (end < meetings.size() && meetings[end] == meetings[i])
            ++end;
        edges.push_back({meetings[i], int(end - i)});
        i = end;
    }
    return edges;
}

void writeKey(QXmlStreamWriter &xml, const char *id, const char *target, const char *name,
              const char *type)
{
    xml.writeStartElement(QStringLiteral("key"));
    xml.writeAttribute(QStringLiteral("id"), QString::fromLatin1(id));
    xml.writeAttribute(QStringLiteral("for"), QString::fromLatin1(target));
    xml.writeAttribute(QStringLiteral("attr.name"), QString::fromLatin1(name));
    xml.writeAttribute(QStringLiteral("attr.type"), QString::fromLatin1(type));
    xml.writeEndElement();
}

// XML 1.0 cannot hold control characters (other than tab and line breaks), the two
// non-characters U+FFFE and U+FFFF or a lone surrogate, even escaped; a name read from a
// damaged file may hold them, and a graph reader would refuse the whole file.
QString xmlText(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            kept += c;
            kept += text.at(++i);
            continue;
        }
        const ushort code = c.unicode();
        const bool control = code < 0x20 && code != '\t' && code != '\n' && code != '\r';
        if (!control && !c.isSurrogate() && code != 0xfffe && code != 0xffff)
            kept += c;
    }
    return kept;
}

void writeData(QXmlStreamWriter &xml, const char *key, const QString &value)
{
    xml.writeStartElement(QStringLiteral("data"));
    xml.writeAttribute(QStringLiteral("key"), QString::fromLatin1(key));
    xml.writeCharacters(xmlText(value));
    xml.writeEndElement();
}

QString nodeId(int position)
{
    return QStringLiteral("n") + QString::number(position);
}

void writeNodes(QXmlStreamWriter &xml, const TimeIndexVector &index)
{
    for (size_t k = 0; k < index.characters.size(); ++k) {
        const Character &character = *index.characters[k];
        const int position = static_cast<int>(k);
        xml.writeStartElement(QStringLiteral("node"));
        xml.writeAttribute(QStringLiteral("id"), nodeId(position));
        writeData(xml, "name", researchName(character));
        writeData(xml, "count", QString::number(character.count));
        writeData(xml, "color", character.color.name());
        writeData(xml, "scenes", QString::number(scenesWithCharacter(index, position)));
        xml.writeEndElement();
    }
}

void writeEdges(QXmlStreamWriter &xml, const std::vector<Edge> &edges)
{
    for (const Edge &edge : edges) {
        xml.writeStartElement(QStringLiteral("edge"));
        xml.writeAttribute(QStringLiteral("source"), nodeId(static_cast<int>(edge.pair >> 32)));
        xml.writeAttribute(QStringLiteral("target"),
                           nodeId(static_cast<int>(edge.pair & 0xffffffffu)));
        writeData(xml, "weight", QString::number(edge.sharedScenes));
        xml.writeEndElement();
    }
}

} // namespace

std::vector<WeightedEdge> coPresenceEdges(const TimeIndexVector &index)
{
    std::vector<WeightedEdge> edges;
    for (const Edge &edge : sharedSceneCounts(index))
        edges.push_back({static_cast<int>(edge.pair >> 32),
                         static_cast<int>(edge.pair & 0xffffffffu), edge.sharedScenes});
    return edges;
}

QString coPresenceTooLarge(const TimeIndexVector &index)
{
    const qint64 meetings = meetingCount(index);
    if (meetings <= maximumCoPresenceMeetings)
        return QString();
    return QStringLiteral("its scenes bring together %1 pairs of characters, more than the %2 a "
                          "network is written for")
        .arg(meetings)
        .arg(maximumCoPresenceMeetings);
}

QString coPresenceGraphml(const TimeIndexVector &index)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("graphml"));
    xml.writeDefaultNamespace(QStringLiteral("http://graphml.graphdrawing.org/xmlns"));
    writeKey(xml, "name", "node", "name", "string");
    writeKey(xml, "count", "node", "count", "int");
    writeKey(xml, "color", "node", "color", "string");
    writeKey(xml, "scenes", "node", "scenes", "int");
    writeKey(xml, "weight", "edge", "weight", "int");
    xml.writeStartElement(QStringLiteral("graph"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("G"));
    xml.writeAttribute(QStringLiteral("edgedefault"), QStringLiteral("undirected"));
    writeNodes(xml, index);
    writeEdges(xml, sharedSceneCounts(index));
    xml.writeEndDocument();
    return text;
}
