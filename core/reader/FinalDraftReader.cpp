#include "reader/FinalDraftReader.h"

#include "reader/ScreenplayLayout.h"
#include "reader/XmlEncoding.h"

#include <QHash>

#include <tinyxml2.h>

namespace {

using Element = ScreenplayLayout::Element;

Element elementOf(const char *type)
{
    static const QHash<QString, Element> types{
        {QStringLiteral("Scene Heading"), Element::Heading},
        {QStringLiteral("Shot"), Element::Heading},
        {QStringLiteral("Action"), Element::Action},
        {QStringLiteral("General"), Element::Action},
        {QStringLiteral("Character"), Element::Cue},
        {QStringLiteral("Parenthetical"), Element::Parenthetical},
        {QStringLiteral("Dialogue"), Element::Dialogue},
        {QStringLiteral("Transition"), Element::Transition},
    };
    // A type this reader does not know is printed as action, so its text is never lost.
    return types.value(QString::fromUtf8(type != nullptr ? type : ""), Element::Action);
}

// The paragraph's <Text> runs joined in order, whatever their style.
QString paragraphText(const tinyxml2::XMLElement &paragraph)
{
    QString text;
    for (const tinyxml2::XMLElement *run = paragraph.FirstChildElement("Text"); run != nullptr;
         run = run->NextSiblingElement("Text")) {
        if (const char *runText = run->GetText())
            text += QString::fromUtf8(runText);
    }
    return text;
}

// A cue is printed in capitals whatever was typed; its extensions stay as written, as in
// a typed screenplay ("BOB (cont'd)").
QString cueText(const QString &text)
{
    const int open = text.indexOf(QLatin1Char('('));
    const QString name = open < 0 ? text : text.left(open);
    return name.toUpper() + text.mid(name.size());
}

void readParagraph(const tinyxml2::XMLElement &paragraph, ScreenplayLayout &layout);

// Paragraphs in document order; those of a <DualDialogue> (which Final Draft nests in a
// paragraph of its own) in their order, left speech first.
void readParagraphs(const tinyxml2::XMLElement &parent, ScreenplayLayout &layout)
{
    for (const tinyxml2::XMLElement *child = parent.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const QLatin1String name(child->Name());
        if (name == QLatin1String("DualDialogue"))
            readParagraphs(*child, layout);
        else if (name == QLatin1String("Paragraph"))
            readParagraph(*child, layout);
    }
}

void readParagraph(const tinyxml2::XMLElement &paragraph, ScreenplayLayout &layout)
{
    if (const tinyxml2::XMLElement *dual = paragraph.FirstChildElement("DualDialogue")) {
        readParagraphs(*dual, layout);
        return;
    }
    const Element element = elementOf(paragraph.Attribute("Type"));
    const QString text = paragraphText(paragraph);
    layout.addParagraph(element, element == Element::Cue ? cueText(text) : text);
}

} // namespace

ScreenplayText readFinalDraft(const QByteArray &fileBytes)
{
    ScreenplayText text;
    text.format = QStringLiteral("fdx");
    const std::optional<QByteArray> utf8 = xmlAsUtf8(fileBytes, &text.error);
    if (!utf8)
        return text;
    const QByteArray &bytes = *utf8;
    // Only the five predefined entities and character references are decoded: tinyxml2
    // knows no others, so a DOCTYPE's entity declarations are never expanded and nothing
    // outside the file is ever fetched. The document comes from memory, not from a path.
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    if (document.Parse(bytes.constData(), static_cast<size_t>(bytes.size())) !=
        tinyxml2::XML_SUCCESS) {
        text.error = QStringLiteral("is not well-formed XML: error at line %1 (%2)")
                         .arg(document.ErrorLineNum())
                         .arg(QString::fromUtf8(document.ErrorName()));
        return text;
    }
    const tinyxml2::XMLElement *root = document.RootElement();
    if (root == nullptr || QLatin1String(root->Name()) != QLatin1String("FinalDraft")) {
        text.error = QStringLiteral("is not a Final Draft document (no FinalDraft element)");
        return text;
    }
    const tinyxml2::XMLElement *content = root->FirstChildElement("Content");
    if (content == nullptr) {
        text.error = QStringLiteral("has no script content");
        return text;
    }
    ScreenplayLayout layout;
    readParagraphs(*content, layout);
    if (!layout.hasText()) {
        text.error = QStringLiteral("holds no screenplay text");
        return text;
    }
    text.lines = layout.lines();
    return text;
}
