#include "scenes/CoPresenceNetwork.h"

#include "scenes/ResearchName.h"
#include "scenes/TimeIndexVector.h"

#include <QHash>
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

// Sparse on purpose: a screenplay with many characters has few pairs that ever meet.
QHash<PairKey, int> sharedSceneCounts(const TimeIndexVector &index)
{
    QHash<PairKey, int> shared;
    std::vector<int> present;
    for (const Scene &scene : index.scenes) {
        present.clear();
        for (int k = 0; k < scene.counts.size(); ++k) {
            if (scene.counts.at(k) > 0)
                present.push_back(k);
        }
        for (size_t a = 0; a < present.size(); ++a) {
            for (size_t b = a + 1; b < present.size(); ++b)
                ++shared[pairKey(present[a], present[b])];
        }
    }
    return shared;
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

void writeEdges(QXmlStreamWriter &xml, const std::vector<WeightedEdge> &edges)
{
    for (const WeightedEdge &edge : edges) {
        xml.writeStartElement(QStringLiteral("edge"));
        xml.writeAttribute(QStringLiteral("source"), nodeId(edge.first));
        xml.writeAttribute(QStringLiteral("target"), nodeId(edge.second));
        writeData(xml, "weight", QString::number(edge.weight));
        xml.writeEndElement();
    }
}

} // namespace

std::vector<WeightedEdge> coPresenceEdges(const TimeIndexVector &index)
{
    const QHash<PairKey, int> shared = sharedSceneCounts(index);
    std::vector<PairKey> pairs(shared.keyBegin(), shared.keyEnd());
    std::sort(pairs.begin(), pairs.end());
    std::vector<WeightedEdge> edges;
    edges.reserve(pairs.size());
    for (const PairKey pair : pairs)
        edges.push_back({static_cast<int>(pair >> 32), static_cast<int>(pair & 0xffffffffu),
                         shared.value(pair)});
    return edges;
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
    writeEdges(xml, coPresenceEdges(index));
    xml.writeEndDocument();
    return text;
}
