#pragma once

#include "characters/Character.h"

#include <QObject>

class QColor;
class QListWidget;
class QListWidgetItem;

// The "Characters" tab's list: one row per character of the last parse, in the order of the
// scene index, so row i shows characters()[i]. The panel keeps that mapping; the character
// records know nothing of rows.
class CharacterPanel : public QObject
{
    Q_OBJECT
public:
    explicit CharacterPanel(QListWidget &list, QObject *parent = nullptr);

    const CharacterList &characters() const { return m_characters; }
    // The characters whose rows are selected, in row order.
    CharacterList selectedCharacters() const;
    // Selects only the row of the character at `row` and shows it, as a click on it does;
    // returns the row's item (null when there is no such row).
    QListWidgetItem *selectRow(int row);

public slots:
    void showCharacters(const CharacterList &characters);
    void clear();
    // Row `row` takes its character's colour again (the thread view recoloured it).
    void showCharacterColor(int row);
    // Every row takes its character's colour again.
    void showColors();
    // The colour dialog's choice goes to the characters of the selected rows.
    void colorSelected(const QColor &color);

private:
    QListWidget &m_list;
    CharacterList m_characters;
};
