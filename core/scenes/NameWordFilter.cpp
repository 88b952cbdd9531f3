#include "scenes/NameWordFilter.h"

#include "characters/AnalysisOptions.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr uint hashSeed = 2166136261u;

uint hashStep(uint hash, ushort unit)
{
    return (hash ^ unit) * 16777619u; // FNV-1a
}

// Surrogate pairs fold as whole code points; words holding one are left to matchAt.
bool isWild(const QString &word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isSurrogate(); });
}

} // namespace

NameWordFilter::NameWordFilter(const CharacterList &characters,
                               const CharacterList &includeCharacters,
                               const AnalysisOptions &options)
    : m_caseSensitive(options.caseSensitive)
    , m_loose(options.looseMatch)
    , m_includeList(includeCharacters)
{
    for (const CharacterPtr &character : characters)
        add(m_characters, *character, m_characters.count);
    for (const CharacterPtr &character : includeCharacters)
        add(m_includes, *character, m_includes.count);
}

void NameWordFilter::add(NameIndex &index, const Character &character, int position)
{
    // A result needs a name word hit in its aligned place or a whole alias in place, which
    // starts with the alias's first word at the start position.
    m_span = std::max(m_span, static_cast<int>(character.names.size()));
    for (int k = 0; k < character.names.size(); ++k) {
        const QString &word = character.names.at(k);
        const uint wordKey = key(word);
        index.names[wordKey].push_back(NameEntry{position, k});
        m_nameKeys.insert(wordKey);
        m_nameLengths.insert(word.size());
        if (m_loose && word.isEmpty())
            m_everyPosition = true;
    }
    for (const QStringList &alias : character.aliases) {
        if (alias.isEmpty())
            continue;
        const uint opener = m_loose ? lettersKey(alias.first()) : key(alias.first());
        index.openers[opener].push_back(position);
        m_openerKeys.insert(opener);
    }
    index.count = std::max(index.count, position + 1);
}

uint NameWordFilter::key(const QString &word, int from, int to) const
{
    // For units outside the surrogate range QString's case-insensitive comparison and search
    // fold exactly like QChar::toCaseFolded.
    uint hash = hashSeed;
    for (int i = from; i < to; ++i) {
        const ushort unit = word.at(i).unicode();
        hash = hashStep(hash, m_caseSensitive ? unit : QChar::toCaseFolded(unit));
    }
    return hash;
}

uint NameWordFilter::lettersKey(const QString &word) const
{
    uint hash = hashSeed;
    for (const QChar c : word) {
        // Decided on the folded unit, so that units the comparison folds together are
        // kept or dropped together.
        const ushort unit = m_caseSensitive ? c.unicode() : QChar::toCaseFolded(c.unicode());
        if (QChar::isLetterOrNumber(unit))
            hash = hashStep(hash, unit);
    }
    return hash;
}

void NameWordFilter::hashWord(const QString &word, Line &line, size_t j) const
{
    if (!m_loose) {
        line.keys[j] = key(word);
        return;
    }
    line.keys[j] = lettersKey(word);
    // Loose names are found inside words: look for every name word length at every offset.
    const int size = word.size();
    for (const int length : m_nameLengths) {
        for (int from = 0; from + length <= size; ++from) {
            const uint part = key(word, from, from + length);
            if (m_nameKeys.contains(part))
                line.parts[j].push_back(part);
        }
    }
}

NameWordFilter::Line NameWordFilter::prepare(const QStringList &words) const
{
    Line line;
    prepare(words, line);
    return line;
}

void NameWordFilter::prepare(const QStringList &words, Line &line) const
{
    const size_t count = static_cast<size_t>(words.size());
    line.candidate.assign(count, m_everyPosition);
    if (m_everyPosition)
        return;
    line.keys.resize(count);
    line.wild.resize(count);
    if (m_loose) {
        if (line.parts.size() < count)
            line.parts.resize(count);
        for (size_t j = 0; j < count; ++j)
            line.parts[j].clear();
    }
    for (size_t j = 0; j < count; ++j) {
        const QString &word = words.at(static_cast<int>(j));
        line.wild[j] = isWild(word);
        hashWord(word, line, j);
        const bool nameHit = m_loose ? !line.parts[j].empty() : m_nameKeys.contains(line.keys[j]);
        if (!line.wild[j] && !nameHit && !m_openerKeys.contains(line.keys[j]))
            continue;
        // Name word k is compared with the word at start + k, so a possible hit at j makes
        // every start from j - span + 1 to j worth asking.
        const size_t span = static_cast<size_t>(m_span);
        for (size_t l = j + 1 >= span ? j + 1 - span : 0; l <= j; ++l)
            line.candidate[l] = true;
    }
}

void NameWordFilter::addNameHits(const NameIndex &index, uint key, int position,
                                 std::vector<int> &out) const
{
    const auto found = index.names.constFind(key);
    if (found == index.names.constEnd())
        return;
    for (const NameEntry &entry : *found) {
        if (entry.position == position)
            out.push_back(entry.index);
    }
}

void NameWordFilter::lookUp(const NameIndex &index, const Line &line, int start,
                            std::vector<int> &out) const
{
    out.clear();
    const int count = static_cast<int>(line.candidate.size());
    const int end = std::min(count, start + m_span);
    bool everyone = m_everyPosition;
    for (int j = start; j < end && !everyone; ++j)
        everyone = line.wild[j];
    if (everyone) {
        out.resize(static_cast<size_t>(index.count));
        std::iota(out.begin(), out.end(), 0);
        return;
    }
    for (int j = start; j < end; ++j) {
        if (!m_loose) {
            addNameHits(index, line.keys[j], j - start, out);
            continue;
        }
        for (const uint part : line.parts[j])
            addNameHits(index, part, j - start, out);
    }
    const auto openers = index.openers.constFind(line.keys[start]);
    if (openers != index.openers.constEnd())
        out.insert(out.end(), openers->begin(), openers->end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void NameWordFilter::charactersAt(const Line &line, int start, std::vector<int> &out) const
{
    lookUp(m_characters, line, start, out);
}

void NameWordFilter::includesAt(const Line &line, int start, std::vector<int> &out) const
{
    lookUp(m_includes, line, start, out);
}

void NameWordFilter::includeJoined(int includeIndex)
{
    if (includeIndex >= 0 && includeIndex < static_cast<int>(m_includeList.size()))
        add(m_characters, *m_includeList[includeIndex], m_characters.count);
}
