#include "parts/CharacterPanel.h"

#include "views/CharacterRowDelegate.h"

#include <QListWidget>

CharacterPanel::CharacterPanel(QListWidget &list, QObject *parent)
    : QObject(parent)
    , m_list(list)
{
    m_list.setItemDelegate(new CharacterRowDelegate(&m_list));
}

CharacterList CharacterPanel::selectedCharacters() const
{
    CharacterList selected;
    for (int row = 0; row < int(m_characters.size()) && row < m_list.count(); ++row) {
        if (m_list.item(row)->isSelected())
            selected.push_back(m_characters[size_t(row)]);
    }
    return selected;
}

QListWidgetItem *CharacterPanel::selectRow(int row)
{
    QListWidgetItem *item = row >= 0 && row < m_list.count() ? m_list.item(row) : nullptr;
    if (item == nullptr)
        return nullptr;
    m_list.setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    m_list.scrollToItem(item);
    return item;
}

void CharacterPanel::showCharacters(const CharacterList &characters)
{
    clear();
    m_characters = characters;
    for (const CharacterPtr &character : characters) {
        auto *item = new QListWidgetItem(character->displayText());
        CharacterRowDelegate::colorRow(*item, character->color);
        m_list.addItem(item);
    }
}

void CharacterPanel::clear()
{
    m_list.clear();
    m_characters.clear();
}

void CharacterPanel::showCharacterColor(int row)
{
    if (row >= 0 && row < int(m_characters.size()) && row < m_list.count())
        CharacterRowDelegate::colorRow(*m_list.item(row), m_characters[size_t(row)]->color);
}

void CharacterPanel::showColors()
{
    for (int row = 0; row < int(m_characters.size()); ++row)
        showCharacterColor(row);
}

void CharacterPanel::colorSelected(const QColor &color)
{
    for (const CharacterPtr &character : selectedCharacters())
        character->color = color;
    showColors();
}
